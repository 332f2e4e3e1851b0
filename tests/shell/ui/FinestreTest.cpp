#include "support/CartellaProgrammaTest.h"

#include "piattaforma/ui/Schermo.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/ui/Finestre.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

// A 1024 x 768 screen (15360 x 11520 twips) with a 40-pixel taskbar on one edge.
void Schermo(int lato)
{
    const QRect s(0, 0, 1024, 768);
    switch (lato) {
    case 0:
        ImpostaSchermo(s, QRect(0, 0, 1024, 728));
        break;
    case 1:
        ImpostaSchermo(s, QRect(0, 0, 984, 768));
        break;
    case 2:
        ImpostaSchermo(s, QRect(0, 40, 1024, 728));
        break;
    case 3:
        ImpostaSchermo(s, QRect(40, 0, 984, 768));
        break;
    default:
        ImpostaSchermo(s, s);
    }
}

class FinestreTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        principale.setObjectName(u"StartUp"_s);
        principale.setGeometry(100, 50, 360, 260);
        ImpostaFinestraPrincipale(&principale);
        finestra.setObjectName(u"Dos2Edi"_s);
        finestra.resize(550, 300);
    }

    QWidget principale;
    QWidget finestra;
};

} // namespace

TEST_F(FinestreTest, TaskbarSuOgniLato)
{
    struct Caso
    {
        int lato, altezza, larghezza;
    };
    for (const Caso c :
         {Caso{0, 600, 15360}, Caso{1, 11520, 600}, Caso{2, 600, 15360}, Caso{3, 11520, 600}}) {
        Schermo(c.lato);
        PosizioneTaskbar();
        EXPECT_EQ(LatoTaskbar, c.lato);
        EXPECT_EQ(AltezzaTaskbar, c.altezza) << "lato " << c.lato;
        EXPECT_EQ(LarghezzaTaskbar, c.larghezza) << "lato " << c.lato;
    }
}

TEST_F(FinestreTest, SottoLaFinestraPrincipale)
{
    Schermo(0);
    PosizionaForm(&finestra);
    // No frame offscreen: just under the main window's top edge, less 90 twips.
    EXPECT_EQ(finestra.pos(), QPoint(100, 50 - 6));
}

TEST_F(FinestreTest, TroppoAltaSalitaFinoAllaTaskbar)
{
    Schermo(0);
    principale.move(100, 600);
    PosizionaForm(&finestra);
    EXPECT_EQ(finestra.y() + finestra.height(), 728);

    Schermo(2);
    PosizionaForm(&finestra);
    EXPECT_EQ(finestra.y() + finestra.height(), 768);
}

TEST_F(FinestreTest, TroppoLargaEOltreLaTaskbar)
{
    Schermo(1);
    principale.move(700, 50);
    PosizionaForm(&finestra);
    EXPECT_EQ(finestra.x() + finestra.width(), 984);

    Schermo(3);
    principale.move(0, 50);
    PosizionaForm(&finestra);
    EXPECT_EQ(finestra.x(), 40);
}

TEST_F(FinestreTest, GeometriaSalvataERipristinata)
{
    Schermo(-1);
    finestra.setGeometry(30, 40, 600, 400);
    const qint64 prima = ScrittureProfilo();
    SalvaPosizione(&finestra);
    // The four keys in one write of the file, not one write each.
    EXPECT_EQ(ScrittureProfilo() - prima, 1);
    EXPECT_EQ(LeggiIni(FileIni, u"DOS2EDI"_s, u"DIMX"_s), u"9000"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"Dos2Edi"_s, u"DIMY"_s), u"6000"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"Dos2Edi"_s, u"POSX"_s), u"450"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"Dos2Edi"_s, u"POSY"_s), u"600"_s);

    QWidget altra;
    altra.setObjectName(u"Dos2Edi"_s);
    altra.resize(100, 100);
    RipristinaPosizione(&altra);
    EXPECT_EQ(altra.size(), QSize(600, 400));
    // The position is PosizionaForm's, not the saved one.
    EXPECT_EQ(altra.pos(), QPoint(100, 44));

    QWidget senza;
    senza.setObjectName(u"Edi2Dos"_s);
    senza.resize(123, 77);
    RipristinaPosizione(&senza);
    EXPECT_EQ(senza.size(), QSize(123, 77));
}

TEST_F(FinestreTest, MinimizzataNonSalva)
{
    finestra.showMinimized();
    SalvaPosizione(&finestra);
    EXPECT_EQ(LeggiIni(FileIni, u"Dos2Edi"_s, u"DIMX"_s), u""_s);
}

TEST_F(FinestreTest, PannelloTrascinatoDalTitolo)
{
    QWidget pannello(&finestra);
    pannello.setGeometry(10, 10, 200, 100);
    QWidget titolo(&pannello);
    titolo.setGeometry(0, 0, 200, 20);
    TrascinaForm(&pannello, &titolo);
    finestra.show();

    QTest::mousePress(&titolo, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(&titolo, QPoint(45, 25));
    QTest::mouseRelease(&titolo, Qt::LeftButton, {}, QPoint(45, 25));
    EXPECT_EQ(pannello.pos(), QPoint(50, 30));
}

TEST_F(FinestreTest, SelezionaTestoRicordaIlTestoIniziale)
{
    QLineEdit casella(&finestra);
    casella.setText(u"  ACME "_s);
    SelezionaTesto(&casella);
    EXPECT_EQ(TestoIniziale, u"ACME"_s);
    QTest::qWait(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(casella.selectedText(), u"  ACME "_s);
}
