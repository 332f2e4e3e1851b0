#include "piattaforma/Messaggi.h"
#include "piattaforma/SegnaliTermine.h"
#include "piattaforma/ui/MessaggiQt.h"
#include "piattaforma/ui/Traduzioni.h"
#include "shell/Global.h"
#include "app/StartUp.h"
#include "web/ui/PresentazioneWeb.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTimer>

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
    opzioni.process(app);

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
    // position and the per-user values are kept.
    bool chiusuraRichiesta = false;
    InstallaSegnaliTermine([&finestra, &chiusuraRichiesta]() {
        if (finestra.isVisible())
            finestra.close();
        else
            chiusuraRichiesta = true;
    });
    if (!finestra.Avvia())
        return 1;
    finestra.show();
    if (chiusuraRichiesta)
        QTimer::singleShot(0, &finestra, &QWidget::close);
    return QApplication::exec();
}
