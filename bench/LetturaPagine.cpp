// The page readers on pages of today's size: the transit page and the VIES
// page with their markers behind 200 KB of scripts and styles, read from the
// page text (no network), against a plain search for the same markers.

#include "shell/Global.h"
#include "web/GetHtmPage.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString Pagina(const char* nome)
{
    // A reader takes the web addresses from the settings file: the
    // program always has one, and so must the benchmark, or each reader
    // warns that it was given no file name.
    static QTemporaryDir cartella;
    FileIni = cartella.filePath(QStringLiteral("Norvel.ini"));
    QFile f(QStringLiteral(NORVEL_PAGINE "/") + QLatin1StringView(nome));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString testo = QString::fromUtf8(f.readAll());
    const QString copione = QStringLiteral("<script>/*") + QString(200000, QLatin1Char('x')) +
                            QStringLiteral("*/</script>\n");
    testo.insert(testo.indexOf(QStringLiteral("</head>")), copione);
    return testo;
}

void LetturaTransito(benchmark::State& stato)
{
    const QString testo = Pagina("transito.htm");
    GetHtmPage pagina;
    pagina.plMRN(QStringLiteral("24ITQV1234567890T5"));
    for (auto _ : stato) {
        pagina.plTestoPagina(testo);
        benchmark::DoNotOptimize(pagina.xGetTransito());
    }
    stato.SetBytesProcessed(stato.iterations() * testo.size() * 2);
}
BENCHMARK(LetturaTransito);

void LetturaVies(benchmark::State& stato)
{
    const QString testo = Pagina("vies-valido.htm");
    GetHtmPage pagina;
    pagina.plVAT(QStringLiteral("IT01234567890"));
    for (auto _ : stato) {
        pagina.plTestoPagina(testo);
        benchmark::DoNotOptimize(pagina.xGetVat(true));
    }
    stato.SetBytesProcessed(stato.iterations() * testo.size() * 2);
}
BENCHMARK(LetturaVies);

// The floor: finding the 20 transit markers alone.
void SoloRicerche(benchmark::State& stato)
{
    const QString testo = Pagina("transito.htm");
    for (auto _ : stato) {
        qsizetype p = 0;
        for (int i = 0; i < 20; ++i)
            p = testo.indexOf(i < 4 ? QStringLiteral("dati1\">") : QStringLiteral("dati2\">"),
                              p + 1);
        benchmark::DoNotOptimize(p);
    }
    stato.SetBytesProcessed(stato.iterations() * testo.size() * 2);
}
BENCHMARK(SoloRicerche);

} // namespace

BENCHMARK_MAIN();
