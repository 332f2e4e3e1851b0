#pragma once

#include <QString>

// The upload of the clearances to the office's UNIX host.

// CartellaUnix + "/irisp" + UtenteUnix: the one file the host receives.
QString FileRemotoUnix();

struct EsitoUnix
{
    bool eseguito = false;  // the client ran to the end of its script
    bool accettato = false; // the host confirmed the upload
};

// Sends file (a name in CartellaVerificati) to FileRemotoUnix(), deleting the
// remote file first, in the client's default transfer type. A refused upload
// or an unreachable host is said in a message; the file stays where it is.
// ModoDebugUnix keeps the script.
EsitoUnix InviaUnix(const QString& file, bool* occupato = nullptr);
