#include "piattaforma/Percorsi.h"

#include <QDir>

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
