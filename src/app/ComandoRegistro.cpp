#include "app/ComandoRegistro.h"

#include "piattaforma/Orologio.h"
#include "piattaforma/Percorsi.h"
#include "shell/Global.h"
#include "shell/RicercaRegistro.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int GiorniPredefiniti = 30;
constexpr int Errore = 2;

void Riga(std::FILE* dove, const QByteArray& testo)
{
    std::fwrite(testo.constData(), 1, static_cast<size_t>(testo.size()), dove);
    std::fputc('\n', dove);
}

// Only the exact form: "2024-2-3" or "2024-02-30" is a mistake, said.
bool LeggiGiorno(const QString& testo, QDate& giorno)
{
    giorno = QDate::fromString(testo, u"yyyy-MM-dd"_s);
    return giorno.isValid() && giorno.toString(u"yyyy-MM-dd"_s) == testo;
}

} // namespace

int EseguiComandoRegistro(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"norvel"_s);

    QCommandLineParser opzioni;
    opzioni.setApplicationDescription(
        u"Mostra il registro dei trasferimenti, giorno per giorno."_s);
    const QCommandLineOption aiuto = opzioni.addHelpOption();
    const QCommandLineOption cartella(u"cartella"_s, u"Cartella del programma."_s, u"DIR"_s);
    const QCommandLineOption dal(u"dal"_s, u"Dal giorno (predefinito: gli ultimi 30 giorni)."_s,
                                 u"AAAA-MM-GG"_s);
    const QCommandLineOption al(u"al"_s, u"Al giorno."_s, u"AAAA-MM-GG"_s);
    const QCommandLineOption cerca(u"cerca"_s, u"Solo i file il cui nome contiene TESTO."_s,
                                   u"TESTO"_s);
    const QCommandLineOption operazione(
        u"operazione"_s, u"Solo le corse di questa operazione (invio, ricezione, ...)."_s,
        u"NOME"_s);
    const QCommandLineOption json(u"json"_s, u"I record come sono memorizzati."_s);
    opzioni.addOptions({cartella, dal, al, cerca, operazione, json});
    opzioni.addPositionalArgument(u"registro"_s, u"Il comando."_s);
    if (!opzioni.parse(QCoreApplication::arguments()) ||
        opzioni.positionalArguments().size() != 1) {
        Riga(stderr,
             (opzioni.errorText().isEmpty() ? u"Argomenti non previsti."_s : opzioni.errorText())
                 .toLocal8Bit());
        Riga(stderr, opzioni.helpText().toLocal8Bit());
        return Errore;
    }
    if (opzioni.isSet(aiuto)) {
        Riga(stdout, opzioni.helpText().toLocal8Bit());
        return 0;
    }

    FiltroRegistro filtro;
    filtro.dal = Oggi().addDays(1 - GiorniPredefiniti);
    for (const auto& [opzione, giorno] : {std::pair{&dal, &filtro.dal}, std::pair{&al, &filtro.al}})
        if (opzioni.isSet(*opzione) && !LeggiGiorno(opzioni.value(*opzione), *giorno)) {
            Riga(stderr, (u"GIORNO NON VALIDO: '"_s + opzioni.value(*opzione) +
                          u"' (ATTESO AAAA-MM-GG, PER ESEMPIO 2024-12-07)"_s)
                             .toLocal8Bit());
            return Errore;
        }
    filtro.cerca = opzioni.value(cerca).trimmed();
    filtro.operazione = opzioni.value(operazione).trimmed();

    const QString c =
        opzioni.isSet(cartella) ? opzioni.value(cartella) : CartellaProgrammaPredefinita();
    if (!QFileInfo(c).isDir()) {
        Riga(stderr, (u"LA CARTELLA DEL PROGRAMMA "_s + c + u" NON ESISTE"_s).toLocal8Bit());
        return Errore;
    }
    CartellaProgramma = QDir(c).absolutePath();

    const RisultatoRegistro letto = CercaRegistro(filtro);
    for (const VoceRegistro& v : letto.voci)
        Riga(stdout, opzioni.isSet(json) ? v.riga : RigaCronologia(v).toLocal8Bit());
    for (const QString& e : letto.errori)
        Riga(stderr, (u"IMPOSSIBILE LEGGERE "_s + e).toLocal8Bit());
    if (letto.illeggibili > 0)
        Riga(stderr, (QString::number(letto.illeggibili) +
                      (letto.illeggibili == 1 ? u" riga illeggibile saltata"_s
                                              : u" righe illeggibili saltate"_s) +
                      u" (scrittura interrotta)"_s)
                         .toLocal8Bit());
    return letto.errori.isEmpty() ? 0 : 1;
}
