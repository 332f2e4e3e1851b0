#pragma once

#include <QByteArrayView>
#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>

// Where each record of one day's transfer log lies in its file, in the order
// the log window shows them (newest run first, each run's records in their
// order), without keeping the records: a day of many thousand transfers
// costs a few bytes a row until a row is looked at.

struct RigaIndice
{
    qint64 inizio = 0;
    qint32 operazione = -1; // the row's operation in IndiceRegistro::operazioni; -1 none
    qint32 lunghezza : 31 = 0;
    // A run's start whose run has no end record: killed, or still going.
    quint32 senzaFine : 1 = 0;
};

struct IndiceRegistro
{
    QList<RigaIndice> righe;
    QStringList operazioni;
    int illeggibili = 0; // lines that are no record, as the last one a crash cut
    QString errore;      // the file could not be opened or read
    bool annullato = false;
};

// Reads the file a block at a time. A line is a record when it is one whole
// JSON object with a string "tipo"; blank lines do not count. annulla, set
// from another thread, stops it early.
IndiceRegistro IndicizzaRegistro(const QString& percorso,
                                 const std::atomic<bool>* annulla = nullptr);

// A top-level string field of a record's line; a null string when the line
// has none or is no record.
QString CampoRiga(QByteArrayView riga, QLatin1StringView nome);
