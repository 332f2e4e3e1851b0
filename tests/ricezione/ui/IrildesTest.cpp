#include "support/CartellaProgrammaTest.h"
#include "support/ClienteFinto.h"
#include "support/Risponditore.h"
#include "support/StampaQt.h"
#include "support/ui/AmbienteFinestre.h"

#include "piattaforma/BloccoTrasferimenti.h"
#include "piattaforma/SondaConnessione.h"
#include "ricezione/ui/Irildes.h"
#include "shell/CartelleLavoro.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

class IrildesTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        ParametriEdi.CartellaBase = Percorso(u"base"_s);
        CreaCartelle();
        ParametriEdi.UtenteFtp = u"ACME"_s;
        ParametriEdi.HostFtp = u"127.0.0.1 1"_s; // nothing listens there
    }
};

} // namespace

TEST_F(IrildesTest, ParametriMancantiAprireGesParUxEChiude)
{
    ScriviIni(FileIni, u"REMOTO"_s, u"INDIRIZZO"_s, u"unix.ufficio"_s);
    Irildes w;
    EXPECT_EQ(LeggiIni(FileIni, u"REMOTO"_s, u"PATH"_s), u"/tmp"_s)
        << "an empty folder is written back";
    EXPECT_EQ(w.windowTitle(), u"RICEZIONE APPURAMENTI"_s);
    QString aperta;
    QuandoModale([&](QWidget* m) {
        aperta = m->objectName();
        m->findChild<QPushButton*>(u"cmdParam_1"_s)->click();
    });
    EXPECT_EQ(w.exec(), QDialog::Rejected);
    EXPECT_EQ(aperta, u"GesParUx"_s);
}

TEST_F(IrildesTest, SpostaChiedeDiDisconnettersiFinoAlloStaccoOAdAnnulla)
{
    ScriviIni(FileIni, u"REMOTO"_s, u"INDIRIZZO"_s, u"127.0.0.1 1"_s);
    ScriviIni(FileIni, u"REMOTO"_s, u"UTENTE"_s, u"irildes"_s);
    ScriviIni(FileIni, u"REMOTO"_s, u"PASSWD"_s, CodificaParola(u"x"_s));
    int domande = 0;
    ImpostaSondaConnessione(
        [&]() { return domande < 2 ? StatoConnessione::Attiva : StatoConnessione::NonAttiva; });
    // The first activation's run against a host that does not answer, and says so.
    RisponditoreTest().Rispondi(Risposta::Ok, u"NESSUNA RISPOSTA DAL SERVER"_s);
    Irildes w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.Occupato(); }, 60000));
    QTest::qWait(50);
    ASSERT_TRUE(w.isVisible());

    RisponditoreTest().Rispondi(Risposta::Annulla, u"OCCORRE DISCONNETTERSI DA 'MINISTERO'"_s);
    w.findChild<QPushButton*>(u"cmdIril_1"_s)->click();
    EXPECT_TRUE(w.isVisible()) << "cancelled: nothing done";

    for (int i = 0; i < 2; ++i)
        RisponditoreTest().Rispondi(Risposta::Ok, u"Chiudere il collegamento con il MODEM"_s);
    ImpostaSondaConnessione(
        [&]() { return domande++ < 2 ? StatoConnessione::Attiva : StatoConnessione::NonAttiva; });
    w.findChild<QPushButton*>(u"cmdIril_1"_s)->click();
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(RisponditoreTest().Ricevuti().size(), 4);
    EXPECT_EQ(RisponditoreTest().Ricevuti()[2].richiesta.titolo, u"DISCONNETTERSI CON IL MODEM"_s);
    ImpostaSondaConnessione({});
}

// Another program (here flock(1)) holds the folder's lock: the window's
// receive and "&SPOSTA" say so and start nothing, until the holder is killed.
TEST_F(IrildesTest, MentreUnAltraCopiaTrasferisceNonParteNulla)
{
    ScriviIni(FileIni, u"REMOTO"_s, u"INDIRIZZO"_s, u"127.0.0.1 1"_s);
    ScriviIni(FileIni, u"REMOTO"_s, u"UTENTE"_s, u"irildes"_s);
    ScriviIni(FileIni, u"REMOTO"_s, u"PASSWD"_s, CodificaParola(u"x"_s));
    ClienteFinto finto;
    QProcess altra;
    altra.start(u"flock"_s,
                {u"-F"_s, BloccoTrasferimenti::Percorso(Cartella()), u"sleep"_s, u"300"_s});
    QTRY_VERIFY_WITH_TIMEOUT(BloccoTrasferimenti::Prova(Cartella()) == StatoBlocco::AltraCopia,
                             60000);

    for (int i = 0; i < 2; ++i)
        RisponditoreTest().Rispondi(Risposta::Ok, QLatin1StringView(MessaggioAltraCopia));
    Irildes w;
    w.show();
    QTRY_COMPARE_WITH_TIMEOUT(RisponditoreTest().Ricevuti().size(), 1, 60000);
    w.findChild<QPushButton*>(u"cmdIril_1"_s)->click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(finto.Ingresso().isEmpty()) << "no client started";

    ::kill(static_cast<pid_t>(altra.processId()), SIGKILL);
    altra.waitForFinished();
    w.findChild<QPushButton*>(u"cmdIril_1"_s)->click();
    EXPECT_FALSE(w.isVisible()) << "free again: the move runs and closes";
    EXPECT_EQ(RisponditoreTest().Ricevuti().size(), 2);
}
