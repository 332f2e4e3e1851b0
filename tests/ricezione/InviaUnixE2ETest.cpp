#include "support/Risponditore.h"
#include "support/ServerFtp.h"
#include "support/StampaQt.h"

#include "ricezione/InviaUnix.h"
#include "shell/Global.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

class InviaUnixE2ETest : public ProvaConServerFtp
{
protected:
    void Prepara() override
    {
        ParametriEdi.CartellaVerificati = Percorso(u"Verificati"_s);
        QDir().mkpath(ParametriEdi.CartellaVerificati);
        CollegaUnix();
    }
    QByteArray SullHost() const
    {
        return server_.LeggiFile(ServerFtp::UtenteUnix,
                                 u"irisp"_s + QString(ServerFtp::UtenteUnix));
    }
};

class InviaUnixRifiutoTest : public InviaUnixE2ETest
{
public:
    InviaUnixRifiutoTest() { opzioni_.nomeRifiutato = u"irisp"_s + QString(ServerFtp::UtenteUnix); }
};

} // namespace

TEST_F(InviaUnixE2ETest, IlFileArrivaComEESostituisceQuelloVecchio)
{
    server_.MettiFile(ServerFtp::UtenteUnix, u"irisp"_s + QString(ServerFtp::UtenteUnix),
                      QByteArray(5000, 'V'));
    const QByteArray contenuto = "INTESTAZIONE\nSECONDA\nREC 1\nREC 2\n";
    ScriviFile(u"Verificati/ACME1207.L01"_s, contenuto);
    ModoDebugUnix = 1;
    const EsitoUnix e = InviaUnix(u"ACME1207.L01"_s);
    EXPECT_TRUE(e.eseguito);
    EXPECT_TRUE(e.accettato);
    EXPECT_EQ(SullHost(), contenuto);
    EXPECT_TRUE(RisponditoreTest().Ricevuti().isEmpty());

    // Debug mode keeps the script, password masked, for its owner only.
    QFile script(FileComandiFtp);
    ASSERT_TRUE(script.open(QIODevice::ReadOnly));
    const QByteArray testo = script.readAll();
    EXPECT_TRUE(testo.contains("user irildes ********\r\n"));
    const QByteArray remoto = FileRemotoUnix().toUtf8();
    EXPECT_TRUE(
        testo.contains(QByteArray("delete " + remoto + "\r\nput ACME1207.L01 " + remoto + "\r\n")));
    EXPECT_FALSE(testo.contains("binary") || testo.contains("ascii"));
    EXPECT_EQ(script.permissions() & (QFile::ReadGroup | QFile::ReadOther), 0);
    ModoDebugUnix = 0;
}

TEST_F(InviaUnixRifiutoTest, UnRifiutoDellHostVieneDetto)
{
    ScriviFile(u"Verificati/acmeIrildes"_s, "X\r\n");
    RisponditoreTest().Rispondi(Risposta::Ok, u"NON HA ACCETTATO"_s);
    const EsitoUnix e = InviaUnix(u"acmeIrildes"_s);
    EXPECT_TRUE(e.eseguito);
    EXPECT_FALSE(e.accettato);
    EXPECT_TRUE(RisponditoreTest().Testi().value(0).contains(u"acmeIrildes"_s));
    EXPECT_TRUE(QFile::exists(Percorso(u"Verificati/acmeIrildes"_s)));
    EXPECT_FALSE(QFile::exists(FileComandiFtp)) << "no debug: the script is gone";
}

TEST_F(InviaUnixE2ETest, HostIrraggiungibileVieneDetto)
{
    server_.Ferma();
    ScriviFile(u"Verificati/acmeIrildes"_s, "X\r\n");
    RisponditoreTest().Rispondi(Risposta::Ok, u"NON HA ACCETTATO"_s);
    EXPECT_FALSE(InviaUnix(u"acmeIrildes"_s).accettato);
}
