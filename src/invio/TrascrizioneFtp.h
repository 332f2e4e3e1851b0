#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What the client's transcript says of each file: the client announces every
// transfer with "local: L remote: R", then come the server's replies and its
// own count of the bytes moved.

struct TrasferimentoFtp
{
    QString locale;
    QString remoto;
    int codice = 0;       // the server's reply that ended the transfer; 0 none
    QString risposta;     // that reply's line
    bool avviato = false; // the server answered anything at all
    qint64 byte = -1;     // as the client counted them; -1 not printed
    QString messaggio;    // the client's own first line about it ("ftp: Can't open ...")
};

// The transfers in the order the client announced them.
QList<TrasferimentoFtp> TrasferimentiFtp(const QString& trascrizione);

// Which of nomi the server took: the upload of each got its "226" or "250"
// after the data connection opened.
QStringList CaricamentiAccettati(const QString& trascrizione, const QStringList& nomi);

enum class EsitoFileFtp
{
    Accettato,
    Rifiutato, // the server refused it, or never confirmed a transfer it began
    NonTentato
};

// One file a script line named, and how it went.
struct FileFtp
{
    QString file;         // as the line names it: the local file of a put, the remote of a get
    QString destinazione; // the line's second name, "" when none
    QString direzione;    // "put" or "get"
    qint64 byte = -1;
    EsitoFileFtp esito = EsitoFileFtp::NonTentato;
    QString risposta; // the server's reply line, "" when none
    QString motivo;   // why it was not attempted or not confirmed, when known
    // The client has gone past it: what the transcript says of it is final
    // even while the run goes on.
    bool concluso = false;
};

// Every file of the script's transfer lines, in order (a "mget" or "mput"
// stands for the transfers that match its pattern, or for itself when none
// does).
QList<FileFtp> FileDellaTrascrizione(const QStringList& righe, const QString& trascrizione);
