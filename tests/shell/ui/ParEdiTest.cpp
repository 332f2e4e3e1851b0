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

namespace {

class ParEdiTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        base = Percorso("Firma");
        QDir().mkdir(base);
        ParametriEdi.CartellaBase = base;
        ParametriEdi.HostFtp = "ftp.agenziadogane.it";
        ParametriEdi.UtenteFtp = "ZX12";
        ParametriEdi.PasswordFtp = "segreta";
        ParametriEdi.Ditta = "Rossi Srl";
        ParametriEdi.Progr1 = "00";
        ParametriEdi.Progr2 = "ZZ";
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
        ASSERT_TRUE(QTest::qWaitForWindowActive(finestra.get()));
    }

    template <typename T> T* Trova(const QString& nome)
    {
        T* w = finestra->findChild<T*>(nome);
        EXPECT_NE(w, nullptr) << nome.toStdString();
        return w;
    }
    QLineEdit* Txt(int k) { return Trova<QLineEdit>(QStringLiteral("txt_%1").arg(k)); }
    QFrame* Aiuto() { return Trova<QFrame>("pctHelp"); }
    QString TitoloAiuto() { return Trova<QLabel>("lbHelpTit")->text(); }
    QRect InFinestra(QWidget* w)
    {
        return QRect(w->mapTo(finestra.get(), QPoint(0, 0)), w->size());
    }
    void Premi(const char* nome) { QTest::mouseClick(Trova<QPushButton>(nome), Qt::LeftButton); }

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
    EXPECT_EQ(finestra->windowTitle(), " EDI - Parametri Collegamento DOGANA");
    EXPECT_EQ(Txt(1)->text(), "ftp.agenziadogane.it");
    EXPECT_EQ(Txt(2)->text(), "ZX12");
    EXPECT_EQ(Txt(3)->text(), "segreta");
    EXPECT_EQ(Txt(3)->echoMode(), QLineEdit::Password);
    EXPECT_EQ(Txt(3)->displayText(), "#######");
    EXPECT_EQ(Txt(4)->text(), "Rossi Srl");
    EXPECT_EQ(Trova<QLabel>("lbFirmaVerif")->text(), QDir::toNativeSeparators(base));
    EXPECT_TRUE(Trova<QRadioButton>("optColI_1")->isChecked());
    EXPECT_TRUE(Trova<QRadioButton>("optModoI_2")->isChecked());
    EXPECT_TRUE(Trova<QRadioButton>("optColR_2")->isChecked());
    EXPECT_TRUE(Trova<QRadioButton>("optModoR_1")->isChecked());
    EXPECT_EQ(Trova<QComboBox>("cmbNumFile")->currentText(), "15");
    EXPECT_EQ(Trova<QComboBox>("cmbNumFile")->itemText(0), " 5");
    EXPECT_EQ(Trova<QComboBox>("cmbDebug")->currentText(), "NO");
    EXPECT_FALSE(Aiuto()->isVisible());
}

TEST_F(ParEdiTest, MinuscoleChiedonoConferma)
{
    Apri();
    RisponditoreTest()
        .Rispondi(Risposta::No, "Carattere minuscolo! confermi?")
        .Rispondi(Risposta::No, "Carattere minuscolo! confermi?");
    Scrivi(2, "ab");
    EXPECT_EQ(Txt(2)->text(), "");
    const auto& box = RisponditoreTest().Ricevuti();
    ASSERT_EQ(box.size(), 2);
    EXPECT_EQ(box[0].richiesta.titolo, "MAIUSCOLE NON ATTIVE");
    EXPECT_EQ(box[0].richiesta.pulsanti, Pulsanti::SiNo);
    EXPECT_EQ(box[0].richiesta.icona, Icona::Domanda);
    EXPECT_EQ(box[0].richiesta.predefinita, Risposta::No);

    // "Yes" keeps the character; capitals and digits ask nothing; the host and
    // the company are free text.
    RisponditoreTest().Rispondi(Risposta::Si).Rispondi(Risposta::Si);
    Scrivi(3, "Ab1c");
    EXPECT_EQ(Txt(3)->text(), "Ab1c");
    Scrivi(1, "ftp.prova");
    Scrivi(4, "ditta srl");
    EXPECT_EQ(Txt(4)->text(), "ditta srl");
    RisponditoreTest().Rispondi(Risposta::No).Rispondi(Risposta::No);
    Scrivi(5, "x");
    Scrivi(6, "_");
    EXPECT_EQ(RisponditoreTest().Ricevuti().size(), 6);
}

TEST_F(ParEdiTest, ProgressiviAllUscitaDalCampo)
{
    Apri();
    Scrivi(5, "A5");
    QTest::keyClick(Txt(5), Qt::Key_Down);
    EXPECT_EQ(Txt(5)->text(), "A0");
    EXPECT_TRUE(Txt(6)->hasFocus());
    Scrivi(6, "B");
    QTest::keyClick(Txt(6), Qt::Key_Up);
    EXPECT_EQ(Txt(6)->text(), "BZ");
    Scrivi(5, "");
    QTest::keyClick(Txt(5), Qt::Key_Tab);
    Scrivi(6, "");
    Txt(1)->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(Txt(5)->text(), "00");
    EXPECT_EQ(Txt(6)->text(), "ZZ");
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
    EXPECT_EQ(Txt(2)->text(), "ZX12");
    // A disabled box is skipped.
    Txt(4)->setEnabled(false);
    QTest::keyClick(Txt(3), Qt::Key_Down);
    EXPECT_TRUE(Txt(5)->hasFocus());
    QTest::keyClick(Txt(5), Qt::Key_Up);
    EXPECT_TRUE(Txt(3)->hasFocus());
}

TEST_F(ParEdiTest, LimitiDelleCaselle)
{
    ParametriEdi.Ditta = QString(50, 'D');
    Apri();
    Scrivi(2, "ABCDEF");
    EXPECT_EQ(Txt(2)->text(), "ABCD");
    Scrivi(5, "123");
    EXPECT_EQ(Txt(5)->text(), "12");
    // Read longer than the box: shown whole, shortened only by the user, and
    // nothing typed past what it held.
    EXPECT_EQ(Txt(4)->text(), QString(50, 'D'));
    Txt(4)->setFocus(Qt::MouseFocusReason);
    Txt(4)->end(false);
    QTest::keyClick(Txt(4), Qt::Key_Backspace);
    QTest::keyClicks(Txt(4), "XY");
    EXPECT_EQ(Txt(4)->text(), QString(49, 'D'));
    Premi("cmdend_1");
    EXPECT_EQ(LeggiIni(FileIni, "EDI", "DITTA"), QString(49, 'D'));
}

TEST_F(ParEdiTest, AiutoSottoOSopraIlCampo)
{
    Apri();
    Txt(1)->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(Txt(1), Qt::Key_F1);
    ASSERT_TRUE(Aiuto()->isVisible());
    EXPECT_EQ(TitoloAiuto(), "AMBIENTE FTP");
    EXPECT_TRUE(
        Trova<QLabel>("lbHelpMess")->text().contains("normalmente vale: ftp.agenziadogane.it"));
    EXPECT_GT(Aiuto()->y(), InFinestra(Txt(1)).bottom());
    EXPECT_EQ(Aiuto()->x(), (finestra->width() - Aiuto()->width()) / 2);
    // F1 again hides it; any other key hides it and does nothing else.
    QTest::keyClick(Txt(1), Qt::Key_F1);
    EXPECT_FALSE(Aiuto()->isVisible());
    QTest::keyClick(Txt(1), Qt::Key_F1);
    QTest::keyClick(Txt(1), Qt::Key_X);
    EXPECT_FALSE(Aiuto()->isVisible());
    EXPECT_EQ(Txt(1)->text(), "ftp.agenziadogane.it");
    // Enter with the panel up hides it and stays in the field.
    QTest::keyClick(Txt(1), Qt::Key_F1);
    QTest::keyClick(Txt(1), Qt::Key_Return);
    EXPECT_FALSE(Aiuto()->isVisible());
    EXPECT_TRUE(Txt(1)->hasFocus());

    // The last field sits near the bottom: the panel goes above it, inside.
    Txt(6)->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(Txt(6), Qt::Key_F1);
    ASSERT_TRUE(Aiuto()->isVisible());
    EXPECT_EQ(TitoloAiuto(), "PROGRESSIVO FINALE");
    EXPECT_LT(Aiuto()->geometry().bottom(), InFinestra(Txt(6)).top());
    EXPECT_GE(Aiuto()->y(), 0);
    // Clicking the text hides it.
    QTest::mouseClick(Trova<QLabel>("lbHelpMess"), Qt::LeftButton);
    EXPECT_FALSE(Aiuto()->isVisible());
}

TEST_F(ParEdiTest, AiutoDegliAltriControlli)
{
    Apri();
    struct Caso
    {
        const char* controllo;
        const char* titolo;
        const char* riferimento;
    };
    for (const Caso c : {Caso{"optModoR_2", "ORDINAMENTO FILE", "lbOrdinamento"},
                         Caso{"Command1", "FIRMAVERIFICA", "Command1"},
                         Caso{"cmbNumFile", "MASSIMO NUMERO DI FILE", "cmbNumFile"}}) {
        auto* w = Trova<QWidget>(c.controllo);
        w->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(w, Qt::Key_F1);
        ASSERT_TRUE(Aiuto()->isVisible()) << c.controllo;
        EXPECT_EQ(TitoloAiuto(), c.titolo);
        EXPECT_LT(Aiuto()->geometry().bottom(), InFinestra(Trova<QWidget>(c.riferimento)).top());
        QTest::keyClick(w, Qt::Key_F1);
        EXPECT_FALSE(Aiuto()->isVisible());
    }
    // The title drags the panel.
    Txt(1)->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(Txt(1), Qt::Key_F1);
    const QPoint prima = Aiuto()->pos();
    auto* titolo = Trova<QLabel>("lbHelpTit");
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
    EXPECT_EQ(Txt(3)->displayText(), "segreta");
    QTest::keyClick(Trova<QWidget>("cmbDebug"), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(Txt(3)->displayText(), "#######");
    EXPECT_EQ(Txt(1)->text(), "ftp.agenziadogane.it");
}

TEST_F(ParEdiTest, SceltaDellaCartellaBase)
{
    Apri();
    QStringList richieste;
    QString risposta = Percorso("Altra");
    DialoghiTest d;
    d.cartella = [&](const QString& titolo, const QString& iniziale) {
        richieste << titolo << iniziale;
        return risposta;
    };
    ImpostaDialoghi(d);
    Premi("Command1");
    EXPECT_EQ(richieste,
              QStringList({"Seleziona la Cartella desiderata", QDir::toNativeSeparators(base)}));
    EXPECT_EQ(Trova<QLabel>("lbFirmaVerif")->text(), QDir::toNativeSeparators(Percorso("Altra")));
    risposta = "  ";
    Premi("Command1");
    EXPECT_EQ(Trova<QLabel>("lbFirmaVerif")->text(), QDir::toNativeSeparators(Percorso("Altra")));
}

TEST_F(ParEdiTest, ConfermaVedutaDaUnaFinestraSuccessiva)
{
    const QString nuova = Percorso("Nuova");
    ASSERT_TRUE(QDir().mkdir(nuova));
    Apri();
    Scrivi(1, "ftp.nuovo.it");
    Scrivi(2, "QW34");
    Scrivi(3, "NUOVA9");
    Scrivi(4, "Bianchi Spa");
    Scrivi(5, "C7");
    Scrivi(6, "D");
    QTest::mouseClick(Trova<QRadioButton>("optColI_0"), Qt::LeftButton);
    QTest::mouseClick(Trova<QRadioButton>("optModoI_1"), Qt::LeftButton);
    QTest::mouseClick(Trova<QRadioButton>("optColR_1"), Qt::LeftButton);
    QTest::mouseClick(Trova<QRadioButton>("optModoR_2"), Qt::LeftButton);
    Trova<QComboBox>("cmbNumFile")->setCurrentIndex(9);
    Trova<QComboBox>("cmbDebug")->setCurrentIndex(1);
    DialoghiTest d;
    d.cartella = [&](const QString&, const QString&) { return nuova + "/"; };
    ImpostaDialoghi(d);
    Premi("Command1");
    Premi("cmdend_1");
    EXPECT_FALSE(finestra->isVisible());
    EXPECT_EQ(finestra->result(), QDialog::Accepted);

    EXPECT_EQ(LeggiIni(FileIni, "EDI", "HOSTFTP"), "ftp.nuovo.it");
    EXPECT_EQ(LeggiIni(FileIni, "EDI", "AUTORFTP"), "QW34");
    EXPECT_NE(LeggiIni(FileIni, "EDI", "PASSWFTP"), "NUOVA9");
    EXPECT_EQ(DecodificaParola(LeggiIni(FileIni, "EDI", "PASSWFTP")), "NUOVA9");
    EXPECT_EQ(LeggiIni(FileIni, "EDI", "DITTA"), "Bianchi Spa");
    EXPECT_EQ(LeggiIni(FileIni, "EDI", "PROGR1"), "C0");
    EXPECT_EQ(LeggiIni(FileIni, "EDI", "PROGR2"), "DZ");
    EXPECT_EQ(LeggiIni(FileIni, "EDI", "COLSORTINV"), "0");
    EXPECT_EQ(LeggiIni(FileIni, "EDI", "MODSORTINV"), "1");
    EXPECT_EQ(LeggiIni(FileIni, "EDI", "COLSORTRIC"), "1");
    EXPECT_EQ(LeggiIni(FileIni, "EDI", "MODSORTRIC"), "2");
    EXPECT_EQ(LeggiIni(FileIni, "EDI", "DEBUG"), "1");
    EXPECT_EQ(LeggiIni(FileIni, "EDI", "NUMFILE"), "10");
    EXPECT_EQ(LeggiIni(FileIni, "PC", "PATH"), nuova);
    EXPECT_EQ(MaxFile, 50);
    EXPECT_EQ(ParametriEdi.CartellaBase, nuova);
    EXPECT_EQ(ParametriEdi.CartellaRicevuti, nuova + "/Ricevuti");
    EXPECT_TRUE(QFileInfo(nuova + "/DaVerificare").isDir());

    // The next window opens on the new values without a restart.
    Apri();
    EXPECT_EQ(Txt(1)->text(), "ftp.nuovo.it");
    EXPECT_EQ(Txt(3)->text(), "NUOVA9");
    EXPECT_EQ(Txt(5)->text(), "C0");
    EXPECT_TRUE(Trova<QRadioButton>("optModoR_2")->isChecked());
    EXPECT_EQ(Trova<QComboBox>("cmbNumFile")->currentText(), "50");
    EXPECT_EQ(Trova<QComboBox>("cmbDebug")->currentText(), "SI");
    EXPECT_EQ(Trova<QLabel>("lbFirmaVerif")->text(), QDir::toNativeSeparators(nuova));
}

TEST_F(ParEdiTest, CinqueSiScriveUno)
{
    Apri();
    Trova<QComboBox>("cmbNumFile")->setCurrentIndex(0);
    EXPECT_EQ(Trova<QComboBox>("cmbNumFile")->currentText(), " 5");
    Premi("cmdend_1");
    EXPECT_EQ(LeggiIni(FileIni, "EDI", "NUMFILE"), "1");
    EXPECT_EQ(MaxFile, 5);
}

TEST_F(ParEdiTest, ProgressivoNormalizzatoAncheConfermandoDaTastiera)
{
    Apri();
    Scrivi(5, "K4");
    // The accelerator's button takes the focus; a plain click() would not.
    Trova<QPushButton>("cmdend_1")->click();
    EXPECT_EQ(LeggiIni(FileIni, "EDI", "PROGR1"), "K0");
    // A value the user did not touch goes back as it was.
    ParametriEdi.Progr2 = "ABC";
    Apri();
    Trova<QPushButton>("cmdend_1")->click();
    EXPECT_EQ(LeggiIni(FileIni, "EDI", "PROGR2"), "ABC");
}

TEST_F(ParEdiTest, SottoCartellaNonCreabileDaIlMessaggio)
{
    Apri();
    DialoghiTest d;
    d.cartella = [&](const QString&, const QString&) { return Percorso("non/esiste"); };
    ImpostaDialoghi(d);
    Premi("Command1");
    RisponditoreTest().Rispondi(Risposta::Ok,
                                "ERRORE IN FASE DI CREAZIONE CARTELLA 'FIRMAVERIFICA");
    Premi("cmdend_1");
    EXPECT_FALSE(finestra->isVisible());
    EXPECT_EQ(ParametriEdi.CartellaBase, Percorso("non/esiste"));
}

TEST_F(ParEdiTest, AnnullaNonCambiaNulla)
{
    ScriviIni(FileIni, "EDI", "DITTA", "Rossi Srl");
    const QByteArray file = LeggiFile(FileIni);
    const ParametriEdiT globali = ParametriEdi;
    Apri();
    Scrivi(1, "altro.host");
    Scrivi(4, "Altra ditta");
    Scrivi(5, "Q");
    QTest::mouseClick(Trova<QRadioButton>("optColI_2"), Qt::LeftButton);
    Trova<QComboBox>("cmbNumFile")->setCurrentIndex(9);
    DialoghiTest d;
    d.cartella = [&](const QString&, const QString&) { return Percorso("Altra"); };
    ImpostaDialoghi(d);
    Premi("Command1");
    Premi("cmdend_0");
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
    ScriviIni(FileIni, "EDI", "DITTA", "Rossi Srl");
    const QByteArray file = LeggiFile(FileIni);
    struct Caso
    {
        int campo;
        QString valore;
        const char* nome;
    };
    const QList<Caso> casi = {{1, "127.0.0.1\n!sh", "'Ambiente FTP'"},
                              {2, "ZX\t1", "'Codice Utente'"},
                              {3, "seg\x7freta", "'PassWord'"}};
    Apri();
    for (const Caso& c : casi) {
        const QString prima = Txt(c.campo)->text();
        Txt(c.campo)->setText(c.valore);
        RisponditoreTest().Rispondi(Risposta::Ok, QString("IL CAMPO ") + c.nome);
        Premi("cmdend_1");
        EXPECT_TRUE(finestra->isVisible());
        EXPECT_EQ(LeggiFile(FileIni), file);
        EXPECT_EQ(ParametriEdi.HostFtp, "ftp.agenziadogane.it");
        EXPECT_EQ(ParametriEdi.PasswordFtp, "segreta");
        Txt(c.campo)->setText(prima);
    }
    Premi("cmdend_1");
    EXPECT_FALSE(finestra->isVisible());
    EXPECT_FALSE(LeggiFile(FileIni).contains("!sh"));
}
