#include "support/CartellaProgrammaTest.h"
#include "support/ControlloModello.h"
#include "support/Risponditore.h"

#include "invio/ui/Dos2Edi.h"
#include "piattaforma/ui/Dialoghi.h"
#include "piattaforma/ui/Schermo.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
// Mouse clicks through the window system, as a person gives them: a right
// click there is what asks a grid for its menu.
#define QTEST_QPA_MOUSE_HANDLING
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class Dos2EdiTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        GiornoProve();
        ParametriEdi.UtenteFtp = u"ABCD"_s;
        CartelleInvio();
        ConnessoRemoto = true;
    }

    void File(const QString& nome, const QDateTime& quando, int byte = 5,
              const QString& cartella = u"Firmati"_s)
    {
        const QString p = ScriviFile(cartella + u"/"_s + nome, QByteArray(byte, 'd'));
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(quando, QFileDevice::FileModificationTime);
    }

    void Apri()
    {
        finestra = std::make_unique<Dos2Edi>();
        finestra->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(finestra.get()));
        elenco = Trova<QTableView>(u"grdElenco"_s);
        invio = Trova<QTableView>(u"grdInvio"_s);
    }

    template <typename T> T* Trova(const QString& nome) const
    {
        T* w = finestra->findChild<T*>(nome);
        EXPECT_NE(w, nullptr) << nome.toStdString();
        return w;
    }
    QPushButton* Pulsante(const QString& testo) const
    {
        for (QPushButton* p : finestra->findChildren<QPushButton*>())
            if (p->text() == testo)
                return p;
        ADD_FAILURE() << "no button " << testo.toStdString();
        return nullptr;
    }

    // Names as the upper grid shows them, top to bottom.
    QStringList Righe() const
    {
        QStringList n;
        for (int r = 0; r < elenco->model()->rowCount(); ++r)
            n.append(elenco->model()->index(r, 1).data().toString());
        return n;
    }
    QStringList RigheInvio() const
    {
        QStringList n;
        for (int r = 0; r < invio->model()->rowCount(); ++r)
            n.append(invio->model()->index(r, 0).data().toString());
        return n;
    }

    void ClicIntestazione(QTableView* g, int colonna, Qt::MouseButton tasto)
    {
        QHeaderView* h = g->horizontalHeader();
        const QPoint p(h->sectionViewportPosition(colonna) + 5, h->height() / 2);
        QTest::mouseClick(h->viewport(), tasto, {}, p);
    }
    void ClicRiga(QTableView* g, int riga, Qt::MouseButton tasto)
    {
        QTest::mouseClick(
            g->viewport(), tasto, {},
            g->visualRect(g->model()->index(riga, 1 % g->model()->columnCount())).center());
    }
    QAction* Voce(const QString& nome) const
    {
        QAction* a = finestra->findChild<QAction*>(nome);
        EXPECT_NE(a, nullptr) << nome.toStdString();
        return a;
    }

    // Four declarations of today whose names and times disagree in order.
    void QuattroFile()
    {
        File(u"ABCD1207.T04"_s, QDateTime(QDate(2024, 9, 1), QTime(8, 0)), 300);
        File(u"ABCD1207.T01"_s, QDateTime(QDate(2024, 12, 7), QTime(8, 0)), 10);
        File(u"ABCD1207.I03"_s, QDateTime(QDate(2024, 1, 15), QTime(8, 0)), 2000);
        File(u"ABCD1207.T02"_s, QDateTime(QDate(2023, 11, 30), QTime(8, 0)), 40);
    }

    std::unique_ptr<Dos2Edi> finestra;
    QTableView* elenco = nullptr;
    QTableView* invio = nullptr;
};

const QStringList PerNome = {u"ABCD1207.I03"_s, u"ABCD1207.T01"_s, u"ABCD1207.T02"_s,
                             u"ABCD1207.T04"_s};
const QStringList PerData = {u"ABCD1207.T02"_s, u"ABCD1207.I03"_s, u"ABCD1207.T04"_s,
                             u"ABCD1207.T01"_s};

} // namespace

TEST_F(Dos2EdiTest, ApreConDidascaliaFiltroEOrdineDelleImpostazioni)
{
    QuattroFile();
    File(u"ABCD1206.T01"_s, QDateTime(QDate(2024, 12, 6), QTime(8, 0))); // another day
    ScriviIni(FileIni, u"EDI"_s, u"COLSORTINV"_s, u"1"_s);
    CaricaParametriEdi();
    ParametriEdi.UtenteFtp = u"ABCD"_s;
    ParametriEdi.CartellaFirmati = Percorso(u"Firmati"_s);
    ParametriEdi.CartellaInviati = Percorso(u"Inviati"_s);
    Apri();
    EXPECT_EQ(finestra->windowTitle(),
              u" INVIA DATI ALLA DOGANA    -    "_s + Percorso(u"Firmati"_s));
    EXPECT_EQ(Trova<QLabel>(u"lbUtente"_s)->text(), u"ABCD"_s);
    EXPECT_EQ(Trova<QLineEdit>(u"txt_1"_s)->text(), u"12"_s);
    EXPECT_EQ(Trova<QLineEdit>(u"txt_2"_s)->text(), u"07"_s);
    EXPECT_EQ(Righe(), PerData);
    EXPECT_FALSE(Trova<QWidget>(u"pctHelp"_s)->isVisible());
    EXPECT_FALSE(Trova<QWidget>(u"fraCartella"_s)->isVisible());

    const QAbstractItemModel* m = elenco->model();
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), u"Nome"_s);
    EXPECT_EQ(m->headerData(2, Qt::Horizontal).toString(), u"Data"_s);
    EXPECT_EQ(m->headerData(3, Qt::Horizontal).toString(), u"byte"_s);
    EXPECT_EQ(m->index(1, 3).data().toString(), u"2.000"_s); // ABCD1207.I03
    EXPECT_EQ(m->index(1, 2).data().toString(), u"15/01/2024 08:00:00"_s);
    EXPECT_EQ(invio->model()->headerData(0, Qt::Horizontal).toString(), u"Nome"_s);
}

TEST_F(Dos2EdiTest, OrdiniDallIntestazioneEAggiornaTornaAllaColonnaConfigurata)
{
    QuattroFile();
    Apri();
    EXPECT_EQ(Righe(), PerNome);
    ClicIntestazione(elenco, 2, Qt::LeftButton);
    EXPECT_EQ(Righe(), PerData);
    ClicIntestazione(elenco, 1, Qt::LeftButton);
    EXPECT_EQ(Righe(), PerNome);

    // Newest first; a reload keeps the direction but not the column.
    ClicIntestazione(elenco, 2, Qt::RightButton);
    QStringList attese = PerData;
    std::reverse(attese.begin(), attese.end());
    EXPECT_EQ(Righe(), attese);
    Pulsante(u"&AGGIORNA lista"_s)->click();
    attese = PerNome;
    std::reverse(attese.begin(), attese.end());
    EXPECT_EQ(Righe(), attese);
}

TEST_F(Dos2EdiTest, PulsantiDiSelezioneSecondoISegni)
{
    Apri();
    // Nothing listed: not even "&Tutti", and nothing to send.
    EXPECT_TRUE(Pulsante(u"&Tutti"_s)->isHidden());
    QuattroFile();
    Pulsante(u"&AGGIORNA lista"_s)->click();
    EXPECT_FALSE(Pulsante(u"&Tutti"_s)->isHidden());
    EXPECT_TRUE(Pulsante(u"&Nessuno"_s)->isHidden());
    EXPECT_TRUE(Pulsante(u"&Inverti"_s)->isHidden());
    EXPECT_FALSE(Pulsante(u"&INVIA"_s)->isEnabled());

    Pulsante(u"&Tutti"_s)->click();
    EXPECT_EQ(RigheInvio(), PerNome);
    EXPECT_FALSE(Pulsante(u"&Nessuno"_s)->isHidden());
    EXPECT_FALSE(Pulsante(u"&Inverti"_s)->isHidden());
    EXPECT_TRUE(Pulsante(u"&INVIA"_s)->isEnabled());

    Pulsante(u"&Nessuno"_s)->click();
    EXPECT_TRUE(RigheInvio().isEmpty());
    EXPECT_TRUE(Pulsante(u"&Inverti"_s)->isHidden());

    elenco->setFocus();
    elenco->setCurrentIndex(elenco->model()->index(1, 1));
    QTest::keyClick(elenco, Qt::Key_S);
    Pulsante(u"&Inverti"_s)->click();
    EXPECT_EQ(RigheInvio(), QStringList({u"ABCD1207.I03"_s, u"ABCD1207.T02"_s, u"ABCD1207.T04"_s}));
    EXPECT_EQ(finestra->ElencoInvio(), RigheInvio());
    EXPECT_EQ(elenco->model()->index(1, 0).data().toString(), u""_s);
    EXPECT_EQ(elenco->model()->index(0, 0).data().toString(), u"S"_s);

    // Without the link there is nothing to send to.
    ConnessoRemoto = false;
    Pulsante(u"&AGGIORNA lista"_s)->click();
    EXPECT_FALSE(Pulsante(u"&INVIA"_s)->isEnabled());
}

TEST_F(Dos2EdiTest, TastiSullElencoEFineDellElenco)
{
    QuattroFile();
    Apri();
    elenco->setFocus();
    elenco->setCurrentIndex(elenco->model()->index(0, 1));
    QTest::keyClick(elenco, Qt::Key_S);
    EXPECT_EQ(elenco->currentIndex().row(), 1);
    QTest::keyClick(elenco, Qt::Key_Return);
    EXPECT_EQ(RigheInvio(), QStringList({u"ABCD1207.I03"_s, u"ABCD1207.T01"_s}));
    EXPECT_EQ(elenco->currentIndex().row(), 2);

    elenco->setCurrentIndex(elenco->model()->index(3, 1));
    QTest::keyClick(elenco, Qt::Key_S);
    EXPECT_EQ(elenco->currentIndex().row(), 3) << "the last row stays current";
    EXPECT_EQ(RigheInvio().last(), u"ABCD1207.T04"_s);

    elenco->setCurrentIndex(elenco->model()->index(0, 1));
    QTest::keyClick(elenco, Qt::Key_Space);
    QTest::keyClick(elenco, Qt::Key_N);
    EXPECT_EQ(RigheInvio(), QStringList({u"ABCD1207.T04"_s}));
    EXPECT_EQ(elenco->currentIndex().row(), 2);

    // Lower grid: Delete unmarks there too.
    invio->setFocus();
    invio->setCurrentIndex(invio->model()->index(0, 0));
    QTest::keyClick(invio, Qt::Key_Delete);
    EXPECT_TRUE(RigheInvio().isEmpty());
    EXPECT_EQ(elenco->model()->index(3, 0).data().toString(), u""_s);

    // Double click marks the row under the pointer.
    const QPoint p = elenco->visualRect(elenco->model()->index(2, 1)).center();
    QTest::mouseDClick(elenco->viewport(), Qt::LeftButton, {}, p);
    EXPECT_EQ(RigheInvio(), QStringList({u"ABCD1207.T02"_s}));
}

TEST_F(Dos2EdiTest, IntestazioneDellElencoInvioNeCambiaIlVerso)
{
    QuattroFile();
    Apri();
    Pulsante(u"&Tutti"_s)->click();
    ClicIntestazione(invio, 0, Qt::RightButton);
    QStringList attese = PerNome;
    std::reverse(attese.begin(), attese.end());
    EXPECT_EQ(RigheInvio(), attese);
    ClicIntestazione(invio, 0, Qt::LeftButton);
    EXPECT_EQ(RigheInvio(), PerNome);
}

TEST_F(Dos2EdiTest, SegnatoPoiNascostoDalFiltroRestaFinoAlProssimoCambio)
{
    QuattroFile();
    Apri();
    finestra->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(finestra.get()));
    elenco->setFocus();
    elenco->setCurrentIndex(elenco->model()->index(0, 1)); // ABCD1207.I03
    QTest::keyClick(elenco, Qt::Key_S);
    ASSERT_EQ(RigheInvio(), QStringList({u"ABCD1207.I03"_s}));

    // Only type T from now on.
    QLineEdit* tipo = Trova<QLineEdit>(u"txt_3"_s);
    tipo->setFocus();
    QTest::keyClick(tipo, Qt::Key_Backspace);
    QTest::keyClicks(tipo, u"t"_s);
    EXPECT_EQ(tipo->text(), u"T"_s);
    elenco->setFocus();
    EXPECT_EQ(Righe(), QStringList({u"ABCD1207.T01"_s, u"ABCD1207.T02"_s, u"ABCD1207.T04"_s}));
    EXPECT_EQ(finestra->ElencoInvio(), QStringList({u"ABCD1207.I03"_s}));
    EXPECT_TRUE(Pulsante(u"&INVIA"_s)->isEnabled());

    elenco->setCurrentIndex(elenco->model()->index(0, 1));
    QTest::keyClick(elenco, Qt::Key_S);
    EXPECT_EQ(finestra->ElencoInvio(), QStringList({u"ABCD1207.T01"_s}));
}

TEST_F(Dos2EdiTest, ColoriPerGruppoEGrassettoPerISegnati)
{
    Colori[0] = QString::number(0x0000FF); // red in the low byte
    Colori[1] = QString::number(0xFF0000); // blue
    File(u"ABCD1207.T01"_s, QDateTime::currentDateTime());
    File(u"ABCD1207.I01"_s, QDateTime::currentDateTime());
    File(u"ABCD1207.401"_s, QDateTime::currentDateTime());
    Apri();
    const QAbstractItemModel* m = elenco->model();
    ASSERT_EQ(Righe(), QStringList({u"ABCD1207.401"_s, u"ABCD1207.I01"_s, u"ABCD1207.T01"_s}));
    EXPECT_FALSE(m->index(0, 1).data(Qt::ForegroundRole).isValid());
    EXPECT_EQ(m->index(1, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
    EXPECT_EQ(m->index(2, 3).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));

    EXPECT_FALSE(m->index(2, 1).data(Qt::FontRole).value<QFont>().bold());
    elenco->setFocus();
    elenco->setCurrentIndex(m->index(2, 1));
    QTest::keyClick(elenco, Qt::Key_S);
    EXPECT_TRUE(m->index(2, 1).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(invio->model()->index(0, 0).data(Qt::ForegroundRole).value<QColor>(),
              QColor(255, 0, 0));
}

TEST_F(Dos2EdiTest, IModelliRispettanoIlContratto)
{
    QuattroFile();
    Apri();
    ControlloModello a(elenco->model());
    ControlloModello b(invio->model());
    Pulsante(u"&Tutti"_s)->click();
    ClicIntestazione(elenco, 3, Qt::RightButton);
    Pulsante(u"&Inverti"_s)->click();
    Pulsante(u"&AGGIORNA lista"_s)->click();
    // One row in or out of the lower grid at a time, in either direction.
    elenco->setFocus();
    elenco->setCurrentIndex(elenco->model()->index(0, 1));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(elenco, Qt::Key_S);
    ClicIntestazione(invio, 0, Qt::RightButton);
    elenco->setCurrentIndex(elenco->model()->index(3, 1));
    QTest::keyClick(elenco, Qt::Key_Return);
    elenco->setCurrentIndex(elenco->model()->index(1, 1));
    QTest::keyClick(elenco, Qt::Key_N);
    invio->setFocus();
    invio->setCurrentIndex(invio->model()->index(0, 0));
    QTest::keyClick(invio, Qt::Key_Delete);
    EXPECT_EQ(RigheInvio().size(), 2);
    EXPECT_EQ(finestra->ElencoInvio(), RigheInvio());
    EXPECT_TRUE(a.Violazioni().isEmpty()) << a.Violazioni().join(u'\n').toStdString();
}

// "&Storicizza" takes the row out of the list; the folder is not read again.
TEST_F(Dos2EdiTest, StoricizzaToglieLaRigaSenzaRileggereLaCartella)
{
    QuattroFile();
    Apri();
    ControlloModello controllo(elenco->model());
    Pulsante(u"&Tutti"_s)->click();
    File(u"ABCD1207.T05"_s, QDateTime::currentDateTime()); // arrived meanwhile
    elenco->setCurrentIndex(elenco->model()->index(2, 1));
    ClicRiga(elenco, 2, Qt::RightButton); // ABCD1207.T02
    RisponditoreTest().Rispondi(Risposta::Si, u"CONFERMI LA STORICIZZAZIONE DI  'ABCD1207.T02'"_s);
    Voce(u"Mu_storico"_s)->trigger();
    Trova<QMenu>(u"mnuOperazioni"_s)->hide();
    EXPECT_EQ(Righe(), QStringList({u"ABCD1207.I03"_s, u"ABCD1207.T01"_s, u"ABCD1207.T04"_s}));
    EXPECT_EQ(RigheInvio(), Righe());
    EXPECT_EQ(elenco->currentIndex().row(), 2);
    EXPECT_TRUE(QFile::exists(Percorso(u"Inviati/ABCD1207.T02"_s)));
    Pulsante(u"&AGGIORNA lista"_s)->click();
    EXPECT_TRUE(Righe().contains(u"ABCD1207.T05"_s));
    EXPECT_TRUE(controllo.Violazioni().isEmpty())
        << controllo.Violazioni().join(u'\n').toStdString();

    // From the history nothing moves: the row stays, unmarked.
    Trova<QRadioButton>(u"optQuali_0"_s)->click();
    ASSERT_EQ(Righe(), QStringList({u"ABCD1207.T02"_s}));
    Pulsante(u"&Tutti"_s)->click();
    ClicRiga(invio, 0, Qt::RightButton);
    RisponditoreTest().Rispondi(Risposta::Si, u"CONFERMI LA STORICIZZAZIONE DI  'ABCD1207.T02'"_s);
    Voce(u"Mu_storico"_s)->trigger();
    Trova<QMenu>(u"mnuOperazioni"_s)->hide();
    EXPECT_EQ(Righe(), QStringList({u"ABCD1207.T02"_s}));
    EXPECT_TRUE(RigheInvio().isEmpty());
}

TEST_F(Dos2EdiTest, MenuDiRigaStoricizzaSiENo)
{
    QuattroFile();
    File(u"ABCD1207.T01"_s, QDateTime::currentDateTime(), 3, u"Inviati"_s); // an older send
    Apri();
    ClicRiga(elenco, 1, Qt::RightButton); // ABCD1207.T01
    QMenu* menu = Trova<QMenu>(u"mnuOperazioni"_s);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(Voce(u"Mu_visualizza"_s)->text(), u"&Visualizza  ABCD1207.T01"_s);
    EXPECT_EQ(Voce(u"Mu_storico"_s)->text(), u"&Storicizza  ABCD1207.T01"_s);
    EXPECT_TRUE(Voce(u"Mu_storico"_s)->isVisible());
    EXPECT_TRUE(Voce(u"Mu_daInviare"_s)->isVisible());
    EXPECT_FALSE(Voce(u"Mu_nonInviare"_s)->isVisible());
    Voce(u"Mu_daInviare"_s)->trigger();
    menu->hide();
    ASSERT_EQ(RigheInvio(), QStringList({u"ABCD1207.T01"_s}));

    // No: nothing changes.
    ClicRiga(elenco, 1, Qt::RightButton);
    EXPECT_FALSE(Voce(u"Mu_daInviare"_s)->isVisible());
    EXPECT_EQ(Voce(u"Mu_nonInviare"_s)->text(), u"&Non inviare  ABCD1207.T01"_s);
    RisponditoreTest().Rispondi(Risposta::No, u"CONFERMI LA STORICIZZAZIONE DI  'ABCD1207.T01'"_s);
    Voce(u"Mu_storico"_s)->trigger();
    menu->hide();
    EXPECT_EQ(Righe(), PerNome);
    EXPECT_EQ(RigheInvio(), QStringList({u"ABCD1207.T01"_s}));
    EXPECT_EQ(LeggiFile(u"Inviati/ABCD1207.T01"_s).size(), 3);

    // Yes: out of both lists, and the older copy in the history is replaced.
    ClicRiga(elenco, 1, Qt::RightButton);
    RisponditoreTest().Rispondi(Risposta::Si, u"CONFERMI LA STORICIZZAZIONE DI  'ABCD1207.T01'"_s);
    Voce(u"Mu_storico"_s)->trigger();
    menu->hide();
    EXPECT_EQ(RisponditoreTest().Ricevuti().last().richiesta.titolo, u"STORICIZZA FIRMATI"_s);
    EXPECT_EQ(RisponditoreTest().Ricevuti().last().richiesta.predefinita, Risposta::No);
    EXPECT_EQ(Righe(), QStringList({u"ABCD1207.I03"_s, u"ABCD1207.T02"_s, u"ABCD1207.T04"_s}));
    EXPECT_TRUE(RigheInvio().isEmpty());
    EXPECT_EQ(LeggiFile(u"Inviati/ABCD1207.T01"_s).size(), 10);
    EXPECT_FALSE(QFile::exists(Percorso(u"Firmati/ABCD1207.T01"_s)));
}

TEST_F(Dos2EdiTest, ElencoInviatiEMenuDellaGrigliaInferiore)
{
    QuattroFile();
    File(u"ABCD1207.T09"_s, QDateTime::currentDateTime(), 3, u"Inviati"_s);
    Apri();
    Pulsante(u"&Tutti"_s)->click();
    ClicRiga(invio, 0, Qt::RightButton);
    EXPECT_TRUE(Voce(u"Mu_storico"_s)->isVisible());
    EXPECT_FALSE(Voce(u"Mu_daInviare"_s)->isVisible());
    EXPECT_EQ(Voce(u"Mu_nonInviare"_s)->text(), u"&Non inviare  ABCD1207.I03"_s);
    Voce(u"Mu_nonInviare"_s)->trigger();
    Trova<QMenu>(u"mnuOperazioni"_s)->hide();
    EXPECT_EQ(RigheInvio().size(), 3);

    Trova<QRadioButton>(u"optQuali_0"_s)->click();
    EXPECT_EQ(finestra->windowTitle(),
              u" INVIA DATI ALLA DOGANA    -    "_s + Percorso(u"Inviati"_s));
    EXPECT_EQ(Righe(), QStringList({u"ABCD1207.T09"_s}));
    ClicRiga(elenco, 0, Qt::RightButton);
    EXPECT_FALSE(Voce(u"Mu_storico"_s)->isVisible()) << "nothing to archive in the history";
    Trova<QMenu>(u"mnuOperazioni"_s)->hide();
    Trova<QRadioButton>(u"optQuali_1"_s)->click();
    EXPECT_EQ(Righe(), PerNome);
}

TEST_F(Dos2EdiTest, PannelloDiAiutoETastoF1)
{
    QuattroFile();
    Apri();
    elenco->setFocus();
    QTest::keyClick(elenco, Qt::Key_F1);
    QWidget* aiuto = Trova<QWidget>(u"pctHelp"_s);
    EXPECT_TRUE(aiuto->isVisible());
    EXPECT_EQ(Trova<QLabel>(u"lbHelpTit"_s)->text(), u"ELENCO FILES TRASFERIRIBILI"_s);
    EXPECT_TRUE(Trova<QLabel>(u"lbHelpMess"_s)->text().startsWith(u"- Tasto destro del Mouse"_s));
    QTest::keyClick(elenco, Qt::Key_Down);
    EXPECT_FALSE(aiuto->isVisible());

    invio->setFocus();
    QTest::keyClick(invio, Qt::Key_F1);
    EXPECT_EQ(Trova<QLabel>(u"lbHelpTit"_s)->text(), u"ELENCO FILES DA TRASFERIRE"_s);
    QTest::mouseClick(Trova<QLabel>(u"lbHelpMess"_s), Qt::LeftButton);
    EXPECT_FALSE(aiuto->isVisible());
}

TEST_F(Dos2EdiTest, LarghezzaFissaAltezzaMinimaEPosizioneSalvata)
{
    Apri();
    finestra->resize(900, 100);
    EXPECT_EQ(Twip(finestra->frameGeometry().width()), 8250);
    EXPECT_GE(Twip(finestra->frameGeometry().height()), 4560);
    finestra->resize(300, 500);
    EXPECT_EQ(Twip(finestra->frameGeometry().width()), 8250);
    Pulsante(u"&USCITA"_s)->click();
    EXPECT_FALSE(finestra->isVisible());
    EXPECT_EQ(LeggiIni(FileIni, u"Dos2Edi"_s, u"DIMY"_s),
              QString::number(Twip(finestra->frameGeometry().height())));
    EXPECT_EQ(LeggiIni(FileIni, u"Dos2Edi"_s, u"DIMX"_s), u"8250"_s);
}

TEST_F(Dos2EdiTest, OrigineScelta)
{
    File(u"ABCD1207.T01"_s, QDateTime::currentDateTime(), 3, u"Altrove"_s);
    Apri();
    Trova<QPushButton>(u"cmdOrigine"_s)->click();
    EXPECT_TRUE(Trova<QWidget>(u"fraCartella"_s)->isVisible());
    EXPECT_EQ(Trova<QLabel>(u"lbFirmaVerif"_s)->text(), Percorso(u"Firmati"_s));

    DialoghiTest d;
    QString titolo, iniziale;
    d.cartella = [&](const QString& t, const QString& i) {
        titolo = t;
        iniziale = i;
        return Percorso(u"Altrove"_s);
    };
    ImpostaDialoghi(d);
    Pulsante(u"&IMPOSTA Origine"_s)->click();
    EXPECT_EQ(titolo, u"Seleziona la Cartella desiderata"_s);
    EXPECT_EQ(iniziale, Percorso(u"Firmati"_s));
    EXPECT_EQ(ParametriEdi.CartellaFirmati, Percorso(u"Altrove"_s));
    EXPECT_EQ(finestra->CartellaElenco(), Percorso(u"Altrove"_s));
    EXPECT_EQ(Righe(), QStringList({u"ABCD1207.T01"_s}));
    EXPECT_FALSE(Trova<QWidget>(u"fraCartella"_s)->isVisible());
    EXPECT_FALSE(Pulsante(u"&INVIA"_s)->isHidden());
    EXPECT_EQ(finestra->windowTitle(),
              u" INVIA DATI ALLA DOGANA    -    "_s + Percorso(u"Altrove"_s));
}

TEST_F(Dos2EdiTest, CampoErratoTrattieneIlFuocoEIlTestoSenzaRicaricare)
{
    QuattroFile();
    Apri();
    finestra->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(finestra.get()));
    QLineEdit* mese = Trova<QLineEdit>(u"txt_1"_s);
    mese->setFocus();
    mese->selectAll();
    // The full field moves on by itself, and its check fails.
    RisponditoreTest().Rispondi(Risposta::Ok, u"MESE ERRATO"_s);
    QTest::keyClicks(mese, u"1x3"_s); // the letter is not taken
    QTest::qWait(0);
    EXPECT_EQ(QApplication::focusWidget(), mese);
    EXPECT_EQ(mese->text(), u"13"_s);
    EXPECT_EQ(Righe(), PerNome);

    // Once the person heads for the exit, the field is no longer checked.
    QTest::mouseClick(Pulsante(u"&USCITA"_s), Qt::LeftButton);
    EXPECT_FALSE(finestra->isVisible());
}

TEST_F(Dos2EdiTest, SuEGiuTraICampi)
{
    Apri();
    finestra->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(finestra.get()));
    QLineEdit* primo = Trova<QLineEdit>(u"txt_1"_s);
    QLineEdit* ultimo = Trova<QLineEdit>(u"txt_4"_s);
    primo->setFocus();
    QTest::keyClick(primo, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), ultimo);
    Trova<QLineEdit>(u"txt_1"_s)->setEnabled(false);
    QTest::keyClick(ultimo, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Trova<QLineEdit>(u"txt_2"_s));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), Trova<QLineEdit>(u"txt_3"_s));
}

TEST_F(Dos2EdiTest, VisualizzaApreIlFileConLEditorDellUfficio)
{
    QuattroFile();
    const QString uscita = Percorso(u"aperto.txt"_s);
    const QString script = ScriptRegistra(u"editor.sh"_s, uscita);
    ScriviIni(FileIni, u"APPLICATIVI"_s, u"Varie1"_s, script);
    Apri();
    ClicRiga(elenco, 2, Qt::RightButton);
    Voce(u"Mu_visualizza"_s)->trigger();
    Trova<QMenu>(u"mnuOperazioni"_s)->hide();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(uscita); }, 10000));
    EXPECT_EQ(LeggiFile(uscita), Percorso(u"Firmati/ABCD1207.T02"_s).toUtf8() + "\n");
}
