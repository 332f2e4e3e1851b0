#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"
#include "support/StampaQt.h"

#include "ricezione/ui/GesParUx.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class GesParUxTest : public CartellaProgrammaTest
{
protected:
    QString Remoto(const char* chiave) const { return LeggiIni(FileIni, "REMOTO", chiave); }
    static QLineEdit* Campo(GesParUx& w, int k)
    {
        return w.findChild<QLineEdit*>(QStringLiteral("txt_%1").arg(k));
    }
    static void Scrivi(GesParUx& w, int k, const QString& testo)
    {
        Campo(w, k)->setFocus();
        Campo(w, k)->selectAll();
        QTest::keyClicks(Campo(w, k), testo);
    }
};

} // namespace

TEST_F(GesParUxTest, ConfermaScriveImpostazioniEGlobali)
{
    GesParUx w;
    w.show();
    EXPECT_EQ(w.windowTitle(), "GESTIONE PARAMETRI TRASFERIMENTO PC <-> UNIX");
    Scrivi(w, 1, "unix.ufficio");
    Scrivi(w, 2, "irildes");
    Scrivi(w, 3, "Segreta.1");
    Scrivi(w, 4, "/home/dati/");
    w.findChild<QComboBox*>("cmbDebug")->setCurrentIndex(1);
    w.findChild<QPushButton*>("cmdParam_0")->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(Remoto("INDIRIZZO"), "unix.ufficio");
    EXPECT_EQ(Remoto("UTENTE"), "irildes");
    EXPECT_NE(Remoto("PASSWD"), "Segreta.1");
    EXPECT_EQ(DecodificaParola(Remoto("PASSWD")), "Segreta.1");
    EXPECT_EQ(Remoto("PATH"), "/home/dati/") << "stored as typed";
    EXPECT_EQ(LeggiIni(FileIni, "DEBUG", "MODO"), "1");
    EXPECT_EQ(ParametriUnix.Cartella, "/home/dati");
    EXPECT_EQ(ParametriUnix.Password, "Segreta.1");
    EXPECT_EQ(ModoDebugUnix, 1);

    // Read back without the trailing "/".
    GesParUx di_nuovo;
    EXPECT_EQ(Campo(di_nuovo, 4)->text(), "/home/dati");
    EXPECT_EQ(Campo(di_nuovo, 3)->text(), "Segreta.1");
    EXPECT_EQ(di_nuovo.findChild<QComboBox*>("cmbDebug")->currentText(), "SI");
}

TEST_F(GesParUxTest, CampiObbligatoriENienteScritto)
{
    ScriviIni(FileIni, "REMOTO", "INDIRIZZO", "unix.ufficio");
    ScriviIni(FileIni, "REMOTO", "UTENTE", "irildes");
    ScriviIni(FileIni, "REMOTO", "PASSWD", CodificaParola("x"));
    GesParUx w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_TRUE(Campo(w, 4)->text().isEmpty()) << "an empty folder is not filled in here";
    RisponditoreTest().Rispondi(Risposta::Ok, "CAMPO OBBLIGATORIO");
    w.findChild<QPushButton*>("cmdParam_0")->click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return Campo(w, 4)->hasFocus(); }, 2000));
    EXPECT_TRUE(Remoto("PATH").isEmpty());

    // F2 is "&USCITA": nothing written.
    Scrivi(w, 1, "altro.host");
    QTest::keyClick(Campo(w, 1), Qt::Key_F2);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(Remoto("INDIRIZZO"), "unix.ufficio");
    EXPECT_TRUE(Remoto("PATH").isEmpty());
}

TEST_F(GesParUxTest, InvioComeTabECtrlPMostraLaPassword)
{
    GesParUx w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    Campo(w, 1)->setFocus();
    QTest::keyClick(Campo(w, 1), Qt::Key_Return);
    EXPECT_TRUE(Campo(w, 2)->hasFocus());
    QLineEdit* parola = Campo(w, 3);
    EXPECT_EQ(parola->echoMode(), QLineEdit::Password);
    QTest::keyClick(parola, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(parola->echoMode(), QLineEdit::Normal);
    QTest::keyClick(parola, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(parola->echoMode(), QLineEdit::Password);
    w.findChild<QPushButton*>("cmdParam_1")->click();
}

// The stored password is read whole (its scrambled last character a blank),
// and a control character in a field is refused with nothing written.
TEST_F(GesParUxTest, ParolaLettaInteraEControlliRifiutati)
{
    ScriviIni(FileIni, "REMOTO", "PASSWD", CodificaParola("Segreta2024!"));
    GesParUx w;
    w.show();
    EXPECT_EQ(Campo(w, 3)->text(), "Segreta2024!");
    Scrivi(w, 1, "unix.ufficio");
    Scrivi(w, 2, "irildes");
    Scrivi(w, 4, "/home/dati");
    Campo(w, 1)->setText("unix\n!sh");
    RisponditoreTest().Rispondi(Risposta::Ok,
                                "IL CAMPO 'Host UNIX' CONTIENE CARATTERI NON AMMESSI");
    w.findChild<QPushButton*>("cmdParam_0")->click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(Remoto("INDIRIZZO").isEmpty());
}
