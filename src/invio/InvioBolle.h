#pragma once

#include "scambio/EseguiScriptFtp.h"
#include "shell/ValoriFtp.h"

#include <QString>
#include <QStringList>

#include <functional>

// The send run: one run of the FTP client with a "put" per name, then the move
// into CartellaInviati of each file the server accepted.

// The runner's request for sending nomi (plain names) from cartella, with the
// connection values as they are now.
RichiestaFtp RichiestaInvio(const QStringList& nomi, const QString& cartella);

struct EsitoInvio
{
    bool eseguito = false; // the client ran to the end of its script
    StatoFtp stato = StatoFtp::NonAvviato;
    bool bloccato = false;  // another copy was transferring: nothing was tried
    QStringList scartati;   // left out: not plain file names
    QStringList accettati;  // uploads the server confirmed
    QStringList nonInviati; // in the script, but not confirmed
    QStringList archiviati; // moved into CartellaInviati
};

// The names of nomi the transcript shows uploaded, and the others, each in the
// order of nomi; linear in the names and the transcript.
struct ConfermeInvio
{
    QStringList accettati;
    QStringList nonInviati;
};
ConfermeInvio LeggiConferme(const QString& trascrizione, const QStringList& nomi);

// Sends the names of elencoInvio, in order, from cartella. The run works on
// its own copies of the names, the folder and the connection values. Every
// upload the transcript shows accepted is archived (ArchiviaFile), whether the
// client ended normally or not; every name left out or not confirmed stays
// where it is and is named in one message. The transfer lock is held for the
// whole of it; held by another copy, nothing is sent. occupato is the calling window's
// busy flag; avanzamento, when given, receives the run's progress.
EsitoInvio InviaBolle(QStringList elencoInvio, QString cartella, bool* occupato = nullptr,
                      std::function<void(const AvanzamentoFtp&)> avanzamento = {});
