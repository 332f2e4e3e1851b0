// norvel-pagina: the page window in a process of its own. The main program
// starts it for each page to show or print, so that only this process loads
// the browser engine and its GL context, and a crash of the engine leaves the
// main window standing.

#include "piattaforma/ui/MessaggiQt.h"
#include "piattaforma/ui/Traduzioni.h"
#include "shell/Global.h"
#include "stampa/ui/StampanteCorrente.h"
#include "web/RichiestaPagina.h"
#include "web/XCkMrnVat.h"
#include "web/ui/FrmWeb.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <optional>

namespace {

// Read under a plain application: a wrong command line needs no display.
std::optional<RichiestaPagina> LeggiRigaComando(int argc, char* argv[], int& codice)
{
    int n = argc;
    QCoreApplication nucleo(n, argv);
    QCoreApplication::setApplicationName(QLatin1String(NomeProgrammaPagina));
    QCoreApplication::setApplicationVersion(QStringLiteral(NORVEL_VERSIONE));
    QCommandLineParser opzioni;
    opzioni.setApplicationDescription(QStringLiteral(
        "Mostra e stampa una pagina WEB di Norvel; risponde con lo stato di uscita e una riga."));
    const QCommandLineOption aiuto = opzioni.addHelpOption();
    const QCommandLineOption versione = opzioni.addVersionOption();
    AggiungiOpzioniPagina(opzioni);
    // The window system's own options are left to the window application.
    for (const char* nome : {"platform", "display"}) {
        QCommandLineOption qt(QLatin1String(nome), QString(), QStringLiteral("valore"));
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        opzioni.addOption(qt);
    }
    codice = PaginaRigaErrata;
    if (!opzioni.parse(QCoreApplication::arguments())) {
        std::fputs(qPrintable(opzioni.errorText() + QLatin1Char('\n')), stderr);
        return std::nullopt;
    }
    if (opzioni.isSet(aiuto) || opzioni.isSet(versione)) {
        codice = PaginaMostrata;
        std::fputs(qPrintable(opzioni.isSet(aiuto)
                                  ? opzioni.helpText()
                                  : QCoreApplication::applicationName() + QLatin1Char(' ') +
                                        QCoreApplication::applicationVersion() + QLatin1Char('\n')),
                   stdout);
        return std::nullopt;
    }
    QString errore;
    std::optional<RichiestaPagina> richiesta = LeggiOpzioniPagina(opzioni, errore);
    if (!richiesta)
        std::fputs(qPrintable(errore + QLatin1Char('\n')), stderr);
    return richiesta;
}

} // namespace

int main(int argc, char* argv[])
{
    int codice = 0;
    const std::optional<RichiestaPagina> richiesta = LeggiRigaComando(argc, argv, codice);
    if (!richiesta)
        return codice;

    // The embedded browser shares its GL contexts: asked before the application.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("norvel"));
    QApplication::setApplicationVersion(QStringLiteral(NORVEL_VERSIONE));
    InstallaTraduzioneQt();
    InstallaMessaggiQt();

    const RichiestaPagina& r = *richiesta;
    FileIni = r.fileIni;
    CaricaIndirizziWeb();
    ModoInterrogazione = r.modo;
    ParametriWeb[r.modo].Vedi = r.vedi ? 1 : 0;
    ParametriWeb[r.modo].Stampa = r.stampa ? 1 : 0;
    ParametriWeb[r.modo].ChiediStampante = r.chiedi ? 1 : 0;
    ImpostaStampanteCorrente(r.stampante);
    if (r.attesaMs > 0)
        FrmWeb::ImpostaAttesaPagina(r.attesaMs);

    EsitoPagina esito;
    {
        FrmWeb pagina;
        pagina.plUrl(r.indirizzo);
        pagina.plObject(r.codice);
        pagina.plTipo(r.tipo);
        pagina.exec();
        esito = pagina.pgEsito();
    }
    std::fputs((RigaEsito(esito) + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
    return CodiceUscita(esito);
}
