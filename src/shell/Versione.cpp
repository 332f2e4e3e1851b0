#include "shell/Versione.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

QString& VersioneProva()
{
    static QString v;
    return v;
}

} // namespace

Versione VersioneInUso()
{
    return LeggiVersione(VersioneProva().isEmpty() ? QStringLiteral(NORVEL_VERSIONE)
                                                   : VersioneProva());
}

void ImpostaVersioneInUso(const QString& testo)
{
    VersioneProva() = testo;
}

Versione LeggiVersione(const QString& testo)
{
    const QStringList parti = testo.trimmed().split(u'.');
    int numeri[3] = {};
    // Minor and revision are two-digit groups: a number beyond them (or a
    // negative one) makes the whole version unreadable, never another one.
    const int massimi[3] = {9999, 99, 99};
    for (int i = 0; i < 3 && i < parti.size(); ++i) {
        numeri[i] = parti[i].trimmed().toInt();
        if (numeri[i] < 0 || numeri[i] > massimi[i])
            return {};
    }
    return {numeri[0], numeri[1], numeri[2]};
}

int NumeroVersione(const Versione& v)
{
    return v.maggiore * 10000 + v.minore * 100 + v.revisione;
}

QString VersioneEstesa(const Versione& v)
{
    return u"%1.%2.%3"_s.arg(v.maggiore).arg(v.minore).arg(v.revisione);
}

QString VersioneDueCifre(const Versione& v)
{
    return u"%1.%2.%3"_s.arg(v.maggiore, 2, 10, QLatin1Char('0'))
        .arg(v.minore, 2, 10, QLatin1Char('0'))
        .arg(v.revisione, 2, 10, QLatin1Char('0'));
}
