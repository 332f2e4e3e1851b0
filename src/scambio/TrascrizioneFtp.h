#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QRegularExpression>
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
    // What the server said it would send: its "150 ... (N bytes)", or the
    // answer to a "size" asked before; -1 when it said nothing.
    qint64 annunciati = -1;
    QString erroreLocale; // the client could not read or write the local file
};

// Confirmed by the server, and nothing lost on this side: no local read or
// write error, and the client's count equal to what the server announced.
bool TrasferimentoIntegro(const TrasferimentoFtp& t);
// The text of the client's own error line ("tnftp: Writing `X': ..."), "" for
// any other line.
QString ErroreDelClient(const QString& riga);
// Why a transfer the server confirmed is not whole, "" when it is.
QString MotivoIncompleto(const TrasferimentoFtp& t);

// The transfers in the order the client announced them.
QList<TrasferimentoFtp> TrasferimentiFtp(const QString& trascrizione);

// Which of nomi went whole: each got its "226" or "250" after the data
// connection opened, and TrasferimentoIntegro holds.
QStringList CaricamentiAccettati(const QString& trascrizione, const QStringList& nomi);

enum class EsitoFileFtp
{
    Accettato,
    Rifiutato,  // the server refused it, or never confirmed a transfer it began
    Incompleto, // confirmed by the server, but cut or not written on this side
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

// Reads a transcript as the client prints it, each line once, so that
// following a run of thousands of files costs in proportion to its
// transcript. Read in pieces or whole, it says the same.
class LettoreTrascrizione
{
public:
    // righe: the script's lines, to tell what became of each file.
    explicit LettoreTrascrizione(const QStringList& righe = {});

    // The bytes the client printed after those given so far; a last line
    // without its end waits for the rest.
    void Aggiungi(QByteArrayView byte);
    // One line, without its line feed.
    void Leggi(QString riga);
    // Nothing more will come: the unfinished last line counts, and the
    // lines no transfer answered are settled.
    void Concludi();

    // The transfers in the order the client announced them.
    const QList<TrasferimentoFtp>& Trasferimenti() const { return trasferimenti_; }
    // The files of the script's lines known so far; all of them once concluded.
    qsizetype NumeroFile() const { return file_.size(); }
    FileFtp File(qsizetype i) const;
    // How many of the first files the client has gone past: those stay as
    // they are, whatever follows.
    qsizetype Conclusi() const { return conclusi_; }

private:
    void Prendi(const QString& nome, const QString& destinazione, const QString& direzione);
    void Manca(const QString& nome, const QString& destinazione, const QString& direzione);
    void Abbina(bool fine);

    QStringList righe_;
    QByteArray resto_; // the unfinished last line
    QList<TrasferimentoFtp> trasferimenti_;
    bool aperto_ = false; // the last transfer still waits for its own reply
    // The files, each with the transfer it got (-1 none): their outcome is
    // read from it when asked, since it may still change.
    QList<FileFtp> file_;
    QList<qsizetype> origine_;
    qsizetype conclusi_ = 0;
    qsizetype riga_ = 0;     // the first script line not yet settled
    qsizetype prossimo_ = 0; // the first transfer no line has taken
    // The patterns of an "mget" or "mput" line that may take more transfers.
    qsizetype rigaModelli_ = -1;
    QList<QRegularExpression> modelli_;
    qsizetype presi_ = 0;
    // What the client said before the transfer it belongs to was announced:
    // the answers to "size" by remote name, local errors by local name.
    QHash<QString, qint64> dimensioni_;
    QHash<QString, QString> erroriLocali_;
};

// The server's refusal of the log-in ("530 Login incorrect."), "" when none.
QString AccessoRifiutato(const QString& trascrizione);
