#include "piattaforma/Percorsi.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool Separatore(QChar c)
{
    return c == QLatin1Char('/') || c == QDir::separator();
}

} // namespace

QString UnisciPercorso(const QString& cartella, const QString& nome)
{
    if (cartella.isEmpty())
        return nome;
    if (Separatore(cartella.back()))
        return cartella + nome;
    return cartella + QDir::separator() + nome;
}

QString SenzaSeparatoreFinale(const QString& cartella)
{
    QString c = cartella;
    while (c.size() > 1 && Separatore(c.back())) {
        // "C:\" keeps its separator: without it the drive's current folder is meant.
        if (c.size() == 3 && c[1] == QLatin1Char(':'))
            break;
        c.chop(1);
    }
    return c;
}

QString CartellaDatiInstallati()
{
    const QDir eseguibile(QCoreApplication::applicationDirPath());
    if (eseguibile.dirName() != QLatin1String("bin"))
        return {};
    const QFileInfo dati(eseguibile.absoluteFilePath(QStringLiteral("../share/norvel")));
    return dati.isDir() ? QDir::toNativeSeparators(QDir::cleanPath(dati.absoluteFilePath()))
                        : QString();
}

QString CartellaProgrammaPredefinita()
{
    const QString eseguibile = QCoreApplication::applicationDirPath();
    // A root user may write anywhere: the installed layout tells as much as
    // the permissions do.
    if (CartellaDatiInstallati().isEmpty() && QFileInfo(eseguibile).isWritable())
        return eseguibile;
    const QString utente = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(utente);
    return QDir::toNativeSeparators(utente);
}
