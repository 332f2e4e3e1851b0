#include "piattaforma/OraLocale.h"

#include <QDateTime>

#ifdef Q_OS_UNIX
#include <ctime>
#endif

namespace {

// Where Qt itself asks the C library; outside it Qt has its own rules.
constexpr qint64 PrimoMs = 0;
constexpr qint64 UltimoMs = qint64(0x7fffffff) * 1000;

} // namespace

OraLocale::OraLocale()
{
#ifdef Q_OS_UNIX
    ::tzset();
#endif
}

void OraLocale::Scomponi(qint64 msUtc, QDate* giorno, QTime* ora) const
{
#ifdef Q_OS_UNIX
    if (msUtc >= PrimoMs && msUtc <= UltimoMs) {
        const time_t secondi = time_t(msUtc / 1000);
        tm locale{};
        if (::localtime_r(&secondi, &locale)) {
            *giorno = QDate(locale.tm_year + 1900, locale.tm_mon + 1, locale.tm_mday);
            *ora = QTime(locale.tm_hour, locale.tm_min, locale.tm_sec, int(msUtc % 1000));
            if (giorno->isValid() && ora->isValid())
                return;
        }
    }
#endif
    const QDateTime locale = QDateTime::fromMSecsSinceEpoch(msUtc);
    *giorno = locale.date();
    *ora = locale.time();
}
