#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"

#include "invio/InvioBolle.h"
#include "invio/ui/Dos2Edi.h"
#include "piattaforma/Orologio.h"
#include "shell/Global.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <unistd.h>

namespace {

// A ProFTPD of our own on 127.0.0.1, with one virtual user whose home is the
// server's folder. Stops with the test.
class ServerLocale
{
public:
    ~ServerLocale() { Ferma(); }

    // rifiuta: a regular expression of names the server refuses to store.
    bool Avvia(const QString& cartella, const QString& rifiuta = {})
    {
        base_ = cartella;
        QDir().mkpath(Radice());
        QDir().mkpath(base_ + "/run");
        porta_ = PortaLibera();
        QProcess ftpasswd;
        ftpasswd.start("ftpasswd",
                       {"--passwd", "--file=" + base_ + "/passwd", "--name=ABCD",
                        "--uid=" + QString::number(getuid()), "--gid=" + QString::number(getgid()),
                        "--home=" + Radice(), "--shell=/bin/false", "--stdin"});
        ftpasswd.write("segreta\n");
        ftpasswd.closeWriteChannel();
        if (!ftpasswd.waitForFinished(10000) || ftpasswd.exitCode() != 0)
            return false;
        QFile::setPermissions(base_ + "/passwd", QFile::ReadOwner | QFile::WriteOwner);
        const QString utente = QString::fromLocal8Bit(qgetenv("USER"));
        QString conf = QString("ServerName \"prova\"\nServerType standalone\nDefaultServer on\n"
                               "DefaultAddress 127.0.0.1\nSocketBindTight on\nPort %1\n"
                               "UseIPv6 off\nWtmpLog off\nRootLogin on\n"
                               "PidFile %2/run/pid\nScoreboardFile %2/run/scoreboard\n"
                               "DelayTable none\nAuthOrder mod_auth_file.c\n"
                               "AuthUserFile %2/passwd\nRequireValidShell off\nDefaultRoot ~\n"
                               "UseReverseDNS off\nTransferLog none\nSystemLog %2/run/log\n"
                               "<Directory %3>\n  AllowOverwrite on\n</Directory>\n")
                           .arg(porta_)
                           .arg(base_, Radice());
        if (getuid() != 0 && !utente.isEmpty())
            conf += "User " + utente + "\n";
        if (!rifiuta.isEmpty())
            conf += "PathDenyFilter \"" + rifiuta + "\"\n";
        QFile f(base_ + "/proftpd.conf");
        if (!f.open(QIODevice::WriteOnly))
            return false;
        f.write(conf.toUtf8());
        f.close();

        processo_.setProcessChannelMode(QProcess::MergedChannels);
        processo_.start("proftpd", {"-n", "-q", "-c", base_ + "/proftpd.conf"});
        if (!processo_.waitForStarted(5000))
            return false;
        QDeadlineTimer entro(10000);
        while (!entro.hasExpired() && processo_.state() == QProcess::Running) {
            QTcpSocket prova;
            prova.connectToHost("127.0.0.1", porta_);
            if (prova.waitForConnected(200))
                return true;
            QTest::qWait(50);
        }
        return false;
    }

    void Ferma()
    {
        if (processo_.state() == QProcess::NotRunning)
            return;
        processo_.terminate();
        if (!processo_.waitForFinished(5000)) {
            processo_.kill();
            processo_.waitForFinished(5000);
        }
    }

    QString Radice() const { return base_ + "/root"; }
    quint16 Porta() const { return porta_; }
    QString Diagnostica() { return QString::fromLocal8Bit(processo_.readAll()); }

    static quint16 PortaLibera()
    {
        QTcpServer s;
        s.listen(QHostAddress::LocalHost, 0);
        return s.serverPort();
    }

private:
    QString base_;
    quint16 porta_ = 0;
    QProcess processo_;
};

class InvioBolleE2ETest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        if (QStandardPaths::findExecutable("proftpd").isEmpty() ||
            QStandardPaths::findExecutable("ftp").isEmpty() ||
            QStandardPaths::findExecutable("ftpasswd").isEmpty()) {
            if (qEnvironmentVariableIntValue("NORVEL_E2E") == 1)
                FAIL() << "proftpd, ftpasswd or ftp missing";
            GTEST_SKIP() << "proftpd, ftpasswd or ftp missing";
        }
        ImpostaOrologio([] { return QDateTime(QDate(2024, 12, 7), QTime(9, 0)); });
        ParametriEdi.UtenteFtp = "ABCD";
        ParametriEdi.PasswordFtp = "segreta";
        ParametriEdi.CartellaFirmati = Percorso("Firmati");
        ParametriEdi.CartellaInviati = Percorso("Inviati");
        QDir().mkpath(ParametriEdi.CartellaFirmati);
        QDir().mkpath(ParametriEdi.CartellaInviati);
        ConnessoRemoto = true;
        for (int i = 1; i <= 3; ++i) {
            QByteArray contenuto;
            for (int k = 0; k < 5000 * i; ++k)
                contenuto.append(char((k * 31 + i) % 256)); // binary, with CR and LF bytes
            contenuti.append(contenuto);
            ScriviFile("Firmati/" + Nomi[i - 1], contenuto);
        }
    }

    void AvviaServer(const QString& rifiuta = {})
    {
        ASSERT_TRUE(server.Avvia(Percorso("server"), rifiuta))
            << server.Diagnostica().toStdString();
        ParametriEdi.HostFtp = "127.0.0.1 " + QString::number(server.Porta());
    }

    bool InFirmati(const QString& n) const { return QFile::exists(Percorso("Firmati/" + n)); }
    bool InInviati(const QString& n) const { return QFile::exists(Percorso("Inviati/" + n)); }
    QByteArray SulServer(const QString& n) const
    {
        QFile f(server.Radice() + "/" + n);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    const QStringList Nomi = {"ABCD1207.T01", "ABCD1207.T02", "ABCD1207.T03"};
    QList<QByteArray> contenuti;
    ServerLocale server;
};

} // namespace

TEST_F(InvioBolleE2ETest, TreFileDallaFinestraSulServerEInInviati)
{
    AvviaServer();
    Dos2Edi finestra;
    finestra.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&finestra));
    for (QPushButton* p : finestra.findChildren<QPushButton*>())
        if (p->text() == "&Tutti")
            p->click();
    ASSERT_EQ(finestra.ElencoInvio(), Nomi);
    finestra.findChild<QPushButton*>("cmdInvia")->click();

    EXPECT_FALSE(finestra.isVisible()) << "the run closes the window";
    EXPECT_FALSE(finestra.Occupato());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(SulServer(Nomi[i]), contenuti[i]) << Nomi[i].toStdString();
        EXPECT_TRUE(InInviati(Nomi[i]));
        EXPECT_FALSE(InFirmati(Nomi[i]));
    }
    EXPECT_TRUE(RisponditoreTest().Ricevuti().isEmpty());
}

TEST_F(InvioBolleE2ETest, ServerFermoNienteSpostatoEINomiDetti)
{
    ParametriEdi.HostFtp = "127.0.0.1 " + QString::number(ServerLocale::PortaLibera());
    RisponditoreTest().Rispondi(Risposta::Ok, "NON SONO STATI INVIATI");
    const EsitoInvio esito = InviaBolle(Nomi, ParametriEdi.CartellaFirmati);
    EXPECT_TRUE(esito.eseguito);
    EXPECT_EQ(esito.nonInviati, Nomi);
    const QString testo = RisponditoreTest().Testi().value(0);
    for (const QString& n : Nomi) {
        EXPECT_TRUE(testo.contains(n)) << n.toStdString();
        EXPECT_TRUE(InFirmati(n));
        EXPECT_FALSE(InInviati(n));
    }
}

TEST_F(InvioBolleE2ETest, UnRifiutoDelServerRestaNeiFirmati)
{
    AvviaServer("T02$");
    RisponditoreTest().Rispondi(Risposta::Ok, "NON SONO STATI INVIATI");
    const EsitoInvio esito = InviaBolle(Nomi, ParametriEdi.CartellaFirmati);
    EXPECT_EQ(esito.archiviati, QStringList({Nomi[0], Nomi[2]}));
    EXPECT_EQ(esito.nonInviati, QStringList({Nomi[1]}));
    const QString testo = RisponditoreTest().Testi().value(0);
    EXPECT_TRUE(testo.contains(Nomi[1]));
    EXPECT_FALSE(testo.contains(Nomi[0]));
    EXPECT_TRUE(InFirmati(Nomi[1]));
    EXPECT_FALSE(InInviati(Nomi[1]));
    EXPECT_TRUE(InInviati(Nomi[0]) && InInviati(Nomi[2]));
    EXPECT_TRUE(SulServer(Nomi[1]).isEmpty());
}

TEST_F(InvioBolleE2ETest, DagliInviatiSiCaricaSenzaSpostare)
{
    AvviaServer();
    for (const QString& n : Nomi)
        QFile::rename(Percorso("Firmati/" + n), Percorso("Inviati/" + n));
    EsitoOperazione = 5;
    const EsitoInvio esito = InviaBolle(Nomi, ParametriEdi.CartellaInviati);
    EXPECT_EQ(esito.accettati, Nomi);
    EXPECT_TRUE(esito.archiviati.isEmpty());
    EXPECT_EQ(EsitoOperazione, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(SulServer(Nomi[i]), contenuti[i]);
        EXPECT_TRUE(InInviati(Nomi[i]));
    }
}

TEST_F(InvioBolleE2ETest, StoriaCheNonPrendeIlFileEIlGiroProsegue)
{
    AvviaServer();
    QDir().mkpath(Percorso("Inviati/" + Nomi[0] + "/occupato"));
    RisponditoreTest().Rispondi(Risposta::Ok, "ERRORE IN FASE DI STORICIZZAZIONE!");
    const EsitoInvio esito = InviaBolle(Nomi, ParametriEdi.CartellaFirmati);
    EXPECT_EQ(esito.accettati, Nomi);
    EXPECT_EQ(esito.archiviati, QStringList({Nomi[1], Nomi[2]}));
    const QStringList righe = RisponditoreTest().Testi().value(0).split('\n');
    ASSERT_EQ(righe.size(), 5);
    EXPECT_EQ(righe[1], Percorso("Inviati/" + Nomi[0]));
    EXPECT_EQ(righe[3], Nomi[0]);
    EXPECT_FALSE(righe[4].isEmpty());
    EXPECT_TRUE(InFirmati(Nomi[0]));
    EXPECT_FALSE(InFirmati(Nomi[1]) || InFirmati(Nomi[2]));
}

TEST_F(InvioBolleE2ETest, NomeNonSempliceFuoriDalCopione)
{
    AvviaServer();
    const QString strano = "ABCD1207.T04 x";
    ScriviFile("Firmati/" + strano, "z");
    RisponditoreTest().Rispondi(Risposta::Ok, "NOME NON TRASFERIBILE");
    const EsitoInvio esito = InviaBolle({Nomi[0], strano}, ParametriEdi.CartellaFirmati);
    EXPECT_EQ(esito.scartati, QStringList({strano}));
    EXPECT_EQ(esito.archiviati, QStringList({Nomi[0]}));
    EXPECT_TRUE(RisponditoreTest().Testi().value(0).contains(strano));
    EXPECT_TRUE(QFile::exists(Percorso("Firmati/" + strano)));
    EXPECT_FALSE(QFile::exists(server.Radice() + "/ABCD1207.T04"));

    // Only bad names: no run at all.
    RisponditoreTest().Rispondi(Risposta::Ok, "NOME NON TRASFERIBILE");
    EXPECT_FALSE(InviaBolle({strano}, ParametriEdi.CartellaFirmati).eseguito);
}
