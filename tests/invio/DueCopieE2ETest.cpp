#include "PercorsiTest.h"
#include "support/ClienteFinto.h"
#include "support/Risponditore.h"
#include "support/ServerFtp.h"
#include "support/StampaQt.h"

#include "invio/InvioBolle.h"
#include "piattaforma/BloccoTrasferimenti.h"
#include "ricezione/Appuramenti.h"
#include "shell/CartelleLavoro.h"
#include "shell/Global.h"

#include <QDirIterator>
#include <QProcess>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// Two copies of the program on one program folder: this test and
// norvel_seconda_copia, each with its own transfer runs.
class DueCopieE2ETest : public ProvaConServerFtp
{
public:
    DueCopieE2ETest() { opzioni_.velocitaScaricoKBs = 100; }

protected:
    void Prepara() override
    {
        CartelleUfficio(Percorso(u"base"_s));
        CollegaDogana();
        CollegaUnix();
    }
    void TearDown() override
    {
        copia_.kill();
        copia_.waitForFinished();
        ProvaConServerFtp::TearDown();
    }
    void AvviaCopia(const QStringList& righe)
    {
        copia_.start(QStringLiteral(NORVEL_SECONDA_COPIA),
                     QStringList{Cartella(), ParametriEdi.CartellaRicevuti, server_.Host(),
                                 ServerFtp::UtenteDogana, ServerFtp::PasswordDogana} +
                         righe);
        ASSERT_TRUE(copia_.waitForStarted());
    }
    StatoBlocco Blocco() const { return BloccoTrasferimenti::Prova(Cartella()); }
    // The files of the program folder that hold the Customs password.
    QStringList ConParola() const
    {
        QStringList trovati;
        QDirIterator i(Cartella(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (i.hasNext()) {
            QFile f(i.next());
            if (f.open(QIODevice::ReadOnly) && f.readAll().contains(ServerFtp::PasswordDogana))
                trovati << f.fileName();
        }
        return trovati;
    }

    QProcess copia_;
};

} // namespace

// While the other copy fetches, every run of this one is refused before it
// writes anything, and the other's fetch ends whole.
TEST_F(DueCopieE2ETest, LaSecondaCopiaNonParteENonTagliaNulla)
{
    const QByteArray risposta(300 * 1024, 'R');
    server_.MettiFile(ServerFtp::UtenteDogana, u"ACME1207.X05"_s, risposta);
    const QString temporaneo = ParametriEdi.CartellaRicevuti + u"/.ricezione.ACME1207.X05"_s;
    AvviaCopia({u"binary "_s, u"get ACME1207.X05 .ricezione.ACME1207.X05"_s});
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(temporaneo), 60000);
    server_.SospendiSessioni();
    EXPECT_EQ(Blocco(), StatoBlocco::AltraCopia);
    EXPECT_TRUE(LeggiFile(u"Xcmd.txt"_s).contains("\r\nuser ACME ********\r\n"));
    EXPECT_EQ(ConParola(), QStringList());

    ScriviFile(u"base/Firmati/ACME1207.T01"_s, "bolla");
    ScriviFile(u"base/Verificati/ACME1207.L01"_s, "appuramento\n");
    RichiestaFtp elenco = RichiestaInvio({}, ParametriEdi.CartellaRicevuti);
    elenco.righe = {u"ls ACME*.* LSACME"_s};
    const QByteArray segnale = LeggiFile(u"base/Ricevuti/Xchk"_s);
    const QByteArray script = LeggiFile(u"Xcmd.txt"_s);
    const std::pair<const char*, std::function<bool()>> corse[] = {
        {"invio",
         [] { return InviaBolle({u"ACME1207.T01"_s}, ParametriEdi.CartellaFirmati).bloccato; }},
        {"elenco", [&] { return EseguiScriptFtp(elenco).stato == StatoFtp::NonAvviato; }},
        {"unix", [] { return InviaAppuramenti({u"ACME1207.L01"_s}).inviato.isEmpty(); }},
    };
    for (const auto& [corsa, rifiutata] : corse) {
        RisponditoreTest().Rispondi(Risposta::Ok, QLatin1StringView(MessaggioAltraCopia));
        EXPECT_TRUE(rifiutata()) << corsa;
    }
    EXPECT_TRUE(QFileInfo::exists(ParametriEdi.CartellaFirmati + u"/ACME1207.T01"_s));
    EXPECT_FALSE(
        QFileInfo::exists(ParametriEdi.CartellaVerificati + u"/irildesIrildes.DAINVIARE"_s));
    EXPECT_EQ(LeggiFile(u"base/Ricevuti/Xchk"_s), segnale) << "the other's marker untouched";
    EXPECT_EQ(LeggiFile(u"Xcmd.txt"_s), script) << "and its script";

    server_.RiprendiSessioni();
    ASSERT_TRUE(copia_.waitForFinished(120000));
    EXPECT_EQ(copia_.exitCode(), 0);
    EXPECT_EQ(LeggiFile(temporaneo), risposta);
    EXPECT_EQ(Blocco(), StatoBlocco::Libero);
}

// A copy killed in the middle of a run: the kernel lets its lock go, and no
// file of the folder holds the password, then or after.
TEST_F(DueCopieE2ETest, UnaCopiaUccisaLasciaIlBloccoEMaiLaParola)
{
    ClienteFinto finto("blocca");
    AvviaCopia({u"put ACME1207.T01"_s});
    QTRY_VERIFY_WITH_TIMEOUT(finto.Ingresso().contains("\nuser ACME Dogana.2024\n"), 60000);
    EXPECT_EQ(Blocco(), StatoBlocco::AltraCopia);
    EXPECT_EQ(ConParola(), QStringList());

    ::kill(static_cast<pid_t>(copia_.processId()), SIGKILL);
    QTRY_COMPARE_WITH_TIMEOUT(Blocco(), StatoBlocco::Libero, 60000);
    EXPECT_EQ(ConParola(), QStringList());
    EXPECT_TRUE(LeggiFile(u"Xcmd.txt"_s).contains("\r\nuser ACME ********\r\n"));
}
