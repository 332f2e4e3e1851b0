#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

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

// Asked when the client has run past the bound of its run.
inline constexpr char DomandaAttesaFtp[] =
    "IL TRASFERIMENTO FTP NON E' ANCORA TERMINATO.\nATTENDERE ANCORA?";

struct RichiestaFtp
{
    // Folder of the transferred files: the marker and the client live there;
    // the program's own current folder is never changed.
    QString cartella;
    QString host; // blank: the Customs server; "host port" for another port
    QString utente;
    QString password;
    QStringList righe;              // transfer lines
    QString prefissoComando;        // the Windows command line, e.g. "ftp -v -n -i -s:"
    QString messaggioAvvio;         // shown when the client cannot start or does not finish
    bool segnaleDopoScript = false; // the UNIX upload writes the marker after the script
    // Keep the script on disk after the run; unset: ModoDebug decides (the UNIX
    // upload passes ModoDebugUnix).
    std::optional<bool> conservaScript;
};

struct EsitoFtp
{
    bool eseguito = false; // the client ran to the end of its script
    QString trascrizione;  // everything the client printed
};

// The script's bytes, one command a line, CR LF line ends.
QByteArray TestoScriptFtp(const RichiestaFtp& richiesta);

// Writes the marker and FileComandiFtp, runs the client and waits until the
// marker is gone. *occupato is set at the start; the caller clears it.
EsitoFtp EseguiScriptFtp(const RichiestaFtp& richiesta, bool* occupato = nullptr);

// Which of nomi the server took: the upload of each got its "226" or "250"
// after the data connection opened.
QStringList CaricamentiAccettati(const QString& trascrizione, const QStringList& nomi);

// How long a run may take before the user is asked whether to keep waiting:
// 3 minutes plus 2 per file line. ImpostaLimiteAttesaFtp(ms) replaces it for
// every run (tests); 0 goes back to the rule.
int LimiteAttesaFtp(const RichiestaFtp& richiesta);
void ImpostaLimiteAttesaFtp(int millisecondi);
