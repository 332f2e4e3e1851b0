#include "app/ComandoRegistro.h"
#include "app/ComandoRicevi.h"
#include "app/StartUp.h"
#include "app/Terminazione.h"
#include "piattaforma/Messaggi.h"
#include "piattaforma/Percorsi.h"
#include "piattaforma/SegnaliTermine.h"
#include "piattaforma/ui/MessaggiQt.h"
#include "piattaforma/ui/PreparazioneCaratteri.h"
#include "piattaforma/ui/Traduzioni.h"
#include "shell/Global.h"
#include "web/ui/PresentazioneWeb.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <optional>

namespace {

constexpr int Prosegui = -1;

// The command line is read before the window system is touched: --help,
// --version and a wrong option need no display. The window system's own
// options (-platform, -display...) are known here and left to the window
// application. An application object is made only to print: the usual start
// does without the cost of one more.
int LeggiRigaComando(int argc, char* argv[], std::optional<QString>& cartellaProgramma)
{
    QCoreApplication::setApplicationName(QStringLiteral("norvel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(NORVEL_VERSIONE));
    QStringList argomenti;
    for (int i = 0; i < argc; ++i)
        argomenti << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser opzioni;
    opzioni.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    opzioni.setApplicationDescription(
        QStringLiteral("Scambio EDI con la Dogana\n\nComandi senza finestre: norvel ricevi "
                       "--help, norvel registro --help"));
    const QCommandLineOption aiuto = opzioni.addHelpOption();
    const QCommandLineOption versione = opzioni.addVersionOption();
    const QCommandLineOption cartella(
        QStringLiteral("cartella"),
        QStringLiteral("Cartella del programma: file delle impostazioni, icone, TempFile "
                       "(predefinita: quella dell'eseguibile, o la cartella dei dati "
                       "dell'utente per un programma installato)."),
        QStringLiteral("DIR"));
    opzioni.addOption(cartella);
    for (const char* nome :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "display", "style",
          "stylesheet", "geometry", "qwindowgeometry", "qwindowtitle", "qwindowicon", "session"}) {
        QCommandLineOption qt(QLatin1String(nome), QString(), QStringLiteral("valore"));
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        opzioni.addOption(qt);
    }
    for (const char* nome : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption qt{QLatin1String(nome)};
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        opzioni.addOption(qt);
    }
    const bool letta = opzioni.parse(argomenti);
    if (letta && !opzioni.isSet(aiuto) && !opzioni.isSet(versione)) {
        // None for the default, which needs the application to be found.
        if (opzioni.isSet(cartella))
            cartellaProgramma = opzioni.value(cartella);
        return Prosegui;
    }
    int n = argc;
    QCoreApplication nucleo(n, argv);
    // An unknown option is a mistake of the caller: the usage, and no window.
    if (!letta) {
        std::fputs(qPrintable(opzioni.errorText() + QLatin1Char('\n') + opzioni.helpText()),
                   stderr);
        return 2;
    }
    if (opzioni.isSet(aiuto)) {
        std::fputs(qPrintable(opzioni.helpText()), stdout);
        return 0;
    }
    std::fputs(qPrintable(QCoreApplication::applicationName() + QLatin1Char(' ') +
                          QCoreApplication::applicationVersion() + QLatin1Char('\n')),
               stdout);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    // The commands run without any window system (a timer, ssh).
    if (argc > 1 && qstrcmp(argv[1], "ricevi") == 0)
        return EseguiComandoRicevi(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "registro") == 0)
        return EseguiComandoRegistro(argc, argv);

    std::optional<QString> cartella;
    if (const int codice = LeggiRigaComando(argc, argv, cartella); codice != Prosegui)
        return codice;

    // The menus stay in the window, as the office knows them, on a desktop
    // with a menu bar of its own too; and no asking the session bus for one.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    PreparazioneCaratteri caratteri;
    QApplication app(argc, argv);
    caratteri.Attendi();

    InstallaTraduzioneQt();
    InstallaMessaggiQt();
    InstallaPresentazioneWeb();

    CartellaProgramma = cartella ? *cartella : CartellaProgrammaPredefinita();
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
