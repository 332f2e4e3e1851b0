#include "app/StartUp.h"
#include "app/Terminazione.h"
#include "piattaforma/Messaggi.h"
#include "piattaforma/SegnaliTermine.h"
#include "piattaforma/ui/MessaggiQt.h"
#include "piattaforma/ui/Traduzioni.h"
#include "shell/Global.h"
#include "web/ui/PresentazioneWeb.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char* argv[])
{
    // The embedded browser of the page window shares its GL contexts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("norvel"));
    QApplication::setApplicationVersion(QStringLiteral(NORVEL_VERSIONE));

    QCommandLineParser opzioni;
    opzioni.setApplicationDescription(QStringLiteral("Scambio EDI con la Dogana"));
    opzioni.addHelpOption();
    opzioni.addVersionOption();
    const QCommandLineOption cartella(
        QStringLiteral("cartella"),
        QStringLiteral("Cartella del programma: file delle impostazioni, icone, TempFile "
                       "(predefinita: quella dell'eseguibile)."),
        QStringLiteral("DIR"));
    opzioni.addOption(cartella);
    // An unknown option is a mistake of the caller: the usage, and no window.
    if (!opzioni.parse(QCoreApplication::arguments())) {
        std::fputs(qPrintable(opzioni.errorText() + QLatin1Char('\n') + opzioni.helpText()),
                   stderr);
        return 2;
    }
    if (opzioni.isSet(QStringLiteral("help")))
        opzioni.showHelp(0);
    if (opzioni.isSet(QStringLiteral("version")))
        opzioni.showVersion();

    InstallaTraduzioneQt();
    InstallaMessaggiQt();
    InstallaPresentazioneWeb();

    CartellaProgramma =
        opzioni.isSet(cartella) ? opzioni.value(cartella) : QCoreApplication::applicationDirPath();
    if (!QFileInfo(CartellaProgramma).isDir()) {
        Messaggio(QStringLiteral("La cartella del programma ") + CartellaProgramma +
                      QStringLiteral(" non esiste."),
                  Pulsanti::Ok, Icona::Critico);
        return 2;
    }

    StartUp finestra;
    // A logout or a kill closes the window as its close box does, so that its
    // position and the per-user values are kept; at start-up it closes the
    // window that is asking.
    InstallaTerminazioneOrdinata(&finestra);
    if (!finestra.Avvia())
        return 1;
    if (TerminazioneRichiesta())
        return 0;
    finestra.show();
    return QApplication::exec();
}
