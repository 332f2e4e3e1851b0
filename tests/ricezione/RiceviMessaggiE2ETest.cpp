#include "support/ClienteFinto.h"
#include "support/Risponditore.h"
#include "support/ServerFtp.h"
#include "support/StampaQt.h"

#include "piattaforma/BloccoTrasferimenti.h"
#include "ricezione/NomiRicezione.h"
#include "ricezione/RiceviMessaggi.h"
#include "shell/Global.h"
#include "shell/RegistroTrasferimenti.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QProcess>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

QString Nome(const QString& tipo, int progressivo, const QString& giorno = u"1207"_s)
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
    void Prepara() override
    {
        GiornoProve();
        CollegaDogana();
        CartelleRicezione();
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
    QByteArray Ricevuto(const QString& nome) const { return LeggiFile(u"Ricevuti/"_s + nome); }

    // As the window starts a run: fields normalised, then the mode from the key.
    EsitoRicezione Ricevi(QString tipo = u"?"_s, QString progressivo = u"??"_s)
    {
        tipo = NormalizzaTipo(tipo);
        progressivo = NormalizzaProgressivo(progressivo);
        messaggi_.clear();
        AvvisiRicezione avvisi;
        avvisi.messaggio = [this](const QString& m) { messaggi_ << m; };
        avvisi.scarico = [this](bool inizio) {
            messaggi_ << (inizio ? u"<scarico>"_s : u"</scarico>"_s);
        };
        const RichiestaRicezione r = RichiestaDaGlobali({u"12"_s, u"07"_s, tipo, progressivo});
        return ModoElenco(ChiaveRicezione(tipo, progressivo)) ? RiceviNuovi(r, avvisi)
                                                              : RiceviPerModello(r, avvisi);
    }

    // The records of one type in today's transfer log.
    QList<QJsonObject> Registrati(const QString& tipo) const
    {
        QList<QJsonObject> r;
        for (const QJsonObject& o : LeggiRegistro(QDate(2024, 12, 7)).record)
            if (o.value(u"tipo"_s).toString() == tipo)
                r << o;
        return r;
    }

    QStringList messaggi_;
};

// A small file system of its own under the received folder, unmounted at the end.
class DiscoPiccolo
{
public:
    explicit DiscoPiccolo(const QString& cartella) : cartella_(cartella)
    {
        montato_ =
            Esegui({u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=1m"_s, u"norvel-prova"_s, cartella});
    }
    ~DiscoPiccolo()
    {
        if (montato_)
            Esegui({u"-l"_s, cartella_}, u"umount"_s);
    }
    bool Montato() const { return montato_; }
    bool Ingrandisci() { return Esegui({u"-o"_s, u"remount,size=8m"_s, cartella_}); }

private:
    static bool Esegui(const QStringList& argomenti, const QString& programma = u"mount"_s)
    {
        QProcess p;
        p.start(programma, argomenti);
        return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit &&
               p.exitCode() == 0;
    }
    QString cartella_;
    bool montato_ = false;
};

// A server that refuses any pattern in a command, as some refuse "NLST ACME*.*".
class RiceviSenzaModelliE2ETest : public RiceviMessaggiE2ETest
{
public:
    RiceviSenzaModelliE2ETest() { opzioni_.rifiutaModelli = true; }
};

class RiceviLentoE2ETest : public RiceviMessaggiE2ETest
{
public:
    RiceviLentoE2ETest() { opzioni_.velocitaScaricoKBs = 100; }
};

} // namespace

TEST_F(RiceviMessaggiE2ETest, SessantaNuoviCinquantaPerVolta)
{
    QStringList nuovi;
    for (int i = 1; i <= 60; ++i) {
        nuovi << Nome(u"N"_s, i);
        SulServer(nuovi.last());
    }
    nuovi.sort();
    // Never fetched: another day, a log, a PDF, a type not asked for.
    const QStringList esclusi = {Nome(u"X"_s, 1, u"1206"_s), Nome(u"X"_s, 2) + u".LOG"_s,
                                 Nome(u"N"_s, 98) + u".PDF.P7M"_s, Nome(u"T"_s, 3)};
    for (const QString& n : esclusi)
        SulServer(n);

    EsitoRicezione e = Ricevi();
    ASSERT_TRUE(e.elencoRicevuto);
    EXPECT_EQ(e.nuovi, 60);
    ASSERT_EQ(messaggi_.size(), 3);
    EXPECT_EQ(messaggi_[0], u"CI SONO 60 FILES NUOVI DALLA DOGANA \nRICEZIONE DI  50  FILES\n"_s
                            u"Attendere prego ..."_s);
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
    EXPECT_TRUE(messaggi_.value(0).startsWith(u"CI SONO 10 FILES NUOVI DALLA DOGANA \nRICEZIONE "_s
                                              u"DI  10  FILES"_s));
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
    SulServer(Nome(u"N"_s, 1) + u".P7M"_s);
    ScriviFile(u"Verificati/"_s + Nome(u"N"_s, 1) + u".pdf"_s, "sbustato prima");
    ModoDebug = 1;

    const EsitoRicezione e = Ricevi(u""_s, u"*"_s);
    EXPECT_TRUE(e.elencoRicevuto);
    EXPECT_EQ(e.nuovi, 0);
    EXPECT_EQ(messaggi_.value(0), u"CI SONO 0 FILES NUOVI DALLA DOGANA \nRICEZIONE DI  0  FILES\n"_s
                                  u"Attendere prego ..."_s);
    EXPECT_TRUE(Ricevuti().isEmpty());
    const QByteArray script = LeggiFile(u"Xcmd.txt"_s);
    EXPECT_EQ(script, (u"open "_s + server_.Host() +
                       u"\r\nuser ACME ********\r\nbinary \r\n"
                       "!del Xchk\r\nClose\r\nquit\r\n"_s)
                          .toUtf8());
    EXPECT_TRUE(QFile::exists(Percorso(u"Xcmd.txt"_s)));
    ModoDebug = 0;
}

TEST_F(RiceviMessaggiE2ETest, PerModelloTuttoCioCheCorrisponde)
{
    ParametriEdi.Progr1 = u"A0"_s;
    ParametriEdi.Progr2 = u"AZ"_s;
    const QStringList presi = {u"ACME1207.NA1"_s, u"ACME1207.XA2.LOG"_s, u"ACME1207.LA3.P7M"_s};
    for (const QString& n : presi)
        SulServer(n);
    SulServer(u"ACME1207.N01"_s);
    SulServer(u"ACME1206.NA1"_s);
    // Already here: fetched again, replacing the local copy.
    ScriviFile(u"Ricevuti/ACME1207.NA1"_s, "vecchio");

    const EsitoRicezione e = Ricevi(u"?"_s, u"A"_s);
    EXPECT_TRUE(e.elencoRicevuto);
    QStringList ricevuti = e.ricevuti;
    ricevuti.sort();
    EXPECT_EQ(ricevuti,
              QStringList({u"ACME1207.LA3.P7M"_s, u"ACME1207.NA1"_s, u"ACME1207.XA2.LOG"_s}));
    EXPECT_EQ(Ricevuti(),
              QStringList({u"ACME1207.LA3.P7M"_s, u"ACME1207.NA1"_s, u"ACME1207.XA2.LOG"_s}));
    for (const QString& n : presi)
        EXPECT_EQ(Ricevuto(n), Contenuto(n)) << n.toStdString();

    // Progressive "5" is pattern mode too: only progressive 05.
    SulServer(u"ACME1207.X05"_s);
    EXPECT_EQ(Ricevi(u"?"_s, u"5"_s).ricevuti, QStringList({u"ACME1207.X05"_s}));
}

TEST_F(RiceviMessaggiE2ETest, ElencoOstileSoloINomiSemplici)
{
    const QStringList ostili = {u"ACME1207.N02 x"_s, u"ACME1207.N03!"_s,  u"ACME1207.N04*"_s,
                                u"ACME1207.N05["_s,  u"ACME1207.N06\r"_s, u"~ACME1207.N07"_s};
    for (const QString& n : ostili)
        SulServer(n);
    SulServer(u"ACME1207.N01"_s);
    for (int i = 0; i < 10000; ++i)
        server_.MettiFile(ServerFtp::UtenteDogana,
                          QStringLiteral("ACME1206.N%1").arg(i, 5, 10, QLatin1Char('0')), "x");

    RisponditoreTest().Rispondi(Risposta::Ok, u"NON SONO NOMI DI FILE VALIDI"_s);
    const EsitoRicezione e = Ricevi();
    EXPECT_EQ(e.ricevuti, QStringList({u"ACME1207.N01"_s}));
    // "~ACME..." is not even listed for "ACME*.*".
    EXPECT_EQ(e.scartati.size(), 4) << ::testing::PrintToString(e.scartati);
    EXPECT_EQ(Ricevuti(), QStringList({u"ACME1207.N01"_s}));
    EXPECT_TRUE(messaggi_.value(0).contains(u"NOMI NON VALIDI IGNORATI"_s));
    // Nothing written beside the received folder.
    QStringList accanto =
        QDir(Cartella()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    accanto.removeAll(QFileInfo(FileIni).fileName());
    accanto.removeAll(u".config"_s);
    accanto.removeAll(u"Registro"_s);
    accanto.removeAll(QLatin1StringView(FileBloccoTrasferimenti));
    EXPECT_EQ(accanto, QStringList({u"Ricevuti"_s, u"Verificati"_s}));
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
    const QString file = ScriviFile(u"elenco-finto"_s, elenco);
    qputenv("NORVEL_FTP_ELENCO", file.toUtf8());
    {
        ClienteFinto finto;
        RisponditoreTest().Rispondi(Risposta::Ok, u"NON SONO NOMI DI FILE VALIDI"_s);
        const EsitoRicezione e = Ricevi();
        EXPECT_EQ(e.richiesti, QStringList({u"ACME1207.N01"_s, u"ACME1207.X07"_s}));
        EXPECT_EQ(e.scartati.size(), 6);
        QStringList get;
        for (const QByteArray& riga : finto.Ingresso().split('\n'))
            if (riga.startsWith("get"))
                get << QString::fromUtf8(riga);
        EXPECT_EQ(get, QStringList({u"get ACME1207.N01 .ricezione.ACME1207.N01"_s,
                                    u"get ACME1207.X07 .ricezione.ACME1207.X07"_s}));
        EXPECT_TRUE(RisponditoreTest().Testi().value(0).contains(u"6 RIGHE"_s));
    }
    qunsetenv("NORVEL_FTP_ELENCO");
}

TEST_F(RiceviLentoE2ETest, ConnessioneCadutaNessunFileParziale)
{
    const QString nome = Nome(u"N"_s, 1);
    const QByteArray grande = Contenuto(nome, 400 * 1024);
    SulServer(nome, grande);
    const QString parziale = Percorso(u"Ricevuti/"_s + NomeTemporaneo(nome));
    int sessioniChiuse = 0;
    QTimer guardia;
    guardia.setInterval(20);
    QObject::connect(&guardia, &QTimer::timeout, [&]() {
        if (sessioniChiuse == 0 && QFileInfo(parziale).size() > 20 * 1024)
            sessioniChiuse = server_.TerminaSessioni();
    });
    guardia.start();
    RisponditoreTest().Rispondi(Risposta::Ok, u"NON SONO STATI RICEVUTI PER INTERO"_s);
    EsitoRicezione e = Ricevi();
    guardia.stop();
    ASSERT_GT(sessioniChiuse, 0) << "the fetch ended before the line could drop";
    EXPECT_EQ(e.incompleti, QStringList({nome}));
    EXPECT_TRUE(e.ricevuti.isEmpty());
    EXPECT_TRUE(Ricevuti().isEmpty()) << Ricevuti().join(u' ').toStdString();
    EXPECT_TRUE(RisponditoreTest().Testi().value(0).contains(nome));

    e = Ricevi();
    EXPECT_EQ(e.ricevuti, QStringList({nome}));
    EXPECT_EQ(Ricevuto(nome), grande);
}

TEST_F(RiceviMessaggiE2ETest, DiscoPienoNienteSottoIlNomeERicevutoDopo)
{
    DiscoPiccolo disco(ParametriEdi.CartellaRicevuti);
    if (!disco.Montato()) {
        if (qEnvironmentVariableIntValue("NORVEL_E2E") == 1)
            FAIL() << "cannot mount a tmpfs (root needed)";
        GTEST_SKIP() << "cannot mount a tmpfs (root needed)";
    }
    const QString nome = Nome(u"N"_s, 1);
    const QByteArray grande = Contenuto(nome, 3000000);
    SulServer(nome, grande);

    // Full to the last byte: the listing cannot even start, and says why.
    {
        QFile pieno(Percorso(u"Ricevuti/riempitivo"_s));
        ASSERT_TRUE(pieno.open(QIODevice::WriteOnly));
        const QByteArray blocco(64 * 1024, 'x');
        while (pieno.write(blocco) == blocco.size() && pieno.flush()) {
        }
    }
    RisponditoreTest().Rispondi(Risposta::Ok, u"SPAZIO SU DISCO ESAURITO"_s);
    EsitoRicezione e = Ricevi();
    EXPECT_FALSE(e.elencoRicevuto);
    EXPECT_TRUE(RisponditoreTest().Testi().value(0).contains(u"RICEZIONE DELLA LISTA"_s));
    EXPECT_FALSE(QFileInfo::exists(Percorso(u"Ricevuti/Xchk"_s)));

    // About 1 MB free for a 3 MB reply: nothing under its name, the cause said.
    QFile::remove(Percorso(u"Ricevuti/riempitivo"_s));
    RisponditoreTest().Rispondi(Risposta::Ok, u"SPAZIO SU DISCO ESAURITO"_s);
    e = Ricevi();
    EXPECT_EQ(e.incompleti, QStringList({nome}));
    EXPECT_TRUE(e.ricevuti.isEmpty());
    EXPECT_TRUE(Ricevuti().isEmpty()) << Ricevuti().join(u' ').toStdString();
    EXPECT_TRUE(RisponditoreTest().Testi().value(1).contains(nome));
    const QList<QJsonObject> file = Registrati(u"file"_s);
    ASSERT_FALSE(file.isEmpty());
    EXPECT_EQ(file.last().value(u"esito"_s).toString(), u"incompleto"_s);

    // Space freed: the same reply is new again, and arrives whole.
    ASSERT_TRUE(disco.Ingrandisci());
    e = Ricevi();
    EXPECT_EQ(e.ricevuti, QStringList({nome}));
    EXPECT_EQ(Ricevuto(nome), grande);
    EXPECT_EQ(Registrati(u"file"_s).last().value(u"esito"_s).toString(), u"accettato"_s);
}

TEST_F(RiceviMessaggiE2ETest, PasswordErrataDettaERegistrata)
{
    SulServer(Nome(u"N"_s, 1));
    ParametriEdi.PasswordFtp = u"Sbagliata.1"_s;
    RisponditoreTest().Rispondi(Risposta::Ok, u"ACCESSO RIFIUTATO"_s);
    const EsitoRicezione e = Ricevi();
    EXPECT_TRUE(e.rifiuto.contains(u"530"_s)) << e.rifiuto.toStdString();
    EXPECT_TRUE(e.richiesti.isEmpty());
    EXPECT_TRUE(messaggi_.isEmpty())
        << "no count of new files: " << messaggi_.join(u'|').toStdString();
    const QList<QJsonObject> fine = Registrati(u"fine"_s);
    ASSERT_EQ(fine.size(), 1);
    EXPECT_EQ(fine[0].value(u"esito"_s).toString(), u"rifiutato"_s);
    EXPECT_TRUE(fine[0].value(u"motivo"_s).toString().startsWith(u"530"_s));
}

TEST_F(RiceviMessaggiE2ETest, NomiOstiliRifiutatiEIlCollegamentoSostituito)
{
    const QString collegato = Nome(u"N"_s, 1);
    const QString limite = Nome(u"N"_s, 2) + QString(232, u'A'); // 244 bytes
    const QString lungo = Nome(u"N"_s, 3) + QString(233, u'A');  // 245 bytes
    const QString aCapo = Nome(u"N"_s, 5) + u'\n' + Nome(u"N"_s, 6);
    for (const QString& n : {collegato, limite, lungo, aCapo})
        SulServer(n);
    const QString altrove = ScriviFile(u"altrove"_s, "di un altro");
    ASSERT_TRUE(QFile::link(altrove, Percorso(u"Ricevuti/"_s + collegato)));

    for (int corsa = 0; corsa < 2; ++corsa) {
        SCOPED_TRACE(corsa);
        RisponditoreTest().Rispondi(Risposta::Ok, u"NON SONO NOMI DI FILE VALIDI"_s);
        const EsitoRicezione e = Ricevi();
        QStringList ricevuti = e.ricevuti;
        ricevuti.sort();
        EXPECT_EQ(ricevuti, corsa == 0 ? QStringList({collegato, limite}) : QStringList());
        EXPECT_TRUE(e.incompleti.isEmpty()) << e.incompleti.join(u' ').toStdString();
        EXPECT_EQ(e.scartati.size(), 3) << e.scartati.join(u'|').toStdString();
        EXPECT_TRUE(e.scartati.contains(lungo));
        EXPECT_EQ(RisponditoreTest().Testi().value(corsa).contains(u"COLLEGAMENTI"_s), corsa == 0);
    }
    EXPECT_FALSE(QFileInfo(Percorso(u"Ricevuti/"_s + collegato)).isSymLink());
    EXPECT_EQ(Ricevuto(collegato), Contenuto(collegato));
    EXPECT_EQ(LeggiFile(u"altrove"_s), "di un altro");
    EXPECT_EQ(Ricevuto(limite), Contenuto(limite));
}

TEST_F(RiceviSenzaModelliE2ETest, ElencoSenzaModelloEFiltroQui)
{
    const QStringList attesi = {Nome(u"N"_s, 1), Nome(u"X"_s, 2)};
    for (const QString& n : attesi)
        SulServer(n);
    SulServer(Nome(u"N"_s, 3, u"1206"_s));
    SulServer(u"BETA1207.N01"_s);

    EsitoRicezione e = Ricevi();
    EXPECT_TRUE(e.rifiuto.isEmpty()) << e.rifiuto.toStdString();
    QStringList ricevuti = e.ricevuti;
    ricevuti.sort();
    EXPECT_EQ(ricevuti, attesi);
    EXPECT_EQ(Ricevuti(), attesi);
    EXPECT_EQ(Ricevuto(attesi[1]), Contenuto(attesi[1]));
    // Pattern mode too: only what matches the fields.
    EXPECT_EQ(Ricevi(u"X"_s, u"02"_s).ricevuti, QStringList({attesi[1]}));
}
