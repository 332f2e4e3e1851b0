#include "piattaforma/SpazioDisco.h"

#include <QDir>
#include <QStorageInfo>

QString CausaSpazioEsaurito(const QString& cartella, qint64 servono)
{
    const QStorageInfo disco(cartella);
    if (!disco.isValid() || !disco.isReady())
        return {};
    if (disco.bytesAvailable() >= qMax<qint64>(servono, 1))
        return {};
    return QLatin1String(SpazioEsaurito) + QStringLiteral(" IN ") +
           QDir::toNativeSeparators(cartella);
}
