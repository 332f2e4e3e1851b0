#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"
#include "support/ServerFtp.h"
#include "support/StampaQt.h"
#include "support/ui/AmbienteFinestre.h"

#include "piattaforma/Orologio.h"
#include "ricezione/ui/Edi2Dos.h"
#include "ricezione/ui/GrigliaRicevuti.h"
#include "shell/CartelleLavoro.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
// Clicks through the window system, as a person gives them: a right click
// there is what asks the grid for its menu.
#define QTEST_QPA_MOUSE_HANDLING
#include <QTest>

namespace {

void PreparaUfficio(CartellaProgrammaTest& t, const QString& base)
{
    Q_UNUSED(t);
    ImpostaOrologio([] { return QDateTime(QDate(2024, 12, 7), QTime(9, 0)); });
    ParametriEdi.CartellaBase = base;
    CreaCartelle();
    ParametriEdi.UtenteFtp = "ACME";
}

class Edi2DosTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        PreparaUfficio(*this, Percorso("base"));
    }
    void Ricevuto(const QString& nome, int secondi, const QByteArray& contenuto = "x")
    {
        QFile f(ScriviFile("base/Ricevuti/" + nome, contenuto));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime(QDate(2024, 12, 7), QTime(8, 0)).addSecs(secondi),
                      QFileDevice::FileModificationTime);
    }
    static QStringList Nomi(const Edi2Dos& w)
    {
        QStringList n;
        for (const RigaRicevuto& r : w.Griglia()->Elenco().Righe())
            n << r.nome;
        return n;
    }
    static void ClicIntestazione(Edi2Dos& w, int colonna, Qt::MouseButton tasto)
    {
        QHeaderView* h = const_cast<GrigliaRicevuti*>(w.Griglia())->horizontalHeader();
        const QPoint p(h->sectionViewportPosition(colonna) + 5, h->height() / 2);
        QTest::mouseClick(h->viewport(), tasto, {}, p);
    }
};

} // namespace

TEST_F(Edi2DosTest, TabellaVuotaFinoAlPrimoCampoLasciato)
{
    Ricevuto("ACME1207.N01", 10);
    Ricevuto("ACME1207.X02.P7M", 20);
    Ricevuto("ACME1206.X03", 30);
    Edi2Dos w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(w.windowTitle(), "RICEZIONE FILE");
    auto* txt1 = w.findChild<QLineEdit*>("txt_1");
    EXPECT_EQ(QApplication::focusWidget(), txt1) << "the first field has the focus";
    EXPECT_EQ(txt1->text(), "12");
    EXPECT_EQ(w.findChild<QLineEdit*>("txt_4")->text(), "??");
    EXPECT_EQ(w.Griglia()->Elenco().Conta(), 0);
    EXPECT_EQ(w.findChild<QPushButton*>("cmdOK")->text(), "&ESCI");
    txt1->setFocus();
    QTest::keyClick(txt1, Qt::Key_Return);
    EXPECT_EQ(Nomi(w), QStringList({"ACME1207.N01", "ACME1207.X02.P7M"}));
    EXPECT_EQ(w.findChild<QPushButton*>("cmdOK")->text(), "&SPOSTA");
    EXPECT_EQ(w.width(), 6500 / 15 - (w.frameGeometry().width() - w.geometry().width()));
}

TEST_F(Edi2DosTest, OrdinamentiDallaBandaDiIntestazione)
{
    OrdinaColRicevi = 0;
    OrdinaModoRicevi = Crescente;
    Ricevuto("ACME1207.N01", 300);
    Ricevuto("ACME1207.N02", 100);
    Ricevuto("ACME1207.N03", 200);
    Edi2Dos w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.CaricaRicevuti();
    EXPECT_EQ(Nomi(w), QStringList({"ACME1207.N01", "ACME1207.N02", "ACME1207.N03"}));
    ClicIntestazione(w, 1, Qt::LeftButton);
    EXPECT_EQ(Nomi(w), QStringList({"ACME1207.N02", "ACME1207.N03", "ACME1207.N01"}));
    ClicIntestazione(w, 1, Qt::RightButton);
    EXPECT_EQ(Nomi(w), QStringList({"ACME1207.N01", "ACME1207.N03", "ACME1207.N02"}));
    // A reload: the configured column, the last direction.
    w.CaricaRicevuti();
    EXPECT_EQ(Nomi(w), QStringList({"ACME1207.N03", "ACME1207.N02", "ACME1207.N01"}));
}

TEST_F(Edi2DosTest, SpostaSiFermaAlSecondoCheNonSiSbusta)
{
    ScriviFile("base/Sbusta.sh", "#!/bin/sh\ncase \"$1\" in *X02*) exit 1 ;; esac\n"
                                 "sleep 0.2\ncp \"$1\" \"$2\"\n");
    Ricevuto("ACME1207.X01.P7M", 10);
    Ricevuto("ACME1207.X02.P7M", 20);
    Ricevuto("ACME1207.X03.P7M", 30);
    Edi2Dos w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.CaricaRicevuti();
    RisponditoreTest().Rispondi(Risposta::Ok, "ERRORE IN FASE DI VERIFICA!");
    w.findChild<QPushButton*>("cmdOK")->click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Nomi(w), QStringList({"ACME1207.X02.P7M", "ACME1207.X03.P7M"}));
    EXPECT_TRUE(QFile::exists(ParametriEdi.CartellaDaVerificare + "/ACME1207.X01.P7M"));
    EXPECT_TRUE(QFile::exists(ParametriEdi.CartellaVerificati + "/ACME1207.X01"));
    const QStringList righe = RisponditoreTest().Testi().value(0).split('\n');
    EXPECT_EQ(righe.mid(0, 4), QStringList({"ERRORE IN FASE DI VERIFICA!", "ACME1207.X02.P7M",
                                            "    in", "ACME1207.X02"}));
}

namespace {

class Edi2DosE2ETest : public ProvaConServerFtp
{
protected:
    void SetUp() override
    {
        ProvaConServerFtp::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        PreparaUfficio(*this, Percorso("base"));
        ParametriEdi.HostFtp = server_.Host();
        ParametriEdi.UtenteFtp = ServerFtp::UtenteDogana;
        ParametriEdi.PasswordFtp = ServerFtp::PasswordDogana;
        MaxFile = 50;
    }
};

} // namespace

TEST_F(Edi2DosE2ETest, RiceviDallaFinestra)
{
    server_.MettiFile(ServerFtp::UtenteDogana, "ACME1207.N01", "uno");
    server_.MettiFile(ServerFtp::UtenteDogana, "ACME1207.X02", "due");
    Edi2Dos w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    auto* ricevi = w.findChild<QPushButton*>("cmdRicevi");
    ConnessoRemoto = false;
    ricevi->click();
    EXPECT_EQ(w.Griglia()->Elenco().Conta(), 0) << "no link, no run";
    ConnessoRemoto = true;
    ricevi->click();
    EXPECT_FALSE(w.Occupato());
    QStringList nomi;
    for (const RigaRicevuto& r : w.Griglia()->Elenco().Righe())
        nomi << r.nome;
    EXPECT_EQ(nomi, QStringList({"ACME1207.N01", "ACME1207.X02"}));
    EXPECT_EQ(w.findChild<QPushButton*>("cmdOK")->text(), "&SPOSTA");
    EXPECT_FALSE(w.findChild<QWidget*>("pctHelp")->isVisible());
}

TEST_F(Edi2DosTest, MenuDellaRigaVisualizzaESposta)
{
    ScriviFile("base/Sbusta.sh", "#!/bin/sh\nsleep 0.2\ncp \"$1\" \"$2\"\n");
    Ricevuto("ACME1207.N01.P7M", 10, "%PDF firmato");
    Ricevuto("ACME1207.X02", 20, "testo");
    Edi2Dos w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.CaricaRicevuti();
    auto* griglia = const_cast<GrigliaRicevuti*>(w.Griglia());
    const QPoint riga0 = griglia->visualRect(griglia->model()->index(0, 0)).center();
    QTest::mouseClick(griglia->viewport(), Qt::LeftButton, {}, riga0);
    ASSERT_EQ(griglia->FileCorrente(), "ACME1207.N01.P7M");

    // View: the signed reply is unwrapped to its PDF, which the desktop opens.
    AperturaShell().clear();
    griglia->findChild<QAction*>("Mu_vedi")->trigger();
    EXPECT_EQ(LeggiFile(ParametriEdi.CartellaVerificati + "/ACME1207.N01.pdf"), "%PDF firmato");
    ASSERT_EQ(AperturaShell().size(), 1);
    EXPECT_TRUE(AperturaShell()[0].endsWith("/Verificati/ACME1207.N01.pdf"));
    EXPECT_TRUE(QFile::exists(ParametriEdi.CartellaRicevuti + "/ACME1207.N01.P7M"));

    // Move one: unwrapped again, moved on, the list reloaded.
    griglia->findChild<QAction*>("Mu_storico")->trigger();
    EXPECT_EQ(Nomi(w), QStringList({"ACME1207.X02"}));
    EXPECT_TRUE(QFile::exists(ParametriEdi.CartellaDaVerificare + "/ACME1207.N01.P7M"));
}

TEST_F(Edi2DosTest, ProgressivoFuoriIntervalloEEsciSenzaSpostare)
{
    ParametriEdi.Progr1 = "A0";
    ParametriEdi.Progr2 = "BZ";
    Ricevuto("ACME1207.XA1", 10);
    Edi2Dos w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto* txt4 = w.findChild<QLineEdit*>("txt_4");
    EXPECT_EQ(txt4->text(), "A?");
    txt4->setFocus();
    txt4->selectAll();
    RisponditoreTest().Rispondi(Risposta::Ok, "PROGRESSIVO ERRATO\n DA 'A0'  A 'BZ'");
    QTest::keyClick(txt4, Qt::Key_C);
    EXPECT_TRUE(txt4->text().isEmpty());

    // The table has rows but the button says "&ESCI" during and after a run
    // that could not start: it closes, nothing moves.
    w.CaricaRicevuti();
    auto* ok = w.findChild<QPushButton*>("cmdOK");
    ok->setText("&ESCI");
    ok->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(QFile::exists(ParametriEdi.CartellaRicevuti + "/ACME1207.XA1"));
}

TEST_F(Edi2DosTest, MenuDellaRigaInvioEDoppioClicSullaGriglia)
{
    const QString uscita = Percorso("aperto.txt");
    ScriviIni(FileIni, "APPLICATIVI", "Varie1", ScriptRegistra("editor.sh", uscita));
    Ricevuto("ACME1207.N01", 10);
    Ricevuto("ACME1207.X02", 20);
    Edi2Dos w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.CaricaRicevuti();
    auto* griglia = const_cast<GrigliaRicevuti*>(w.Griglia());
    const auto centro = [&](int riga) {
        return griglia->visualRect(griglia->model()->index(riga, 0)).center();
    };

    QTest::mouseClick(griglia->viewport(), Qt::RightButton, {}, centro(1));
    auto* menu = griglia->findChild<QMenu*>("Mu_base");
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(griglia->FileCorrente(), "ACME1207.X02");
    EXPECT_EQ(griglia->findChild<QAction*>("Mu_storico")->text(), "&Sposta  ACME1207.X02");
    EXPECT_EQ(griglia->findChild<QAction*>("Mu_vedi")->text(), "&Visualizza  ACME1207.X02");
    menu->hide();

    // Enter views the current file with the office's viewer, a double click too.
    griglia->setFocus();
    QTest::keyClick(griglia, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(uscita); }, 10000));
    EXPECT_EQ(LeggiFile(uscita), (ParametriEdi.CartellaRicevuti + "/ACME1207.X02\n").toUtf8());
    QFile::remove(uscita);
    QTest::mouseDClick(griglia->viewport(), Qt::LeftButton, {}, centro(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(uscita); }, 10000));
    EXPECT_EQ(LeggiFile(uscita), (ParametriEdi.CartellaRicevuti + "/ACME1207.N01\n").toUtf8());
}
