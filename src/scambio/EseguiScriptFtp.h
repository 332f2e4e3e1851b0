#pragma once

#include "piattaforma/BloccoTrasferimenti.h"
#include "scambio/TrascrizioneFtp.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The one transfer mechanism: a command script for the FTP client, run in the
// folder of the transferred files, whose last local command deletes a marker.

// The marker file, holding "WAIT" until the script deletes it.
inline constexpr char FileSegnale[] = "Xchk";

// What each run shows when its client cannot be started or does not finish.
inline constexpr char ErroreInvioBolle[] = "ERRORE NELL'INVIO DELLE BOLLE";
inline constexpr char ErroreRicezioneLista[] = "ERRORE NELLA RICEZIONE DELLA LISTA";
inline constexpr char ErroreRicezioneMessaggi[] = "ERRORE NELLA RICEZIONE DEI MESSAGGI";
inline constexpr char ErroreTrasferimentoUnix[] = "ERRORE TRASFERIMENTO IRILDES SU UNIX";

// Asked when the client has shown no sign of progress for the wait's bound.
inline constexpr char DomandaAttesaFtp[] =
    "IL TRASFERIMENTO FTP NON E' ANCORA TERMINATO.\nATTENDERE ANCORA?";

// Where the connection values of a run come from, to name them in a message.
struct OrigineCredenziali
{
    QString sezione = QStringLiteral("EDI");
    QString host = QStringLiteral("HOSTFTP");
    QString utente = QStringLiteral("AUTORFTP");
    QString password = QStringLiteral("PASSWFTP");
};
// The UNIX host's values (section REMOTO).
OrigineCredenziali CredenzialiUnix();

// How a run is going, reported about once a second and on every new line the
// client prints.
struct AvanzamentoFtp
{
    QString file;           // the file in transfer; "" before the first
    int numeroFile = 0;     // its place among the run's file lines, from 1
    int totaleFile = 0;     // file lines of the run
    qint64 byte = 0;        // bytes moved so far, an estimate
    qint64 byteTotali = -1; // -1 when not known (downloads)
    qint64 pid = 0;         // the client's process
};

// A name the caller kept out of the script, for the transfer log.
struct NomeEscluso
{
    QString nome;
    QString motivo;
    QString direzione = QStringLiteral("put");
};

struct RichiestaFtp
{
    // Folder of the transferred files: the marker and the client live there;
    // the program's own current folder is never changed.
    QString cartella;
    QString host; // blank: the Customs server; "host port" for another port
    QString utente;
    QString password;
    QStringList righe;              // transfer lines: "put x", "get x", "mget p", "ls p f"...
    QString prefissoComando;        // the Windows command line, e.g. "ftp -v -n -i -s:"
    QString messaggioAvvio;         // shown when the client cannot start
    QString operazione;             // what the run is, for the transfer log ("invio"...)
    QList<NomeEscluso> esclusi;     // names the plain-name rule kept out, for the log
    OrigineCredenziali origine;     // named when a value cannot go into a script
    bool segnaleDopoScript = false; // the UNIX upload writes the marker after the script
    // Also show messaggioAvvio when the client started but did not reach the
    // end of its script; a caller that names what was left undone says no.
    bool avvisaInterruzione = true;
    // Keep the script on disk after the run; unset: ModoDebug decides (the UNIX
    // upload passes ModoDebugUnix).
    std::optional<bool> conservaScript;
    // Why the server turned the run away, read from its transcript ("" when
    // it did not), for the log's end record; a refused log-in is seen
    // without it.
    std::function<QString(const QString& trascrizione)> rifiuto;
    // Called while the client runs; the caller shows it.
    std::function<void(const AvanzamentoFtp&)> avanzamento;
};

enum class StatoFtp
{
    Completato, // the client ran to the end of its script
    Interrotto, // it started but ended, or was ended, before the marker line
    NonAvviato  // nothing ran: bad values, marker or script not written, no client
};

struct EsitoFtp
{
    bool eseguito = false; // stato == Completato
    StatoFtp stato = StatoFtp::NonAvviato;
    QString trascrizione; // everything the client printed, on every path
    int uscita = -1;      // the client's exit status; -1 killed or not started
    double durata = 0;    // seconds from the start of the run
};

// The script's bytes as the office's client takes them: one command a line,
// CR LF line ends.
QByteArray TestoScriptFtp(const RichiestaFtp& richiesta);

// What stands in the script's place of the password on disk.
inline constexpr char ParolaMascherata[] = "********";
// The script as FileComandiFtp holds it: the password masked.
QByteArray ScriptFtpSuDisco(const RichiestaFtp& richiesta);

// The folder whose transfer lock every run holds: the program folder.
QString CartellaBloccoTrasferimenti();
// True when blocco is held; otherwise says why in a message.
bool BloccoPresoOAvvisa(const BloccoTrasferimenti& blocco);

// Takes the program folder's transfer lock (a run already holding it in this
// process shares it; held by another copy: nothing starts, the user is told),
// writes the marker and FileComandiFtp with the password masked, runs the
// client with the real log-in line on its standard input and waits until the
// marker is gone or the client has ended. *occupato is set at the start; the
// caller clears it. The caller reads what was transferred from the transcript
// whatever the state. Every run, one that never starts too, leaves its records
// in the transfer log.
EsitoFtp EseguiScriptFtp(const RichiestaFtp& richiesta, bool* occupato = nullptr);

// How long the client may show no sign of progress (no new line printed, no
// byte moved) before the user is asked whether to keep waiting: 120 s. The
// environment variable NORVEL_ATTESA_FTP_S, or ImpostaLimiteAttesaFtp(ms) in
// a test, replaces it; 0 goes back to the rule.
int LimiteAttesaFtp();
void ImpostaLimiteAttesaFtp(int millisecondi);
