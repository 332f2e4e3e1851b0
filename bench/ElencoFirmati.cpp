// Listing and sorting a "Firmati" folder of 20,000 matching declarations,
// against plain scans of the same folder with the same mask.

#include "invio/ElencoFile.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

constexpr int Corrispondenti = 20000;
constexpr int Altri = 2000;
const char Maschera[] = "ABCD1207.???*";

const QString& Cartella()
{
    static QTemporaryDir dir;
    static QString percorso;
    if (percorso.isEmpty()) {
        const QString tipi = QStringLiteral("TISRCMVQO4");
        const QDateTime base(QDate(2024, 1, 1), QTime(8, 0));
        auto crea = [](const QString& p, qint64 byte, const QDateTime& quando) {
            QFile f(p);
            if (!f.open(QIODevice::WriteOnly))
                return;
            f.resize(byte);
            f.setFileTime(quando, QFileDevice::FileModificationTime);
        };
        for (int i = 0; i < Corrispondenti; ++i) {
            const QString nome = QStringLiteral("ABCD1207.%1%2.%3")
                                     .arg(tipi[i % tipi.size()])
                                     .arg(i % 100, 2, 10, QLatin1Char('0'))
                                     .arg(i, 5, 10, QLatin1Char('0'));
            crea(dir.filePath(nome), (i * 7919) % 50000,
                 base.addSecs(qint64((i * 104729LL) % 31536000)));
        }
        for (int i = 0; i < Altri; ++i)
            crea(dir.filePath(QStringLiteral("ABCD1206.T00.%1").arg(i)), 10, base);
        percorso = dir.path();
    }
    return percorso;
}

void PiccoMemoria(benchmark::State& stato)
{
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    stato.counters["picco_MB"] = double(uso.ru_maxrss) / 1024.0;
}

// The names a directory search of the mask gives.
void ScansioneNomi(benchmark::State& stato)
{
    const QString c = Cartella();
    for (auto _ : stato) {
        const QStringList n = QDir(c).entryList({QString::fromLatin1(Maschera)}, QDir::Files);
        benchmark::DoNotOptimize(n.size());
    }
    PiccoMemoria(stato);
}

// The same search reading each file's date and size, as a "dir" does.
void ScansioneConAttributi(benchmark::State& stato)
{
    const QString c = Cartella();
    for (auto _ : stato) {
        qint64 totale = 0;
        QDirIterator it(c, {QString::fromLatin1(Maschera)}, QDir::Files);
        while (it.hasNext()) {
            it.next();
            const QFileInfo f = it.fileInfo();
            totale += f.size() + f.lastModified().toSecsSinceEpoch();
        }
        benchmark::DoNotOptimize(totale);
    }
    PiccoMemoria(stato);
}

// The send window's reload: the listing with the marks, then the sort.
void CaricaEOrdina(benchmark::State& stato)
{
    const QString c = Cartella();
    const QStringList segnati = {QStringLiteral("ABCD1207.T00.00000"),
                                 QStringLiteral("ABCD1207.I01.00001")};
    ElencoFile elenco;
    for (auto _ : stato) {
        elenco.Carica(c, QString::fromLatin1(Maschera), segnati);
        elenco.Ordina(int(stato.range(0)), 1);
        benchmark::DoNotOptimize(elenco.Conta());
    }
    if (elenco.Conta() != Corrispondenti)
        stato.SkipWithError("wrong number of rows");
    PiccoMemoria(stato);
}

// A sort alone, as a click on a header makes it.
void SoloOrdina(benchmark::State& stato)
{
    ElencoFile elenco;
    elenco.Carica(Cartella(), QString::fromLatin1(Maschera), {});
    int verso = 1;
    for (auto _ : stato) {
        elenco.Ordina(int(stato.range(0)), verso);
        verso = 3 - verso;
        benchmark::DoNotOptimize(elenco.Conta());
    }
}

} // namespace

BENCHMARK(ScansioneNomi)->Unit(benchmark::kMillisecond);
BENCHMARK(ScansioneConAttributi)->Unit(benchmark::kMillisecond);
BENCHMARK(CaricaEOrdina)->Arg(ColonnaNome)->Arg(ColonnaData)->Unit(benchmark::kMillisecond);
BENCHMARK(SoloOrdina)->Arg(ColonnaNome)->Arg(ColonnaData)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
