// Listing and sorting a "Firmati" folder of 20,000 matching declarations,
// against plain scans of the same folder. The listing's cost is given as a
// ratio to a scan that reads each file's name, size and time and does nothing
// more (no mask, no local time): "ratio listing/stat-scan: N.NN", target 1.30.

#include "invio/ElencoFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>

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

struct VoceScansione
{
    QString nome;
    qint64 dimensione;
    qint64 modificaMs;
};

// The floor of any listing: every plain file's name, size and modification
// time as the system gives them, the time left in UTC.
QList<VoceScansione> ScansioneStat(const QString& cartella)
{
    QList<VoceScansione> voci;
    DIR* d = ::opendir(QFile::encodeName(cartella).constData());
    if (!d)
        return voci;
    const int fd = ::dirfd(d);
    while (const dirent* e = ::readdir(d)) {
        struct stat info;
        if (::fstatat(fd, e->d_name, &info, 0) != 0 || !S_ISREG(info.st_mode))
            continue;
        voci.append({QFile::decodeName(e->d_name), qint64(info.st_size),
                     qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000});
    }
    ::closedir(d);
    return voci;
}

void ScansioneConAttributi(benchmark::State& stato)
{
    const QString c = Cartella();
    for (auto _ : stato)
        benchmark::DoNotOptimize(ScansioneStat(c).size());
    PiccoMemoria(stato);
}

// The listing alone: mask, marks and local times, no sort.
void Elenco(benchmark::State& stato)
{
    const QString c = Cartella();
    ElencoFile elenco;
    for (auto _ : stato) {
        elenco.Carica(c, QString::fromLatin1(Maschera), {});
        benchmark::DoNotOptimize(elenco.Conta());
    }
    if (elenco.Conta() != Corrispondenti)
        stato.SkipWithError("wrong number of rows");
}

double NanosecondiCpu()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

// The best of several rounds of each, taken in turn and counted in this
// thread's CPU time, so that the other programs of a shared machine weigh on
// neither.
double RapportoElencoScansione()
{
    const QString c = Cartella();
    const QString maschera = QString::fromLatin1(Maschera);
    ElencoFile elenco;
    double elencoMin = 0;
    double scansioneMin = 0;
    for (int giro = 0; giro < 21; ++giro) {
        double inizio = NanosecondiCpu();
        benchmark::DoNotOptimize(ScansioneStat(c).size());
        const double s = NanosecondiCpu() - inizio;
        inizio = NanosecondiCpu();
        elenco.Carica(c, maschera, {});
        benchmark::DoNotOptimize(elenco.Conta());
        const double e = NanosecondiCpu() - inizio;
        scansioneMin = giro == 0 ? s : std::min(scansioneMin, s);
        elencoMin = giro == 0 ? e : std::min(elencoMin, e);
    }
    return elencoMin / scansioneMin;
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
        elenco.Ordina(int(stato.range(0)), Crescente);
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
    ModoOrdine verso = Crescente;
    for (auto _ : stato) {
        elenco.Ordina(int(stato.range(0)), verso);
        verso = verso == Crescente ? Decrescente : Crescente;
        benchmark::DoNotOptimize(elenco.Conta());
    }
}

} // namespace

BENCHMARK(ScansioneNomi)->Unit(benchmark::kMillisecond);
BENCHMARK(ScansioneConAttributi)->Unit(benchmark::kMillisecond);
BENCHMARK(Elenco)->Unit(benchmark::kMillisecond);
BENCHMARK(CaricaEOrdina)->Arg(ColonnaNome)->Arg(ColonnaData)->Unit(benchmark::kMillisecond);
BENCHMARK(SoloOrdina)->Arg(ColonnaNome)->Arg(ColonnaData)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("ratio listing/stat-scan: %.2f\n", RapportoElencoScansione());
    return 0;
}
