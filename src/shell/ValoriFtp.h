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
