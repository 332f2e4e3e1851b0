#pragma once

#include "piattaforma/IoProcesso.h"
#include "scambio/EseguiScriptFtp.h"
#include "scambio/TrascrizioneFtp.h"

#include <QList>
#include <QString>

// Follows a run to tell which file is in transfer and how much of the run is
// done, from the transcript read so far and the client's own byte counts.
class OsservatoreFtp
{
public:
    explicit OsservatoreFtp(const RichiestaFtp& richiesta);

    AvanzamentoFtp Calcola(const LettoreTrascrizione& lettura, const IoProcesso& io, qint64 pid);
    // Uploads only: the bytes moved are told by what the sockets still queue.
    bool UsaCode() const { return soloInvii_; }

private:
    int totaleFile_ = 0;
    bool soloInvii_ = true;
    // What the uploads before each one add up to; the last, all of them.
    QList<qint64> primaDi_{0};
    int numeroVisto_ = -1;
    qint64 inizioFile_ = -1;
    qint64 inizioRun_ = -1;
    QList<qint64> dimensioni_;
};
