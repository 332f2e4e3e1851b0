#include "support/Risponditore.h"
#include "support/ServerFtp.h"
#include "support/StampaQt.h"

#include "ricezione/InviaUnix.h"
#include "shell/Global.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace {

class InviaUnixE2ETest : public ProvaConServerFtp
{
protected:
    void SetUp() override
    {
        ProvaConServerFtp::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ParametriEdi.CartellaVerificati = Percorso("Verificati");
        QDir().mkpath(ParametriEdi.CartellaVerificati);
        ParametriUnix.Host = server_.Host();
        ParametriUnix.Utente = ServerFtp::UtenteUnix;
        ParametriUnix.Password = ServerFtp::PasswordUnix;
        // As root the server shuts each user in its own folder.
        ParametriUnix.Cartella =
            ::geteuid() == 0 ? QString() : server_.CartellaUtente(ServerFtp::UtenteUnix);
    }
    QByteArray SullHost() const
    {
        return server_.LeggiFile(ServerFtp::UtenteUnix, "irisp" + QString(ServerFtp::UtenteUnix));
    }
};

class InviaUnixRifiutoTest : public InviaUnixE2ETest
{
protected:
    ServerFtp::Opzioni OpzioniServer() const override
    {
        ServerFtp::Opzioni o;
        o.nomeRifiutato = "irisp" + QString(ServerFtp::UtenteUnix);
        return o;
    }
};

} // namespace

TEST_F(InviaUnixE2ETest, IlFileArrivaComEESostituisceQuelloVecchio)
{
    server_.MettiFile(ServerFtp::UtenteUnix, "irisp" + QString(ServerFtp::UtenteUnix),
                      QByteArray(5000, 'V'));
    const QByteArray contenuto = "INTESTAZIONE\nSECONDA\nREC 1\nREC 2\n";
    ScriviFile("Verificati/ACME1207.L01", contenuto);
    ModoDebugUnix = 1;
    const EsitoUnix e = InviaUnix("ACME1207.L01");
    EXPECT_TRUE(e.eseguito);
    EXPECT_TRUE(e.accettato);
    EXPECT_EQ(SullHost(), contenuto);
    EXPECT_TRUE(RisponditoreTest().Ricevuti().isEmpty());

    // Debug mode keeps the script, password in clear, for its owner only.
    QFile script(FileComandiFtp);
    ASSERT_TRUE(script.open(QIODevice::ReadOnly));
    const QByteArray testo = script.readAll();
    EXPECT_TRUE(testo.contains("user irildes Unix.2024\r\n"));
    const QByteArray remoto = FileRemotoUnix().toUtf8();
    EXPECT_TRUE(
        testo.contains(QByteArray("delete " + remoto + "\r\nput ACME1207.L01 " + remoto + "\r\n")));
    EXPECT_FALSE(testo.contains("binary") || testo.contains("ascii"));
    EXPECT_EQ(script.permissions() & (QFile::ReadGroup | QFile::ReadOther), 0);
    ModoDebugUnix = 0;
}

TEST_F(InviaUnixRifiutoTest, UnRifiutoDellHostVieneDetto)
{
    ScriviFile("Verificati/acmeIrildes", "X\r\n");
    RisponditoreTest().Rispondi(Risposta::Ok, "NON HA ACCETTATO");
    const EsitoUnix e = InviaUnix("acmeIrildes");
    EXPECT_TRUE(e.eseguito);
    EXPECT_FALSE(e.accettato);
    EXPECT_TRUE(RisponditoreTest().Testi().value(0).contains("acmeIrildes"));
    EXPECT_TRUE(QFile::exists(Percorso("Verificati/acmeIrildes")));
    EXPECT_FALSE(QFile::exists(FileComandiFtp)) << "no debug: the script is gone";
}

TEST_F(InviaUnixE2ETest, HostIrraggiungibileVieneDetto)
{
    server_.Ferma();
    ScriviFile("Verificati/acmeIrildes", "X\r\n");
    RisponditoreTest().Rispondi(Risposta::Ok, "NON HA ACCETTATO");
    EXPECT_FALSE(InviaUnix("acmeIrildes").accettato);
}
