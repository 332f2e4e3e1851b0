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
#include "shell/Routine.h"

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

using namespace Qt::StringLiterals;

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
        casa_ = Percorso(u"casa"_s);
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
    template <typename T> T* Trova(const QString& nome)
    {
        T* oggetto = Finestra().findChild<T*>(nome);
        EXPECT_NE(oggetto, nullptr) << nome.toStdString();
        return oggetto;
    }
    QString Base() const { return casa_ + u"/FirmaVerifica"_s; }
    // A settings file already there, naming the base folder.
    void IniConBase() { ScriviIni(FileIni, u"PC"_s, u"PATH"_s, Base()); }
    QString Ini(const QString& sezione, const QString& chiave) const
    {
        return LeggiIni(FileIni, sezione, chiave);
    }
    // The connection parameters window, when it opens, gets this base folder
    // (none: left as it is) and then this button.
    void SceltaNeiParametri(const QString& cartella, const QString& pulsante)
    {
        DialoghiTest d;
        d.cartella = [cartella](const QString&, const QString&) { return cartella; };
        ImpostaDialoghi(d);
        QuandoModale([this, cartella, pulsante](QWidget* w) {
            ASSERT_EQ(w->objectName(), u"ParEdi"_s);
            ++finestreParametri_;
            if (!cartella.isEmpty())
                w->findChild<QPushButton*>(u"Command1"_s)->click();
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
    EXPECT_EQ(w.objectName(), u"StartUp"_s);
    EXPECT_EQ(w.windowTitle(), u" Norvel - scambio EDI via MODEM con la DOGANA"_s);
    EXPECT_EQ(Ini(u"PC"_s, u"PATH"_s), Base());
    EXPECT_EQ(Ini(u"UNIX"_s, u"PATH"_s), u"/tmp/edi"_s);
    EXPECT_EQ(Ini(u"APPLICATIVI"_s, u"NomeVarie1"_s), u"Editor di testi"_s);
    EXPECT_EQ(Ini(u"APPLICATIVI"_s, u"Varie1"_s), u"xdg-open"_s);
    for (const QString& sotto : {u""_s, u"/Ricevuti"_s, u"/Inviati"_s, u"/Firmati"_s,
                                 u"/Verificati"_s, u"/DaVerificare"_s})
        EXPECT_TRUE(QFileInfo(Base() + sotto).isDir()) << sotto.toStdString();
    EXPECT_TRUE(QFileInfo(Percorso(u"TempFile"_s)).isDir());
    EXPECT_EQ(ParametriEdi.CartellaFirmati, Base() + u"/Firmati"_s);
    EXPECT_EQ(FileComandiFtp, Percorso(u"Xcmd.txt"_s));
    EXPECT_EQ(CartellaTemp, Percorso(u"TempFile"_s) + u"/"_s);
    EXPECT_EQ(QDir::currentPath(), QDir(Cartella()).canonicalPath());
    // 5400 x 3890 twips, at the top left corner of a screen without taskbar.
    EXPECT_EQ(w.frameGeometry(), QRect(0, 0, Pixel(5400), Pixel(3890)));
    EXPECT_EQ(Trova<QLabel>(u"lbDitta"_s)->text(), u" - "_s);
    EXPECT_EQ(Trova<QTimer>(u"Timer1"_s)->interval(), 3000);
    EXPECT_TRUE(Trova<QTimer>(u"Timer1"_s)->isActive());
}

TEST_F(StartUpTest, ControlliEMenu)
{
    StartUp& w = Avviata();
    const std::pair<QString, QString> pulsanti[] = {
        {u"cmdInvia"_s, u"&INVIA BOLLE IN DOGANA"_s},
        {u"cmdRicevi"_s, u"&RICEVI MESSAGGI DALLA DOGANA"_s},
        {u"cmdIrildes"_s, u"&APPURAMENTI GARANZIA"_s},
        {u"cmdUscita"_s, u"&USCITA"_s}};
    for (const auto& [nome, testo] : pulsanti)
        EXPECT_EQ(Trova<QPushButton>(nome)->text(), testo);
    EXPECT_EQ(Trova<QLabel>(u"lbConnesso"_s)->text(), u"Connessione REMOTA:"_s);
    const std::pair<QString, QString> voci[] = {
        {u"Mu_end"_s, u"&Uscita"_s},        {u"Mu_Parametri"_s, u"&Parametri..."_s},
        {u"Mu_parDog"_s, u"&DOGANA"_s},     {u"Mu_Unix"_s, u"&Unix"_s},
        {u"Mu_progr"_s, u"&Applicativi"_s}, {u"Mu_color"_s, u"&Colori"_s},
        {u"Mu_PassWd"_s, u"&PassWord"_s},   {u"Mprg_base"_s, u"&Applicativi..."_s},
        {u"Mu_PathBase"_s, u"&Cartelle"_s}, {u"Mu_MRN"_s, u"&MRN"_s},
        {u"Mu_help"_s, u"&?..."_s},         {u"Mu_norvel"_s, u"Su Norvel"_s},
        {u"Mu_zerpa"_s, u"Su ZERPA"_s},     {u"Mu_newexe"_s, u"&Verifica aggiornamenti"_s}};
    for (const auto& [nome, testo] : voci)
        EXPECT_EQ(Trova<QAction>(nome)->text(), testo);
    for (int i = 2; i <= 11; ++i)
        EXPECT_EQ(Trova<QAction>(u"Mprg_var_%1"_s.arg(i))->text(), u"&Varie%1"_s.arg(i));
    // The bar's order, left to right.
    QStringList barra;
    for (QAction* a : w.menuBar()->actions())
        barra << a->objectName();
    EXPECT_EQ(barra, QStringList({u"Mu_end"_s, u"Mu_Parametri"_s, u"Mprg_base"_s, u"Mu_PathBase"_s,
                                  u"Mu_MRN"_s, u"Mu_help"_s}));
}

TEST_F(StartUpTest, GeometriaOltreLoSchermoRientra)
{
    IniConBase();
    ImpostaSchermo(QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 728));
    ScriviIni(FileIni, u"StartUp"_s, u"POSX"_s, u"14000"_s);
    ScriviIni(FileIni, u"StartUp"_s, u"POSY"_s, u"11000"_s);
    ScriviIni(FileIni, u"StartUp"_s, u"DIMX"_s, u"6000"_s);
    ScriviIni(FileIni, u"StartUp"_s, u"DIMY"_s, u"4500"_s);
    StartUp& w = Avviata();
    // 15360 - 6000 twips across; above the 40-pixel taskbar.
    EXPECT_EQ(w.frameGeometry(), QRect(624, 728 - 300, 400, 300));
}

TEST_F(StartUpTest, LarghezzaMinimaAllAvvioEAlRidimensionamento)
{
    IniConBase();
    ScriviIni(FileIni, u"StartUp"_s, u"DIMX"_s, u"3000"_s);
    ScriviIni(FileIni, u"StartUp"_s, u"DIMY"_s, u"5000"_s);
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
    auto* invia = Trova<QPushButton>(u"cmdInvia"_s);
    auto* ricevi = Trova<QPushButton>(u"cmdRicevi"_s);
    auto* appuramenti = Trova<QPushButton>(u"cmdIrildes"_s);
    auto* icona = Trova<QLabel>(u"Image1"_s);
    const bool inviaPrima = invia->isEnabled();
    auto colore = [&]() {
        const QImage img = icona->pixmap().toImage();
        return img.pixelColor(img.width() / 2, img.height() / 2 + 8);
    };

    // Shown from the start, before any tick.
    EXPECT_FALSE(ConnessoRemoto);
    EXPECT_FALSE(ricevi->isEnabled());
    EXPECT_FALSE(appuramenti->isEnabled());
    EXPECT_EQ(icona->accessibleName(), u"Connessione non attiva"_s);
    // No icon files in the folder: a drawn red disc stands in.
    EXPECT_GT(colore().red(), 150);
    EXPECT_LT(colore().green(), 100);

    stato_ = StatoConnessione::Attiva;
    w.ControllaConnessione();
    EXPECT_TRUE(ricevi->isEnabled());
    EXPECT_TRUE(appuramenti->isEnabled());
    EXPECT_EQ(icona->accessibleName(), u"Connessione attiva"_s);
    EXPECT_GT(colore().green(), 120);
    EXPECT_LT(colore().red(), 100);
    EXPECT_EQ(invia->isEnabled(), inviaPrima);

    // A failing probe says so and counts as down.
    stato_ = StatoConnessione::Errore;
    RisponditoreTest().Rispondi(Risposta::Ok, u"ERROR"_s);
    w.ControllaConnessione();
    EXPECT_FALSE(ricevi->isEnabled());
    EXPECT_FALSE(appuramenti->isEnabled());
    EXPECT_EQ(icona->accessibleName(), u"Connessione non attiva"_s);
    EXPECT_EQ(invia->isEnabled(), inviaPrima);
}

TEST_F(StartUpTest, IconeDellaCartellaDelProgramma)
{
    for (const QString& nome : {u"Via.ICO"_s, u"Alt.ICO"_s})
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(NORVEL_SORGENTI "/resources/") + nome, Percorso(nome)));
    StartUp& w = Avviata();
    auto* icona = Trova<QLabel>(u"Image1"_s);
    const QImage alt(Percorso(u"Alt.ICO"_s));
    const QImage via(Percorso(u"Via.ICO"_s));
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
    const QString uscita = Percorso(u"lanciato.txt"_s);
    ScriviIni(FileIni, u"APPLICATIVI"_s, u"NomeVarie3"_s, u"Solo nome"_s);
    ScriviIni(FileIni, u"APPLICATIVI"_s, u"NomeVarie5"_s, u"Contabilita'"_s);
    ScriviIni(FileIni, u"APPLICATIVI"_s, u"Varie5"_s, ScriptRegistra(u"conta.sh"_s, uscita));
    Avviata();
    QStringList visibili;
    for (int i = 1; i <= 11; ++i) {
        QAction* a = Trova<QAction>(u"Mprg_var_%1"_s.arg(i));
        if (a->isVisible())
            visibili << a->text();
    }
    EXPECT_EQ(visibili, QStringList({u"Editor di testi"_s, u"Contabilita'"_s}));
    EXPECT_TRUE(Trova<QAction>(u"Mprg_base"_s)->isVisible());

    ArgomentoProgramma = u" /tmp/un file.txt"_s;
    Trova<QAction>(u"Mprg_var_5"_s)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(uscita); }, 10000));
    EXPECT_EQ(LeggiFile(uscita), "/tmp/un\nfile.txt\n");
    EXPECT_EQ(ArgomentoProgramma, u""_s);
}

TEST_F(StartUpTest, SoloIDefaultUnaVoce)
{
    StartUp& w = Avviata();
    int visibili = 0;
    for (int i = 1; i <= 11; ++i)
        visibili += Trova<QAction>(u"Mprg_var_%1"_s.arg(i))->isVisible();
    EXPECT_EQ(visibili, 1);
    EXPECT_EQ(Trova<QAction>(u"Mprg_var_1"_s)->text(), u"Editor di testi"_s);
    // Hiding the last entry hides the menu.
    w.ImpostaVoceApplicativo(1, {}, false);
    EXPECT_FALSE(Trova<QAction>(u"Mprg_base"_s)->isVisible());
}

TEST_F(StartUpTest, UscitaSalvaPosizioneEValoriUtente)
{
    ImpostaOrologio([] { return QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)); });
    StartUp& w = Avviata();
    w.move(30, 45);
    Trova<QPushButton>(u"cmdUscita"_s)->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(Ini(u"StartUp"_s, u"POSX"_s), u"450"_s);
    EXPECT_EQ(Ini(u"StartUp"_s, u"POSY"_s), u"675"_s);
    EXPECT_EQ(Ini(u"StartUp"_s, u"DIMX"_s), QString::number(Twip(Pixel(5400))));
    EXPECT_EQ(Ini(u"StartUp"_s, u"DIMY"_s), QString::number(Twip(Pixel(3890))));
    EXPECT_EQ(LeggiValoreUtente(u"test_app"_s, u"Setting"_s, u"ExePath"_s), Cartella());
    EXPECT_EQ(LeggiValoreUtente(u"test_app"_s, u"Setting"_s, u"ExeRun"_s),
              u"04/03/2026 05:06:07"_s);
    EXPECT_EQ(LeggiValoreUtente(u"1.0.0"_s, u"Setting"_s, u"ExeVersion"_s),
              u"04/03/2026 05:06:07"_s);
}

TEST_F(StartUpTest, UscitaDaRidottaNonSalvaLaPosizione)
{
    StartUp& w = Avviata();
    w.showMinimized();
    Trova<QAction>(u"Mu_end"_s)->trigger();
    EXPECT_EQ(Ini(u"StartUp"_s, u"POSX"_s), u""_s);
    EXPECT_EQ(Ini(u"StartUp"_s, u"DIMX"_s), u""_s);
    EXPECT_EQ(LeggiValoreUtente(u"test_app"_s, u"Setting"_s, u"ExePath"_s), Cartella());
}

TEST_F(StartUpTest, UscitaForzataSenzaPassiDiUscita)
{
    StartUp& w = Avviata();
    RisponditoreTest().Rispondi(Risposta::Si, u"FINE DI test_app?"_s);
    QTest::keyClick(Trova<QPushButton>(u"cmdRicevi"_s), Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(TerminazioniRichieste(), QList<int>({0}));
    EXPECT_EQ(RisponditoreTest().Ricevuti().value(0).richiesta.titolo, u"USCITA FORZATA"_s);
    EXPECT_EQ(Ini(u"StartUp"_s, u"POSX"_s), u""_s);
    EXPECT_EQ(LeggiValoreUtente(u"test_app"_s, u"Setting"_s, u"ExeRun"_s), u""_s);
    // F2 is the exit button.
    QTest::keyClick(&w, Qt::Key_F2);
    EXPECT_FALSE(w.isVisible());
    EXPECT_NE(Ini(u"StartUp"_s, u"POSX"_s), u""_s);
}

TEST_F(StartUpTest, CartellaBaseSottoUnaCartellaInesistente)
{
    ScriviIni(FileIni, u"UNIX"_s, u"PATH"_s, u"/tmp/edi"_s);
    ScriviIni(FileIni, u"PC"_s, u"PATH"_s, Percorso(u"manca/FirmaVerifica"_s));
    RisponditoreTest().Rispondi(Risposta::Ok,
                                u"ERRORE IN FASE DI CREAZIONE CARTELLA 'FIRMAVERIFICA"_s);
    // The connection parameters open to choose another base folder.
    const QString altra = Percorso(u"Altra"_s);
    QDir().mkdir(altra);
    SceltaNeiParametri(altra, u"cmdend_1"_s);
    EXPECT_TRUE(Finestra().Avvia());
    EXPECT_EQ(finestreParametri_, 1);
    EXPECT_EQ(RisponditoreTest().Ricevuti().size(), 1);
    EXPECT_FALSE(QFileInfo::exists(Percorso(u"manca"_s)));
    EXPECT_EQ(Ini(u"PC"_s, u"PATH"_s), altra);
    EXPECT_TRUE(QFileInfo(altra + u"/Firmati"_s).isDir());
}

TEST_F(StartUpTest, SenzaCartellaBaseIlProgrammaTermina)
{
    ScriviIni(FileIni, u"PC"_s, u"PATH"_s, u""_s);
    SceltaNeiParametri(QString(), u"cmdend_0"_s);
    EXPECT_FALSE(Finestra().Avvia());
    EXPECT_EQ(finestreParametri_, 1);
}

TEST_F(StartUpTest, SenzaCartellaBaseLaSiSceglieNeiParametri)
{
    ScriviIni(FileIni, u"PC"_s, u"PATH"_s, u""_s);
    ScriviIni(FileIni, u"EDI"_s, u"DITTA"_s, u"Rossi"_s);
    ScriviIni(FileIni, u"EDI"_s, u"AUTORFTP"_s, u"AB12"_s);
    const QString scelta = Percorso(u"Scelta"_s);
    QDir().mkdir(scelta);
    SceltaNeiParametri(scelta, u"cmdend_1"_s);
    StartUp& w = Avviata();
    EXPECT_EQ(finestreParametri_, 1);
    EXPECT_EQ(ParametriEdi.CartellaBase, scelta);
    EXPECT_TRUE(QFileInfo(scelta + u"/Ricevuti"_s).isDir());
    EXPECT_EQ(Trova<QLabel>(u"lbDitta"_s)->text(), u"Rossi - AB12"_s);
    EXPECT_TRUE(w.isVisible());
}

TEST_F(StartUpTest, MenuDoganaPoiDitta)
{
    IniConBase();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Avviata(), 60000));
    bool timerFermo = false;
    QuandoModale([&](QWidget* w) {
        ASSERT_EQ(w->objectName(), u"ParEdi"_s);
        timerFermo = !Trova<QTimer>(u"Timer1"_s)->isActive();
        w->findChild<QLineEdit*>(u"txt_2"_s)->setText(u"QW34"_s);
        w->findChild<QLineEdit*>(u"txt_4"_s)->setText(u"Bianchi Spa"_s);
        w->findChild<QPushButton*>(u"cmdend_1"_s)->click();
    });
    Trova<QAction>(u"Mu_parDog"_s)->trigger();
    EXPECT_TRUE(timerFermo);
    EXPECT_EQ(Trova<QLabel>(u"lbDitta"_s)->text(), u"Bianchi Spa - QW34"_s);
    EXPECT_EQ(Ini(u"EDI"_s, u"DITTA"_s), u"Bianchi Spa"_s);
}

TEST_F(StartUpTest, SulDemoDidascaliaEDittaLoDicono)
{
    IniConBase();
    ScriviIni(FileIni, u"EDI"_s, u"DITTA"_s, u"Demo Srl"_s);
    ScriviIni(FileIni, u"EDI"_s, u"AUTORFTP"_s, u"DEMO"_s);
    ScriviIni(FileIni, u"EDI"_s, u"DEMO"_s, u"1"_s);
    StartUp& w = Avviata();
    EXPECT_EQ(w.windowTitle(), u" Norvel - scambio EDI via MODEM con la DOGANA - DEMO"_s);
    EXPECT_EQ(Trova<QLabel>(u"lbDitta"_s)->text(), u"Demo Srl - DEMO - DEMO"_s);
}

TEST_F(StartUpTest, PasswordDalMenuChiestaAlProssimoAvvio)
{
    IniConBase();
    // No password: start-up opens nothing (an unexpected window would block here).
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Avviata(), 60000));
    bool timerFermo = false;
    QuandoModale([&](QWidget* w) {
        timerFermo = !Trova<QTimer>(u"Timer1"_s)->isActive();
        EXPECT_EQ(w->windowTitle(), u"PRIMA IMPOSTAZIONE PASSWORD"_s);
        w->findChild<QLineEdit*>(u"txtPasswd_1"_s)->setText(u"chiave9"_s);
        w->findChild<QLineEdit*>(u"txtPasswd_2"_s)->setText(u"chiave9"_s);
        w->findChild<QPushButton*>(u"Command2_1"_s)->click();
    });
    Trova<QAction>(u"Mu_PassWd"_s)->trigger();
    EXPECT_TRUE(timerFermo);

    StartUp seconda;
    QuandoModale([](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), u"RICHIESTA DELLA PASSWORD"_s);
        auto* c = w->findChild<QLineEdit*>(u"txtPasswd_0"_s);
        c->setFocus();
        QTest::keyClicks(c, u"ChIaVe9"_s);
        QTest::keyClick(c, Qt::Key_Return);
    });
    EXPECT_TRUE(seconda.Avvia());
    EXPECT_TRUE(TerminazioniRichieste().isEmpty());
}

TEST_F(StartUpTest, TrePasswordSbagliateFermanoLAvvio)
{
    ScriviParolaAccesso(u"GIUSTA"_s);
    for (int i = 0; i < 3; ++i)
        RisponditoreTest().Rispondi(Risposta::Ok, u"PASSWORD ERRATA"_s);
    QuandoModale([](QWidget* w) {
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w, 60000));
        auto* c = w->findChild<QLineEdit*>(u"txtPasswd_0"_s);
        for (int i = 0; i < 3 && w->isVisible(); ++i) {
            c->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(c, u"no"_s);
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
    const QString uscita = Percorso(u"editor.txt"_s);
    ScriviIni(FileIni, u"APPLICATIVI"_s, u"Varie1"_s, ScriptRegistra(u"editor.sh"_s, uscita));
    StartUp& w = Avviata();
    const QString scelto = ScriviFile(Base() + u"/Ricevuti/LIST.TXT"_s, "x");
    QStringList iniziali;
    DialoghiTest dialoghi;
    dialoghi.file = [&](const QString&, const QString& cartella, const QString&) {
        iniziali << cartella;
        return iniziali.size() == 1 ? scelto : QString();
    };
    ImpostaDialoghi(dialoghi);
    Trova<QAction>(u"Mu_PathBase"_s)->trigger();
    EXPECT_EQ(iniziali, QStringList({Base(), Base()}));
    EXPECT_FALSE(Trova<QTimer>(u"Timer1"_s)->isActive());
    EXPECT_EQ(w.FileCorrente(), scelto);
    EXPECT_EQ(w.TitoloFileCorrente(), u"LIST.TXT"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(uscita); }, 10000));
    EXPECT_EQ(LeggiFile(uscita), (scelto + u"\n"_s).toUtf8());
}

// The real program, started in an empty folder and stopped as a logout would.
TEST_F(StartUpTest, EseguibileFermatoDaSigterm)
{
    QProcess norvel;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(u"HOME"_s, casa_);
    ambiente.insert(u"XDG_CONFIG_HOME"_s, Percorso(u"config"_s));
    ambiente.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    norvel.setProcessEnvironment(ambiente);
    norvel.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    norvel.start(QStringLiteral(NORVEL_ESEGUIBILE), {u"--cartella"_s, Cartella()});
    ASSERT_TRUE(norvel.waitForStarted(10000));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return QFileInfo::exists(Base() + u"/DaVerificare"_s); }, 20000));
    norvel.terminate();
    ASSERT_TRUE(norvel.waitForFinished(20000));
    EXPECT_EQ(norvel.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(norvel.exitCode(), 0);

    // The program as built reads and writes norvel.ini.
    const auto Ini = [this](const QString& sezione, const QString& chiave) {
        return LeggiIni(Percorso(u"norvel.ini"_s), sezione, chiave);
    };
    EXPECT_EQ(Ini(u"PC"_s, u"PATH"_s), Base());
    EXPECT_EQ(Ini(u"StartUp"_s, u"POSX"_s), u"0"_s);
    EXPECT_EQ(Ini(u"StartUp"_s, u"POSY"_s), u"0"_s);
    EXPECT_EQ(Ini(u"StartUp"_s, u"DIMX"_s), u"5400"_s);
    EXPECT_EQ(Ini(u"StartUp"_s, u"DIMY"_s), QString::number(Twip(Pixel(3890))));
    EXPECT_TRUE(QFileInfo(Percorso(u"TempFile"_s)).isDir());
    QSettings utente(Percorso(u"config/Norvel/norvel.conf"_s), QSettings::IniFormat);
    EXPECT_EQ(utente.value(u"Setting/ExePath"_s).toString(), Cartella());
    EXPECT_FALSE(utente.value(u"Setting/ExeRun"_s).toString().isEmpty());
    QSettings versione(Percorso(u"config/Norvel/1.0.0.conf"_s), QSettings::IniFormat);
    EXPECT_FALSE(versione.value(u"Setting/ExeVersion"_s).toString().isEmpty());
}

// A copy of the program under another name reads the settings file of that
// name and keeps its per-user values under it.
TEST_F(StartUpTest, CopiaChiamataNorvelLeggeNorvelIni)
{
    const QString copia = Percorso(u"Norvel"_s);
    ASSERT_TRUE(QFile::copy(QStringLiteral(NORVEL_ESEGUIBILE), copia));
    ScriviFile(u"Norvel.ini"_s,
               (u"[PC]\nPATH="_s + Base() + u"\n[EDI]\nDITTA=Rossi Spedizioni\n"_s).toUtf8());
    QProcess norvel;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(u"HOME"_s, casa_);
    ambiente.insert(u"XDG_CONFIG_HOME"_s, Percorso(u"config"_s));
    ambiente.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    norvel.setProcessEnvironment(ambiente);
    norvel.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    norvel.start(copia, {});
    ASSERT_TRUE(norvel.waitForStarted(10000));
    // The working folders under the base folder of Norvel.ini: it was read.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return QFileInfo::exists(Base() + u"/DaVerificare"_s); }, 20000));
    norvel.terminate();
    ASSERT_TRUE(norvel.waitForFinished(20000));
    EXPECT_EQ(norvel.exitCode(), 0);

    EXPECT_FALSE(QFileInfo::exists(Percorso(u"norvel.ini"_s)));
    const QString ini = Percorso(u"Norvel.ini"_s);
    EXPECT_EQ(LeggiIni(ini, u"EDI"_s, u"DITTA"_s), u"Rossi Spedizioni"_s);
    EXPECT_EQ(LeggiIni(ini, u"StartUp"_s, u"DIMX"_s), u"5400"_s);
    EXPECT_EQ(LeggiIni(ini, u"APPLICATIVI"_s, u"NomeVarie1"_s), u"Editor di testi"_s);
    QSettings utente(Percorso(u"config/Norvel/Norvel.conf"_s), QSettings::IniFormat);
    EXPECT_EQ(utente.value(u"Setting/ExePath"_s).toString(), Cartella());
    EXPECT_FALSE(QFileInfo::exists(Percorso(u"config/Norvel/norvel.conf"_s)));
}

TEST_F(StartUpTest, InviaBolleApreLaFinestraDiInvioATimerFermo)
{
    IniConBase();
    // Its own activation, which restarts the timer, has come and gone.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Avviata(), 60000));
    auto* timer = Trova<QTimer>(u"Timer1"_s);
    auto* invia = Trova<QPushButton>(u"cmdInvia"_s);
    ASSERT_TRUE(invia->isEnabled());
    bool timerFermo = false;
    QString titolo;
    QuandoModale([&](QWidget* w) {
        timerFermo = !timer->isActive();
        titolo = w->windowTitle();
        EXPECT_EQ(w->objectName(), u"Dos2Edi"_s);
        w->close();
    });
    invia->click();
    EXPECT_TRUE(timerFermo);
    EXPECT_EQ(titolo, u" INVIA DATI ALLA DOGANA    -    "_s + ParametriEdi.CartellaFirmati);
}

TEST_F(StartUpTest, CartelleSbustaIFileFirmatiPrimaDiAprirli)
{
    IniConBase();
    const QString uscita = Percorso(u"editor.txt"_s);
    ScriviIni(FileIni, u"APPLICATIVI"_s, u"Varie1"_s, ScriptRegistra(u"editor.sh"_s, uscita));
    Avviata();
    // The office's own unwrapping command: a plain copy is enough here.
    ScriviFile(Base() + u"/Sbusta.sh"_s, "#!/bin/sh\nsleep 0.3\ncp \"$1\" \"$2\"\n");
    QStringList scelti = {ScriviFile(Base() + u"/Ricevuti/ABC.TXT.P7M"_s, "testo"),
                          ScriviFile(Base() + u"/Ricevuti/X.PDF.p7m"_s, "%PDF")};
    QStringList finestre;
    DialoghiTest dialoghi;
    dialoghi.file = [&](const QString&, const QString&, const QString&) {
        if (!scelti.isEmpty())
            QuandoModale([&](QWidget* w) { finestre << w->objectName(); });
        return scelti.isEmpty() ? QString() : scelti.takeFirst();
    };
    ImpostaDialoghi(dialoghi);
    AperturaShell().clear();
    Trova<QAction>(u"Mu_PathBase"_s)->trigger();

    EXPECT_EQ(finestre, QStringList({u"GesVerif"_s, u"GesVerif"_s}));
    EXPECT_EQ(LeggiFile(Base() + u"/Verificati/ABC.TXT"_s), "testo");
    EXPECT_EQ(LeggiFile(Base() + u"/Verificati/X.PDF"_s), "%PDF");
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(uscita); }, 10000));
    EXPECT_EQ(LeggiFile(uscita), (Base() + u"/Verificati/ABC.TXT\n"_s).toUtf8());
    ASSERT_EQ(AperturaShell().size(), 1);
    EXPECT_TRUE(AperturaShell()[0].endsWith(u"/Verificati/X.PDF"_s))
        << AperturaShell()[0].toStdString();
}

TEST_F(StartUpTest, RicezioneEAppuramentiApronoLeLoroFinestreATimerFermo)
{
    IniConBase();
    stato_ = StatoConnessione::Attiva;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Avviata(), 60000));
    auto* timer = Trova<QTimer>(u"Timer1"_s);
    for (const auto& [pulsante, finestra] :
         // Without UNIX parameters the clearances window asks for them first.
         {std::pair{u"cmdRicevi"_s, u"Edi2Dos<StartUp"_s},
          std::pair{u"cmdIrildes"_s, u"GesParUx<Irildes"_s}}) {
        SCOPED_TRACE(finestra.toStdString());
        Finestra().ControllaConnessione();
        auto* p = Trova<QPushButton>(pulsante);
        ASSERT_TRUE(p->isEnabled());
        timer->start();
        bool timerFermo = false;
        QString aperta;
        QuandoModale([&](QWidget* w) {
            timerFermo = !timer->isActive();
            aperta = w->objectName() + u"<"_s + w->parentWidget()->objectName();
            w->close();
        });
        p->click();
        EXPECT_TRUE(timerFermo);
        EXPECT_EQ(aperta, finestra);
    }
}

// Replies that an unattended run fetched since the receive window was last
// opened show under the company name; opening it clears the line.
TEST_F(StartUpTest, NuoviMessaggiDelRiceviAutomatico)
{
    IniConBase();
    const QDateTime ora = QDateTime::currentDateTime();
    ScriviValoreUtente(NomeEseguibile(), u"Setting"_s, u"RicevutiVisti"_s,
                       ora.addSecs(-600).toString(Qt::ISODate));
    auto registro = [&](int secondi, bool automatico, const char* esito, const char* corsa) {
        const QString quando = ora.addSecs(secondi).toString(Qt::ISODate);
        return (u"{\"tipo\":\"inizio\",\"ora\":\""_s + quando +
                u"\",\"operazione\":\"ricezione\""_s +
                (automatico ? u",\"automatico\":true"_s : QString()) + u",\"corsa\":\""_s +
                QLatin1String(corsa) + u"\"}\n{\"tipo\":\"file\",\"ora\":\""_s + quando +
                u"\",\"file\":\"A\",\"direzione\":\"get\",\"esito\":\""_s + QLatin1String(esito) +
                u"\",\"corsa\":\""_s + QLatin1String(corsa) + u"\"}\n"_s)
            .toUtf8();
    };
    // Counted: the unattended runs' whole fetches after the last look, twice.
    ScriviFile(u"Registro/"_s + ora.date().toString(Qt::ISODate) + u".jsonl"_s,
               registro(-60, true, "accettato", "a") + registro(-50, true, "accettato", "b") +
                   registro(-40, true, "rifiutato", "c") + registro(-30, false, "accettato", "d") +
                   registro(-1200, true, "accettato", "e"));
    Avviata();
    auto* riga = Trova<QLabel>(u"lbNuovi"_s);
    EXPECT_EQ(riga->text(), u"Nuovi messaggi: 2"_s);

    QuandoModale([](QWidget* w) { w->close(); });
    stato_ = StatoConnessione::Attiva;
    Finestra().ControllaConnessione();
    Trova<QPushButton>(u"cmdRicevi"_s)->click();
    EXPECT_EQ(riga->text(), QString());
}
