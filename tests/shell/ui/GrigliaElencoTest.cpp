#include "support/CartellaProgrammaTest.h"

#include "piattaforma/ui/Schermo.h"
#include "shell/ui/GrigliaElenco.h"
#include "shell/ui/PannelloAiuto.h"

#include <QHeaderView>
#include <QLabel>
#include <QSignalSpy>
#include <QStandardItemModel>
// Clicks through the window system, as a person gives them: a right click
// there is what asks for a menu.
#define QTEST_QPA_MOUSE_HANDLING
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class GrigliaElencoTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        finestra = std::make_unique<QWidget>();
        finestra->resize(400, 300);
        auto* l = new QVBoxLayout(finestra.get());
        griglia = new GrigliaElenco(u"grdProva"_s, u"ELENCO"_s, finestra.get());
        l->addWidget(griglia);
        modello = new QStandardItemModel(30, 3, griglia);
        for (int r = 0; r < 30; ++r)
            for (int c = 0; c < 3; ++c)
                modello->setItem(r, c, new QStandardItem(QStringLiteral("%1.%2").arg(r).arg(c)));
        griglia->setModel(modello);
        finestra->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(finestra.get()));
    }

    QPoint Cella(int riga, int colonna) const
    {
        return griglia->visualRect(modello->index(riga, colonna)).center();
    }
    void ClicIntestazione(int colonna, Qt::MouseButton tasto)
    {
        QHeaderView* h = griglia->horizontalHeader();
        QTest::mouseClick(h->viewport(), tasto, {},
                          QPoint(h->sectionViewportPosition(colonna) + 5, h->height() / 2));
    }

    std::unique_ptr<QWidget> finestra;
    GrigliaElenco* griglia = nullptr;
    QStandardItemModel* modello = nullptr;
};

} // namespace

TEST_F(GrigliaElencoTest, IntestazioneOrdinaSinistroCrescenteDestroDecrescente)
{
    QSignalSpy ordina(griglia, &GrigliaElenco::Ordina);
    QSignalSpy menu(griglia, &GrigliaElenco::MenuRiga);
    ClicIntestazione(2, Qt::LeftButton);
    ClicIntestazione(1, Qt::RightButton);
    ClicIntestazione(0, Qt::MiddleButton);
    ASSERT_EQ(ordina.size(), 2);
    EXPECT_EQ(ordina[0][0].toInt(), 2);
    EXPECT_EQ(ordina[0][1].value<Qt::SortOrder>(), Qt::AscendingOrder);
    EXPECT_EQ(ordina[1][0].toInt(), 1);
    EXPECT_EQ(ordina[1][1].value<Qt::SortOrder>(), Qt::DescendingOrder);
    EXPECT_TRUE(menu.isEmpty()) << "no menu from the heading";
}

TEST_F(GrigliaElencoTest, MenuSottoLaRigaAlBordoSinistro)
{
    griglia->scrollTo(modello->index(10, 0), QAbstractItemView::PositionAtTop);
    QSignalSpy menu(griglia, &GrigliaElenco::MenuRiga);
    QTest::mouseClick(griglia->viewport(), Qt::RightButton, {}, Cella(12, 2));
    ASSERT_EQ(menu.size(), 1);
    EXPECT_EQ(menu[0][0].toInt(), 12);
    EXPECT_EQ(griglia->RigaCorrente(), 12);
    EXPECT_TRUE(griglia->hasFocus());
    // The third visible row: (2 + 1) x 270 + 240 twips under the grid's top.
    const int primaVisibile = griglia->rowAt(0);
    EXPECT_EQ(primaVisibile, 10);
    EXPECT_EQ(menu[0][1].toPoint(), griglia->mapToGlobal(QPoint(0, Pixel(3 * 270 + 240))));

    // Below the last row there is nothing to act on.
    modello->setRowCount(2);
    QTest::mouseClick(griglia->viewport(), Qt::RightButton, {},
                      QPoint(20, griglia->viewport()->height() - 5));
    EXPECT_EQ(menu.size(), 1);
}

TEST_F(GrigliaElencoTest, TastiComeAzioniDellaGrigliaEDoppioClic)
{
    QList<int> righe;
    griglia->AggiungiTasti({QKeySequence(Qt::Key_S), QKeySequence(Qt::Key_Return)},
                           [&](int riga) { righe << riga; });
    QSignalSpy altri(griglia, &GrigliaElenco::Tasto);
    QSignalSpy doppi(griglia, &GrigliaElenco::DoppioClic);
    griglia->setFocus();
    griglia->ImpostaRigaCorrente(4);
    QTest::keyClick(griglia, Qt::Key_S);
    QTest::keyClick(griglia, Qt::Key_Return);
    EXPECT_EQ(righe, QList<int>({4, 4}));
    EXPECT_TRUE(altri.isEmpty());
    QTest::keyClick(griglia, Qt::Key_Down);
    EXPECT_EQ(altri.size(), 1);
    EXPECT_EQ(griglia->RigaCorrente(), 5);

    QTest::mouseDClick(griglia->viewport(), Qt::LeftButton, {}, Cella(7, 1));
    ASSERT_EQ(doppi.size(), 1);
    EXPECT_EQ(doppi[0][0].toInt(), 7);

    // Keys of the grid are its own: another widget with the focus has none.
    auto* altro = new QLabel(u"x"_s, finestra.get());
    altro->setFocusPolicy(Qt::StrongFocus);
    altro->show();
    altro->setFocus();
    QTest::keyClick(altro, Qt::Key_S);
    EXPECT_EQ(righe.size(), 2);
}

TEST_F(GrigliaElencoTest, PannelloDiAiutoSiChiudeAlClicSalvoSeFisso)
{
    auto* pannello = new PannelloAiuto(finestra.get());
    EXPECT_FALSE(pannello->isVisible());
    pannello->Mostra(u"TITOLO"_s, u"riga uno\nriga due"_s, 12);
    pannello->Centra(40);
    ASSERT_TRUE(pannello->isVisible());
    EXPECT_EQ(pannello->Titolo(), u"TITOLO"_s);
    EXPECT_EQ(pannello->findChild<QLabel*>(u"lbHelpMess"_s)->font().pointSize(), 12);
    EXPECT_EQ(pannello->x(), (finestra->width() - pannello->width()) / 2);
    EXPECT_EQ(pannello->y(), 40);

    QTest::mouseClick(pannello->EtichettaTesto(), Qt::LeftButton);
    EXPECT_FALSE(pannello->isVisible());

    pannello->MostraAttesa(u"INVIO"_s);
    EXPECT_EQ(pannello->Titolo(), u"ELABORAZIONE IN CORSO ..."_s);
    QTest::mouseClick(pannello->EtichettaTesto(), Qt::LeftButton);
    EXPECT_TRUE(pannello->isVisible()) << "a busy panel stays";
    pannello->Mostra(u"AIUTO"_s, u"testo"_s);
    QTest::mouseClick(pannello->EtichettaTesto(), Qt::LeftButton);
    EXPECT_FALSE(pannello->isVisible());
}
