#pragma once

#include "invio/EseguiScriptFtp.h"

#include <QString>
#include <QStringList>

// The send run: one run of the FTP client with a "put" per name, then the move
// into CartellaInviati of each file the server accepted.

// A name that can stand alone in a script line: no blank, no control
// character, no quote, no path separator, no leading "-" or "!".
bool NomeFileSemplice(const QString& nome);

// The runner's request for sending nomi (plain names) from cartella.
RichiestaFtp RichiestaInvio(const QStringList& nomi, const QString& cartella);

struct EsitoInvio
{
    bool eseguito = false;  // the client ran to the end of its script
    QStringList scartati;   // left out: not plain file names
    QStringList accettati;  // uploads the server confirmed
    QStringList nonInviati; // in the script, but not confirmed
    QStringList archiviati; // moved into CartellaInviati
};

// Sends the names of elencoInvio, in order, from cartella. Every name left out
// or not confirmed stays where it is and is named in a message; the others are
// archived (ArchiviaFile). occupato is the calling window's busy flag.
EsitoInvio InviaBolle(const QStringList& elencoInvio, const QString& cartella,
                      bool* occupato = nullptr);
