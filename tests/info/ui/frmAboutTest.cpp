#include "support/AmbienteTest.h"
#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"
#include "support/ui/AmbienteFinestre.h"
#include "support/ServerHttp.h"

#include "info/ui/InfZerpa.h"
#include "info/ui/frmAbout.h"
#include "shell/Aggiornamenti.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/Versione.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class frmAboutTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        ImpostaVersioneInUso(u"9.6.23"_s);
    }
    void TearDown() override
    {
        finestra.reset();
        ImpostaVersioneInUso({});
        CartellaProgrammaTest::TearDown();
    }
    void Apri()
    {
        finestra = std::make_unique<frmAbout>();
        // Shown as exec() would, but without being the modal widget the tests
        // wait for: the windows it opens are.
        finestra->setWindowModality(Qt::NonModal);
        finestra->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(finestra.get()));
    }
    QLabel* Etichetta(const QString& nome) { return finestra->findChild<QLabel*>(nome); }
    std::unique_ptr<frmAbout> finestra;
};

const QString SenzaStrumenti = u"Le informazioni sul sistema non sono attualmente disponibili."_s;

// No system-information tool on PATH for the length of a test.
class SenzaPath
{
public:
    SenzaPath(const QString& vuota) : vero_(qgetenv("PATH"))
    {
        QDir().mkpath(vuota);
        qputenv("PATH", vuota.toUtf8());
    }
    ~SenzaPath() { qputenv("PATH", vero_); }

private:
    QByteArray vero_;
};

} // namespace

TEST_F(frmAboutTest, TitoloVersioneDescrizione)
{
    Apri();
    EXPECT_TRUE(finestra->windowTitle().startsWith(u" Informazioni su "_s));
    EXPECT_EQ(finestra->windowTitle(), u" Informazioni su Norvel"_s);
    EXPECT_EQ(Etichetta(u"lblTitle"_s)->text(), u"Norvel"_s);
    EXPECT_EQ(Etichetta(u"lblVersion"_s)->text(), u"Versione 9.6.23"_s);
    EXPECT_EQ(frmAbout::Descrizione(),
              u"Gestione EDI: invio e ricezione dati con la Dogana \nI file gestiti sono:\n"
              "   - Risposte di controllo\n   - Esiti \n   - NCTS \n   - Conformità \n"_s);
    EXPECT_TRUE(Etichetta(u"lblDescription"_s)->text().startsWith(u"Gestione EDI"_s));
    EXPECT_EQ(Etichetta(u"Lb_cr"_s)->font().pointSize(), 7);
    EXPECT_EQ(frmAbout::AvvisoLegale().count(u'\n'), 1);
    EXPECT_FALSE(Etichetta(u"picIcon"_s)->pixmap().isNull());
    QTest::mouseClick(finestra->findChild<QPushButton*>(u"cmdOK"_s), Qt::LeftButton);
    EXPECT_FALSE(finestra->isVisible());
}

TEST_F(frmAboutTest, LaVersioneApreLaVerificaAggiornamenti)
{
    ServerHttp server;
    ASSERT_TRUE(server.Avvia());
    ScriviIni(FileIni, u"AGGIORNA"_s, u"ZERPA"_s, server.Host());
    server.Servi(u"/Aggiornamenti/Versioni.htm"_s,
                 (u"<P>"_s + NomeProgrammaAggiornamenti() + u"=n.htm#9.6.23</P>"_s).toUtf8());
    Apri();
    QString titolo;
    QString versione;
    QuandoModale([&](QWidget* w) {
        titolo = w->windowTitle();
        versione = w->findChild<QLabel*>(u"lbVersione"_s)->text();
        w->close();
    });
    QTest::mouseClick(Etichetta(u"lblVersion"_s), Qt::LeftButton);
    EXPECT_EQ(titolo, u"PROGRAMMA AGGIORNATO"_s);
    EXPECT_EQ(versione, u"09.06.23"_s);
    EXPECT_TRUE(finestra->isVisible());
}

TEST_F(frmAboutTest, IlProduttoreEIlSistema)
{
    SenzaPath senza(Percorso(u"vuota"_s));
    Apri();
    RisponditoreTest().Rispondi(Risposta::Ok, SenzaStrumenti);
    QTest::mouseClick(finestra->findChild<QPushButton*>(u"cmdSysInfo"_s), Qt::LeftButton);

    QString titolo;
    QuandoModale([&](QWidget* w) {
        titolo = w->windowTitle();
        for (const QString& nome : {u"lbSito"_s, u"lbPosta"_s}) {
            auto* l = w->findChild<QLabel*>(nome);
            const QString testo = l->text();
            emit l->linkActivated(testo.section(u'"', 1, 1));
        }
        RisponditoreTest().Rispondi(Risposta::Ok, SenzaStrumenti);
        QTest::mouseClick(w->findChild<QPushButton*>(u"cmdSysInfo"_s), Qt::LeftButton);
        QTest::mouseClick(w->findChild<QPushButton*>(u"cmdOK"_s), Qt::LeftButton);
    });
    QTest::mouseClick(Etichetta(u"Label1"_s), Qt::LeftButton);
    EXPECT_EQ(titolo, u"Informazioni sul produttore del SoftWare"_s);
    EXPECT_EQ(AperturaShell(),
              (QStringList{InfZerpa::IndirizzoSito(), u"mailto:"_s + InfZerpa::IndirizzoPosta()}));
    EXPECT_EQ(RisponditoreTest().Ricevuti().size(), 2);
}
