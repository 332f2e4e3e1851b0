#include "support/CartellaProgrammaTest.h"
#include "support/ClienteFinto.h"
#include "support/Risponditore.h"

#include "piattaforma/ClienteFtp.h"
#include "scambio/EseguiScriptFtp.h"
#include "shell/Global.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

class EseguiScriptFtpTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        cartella_ = Percorso(u"Firmati"_s);
        QDir().mkpath(cartella_);
    }

    RichiestaFtp Invio(const QStringList& nomi) const
    {
        RichiestaFtp r;
        r.cartella = cartella_;
        r.host = u"ftp.esempio.it"_s;
        r.utente = u"ACME"_s;
        r.password = u"Segreta1"_s;
        for (const QString& n : nomi)
            r.righe << u"put "_s + n;
        r.prefissoComando = u"ftp -v -n -i -s:"_s;
        r.messaggioAvvio = QLatin1StringView(ErroreInvioBolle);
        return r;
    }

    bool Segnale() const { return QFile::exists(cartella_ + u"/Xchk"_s); }

    QString cartella_;
};

} // namespace

TEST_F(EseguiScriptFtpTest, ScriptDiUnInvioDiTreFile)
{
    const RichiestaFtp r = Invio({u"ACME1207.T01"_s, u"ACME1207.T02"_s, u"ACME1207.I01"_s});
    EXPECT_EQ(TestoScriptFtp(r), QByteArray("open ftp.esempio.it\r\n"
                                            "user ACME Segreta1\r\n"
                                            "put ACME1207.T01\r\n"
                                            "put ACME1207.T02\r\n"
                                            "put ACME1207.I01\r\n"
                                            "!del Xchk\r\n"
                                            "Close\r\n"
                                            "quit\r\n"));
    RichiestaFtp vuoto = r;
    vuoto.host = u"  "_s;
    EXPECT_TRUE(TestoScriptFtp(vuoto).startsWith("open ftp.agenziadogane.it\r\nuser ACME"));
    RichiestaFtp porta = r;
    porta.host = u"127.0.0.1 2121"_s;
    EXPECT_TRUE(TestoScriptFtp(porta).startsWith("open 127.0.0.1 2121\r\n"));
    EXPECT_EQ(ScriptFtpSuDisco(r), TestoScriptFtp(r).replace("Segreta1", "********"));
}

TEST_F(EseguiScriptFtpTest, TraduzionePerIlClienteDelSistema)
{
    EXPECT_EQ(TraduciScriptFtp("open h\r\nuser U P\r\nascii \r\nls ACME*.* LSACME07101112\r\n"
                               "binary \r\nget A\r\nmget ACME*\r\n!del Xchk\r\nClose\r\nquit\r\n"),
              QByteArray("open h\nuser U P\nascii \nnlist ACME*.* LSACME07101112\nbinary \n"
                         "get A\nmget ACME*\n!rm -f Xchk\nclose\nquit\n"));
    // Only the command word counts: a file named like a command is left alone.
    EXPECT_EQ(TraduciScriptFtp("put ls\r\nput Close\r\nlsx\r\n"),
              QByteArray("put ls\nput Close\nlsx\n"));
}

TEST_F(EseguiScriptFtpTest, UnaCorsaCompletaNellaCartellaDeiFile)
{
    ClienteFinto finto;
    const QString corrente = QDir::currentPath();
    bool occupato = false;
    const EsitoFtp esito =
        EseguiScriptFtp(Invio({u"ACME1207.T01"_s, u"ACME1207.T02"_s}), &occupato);

    EXPECT_TRUE(esito.eseguito);
    EXPECT_TRUE(occupato) << "the caller clears the busy flag";
    EXPECT_EQ(finto.Argomenti(), u"-n -i -v"_s);
    EXPECT_EQ(finto.Cartella(), QDir(cartella_).canonicalPath());
    EXPECT_EQ(finto.Ingresso(), QByteArray("open ftp.esempio.it\nuser ACME Segreta1\n"
                                           "put ACME1207.T01\nput ACME1207.T02\n"
                                           "!rm -f Xchk\nclose\nquit\n"));
    EXPECT_TRUE(esito.trascrizione.contains(u"finto: put ACME1207.T02"_s));
    EXPECT_TRUE(esito.trascrizione.contains(u"finto: quit"_s)) << "read to the client's end";
    EXPECT_FALSE(Segnale());
    EXPECT_FALSE(QFile::exists(FileComandiFtp));
    EXPECT_EQ(QDir::currentPath(), corrente);
}

TEST_F(EseguiScriptFtpTest, InDebugLoScriptRestaLeggibileSoloDalProprietario)
{
    ClienteFinto finto;
    ModoDebug = 1;
    ScriviFile(u"Xcmd.txt"_s, "vecchio script\r\n");
    QFile::setPermissions(FileComandiFtp, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    ASSERT_TRUE(EseguiScriptFtp(Invio({u"ACME1207.T01"_s})).eseguito);

    const QByteArray script = LeggiFile(u"Xcmd.txt"_s);
    EXPECT_TRUE(script.startsWith("open ftp.esempio.it\r\nuser ACME ********\r\nput ACME1207.T01"));
    const QFile::Permissions altri = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther |
                                     QFile::WriteOther | QFile::ExeOther | QFile::ExeGroup;
    EXPECT_EQ(QFile::permissions(FileComandiFtp) & altri, QFile::Permissions());

    // The UNIX upload follows its own debug switch, whatever ModoDebug says.
    RichiestaFtp versoUnix = Invio({u"ACME1207.T01"_s});
    versoUnix.segnaleDopoScript = true;
    versoUnix.conservaScript = false;
    ASSERT_TRUE(EseguiScriptFtp(versoUnix).eseguito);
    EXPECT_FALSE(QFile::exists(FileComandiFtp));
    EXPECT_FALSE(Segnale());
}

TEST_F(EseguiScriptFtpTest, UnClienteCheFinisceSenzaTogliereIlSegnaleHaFallito)
{
    // A runner that missed the client's end would ask whether to wait: that
    // unexpected box fails the test.
    ImpostaLimiteAttesaFtp(20000);
    for (const QByteArray modo : {"lascia", "crolla"}) {
        ClienteFinto finto(modo);
        RisponditoreTest().Rispondi(Risposta::Ok, QLatin1StringView(ErroreInvioBolle));
        const EsitoFtp esito = EseguiScriptFtp(Invio({u"ACME1207.T01"_s}));
        EXPECT_FALSE(esito.eseguito) << modo.constData();
        EXPECT_EQ(esito.stato, StatoFtp::Interrotto);
        EXPECT_TRUE(esito.trascrizione.contains(u"finto:"_s)) << "read on this path too";
        EXPECT_FALSE(finto.Ingresso().isEmpty()) << "the stand-in ran";
        EXPECT_FALSE(Segnale());
        EXPECT_FALSE(QFile::exists(FileComandiFtp)) << "the password does not stay on disk";
    }
    EXPECT_EQ(RisponditoreTest().Testi(), (QStringList{QLatin1StringView(ErroreInvioBolle),
                                                       QLatin1StringView(ErroreInvioBolle)}));
}

TEST_F(EseguiScriptFtpTest, UnClienteUccisoATrasferimentoInCorso)
{
    ClienteFinto finto("blocca");
    // Far beyond the test: if the runner missed the client's end it would ask
    // whether to wait, and that unexpected box fails the test.
    ImpostaLimiteAttesaFtp(120000);
    QTimer assassino;
    assassino.setInterval(20);
    QElapsedTimer orologio;
    QObject::connect(&assassino, &QTimer::timeout, [&]() {
        if (finto.Pid() > 0) {
            ::kill(static_cast<pid_t>(finto.Pid()), SIGKILL);
            orologio.start();
            assassino.stop();
        }
    });
    assassino.start();
    RisponditoreTest().Rispondi(Risposta::Ok, QLatin1StringView(ErroreInvioBolle));
    EXPECT_FALSE(EseguiScriptFtp(Invio({u"ACME1207.T01"_s})).eseguito);
    ASSERT_TRUE(orologio.isValid());
    RecordProperty("ms_dalla_morte_del_cliente", static_cast<int>(orologio.elapsed()));
    std::cout << "runner returned " << orologio.elapsed() << " ms after the client died\n";
}

TEST_F(EseguiScriptFtpTest, OltreIlLimiteSiChiedeSeAttendereAncora)
{
    ClienteFinto finto("blocca");
    ImpostaLimiteAttesaFtp(200);
    RisponditoreTest()
        .Rispondi(Risposta::Si, u"ATTENDERE ANCORA?"_s)
        .Rispondi(Risposta::No, u"ATTENDERE ANCORA?"_s)
        .Rispondi(Risposta::Ok, QLatin1StringView(ErroreInvioBolle));
    EXPECT_FALSE(EseguiScriptFtp(Invio({u"ACME1207.T01"_s})).eseguito);
    const auto& box = RisponditoreTest().Ricevuti();
    ASSERT_EQ(box.size(), 3);
    EXPECT_EQ(box[0].richiesta.testo, QLatin1StringView(DomandaAttesaFtp));
    EXPECT_EQ(box[0].richiesta.pulsanti, Pulsanti::SiNo);
    EXPECT_EQ(box[0].richiesta.predefinita, Risposta::No);
    EXPECT_NE(::kill(static_cast<pid_t>(finto.Pid()), 0), 0) << "No ends the client";

    // A client that ends during the extra wait makes the run a good one.
    RisponditoreTest().Azzera();
    finto.Modo("ritardo", 1);
    ImpostaLimiteAttesaFtp(300);
    // As many yeses as a loaded machine may need before the client's second.
    for (int volta = 0; volta < 30; ++volta)
        RisponditoreTest().Rispondi(Risposta::Si, u"ATTENDERE ANCORA?"_s);
    EXPECT_TRUE(EseguiScriptFtp(Invio({u"ACME1207.T01"_s})).eseguito);
    EXPECT_FALSE(RisponditoreTest().Ricevuti().isEmpty()) << "the client outlived no limit";
    RisponditoreTest().Azzera();
}

TEST_F(EseguiScriptFtpTest, QuandoIlClienteNonPuoPartire)
{
    // No client on PATH at all.
    QTemporaryDir vuota;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", vuota.path().toLocal8Bit());
    RichiestaFtp r = Invio({u"ACME1207.T01"_s});
    r.messaggioAvvio = QLatin1StringView(ErroreRicezioneMessaggi);
    RisponditoreTest().Rispondi(Risposta::Ok, QLatin1StringView(ErroreRicezioneMessaggi));
    bool occupato = false;
    EXPECT_FALSE(EseguiScriptFtp(r, &occupato).eseguito);
    qputenv("PATH", path);
    EXPECT_TRUE(occupato);
    EXPECT_FALSE(QFile::exists(FileComandiFtp));

    // A folder where the marker cannot be written: the client is not started,
    // since nothing could tell when it finished.
    ClienteFinto finto;
    r.cartella = Percorso(u"Manca"_s);
    RisponditoreTest().Rispondi(Risposta::Ok, QLatin1StringView(ErroreRicezioneMessaggi));
    EXPECT_FALSE(EseguiScriptFtp(r).eseguito);
    EXPECT_TRUE(finto.Ingresso().isEmpty());
}

TEST_F(EseguiScriptFtpTest, LimiteSenzaSegniDiVita)
{
    EXPECT_EQ(LimiteAttesaFtp(), 120000);
    qputenv("NORVEL_ATTESA_FTP_S", "7");
    EXPECT_EQ(LimiteAttesaFtp(), 7000);
    ImpostaLimiteAttesaFtp(500);
    EXPECT_EQ(LimiteAttesaFtp(), 500);
    ImpostaLimiteAttesaFtp(0);
    qunsetenv("NORVEL_ATTESA_FTP_S");
    EXPECT_EQ(LimiteAttesaFtp(), 120000);
}

// A client that keeps printing is alive: it is not asked about however long
// the run, while a silent one is asked after the bound.
TEST_F(EseguiScriptFtpTest, IlLimiteContaDallUltimoSegnoDiVita)
{
    ClienteFinto finto("chiacchiera", 3);
    ImpostaLimiteAttesaFtp(1200);
    QList<AvanzamentoFtp> visti;
    RichiestaFtp r = Invio({u"ACME1207.T01"_s});
    r.avanzamento = [&](const AvanzamentoFtp& a) { visti << a; };
    EXPECT_TRUE(EseguiScriptFtp(r).eseguito);
    ASSERT_GE(visti.size(), 3) << "about once a second, and on each new line";
    EXPECT_EQ(visti.last().totaleFile, 1);
    EXPECT_GT(visti.last().pid, 0);
    ImpostaLimiteAttesaFtp(0);
}

TEST_F(EseguiScriptFtpTest, ValoriConCaratteriDiControlloNonPartono)
{
    ClienteFinto finto;
    struct Caso
    {
        QString host, utente, password;
        OrigineCredenziali origine;
        QString chiave;
    };
    const QList<Caso> casi = {
        {u"h\n!sh"_s, u"ACME"_s, u"p"_s, {}, u"HOSTFTP"_s},
        {u"h"_s, u"AC\tME"_s, u"p"_s, {}, u"AUTORFTP"_s},
        {u"h"_s, u"ACME"_s, u"p\x7f"_s, {}, u"PASSWFTP"_s},
        {u"h"_s, u"u"_s, u"p\r\nput /etc/passwd"_s, CredenzialiUnix(), u"PASSWD"_s},
    };
    for (const Caso& c : casi) {
        RichiestaFtp r = Invio({u"ACME1207.T01"_s});
        r.host = c.host;
        r.utente = c.utente;
        r.password = c.password;
        r.origine = c.origine;
        RisponditoreTest().Rispondi(Risposta::Ok, u"IL VALORE DI "_s + c.chiave +
                                                      u" NELLA SEZIONE ["_s + c.origine.sezione +
                                                      u"]"_s);
        EXPECT_EQ(EseguiScriptFtp(r).stato, StatoFtp::NonAvviato);
    }
    EXPECT_TRUE(finto.Ingresso().isEmpty());
    EXPECT_FALSE(QFile::exists(FileComandiFtp));
}

TEST_F(EseguiScriptFtpTest, UnXchkCheNonEUnFileFermaLaCorsa)
{
    ClienteFinto finto;
    QDir().mkpath(cartella_ + u"/Xchk"_s);
    RisponditoreTest().Rispondi(Risposta::Ok, cartella_ + u"/Xchk"_s);
    EXPECT_EQ(EseguiScriptFtp(Invio({u"ACME1207.T01"_s})).stato, StatoFtp::NonAvviato);
    EXPECT_TRUE(finto.Ingresso().isEmpty());
    EXPECT_TRUE(QFileInfo(cartella_ + u"/Xchk"_s).isDir());

    // An old marker file is replaced.
    QDir(cartella_ + u"/Xchk"_s).removeRecursively();
    ScriviFile(u"Firmati/Xchk"_s, "vecchio");
    EXPECT_TRUE(EseguiScriptFtp(Invio({u"ACME1207.T01"_s})).eseguito);
}

TEST_F(EseguiScriptFtpTest, UtenteEParolaConSpaziNellaGrafiaDelCliente)
{
    EXPECT_EQ(RigaUtenteCliente(u"ACME"_s, u"Segreta1"_s), "user ACME Segreta1");
    EXPECT_EQ(RigaUtenteCliente(u"AC ME"_s, u"a b"_s), "user AC\\ ME a\\ b");
    EXPECT_EQ(RigaUtenteCliente(u"ACME"_s, u"x\"y\\z'"_s), "user ACME x\\\"y\\\\z\\'");
    EXPECT_EQ(RigaUtenteCliente(u"ACME"_s, u""_s), "user ACME \"\"");

    // The script on disk keeps the office's line, password masked; the client
    // gets its own, through its pipe.
    ClienteFinto finto;
    ModoDebug = 1;
    RichiestaFtp r = Invio({u"ACME1207.T01"_s});
    r.password = u"due parole"_s;
    ASSERT_TRUE(EseguiScriptFtp(r).eseguito);
    EXPECT_TRUE(LeggiFile(u"Xcmd.txt"_s).contains("\r\nuser ACME ********\r\n"));
    EXPECT_TRUE(finto.Ingresso().contains("\nuser ACME due\\ parole\n"));
}
