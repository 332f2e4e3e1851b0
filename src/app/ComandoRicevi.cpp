#include "app/ComandoRicevi.h"

#include "app/NotificaDesktop.h"
#include "piattaforma/Messaggi.h"
#include "piattaforma/Orologio.h"
#include "piattaforma/Percorsi.h"
#include "piattaforma/SegnaliTermine.h"
#include "ricezione/RiceviAutomatico.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSet>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int NomiNellAvviso = 10;

void Riga(std::FILE* dove, const QString& testo)
{
    std::fputs(testo.toLocal8Bit().constData(), dove);
    std::fputc('\n', dove);
    std::fflush(dove);
}

// Every box of a run becomes one line on standard error, each text once; a
// question takes its default answer, as nobody is there to give another.
void MessaggiSuRiga()
{
    ImpostaGestoreMessaggi([](const RichiestaMessaggio& r) {
        static QSet<QString> detti;
        const QString testo = r.testo.simplified();
        if (!testo.isEmpty() && !detti.contains(testo)) {
            detti.insert(testo);
            const bool domanda =
                r.pulsanti == Pulsanti::SiNo || r.pulsanti == Pulsanti::SiNoAnnulla;
            Riga(stderr, domanda
                             ? testo + (r.predefinita == Risposta::Si ? u" -> SI"_s : u" -> NO"_s)
                             : testo);
        }
        return r.predefinita;
    });
}

void Avvisa(const EsitoRiceviAutomatico& e)
{
    QStringList righe;
    for (const QString& n : e.nonRicevuti)
        righe << u"Non ricevuto: "_s + n;
    for (const QString& n : e.nonSbustati)
        righe << u"Non sbustato: "_s + n;
    if (e.ricevuti.isEmpty() && righe.isEmpty())
        return;
    if (righe.size() > NomiNellAvviso) {
        const qsizetype altri = righe.size() - NomiNellAvviso;
        righe = righe.mid(0, NomiNellAvviso);
        righe << u"... e altri "_s + QString::number(altri);
    }
    NotificaDesktop(e.ricevuti.isEmpty() ? u"Ricezione dalla Dogana non completa"_s
                                         : TitoloNuoviMessaggi(static_cast<int>(e.ricevuti.size())),
                    righe.join(u'\n'));
}

} // namespace

int EseguiComandoRicevi(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"norvel"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(NORVEL_VERSIONE));

    QCommandLineParser opzioni;
    opzioni.setApplicationDescription(
        u"Riceve i messaggi nuovi del giorno dalla Dogana, senza finestre."_s);
    const QCommandLineOption aiuto = opzioni.addHelpOption();
    const QCommandLineOption cartella(u"cartella"_s, u"Cartella del programma."_s, u"DIR"_s);
    const QCommandLineOption giorno(u"giorno"_s, u"Giorno dei messaggi (predefinito: oggi)."_s,
                                    u"MMGG"_s);
    const QCommandLineOption verifica(
        u"verifica"_s, u"Sbusta ogni file ricevuto in Verificati, come \"&SPOSTA\"."_s);
    opzioni.addOptions({cartella, giorno, verifica});
    opzioni.addPositionalArgument(u"ricevi"_s, u"Il comando."_s);
    if (!opzioni.parse(QCoreApplication::arguments()) ||
        opzioni.positionalArguments().size() != 1) {
        Riga(stderr,
             (opzioni.errorText().isEmpty() ? u"Argomenti non previsti."_s : opzioni.errorText()) +
                 u" Uso: norvel ricevi [--cartella DIR] [--giorno MMGG] [--verifica]"_s);
        return RicezioneImpossibile;
    }
    if (opzioni.isSet(aiuto)) {
        Riga(stdout, opzioni.helpText());
        return RicezioneFatta;
    }

    OpzioniRiceviAutomatico richiesta;
    richiesta.cartellaProgramma =
        opzioni.isSet(cartella) ? opzioni.value(cartella) : CartellaProgrammaPredefinita();
    richiesta.verifica = opzioni.isSet(verifica);
    if (opzioni.isSet(giorno)) {
        richiesta.giorno = GiornoDaMmgg(opzioni.value(giorno), Oggi());
        if (!richiesta.giorno.isValid()) {
            Riga(stderr, u"GIORNO NON VALIDO: '"_s + opzioni.value(giorno) +
                             u"' (ATTESO MMGG, PER ESEMPIO 0315)"_s);
            return RicezioneImpossibile;
        }
    }

    MessaggiSuRiga();
    // A stop (the timer's, a logout) ends the client as the window's stop
    // does; the run then winds down by itself.
    InstallaSegnaliTermine([]() {});
    const EsitoRiceviAutomatico esito = RiceviAutomatico(richiesta);

    QHash<QString, QString> locali;
    for (const auto& [nome, locale] : esito.sbustati)
        locali.insert(nome, locale);
    for (const QString& n : esito.ricevuti)
        Riga(stdout, locali.contains(n) ? n + u" -> "_s + locali.value(n) : n);
    for (const QString& e : esito.errori)
        Riga(stderr, e);
    if (esito.giri > 0) {
        QString somma = u"Ricevuti: "_s + QString::number(esito.ricevuti.size()) + u" file in "_s +
                        QString::number(esito.giri) + (esito.giri == 1 ? u" giro"_s : u" giri"_s);
        if (richiesta.verifica)
            somma += u"; sbustati in Verificati: "_s + QString::number(esito.sbustati.size());
        if (!esito.nonRicevuti.isEmpty())
            somma += u"; non ricevuti: "_s + QString::number(esito.nonRicevuti.size());
        if (!esito.nonSbustati.isEmpty())
            somma += u"; non sbustati: "_s + QString::number(esito.nonSbustati.size());
        Riga(stdout, somma);
        Avvisa(esito);
    }
    return esito.codice;
}
