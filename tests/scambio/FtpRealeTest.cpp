#include "support/Risponditore.h"
#include "support/ServerFtp.h"

#include "scambio/EseguiScriptFtp.h"
#include "shell/Global.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

class FtpRealeTest : public ProvaConServerFtp
{
protected:
    void Prepara() override
    {
        cartella_ = Percorso(u"Lavoro"_s);
        QDir().mkpath(cartella_);
    }

    RichiestaFtp Corsa(const QStringList& righe,
                       const QString& messaggio = QLatin1StringView(ErroreInvioBolle)) const
    {
        RichiestaFtp r;
        r.cartella = cartella_;
        r.host = server_.Host();
        r.utente = ServerFtp::UtenteDogana;
        r.password = ServerFtp::PasswordDogana;
        r.righe = righe;
        r.prefissoComando = u"ftp -v -n -i -s:"_s;
        r.messaggioAvvio = messaggio;
        return r;
    }

    QStringList Locali() const { return QDir(cartella_).entryList(QDir::Files, QDir::Name); }

    QString cartella_;
};

const QByteArray Binario("riga uno\r\nriga due\n\0\x01\xff fine", 27);

class FtpRifiutoTest : public FtpRealeTest
{
public:
    FtpRifiutoTest() { opzioni_.nomeRifiutato = u"ACME1207.T02"_s; }
};

// Downloads slower than the wait's bound: the client prints nothing while the
// data comes.
class FtpLentoTest : public FtpRealeTest
{
public:
    FtpLentoTest() { opzioni_.velocitaScaricoKBs = 64; }
};

} // namespace

TEST_F(FtpRealeTest, TreFileInviatiArrivanoIdentici)
{
    const QStringList nomi = {u"ACME1207.T01"_s, u"ACME1207.T02"_s, u"ACME1207.I01"_s};
    for (int i = 0; i < nomi.size(); ++i)
        ScriviFile(u"Lavoro/"_s + nomi[i], Binario + QByteArray::number(i));
    QStringList righe;
    for (const QString& n : nomi)
        righe << u"put "_s + n;
    const EsitoFtp esito = EseguiScriptFtp(Corsa(righe));
    ASSERT_TRUE(esito.eseguito) << esito.trascrizione.toStdString();
    EXPECT_EQ(server_.File(ServerFtp::UtenteDogana), (QStringList{nomi[2], nomi[0], nomi[1]}));
    for (int i = 0; i < nomi.size(); ++i)
        EXPECT_EQ(server_.LeggiFile(ServerFtp::UtenteDogana, nomi[i]),
                  Binario + QByteArray::number(i));
    EXPECT_EQ(CaricamentiAccettati(esito.trascrizione, nomi), nomi);
    EXPECT_FALSE(QFile::exists(cartella_ + u"/Xchk"_s));
    EXPECT_FALSE(QFile::exists(FileComandiFtp));
}

TEST_F(FtpRifiutoTest, UnFileRifiutatoDalServerNonRisultaAccettato)
{
    const QStringList nomi = {u"ACME1207.T01"_s, u"ACME1207.T02"_s, u"ACME1207.T03"_s,
                              u"ACME1207.T04"_s};
    for (int i = 0; i < 3; ++i)
        ScriviFile(u"Lavoro/"_s + nomi[i], "dati");
    QStringList righe;
    for (const QString& n : nomi)
        righe << u"put "_s + n;
    const EsitoFtp esito = EseguiScriptFtp(Corsa(righe));
    ASSERT_TRUE(esito.eseguito) << "the client still reaches the end of its script";
    EXPECT_EQ(server_.File(ServerFtp::UtenteDogana), (QStringList{nomi[0], nomi[2]}));
    EXPECT_EQ(CaricamentiAccettati(esito.trascrizione, nomi), (QStringList{nomi[0], nomi[2]}))
        << esito.trascrizione.toStdString();
}

TEST_F(FtpRealeTest, LaListaScriveUnNomePerRiga)
{
    for (const QString& n :
         {u"ACME1207.A01"_s, u"ACME1207.W02.P7M"_s, u"ACME1206.L01"_s, u"ALTRO.TXT"_s})
        server_.MettiFile(ServerFtp::UtenteDogana, n, "x");
    RichiestaFtp r = Corsa({u"ascii "_s, u"ls ACME*.* LSACME07101112"_s},
                           QLatin1StringView(ErroreRicezioneLista));
    r.prefissoComando = u"ftp -n -i -s:"_s;
    ASSERT_TRUE(EseguiScriptFtp(r).eseguito);
    QStringList nomi = QString::fromLocal8Bit(LeggiFile(u"Lavoro/LSACME07101112"_s))
                           .split(u'\n', Qt::SkipEmptyParts);
    for (QString& n : nomi)
        n = n.trimmed();
    nomi.sort();
    EXPECT_EQ(nomi, (QStringList{u"ACME1206.L01"_s, u"ACME1207.A01"_s, u"ACME1207.W02.P7M"_s}));
}

TEST_F(FtpRealeTest, GetEMgetPrendonoSoloIFileGiusti)
{
    for (const QString& n :
         {u"ACME1207.A01"_s, u"ACME1207.W02"_s, u"ACME1207.X03"_s, u"ACME1208.A01"_s})
        server_.MettiFile(ServerFtp::UtenteDogana, n, Binario + n.toUtf8());
    EsitoFtp esito =
        EseguiScriptFtp(Corsa({u"binary "_s, u"get ACME1207.A01"_s, u"get ACME1207.X03"_s},
                              QLatin1StringView(ErroreRicezioneMessaggi)));
    ASSERT_TRUE(esito.eseguito);
    EXPECT_EQ(Locali(), (QStringList{u"ACME1207.A01"_s, u"ACME1207.X03"_s}));
    EXPECT_EQ(LeggiFile(u"Lavoro/ACME1207.X03"_s), Binario + "ACME1207.X03");

    QDir(cartella_).removeRecursively();
    QDir().mkpath(cartella_);
    esito = EseguiScriptFtp(
        Corsa({u"binary "_s, u"mget ACME1207.?0*"_s}, QLatin1StringView(ErroreRicezioneMessaggi)));
    ASSERT_TRUE(esito.eseguito);
    EXPECT_EQ(Locali(), (QStringList{u"ACME1207.A01"_s, u"ACME1207.W02"_s, u"ACME1207.X03"_s}));
    EXPECT_EQ(LeggiFile(u"Lavoro/ACME1207.W02"_s), Binario + "ACME1207.W02");
}

TEST_F(FtpRealeTest, ScriptConservatoSoloInDebug)
{
    ScriviFile(u"Lavoro/ACME1207.T01"_s, "x");
    ModoDebug = 1;
    ASSERT_TRUE(EseguiScriptFtp(Corsa({u"put ACME1207.T01"_s})).eseguito);
    const QStringList righe = QString::fromLatin1(LeggiFile(u"Xcmd.txt"_s)).split(u"\r\n"_s);
    ASSERT_GE(righe.size(), 2);
    EXPECT_EQ(righe[0], u"open "_s + server_.Host());
    EXPECT_EQ(righe[1], u"user ACME ********"_s);

    ModoDebug = 0;
    ASSERT_TRUE(EseguiScriptFtp(Corsa({u"put ACME1207.T01"_s})).eseguito);
    EXPECT_FALSE(QFile::exists(FileComandiFtp));
}

TEST_F(FtpRealeTest, ServerFermoOAccessoNegato)
{
    ScriviFile(u"Lavoro/ACME1207.T01"_s, "x");
    RichiestaFtp sbagliata = Corsa({u"put ACME1207.T01"_s});
    sbagliata.password = u"sbagliata"_s;
    EsitoFtp esito = EseguiScriptFtp(sbagliata);
    EXPECT_TRUE(esito.eseguito);
    EXPECT_TRUE(CaricamentiAccettati(esito.trascrizione, {u"ACME1207.T01"_s}).isEmpty())
        << esito.trascrizione.toStdString();

    server_.Ferma();
    esito = EseguiScriptFtp(Corsa({u"put ACME1207.T01"_s}));
    EXPECT_TRUE(esito.eseguito) << "the client ran to the end of its script";
    EXPECT_TRUE(CaricamentiAccettati(esito.trascrizione, {u"ACME1207.T01"_s}).isEmpty());
    EXPECT_TRUE(server_.File(ServerFtp::UtenteDogana).isEmpty());
    EXPECT_FALSE(QFile::exists(cartella_ + u"/Xchk"_s));
}

TEST_F(FtpRealeTest, CaricamentoSullHostUnix)
{
    // The office's UNIX host takes one joined file under a fixed name, replacing
    // the one it had; the script and the marker live in the program folder.
    server_.MettiFile(ServerFtp::UtenteUnix, u"irildes.txt"_s, "vecchio");
    const QString locale = ScriviFile(u"Verificati/GIUNTO.TXT"_s, "nuovo contenuto\n");
    RichiestaFtp r;
    r.cartella = Cartella();
    r.host = server_.Host();
    r.utente = ServerFtp::UtenteUnix;
    r.password = ServerFtp::PasswordUnix;
    r.righe = QStringList{u"delete irildes.txt"_s, u"put "_s + locale + u" irildes.txt"_s};
    r.prefissoComando = u"ftp -n -i -s:"_s;
    r.messaggioAvvio = QLatin1StringView(ErroreTrasferimentoUnix);
    r.segnaleDopoScript = true;
    r.conservaScript = false;
    const EsitoFtp esito = EseguiScriptFtp(r);
    ASSERT_TRUE(esito.eseguito);
    EXPECT_EQ(server_.LeggiFile(ServerFtp::UtenteUnix, u"irildes.txt"_s), "nuovo contenuto\n");
    EXPECT_EQ(CaricamentiAccettati(esito.trascrizione, {u"GIUNTO.TXT"_s}),
              QStringList{u"GIUNTO.TXT"_s});
    EXPECT_TRUE(server_.File(ServerFtp::UtenteDogana).isEmpty());
}

// Bytes that keep coming are a sign of life however long the client says
// nothing; a server that stops sending is asked about once the bound passes.
TEST_F(FtpLentoTest, UnoScaricoMutoMaVivoNonChiedeUnoFermoSi)
{
    server_.MettiFile(ServerFtp::UtenteDogana, u"ACME1207.R01"_s, QByteArray(200 * 1024, 'r'));
    ImpostaLimiteAttesaFtp(1500);
    EsitoFtp esito = EseguiScriptFtp(Corsa({u"get ACME1207.R01"_s}));
    EXPECT_TRUE(esito.eseguito);
    EXPECT_GT(esito.durata, 2.5) << "longer than the bound";
    EXPECT_EQ(QFileInfo(cartella_ + u"/ACME1207.R01"_s).size(), 200 * 1024);
    EXPECT_TRUE(RisponditoreTest().Ricevuti().isEmpty());

    QFile::remove(cartella_ + u"/ACME1207.R01"_s);
    RisponditoreTest()
        .Rispondi(Risposta::No, u"ATTENDERE ANCORA?"_s)
        .Rispondi(Risposta::Ok, QLatin1StringView(ErroreRicezioneMessaggi));
    RichiestaFtp r = Corsa({u"get ACME1207.R01"_s}, QLatin1StringView(ErroreRicezioneMessaggi));
    bool fermato = false;
    r.avanzamento = [&](const AvanzamentoFtp& a) {
        if (!fermato && a.byte > 0) {
            fermato = true;
            server_.SospendiSessioni();
        }
    };
    esito = EseguiScriptFtp(r);
    server_.RiprendiSessioni();
    EXPECT_TRUE(fermato);
    EXPECT_EQ(esito.stato, StatoFtp::Interrotto);
    EXPECT_EQ(RisponditoreTest().Ricevuti().size(), 2);
    ImpostaLimiteAttesaFtp(0);
}
