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

using namespace Qt::StringLiterals;

namespace {

class GesParUxTest : public CartellaProgrammaTest
{
protected:
    QString Remoto(const QString& chiave) const { return LeggiIni(FileIni, u"REMOTO"_s, chiave); }
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
    EXPECT_EQ(w.windowTitle(), u"GESTIONE PARAMETRI TRASFERIMENTO PC <-> UNIX"_s);
    Scrivi(w, 1, u"unix.ufficio"_s);
    Scrivi(w, 2, u"irildes"_s);
    Scrivi(w, 3, u"Segreta.1"_s);
    Scrivi(w, 4, u"/home/dati/"_s);
    w.findChild<QComboBox*>(u"cmbDebug"_s)->setCurrentIndex(1);
    w.findChild<QPushButton*>(u"cmdParam_0"_s)->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(Remoto(u"INDIRIZZO"_s), u"unix.ufficio"_s);
    EXPECT_EQ(Remoto(u"UTENTE"_s), u"irildes"_s);
    EXPECT_NE(Remoto(u"PASSWD"_s), u"Segreta.1"_s);
    EXPECT_EQ(DecodificaParola(Remoto(u"PASSWD"_s)), u"Segreta.1"_s);
    EXPECT_EQ(Remoto(u"PATH"_s), u"/home/dati/"_s) << "stored as typed";
    EXPECT_EQ(LeggiIni(FileIni, u"DEBUG"_s, u"MODO"_s), u"1"_s);
    EXPECT_EQ(ParametriUnix.Cartella, u"/home/dati"_s);
    EXPECT_EQ(ParametriUnix.Password, u"Segreta.1"_s);
    EXPECT_EQ(ModoDebugUnix, 1);

    // Read back without the trailing "/".
    GesParUx di_nuovo;
    EXPECT_EQ(Campo(di_nuovo, 4)->text(), u"/home/dati"_s);
    EXPECT_EQ(Campo(di_nuovo, 3)->text(), u"Segreta.1"_s);
    EXPECT_EQ(di_nuovo.findChild<QComboBox*>(u"cmbDebug"_s)->currentText(), u"SI"_s);
}

TEST_F(GesParUxTest, CampiObbligatoriENienteScritto)
{
    ScriviIni(FileIni, u"REMOTO"_s, u"INDIRIZZO"_s, u"unix.ufficio"_s);
    ScriviIni(FileIni, u"REMOTO"_s, u"UTENTE"_s, u"irildes"_s);
    ScriviIni(FileIni, u"REMOTO"_s, u"PASSWD"_s, CodificaParola(u"x"_s));
    GesParUx w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_TRUE(Campo(w, 4)->text().isEmpty()) << "an empty folder is not filled in here";
    RisponditoreTest().Rispondi(Risposta::Ok, u"CAMPO OBBLIGATORIO"_s);
    w.findChild<QPushButton*>(u"cmdParam_0"_s)->click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return Campo(w, 4)->hasFocus(); }, 2000));
    EXPECT_TRUE(Remoto(u"PATH"_s).isEmpty());

    // F2 is "&USCITA": nothing written.
    Scrivi(w, 1, u"altro.host"_s);
    QTest::keyClick(Campo(w, 1), Qt::Key_F2);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(Remoto(u"INDIRIZZO"_s), u"unix.ufficio"_s);
    EXPECT_TRUE(Remoto(u"PATH"_s).isEmpty());
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
    w.findChild<QPushButton*>(u"cmdParam_1"_s)->click();
}

// The stored password is read whole (its scrambled last character a blank),
// and a control character in a field is refused with nothing written.
TEST_F(GesParUxTest, ParolaLettaInteraEControlliRifiutati)
{
    ScriviIni(FileIni, u"REMOTO"_s, u"PASSWD"_s, CodificaParola(u"Segreta2024!"_s));
    GesParUx w;
    w.show();
    EXPECT_EQ(Campo(w, 3)->text(), u"Segreta2024!"_s);
    Scrivi(w, 1, u"unix.ufficio"_s);
    Scrivi(w, 2, u"irildes"_s);
    Scrivi(w, 4, u"/home/dati"_s);
    Campo(w, 1)->setText(u"unix\n!sh"_s);
    RisponditoreTest().Rispondi(Risposta::Ok,
                                u"IL CAMPO 'Host UNIX' CONTIENE CARATTERI NON AMMESSI"_s);
    w.findChild<QPushButton*>(u"cmdParam_0"_s)->click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(Remoto(u"INDIRIZZO"_s).isEmpty());
}

// Values longer than the fields' lengths (hand-edited, or from an older
// version) are shown and saved whole; the lengths only stop typing.
TEST_F(GesParUxTest, ValoriLunghiMemorizzatiRestanoInteri)
{
    const QStringList chiavi = {u"INDIRIZZO"_s, u"UTENTE"_s, u"PASSWD"_s, u"PATH"_s};
    const QStringList valori = {u"unix.ufficio.dogane.example"_s, u"irildes_magazzino"_s,
                                u"Segreta.2024.lunga"_s,
                                u"/home/irildes/appuramenti/garanzie/archivio/2024"_s};
    for (int k = 0; k < 4; ++k)
        ScriviIni(FileIni, u"REMOTO"_s, chiavi[k], k == 2 ? CodificaParola(valori[k]) : valori[k]);
    GesParUx w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    for (int k = 1; k <= 4; ++k) {
        Campo(w, k)->setFocus();
        Campo(w, k)->end(false);
        QTest::keyClicks(Campo(w, k), u"x"_s);
        EXPECT_EQ(Campo(w, k)->text(), valori[k - 1]) << k;
    }
    w.findChild<QPushButton*>(u"cmdParam_0"_s)->click();
    EXPECT_FALSE(w.isVisible());
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(k == 2 ? DecodificaParola(Remoto(chiavi[k])) : Remoto(chiavi[k]), valori[k]);
}

// What the upload to the UNIX host would refuse is refused at confirm, with
// the field named and nothing written; a port after the host is allowed.
TEST_F(GesParUxTest, ValoriCheIlTrasferimentoRifiutaFermatiAllaConferma)
{
    const struct
    {
        int campo;
        QString valore, nome; // nome "": accepted
    } casi[] = {
        {3, u"Segreta 1"_s, u"PassWord"_s},
        {2, u"ir'ildes"_s, u"Utente per ftp"_s},
        {4, u"/home/miei dati"_s, u"Cartella UNIX"_s},
        {1, u"unix \"ufficio\""_s, u"Host UNIX"_s},
        {1, u"unix.ufficio 2121"_s, u""_s},
    };
    for (const auto& caso : casi) {
        GesParUx w;
        const QStringList validi = {u"unix.ufficio"_s, u"irildes"_s, u"Segreta.1"_s,
                                    u"/home/dati"_s};
        for (int k = 1; k <= 4; ++k)
            Campo(w, k)->setText(k == caso.campo ? caso.valore : validi[k - 1]);
        if (!caso.nome.isEmpty())
            RisponditoreTest().Rispondi(Risposta::Ok, u"IL CAMPO '"_s + caso.nome +
                                                          u"' CONTIENE SPAZI O VIRGOLETTE"_s);
        w.findChild<QPushButton*>(u"cmdParam_0"_s)->click();
        EXPECT_EQ(Remoto(u"INDIRIZZO"_s).isEmpty(), !caso.nome.isEmpty())
            << caso.valore.toStdString();
    }
}

// One trailing "/" is dropped when the folder is read; the root stays "/" in
// the field and sends the file to "/irisp" + user.
TEST_F(GesParUxTest, UnaBarraFinaleTolta)
{
    const QString casi[][3] = {{u"/tmp/"_s, u"/tmp"_s, u"/tmp"_s},
                               {u"/tmp//"_s, u"/tmp/"_s, u"/tmp/"_s},
                               {u"/"_s, u"/"_s, u""_s}};
    for (const auto& [memorizzata, mostrata, inUso] : casi) {
        ScriviIni(FileIni, u"REMOTO"_s, u"PATH"_s, memorizzata);
        GesParUx w;
        EXPECT_EQ(Campo(w, 4)->text(), mostrata) << memorizzata.toStdString();
        CaricaParametriUnix();
        EXPECT_EQ(ParametriUnix.Cartella, inUso) << memorizzata.toStdString();
    }
}
