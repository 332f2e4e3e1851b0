#include "piattaforma/ui/MessaggiQt.h"

#include <QApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMainWindow>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("norvel"));
    QApplication::setApplicationVersion(QStringLiteral(NORVEL_VERSIONE));

    // The standard buttons speak Italian like the rest of the program.
    QTranslator qtbase;
    if (qtbase.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                    QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtbase);
    InstallaMessaggiQt();

    QMainWindow finestra;
    finestra.setWindowTitle(QStringLiteral(" Norvel - scambio EDI via MODEM con la DOGANA"));
    finestra.setCentralWidget(new QLabel(QStringLiteral("Norvel")));
    finestra.show();
    return QApplication::exec();
}
