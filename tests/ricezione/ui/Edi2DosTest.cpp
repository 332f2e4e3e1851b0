#include "PercorsiTest.h"
#include "support/BustaFirmata.h"
#include "support/CartellaProgrammaTest.h"
#include "support/ProcessiRimasti.h"
#include "support/Risponditore.h"
#include "support/ServerFtp.h"
#include "support/StampaQt.h"
#include "support/ui/AmbienteFinestre.h"

#include "piattaforma/BloccoTrasferimenti.h"
#include "ricezione/ui/Edi2Dos.h"
#include "ricezione/ui/GrigliaRicevuti.h"
#include "scambio/VerificaFirma.h"
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
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
// Clicks through the window system, as a person gives them: a right click
// there is what asks the grid for its menu.
#define QTEST_QPA_MOUSE_HANDLING
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class Edi2DosTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        GiornoProve();
        CartelleUfficio(Percorso(u"base"_s));
        ParametriEdi.UtenteFtp = u"ACME"_s;
    }
    void Ricevuto(const QString& nome, int secondi, const QByteArray& contenuto = "x")
    {
        QFile f(ScriviFile(u"base/Ricevuti/"_s + nome, contenuto));
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
    Ricevuto(u"ACME1207.N01"_s, 10);
    Ricevuto(u"ACME1207.X02.P7M"_s, 20);
    Ricevuto(u"ACME1206.X03"_s, 30);
    Edi2Dos w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(w.windowTitle(), u"RICEZIONE FILE"_s);
    auto* txt1 = w.findChild<QLineEdit*>(u"txt_1"_s);
    EXPECT_EQ(QApplication::focusWidget(), txt1) << "the first field has the focus";
    EXPECT_EQ(txt1->text(), u"12"_s);
    EXPECT_EQ(w.findChild<QLineEdit*>(u"txt_4"_s)->text(), u"??"_s);
    EXPECT_EQ(w.Griglia()->Elenco().Conta(), 0);
    EXPECT_EQ(w.findChild<QPushButton*>(u"cmdOK"_s)->text(), u"&ESCI"_s);
    txt1->setFocus();
    QTest::keyClick(txt1, Qt::Key_Return);
    EXPECT_EQ(Nomi(w), QStringList({u"ACME1207.N01"_s, u"ACME1207.X02.P7M"_s}));
    EXPECT_EQ(w.findChild<QPushButton*>(u"cmdOK"_s)->text(), u"&SPOSTA"_s);
    EXPECT_EQ(w.width(), 6500 / 15 - (w.frameGeometry().width() - w.geometry().width()));
}

TEST_F(Edi2DosTest, OrdinamentiDallaBandaDiIntestazione)
{
    OrdinaColRicevi = 0;
    OrdinaModoRicevi = Crescente;
    Ricevuto(u"ACME1207.N01"_s, 300);
    Ricevuto(u"ACME1207.N02"_s, 100);
    Ricevuto(u"ACME1207.N03"_s, 200);
    Edi2Dos w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.CaricaRicevuti();
    EXPECT_EQ(Nomi(w), QStringList({u"ACME1207.N01"_s, u"ACME1207.N02"_s, u"ACME1207.N03"_s}));
    ClicIntestazione(w, 1, Qt::LeftButton);
    EXPECT_EQ(Nomi(w), QStringList({u"ACME1207.N02"_s, u"ACME1207.N03"_s, u"ACME1207.N01"_s}));
    ClicIntestazione(w, 1, Qt::RightButton);
    EXPECT_EQ(Nomi(w), QStringList({u"ACME1207.N01"_s, u"ACME1207.N03"_s, u"ACME1207.N02"_s}));
    // A reload: the configured column, the last direction.
    w.CaricaRicevuti();
    EXPECT_EQ(Nomi(w), QStringList({u"ACME1207.N03"_s, u"ACME1207.N02"_s, u"ACME1207.N01"_s}));
}

TEST_F(Edi2DosTest, SpostaSiFermaAlSecondoCheNonSiSbusta)
{
    ScriviFile(u"base/Sbusta.sh"_s, "#!/bin/sh\ncase \"$1\" in *X02*) exit 1 ;; esac\n"
                                    "sleep 0.2\ncp \"$1\" \"$2\"\n");
    Ricevuto(u"ACME1207.X01.P7M"_s, 10);
    Ricevuto(u"ACME1207.X02.P7M"_s, 20);
    Ricevuto(u"ACME1207.X03.P7M"_s, 30);
    Edi2Dos w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.CaricaRicevuti();
    RisponditoreTest().Rispondi(Risposta::Ok, u"ERRORE IN FASE DI VERIFICA!"_s);
    w.findChild<QPushButton*>(u"cmdOK"_s)->click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Nomi(w), QStringList({u"ACME1207.X02.P7M"_s, u"ACME1207.X03.P7M"_s}));
    EXPECT_TRUE(QFile::exists(ParametriEdi.CartellaDaVerificare + u"/ACME1207.X01.P7M"_s));
    EXPECT_TRUE(QFile::exists(ParametriEdi.CartellaVerificati + u"/ACME1207.X01"_s));
    const QStringList righe = RisponditoreTest().Testi().value(0).split(u'\n');
    EXPECT_EQ(righe.mid(0, 4), QStringList({u"ERRORE IN FASE DI VERIFICA!"_s, u"ACME1207.X02.P7M"_s,
                                            u"    in"_s, u"ACME1207.X02"_s}));
}

namespace {

class Edi2DosE2ETest : public ProvaConServerFtp
{
protected:
    void Prepara() override
    {
        GiornoProve();
        CartelleUfficio(Percorso(u"base"_s));
        CollegaDogana();
        MaxFile = 50;
    }
};

} // namespace

TEST_F(Edi2DosE2ETest, RiceviDallaFinestra)
{
    server_.MettiFile(ServerFtp::UtenteDogana, u"ACME1207.N01"_s, "uno");
    server_.MettiFile(ServerFtp::UtenteDogana, u"ACME1207.X02"_s, "due");
    Edi2Dos w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    auto* ricevi = w.findChild<QPushButton*>(u"cmdRicevi"_s);
    ConnessoRemoto = false;
    ricevi->click();
    EXPECT_EQ(w.Griglia()->Elenco().Conta(), 0) << "no link, no run";
    ConnessoRemoto = true;
    ricevi->click();
    EXPECT_FALSE(w.Occupato());
    QStringList nomi;
    for (const RigaRicevuto& r : w.Griglia()->Elenco().Righe())
        nomi << r.nome;
    EXPECT_EQ(nomi, QStringList({u"ACME1207.N01"_s, u"ACME1207.X02"_s}));
    EXPECT_EQ(w.findChild<QPushButton*>(u"cmdOK"_s)->text(), u"&SPOSTA"_s);
    EXPECT_FALSE(w.findChild<QWidget*>(u"pctHelp"_s)->isVisible());
}

TEST_F(Edi2DosTest, MenuDellaRigaVisualizzaESposta)
{
    ScriviFile(u"base/Sbusta.sh"_s, "#!/bin/sh\nsleep 0.2\ncp \"$1\" \"$2\"\n");
    Ricevuto(u"ACME1207.N01.P7M"_s, 10, "%PDF firmato");
    Ricevuto(u"ACME1207.X02"_s, 20, "testo");
    Edi2Dos w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.CaricaRicevuti();
    auto* griglia = const_cast<GrigliaRicevuti*>(w.Griglia());
    const QPoint riga0 = griglia->visualRect(griglia->model()->index(0, 0)).center();
    QTest::mouseClick(griglia->viewport(), Qt::LeftButton, {}, riga0);
    ASSERT_EQ(griglia->FileCorrente(), u"ACME1207.N01.P7M"_s);

    // View: the signed reply is unwrapped to its PDF, which the desktop opens.
    AperturaShell().clear();
    griglia->findChild<QAction*>(u"Mu_vedi"_s)->trigger();
    EXPECT_EQ(LeggiFile(ParametriEdi.CartellaVerificati + u"/ACME1207.N01.pdf"_s), "%PDF firmato");
    ASSERT_EQ(AperturaShell().size(), 1);
    EXPECT_TRUE(AperturaShell()[0].endsWith(u"/Verificati/ACME1207.N01.pdf"_s));
    EXPECT_TRUE(QFile::exists(ParametriEdi.CartellaRicevuti + u"/ACME1207.N01.P7M"_s));

    // Move one: unwrapped again, moved on, the list reloaded.
    griglia->findChild<QAction*>(u"Mu_storico"_s)->trigger();
    EXPECT_EQ(Nomi(w), QStringList({u"ACME1207.X02"_s}));
    EXPECT_TRUE(QFile::exists(ParametriEdi.CartellaDaVerificare + u"/ACME1207.N01.P7M"_s));
}

TEST_F(Edi2DosTest, ProgressivoFuoriIntervalloEEsciSenzaSpostare)
{
    ParametriEdi.Progr1 = u"A0"_s;
    ParametriEdi.Progr2 = u"BZ"_s;
    Ricevuto(u"ACME1207.XA1"_s, 10);
    Edi2Dos w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto* txt4 = w.findChild<QLineEdit*>(u"txt_4"_s);
    EXPECT_EQ(txt4->text(), u"A?"_s);
    txt4->setFocus();
    txt4->selectAll();
    RisponditoreTest().Rispondi(Risposta::Ok, u"PROGRESSIVO ERRATO\n DA 'A0'  A 'BZ'"_s);
    QTest::keyClick(txt4, Qt::Key_C);
    EXPECT_TRUE(txt4->text().isEmpty());

    // The table has rows but the button says "&ESCI" during and after a run
    // that could not start: it closes, nothing moves.
    w.CaricaRicevuti();
    auto* ok = w.findChild<QPushButton*>(u"cmdOK"_s);
    ok->setText(u"&ESCI"_s);
    ok->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(QFile::exists(ParametriEdi.CartellaRicevuti + u"/ACME1207.XA1"_s));
}

TEST_F(Edi2DosTest, MenuDellaRigaInvioEDoppioClicSullaGriglia)
{
    const QString uscita = Percorso(u"aperto.txt"_s);
    ScriviIni(FileIni, u"APPLICATIVI"_s, u"Varie1"_s, ScriptRegistra(u"editor.sh"_s, uscita));
    Ricevuto(u"ACME1207.N01"_s, 10);
    Ricevuto(u"ACME1207.X02"_s, 20);
    Edi2Dos w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.CaricaRicevuti();
    auto* griglia = const_cast<GrigliaRicevuti*>(w.Griglia());
    const auto centro = [&](int riga) {
        return griglia->visualRect(griglia->model()->index(riga, 0)).center();
    };

    QTest::mouseClick(griglia->viewport(), Qt::RightButton, {}, centro(1));
    auto* menu = griglia->findChild<QMenu*>(u"Mu_base"_s);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(griglia->FileCorrente(), u"ACME1207.X02"_s);
    EXPECT_EQ(griglia->findChild<QAction*>(u"Mu_storico"_s)->text(), u"&Sposta  ACME1207.X02"_s);
    EXPECT_EQ(griglia->findChild<QAction*>(u"Mu_vedi"_s)->text(), u"&Visualizza  ACME1207.X02"_s);
    menu->hide();

    // Enter views the current file with the office's viewer, a double click too.
    griglia->setFocus();
    QTest::keyClick(griglia, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(uscita); }, 10000));
    EXPECT_EQ(LeggiFile(uscita), (ParametriEdi.CartellaRicevuti + u"/ACME1207.X02\n"_s).toUtf8());
    QFile::remove(uscita);
    QTest::mouseDClick(griglia->viewport(), Qt::LeftButton, {}, centro(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(uscita); }, 10000));
    EXPECT_EQ(LeggiFile(uscita), (ParametriEdi.CartellaRicevuti + u"/ACME1207.N01\n"_s).toUtf8());
}

TEST_F(Edi2DosTest, SpostaNonSbustatoFinisceNelMessaggioSenzaResti)
{
    const QByteArray avviato = Percorso(u"avviato"_s).toUtf8();
    const QString pid = Percorso(u"pid"_s);
    const struct
    {
        const char* nome;
        const char* file;
        QByteArray comando;
        const char* detto;
    } casi[] = {
        {"appeso con un figlio, sordo a TERM", "ACME1207.X01.P7M",
         "trap '' TERM; cp \"$1\" \"$2\"; sleep 300 & printf '%s %s' $$ $! > '" + pid.toUtf8() +
             "'; wait",
         "tempo scaduto"},
        {"scrive poi fallisce", "ACME1207.X02.P7M", "cp \"$1\" \"$2\"; exit 1", "codice 1"},
        {"nome con .PDF, senza nome locale", "ACME1207.N03.PDF.P7M",
         "touch '" + avviato + "'; cp \"$1\" \"$2\"", ".PDF"},
    };
    ImpostaLimiteSbusta(700);
    const auto ripristina = qScopeGuard([] { ImpostaLimiteSbusta(0); });
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        const QString nome = QString::fromUtf8(c.file);
        ScriviFile(u"base/Sbusta.sh"_s, "#!/bin/sh\n" + c.comando + "\n");
        Ricevuto(nome, 10, "busta");
        RisponditoreTest().Azzera();
        Edi2Dos w;
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        w.CaricaRicevuti();
        RisponditoreTest().Rispondi(Risposta::Ok, u"ERRORE IN FASE DI VERIFICA!\n"_s + nome);
        w.findChild<QPushButton*>(u"cmdOK"_s)->click();
        EXPECT_TRUE(w.isVisible());
        EXPECT_TRUE(RisponditoreTest().Testi().value(0).contains(QLatin1String(c.detto)))
            << RisponditoreTest().Testi().value(0).toStdString();
        EXPECT_EQ(Nomi(w), QStringList({nome}));
        EXPECT_TRUE(QDir(ParametriEdi.CartellaVerificati)
                        .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        EXPECT_EQ(ProcessiRimasti(pid), QStringList());
        QFile::remove(ParametriEdi.CartellaRicevuti + u'/' + nome);
    }
    EXPECT_FALSE(QFile::exists(QString::fromUtf8(avviato))) << "refused before the command";
}

TEST_F(Edi2DosTest, SenzaElencoDelleCaAvvisaUnaVoltaPerSposta)
{
    BustaFirmata busta;
    PreparaFirma(busta, Percorso(u"base/Sbusta.sh"_s));
    if (IsSkipped() || HasFatalFailure())
        return;
    qunsetenv("SBUSTA_CA");
    for (const QString& nome : {u"ACME1207.X01.P7M"_s, u"ACME1207.X02.P7M"_s})
        Ricevuto(nome, 10, busta.Firma("contenuto " + nome.toUtf8()));
    Edi2Dos w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.CaricaRicevuti();
    RisponditoreTest().Rispondi(Risposta::Ok, u"FIRMATARIO NON VERIFICATO\n2 file"_s);
    w.findChild<QPushButton*>(u"cmdOK"_s)->click();
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(RisponditoreTest().Testi().size(), 1);
    EXPECT_TRUE(RisponditoreTest().Testi()[0].endsWith(ParametriEdi.CartellaBase +
                                                       u"/CertificatiCA.pem"_s));
    EXPECT_EQ(LeggiFile(ParametriEdi.CartellaVerificati + u"/ACME1207.X02"_s),
              "contenuto ACME1207.X02.P7M");
}

namespace {

class Edi2DosLentoE2ETest : public Edi2DosE2ETest
{
public:
    Edi2DosLentoE2ETest() { opzioni_.velocitaScaricoKBs = 100; }
};

} // namespace

// While "norvel ricevi" fetches on the same program folder, the window's
// "&RICEVI" says another copy is transferring and starts nothing.
TEST_F(Edi2DosLentoE2ETest, RiceviMentreIlComandoTieneIlBlocco)
{
    ScriviIniDogana(Percorso(u"norvel.ini"_s), ParametriEdi.CartellaBase);
    const QString oggi = u"ACME"_s + QDate::currentDate().toString(u"MMdd"_s) + u".N01"_s;
    server_.MettiFile(ServerFtp::UtenteDogana, oggi, QByteArray(3000000, 'x'));
    server_.MettiFile(ServerFtp::UtenteDogana, u"ACME1207.N01"_s, "uno");
    QProcess comando;
    comando.start(QStringLiteral(NORVEL_ESEGUIBILE), {u"ricevi"_s, u"--cartella"_s, Cartella()});
    QTRY_VERIFY_WITH_TIMEOUT(BloccoTrasferimenti::Prova(Cartella()) == StatoBlocco::AltraCopia,
                             60000);

    RisponditoreTest().Rispondi(Risposta::Ok, QLatin1StringView(MessaggioAltraCopia));
    Edi2Dos w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ConnessoRemoto = true;
    w.findChild<QPushButton*>(u"cmdRicevi"_s)->click();
    EXPECT_FALSE(w.Occupato());
    EXPECT_EQ(RisponditoreTest().Ricevuti().size(), 1);
    EXPECT_FALSE(QFile::exists(ParametriEdi.CartellaRicevuti + u"/ACME1207.N01"_s));
    comando.kill();
    comando.waitForFinished();
}
