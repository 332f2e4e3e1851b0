// The transfer log window on a day of 200,000 records: from the window's
// construction to its rows on screen, against reading the same file with Qt's
// JSON parser a line at a time (the floor); and the memory the day adds to
// the window once it is at rest.

#include "info/ui/FrmRegistro.h"
#include "shell/Global.h"
#include "shell/RegistroTrasferimenti.h"

#include "../Misure.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <unistd.h>

namespace {

constexpr int Record = 200000;
constexpr int Giri = 3;
const QDate Giorno(2024, 12, 7);

// Runs of a start, eight files and an end, as the runner writes them.
QByteArray Giornata(int quanti)
{
    QByteArray testo;
    testo.reserve(qsizetype(quanti) * 200);
    for (int i = 0; i < quanti; ++i) {
        const QByteArray corsa = QByteArray::number(i / 10);
        const QByteArray ora = "2024-12-07T09:" + QByteArray::number(10 + i % 50) + ":00+01:00";
        switch (i % 10) {
        case 0:
            testo +=
                R"({"tipo":"inizio","ora":")" + ora +
                R"(","operazione":"invio","host":"ftp.agenziadogane.it","utente":"ACME","corsa":")" +
                corsa + "\"}\n";
            break;
        case 9:
            testo += R"({"tipo":"fine","ora":")" + ora +
                     R"(","uscita":0,"durata_s":4.26,"esito":"completato","corsa":")" + corsa +
                     "\"}\n";
            break;
        default:
            testo +=
                R"({"tipo":"file","ora":")" + ora + R"(","file":"ACME)" + QByteArray::number(i) +
                R"(.T01","direzione":"put","byte":1000,"esito":"accettato","risposta":"226 Transfer complete","corsa":")" +
                corsa + "\"}\n";
        }
    }
    return testo;
}

double Analisi(const QString& percorso)
{
    QElapsedTimer t;
    t.start();
    QFile f(percorso);
    f.open(QIODevice::ReadOnly);
    const QList<QByteArray> righe = f.readAll().split('\n');
    QList<QJsonObject> record;
    for (const QByteArray& riga : righe) {
        if (riga.isEmpty())
            continue;
        const QJsonDocument d = QJsonDocument::fromJson(riga);
        if (d.isObject())
            record.append(d.object());
    }
    const double s = double(t.nsecsElapsed()) / 1e9;
    if (record.size() != Record)
        std::fprintf(stderr, "parsed %lld records\n", static_cast<long long>(record.size()));
    return s;
}

// Opens the window and returns the seconds until its rows are on screen.
double Apri(std::unique_ptr<FrmRegistro>& finestra)
{
    QElapsedTimer t;
    t.start();
    finestra = std::make_unique<FrmRegistro>();
    finestra->setWindowModality(Qt::NonModal);
    finestra->show();
    if (!QTest::qWaitForWindowExposed(finestra.get()) ||
        !QTest::qWaitFor([&]() { return finestra->Filtro()->rowCount() > 0; }, 60000))
        std::fprintf(stderr, "the window did not show its rows\n");
    QApplication::processEvents();
    return double(t.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    CartellaProgramma = dir.path();
    FileIni = dir.filePath(QStringLiteral("norvel.ini"));
    QDir().mkpath(CartellaRegistro());
    // A day of a few records first: the window, its fonts and styles, warm.
    QFile piccolo(FileRegistro(Giorno.addDays(-1)));
    piccolo.open(QIODevice::WriteOnly);
    piccolo.write(Giornata(10));
    piccolo.close();
    std::unique_ptr<FrmRegistro> finestra;
    Apri(finestra);
    finestra.reset();
    Apri(finestra);
    QTest::qWait(300);
    const double aRiposo = MiBResidenti();
    finestra.reset();

    QFile grande(FileRegistro(Giorno));
    grande.open(QIODevice::WriteOnly);
    grande.write(Giornata(Record));
    grande.close();

    std::vector<double> finestre;
    std::vector<double> analisi;
    double conGiorno = 0;
    for (int i = 0; i < Giri; ++i) {
        finestre.push_back(Apri(finestra));
        if (finestra->Filtro()->rowCount() != Record)
            std::fprintf(stderr, "the window shows %d rows\n", finestra->Filtro()->rowCount());
        // Before the floor's parse has grown the heap.
        if (i == 0) {
            QTest::qWait(300);
            conGiorno = MiBResidenti();
        }
        finestra.reset();
        analisi.push_back(Analisi(grande.fileName()));
    }
    const double f = Mediana(finestre);
    const double a = Mediana(analisi);
    std::printf("log window on %d records: %.3f s to the rows on screen (median of %d)\n", Record,
                f, Giri);
    std::printf("QJsonDocument line by line (floor): %.3f s\n", a);
    std::printf("ratio log-window-200k/parse: %.2f\n", f / a);
    std::printf("memory above the window at rest: %.1f MiB (window on a small day: %.1f MiB)\n",
                conGiorno - aRiposo, aRiposo);
    std::printf("table: log window, day of %d records | %.3f s, +%.1f MiB | %.3f s (QJsonDocument) "
                "| %.2f\n",
                Record, f, conGiorno - aRiposo, a, f / a);
    return 0;
}
