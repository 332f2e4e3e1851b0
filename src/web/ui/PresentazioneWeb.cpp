#include "web/ui/PresentazioneWeb.h"

#include "piattaforma/Messaggi.h"
#include "piattaforma/ui/Shell.h"
#include "shell/Global.h"
#include "stampa/ui/StampanteCorrente.h"
#include "web/RichiestaPagina.h"
#include "web/XCkMrnVat.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QPointer>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace {

QString programmaImposto;

QList<QPointer<QProcess>>& Aperte()
{
    static QList<QPointer<QProcess>> aperte;
    return aperte;
}

void Chiusa(QProcess* processo)
{
    Aperte().removeAll(processo);
    processo->deleteLater();
}

// The page window ends by itself: what the person needs to know of it.
void Concludi(QProcess* processo, const QString& codice, int uscita, QProcess::ExitStatus stato)
{
    Chiusa(processo);
    if (stato == QProcess::CrashExit)
        Messaggio(u"La finestra della pagina WEB per "_s + codice +
                      u" si è chiusa per un errore."_s,
                  Pulsanti::Ok, Icona::Critico);
    else if (uscita == PaginaNonStampata)
        Messaggio(u"Stampa della pagina WEB per "_s + codice + u" non riuscita."_s, Pulsanti::Ok,
                  Icona::Avviso);
    else if (uscita != PaginaMostrata && uscita != PaginaNonRicevuta)
        Messaggio(u"Non è stato possibile mostrare la pagina WEB per "_s + codice + u"."_s,
                  Pulsanti::Ok, Icona::Critico);
}

void MostraInProcesso(const QString& indirizzo, const QString& codice, const QString& tipo)
{
    const int modo = qBound(0, ModoInterrogazione, SlotWeb - 1);
    const ParametroWebT& p = ParametriWeb[modo];
    RichiestaPagina r;
    r.indirizzo = indirizzo;
    r.codice = codice;
    r.tipo = tipo;
    r.modo = modo;
    r.vedi = p.Vedi != 0;
    r.stampa = p.Stampa != 0;
    r.chiedi = p.ChiediStampante >= 1;
    r.stampante = StampanteCorrente();
    r.fileIni = QFileInfo(FileIni).absoluteFilePath();

    const QString programma = ProgrammaPagina();
    if (programma.isEmpty()) {
        Messaggio(u"Programma "_s + QLatin1String(NomeProgrammaPagina) +
                      u" non trovato: la pagina WEB per "_s + codice + u" non si può mostrare."_s,
                  Pulsanti::Ok, Icona::Critico);
        return;
    }
    auto* processo = new QProcess(QCoreApplication::instance());
    processo->setProgram(programma);
    processo->setArguments(ArgomentiPagina(r));
    processo->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QObject::connect(processo, &QProcess::finished, processo,
                     [processo, codice](int uscita, QProcess::ExitStatus stato) {
                         Concludi(processo, codice, uscita, stato);
                     });
    QObject::connect(processo, &QProcess::errorOccurred, processo,
                     [processo, programma](QProcess::ProcessError errore) {
                         if (errore != QProcess::FailedToStart)
                             return;
                         Chiusa(processo);
                         Messaggio(u"Programma "_s + programma + u" non avviato."_s, Pulsanti::Ok,
                                   Icona::Critico);
                     });
    Aperte().append(processo);
    processo->start();
}

// A page window still open when the program ends goes with it, unheard.
void ChiudiAperte()
{
    for (const QPointer<QProcess>& processo : std::as_const(Aperte())) {
        if (!processo)
            continue;
        processo->disconnect();
        processo->kill();
        processo->waitForFinished(5000);
    }
    Aperte().clear();
}

} // namespace

QString ProgrammaPagina()
{
    if (!programmaImposto.isEmpty())
        return programmaImposto;
    const QDir eseguibile(QCoreApplication::applicationDirPath());
    const QString nome = QLatin1String(NomeProgrammaPagina);
    for (const QString& percorso :
         {eseguibile.filePath(nome), eseguibile.filePath(u"../libexec/norvel/"_s + nome)}) {
        const QFileInfo f(percorso);
        if (f.isFile() && f.isExecutable())
            return QDir::cleanPath(f.absoluteFilePath());
    }
    return {};
}

void ImpostaProgrammaPagina(const QString& percorso)
{
    programmaImposto = percorso;
}

int PagineAperte()
{
    Aperte().removeAll(nullptr);
    return int(Aperte().size());
}

void InstallaPresentazioneWeb()
{
    PresentazionePagine p;
    p.finestra = MostraInProcesso;
    p.apriFile = [](const QString& file) { ApriConShell(file); };
    ImpostaPresentazionePagine(p);
    static bool collegata = false;
    if (!collegata) {
        collegata = true;
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                         &ChiudiAperte);
    }
}
