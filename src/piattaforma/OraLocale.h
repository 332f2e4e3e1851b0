#pragma once

#include <QDate>
#include <QTime>

// The local date and time of many instants, as the files of a folder carry
// them. The system's zone is read once, when the object is made: a time of
// day per file otherwise costs a fresh read of the zone for every file. Each
// instant still gets the offset in force at that instant, summer or winter.
class OraLocale
{
public:
    OraLocale();

    // The local wall-clock date and time of msUtc (milliseconds since the
    // epoch), as QDateTime::fromMSecsSinceEpoch(msUtc) has them.
    void Scomponi(qint64 msUtc, QDate* giorno, QTime* ora) const;
};
