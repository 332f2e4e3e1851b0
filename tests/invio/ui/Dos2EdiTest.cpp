#include "support/CartellaProgrammaTest.h"
#include "support/ControlloModello.h"
#include "support/Risponditore.h"

#include "invio/ui/Dos2Edi.h"
#include "piattaforma/Orologio.h"
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

namespace {

class Dos2EdiTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        ImpostaOrologio([] { return QDateTime(QDate(2024, 12, 7), QTime(9, 0)); });
        ParametriEdi.UtenteFtp = "ABCD";
        ParametriEdi.CartellaFirmati = Percorso("Firmati");
        ParametriEdi.CartellaInviati = Percorso("Inviati");
        QDir().mkpath(ParametriEdi.CartellaFirmati);
        QDir().mkpath(ParametriEdi.CartellaInviati);
        ConnessoRemoto = true;
    }

    void File(const QString& nome, const QDateTime& quando, int byte = 5,
              const QString& cartella = "Firmati")
    {
        const QString p = ScriviFile(cartella + "/" + nome, QByteArray(byte, 'd'));
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(quando, QFileDevice::FileModificationTime);
    }

    void Apri()
    {
        finestra = std::make_unique<Dos2Edi>();
        finestra->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(finestra.get()));
        elenco = Trova<QTableView>("grdElenco");
        invio = Trova<QTableView>("grdInvio");
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
        File("ABCD1207.T04", QDateTime(QDate(2024, 9, 1), QTime(8, 0)), 300);
        File("ABCD1207.T01", QDateTime(QDate(2024, 12, 7), QTime(8, 0)), 10);
        File("ABCD1207.I03", QDateTime(QDate(2024, 1, 15), QTime(8, 0)), 2000);
        File("ABCD1207.T02", QDateTime(QDate(2023, 11, 30), QTime(8, 0)), 40);
    }

    std::unique_ptr<Dos2Edi> finestra;
    QTableView* elenco = nullptr;
    QTableView* invio = nullptr;
};

const QStringList PerNome = {"ABCD1207.I03", "ABCD1207.T01", "ABCD1207.T02", "ABCD1207.T04"};
const QStringList PerData = {"ABCD1207.T02", "ABCD1207.I03", "ABCD1207.T04", "ABCD1207.T01"};

} // namespace

TEST_F(Dos2EdiTest, ApreConDidascaliaFiltroEOrdineDelleImpostazioni)
{
    QuattroFile();
    File("ABCD1206.T01", QDateTime(QDate(2024, 12, 6), QTime(8, 0))); // another day
    ScriviIni(FileIni, "EDI", "COLSORTINV", "1");
    CaricaParametriEdi();
    ParametriEdi.UtenteFtp = "ABCD";
    ParametriEdi.CartellaFirmati = Percorso("Firmati");
    ParametriEdi.CartellaInviati = Percorso("Inviati");
    Apri();
    EXPECT_EQ(finestra->windowTitle(), " INVIA DATI ALLA DOGANA    -    " + Percorso("Firmati"));
    EXPECT_EQ(Trova<QLabel>("lbUtente")->text(), "ABCD");
    EXPECT_EQ(Trova<QLineEdit>("txt_1")->text(), "12");
    EXPECT_EQ(Trova<QLineEdit>("txt_2")->text(), "07");
    EXPECT_EQ(Righe(), PerData);
    EXPECT_FALSE(Trova<QWidget>("pctHelp")->isVisible());
    EXPECT_FALSE(Trova<QWidget>("fraCartella")->isVisible());

    const QAbstractItemModel* m = elenco->model();
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), "Nome");
    EXPECT_EQ(m->headerData(2, Qt::Horizontal).toString(), "Data");
    EXPECT_EQ(m->headerData(3, Qt::Horizontal).toString(), "byte");
    EXPECT_EQ(m->index(1, 3).data().toString(), "2.000"); // ABCD1207.I03
    EXPECT_EQ(m->index(1, 2).data().toString(), "15/01/2024 08:00:00");
    EXPECT_EQ(invio->model()->headerData(0, Qt::Horizontal).toString(), "Nome");
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
    Pulsante("&AGGIORNA lista")->click();
    attese = PerNome;
    std::reverse(attese.begin(), attese.end());
    EXPECT_EQ(Righe(), attese);
}

TEST_F(Dos2EdiTest, PulsantiDiSelezioneSecondoISegni)
{
    Apri();
    // Nothing listed: not even "&Tutti", and nothing to send.
    EXPECT_TRUE(Pulsante("&Tutti")->isHidden());
    QuattroFile();
    Pulsante("&AGGIORNA lista")->click();
    EXPECT_FALSE(Pulsante("&Tutti")->isHidden());
    EXPECT_TRUE(Pulsante("&Nessuno")->isHidden());
    EXPECT_TRUE(Pulsante("&Inverti")->isHidden());
    EXPECT_FALSE(Pulsante("&INVIA")->isEnabled());

    Pulsante("&Tutti")->click();
    EXPECT_EQ(RigheInvio(), PerNome);
    EXPECT_FALSE(Pulsante("&Nessuno")->isHidden());
    EXPECT_FALSE(Pulsante("&Inverti")->isHidden());
    EXPECT_TRUE(Pulsante("&INVIA")->isEnabled());

    Pulsante("&Nessuno")->click();
    EXPECT_TRUE(RigheInvio().isEmpty());
    EXPECT_TRUE(Pulsante("&Inverti")->isHidden());

    elenco->setFocus();
    elenco->setCurrentIndex(elenco->model()->index(1, 1));
    QTest::keyClick(elenco, Qt::Key_S);
    Pulsante("&Inverti")->click();
    EXPECT_EQ(RigheInvio(), QStringList({"ABCD1207.I03", "ABCD1207.T02", "ABCD1207.T04"}));
    EXPECT_EQ(finestra->ElencoInvio(), RigheInvio());
    EXPECT_EQ(elenco->model()->index(1, 0).data().toString(), "");
    EXPECT_EQ(elenco->model()->index(0, 0).data().toString(), "S");

    // Without the link there is nothing to send to.
    ConnessoRemoto = false;
    Pulsante("&AGGIORNA lista")->click();
    EXPECT_FALSE(Pulsante("&INVIA")->isEnabled());
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
    EXPECT_EQ(RigheInvio(), QStringList({"ABCD1207.I03", "ABCD1207.T01"}));
    EXPECT_EQ(elenco->currentIndex().row(), 2);

    elenco->setCurrentIndex(elenco->model()->index(3, 1));
    QTest::keyClick(elenco, Qt::Key_S);
    EXPECT_EQ(elenco->currentIndex().row(), 3) << "the last row stays current";
    EXPECT_EQ(RigheInvio().last(), "ABCD1207.T04");

    elenco->setCurrentIndex(elenco->model()->index(0, 1));
    QTest::keyClick(elenco, Qt::Key_Space);
    QTest::keyClick(elenco, Qt::Key_N);
    EXPECT_EQ(RigheInvio(), QStringList({"ABCD1207.T04"}));
    EXPECT_EQ(elenco->currentIndex().row(), 2);

    // Lower grid: Delete unmarks there too.
    invio->setFocus();
    invio->setCurrentIndex(invio->model()->index(0, 0));
    QTest::keyClick(invio, Qt::Key_Delete);
    EXPECT_TRUE(RigheInvio().isEmpty());
    EXPECT_EQ(elenco->model()->index(3, 0).data().toString(), "");

    // Double click marks the row under the pointer.
    const QPoint p = elenco->visualRect(elenco->model()->index(2, 1)).center();
    QTest::mouseDClick(elenco->viewport(), Qt::LeftButton, {}, p);
    EXPECT_EQ(RigheInvio(), QStringList({"ABCD1207.T02"}));
}

TEST_F(Dos2EdiTest, IntestazioneDellElencoInvioNeCambiaIlVerso)
{
    QuattroFile();
    Apri();
    Pulsante("&Tutti")->click();
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
    ASSERT_EQ(RigheInvio(), QStringList({"ABCD1207.I03"}));

    // Only type T from now on.
    QLineEdit* tipo = Trova<QLineEdit>("txt_3");
    tipo->setFocus();
    QTest::keyClick(tipo, Qt::Key_Backspace);
    QTest::keyClicks(tipo, "t");
    EXPECT_EQ(tipo->text(), "T");
    elenco->setFocus();
    EXPECT_EQ(Righe(), QStringList({"ABCD1207.T01", "ABCD1207.T02", "ABCD1207.T04"}));
    EXPECT_EQ(finestra->ElencoInvio(), QStringList({"ABCD1207.I03"}));
    EXPECT_TRUE(Pulsante("&INVIA")->isEnabled());

    elenco->setCurrentIndex(elenco->model()->index(0, 1));
    QTest::keyClick(elenco, Qt::Key_S);
    EXPECT_EQ(finestra->ElencoInvio(), QStringList({"ABCD1207.T01"}));
}

TEST_F(Dos2EdiTest, ColoriPerGruppoEGrassettoPerISegnati)
{
    Colori[0] = QString::number(0x0000FF); // red in the low byte
    Colori[1] = QString::number(0xFF0000); // blue
    File("ABCD1207.T01", QDateTime::currentDateTime());
    File("ABCD1207.I01", QDateTime::currentDateTime());
    File("ABCD1207.401", QDateTime::currentDateTime());
    Apri();
    const QAbstractItemModel* m = elenco->model();
    ASSERT_EQ(Righe(), QStringList({"ABCD1207.401", "ABCD1207.I01", "ABCD1207.T01"}));
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
    Pulsante("&Tutti")->click();
    ClicIntestazione(elenco, 3, Qt::RightButton);
    Pulsante("&Inverti")->click();
    Pulsante("&AGGIORNA lista")->click();
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
    EXPECT_TRUE(a.Violazioni().isEmpty()) << a.Violazioni().join('\n').toStdString();
}

// "&Storicizza" takes the row out of the list; the folder is not read again.
TEST_F(Dos2EdiTest, StoricizzaToglieLaRigaSenzaRileggereLaCartella)
{
    QuattroFile();
    Apri();
    ControlloModello controllo(elenco->model());
    Pulsante("&Tutti")->click();
    File("ABCD1207.T05", QDateTime::currentDateTime()); // arrived meanwhile
    elenco->setCurrentIndex(elenco->model()->index(2, 1));
    ClicRiga(elenco, 2, Qt::RightButton); // ABCD1207.T02
    RisponditoreTest().Rispondi(Risposta::Si, "CONFERMI LA STORICIZZAZIONE DI  'ABCD1207.T02'");
    Voce("Mu_storico")->trigger();
    Trova<QMenu>("mnuOperazioni")->hide();
    EXPECT_EQ(Righe(), QStringList({"ABCD1207.I03", "ABCD1207.T01", "ABCD1207.T04"}));
    EXPECT_EQ(RigheInvio(), Righe());
    EXPECT_EQ(elenco->currentIndex().row(), 2);
    EXPECT_TRUE(QFile::exists(Percorso("Inviati/ABCD1207.T02")));
    Pulsante("&AGGIORNA lista")->click();
    EXPECT_TRUE(Righe().contains("ABCD1207.T05"));
    EXPECT_TRUE(controllo.Violazioni().isEmpty())
        << controllo.Violazioni().join('\n').toStdString();

    // From the history nothing moves: the row stays, unmarked.
    Trova<QRadioButton>("optQuali_0")->click();
    ASSERT_EQ(Righe(), QStringList({"ABCD1207.T02"}));
    Pulsante("&Tutti")->click();
    ClicRiga(invio, 0, Qt::RightButton);
    RisponditoreTest().Rispondi(Risposta::Si, "CONFERMI LA STORICIZZAZIONE DI  'ABCD1207.T02'");
    Voce("Mu_storico")->trigger();
    Trova<QMenu>("mnuOperazioni")->hide();
    EXPECT_EQ(Righe(), QStringList({"ABCD1207.T02"}));
    EXPECT_TRUE(RigheInvio().isEmpty());
}

TEST_F(Dos2EdiTest, MenuDiRigaStoricizzaSiENo)
{
    QuattroFile();
    File("ABCD1207.T01", QDateTime::currentDateTime(), 3, "Inviati"); // an older send
    Apri();
    ClicRiga(elenco, 1, Qt::RightButton); // ABCD1207.T01
    QMenu* menu = Trova<QMenu>("mnuOperazioni");
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(Voce("Mu_visualizza")->text(), "&Visualizza  ABCD1207.T01");
    EXPECT_EQ(Voce("Mu_storico")->text(), "&Storicizza  ABCD1207.T01");
    EXPECT_TRUE(Voce("Mu_storico")->isVisible());
    EXPECT_TRUE(Voce("Mu_daInviare")->isVisible());
    EXPECT_FALSE(Voce("Mu_nonInviare")->isVisible());
    Voce("Mu_daInviare")->trigger();
    menu->hide();
    ASSERT_EQ(RigheInvio(), QStringList({"ABCD1207.T01"}));

    // No: nothing changes.
    ClicRiga(elenco, 1, Qt::RightButton);
    EXPECT_FALSE(Voce("Mu_daInviare")->isVisible());
    EXPECT_EQ(Voce("Mu_nonInviare")->text(), "&Non inviare  ABCD1207.T01");
    RisponditoreTest().Rispondi(Risposta::No, "CONFERMI LA STORICIZZAZIONE DI  'ABCD1207.T01'");
    Voce("Mu_storico")->trigger();
    menu->hide();
    EXPECT_EQ(Righe(), PerNome);
    EXPECT_EQ(RigheInvio(), QStringList({"ABCD1207.T01"}));
    EXPECT_EQ(LeggiFile("Inviati/ABCD1207.T01").size(), 3);

    // Yes: out of both lists, and the older copy in the history is replaced.
    ClicRiga(elenco, 1, Qt::RightButton);
    RisponditoreTest().Rispondi(Risposta::Si, "CONFERMI LA STORICIZZAZIONE DI  'ABCD1207.T01'");
    Voce("Mu_storico")->trigger();
    menu->hide();
    EXPECT_EQ(RisponditoreTest().Ricevuti().last().richiesta.titolo, "STORICIZZA FIRMATI");
    EXPECT_EQ(RisponditoreTest().Ricevuti().last().richiesta.predefinita, Risposta::No);
    EXPECT_EQ(Righe(), QStringList({"ABCD1207.I03", "ABCD1207.T02", "ABCD1207.T04"}));
    EXPECT_TRUE(RigheInvio().isEmpty());
    EXPECT_EQ(LeggiFile("Inviati/ABCD1207.T01").size(), 10);
    EXPECT_FALSE(QFile::exists(Percorso("Firmati/ABCD1207.T01")));
}

TEST_F(Dos2EdiTest, ElencoInviatiEMenuDellaGrigliaInferiore)
{
    QuattroFile();
    File("ABCD1207.T09", QDateTime::currentDateTime(), 3, "Inviati");
    Apri();
    Pulsante("&Tutti")->click();
    ClicRiga(invio, 0, Qt::RightButton);
    EXPECT_TRUE(Voce("Mu_storico")->isVisible());
    EXPECT_FALSE(Voce("Mu_daInviare")->isVisible());
    EXPECT_EQ(Voce("Mu_nonInviare")->text(), "&Non inviare  ABCD1207.I03");
    Voce("Mu_nonInviare")->trigger();
    Trova<QMenu>("mnuOperazioni")->hide();
    EXPECT_EQ(RigheInvio().size(), 3);

    Trova<QRadioButton>("optQuali_0")->click();
    EXPECT_EQ(finestra->windowTitle(), " INVIA DATI ALLA DOGANA    -    " + Percorso("Inviati"));
    EXPECT_EQ(Righe(), QStringList({"ABCD1207.T09"}));
    ClicRiga(elenco, 0, Qt::RightButton);
    EXPECT_FALSE(Voce("Mu_storico")->isVisible()) << "nothing to archive in the history";
    Trova<QMenu>("mnuOperazioni")->hide();
    Trova<QRadioButton>("optQuali_1")->click();
    EXPECT_EQ(Righe(), PerNome);
}

TEST_F(Dos2EdiTest, PannelloDiAiutoETastoF1)
{
    QuattroFile();
    Apri();
    elenco->setFocus();
    QTest::keyClick(elenco, Qt::Key_F1);
    QWidget* aiuto = Trova<QWidget>("pctHelp");
    EXPECT_TRUE(aiuto->isVisible());
    EXPECT_EQ(Trova<QLabel>("lbHelpTit")->text(), "ELENCO FILES TRASFERIRIBILI");
    EXPECT_TRUE(Trova<QLabel>("lbHelpMess")->text().startsWith("- Tasto destro del Mouse"));
    QTest::keyClick(elenco, Qt::Key_Down);
    EXPECT_FALSE(aiuto->isVisible());

    invio->setFocus();
    QTest::keyClick(invio, Qt::Key_F1);
    EXPECT_EQ(Trova<QLabel>("lbHelpTit")->text(), "ELENCO FILES DA TRASFERIRE");
    QTest::mouseClick(Trova<QLabel>("lbHelpMess"), Qt::LeftButton);
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
    Pulsante("&USCITA")->click();
    EXPECT_FALSE(finestra->isVisible());
    EXPECT_EQ(LeggiIni(FileIni, "Dos2Edi", "DIMY"),
              QString::number(Twip(finestra->frameGeometry().height())));
    EXPECT_EQ(LeggiIni(FileIni, "Dos2Edi", "DIMX"), "8250");
}

TEST_F(Dos2EdiTest, OrigineScelta)
{
    File("ABCD1207.T01", QDateTime::currentDateTime(), 3, "Altrove");
    Apri();
    Trova<QPushButton>("cmdOrigine")->click();
    EXPECT_TRUE(Trova<QWidget>("fraCartella")->isVisible());
    EXPECT_EQ(Trova<QLabel>("lbFirmaVerif")->text(), Percorso("Firmati"));

    DialoghiTest d;
    QString titolo, iniziale;
    d.cartella = [&](const QString& t, const QString& i) {
        titolo = t;
        iniziale = i;
        return Percorso("Altrove");
    };
    ImpostaDialoghi(d);
    Pulsante("&IMPOSTA Origine")->click();
    EXPECT_EQ(titolo, "Seleziona la Cartella desiderata");
    EXPECT_EQ(iniziale, Percorso("Firmati"));
    EXPECT_EQ(ParametriEdi.CartellaFirmati, Percorso("Altrove"));
    EXPECT_EQ(finestra->CartellaElenco(), Percorso("Altrove"));
    EXPECT_EQ(Righe(), QStringList({"ABCD1207.T01"}));
    EXPECT_FALSE(Trova<QWidget>("fraCartella")->isVisible());
    EXPECT_FALSE(Pulsante("&INVIA")->isHidden());
    EXPECT_EQ(finestra->windowTitle(), " INVIA DATI ALLA DOGANA    -    " + Percorso("Altrove"));
}

TEST_F(Dos2EdiTest, CampoErratoTrattieneIlFuocoEIlTestoSenzaRicaricare)
{
    QuattroFile();
    Apri();
    finestra->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(finestra.get()));
    QLineEdit* mese = Trova<QLineEdit>("txt_1");
    mese->setFocus();
    mese->selectAll();
    // The full field moves on by itself, and its check fails.
    RisponditoreTest().Rispondi(Risposta::Ok, "MESE ERRATO");
    QTest::keyClicks(mese, "1x3"); // the letter is not taken
    QTest::qWait(0);
    EXPECT_EQ(QApplication::focusWidget(), mese);
    EXPECT_EQ(mese->text(), "13");
    EXPECT_EQ(Righe(), PerNome);

    // Once the person heads for the exit, the field is no longer checked.
    QTest::mouseClick(Pulsante("&USCITA"), Qt::LeftButton);
    EXPECT_FALSE(finestra->isVisible());
}

TEST_F(Dos2EdiTest, SuEGiuTraICampi)
{
    Apri();
    finestra->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(finestra.get()));
    QLineEdit* primo = Trova<QLineEdit>("txt_1");
    QLineEdit* ultimo = Trova<QLineEdit>("txt_4");
    primo->setFocus();
    QTest::keyClick(primo, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), ultimo);
    Trova<QLineEdit>("txt_1")->setEnabled(false);
    QTest::keyClick(ultimo, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Trova<QLineEdit>("txt_2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), Trova<QLineEdit>("txt_3"));
}

TEST_F(Dos2EdiTest, VisualizzaApreIlFileConLEditorDellUfficio)
{
    QuattroFile();
    const QString uscita = Percorso("aperto.txt");
    const QString script = ScriptRegistra("editor.sh", uscita);
    ScriviIni(FileIni, "APPLICATIVI", "Varie1", script);
    Apri();
    ClicRiga(elenco, 2, Qt::RightButton);
    Voce("Mu_visualizza")->trigger();
    Trova<QMenu>("mnuOperazioni")->hide();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(uscita); }, 10000));
    EXPECT_EQ(LeggiFile(uscita), Percorso("Firmati/ABCD1207.T02").toUtf8() + "\n");
}
