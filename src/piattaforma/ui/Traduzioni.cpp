#include "piattaforma/ui/Traduzioni.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool InstallaTraduzioneQt()
{
    auto* qtbase = new QTranslator(QCoreApplication::instance());
    if (!qtbase->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qtbase;
        return false;
    }
    return QCoreApplication::installTranslator(qtbase);
}
