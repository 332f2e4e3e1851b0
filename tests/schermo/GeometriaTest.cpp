#include "support/CartellaProgrammaTest.h"
#include "support/ui/SchermoVirtuale.h"

#include "app/StartUp.h"
#include "invio/ui/Dos2Edi.h"
#include "piattaforma/SondaConnessione.h"
#include "piattaforma/ui/Schermo.h"
#include "ricezione/ui/Edi2Dos.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QDir>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

namespace {

struct Geometria
{
    QString dimx, dimy, posx, posy;
    bool operator==(const Geometria&) const = default;
};

void PrintTo(const Geometria& g, std::ostream* os)
{
    *os << "DIMX=" << g.dimx.toStdString() << " DIMY=" << g.dimy.toStdString()
        << " POSX=" << g.posx.toStdString() << " POSY=" << g.posy.toStdString();
}

// The windows that remember their size, opened and closed as a person would
// under a real window manager, which frames them only once they are shown.
class GeometriaTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        if (!SchermoDiProva()) {
            if (qEnvironmentVariable("NORVEL_E2E") == "1")
                FAIL() << "no virtual screen: " << MotivoSenzaSchermo().toStdString();
            GTEST_SKIP() << "no virtual screen: " << MotivoSenzaSchermo().toStdString();
        }
        ParametriEdi.CartellaBase = Percorso("Base");
        ParametriEdi.CartellaFirmati = Percorso("Base/Firmati");
        ParametriEdi.CartellaInviati = Percorso("Base/Inviati");
        ParametriEdi.UtenteFtp = "ABCD";
        QDir().mkpath(ParametriEdi.CartellaFirmati);
        QDir().mkpath(ParametriEdi.CartellaInviati);
        ScriviIni(FileIni, "PC", "PATH", ParametriEdi.CartellaBase);
    }

    Geometria Letta(const QString& sezione) const
    {
        return {LeggiIni(FileIni, sezione, "DIMX"), LeggiIni(FileIni, sezione, "DIMY"),
                LeggiIni(FileIni, sezione, "POSX"), LeggiIni(FileIni, sezione, "POSY")};
    }

    // Shown, framed by the window manager and settled.
    static void Mostrata(QWidget& w)
    {
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return !w.windowHandle()->frameMargins().isNull(); }, 5000))
            << "no frame from the window manager";
        QTest::qWait(200);
    }

    // Ten openings and closings of a window that remembers its size: each
    // opens at the saved outer size and saves back what it read.
    template <typename Finestra>
    void DieciVolte(const char* sezione, const char* uscita, int dimx, int dimy)
    {
        ScriviIni(FileIni, sezione, "DIMX", QString::number(dimx));
        ScriviIni(FileIni, sezione, "DIMY", QString::number(dimy));
        Geometria prima;
        for (int volta = 0; volta < 10; ++volta) {
            Finestra w;
            Mostrata(w);
            EXPECT_EQ(w.frameGeometry().width(), Pixel(dimx)) << "opening " << volta;
            if (volta == 0)
                Foto(sezione);
            w.template findChild<QPushButton*>(uscita)->click();
            const Geometria g = Letta(sezione);
            // A width of no whole number of pixels is kept as the pixels it makes.
            EXPECT_EQ(g.dimx, QString::number(Twip(Pixel(dimx)))) << "closing " << volta;
            EXPECT_EQ(g.dimy, QString::number(dimy)) << "closing " << volta;
            if (volta == 0)
                prima = g;
            EXPECT_EQ(g, prima) << "closing " << volta;
        }
    }

    static void Foto(const char* nome)
    {
        SchermoDiProva()->Fotografa(QDir::current().absoluteFilePath(
            QString("schermo-%1.png").arg(QString::fromLatin1(nome))));
    }
};

TEST_F(GeometriaTest, InvioDieciVolteStessaGeometria)
{
    DieciVolte<Dos2Edi>("Dos2Edi", "cmdUscita", 8250, 6000);
}

TEST_F(GeometriaTest, RicezioneDieciVolteStessaGeometria)
{
    DieciVolte<Edi2Dos>("Edi2Dos", "cmdOK", 6500, 5400);
}

TEST_F(GeometriaTest, PrincipaleDieciVolteStessaGeometria)
{
    ImpostaSondaConnessione([] { return StatoConnessione::NonAttiva; });
    ScriviIni(FileIni, "StartUp", "POSX", "1500");
    ScriviIni(FileIni, "StartUp", "POSY", "1200");
    ScriviIni(FileIni, "StartUp", "DIMX", "6000");
    ScriviIni(FileIni, "StartUp", "DIMY", "4500");
    const Geometria attesa{"6000", "4500", "1500", "1200"};
    for (int volta = 0; volta < 10; ++volta) {
        StartUp w;
        ASSERT_TRUE(w.Avvia());
        Mostrata(w);
        if (volta == 0)
            Foto("StartUp");
        w.close();
        EXPECT_EQ(Letta("StartUp"), attesa) << "closing " << volta;
    }
}

} // namespace
