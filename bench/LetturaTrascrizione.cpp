// The live reading of a send run of 1,000, 5,000 and 20,000 uploads, and of
// a receive run of as many downloads: the client's transcript fed a line at
// a time to what the runner does on each new line (the transcript read, the
// transfer log written, the progress worked out). The cost per line must stay flat as the run
// grows. For comparison, what a line cost when the whole transcript so far was read again on each,
// timed over 20 lines halfway through the run.

#include "piattaforma/Orologio.h"
#include "scambio/EseguiScriptFtp.h"
#include "scambio/OsservatoreFtp.h"
#include "scambio/RegistroCorsa.h"
#include "scambio/TrascrizioneFtp.h"
#include "shell/Global.h"
#include "shell/RegistroTrasferimenti.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int RigheCampione = 20;

QString Nome(int i)
{
    return QStringLiteral("ACME1207.T%1").arg(i, 5, 10, QLatin1Char('0'));
}

RichiestaFtp Corsa(int quanti, bool ricezione)
{
    RichiestaFtp r;
    r.cartella = CartellaProgramma;
    r.utente = QStringLiteral("ACME");
    r.password = QStringLiteral("Segreta1");
    r.operazione = ricezione ? QStringLiteral("ricezione") : QStringLiteral("invio");
    for (int i = 0; i < quanti; ++i)
        r.righe.append(ricezione ? QString(u"get "_s + Nome(i) + u' ' + Nome(i) + u".tmp"_s)
                                 : QString(u"put "_s + Nome(i)));
    return r;
}

// What the system client prints for the transfers, a line each; every
// tenth is refused.
QList<QByteArray> Trascrizione(int quanti, bool ricezione)
{
    QList<QByteArray> righe = {"Connected to 127.0.0.1.\n",
                               "220 ProFTPD Server (prova) [127.0.0.1]\n",
                               "331 Password required for ACME\n", "230 User ACME logged in\n"};
    for (int i = 0; i < quanti; ++i) {
        const QByteArray n = Nome(i).toLatin1();
        righe << "local: " + n + (ricezione ? ".tmp" : "") + " remote: " + n + '\n'
              << QByteArray("229 Entering Extended Passive Mode (|||27125|)\n");
        if (i % 10 == 9) {
            righe << "553 " + n + ": Permission denied\n";
            continue;
        }
        righe << "150 Opening BINARY mode data connection for " + n + '\n'
              << QByteArray("226 Transfer complete\n")
              << (ricezione ? QByteArray("2048 bytes received in 00:00 (28.93 KiB/s)\n")
                            : QByteArray("2048 bytes sent in 00:00 (28.93 KiB/s)\n"));
    }
    righe << QByteArray("221 Goodbye.\n");
    return righe;
}

void PerRiga(benchmark::State& stato, qsizetype righe)
{
    stato.counters["righe"] = double(righe);
    stato.counters["per_riga"] = benchmark::Counter(
        double(righe), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void LetturaInCorsa(benchmark::State& stato, bool ricezione)
{
    const int quanti = int(stato.range(0));
    const RichiestaFtp richiesta = Corsa(quanti, ricezione);
    const QList<QByteArray> righe = Trascrizione(quanti, ricezione);
    const IoProcesso io{1000, 2000, 0};
    for (auto _ : stato) {
        stato.PauseTiming();
        QFile::remove(FileRegistro(Adesso().date()));
        stato.ResumeTiming();
        RegistroCorsa registro(richiesta, Adesso());
        OsservatoreFtp osservatore(richiesta);
        LettoreTrascrizione lettura(richiesta.righe);
        for (const QByteArray& riga : righe) {
            lettura.Aggiungi(riga);
            registro.Aggiorna(lettura);
            benchmark::DoNotOptimize(osservatore.Calcola(lettura, io, 1));
        }
        if (lettura.Conclusi() != quanti - 1)
            stato.SkipWithError("the live reading did not follow the run");
    }
    if (QFileInfo(FileRegistro(Adesso().date())).size() == 0)
        stato.SkipWithError("the transfer log was not written");
    PerRiga(stato, righe.size());
}

void RiletturaIntera(benchmark::State& stato)
{
    const int quanti = int(stato.range(0));
    const RichiestaFtp richiesta = Corsa(quanti, false);
    const QList<QByteArray> righe = Trascrizione(quanti, false);
    const qsizetype meta = righe.size() / 2;
    QByteArray primaMeta;
    for (qsizetype i = 0; i < meta; ++i)
        primaMeta += righe[i];
    for (auto _ : stato) {
        QByteArray letti = primaMeta;
        for (qsizetype i = meta; i < meta + RigheCampione; ++i) {
            letti += righe[i];
            const QString trascrizione = QString::fromLocal8Bit(letti);
            benchmark::DoNotOptimize(FileDellaTrascrizione(richiesta.righe, trascrizione));
            benchmark::DoNotOptimize(TrasferimentiFtp(trascrizione).size());
        }
    }
    PerRiga(stato, RigheCampione);
}

} // namespace

BENCHMARK_CAPTURE(LetturaInCorsa, invio, false)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LetturaInCorsa, ricezione, true)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(RiletturaIntera)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir cartella;
    CartellaProgramma = cartella.path();
    ImpostaOrologio([] { return QDateTime(QDate(2024, 12, 7), QTime(9, 0)); });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
