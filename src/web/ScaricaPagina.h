#pragma once

#include <QByteArray>
#include <QString>

// One synchronous HTTP GET: the caller's window waits, its events keep running,
// and the wait ends at the time limit. Every cache is bypassed, so that each
// request reaches the server.

struct EsitoScarico
{
    bool ricevuta = false; // the server answered (any HTTP status)
    int statoHttp = 0;
    QByteArray corpo;
    QString testo;  // the body decoded as its header or its HTML says (UTF-8 otherwise)
    QString errore; // why nothing came, for the caller's message
};

inline constexpr int TempoMassimoScaricoMs = 20000;

EsitoScarico ScaricaPagina(const QString& indirizzo, int tempoMassimoMs = TempoMassimoScaricoMs);
