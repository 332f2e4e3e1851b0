// The send window on a "Firmati" folder of 100,000 declarations of today: from
// the window's construction to its list on screen, against `find` printing
// each file's name, size and time (the floor: the folder read and nothing
// more); then the memory once "Tutti" has marked every row, and the list's
// share of it per row.

#include "invio/ElencoFile.h"
#include "invio/ui/Dos2Edi.h"
#include "piattaforma/Orologio.h"
#include "shell/Global.h"

#include "../Misure.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include <unistd.h>

namespace {

constexpr int Dichiarazioni = 100000;
constexpr int Giri = 3;

bool Riempi(const QString& cartella, int quanti)
{
    QDir().mkpath(cartella);
    const QDate oggi = Oggi();
    const QString prefisso = QStringLiteral("ABCD%1%2.T")
                                 .arg(oggi.month(), 2, 10, QLatin1Char('0'))
                                 .arg(oggi.day(), 2, 10, QLatin1Char('0'));
    for (int i = 0; i < quanti; ++i) {
        QFile f(cartella + QLatin1Char('/') + prefisso +
                QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0')));
        if (!f.open(QIODevice::WriteOnly) || f.write("x", 1) != 1)
            return false;
    }
    return true;
}

void Prepara(const QString& radice, const QString& cartella)
{
    AzzeraGlobali();
    FileIni = QDir(radice).filePath(QStringLiteral("norvel.ini"));
    ParametriEdi.UtenteFtp = QStringLiteral("ABCD");
    ParametriEdi.CartellaFirmati = cartella;
    ParametriEdi.CartellaInviati = QDir(radice).filePath(QStringLiteral("Inviati"));
    ConnessoRemoto = true;
}

// Seconds from the window's construction to its list on screen.
double Apri(std::unique_ptr<Dos2Edi>& finestra, int righe)
{
    QElapsedTimer t;
    t.start();
    finestra = std::make_unique<Dos2Edi>();
    finestra->show();
    if (!QTest::qWaitForWindowExposed(finestra.get()) ||
        !QTest::qWaitFor([&]() { return finestra->Elenco().Conta() == righe; }, 120000))
        std::fprintf(stderr, "the list did not come: %lld rows\n",
                     static_cast<long long>(finestra->Elenco().Conta()));
    QApplication::processEvents();
    return double(t.nsecsElapsed()) / 1e9;
}

double Find(const QString& cartella)
{
    QElapsedTimer t;
    t.start();
    QProcess find;
    find.setStandardOutputFile(QProcess::nullDevice());
    find.start(QStringLiteral("find"),
               {cartella, QStringLiteral("-maxdepth"), QStringLiteral("1"), QStringLiteral("-type"),
                QStringLiteral("f"), QStringLiteral("-printf"), QStringLiteral("%f %s %T@\\n")});
    find.waitForFinished(120000);
    return double(t.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir radice;
    const QString piccola = radice.filePath(QStringLiteral("Piccola"));
    const QString grande = radice.filePath(QStringLiteral("Firmati"));
    if (!Riempi(piccola, 10) || !Riempi(grande, Dichiarazioni)) {
        std::fprintf(stderr, "cannot make the folders\n");
        return 1;
    }
    // The window on a small folder first: fonts, styles and the window warm.
    Prepara(radice.path(), piccola);
    std::unique_ptr<Dos2Edi> finestra;
    Apri(finestra, 10);
    finestra.reset();
    Apri(finestra, 10);
    QTest::qWait(300);
    const double piccolaMiB = MiBResidenti();
    finestra.reset();

    Prepara(radice.path(), grande);
    std::vector<double> aperture;
    std::vector<double> find;
    double dopoTutti = 0;
    double segnate = 0;
    for (int i = 0; i < Giri; ++i) {
        find.push_back(Find(grande));
        aperture.push_back(Apri(finestra, Dichiarazioni));
        if (i == 0) {
            for (QPushButton* p : finestra->findChildren<QPushButton*>())
                if (p->text() == QStringLiteral("&Tutti"))
                    p->click();
            QTest::qWait(300);
            dopoTutti = MiBResidenti();
            segnate = double(finestra->Elenco().ContaInvio());
        }
        finestra.reset();
    }
    const double a = Mediana(aperture);
    const double f = Mediana(find);
    const double quota = dopoTutti - piccolaMiB;
    std::printf("send window on %d declarations: %.3f s to the list on screen (median of %d)\n",
                Dichiarazioni, a, Giri);
    std::printf("find -printf '%%f %%s %%T@' (floor): %.3f s\n", f);
    std::printf("ratio send-window-100k/find: %.2f\n", a / f);
    std::printf("memory after \"Tutti\" (%.0f marked): %.1f MiB, the list's share %.1f MiB, %.0f "
                "bytes a row\n",
                segnate, dopoTutti, quota, quota * 1024 * 1024 / Dichiarazioni);
    std::printf("table: send window, %d declarations | %.3f s | %.3f s (find -printf) | %.2f\n",
                Dichiarazioni, a, f, a / f);
    std::printf("table: memory after \"Tutti\", %d rows | %.1f MiB (list %.0f B/row) | %.1f MiB "
                "(window on 10 rows) | %.2f\n",
                Dichiarazioni, dopoTutti, quota * 1024 * 1024 / Dichiarazioni, piccolaMiB,
                dopoTutti / piccolaMiB);
    return 0;
}
