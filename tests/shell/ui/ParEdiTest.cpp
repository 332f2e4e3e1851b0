#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"

#include "piattaforma/ui/Dialoghi.h"
#include "shell/CollegamentoDogana.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/ui/ParEdi.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class ParEdiTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        base = Percorso(u"Firma"_s);
        QDir().mkdir(base);
        ParametriEdi.CartellaBase = base;
        ParametriEdi.HostFtp = u"ftp.agenziadogane.it"_s;
        ParametriEdi.UtenteFtp = u"ZX12"_s;
        ParametriEdi.PasswordFtp = u"segreta"_s;
        ParametriEdi.Ditta = u"Rossi Srl"_s;
        ParametriEdi.Progr1 = u"00"_s;
        ParametriEdi.Progr2 = u"ZZ"_s;
        OrdinaColInvio = 1;
        OrdinaModoInvio = Decrescente;
        OrdinaColRicevi = 2;
        OrdinaModoRicevi = Crescente;
        MaxFile = 15;
        ModoDebug = 0;
    }

    void Apri()
    {
        finestra = std::make_unique<ParEdi>();
        finestra->show();
        finestra->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(finestra.get(), 60000));
    }

    template <typename T> T* Trova(const QString& nome)
    {
        T* w = finestra->findChild<T*>(nome);
        EXPECT_NE(w, nullptr) << nome.toStdString();
        return w;
    }
    QLineEdit* Txt(int k) { return Trova<QLineEdit>(QStringLiteral("txt_%1").arg(k)); }
    QFrame* Aiuto() { return Trova<QFrame>(u"pctHelp"_s); }
    QString TitoloAiuto() { return Trova<QLabel>(u"lbHelpTit"_s)->text(); }
    QRect InFinestra(QWidget* w)
    {
        return QRect(w->mapTo(finestra.get(), QPoint(0, 0)), w->size());
    }
    void Premi(const QString& nome) { QTest::mouseClick(Trova<QPushButton>(nome), Qt::LeftButton); }

    // Focus on the box, its text gone, then what the keyboard types.
    void Scrivi(int k, const QString& testo)
    {
        Txt(k)->setFocus(Qt::MouseFocusReason);
        Txt(k)->clear();
        QTest::keyClicks(Txt(k), testo);
    }

    QString base;
    std::unique_ptr<ParEdi> finestra;
};

} // namespace

TEST_F(ParEdiTest, AperturaDaiGlobali)
{
    Apri();
    EXPECT_EQ(finestra->windowTitle(), u" EDI - Parametri Collegamento DOGANA"_s);
    EXPECT_EQ(Txt(1)->text(), u"ftp.agenziadogane.it"_s);
    EXPECT_EQ(Txt(2)->text(), u"ZX12"_s);
    EXPECT_EQ(Txt(3)->text(), u"segreta"_s);
    EXPECT_EQ(Txt(3)->echoMode(), QLineEdit::Password);
    EXPECT_EQ(Txt(3)->displayText(), u"#######"_s);
    EXPECT_EQ(Txt(4)->text(), u"Rossi Srl"_s);
    EXPECT_EQ(Trova<QLabel>(u"lbFirmaVerif"_s)->text(), QDir::toNativeSeparators(base));
    EXPECT_TRUE(Trova<QRadioButton>(u"optColI_1"_s)->isChecked());
    EXPECT_TRUE(Trova<QRadioButton>(u"optModoI_2"_s)->isChecked());
    EXPECT_TRUE(Trova<QRadioButton>(u"optColR_2"_s)->isChecked());
    EXPECT_TRUE(Trova<QRadioButton>(u"optModoR_1"_s)->isChecked());
    EXPECT_EQ(Trova<QComboBox>(u"cmbNumFile"_s)->currentText(), u"15"_s);
    EXPECT_EQ(Trova<QComboBox>(u"cmbNumFile"_s)->itemText(0), u" 5"_s);
    EXPECT_EQ(Trova<QComboBox>(u"cmbDebug"_s)->currentText(), u"NO"_s);
    EXPECT_FALSE(Aiuto()->isVisible());
}

TEST_F(ParEdiTest, MinuscoleChiedonoConferma)
{
    Apri();
    RisponditoreTest()
        .Rispondi(Risposta::No, u"Carattere minuscolo! confermi?"_s)
        .Rispondi(Risposta::No, u"Carattere minuscolo! confermi?"_s);
    Scrivi(2, u"ab"_s);
    EXPECT_EQ(Txt(2)->text(), u""_s);
    const auto& box = RisponditoreTest().Ricevuti();
    ASSERT_EQ(box.size(), 2);
    EXPECT_EQ(box[0].richiesta.titolo, u"MAIUSCOLE NON ATTIVE"_s);
    EXPECT_EQ(box[0].richiesta.pulsanti, Pulsanti::SiNo);
    EXPECT_EQ(box[0].richiesta.icona, Icona::Domanda);
    EXPECT_EQ(box[0].richiesta.predefinita, Risposta::No);

    // "Yes" keeps the character; capitals and digits ask nothing; the host and
    // the company are free text.
    RisponditoreTest().Rispondi(Risposta::Si).Rispondi(Risposta::Si);
    Scrivi(3, u"Ab1c"_s);
    EXPECT_EQ(Txt(3)->text(), u"Ab1c"_s);
    Scrivi(1, u"ftp.prova"_s);
    Scrivi(4, u"ditta srl"_s);
    EXPECT_EQ(Txt(4)->text(), u"ditta srl"_s);
    RisponditoreTest().Rispondi(Risposta::No).Rispondi(Risposta::No);
    Scrivi(5, u"x"_s);
    Scrivi(6, u"_"_s);
    EXPECT_EQ(RisponditoreTest().Ricevuti().size(), 6);
}

TEST_F(ParEdiTest, ProgressiviAllUscitaDalCampo)
{
    Apri();
    Scrivi(5, u"A5"_s);
    QTest::keyClick(Txt(5), Qt::Key_Down);
    EXPECT_EQ(Txt(5)->text(), u"A0"_s);
    EXPECT_TRUE(Txt(6)->hasFocus());
    Scrivi(6, u"B"_s);
    QTest::keyClick(Txt(6), Qt::Key_Up);
    EXPECT_EQ(Txt(6)->text(), u"BZ"_s);
    Scrivi(5, u""_s);
    QTest::keyClick(Txt(5), Qt::Key_Tab);
    Scrivi(6, u""_s);
    Txt(1)->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(Txt(5)->text(), u"00"_s);
    EXPECT_EQ(Txt(6)->text(), u"ZZ"_s);
}

TEST_F(ParEdiTest, TastiTraICampi)
{
    Apri();
    Txt(1)->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(Txt(1), Qt::Key_Up);
    EXPECT_TRUE(Txt(6)->hasFocus());
    QTest::keyClick(Txt(6), Qt::Key_Up);
    EXPECT_TRUE(Txt(5)->hasFocus());
    QTest::keyClick(Txt(5), Qt::Key_Return);
    EXPECT_TRUE(Txt(6)->hasFocus());
    // Down in the last field leaves the boxes altogether.
    QTest::keyClick(Txt(6), Qt::Key_Down);
    for (int k = 1; k <= 6; ++k)
        EXPECT_FALSE(Txt(k)->hasFocus()) << k;
    // Enter types nothing.
    Txt(2)->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(Txt(2), Qt::Key_Return);
    EXPECT_TRUE(Txt(3)->hasFocus());
    EXPECT_EQ(Txt(2)->text(), u"ZX12"_s);
    // A disabled box is skipped.
    Txt(4)->setEnabled(false);
    QTest::keyClick(Txt(3), Qt::Key_Down);
    EXPECT_TRUE(Txt(5)->hasFocus());
    QTest::keyClick(Txt(5), Qt::Key_Up);
    EXPECT_TRUE(Txt(3)->hasFocus());
}

TEST_F(ParEdiTest, LimitiDelleCaselle)
{
    ParametriEdi.Ditta = QString(50, u'D');
    Apri();
    Scrivi(2, u"ABCDEF"_s);
    EXPECT_EQ(Txt(2)->text(), u"ABCD"_s);
    Scrivi(5, u"123"_s);
    EXPECT_EQ(Txt(5)->text(), u"12"_s);
    // Read longer than the box: shown whole, shortened only by the user, and
    // nothing typed past what it held.
    EXPECT_EQ(Txt(4)->text(), QString(50, u'D'));
    Txt(4)->setFocus(Qt::MouseFocusReason);
    Txt(4)->end(false);
    QTest::keyClick(Txt(4), Qt::Key_Backspace);
    QTest::keyClicks(Txt(4), u"XY"_s);
    EXPECT_EQ(Txt(4)->text(), QString(49, u'D'));
    Premi(u"cmdend_1"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"EDI"_s, u"DITTA"_s), QString(49, u'D'));
}

TEST_F(ParEdiTest, AiutoSottoOSopraIlCampo)
{
    Apri();
    Txt(1)->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(Txt(1), Qt::Key_F1);
    ASSERT_TRUE(Aiuto()->isVisible());
    EXPECT_EQ(TitoloAiuto(), u"AMBIENTE FTP"_s);
    EXPECT_TRUE(Trova<QLabel>(u"lbHelpMess"_s)
                    ->text()
                    .contains(u"normalmente vale: ftp.agenziadogane.it"_s));
    EXPECT_GT(Aiuto()->y(), InFinestra(Txt(1)).bottom());
    EXPECT_EQ(Aiuto()->x(), (finestra->width() - Aiuto()->width()) / 2);
    // F1 again hides it; any other key hides it and does nothing else.
    QTest::keyClick(Txt(1), Qt::Key_F1);
    EXPECT_FALSE(Aiuto()->isVisible());
    QTest::keyClick(Txt(1), Qt::Key_F1);
    QTest::keyClick(Txt(1), Qt::Key_X);
    EXPECT_FALSE(Aiuto()->isVisible());
    EXPECT_EQ(Txt(1)->text(), u"ftp.agenziadogane.it"_s);
    // Enter with the panel up hides it and stays in the field.
    QTest::keyClick(Txt(1), Qt::Key_F1);
    QTest::keyClick(Txt(1), Qt::Key_Return);
    EXPECT_FALSE(Aiuto()->isVisible());
    EXPECT_TRUE(Txt(1)->hasFocus());

    // The last field sits near the bottom: the panel goes above it, inside.
    Txt(6)->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(Txt(6), Qt::Key_F1);
    ASSERT_TRUE(Aiuto()->isVisible());
    EXPECT_EQ(TitoloAiuto(), u"PROGRESSIVO FINALE"_s);
    EXPECT_LT(Aiuto()->geometry().bottom(), InFinestra(Txt(6)).top());
    EXPECT_GE(Aiuto()->y(), 0);
    // Clicking the text hides it.
    QTest::mouseClick(Trova<QLabel>(u"lbHelpMess"_s), Qt::LeftButton);
    EXPECT_FALSE(Aiuto()->isVisible());
}

TEST_F(ParEdiTest, AiutoDegliAltriControlli)
{
    Apri();
    struct Caso
    {
        QString controllo;
        QString titolo;
        QString riferimento;
    };
    for (const Caso& c : {Caso{u"optModoR_2"_s, u"ORDINAMENTO FILE"_s, u"lbOrdinamento"_s},
                          Caso{u"Command1"_s, u"FIRMAVERIFICA"_s, u"Command1"_s},
                          Caso{u"cmbNumFile"_s, u"MASSIMO NUMERO DI FILE"_s, u"cmbNumFile"_s}}) {
        auto* w = Trova<QWidget>(c.controllo);
        w->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(w, Qt::Key_F1);
        ASSERT_TRUE(Aiuto()->isVisible()) << c.controllo.toStdString();
        EXPECT_EQ(TitoloAiuto(), c.titolo);
        EXPECT_LT(Aiuto()->geometry().bottom(), InFinestra(Trova<QWidget>(c.riferimento)).top());
        QTest::keyClick(w, Qt::Key_F1);
        EXPECT_FALSE(Aiuto()->isVisible());
    }
    // The title drags the panel.
    Txt(1)->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(Txt(1), Qt::Key_F1);
    const QPoint prima = Aiuto()->pos();
    auto* titolo = Trova<QLabel>(u"lbHelpTit"_s);
    QTest::mousePress(titolo, Qt::LeftButton, {}, QPoint(10, 5));
    QTest::mouseMove(titolo, QPoint(30, 45));
    QTest::mouseRelease(titolo, Qt::LeftButton, {}, QPoint(30, 45));
    EXPECT_EQ(Aiuto()->pos(), prima + QPoint(20, 40));
}

TEST_F(ParEdiTest, CtrlPMostraEDNascondeLaPassword)
{
    Apri();
    Txt(1)->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(Txt(1), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(Txt(3)->displayText(), u"segreta"_s);
    QTest::keyClick(Trova<QWidget>(u"cmbDebug"_s), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(Txt(3)->displayText(), u"#######"_s);
    EXPECT_EQ(Txt(1)->text(), u"ftp.agenziadogane.it"_s);
}

TEST_F(ParEdiTest, SceltaDellaCartellaBase)
{
    Apri();
    QStringList richieste;
    QString risposta = Percorso(u"Altra"_s);
    DialoghiTest d;
    d.cartella = [&](const QString& titolo, const QString& iniziale) {
        richieste << titolo << iniziale;
        return risposta;
    };
    ImpostaDialoghi(d);
    Premi(u"Command1"_s);
    EXPECT_EQ(richieste,
              QStringList({u"Seleziona la Cartella desiderata"_s, QDir::toNativeSeparators(base)}));
    EXPECT_EQ(Trova<QLabel>(u"lbFirmaVerif"_s)->text(),
              QDir::toNativeSeparators(Percorso(u"Altra"_s)));
    risposta = u"  "_s;
    Premi(u"Command1"_s);
    EXPECT_EQ(Trova<QLabel>(u"lbFirmaVerif"_s)->text(),
              QDir::toNativeSeparators(Percorso(u"Altra"_s)));
}

TEST_F(ParEdiTest, ConfermaVedutaDaUnaFinestraSuccessiva)
{
    const QString nuova = Percorso(u"Nuova"_s);
    ASSERT_TRUE(QDir().mkdir(nuova));
    Apri();
    Scrivi(1, u"ftp.nuovo.it"_s);
    Scrivi(2, u"QW34"_s);
    Scrivi(3, u"NUOVA9"_s);
    Scrivi(4, u"Bianchi Spa"_s);
    Scrivi(5, u"C7"_s);
    Scrivi(6, u"D"_s);
    QTest::mouseClick(Trova<QRadioButton>(u"optColI_0"_s), Qt::LeftButton);
    QTest::mouseClick(Trova<QRadioButton>(u"optModoI_1"_s), Qt::LeftButton);
    QTest::mouseClick(Trova<QRadioButton>(u"optColR_1"_s), Qt::LeftButton);
    QTest::mouseClick(Trova<QRadioButton>(u"optModoR_2"_s), Qt::LeftButton);
    Trova<QComboBox>(u"cmbNumFile"_s)->setCurrentIndex(9);
    Trova<QComboBox>(u"cmbDebug"_s)->setCurrentIndex(1);
    DialoghiTest d;
    d.cartella = [&](const QString&, const QString&) -> QString { return nuova + u"/"_s; };
    ImpostaDialoghi(d);
    Premi(u"Command1"_s);
    Premi(u"cmdend_1"_s);
    EXPECT_FALSE(finestra->isVisible());
    EXPECT_EQ(finestra->result(), QDialog::Accepted);

    EXPECT_EQ(LeggiIni(FileIni, u"EDI"_s, u"HOSTFTP"_s), u"ftp.nuovo.it"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"EDI"_s, u"AUTORFTP"_s), u"QW34"_s);
    EXPECT_NE(LeggiIni(FileIni, u"EDI"_s, u"PASSWFTP"_s), u"NUOVA9"_s);
    EXPECT_EQ(DecodificaParola(LeggiIni(FileIni, u"EDI"_s, u"PASSWFTP"_s)), u"NUOVA9"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"EDI"_s, u"DITTA"_s), u"Bianchi Spa"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"EDI"_s, u"PROGR1"_s), u"C0"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"EDI"_s, u"PROGR2"_s), u"DZ"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"EDI"_s, u"COLSORTINV"_s), u"0"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"EDI"_s, u"MODSORTINV"_s), u"1"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"EDI"_s, u"COLSORTRIC"_s), u"1"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"EDI"_s, u"MODSORTRIC"_s), u"2"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"EDI"_s, u"DEBUG"_s), u"1"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"EDI"_s, u"NUMFILE"_s), u"10"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"PC"_s, u"PATH"_s), nuova);
    EXPECT_EQ(MaxFile, 50);
    EXPECT_EQ(ParametriEdi.CartellaBase, nuova);
    EXPECT_EQ(ParametriEdi.CartellaRicevuti, nuova + u"/Ricevuti"_s);
    EXPECT_TRUE(QFileInfo(nuova + u"/DaVerificare"_s).isDir());

    // The next window opens on the new values without a restart.
    Apri();
    EXPECT_EQ(Txt(1)->text(), u"ftp.nuovo.it"_s);
    EXPECT_EQ(Txt(3)->text(), u"NUOVA9"_s);
    EXPECT_EQ(Txt(5)->text(), u"C0"_s);
    EXPECT_TRUE(Trova<QRadioButton>(u"optModoR_2"_s)->isChecked());
    EXPECT_EQ(Trova<QComboBox>(u"cmbNumFile"_s)->currentText(), u"50"_s);
    EXPECT_EQ(Trova<QComboBox>(u"cmbDebug"_s)->currentText(), u"SI"_s);
    EXPECT_EQ(Trova<QLabel>(u"lbFirmaVerif"_s)->text(), QDir::toNativeSeparators(nuova));
}

TEST_F(ParEdiTest, CinqueSiScriveUno)
{
    Apri();
    Trova<QComboBox>(u"cmbNumFile"_s)->setCurrentIndex(0);
    EXPECT_EQ(Trova<QComboBox>(u"cmbNumFile"_s)->currentText(), u" 5"_s);
    Premi(u"cmdend_1"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"EDI"_s, u"NUMFILE"_s), u"1"_s);
    EXPECT_EQ(MaxFile, 5);
}

TEST_F(ParEdiTest, ProgressivoNormalizzatoAncheConfermandoDaTastiera)
{
    Apri();
    Scrivi(5, u"K4"_s);
    // The accelerator's button takes the focus; a plain click() would not.
    Trova<QPushButton>(u"cmdend_1"_s)->click();
    EXPECT_EQ(LeggiIni(FileIni, u"EDI"_s, u"PROGR1"_s), u"K0"_s);
    // A value the user did not touch goes back as it was.
    ParametriEdi.Progr2 = u"ABC"_s;
    Apri();
    Trova<QPushButton>(u"cmdend_1"_s)->click();
    EXPECT_EQ(LeggiIni(FileIni, u"EDI"_s, u"PROGR2"_s), u"ABC"_s);
}

TEST_F(ParEdiTest, SottoCartellaNonCreabileDaIlMessaggio)
{
    Apri();
    DialoghiTest d;
    d.cartella = [&](const QString&, const QString&) { return Percorso(u"non/esiste"_s); };
    ImpostaDialoghi(d);
    Premi(u"Command1"_s);
    RisponditoreTest().Rispondi(Risposta::Ok,
                                u"ERRORE IN FASE DI CREAZIONE CARTELLA 'FIRMAVERIFICA"_s);
    Premi(u"cmdend_1"_s);
    EXPECT_FALSE(finestra->isVisible());
    EXPECT_EQ(ParametriEdi.CartellaBase, Percorso(u"non/esiste"_s));
}

TEST_F(ParEdiTest, AnnullaNonCambiaNulla)
{
    ScriviIni(FileIni, u"EDI"_s, u"DITTA"_s, u"Rossi Srl"_s);
    const QByteArray file = LeggiFile(FileIni);
    const ParametriEdiT globali = ParametriEdi;
    Apri();
    Scrivi(1, u"altro.host"_s);
    Scrivi(4, u"Altra ditta"_s);
    Scrivi(5, u"Q"_s);
    QTest::mouseClick(Trova<QRadioButton>(u"optColI_2"_s), Qt::LeftButton);
    Trova<QComboBox>(u"cmbNumFile"_s)->setCurrentIndex(9);
    DialoghiTest d;
    d.cartella = [&](const QString&, const QString&) { return Percorso(u"Altra"_s); };
    ImpostaDialoghi(d);
    Premi(u"Command1"_s);
    Premi(u"cmdend_0"_s);
    EXPECT_FALSE(finestra->isVisible());
    EXPECT_EQ(LeggiFile(FileIni), file);
    EXPECT_EQ(ParametriEdi.HostFtp, globali.HostFtp);
    EXPECT_EQ(ParametriEdi.Ditta, globali.Ditta);
    EXPECT_EQ(ParametriEdi.Progr1, globali.Progr1);
    EXPECT_EQ(ParametriEdi.CartellaBase, globali.CartellaBase);
    EXPECT_EQ(OrdinaColInvio, 1);
    EXPECT_EQ(MaxFile, 15);
}

// A pasted line break or tab would become a line of the FTP script: refused at
// confirm, nothing stored, the window stays open for the fix.
TEST_F(ParEdiTest, CaratteriDiControlloRifiutatiAllaConferma)
{
    ScriviIni(FileIni, u"EDI"_s, u"DITTA"_s, u"Rossi Srl"_s);
    const QByteArray file = LeggiFile(FileIni);
    struct Caso
    {
        int campo;
        QString valore;
        QString nome;
    };
    const QList<Caso> casi = {{1, u"127.0.0.1\n!sh"_s, u"'Ambiente FTP'"_s},
                              {2, u"ZX\t1"_s, u"'Codice Utente'"_s},
                              {3, u"seg\x7freta"_s, u"'PassWord'"_s}};
    Apri();
    for (const Caso& c : casi) {
        const QString prima = Txt(c.campo)->text();
        Txt(c.campo)->setText(c.valore);
        RisponditoreTest().Rispondi(Risposta::Ok, u"IL CAMPO "_s + c.nome);
        Premi(u"cmdend_1"_s);
        EXPECT_TRUE(finestra->isVisible());
        EXPECT_EQ(LeggiFile(FileIni), file);
        EXPECT_EQ(ParametriEdi.HostFtp, u"ftp.agenziadogane.it"_s);
        EXPECT_EQ(ParametriEdi.PasswordFtp, u"segreta"_s);
        Txt(c.campo)->setText(prima);
    }
    Premi(u"cmdend_1"_s);
    EXPECT_FALSE(finestra->isVisible());
    EXPECT_FALSE(LeggiFile(FileIni).contains("!sh"));
}
