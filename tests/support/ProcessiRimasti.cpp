#include "support/ProcessiRimasti.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

bool Vivo(const QString& pid)
{
    QFile stat(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    // "pid (name) S ...": the state follows the last parenthesis.
    const QByteArray riga = stat.readAll();
    const qsizetype fine = riga.lastIndexOf(')');
    return fine >= 0 && riga.mid(fine + 2, 1) != "Z";
}

} // namespace

QStringList ProcessiRimasti(const QString& filePid, int attesaMs)
{
    QFile f(filePid);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QStringList pid =
        QString::fromLatin1(f.readAll())
            .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QStringList vivi;
    (void)QTest::qWaitFor(
        [&]() {
            vivi.clear();
            for (const QString& p : pid)
                if (Vivo(p))
                    vivi << p;
            return vivi.isEmpty();
        },
        attesaMs);
    return vivi;
}
