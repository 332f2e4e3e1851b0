#pragma once

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QPair>
#include <QString>

// The transfer log: one file a day, Registro/AAAA-MM-GG.jsonl in the program
// folder, one JSON object a line in UTF-8. Runs append to it; the log window
// and the start-up clean-up only read and delete.

inline constexpr char NomeCartellaRegistro[] = "Registro";
inline constexpr int GiorniRegistroPredefiniti = 365;

// "" when no program folder is set.
QString CartellaRegistro();
QString FileRegistro(const QDate& giorno);
// The day a log file's name stands for; invalid for any other name.
QDate GiornoDelFile(const QString& nome);

// A record's fields in the order they are written.
using CampiRegistro = QList<QPair<QString, QJsonValue>>;

// One line: the object with its fields in the given order, then "\n".
QByteArray RigaRegistro(const CampiRegistro& campi);

// Appends records to one day's file, each written whole and flushed before
// the next. The folder and a new file are the owner's only (0700, 0600). After a failure nothing
// more is written, so that no half record gets another glued to it.
class ScritturaRegistro
{
public:
    explicit ScritturaRegistro(const QDate& giorno);
    ScritturaRegistro(const ScritturaRegistro&) = delete;
    ScritturaRegistro& operator=(const ScritturaRegistro&) = delete;

    bool Scrivi(const CampiRegistro& campi);
    // Puts what was written on the disk itself; false, with the reason in
    // Errore(), when the system cannot.
    bool Sincronizza();
    bool Fallita() const { return !errore_.isEmpty(); }
    // The file and the system's reason of the first failure.
    QString Errore() const { return errore_; }
    QString Percorso() const { return percorso_; }

private:
    bool Apri();

    QString percorso_;
    QFile file_;
    QString errore_;
    bool nuovo_ = false; // the day file was made by this writer
};

struct GiornoRegistro
{
    QList<QJsonObject> record; // in the file's order
    int illeggibili = 0;       // lines that are no record, as the last one a crash cut
    QString errore;            // the file could not be opened
};

// The days that have a log, newest first.
QList<QDate> GiorniRegistro();
// The day's log, opened read-only.
GiornoRegistro LeggiRegistro(const QDate& giorno);
// The records by run, newest run first, each run's records in their order.
QList<QJsonObject> RecordPerCorsa(const QList<QJsonObject>& record);

// Deletes the logs of the days more than giorni before oggi, or before the
// newest day present when oggi is past it; 0 keeps all. The newest day's log
// is never deleted. The number of files deleted.
int PulisciRegistro(int giorni, const QDate& oggi);
