#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"
#include "support/ServerCups.h"

#include "piattaforma/ui/Dialoghi.h"
#include "piattaforma/ui/Schermo.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "stampa/ui/SelPrint.h"
#include "stampa/ui/StampanteCorrente.h"
#include "stampa/ui/frmPRT.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QStringList Code = {u"Ufficio"_s, u"Magazzino"_s, u"Dogana"_s};

// Runs fn on the top-level window named nome as soon as it shows.
void QuandoAperta(const QString& nome, std::function<void(QWidget*)> fn)
{
    auto* timer = new QTimer;
    auto tentativi = std::make_shared<int>(500);
    QObject::connect(timer, &QTimer::timeout, [=]() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == nome && w->isVisible()) {
                timer->stop();
                timer->deleteLater();
                fn(w);
                return;
            }
        }
        if (--*tentativi == 0) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "window " << nome.toStdString() << " did not open";
        }
    });
    timer->start(10);
}

class StampaTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        ImpostaSchermo(QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 768));
        RICHIEDI_CUPS(Code);
    }
};

TEST_F(StampaTest, ElencoConUnaOpzionePerStampanteDistanti300Twip)
{
    ImpostaStampanteCorrente(u"Magazzino"_s);
    SelPrint elenco;
    elenco.plTopForm(1500);
    elenco.plLeftForm(1500);
    elenco.show();
    QStringList nomi;
    QList<int> alture;
    QString spuntata;
    for (QRadioButton* o : elenco.findChildren<QRadioButton*>()) {
        nomi << o->text();
        alture << o->y();
        if (o->isChecked())
            spuntata = o->text();
        EXPECT_TRUE(o->isVisible());
    }
    for (const QString& c : Code)
        EXPECT_TRUE(nomi.contains(c)) << c.toStdString();
    EXPECT_TRUE(nomi.contains(u"PDFCREATOR"_s));
    EXPECT_EQ(spuntata, u"Magazzino"_s);
    for (int i = 1; i < alture.size(); ++i)
        EXPECT_EQ(Twip(alture[i] - alture[i - 1]), SelPrint::PassoOpzioni);
    // Frame and buttons hold every option.
    auto* cornice = elenco.findChild<QGroupBox*>(u"Frame1"_s);
    EXPECT_GE(cornice->height(), alture.last() + 20);
    EXPECT_GE(elenco.findChild<QPushButton*>(u"Command1_0"_s)->y(), cornice->y() + alture.last());
    EXPECT_EQ(elenco.pos(), QPoint(100, 100));
}

// Shrunk by hand, the list keeps every option and both buttons whole.
TEST_F(StampaTest, ElencoRimpicciolitoTieneOpzioniEPulsanti)
{
    SelPrint elenco;
    elenco.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&elenco));
    auto* cornice = elenco.findChild<QGroupBox*>(u"Frame1"_s);
    for (const QSize& dimensione : {QSize(40, 30), QSize(2000, 30), QSize(40, 2000)}) {
        elenco.resize(dimensione);
        for (QRadioButton* o : elenco.findChildren<QRadioButton*>())
            EXPECT_TRUE(cornice->contentsRect().contains(o->geometry())) << o->text().toStdString();
        for (const char* nome : {"Command1_0", "Command1_1"}) {
            const QWidget* b = elenco.findChild<QPushButton*>(QString::fromLatin1(nome));
            EXPECT_TRUE(elenco.rect().contains(b->geometry())) << nome;
            EXPECT_FALSE(cornice->geometry().intersects(b->geometry())) << nome;
        }
    }
}

TEST_F(StampaTest, ElencoCheUscirebbeDalloSchermoSiSpostaASinistra)
{
    SelPrint elenco;
    elenco.plTopForm(0);
    elenco.plLeftForm(Twip(1000));
    elenco.show();
    EXPECT_EQ(elenco.frameGeometry().right() + 1, 1024);
    EXPECT_GT(elenco.width(), 40);
}

TEST_F(StampaTest, ElencoSceltaConfermaEAnnulla)
{
    struct Caso
    {
        const char* azione;
        QString attesa;
    } casi[] = {{"Option", u"Dogana"_s}, {"Command1_0", u"Ufficio"_s}, {"Command1_1", {}}};
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.azione);
        SelPrint elenco;
        elenco.plPrinter(u"Ufficio"_s);
        QTimer::singleShot(0, &elenco, [&elenco, &c]() {
            if (qstrcmp(c.azione, "Option") == 0) {
                for (QRadioButton* o : elenco.findChildren<QRadioButton*>()) {
                    if (o->text() == u"Dogana"_s)
                        QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(5, o->height() / 2));
                }
            } else {
                elenco.findChild<QPushButton*>(QLatin1StringView(c.azione))->click();
            }
        });
        elenco.exec();
        EXPECT_EQ(elenco.pgPrinter(), c.attesa);
    }
}

TEST_F(StampaTest, OpzioniTipoAVideoMostraLAnteprima)
{
    ScriviIni(FileIni, u"STAMPA"_s, u"TIPO"_s, u"D"_s);
    ScriviIni(FileIni, u"STAMPA"_s, u"ZOOM"_s, u"3"_s);
    ScriviIni(FileIni, u"STAMPA"_s, u"PREVIEW"_s, u"5"_s);
    ImpostaStampanteCorrente(u"Ufficio"_s);
    frmPRT opzioni;
    opzioni.show();
    auto* tipo = opzioni.findChild<QComboBox*>(u"Combo1"_s);
    auto* anteprima = opzioni.findChild<QGroupBox*>(u"Frame1"_s);
    EXPECT_EQ(opzioni.findChild<QLineEdit*>(u"Text1"_s)->text(), u"Ufficio"_s);
    EXPECT_EQ(tipo->currentIndex(), 1);
    EXPECT_EQ(opzioni.findChild<QComboBox*>(u"cmbZoom"_s)->currentText(), u"  50%"_s);
    EXPECT_TRUE(opzioni.findChild<QRadioButton*>(u"Option1_5"_s)->isChecked());
    EXPECT_FALSE(anteprima->isVisible());
    const struct
    {
        int indice;
        bool visibile;
    } scelte[] = {{2, true}, {0, false}, {2, true}, {1, false}};
    for (const auto& s : scelte) {
        tipo->setCurrentIndex(s.indice);
        EXPECT_EQ(anteprima->isVisible(), s.visibile) << tipo->currentText().toStdString();
    }
    tipo->setCurrentIndex(2);
    opzioni.findChild<QRadioButton*>(u"Option1_7"_s)->setChecked(true);
    opzioni.findChild<QPushButton*>(u"cmds_SI"_s)->click();
    EXPECT_EQ(LeggiIni(FileIni, u"STAMPA"_s, u"TIPO"_s), u"V"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"STAMPA"_s, u"PREVIEW"_s), u"7"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"STAMPA"_s, u"ZOOM"_s), u"3"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"STAMPA"_s, u"STAMPANTE"_s), u"Ufficio"_s);
    EXPECT_EQ(opzioni.pgStampante(), u"Ufficio"_s);
}

TEST_F(StampaTest, OpzioniUscitaNonScriveNiente)
{
    frmPRT opzioni;
    opzioni.show();
    EXPECT_EQ(opzioni.findChild<QComboBox*>(u"Combo1"_s)->currentIndex(), -1);
    opzioni.findChild<QPushButton*>(u"cmds_NO"_s)->click();
    EXPECT_TRUE(LeggiIni(FileIni, u"STAMPA"_s, u"STAMPANTE"_s).isEmpty());
    EXPECT_TRUE(opzioni.pgStampante().isEmpty());
    EXPECT_FALSE(opzioni.isVisible());
}

TEST_F(StampaTest, DoppioClicApreLElencoEModificaIlDialogoDiSistema)
{
    ImpostaStampanteCorrente(u"Ufficio"_s);
    frmPRT opzioni;
    opzioni.plTopForm(Twip(50));
    opzioni.plLeftForm(Twip(60));
    opzioni.show();
    EXPECT_EQ(opzioni.pos(), QPoint(60, 50));
    auto* testo = opzioni.findChild<QLineEdit*>(u"Text1"_s);

    QString titolo;
    QPoint posizione;
    QuandoAperta(u"SelPrint"_s, [&](QWidget* w) {
        titolo = w->windowTitle();
        posizione = w->pos();
        for (QRadioButton* o : w->findChildren<QRadioButton*>()) {
            if (o->text() == u"Dogana"_s)
                QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(5, o->height() / 2));
        }
    });
    QTest::mouseDClick(testo, Qt::LeftButton);
    EXPECT_EQ(titolo, u"STAMPANTE PREDEFINITA"_s);
    EXPECT_EQ(posizione.y(), opzioni.y());
    EXPECT_GE(posizione.x(), qMin(opzioni.frameGeometry().right(), 1024 - 200));
    EXPECT_EQ(testo->text(), u"Dogana"_s);
    EXPECT_EQ(StampanteCorrente(), u"Dogana"_s);

    DialoghiTest dialoghi;
    bool annulla = true;
    dialoghi.stampante = [&annulla](QPrinter& p) {
        if (annulla)
            return false;
        p.setPrinterName(u"Magazzino"_s);
        return true;
    };
    ImpostaDialoghi(dialoghi);
    auto* modifica = opzioni.findChild<QPushButton*>(u"Command1"_s);
    modifica->click();
    EXPECT_EQ(testo->text(), u"Dogana"_s);
    annulla = false;
    modifica->click();
    EXPECT_EQ(testo->text(), u"Magazzino"_s);
}

} // namespace
