#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The transfer log read across days: the records of a span of days in time
// order, filtered by a file name's part and by operation, and a file's story.

struct VoceRegistro
{
    QDate giorno;       // of the log file
    QJsonObject record; // as read
    QByteArray riga;    // as stored
    QString operazione; // of the record's run
};

struct FiltroRegistro
{
    QDate dal;          // invalid: from the first day kept
    QDate al;           // invalid: to the last
    QString cerca;      // part of the file name (any case); "": every record
    QString operazione; // "": every operation
};

struct RisultatoRegistro
{
    QList<VoceRegistro> voci; // oldest first
    int illeggibili = 0;      // cut lines skipped
    QStringList errori;       // days that could not be read
    bool annullata = false;
};

// fermo, when given, is asked between days: true stops the reading.
RisultatoRegistro CercaRegistro(const FiltroRegistro& filtro,
                                const std::function<bool()>& fermo = {});

// One line: day and time, operation, file, outcome, server reply.
QString RigaCronologia(const VoceRegistro& voce);

// What a file's records share: a declaration or reply name up to its
// progressive ("ACME1207.N01" of "ACME1207.N01.P7M"), any other name
// without a final ".P7M".
QString ChiaveStoria(const QString& nome);
// Every record, of every day kept, whose file names it (ChiaveStoria),
// oldest first: its send, its fetch, its unwrap.
RisultatoRegistro StoriaFile(const QString& nome, const std::function<bool()>& fermo = {});

// The replies the unattended runs fetched after dal (their start records say
// "automatico"), one per file record accepted.
int RicevutiAutomatici(const QDateTime& dal);
