#pragma once

#include <QString>

// What may go into a line of an FTP command script. A line break or any other
// control character in a value would start a new command of the script.

// True when testo holds a character below 0x20 or 0x7F.
bool ContieneControllo(const QString& testo);

// Why nome cannot stand alone in a script line, or "" when it can: a plain file
// name has no blank, no control character, no quote, no path separator, none of
// the client's wildcards (* ? [ ] { }), no leading "-", "!" or "~", and
// nothing that the system's encoding could not give back unchanged.
QString MotivoNomeNonSemplice(const QString& nome);
inline bool NomeFileSemplice(const QString& nome)
{
    return MotivoNomeNonSemplice(nome).isEmpty();
}

// The message a parameters window shows at confirm when a connection value
// holds a control character, or "" when all are good. The same rule for the
// Customs link and for the UNIX host.
QString ControllaCredenzialiDogana(const QString& host, const QString& utente,
                                   const QString& password);
QString ControllaCredenzialiUnix(const QString& host, const QString& utente,
                                 const QString& password);

// True when valore goes into a script line as one word: not empty, no blank,
// no control character, no quote.
bool ValoreFtpSemplice(const QString& valore);
// A host name as one word, or followed by one blank and a port.
bool HostFtpSemplice(const QString& host);

// The message the UNIX parameters window shows at confirm when a value would
// be refused by the upload to the UNIX host, or "" when all are good.
QString ControllaValoriUnix(const QString& host, const QString& utente, const QString& password,
                            const QString& cartella);

// The UNIX folder as used: one trailing "/" of the stored text dropped, so
// that a lone "/" (the root) gives the file "/irisp" + user.
QString CartellaUnixInUso(const QString& memorizzata);
