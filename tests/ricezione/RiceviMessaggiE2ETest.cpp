#include "support/ClienteFinto.h"
#include "support/Risponditore.h"
#include "support/ServerFtp.h"
#include "support/StampaQt.h"

#include "piattaforma/Orologio.h"
#include "ricezione/NomiRicezione.h"
#include "ricezione/RiceviMessaggi.h"
#include "shell/Global.h"

#include <QDir>
#include <QFile>
#include <QTimer>

namespace {

QString Nome(const char* tipo, int progressivo, const char* giorno = "1207")
{
    return QStringLiteral("ACME%1.%2%3")
        .arg(giorno, tipo)
        .arg(progressivo, 2, 10, QLatin1Char('0'));
}

// Binary, with CR and LF bytes, different for each name.
QByteArray Contenuto(const QString& nome, int dimensione = 3000)
{
    QByteArray c = nome.toLatin1() + "\r\n";
    for (int k = 0; c.size() < dimensione; ++k)
        c.append(char((k * 37 + nome.size() * 11 + nome.back().unicode()) % 256));
    return c;
}

class RiceviMessaggiE2ETest : public ProvaConServerFtp
{
protected:
    void SetUp() override
    {
        ProvaConServerFtp::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ImpostaOrologio([] { return QDateTime(QDate(2024, 12, 7), QTime(9, 0)); });
        ParametriEdi.HostFtp = server_.Host();
        ParametriEdi.UtenteFtp = ServerFtp::UtenteDogana;
        ParametriEdi.PasswordFtp = ServerFtp::PasswordDogana;
        ParametriEdi.CartellaRicevuti = Percorso("Ricevuti");
        ParametriEdi.CartellaVerificati = Percorso("Verificati");
        QDir().mkpath(ParametriEdi.CartellaRicevuti);
        QDir().mkpath(ParametriEdi.CartellaVerificati);
        MaxFile = 50;
    }

    void SulServer(const QString& nome, const QByteArray& contenuto = {})
    {
        server_.MettiFile(ServerFtp::UtenteDogana, nome,
                          contenuto.isEmpty() ? Contenuto(nome) : contenuto);
    }
    QStringList Ricevuti() const
    {
        return QDir(ParametriEdi.CartellaRicevuti)
            .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    QByteArray Ricevuto(const QString& nome) const { return LeggiFile("Ricevuti/" + nome); }

    // As the window starts a run: fields normalised, then the mode from the key.
    EsitoRicezione Ricevi(QString tipo = "?", QString progressivo = "??")
    {
        tipo = NormalizzaTipo(tipo);
        progressivo = NormalizzaProgressivo(progressivo);
        messaggi_.clear();
        AvvisiRicezione avvisi;
        avvisi.messaggio = [this](const QString& m) { messaggi_ << m; };
        avvisi.scarico = [this](bool inizio) {
            messaggi_ << (inizio ? "<scarico>" : "</scarico>");
        };
        const RichiestaRicezione r = RichiestaDaGlobali({"12", "07", tipo, progressivo});
        return ModoElenco(ChiaveRicezione(tipo, progressivo)) ? RiceviNuovi(r, avvisi)
                                                              : RiceviPerModello(r, avvisi);
    }

    QStringList messaggi_;
};

class RiceviLentoE2ETest : public RiceviMessaggiE2ETest
{
protected:
    ServerFtp::Opzioni OpzioniServer() const override
    {
        ServerFtp::Opzioni o;
        o.velocitaScaricoKBs = 100;
        return o;
    }
};

} // namespace

TEST_F(RiceviMessaggiE2ETest, SessantaNuoviCinquantaPerVolta)
{
    QStringList nuovi;
    for (int i = 1; i <= 60; ++i) {
        nuovi << Nome("N", i);
        SulServer(nuovi.last());
    }
    nuovi.sort();
    // Never fetched: another day, a log, a PDF, a type not asked for.
    const QStringList esclusi = {Nome("X", 1, "1206"), Nome("X", 2) + ".LOG",
                                 Nome("N", 98) + ".PDF.P7M", Nome("T", 3)};
    for (const QString& n : esclusi)
        SulServer(n);

    EsitoRicezione e = Ricevi();
    ASSERT_TRUE(e.elencoRicevuto);
    EXPECT_EQ(e.nuovi, 60);
    ASSERT_EQ(messaggi_.size(), 3);
    EXPECT_EQ(messaggi_[0], "CI SONO 60 FILES NUOVI DALLA DOGANA \nRICEZIONE DI  50  FILES\n"
                            "Attendere prego ...");
    // The server lists in its own order: the fetch follows it.
    EXPECT_EQ(e.ricevuti, e.richiesti);
    ASSERT_EQ(e.ricevuti.size(), 50);
    QStringList primi = e.ricevuti;
    primi.sort();
    EXPECT_EQ(Ricevuti(), primi);
    for (const QString& n : e.ricevuti)
        EXPECT_EQ(Ricevuto(n), Contenuto(n)) << n.toStdString();

    e = Ricevi();
    EXPECT_EQ(e.nuovi, 10);
    EXPECT_TRUE(messaggi_.value(0).startsWith("CI SONO 10 FILES NUOVI DALLA DOGANA \nRICEZIONE "
                                              "DI  10  FILES"));
    QStringList altri = e.ricevuti;
    altri.sort();
    for (const QString& n : primi)
        nuovi.removeOne(n);
    EXPECT_EQ(altri, nuovi);
    EXPECT_EQ(Ricevuti().size(), 60);
    EXPECT_TRUE(e.incompleti.isEmpty());
}

TEST_F(RiceviMessaggiE2ETest, GiaSbustatoNonSiRiceveENessunNuovoSoloAccessoEUscita)
{
    SulServer(Nome("N", 1) + ".P7M");
    ScriviFile("Verificati/" + Nome("N", 1) + ".pdf", "sbustato prima");
    ModoDebug = 1;

    const EsitoRicezione e = Ricevi("", "*");
    EXPECT_TRUE(e.elencoRicevuto);
    EXPECT_EQ(e.nuovi, 0);
    EXPECT_EQ(messaggi_.value(0), "CI SONO 0 FILES NUOVI DALLA DOGANA \nRICEZIONE DI  0  FILES\n"
                                  "Attendere prego ...");
    EXPECT_TRUE(Ricevuti().isEmpty());
    const QByteArray script = LeggiFile("Xcmd.txt");
    EXPECT_EQ(script, ("open " + server_.Host() +
                       "\r\nuser ACME Dogana.2024\r\nbinary \r\n"
                       "!del Xchk\r\nClose\r\nquit\r\n")
                          .toUtf8());
    EXPECT_TRUE(QFile::exists(Percorso("Xcmd.txt")));
    ModoDebug = 0;
}

TEST_F(RiceviMessaggiE2ETest, PerModelloTuttoCioCheCorrisponde)
{
    ParametriEdi.Progr1 = "A0";
    ParametriEdi.Progr2 = "AZ";
    const QStringList presi = {"ACME1207.NA1", "ACME1207.XA2.LOG", "ACME1207.LA3.P7M"};
    for (const QString& n : presi)
        SulServer(n);
    SulServer("ACME1207.N01");
    SulServer("ACME1206.NA1");
    // Already here: fetched again, replacing the local copy.
    ScriviFile("Ricevuti/ACME1207.NA1", "vecchio");

    const EsitoRicezione e = Ricevi("?", "A");
    EXPECT_TRUE(e.elencoRicevuto);
    QStringList ricevuti = e.ricevuti;
    ricevuti.sort();
    EXPECT_EQ(ricevuti, QStringList({"ACME1207.LA3.P7M", "ACME1207.NA1", "ACME1207.XA2.LOG"}));
    EXPECT_EQ(Ricevuti(), QStringList({"ACME1207.LA3.P7M", "ACME1207.NA1", "ACME1207.XA2.LOG"}));
    for (const QString& n : presi)
        EXPECT_EQ(Ricevuto(n), Contenuto(n)) << n.toStdString();

    // Progressive "5" is pattern mode too: only progressive 05.
    SulServer("ACME1207.X05");
    EXPECT_EQ(Ricevi("?", "5").ricevuti, QStringList({"ACME1207.X05"}));
}

TEST_F(RiceviMessaggiE2ETest, ElencoOstileSoloINomiSemplici)
{
    const QStringList ostili = {"ACME1207.N02 x", "ACME1207.N03!",  "ACME1207.N04*",
                                "ACME1207.N05[",  "ACME1207.N06\r", "~ACME1207.N07"};
    for (const QString& n : ostili)
        SulServer(n);
    SulServer("ACME1207.N01");
    for (int i = 0; i < 10000; ++i)
        server_.MettiFile(ServerFtp::UtenteDogana,
                          QStringLiteral("ACME1206.N%1").arg(i, 5, 10, QLatin1Char('0')), "x");

    RisponditoreTest().Rispondi(Risposta::Ok, "NON SONO NOMI DI FILE VALIDI");
    const EsitoRicezione e = Ricevi();
    EXPECT_EQ(e.ricevuti, QStringList({"ACME1207.N01"}));
    // "~ACME..." is not even listed for "ACME*.*".
    EXPECT_EQ(e.scartati.size(), 4) << ::testing::PrintToString(e.scartati);
    EXPECT_EQ(Ricevuti(), QStringList({"ACME1207.N01"}));
    EXPECT_TRUE(messaggi_.value(0).contains("NOMI NON VALIDI IGNORATI"));
    // Nothing written beside the received folder.
    QStringList accanto =
        QDir(Cartella()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    accanto.removeAll(QFileInfo(FileIni).fileName());
    accanto.removeAll(".config");
    accanto.removeAll("Registro");
    EXPECT_EQ(accanto, QStringList({"Ricevuti", "Verificati"}));
}

TEST_F(RiceviMessaggiE2ETest, ElencoOstileDaUnServerFinto)
{
    server_.Ferma();
    const QByteArray elenco = "ACME1207.N01\r\n"
                              "ACME1207.N02 ../../x\r\n"
                              "../../ACME1207.N03\r\n"
                              "/etc/ACME1207.N04\r\n"
                              "ACME1207.N05\rrm -rf\r\n"
                              "|ACME1207.N06\r\n" +
                              QByteArray(1000000, 'A') + "\r\nACME1207.X07\n";
    const QString file = ScriviFile("elenco-finto", elenco);
    qputenv("NORVEL_FTP_ELENCO", file.toUtf8());
    {
        ClienteFinto finto;
        RisponditoreTest().Rispondi(Risposta::Ok, "NON SONO NOMI DI FILE VALIDI");
        const EsitoRicezione e = Ricevi();
        EXPECT_EQ(e.richiesti, QStringList({"ACME1207.N01", "ACME1207.X07"}));
        EXPECT_EQ(e.scartati.size(), 6);
        QStringList get;
        for (const QByteArray& riga : finto.Ingresso().split('\n'))
            if (riga.startsWith("get"))
                get << QString::fromUtf8(riga);
        EXPECT_EQ(get, QStringList({"get ACME1207.N01 .ricezione.ACME1207.N01",
                                    "get ACME1207.X07 .ricezione.ACME1207.X07"}));
        EXPECT_TRUE(RisponditoreTest().Testi().value(0).contains("6 RIGHE"));
    }
    qunsetenv("NORVEL_FTP_ELENCO");
}

TEST_F(RiceviLentoE2ETest, ConnessioneCadutaNessunFileParziale)
{
    const QString nome = Nome("N", 1);
    const QByteArray grande = Contenuto(nome, 400 * 1024);
    SulServer(nome, grande);
    const QString parziale = Percorso("Ricevuti/" + NomeTemporaneo(nome));
    int sessioniChiuse = 0;
    QTimer guardia;
    guardia.setInterval(20);
    QObject::connect(&guardia, &QTimer::timeout, [&]() {
        if (sessioniChiuse == 0 && QFileInfo(parziale).size() > 20 * 1024)
            sessioniChiuse = server_.TerminaSessioni();
    });
    guardia.start();
    RisponditoreTest().Rispondi(Risposta::Ok, "NON SONO STATI RICEVUTI PER INTERO");
    EsitoRicezione e = Ricevi();
    guardia.stop();
    ASSERT_GT(sessioniChiuse, 0) << "the fetch ended before the line could drop";
    EXPECT_EQ(e.incompleti, QStringList({nome}));
    EXPECT_TRUE(e.ricevuti.isEmpty());
    EXPECT_TRUE(Ricevuti().isEmpty()) << Ricevuti().join(' ').toStdString();
    EXPECT_TRUE(RisponditoreTest().Testi().value(0).contains(nome));

    e = Ricevi();
    EXPECT_EQ(e.ricevuti, QStringList({nome}));
    EXPECT_EQ(Ricevuto(nome), grande);
}
