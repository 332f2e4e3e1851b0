#include "PercorsiTest.h"
#include "support/AmbienteTest.h"
#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"
#include "support/ui/AmbienteFinestre.h"

#include "app/StartUp.h"
#include "piattaforma/ArchivioUtente.h"
#include "piattaforma/Orologio.h"
#include "piattaforma/SondaConnessione.h"
#include "piattaforma/ui/Dialoghi.h"
#include "piattaforma/ui/Schermo.h"
#include "shell/ArchivioParola.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// The main window in a fresh program folder, on a 1024 x 768 screen; the base
// folder of a first run lies in the test's own home folder.
class StartUpTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        casaVera_ = qgetenv("HOME");
        casa_ = Percorso("casa");
        QDir().mkpath(casa_);
        qputenv("HOME", casa_.toUtf8());
        ImpostaSchermo(QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 768));
        ImpostaSondaConnessione([this]() { return stato_; });
    }
    void TearDown() override
    {
        CartellaProgrammaTest::TearDown();
        finestra_.reset();
        qputenv("HOME", casaVera_);
    }

    StartUp& Finestra()
    {
        if (!finestra_)
            finestra_ = std::make_unique<StartUp>();
        return *finestra_;
    }
    // Start-up as main() runs it.
    StartUp& Avviata()
    {
        EXPECT_TRUE(Finestra().Avvia());
        Finestra().show();
        return Finestra();
    }
    template <typename T> T* Trova(const char* nome)
    {
        T* oggetto = Finestra().findChild<T*>(QString::fromLatin1(nome));
        EXPECT_NE(oggetto, nullptr) << nome;
        return oggetto;
    }
    QString Base() const { return casa_ + "/FirmaVerifica"; }
    // A settings file already there, naming the base folder.
    void IniConBase() { ScriviIni(FileIni, "PC", "PATH", Base()); }
    QString Ini(const QString& sezione, const QString& chiave) const
    {
        return LeggiIni(FileIni, sezione, chiave);
    }
    // The connection parameters window, when it opens, gets this base folder
    // (none: left as it is) and then this button.
    void SceltaNeiParametri(const QString& cartella, const char* pulsante)
    {
        DialoghiTest d;
        d.cartella = [cartella](const QString&, const QString&) { return cartella; };
        ImpostaDialoghi(d);
        QuandoModale([this, cartella, pulsante](QWidget* w) {
            ASSERT_EQ(w->objectName(), "ParEdi");
            ++finestreParametri_;
            if (!cartella.isEmpty())
                w->findChild<QPushButton*>("Command1")->click();
            w->findChild<QPushButton*>(pulsante)->click();
        });
    }

    StatoConnessione stato_ = StatoConnessione::NonAttiva;
    QString casa_;
    int finestreParametri_ = 0;

private:
    QByteArray casaVera_;
    std::unique_ptr<StartUp> finestra_;
};

} // namespace

TEST_F(StartUpTest, PrimoAvvioInCartellaVuota)
{
    StartUp& w = Avviata();
    EXPECT_EQ(w.objectName(), "StartUp");
    EXPECT_EQ(w.windowTitle(), " Norvel - scambio EDI via MODEM con la DOGANA");
    EXPECT_EQ(Ini("PC", "PATH"), Base());
    EXPECT_EQ(Ini("UNIX", "PATH"), "/tmp/edi");
    EXPECT_EQ(Ini("APPLICATIVI", "NomeVarie1"), "Editor di testi");
    EXPECT_EQ(Ini("APPLICATIVI", "Varie1"), "xdg-open");
    for (const char* sotto :
         {"", "/Ricevuti", "/Inviati", "/Firmati", "/Verificati", "/DaVerificare"})
        EXPECT_TRUE(QFileInfo(Base() + sotto).isDir()) << sotto;
    EXPECT_TRUE(QFileInfo(Percorso("TempFile")).isDir());
    EXPECT_EQ(ParametriEdi.CartellaFirmati, Base() + "/Firmati");
    EXPECT_EQ(FileComandiFtp, Percorso("Xcmd.txt"));
    EXPECT_EQ(CartellaTemp, Percorso("TempFile") + "/");
    EXPECT_EQ(QDir::currentPath(), QDir(Cartella()).canonicalPath());
    // 5400 x 3890 twips, at the top left corner of a screen without taskbar.
    EXPECT_EQ(w.frameGeometry(), QRect(0, 0, Pixel(5400), Pixel(3890)));
    EXPECT_EQ(Trova<QLabel>("lbDitta")->text(), " - ");
    EXPECT_EQ(Trova<QTimer>("Timer1")->interval(), 3000);
    EXPECT_TRUE(Trova<QTimer>("Timer1")->isActive());
}

TEST_F(StartUpTest, ControlliEMenu)
{
    StartUp& w = Avviata();
    const std::pair<const char*, const char*> pulsanti[] = {
        {"cmdInvia", "&INVIA BOLLE IN DOGANA"},
        {"cmdRicevi", "&RICEVI MESSAGGI DALLA DOGANA"},
        {"cmdIrildes", "&APPURAMENTI GARANZIA"},
        {"cmdUscita", "&USCITA"}};
    for (const auto& [nome, testo] : pulsanti)
        EXPECT_EQ(Trova<QPushButton>(nome)->text(), testo);
    EXPECT_EQ(Trova<QLabel>("lbConnesso")->text(), "Connessione REMOTA:");
    const std::pair<const char*, const char*> voci[] = {
        {"Mu_end", "&Uscita"},        {"Mu_Parametri", "&Parametri..."},
        {"Mu_parDog", "&DOGANA"},     {"Mu_Unix", "&Unix"},
        {"Mu_progr", "&Applicativi"}, {"Mu_color", "&Colori"},
        {"Mu_PassWd", "&PassWord"},   {"Mprg_base", "&Applicativi..."},
        {"Mu_PathBase", "&Cartelle"}, {"Mu_MRN", "&MRN"},
        {"Mu_help", "&?..."},         {"Mu_norvel", "Su Norvel"},
        {"Mu_zerpa", "Su ZERPA"},     {"Mu_newexe", "&Verifica aggiornamenti"}};
    for (const auto& [nome, testo] : voci)
        EXPECT_EQ(Trova<QAction>(nome)->text(), testo);
    for (int i = 2; i <= 11; ++i)
        EXPECT_EQ(Trova<QAction>(QString("Mprg_var_%1").arg(i).toLatin1())->text(),
                  QString("&Varie%1").arg(i));
    // The bar's order, left to right.
    QStringList barra;
    for (QAction* a : w.menuBar()->actions())
        barra << a->objectName();
    EXPECT_EQ(barra, QStringList({"Mu_end", "Mu_Parametri", "Mprg_base", "Mu_PathBase", "Mu_MRN",
                                  "Mu_help"}));
}

TEST_F(StartUpTest, GeometriaOltreLoSchermoRientra)
{
    IniConBase();
    ImpostaSchermo(QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 728));
    ScriviIni(FileIni, "StartUp", "POSX", "14000");
    ScriviIni(FileIni, "StartUp", "POSY", "11000");
    ScriviIni(FileIni, "StartUp", "DIMX", "6000");
    ScriviIni(FileIni, "StartUp", "DIMY", "4500");
    StartUp& w = Avviata();
    // 15360 - 6000 twips across; above the 40-pixel taskbar.
    EXPECT_EQ(w.frameGeometry(), QRect(624, 728 - 300, 400, 300));
}

TEST_F(StartUpTest, LarghezzaMinimaAllAvvioEAlRidimensionamento)
{
    IniConBase();
    ScriviIni(FileIni, "StartUp", "DIMX", "3000");
    ScriviIni(FileIni, "StartUp", "DIMY", "5000");
    StartUp& w = Avviata();
    EXPECT_EQ(w.frameGeometry().size(), QSize(360, Pixel(5000)));
    const QSize bordo = w.frameGeometry().size() - w.size();
    w.resize(200, 400);
    EXPECT_EQ(w.frameGeometry().size(), QSize(360, 400 + bordo.height()));
    w.resize(500, 100);
    EXPECT_EQ(w.frameGeometry().size(), QSize(500 + bordo.width(), Pixel(3890)));
}

TEST_F(StartUpTest, SorveglianzaDellaConnessione)
{
    StartUp& w = Avviata();
    auto* invia = Trova<QPushButton>("cmdInvia");
    auto* ricevi = Trova<QPushButton>("cmdRicevi");
    auto* appuramenti = Trova<QPushButton>("cmdIrildes");
    auto* icona = Trova<QLabel>("Image1");
    const bool inviaPrima = invia->isEnabled();
    auto colore = [&]() {
        const QImage img = icona->pixmap().toImage();
        return img.pixelColor(img.width() / 2, img.height() / 2 + 8);
    };

    // Shown from the start, before any tick.
    EXPECT_FALSE(ConnessoRemoto);
    EXPECT_FALSE(ricevi->isEnabled());
    EXPECT_FALSE(appuramenti->isEnabled());
    EXPECT_EQ(icona->accessibleName(), "Connessione non attiva");
    // No icon files in the folder: a drawn red disc stands in.
    EXPECT_GT(colore().red(), 150);
    EXPECT_LT(colore().green(), 100);

    stato_ = StatoConnessione::Attiva;
    w.ControllaConnessione();
    EXPECT_TRUE(ricevi->isEnabled());
    EXPECT_TRUE(appuramenti->isEnabled());
    EXPECT_EQ(icona->accessibleName(), "Connessione attiva");
    EXPECT_GT(colore().green(), 120);
    EXPECT_LT(colore().red(), 100);
    EXPECT_EQ(invia->isEnabled(), inviaPrima);

    // A failing probe says so and counts as down.
    stato_ = StatoConnessione::Errore;
    RisponditoreTest().Rispondi(Risposta::Ok, "ERROR");
    w.ControllaConnessione();
    EXPECT_FALSE(ricevi->isEnabled());
    EXPECT_FALSE(appuramenti->isEnabled());
    EXPECT_EQ(icona->accessibleName(), "Connessione non attiva");
    EXPECT_EQ(invia->isEnabled(), inviaPrima);
}

TEST_F(StartUpTest, IconeDellaCartellaDelProgramma)
{
    for (const char* nome : {"Via.ICO", "Alt.ICO"})
        ASSERT_TRUE(QFile::copy(QString(NORVEL_SORGENTI "/resources/") + nome, Percorso(nome)));
    StartUp& w = Avviata();
    auto* icona = Trova<QLabel>("Image1");
    const QImage alt(Percorso("Alt.ICO"));
    const QImage via(Percorso("Via.ICO"));
    ASSERT_FALSE(alt.isNull());
    auto mostrata = [&]() {
        return icona->pixmap().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    EXPECT_EQ(mostrata(), alt.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    stato_ = StatoConnessione::Attiva;
    w.ControllaConnessione();
    EXPECT_TRUE(ConnessoRemoto);
    EXPECT_EQ(mostrata(), via.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

TEST_F(StartUpTest, MenuApplicativi)
{
    IniConBase();
    const QString uscita = Percorso("lanciato.txt");
    ScriviIni(FileIni, "APPLICATIVI", "NomeVarie3", "Solo nome");
    ScriviIni(FileIni, "APPLICATIVI", "NomeVarie5", "Contabilita'");
    ScriviIni(FileIni, "APPLICATIVI", "Varie5", ScriptRegistra("conta.sh", uscita));
    Avviata();
    QStringList visibili;
    for (int i = 1; i <= 11; ++i) {
        QAction* a = Trova<QAction>(QString("Mprg_var_%1").arg(i).toLatin1());
        if (a->isVisible())
            visibili << a->text();
    }
    EXPECT_EQ(visibili, QStringList({"Editor di testi", "Contabilita'"}));
    EXPECT_TRUE(Trova<QAction>("Mprg_base")->isVisible());

    ArgomentoProgramma = " /tmp/un file.txt";
    Trova<QAction>("Mprg_var_5")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(uscita); }, 10000));
    EXPECT_EQ(LeggiFile(uscita), "/tmp/un\nfile.txt\n");
    EXPECT_EQ(ArgomentoProgramma, "");
}

TEST_F(StartUpTest, SoloIDefaultUnaVoce)
{
    StartUp& w = Avviata();
    int visibili = 0;
    for (int i = 1; i <= 11; ++i)
        visibili += Trova<QAction>(QString("Mprg_var_%1").arg(i).toLatin1())->isVisible();
    EXPECT_EQ(visibili, 1);
    EXPECT_EQ(Trova<QAction>("Mprg_var_1")->text(), "Editor di testi");
    // Hiding the last entry hides the menu.
    w.ImpostaVoceApplicativo(1, {}, false);
    EXPECT_FALSE(Trova<QAction>("Mprg_base")->isVisible());
}

TEST_F(StartUpTest, UscitaSalvaPosizioneEValoriUtente)
{
    ImpostaOrologio([] { return QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)); });
    StartUp& w = Avviata();
    w.move(30, 45);
    Trova<QPushButton>("cmdUscita")->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(Ini("StartUp", "POSX"), "450");
    EXPECT_EQ(Ini("StartUp", "POSY"), "675");
    EXPECT_EQ(Ini("StartUp", "DIMX"), QString::number(Twip(Pixel(5400))));
    EXPECT_EQ(Ini("StartUp", "DIMY"), QString::number(Twip(Pixel(3890))));
    EXPECT_EQ(LeggiValoreUtente("test_app", "Setting", "ExePath"), Cartella());
    EXPECT_EQ(LeggiValoreUtente("test_app", "Setting", "ExeRun"), "04/03/2026 05:06:07");
    EXPECT_EQ(LeggiValoreUtente("1.0.0", "Setting", "ExeVersion"), "04/03/2026 05:06:07");
}

TEST_F(StartUpTest, UscitaDaRidottaNonSalvaLaPosizione)
{
    StartUp& w = Avviata();
    w.showMinimized();
    Trova<QAction>("Mu_end")->trigger();
    EXPECT_EQ(Ini("StartUp", "POSX"), "");
    EXPECT_EQ(Ini("StartUp", "DIMX"), "");
    EXPECT_EQ(LeggiValoreUtente("test_app", "Setting", "ExePath"), Cartella());
}

TEST_F(StartUpTest, UscitaForzataSenzaPassiDiUscita)
{
    StartUp& w = Avviata();
    RisponditoreTest().Rispondi(Risposta::Si, "FINE DI test_app?");
    QTest::keyClick(Trova<QPushButton>("cmdRicevi"), Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(TerminazioniRichieste(), QList<int>({0}));
    EXPECT_EQ(RisponditoreTest().Ricevuti().value(0).richiesta.titolo, "USCITA FORZATA");
    EXPECT_EQ(Ini("StartUp", "POSX"), "");
    EXPECT_EQ(LeggiValoreUtente("test_app", "Setting", "ExeRun"), "");
    // F2 is the exit button.
    QTest::keyClick(&w, Qt::Key_F2);
    EXPECT_FALSE(w.isVisible());
    EXPECT_NE(Ini("StartUp", "POSX"), "");
}

TEST_F(StartUpTest, CartellaBaseSottoUnaCartellaInesistente)
{
    ScriviIni(FileIni, "UNIX", "PATH", "/tmp/edi");
    ScriviIni(FileIni, "PC", "PATH", Percorso("manca/FirmaVerifica"));
    RisponditoreTest().Rispondi(Risposta::Ok,
                                "ERRORE IN FASE DI CREAZIONE CARTELLA 'FIRMAVERIFICA");
    // The connection parameters open to choose another base folder.
    const QString altra = Percorso("Altra");
    QDir().mkdir(altra);
    SceltaNeiParametri(altra, "cmdend_1");
    EXPECT_TRUE(Finestra().Avvia());
    EXPECT_EQ(finestreParametri_, 1);
    EXPECT_EQ(RisponditoreTest().Ricevuti().size(), 1);
    EXPECT_FALSE(QFileInfo::exists(Percorso("manca")));
    EXPECT_EQ(Ini("PC", "PATH"), altra);
    EXPECT_TRUE(QFileInfo(altra + "/Firmati").isDir());
}

TEST_F(StartUpTest, SenzaCartellaBaseIlProgrammaTermina)
{
    ScriviIni(FileIni, "PC", "PATH", "");
    SceltaNeiParametri(QString(), "cmdend_0");
    EXPECT_FALSE(Finestra().Avvia());
    EXPECT_EQ(finestreParametri_, 1);
}

TEST_F(StartUpTest, SenzaCartellaBaseLaSiSceglieNeiParametri)
{
    ScriviIni(FileIni, "PC", "PATH", "");
    ScriviIni(FileIni, "EDI", "DITTA", "Rossi");
    ScriviIni(FileIni, "EDI", "AUTORFTP", "AB12");
    const QString scelta = Percorso("Scelta");
    QDir().mkdir(scelta);
    SceltaNeiParametri(scelta, "cmdend_1");
    StartUp& w = Avviata();
    EXPECT_EQ(finestreParametri_, 1);
    EXPECT_EQ(ParametriEdi.CartellaBase, scelta);
    EXPECT_TRUE(QFileInfo(scelta + "/Ricevuti").isDir());
    EXPECT_EQ(Trova<QLabel>("lbDitta")->text(), "Rossi - AB12");
    EXPECT_TRUE(w.isVisible());
}

TEST_F(StartUpTest, MenuDoganaPoiDitta)
{
    IniConBase();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Avviata()));
    bool timerFermo = false;
    QuandoModale([&](QWidget* w) {
        ASSERT_EQ(w->objectName(), "ParEdi");
        timerFermo = !Trova<QTimer>("Timer1")->isActive();
        w->findChild<QLineEdit*>("txt_2")->setText("QW34");
        w->findChild<QLineEdit*>("txt_4")->setText("Bianchi Spa");
        w->findChild<QPushButton*>("cmdend_1")->click();
    });
    Trova<QAction>("Mu_parDog")->trigger();
    EXPECT_TRUE(timerFermo);
    EXPECT_EQ(Trova<QLabel>("lbDitta")->text(), "Bianchi Spa - QW34");
    EXPECT_EQ(Ini("EDI", "DITTA"), "Bianchi Spa");
}

TEST_F(StartUpTest, SulDemoDidascaliaEDittaLoDicono)
{
    IniConBase();
    ScriviIni(FileIni, "EDI", "DITTA", "Demo Srl");
    ScriviIni(FileIni, "EDI", "AUTORFTP", "DEMO");
    ScriviIni(FileIni, "EDI", "DEMO", "1");
    StartUp& w = Avviata();
    EXPECT_EQ(w.windowTitle(), " Norvel - scambio EDI via MODEM con la DOGANA - DEMO");
    EXPECT_EQ(Trova<QLabel>("lbDitta")->text(), "Demo Srl - DEMO - DEMO");
}

TEST_F(StartUpTest, PasswordDalMenuChiestaAlProssimoAvvio)
{
    IniConBase();
    // No password: start-up opens nothing (an unexpected window would block here).
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Avviata()));
    bool timerFermo = false;
    QuandoModale([&](QWidget* w) {
        timerFermo = !Trova<QTimer>("Timer1")->isActive();
        EXPECT_EQ(w->windowTitle(), "PRIMA IMPOSTAZIONE PASSWORD");
        w->findChild<QLineEdit*>("txtPasswd_1")->setText("chiave9");
        w->findChild<QLineEdit*>("txtPasswd_2")->setText("chiave9");
        w->findChild<QPushButton*>("Command2_1")->click();
    });
    Trova<QAction>("Mu_PassWd")->trigger();
    EXPECT_TRUE(timerFermo);

    StartUp seconda;
    QuandoModale([](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), "RICHIESTA DELLA PASSWORD");
        auto* c = w->findChild<QLineEdit*>("txtPasswd_0");
        c->setFocus();
        QTest::keyClicks(c, "ChIaVe9");
        QTest::keyClick(c, Qt::Key_Return);
    });
    EXPECT_TRUE(seconda.Avvia());
    EXPECT_TRUE(TerminazioniRichieste().isEmpty());
}

TEST_F(StartUpTest, TrePasswordSbagliateFermanoLAvvio)
{
    ScriviParolaAccesso("GIUSTA");
    for (int i = 0; i < 3; ++i)
        RisponditoreTest().Rispondi(Risposta::Ok, "PASSWORD ERRATA");
    QuandoModale([](QWidget* w) {
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        auto* c = w->findChild<QLineEdit*>("txtPasswd_0");
        for (int i = 0; i < 3 && w->isVisible(); ++i) {
            c->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(c, "no");
            QTest::keyClick(c, Qt::Key_Return);
            QCoreApplication::processEvents();
        }
    });
    EXPECT_FALSE(Finestra().Avvia());
    EXPECT_EQ(TerminazioniRichieste(), QList<int>({1}));
    // Nothing after the password step ran: not even the settings file exists.
    EXPECT_FALSE(QFileInfo::exists(FileIni));
}

TEST_F(StartUpTest, CartelleApreIlFileNellEditorFinoAdAnnulla)
{
    IniConBase();
    const QString uscita = Percorso("editor.txt");
    ScriviIni(FileIni, "APPLICATIVI", "Varie1", ScriptRegistra("editor.sh", uscita));
    StartUp& w = Avviata();
    const QString scelto = ScriviFile(Base() + "/Ricevuti/LIST.TXT", "x");
    QStringList iniziali;
    DialoghiTest dialoghi;
    dialoghi.file = [&](const QString&, const QString& cartella, const QString&) {
        iniziali << cartella;
        return iniziali.size() == 1 ? scelto : QString();
    };
    ImpostaDialoghi(dialoghi);
    Trova<QAction>("Mu_PathBase")->trigger();
    EXPECT_EQ(iniziali, QStringList({Base(), Base()}));
    EXPECT_FALSE(Trova<QTimer>("Timer1")->isActive());
    EXPECT_EQ(w.FileCorrente(), scelto);
    EXPECT_EQ(w.TitoloFileCorrente(), "LIST.TXT");
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(uscita); }, 10000));
    EXPECT_EQ(LeggiFile(uscita), (scelto + "\n").toUtf8());
}

// The real program, started in an empty folder and stopped as a logout would.
TEST_F(StartUpTest, EseguibileFermatoDaSigterm)
{
    QProcess norvel;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("HOME", casa_);
    ambiente.insert("XDG_CONFIG_HOME", Percorso("config"));
    ambiente.insert("QT_QPA_PLATFORM", "offscreen");
    norvel.setProcessEnvironment(ambiente);
    norvel.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    norvel.start(NORVEL_ESEGUIBILE, {"--cartella", Cartella()});
    ASSERT_TRUE(norvel.waitForStarted(10000));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return QFileInfo::exists(Base() + "/DaVerificare"); }, 20000));
    norvel.terminate();
    ASSERT_TRUE(norvel.waitForFinished(20000));
    EXPECT_EQ(norvel.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(norvel.exitCode(), 0);

    // The program as built reads and writes norvel.ini.
    const auto Ini = [this](const char* sezione, const char* chiave) {
        return LeggiIni(Percorso("norvel.ini"), sezione, chiave);
    };
    EXPECT_EQ(Ini("PC", "PATH"), Base());
    EXPECT_EQ(Ini("StartUp", "POSX"), "0");
    EXPECT_EQ(Ini("StartUp", "POSY"), "0");
    EXPECT_EQ(Ini("StartUp", "DIMX"), "5400");
    EXPECT_EQ(Ini("StartUp", "DIMY"), QString::number(Twip(Pixel(3890))));
    EXPECT_TRUE(QFileInfo(Percorso("TempFile")).isDir());
    QSettings utente(Percorso("config/Norvel/norvel.conf"), QSettings::IniFormat);
    EXPECT_EQ(utente.value("Setting/ExePath").toString(), Cartella());
    EXPECT_FALSE(utente.value("Setting/ExeRun").toString().isEmpty());
    QSettings versione(Percorso("config/Norvel/1.0.0.conf"), QSettings::IniFormat);
    EXPECT_FALSE(versione.value("Setting/ExeVersion").toString().isEmpty());
}

// A copy of the program under another name reads the settings file of that
// name and keeps its per-user values under it.
TEST_F(StartUpTest, CopiaChiamataNorvelLeggeNorvelIni)
{
    const QString copia = Percorso("Norvel");
    ASSERT_TRUE(QFile::copy(NORVEL_ESEGUIBILE, copia));
    ScriviFile("Norvel.ini",
               ("[PC]\nPATH=" + Base() + "\n[EDI]\nDITTA=Rossi Spedizioni\n").toUtf8());
    QProcess norvel;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("HOME", casa_);
    ambiente.insert("XDG_CONFIG_HOME", Percorso("config"));
    ambiente.insert("QT_QPA_PLATFORM", "offscreen");
    norvel.setProcessEnvironment(ambiente);
    norvel.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    norvel.start(copia, {});
    ASSERT_TRUE(norvel.waitForStarted(10000));
    // The working folders under the base folder of Norvel.ini: it was read.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return QFileInfo::exists(Base() + "/DaVerificare"); }, 20000));
    norvel.terminate();
    ASSERT_TRUE(norvel.waitForFinished(20000));
    EXPECT_EQ(norvel.exitCode(), 0);

    EXPECT_FALSE(QFileInfo::exists(Percorso("norvel.ini")));
    const QString ini = Percorso("Norvel.ini");
    EXPECT_EQ(LeggiIni(ini, "EDI", "DITTA"), "Rossi Spedizioni");
    EXPECT_EQ(LeggiIni(ini, "StartUp", "DIMX"), "5400");
    EXPECT_EQ(LeggiIni(ini, "APPLICATIVI", "NomeVarie1"), "Editor di testi");
    QSettings utente(Percorso("config/Norvel/Norvel.conf"), QSettings::IniFormat);
    EXPECT_EQ(utente.value("Setting/ExePath").toString(), Cartella());
    EXPECT_FALSE(QFileInfo::exists(Percorso("config/Norvel/norvel.conf")));
}

TEST_F(StartUpTest, InviaBolleApreLaFinestraDiInvioATimerFermo)
{
    IniConBase();
    // Its own activation, which restarts the timer, has come and gone.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Avviata()));
    auto* timer = Trova<QTimer>("Timer1");
    auto* invia = Trova<QPushButton>("cmdInvia");
    ASSERT_TRUE(invia->isEnabled());
    bool timerFermo = false;
    QString titolo;
    QuandoModale([&](QWidget* w) {
        timerFermo = !timer->isActive();
        titolo = w->windowTitle();
        EXPECT_EQ(w->objectName(), "Dos2Edi");
        w->close();
    });
    invia->click();
    EXPECT_TRUE(timerFermo);
    EXPECT_EQ(titolo, " INVIA DATI ALLA DOGANA    -    " + ParametriEdi.CartellaFirmati);
}

TEST_F(StartUpTest, CartelleSbustaIFileFirmatiPrimaDiAprirli)
{
    IniConBase();
    const QString uscita = Percorso("editor.txt");
    ScriviIni(FileIni, "APPLICATIVI", "Varie1", ScriptRegistra("editor.sh", uscita));
    Avviata();
    // The office's own unwrapping command: a plain copy is enough here.
    ScriviFile(Base() + "/Sbusta.sh", "#!/bin/sh\nsleep 0.3\ncp \"$1\" \"$2\"\n");
    QStringList scelti = {ScriviFile(Base() + "/Ricevuti/ABC.TXT.P7M", "testo"),
                          ScriviFile(Base() + "/Ricevuti/X.PDF.p7m", "%PDF")};
    QStringList finestre;
    DialoghiTest dialoghi;
    dialoghi.file = [&](const QString&, const QString&, const QString&) {
        if (!scelti.isEmpty())
            QuandoModale([&](QWidget* w) { finestre << w->objectName(); });
        return scelti.isEmpty() ? QString() : scelti.takeFirst();
    };
    ImpostaDialoghi(dialoghi);
    AperturaShell().clear();
    Trova<QAction>("Mu_PathBase")->trigger();

    EXPECT_EQ(finestre, QStringList({"GesVerif", "GesVerif"}));
    EXPECT_EQ(LeggiFile(Base() + "/Verificati/ABC.TXT"), "testo");
    EXPECT_EQ(LeggiFile(Base() + "/Verificati/X.PDF"), "%PDF");
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(uscita); }, 10000));
    EXPECT_EQ(LeggiFile(uscita), (Base() + "/Verificati/ABC.TXT\n").toUtf8());
    ASSERT_EQ(AperturaShell().size(), 1);
    EXPECT_TRUE(AperturaShell()[0].endsWith("/Verificati/X.PDF"))
        << AperturaShell()[0].toStdString();
}

TEST_F(StartUpTest, RicezioneEAppuramentiApronoLeLoroFinestreATimerFermo)
{
    IniConBase();
    stato_ = StatoConnessione::Attiva;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Avviata()));
    auto* timer = Trova<QTimer>("Timer1");
    for (const auto& [pulsante, finestra] :
         // Without UNIX parameters the clearances window asks for them first.
         {std::pair{"cmdRicevi", "Edi2Dos<StartUp"}, std::pair{"cmdIrildes", "GesParUx<Irildes"}}) {
        SCOPED_TRACE(finestra);
        Finestra().ControllaConnessione();
        auto* p = Trova<QPushButton>(pulsante);
        ASSERT_TRUE(p->isEnabled());
        timer->start();
        bool timerFermo = false;
        QString aperta;
        QuandoModale([&](QWidget* w) {
            timerFermo = !timer->isActive();
            aperta = w->objectName() + "<" + w->parentWidget()->objectName();
            w->close();
        });
        p->click();
        EXPECT_TRUE(timerFermo);
        EXPECT_EQ(aperta, finestra);
    }
}
