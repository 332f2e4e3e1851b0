// Marking down the send window's list with the "S" key, one press per row, on
// lists of 1,000, 5,000 and 20,000 files: the real window, the key through the
// grid's own action. A press's cost must not grow with the list.
//
//   Premi            the press alone: the key, the marks, both grids told
//   PremiEDipingi    the press and the repaint that follows it
//   Segno            the press's own bookkeeping, without widgets
//   Ricostruzione    what each press cost before: every row scanned for its
//                    mark and the marked names sorted (half the list marked)

#include "invio/ElencoFile.h"
#include "invio/ui/Dos2Edi.h"
#include "piattaforma/Orologio.h"
#include "shell/Global.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <map>

namespace {

QTemporaryDir& Radice()
{
    static QTemporaryDir radice;
    return radice;
}

// A folder of quanti declarations of today, made once.
QString Cartella(int quanti)
{
    static std::map<int, QString> fatte;
    if (auto it = fatte.find(quanti); it != fatte.end())
        return it->second;
    const QString cartella = Radice().filePath(QString::number(quanti));
    QDir().mkpath(cartella);
    const QDate oggi = Oggi();
    const QString prefisso = QStringLiteral("ABCD%1%2.T")
                                 .arg(oggi.month(), 2, 10, QLatin1Char('0'))
                                 .arg(oggi.day(), 2, 10, QLatin1Char('0'));
    for (int i = 0; i < quanti; ++i) {
        QFile f(cartella + QLatin1Char('/') + prefisso +
                QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')));
        if (!f.open(QIODevice::WriteOnly))
            return {};
    }
    fatte[quanti] = cartella;
    return cartella;
}

void PreparaGlobali(const QString& cartella)
{
    AzzeraGlobali();
    FileIni = Radice().filePath(QStringLiteral("norvel.ini"));
    ParametriEdi.UtenteFtp = QStringLiteral("ABCD");
    ParametriEdi.CartellaFirmati = cartella;
    ParametriEdi.CartellaInviati = Radice().filePath(QStringLiteral("Inviati"));
    ConnessoRemoto = true;
}

void MarcaLaLista(benchmark::State& stato, bool dipingi)
{
    const int righe = int(stato.range(0));
    const QString cartella = Cartella(righe);
    if (cartella.isEmpty()) {
        stato.SkipWithError("no folder of declarations");
        return;
    }
    PreparaGlobali(cartella);
    Dos2Edi finestra;
    finestra.show();
    finestra.activateWindow();
    if (!QTest::qWaitForWindowActive(&finestra)) {
        stato.SkipWithError("the window did not come up");
        return;
    }
    auto* griglia = finestra.findChild<QTableView*>(QStringLiteral("grdElenco"));
    griglia->setFocus();
    griglia->setCurrentIndex(griglia->model()->index(0, 1));
    QCoreApplication::processEvents();
    for (auto _ : stato) {
        QTest::keyClick(griglia, Qt::Key_S);
        if (dipingi)
            QCoreApplication::processEvents();
    }
    if (finestra.Elenco().ContaInvio() != qsizetype(stato.iterations()))
        stato.SkipWithError("a press did not mark its row");
    stato.counters["righe"] = righe;
}

void Premi(benchmark::State& stato)
{
    MarcaLaLista(stato, false);
}

void PremiEDipingi(benchmark::State& stato)
{
    MarcaLaLista(stato, true);
}

void Segno(benchmark::State& stato)
{
    const int righe = int(stato.range(0));
    ElencoFile elenco;
    elenco.Carica(Cartella(righe), QStringLiteral("*"), {});
    elenco.Ordina(ColonnaNome, Crescente);
    qsizetype riga = 0;
    for (auto _ : stato) {
        // As the window does: where the name goes in, the mark, the name shown.
        const qsizetype posto = elenco.PosizioneInvio(riga);
        elenco.Segna(riga);
        benchmark::DoNotOptimize(elenco.NomeInvio(posto));
        riga = (riga + 1) % righe;
    }
    stato.counters["righe"] = righe;
}

void Ricostruzione(benchmark::State& stato)
{
    const int righe = int(stato.range(0));
    ElencoFile elenco;
    elenco.Carica(Cartella(righe), QStringLiteral("*"), {});
    elenco.Ordina(ColonnaData, Crescente);
    for (qsizetype r = 0; r < righe; r += 2)
        elenco.Segna(r);
    for (auto _ : stato) {
        QStringList nomi;
        for (const RigaFile& r : elenco.Righe())
            if (r.Segnata())
                nomi.append(r.nome);
        std::sort(nomi.begin(), nomi.end());
        benchmark::DoNotOptimize(nomi.size());
    }
    stato.counters["righe"] = righe;
}

} // namespace

// One pass down each list: one iteration a row.
BENCHMARK(Premi)->Arg(1000)->Iterations(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Premi)->Arg(5000)->Iterations(5000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Premi)->Arg(20000)->Iterations(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(PremiEDipingi)->Arg(1000)->Iterations(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(PremiEDipingi)->Arg(5000)->Iterations(5000)->Unit(benchmark::kMicrosecond);
BENCHMARK(PremiEDipingi)->Arg(20000)->Iterations(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Segno)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Ricostruzione)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
