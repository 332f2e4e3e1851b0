#include "support/FusoOrarioProva.h"

#include "piattaforma/OraLocale.h"

#include <QDateTime>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Each instant gets the offset in force at that instant, on either side of the
// changes to and from summer time, as a conversion per instant gives it.
TEST(OraLocale, OgniIstanteConLoScartoDelSuoPeriodo)
{
    const FusoOrarioProva roma("Europe/Rome");
    const struct
    {
        const char* caso;
        QDateTime utc;
        QDateTime locale; // invalid: as Qt converts it, whatever its rule there
    } casi[] = {
        {"inverno", QDateTime(QDate(2024, 1, 15), QTime(12, 0, 0, 250), Qt::UTC),
         QDateTime(QDate(2024, 1, 15), QTime(13, 0, 0, 250))},
        {"estate", QDateTime(QDate(2024, 7, 15), QTime(12, 0), Qt::UTC),
         QDateTime(QDate(2024, 7, 15), QTime(14, 0))},
        {"ultimo secondo d'inverno", QDateTime(QDate(2024, 3, 31), QTime(0, 59, 59), Qt::UTC),
         QDateTime(QDate(2024, 3, 31), QTime(1, 59, 59))},
        {"primo secondo d'estate", QDateTime(QDate(2024, 3, 31), QTime(1, 0), Qt::UTC),
         QDateTime(QDate(2024, 3, 31), QTime(3, 0))},
        {"ultimo secondo d'estate", QDateTime(QDate(2024, 10, 27), QTime(0, 59, 59), Qt::UTC),
         QDateTime(QDate(2024, 10, 27), QTime(2, 59, 59))},
        {"primo secondo d'inverno", QDateTime(QDate(2024, 10, 27), QTime(1, 0), Qt::UTC),
         QDateTime(QDate(2024, 10, 27), QTime(2, 0))},
        {"mezzanotte che cambia giorno", QDateTime(QDate(2024, 6, 30), QTime(22, 30), Qt::UTC),
         QDateTime(QDate(2024, 7, 1), QTime(0, 30))},
        {"l'epoca", QDateTime(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC),
         QDateTime(QDate(1970, 1, 1), QTime(1, 0))},
        {"prima dell'epoca", QDateTime(QDate(1969, 7, 1), QTime(12, 0), Qt::UTC), {}},
        {"dopo il 2038", QDateTime(QDate(2040, 7, 1), QTime(12, 0), Qt::UTC), {}},
    };
    // One object for all of them, as one listing has.
    const OraLocale ora;
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        const qint64 ms = c.utc.toMSecsSinceEpoch();
        QDate giorno;
        QTime tempo;
        ora.Scomponi(ms, &giorno, &tempo);
        const QDateTime qt = QDateTime::fromMSecsSinceEpoch(ms);
        EXPECT_EQ(giorno, qt.date());
        EXPECT_EQ(tempo, qt.time());
        if (c.locale.isValid()) {
            EXPECT_EQ(giorno, c.locale.date());
            EXPECT_EQ(tempo, c.locale.time());
        }
    }
}

// The zone is read when the object is made: a later one sees a changed zone.
TEST(OraLocale, LaZonaLettaAllaCreazione)
{
    const qint64 ms = QDateTime(QDate(2024, 1, 15), QTime(12, 0), Qt::UTC).toMSecsSinceEpoch();
    QDate giorno;
    QTime tempo;
    {
        const FusoOrarioProva roma("Europe/Rome");
        OraLocale().Scomponi(ms, &giorno, &tempo);
        EXPECT_EQ(tempo, QTime(13, 0));
    }
    const FusoOrarioProva tokyo("Asia/Tokyo");
    OraLocale().Scomponi(ms, &giorno, &tempo);
    EXPECT_EQ(tempo, QTime(21, 0));
}
