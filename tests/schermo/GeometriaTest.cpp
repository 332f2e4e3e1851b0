#include "support/CartellaProgrammaTest.h"
#include "support/ui/SchermoVirtuale.h"

#include "app/StartUp.h"
#include "info/ui/FrmRegistro.h"
#include "invio/ui/Dos2Edi.h"
#include "piattaforma/SondaConnessione.h"
#include "piattaforma/ui/Schermo.h"
#include "ricezione/ui/Edi2Dos.h"
#include "ricezione/ui/GesParUx.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "strumenti/ui/GesAppl.h"

#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Where the program started: the main window makes its program folder, a
// temporary one here, the current folder.
const QString CartellaDiPartenza = QDir::currentPath();

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
            if (qEnvironmentVariable("NORVEL_E2E") == u"1"_s)
                FAIL() << "no virtual screen: " << MotivoSenzaSchermo().toStdString();
            GTEST_SKIP() << "no virtual screen: " << MotivoSenzaSchermo().toStdString();
        }
        ParametriEdi.CartellaBase = Percorso(u"Base"_s);
        ParametriEdi.CartellaFirmati = Percorso(u"Base/Firmati"_s);
        ParametriEdi.CartellaInviati = Percorso(u"Base/Inviati"_s);
        ParametriEdi.UtenteFtp = u"ABCD"_s;
        QDir().mkpath(ParametriEdi.CartellaFirmati);
        QDir().mkpath(ParametriEdi.CartellaInviati);
        ScriviIni(FileIni, u"PC"_s, u"PATH"_s, ParametriEdi.CartellaBase);
    }

    Geometria Letta(const QString& sezione) const
    {
        return {LeggiIni(FileIni, sezione, u"DIMX"_s), LeggiIni(FileIni, sezione, u"DIMY"_s),
                LeggiIni(FileIni, sezione, u"POSX"_s), LeggiIni(FileIni, sezione, u"POSY"_s)};
    }

    // Shown, framed by the window manager and settled: the manager gives a
    // new window the focus once it has framed and placed it (not one it
    // adopts), and a window that remembers its size then sets its outer size
    // to the saved one.
    static void Mostrata(QWidget& w, QSize cornice = {}, bool fuoco = true)
    {
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w, 60000));
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return !w.windowHandle()->frameMargins().isNull(); }, 60000))
            << "no frame from the window manager";
        if (fuoco) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&w, 60000)) << "never focused";
        }
        // Not asserted here: the test's own checks say which side is wrong.
        if (cornice.isValid())
            (void)QTest::qWaitFor([&] { return w.frameGeometry().size() == cornice; }, 60000);
    }

    // Ten openings and closings of a window that remembers its size: each
    // opens at the saved outer size and saves back what it read.
    template <typename Finestra>
    void DieciVolte(const QString& sezione, const QString& uscita, int dimx, int dimy)
    {
        ScriviIni(FileIni, sezione, u"DIMX"_s, QString::number(dimx));
        ScriviIni(FileIni, sezione, u"DIMY"_s, QString::number(dimy));
        Geometria prima;
        for (int volta = 0; volta < 10; ++volta) {
            Finestra w;
            Mostrata(w, QSize(Pixel(dimx), Pixel(dimy)));
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

    static void Foto(const QString& nome)
    {
        SchermoDiProva()->Fotografa(
            QDir(CartellaDiPartenza).absoluteFilePath(u"schermo-%1.png"_s.arg(nome)));
    }
};

TEST_F(GeometriaTest, InvioDieciVolteStessaGeometria)
{
    DieciVolte<Dos2Edi>(u"Dos2Edi"_s, u"cmdUscita"_s, 8250, 6000);
}

TEST_F(GeometriaTest, RicezioneDieciVolteStessaGeometria)
{
    DieciVolte<Edi2Dos>(u"Edi2Dos"_s, u"cmdOK"_s, 6500, 5400);
}

TEST_F(GeometriaTest, RegistroDieciVolteStessaGeometria)
{
    DieciVolte<FrmRegistro>(u"FrmRegistro"_s, u"cmdChiudi"_s, 9000, 6000);
}

TEST_F(GeometriaTest, PrincipaleDieciVolteStessaGeometria)
{
    ImpostaSondaConnessione([] { return StatoConnessione::NonAttiva; });
    ScriviIni(FileIni, u"StartUp"_s, u"POSX"_s, u"1500"_s);
    ScriviIni(FileIni, u"StartUp"_s, u"POSY"_s, u"1200"_s);
    ScriviIni(FileIni, u"StartUp"_s, u"DIMX"_s, u"6000"_s);
    ScriviIni(FileIni, u"StartUp"_s, u"DIMY"_s, u"4500"_s);
    const Geometria attesa{u"6000"_s, u"4500"_s, u"1500"_s, u"1200"_s};
    for (int volta = 0; volta < 10; ++volta) {
        StartUp w;
        ASSERT_TRUE(w.Avvia());
        Mostrata(w, QSize(Pixel(6000), Pixel(4500)));
        if (volta == 0)
            Foto(u"StartUp"_s);
        w.close();
        EXPECT_EQ(Letta(u"StartUp"_s), attesa) << "closing " << volta;
    }
}

// A manager that frames the window only seconds after it is shown, as a
// loaded machine's does: the window still takes its saved outer size, and
// saves back what it read.
TEST_F(GeometriaTest, CorniceInRitardoStessaGeometria)
{
    ScriviIni(FileIni, u"Dos2Edi"_s, u"DIMX"_s, u"8250"_s);
    ScriviIni(FileIni, u"Dos2Edi"_s, u"DIMY"_s, u"6000"_s);
    SchermoDiProva()->FermaGestore();
    {
        Dos2Edi w;
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w, 60000));
        // The lateness itself: longer than a window once waited for its frame.
        QTest::qWait(3500);
        ASSERT_TRUE(SchermoDiProva()->AvviaGestore()) << SchermoDiProva()->Errore().toStdString();
        const QSize salvata(Pixel(8250), Pixel(6000));
        Mostrata(w, salvata, false);
        EXPECT_EQ(w.frameGeometry().size(), salvata);
        w.findChild<QPushButton*>(u"cmdUscita"_s)->click();
    }
    EXPECT_EQ(Letta(u"Dos2Edi"_s).dimy, u"6000"_s);
}

// The dialogs that keep no size: each opens twice at the same outer size,
// framed, and closes.
TEST_F(GeometriaTest, DialoghiRiapertiStessaMisura)
{
    const std::pair<QString, std::function<std::unique_ptr<QDialog>()>> dialoghi[] = {
        {u"GesParUx"_s, [] { return std::make_unique<GesParUx>(); }},
        {u"GesAppl"_s, [] { return std::make_unique<GesAppl>(); }},
    };
    for (const auto& [nome, crea] : dialoghi) {
        QSize prima;
        for (int volta = 0; volta < 2; ++volta) {
            const std::unique_ptr<QDialog> d = crea();
            Mostrata(*d);
            if (volta == 0) {
                Foto(nome);
                prima = d->frameGeometry().size();
                EXPECT_GT(prima.width(), d->geometry().width()) << nome.toStdString();
            }
            EXPECT_EQ(d->frameGeometry().size(), prima) << nome.toStdString() << " " << volta;
            d->reject();
            EXPECT_FALSE(d->isVisible()) << nome.toStdString();
        }
    }
}

} // namespace
