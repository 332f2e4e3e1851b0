// The CPU time the program spends while it waits for an FTP client that takes
// five seconds, against the wall time of the wait (target: under 2 %). The
// client is a stand-in that sleeps and then deletes the marker, as the last
// line of a real script does.

#include "piattaforma/Messaggi.h"
#include "scambio/EseguiScriptFtp.h"
#include "shell/Global.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

constexpr int SecondiCliente = 5;

double SecondiCpu()
{
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    auto s = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return s(uso.ru_utime) + s(uso.ru_stime);
}

void AttesaDelCliente(benchmark::State& stato)
{
    QTemporaryDir dir;
    const QString bin = dir.filePath(QStringLiteral("bin"));
    const QString lavoro = dir.filePath(QStringLiteral("lavoro"));
    QDir().mkpath(bin);
    QDir().mkpath(lavoro);
    QFile finto(bin + QStringLiteral("/ftp"));
    finto.open(QIODevice::WriteOnly);
    finto.write(QStringLiteral("#!/bin/sh\ncat > /dev/null\nsleep %1\nrm -f Xchk\n")
                    .arg(SecondiCliente)
                    .toLatin1());
    finto.close();
    finto.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("PATH", QFile::encodeName(bin) + ':' + qgetenv("PATH"));
    FileComandiFtp = dir.filePath(QStringLiteral("Xcmd.txt"));
    ImpostaGestoreMessaggi([](const RichiestaMessaggio&) { return Risposta::No; });

    RichiestaFtp r;
    r.cartella = lavoro;
    r.host = QStringLiteral("127.0.0.1");
    r.utente = QStringLiteral("ACME");
    r.password = QStringLiteral("x");
    r.righe = QStringList{QStringLiteral("put ACME1207.T01")};
    r.messaggioAvvio = QString::fromLatin1(ErroreInvioBolle);

    double cpu = 0;
    double parete = 0;
    for (auto _ : stato) {
        QElapsedTimer orologio;
        const double prima = SecondiCpu();
        orologio.start();
        const EsitoFtp esito = EseguiScriptFtp(r);
        parete += double(orologio.nsecsElapsed()) / 1e9;
        cpu += SecondiCpu() - prima;
        if (!esito.eseguito)
            stato.SkipWithError("the stand-in client did not run");
    }
    stato.counters["cpu_s"] = cpu / double(stato.iterations());
    stato.counters["parete_s"] = parete / double(stato.iterations());
    stato.counters["cpu_percento"] = parete > 0 ? 100.0 * cpu / parete : 0;
}

} // namespace

BENCHMARK(AttesaDelCliente)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
