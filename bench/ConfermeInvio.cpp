// The send run's bookkeeping over 1,000, 5,000 and 20,000 names: the names
// checked, the client's script built, and each name found accepted or not in
// the client's transcript. Every tenth upload is refused. The cost per name
// must stay flat as the names grow (linear in all).

#include "invio/InvioBolle.h"
#include "shell/ValoriFtp.h"

#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

QStringList Nomi(int quanti)
{
    QStringList nomi;
    nomi.reserve(quanti);
    for (int i = 0; i < quanti; ++i)
        nomi.append(QStringLiteral("ABCD1207.T%1.%2")
                        .arg(i % 100, 2, 10, QLatin1Char('0'))
                        .arg(i, 5, 10, QLatin1Char('0')));
    return nomi;
}

// What a verbose client prints for the uploads.
QString Trascrizione(const QStringList& nomi)
{
    QString t;
    for (qsizetype i = 0; i < nomi.size(); ++i) {
        const QString& n = nomi[i];
        t += QStringLiteral("ftp> put ") + n + QStringLiteral("\nlocal: ") + n +
             QStringLiteral(" remote: ") + n +
             QStringLiteral("\n227 Entering Passive Mode (127,0,0,1,195,80).\n");
        if (i % 10 == 9) {
            t += QStringLiteral("553 ") + n + QStringLiteral(": Permission denied\n");
            continue;
        }
        t += QStringLiteral("150 Opening BINARY mode data connection for ") + n +
             QStringLiteral("\n226 Transfer complete\n2048 bytes sent in 00:00 (4.1 MiB/s)\n");
    }
    return t;
}

void ConteggioInvio(benchmark::State& stato)
{
    const int quanti = int(stato.range(0));
    const QStringList elenco = Nomi(quanti);
    const QString trascrizione = Trascrizione(elenco);
    const QString cartella = QStringLiteral("/tmp/Firmati");
    for (auto _ : stato) {
        QStringList nomi;
        for (const QString& n : elenco)
            if (NomeFileSemplice(n))
                nomi.append(n);
        const RichiestaFtp richiesta = RichiestaInvio(nomi, cartella);
        const ConfermeInvio conferme = LeggiConferme(trascrizione, nomi);
        benchmark::DoNotOptimize(richiesta.righe.size() + conferme.nonInviati.size());
        if (conferme.nonInviati.size() != quanti / 10)
            stato.SkipWithError("wrong number of refused uploads");
    }
    stato.SetComplexityN(quanti);
    stato.counters["per_nome"] = benchmark::Counter(
        quanti, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(ConteggioInvio)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

BENCHMARK_MAIN();
