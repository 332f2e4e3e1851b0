#include "support/Risponditore.h"
#include "support/ServerFtp.h"

#include "invio/EseguiScriptFtp.h"
#include "shell/Global.h"

#include <QDir>
#include <QFile>

namespace {

class FtpRealeTest : public ProvaConServerFtp
{
protected:
    void SetUp() override
    {
        ProvaConServerFtp::SetUp();
        cartella_ = Percorso("Lavoro");
        QDir().mkpath(cartella_);
    }

    RichiestaFtp Corsa(const QStringList& righe, const QString& messaggio = ErroreInvioBolle) const
    {
        RichiestaFtp r;
        r.cartella = cartella_;
        r.host = server_.Host();
        r.utente = ServerFtp::UtenteDogana;
        r.password = ServerFtp::PasswordDogana;
        r.righe = righe;
        r.prefissoComando = "ftp -v -n -i -s:";
        r.messaggioAvvio = messaggio;
        return r;
    }

    QStringList Locali() const { return QDir(cartella_).entryList(QDir::Files, QDir::Name); }

    QString cartella_;
};

const QByteArray Binario("riga uno\r\nriga due\n\0\x01\xff fine", 27);

class FtpRifiutoTest : public FtpRealeTest
{
protected:
    ServerFtp::Opzioni OpzioniServer() const override
    {
        ServerFtp::Opzioni o;
        o.nomeRifiutato = "ACME1207.T02";
        return o;
    }
};

} // namespace

TEST_F(FtpRealeTest, TreFileInviatiArrivanoIdentici)
{
    const QStringList nomi = {"ACME1207.T01", "ACME1207.T02", "ACME1207.I01"};
    for (int i = 0; i < nomi.size(); ++i)
        ScriviFile("Lavoro/" + nomi[i], Binario + QByteArray::number(i));
    QStringList righe;
    for (const QString& n : nomi)
        righe << "put " + n;
    const EsitoFtp esito = EseguiScriptFtp(Corsa(righe));
    ASSERT_TRUE(esito.eseguito) << esito.trascrizione.toStdString();
    EXPECT_EQ(server_.File(ServerFtp::UtenteDogana), (QStringList{nomi[2], nomi[0], nomi[1]}));
    for (int i = 0; i < nomi.size(); ++i)
        EXPECT_EQ(server_.LeggiFile(ServerFtp::UtenteDogana, nomi[i]),
                  Binario + QByteArray::number(i));
    EXPECT_EQ(CaricamentiAccettati(esito.trascrizione, nomi), nomi);
    EXPECT_FALSE(QFile::exists(cartella_ + "/Xchk"));
    EXPECT_FALSE(QFile::exists(FileComandiFtp));
}

TEST_F(FtpRifiutoTest, UnFileRifiutatoDalServerNonRisultaAccettato)
{
    const QStringList nomi = {"ACME1207.T01", "ACME1207.T02", "ACME1207.T03", "ACME1207.T04"};
    for (int i = 0; i < 3; ++i)
        ScriviFile("Lavoro/" + nomi[i], "dati");
    QStringList righe;
    for (const QString& n : nomi)
        righe << "put " + n;
    const EsitoFtp esito = EseguiScriptFtp(Corsa(righe));
    ASSERT_TRUE(esito.eseguito) << "the client still reaches the end of its script";
    EXPECT_EQ(server_.File(ServerFtp::UtenteDogana), (QStringList{nomi[0], nomi[2]}));
    EXPECT_EQ(CaricamentiAccettati(esito.trascrizione, nomi), (QStringList{nomi[0], nomi[2]}))
        << esito.trascrizione.toStdString();
}

TEST_F(FtpRealeTest, LaListaScriveUnNomePerRiga)
{
    for (const char* n : {"ACME1207.A01", "ACME1207.W02.P7M", "ACME1206.L01", "ALTRO.TXT"})
        server_.MettiFile(ServerFtp::UtenteDogana, n, "x");
    RichiestaFtp r = Corsa({"ascii ", "ls ACME*.* LSACME07101112"}, ErroreRicezioneLista);
    r.prefissoComando = "ftp -n -i -s:";
    ASSERT_TRUE(EseguiScriptFtp(r).eseguito);
    QStringList nomi =
        QString::fromLocal8Bit(LeggiFile("Lavoro/LSACME07101112")).split('\n', Qt::SkipEmptyParts);
    for (QString& n : nomi)
        n = n.trimmed();
    nomi.sort();
    EXPECT_EQ(nomi, (QStringList{"ACME1206.L01", "ACME1207.A01", "ACME1207.W02.P7M"}));
}

TEST_F(FtpRealeTest, GetEMgetPrendonoSoloIFileGiusti)
{
    for (const char* n : {"ACME1207.A01", "ACME1207.W02", "ACME1207.X03", "ACME1208.A01"})
        server_.MettiFile(ServerFtp::UtenteDogana, n, Binario + n);
    EsitoFtp esito = EseguiScriptFtp(
        Corsa({"binary ", "get ACME1207.A01", "get ACME1207.X03"}, ErroreRicezioneMessaggi));
    ASSERT_TRUE(esito.eseguito);
    EXPECT_EQ(Locali(), (QStringList{"ACME1207.A01", "ACME1207.X03"}));
    EXPECT_EQ(LeggiFile("Lavoro/ACME1207.X03"), Binario + "ACME1207.X03");

    QDir(cartella_).removeRecursively();
    QDir().mkpath(cartella_);
    esito = EseguiScriptFtp(Corsa({"binary ", "mget ACME1207.?0*"}, ErroreRicezioneMessaggi));
    ASSERT_TRUE(esito.eseguito);
    EXPECT_EQ(Locali(), (QStringList{"ACME1207.A01", "ACME1207.W02", "ACME1207.X03"}));
    EXPECT_EQ(LeggiFile("Lavoro/ACME1207.W02"), Binario + "ACME1207.W02");
}

TEST_F(FtpRealeTest, ScriptConservatoSoloInDebug)
{
    ScriviFile("Lavoro/ACME1207.T01", "x");
    ModoDebug = 1;
    ASSERT_TRUE(EseguiScriptFtp(Corsa({"put ACME1207.T01"})).eseguito);
    const QStringList righe = QString::fromLatin1(LeggiFile("Xcmd.txt")).split("\r\n");
    ASSERT_GE(righe.size(), 2);
    EXPECT_EQ(righe[0], "open " + server_.Host());
    EXPECT_EQ(righe[1], QString("user ACME ") + ServerFtp::PasswordDogana);

    ModoDebug = 0;
    ASSERT_TRUE(EseguiScriptFtp(Corsa({"put ACME1207.T01"})).eseguito);
    EXPECT_FALSE(QFile::exists(FileComandiFtp));
}

TEST_F(FtpRealeTest, ServerFermoOAccessoNegato)
{
    ScriviFile("Lavoro/ACME1207.T01", "x");
    RichiestaFtp sbagliata = Corsa({"put ACME1207.T01"});
    sbagliata.password = "sbagliata";
    EsitoFtp esito = EseguiScriptFtp(sbagliata);
    EXPECT_TRUE(esito.eseguito);
    EXPECT_TRUE(CaricamentiAccettati(esito.trascrizione, {"ACME1207.T01"}).isEmpty())
        << esito.trascrizione.toStdString();

    server_.Ferma();
    esito = EseguiScriptFtp(Corsa({"put ACME1207.T01"}));
    EXPECT_TRUE(esito.eseguito) << "the client ran to the end of its script";
    EXPECT_TRUE(CaricamentiAccettati(esito.trascrizione, {"ACME1207.T01"}).isEmpty());
    EXPECT_TRUE(server_.File(ServerFtp::UtenteDogana).isEmpty());
    EXPECT_FALSE(QFile::exists(cartella_ + "/Xchk"));
}

TEST_F(FtpRealeTest, CaricamentoSullHostUnix)
{
    // The office's UNIX host takes one joined file under a fixed name, replacing
    // the one it had; the script and the marker live in the program folder.
    server_.MettiFile(ServerFtp::UtenteUnix, "irildes.txt", "vecchio");
    const QString locale = ScriviFile("Verificati/GIUNTO.TXT", "nuovo contenuto\n");
    RichiestaFtp r;
    r.cartella = Cartella();
    r.host = server_.Host();
    r.utente = ServerFtp::UtenteUnix;
    r.password = ServerFtp::PasswordUnix;
    r.righe = QStringList{"delete irildes.txt", "put " + locale + " irildes.txt"};
    r.prefissoComando = "ftp -n -i -s:";
    r.messaggioAvvio = ErroreTrasferimentoUnix;
    r.segnaleDopoScript = true;
    r.conservaScript = false;
    const EsitoFtp esito = EseguiScriptFtp(r);
    ASSERT_TRUE(esito.eseguito);
    EXPECT_EQ(server_.LeggiFile(ServerFtp::UtenteUnix, "irildes.txt"), "nuovo contenuto\n");
    EXPECT_EQ(CaricamentiAccettati(esito.trascrizione, {"GIUNTO.TXT"}), QStringList{"GIUNTO.TXT"});
    EXPECT_TRUE(server_.File(ServerFtp::UtenteDogana).isEmpty());
}
