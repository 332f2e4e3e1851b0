#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"
#include "support/StampaQt.h"
#include "support/ui/AmbienteFinestre.h"

#include "piattaforma/SondaConnessione.h"
#include "ricezione/ui/Irildes.h"
#include "shell/CartelleLavoro.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QPushButton>
#include <QTest>

namespace {

class IrildesTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        ParametriEdi.CartellaBase = Percorso("base");
        CreaCartelle();
        ParametriEdi.UtenteFtp = "ACME";
        ParametriEdi.HostFtp = "127.0.0.1 1"; // nothing listens there
    }
};

} // namespace

TEST_F(IrildesTest, ParametriMancantiAprireGesParUxEChiude)
{
    ScriviIni(FileIni, "REMOTO", "INDIRIZZO", "unix.ufficio");
    Irildes w;
    EXPECT_EQ(LeggiIni(FileIni, "REMOTO", "PATH"), "/tmp") << "an empty folder is written back";
    EXPECT_EQ(w.windowTitle(), "RICEZIONE APPURAMENTI");
    QString aperta;
    QuandoModale([&](QWidget* m) {
        aperta = m->objectName();
        m->findChild<QPushButton*>("cmdParam_1")->click();
    });
    EXPECT_EQ(w.exec(), QDialog::Rejected);
    EXPECT_EQ(aperta, "GesParUx");
}

TEST_F(IrildesTest, SpostaChiedeDiDisconnettersiFinoAlloStaccoOAdAnnulla)
{
    ScriviIni(FileIni, "REMOTO", "INDIRIZZO", "127.0.0.1 1");
    ScriviIni(FileIni, "REMOTO", "UTENTE", "irildes");
    ScriviIni(FileIni, "REMOTO", "PASSWD", CodificaParola("x"));
    int domande = 0;
    ImpostaSondaConnessione(
        [&]() { return domande < 2 ? StatoConnessione::Attiva : StatoConnessione::NonAttiva; });
    Irildes w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    // The first activation's run against a host that does not answer.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.Occupato(); }, 60000));
    QTest::qWait(50);
    ASSERT_TRUE(w.isVisible());

    RisponditoreTest().Rispondi(Risposta::Annulla, "OCCORRE DISCONNETTERSI DA 'MINISTERO'");
    w.findChild<QPushButton*>("cmdIril_1")->click();
    EXPECT_TRUE(w.isVisible()) << "cancelled: nothing done";

    for (int i = 0; i < 2; ++i)
        RisponditoreTest().Rispondi(Risposta::Ok, "Chiudere il collegamento con il MODEM");
    ImpostaSondaConnessione(
        [&]() { return domande++ < 2 ? StatoConnessione::Attiva : StatoConnessione::NonAttiva; });
    w.findChild<QPushButton*>("cmdIril_1")->click();
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(RisponditoreTest().Ricevuti().size(), 3);
    EXPECT_EQ(RisponditoreTest().Ricevuti()[1].richiesta.titolo, "DISCONNETTERSI CON IL MODEM");
    ImpostaSondaConnessione({});
}
