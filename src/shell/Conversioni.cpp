#include "shell/Conversioni.h"

#include <QLocale>

#include <cmath>

namespace {

const QDate OrigineSeriale(1899, 12, 30);

QDate LeggiData(const QString& testo)
{
    const QString t = testo.trimmed().section(QLatin1Char(' '), 0, 0);
    for (const char* formato : {"d/M/yyyy", "d/M/yy"}) {
        QDate d = QDate::fromString(t, QLatin1String(formato));
        if (d.isValid()) {
            if (d.year() < 1930 && QLatin1String(formato) == QLatin1String("d/M/yy"))
                d = d.addYears(100);
            return d;
        }
    }
    return {};
}

} // namespace

double ValoreNumerico(const QString& valore)
{
    const QString t = valore.trimmed();
    if (t.isEmpty())
        return 0;
    const qsizetype a = t.indexOf(QLatin1Char('/'));
    if (a > 0 && t.indexOf(QLatin1Char('/'), a + 1) > a) {
        const QDate d = LeggiData(t);
        return d.isValid() ? DataSeriale(d) : 0;
    }
    bool ok = false;
    double n = QLocale().toDouble(t, &ok);
    if (!ok)
        n = QLocale::c().toDouble(t, &ok);
    return ok && std::isfinite(n) ? n : 0;
}

double ValoreNumerico(const QVariant& valore)
{
    if (valore.isNull() || !valore.isValid())
        return 0;
    switch (valore.typeId()) {
    case QMetaType::QDate:
        return DataSeriale(valore.toDate());
    case QMetaType::QDateTime:
        return DataSeriale(valore.toDateTime());
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return valore.toDouble();
    default:
        return ValoreNumerico(valore.toString());
    }
}

double DataSeriale(const QDate& giorno)
{
    return static_cast<double>(OrigineSeriale.daysTo(giorno));
}

double DataSeriale(const QDateTime& momento)
{
    return DataSeriale(momento.date(), momento.time());
}

double DataSeriale(const QDate& giorno, const QTime& ora)
{
    const double giorni = DataSeriale(giorno);
    const double frazione = ora.msecsSinceStartOfDay() / 86400000.0;
    // Before the origin the fraction still counts forward from midnight, as
    // the office's date values do.
    return giorni < 0 ? giorni - frazione : giorni + frazione;
}

QDateTime DaDataSeriale(double seriale)
{
    const double giorni = std::trunc(seriale);
    const double frazione = std::abs(seriale - giorni);
    const QDate d = OrigineSeriale.addDays(static_cast<qint64>(giorni));
    const int ms = static_cast<int>(std::llround(frazione * 86400000.0));
    return QDateTime(d, QTime(0, 0)).addMSecs(ms);
}

QString TestoODefault(const QVariant& valore, const QString& predefinito)
{
    const QString def = predefinito.trimmed().isEmpty() ? QStringLiteral(" ") : predefinito;
    if (valore.isNull() || !valore.isValid())
        return def;
    const QString t = valore.toString();
    if (t.trimmed().isEmpty() || t[0] == QChar(0))
        return def;
    return t;
}

QString ImportoNoveCifre(const QString& importo)
{
    QString t = importo.trimmed();
    if (t.isEmpty())
        return {};
    t.remove(QLatin1Char('.'));
    t.remove(QLatin1Char(','));
    return t.rightJustified(9, QLatin1Char('0')).right(9);
}

QString CartellaPadre(const QString& percorso)
{
    const qsizetype i =
        std::max(percorso.lastIndexOf(QLatin1Char('/')), percorso.lastIndexOf(QLatin1Char('\\')));
    return i < 0 ? QString() : percorso.left(i);
}

QString GiornoDueCifre(const QDate& data)
{
    return QStringLiteral("%1").arg(data.day(), 2, 10, QLatin1Char('0'));
}

QString MeseDueCifre(const QDate& data)
{
    return QStringLiteral("%1").arg(data.month(), 2, 10, QLatin1Char('0'));
}

int SoloCifre(int codice)
{
    if (codice == 8 || codice == 3 || codice == 18 || codice == 22)
        return codice;
    if (codice < '0' || codice > '9')
        return 0;
    return codice;
}

int Maiuscolo(int codice)
{
    if (codice >= 'a' && codice <= 'z')
        return codice - 32;
    return codice;
}
