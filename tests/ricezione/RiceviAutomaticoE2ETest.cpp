#include "PercorsiTest.h"
#include "support/BustaFirmata.h"
#include "support/ServerFtp.h"

#include "piattaforma/BloccoTrasferimenti.h"
#include "ricezione/NomiRicezione.h"
#include "shell/Impostazioni.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// "norvel ricevi" as the timer runs it: the real program, on a program folder
// of its own, against the tests' server.
class RiceviAutomaticoE2ETest : public ProvaConServerFtp
{
public:
    RiceviAutomaticoE2ETest() { opzioni_.velocitaScaricoKBs = 200; }

protected:
    void SetUp() override
    {
        if (!NORVEL_CON_FINESTRE)
            GTEST_SKIP() << "The program is not built in the core-only build";
        ProvaConServerFtp::SetUp();
    }
    void Prepara() override
    {
        ScriviIniDogana(Percorso(u"norvel.ini"_s), Percorso(u"base"_s));
        Imposta(u"EDI"_s, u"NUMFILE"_s, u"10"_s);
    }
    void TearDown() override
    {
        for (QProcess* p : {&norvel_, &altro_}) {
            p->kill();
            p->waitForFinished();
        }
        ProvaConServerFtp::TearDown();
    }
    void Imposta(const QString& sezione, const QString& chiave, const QString& valore)
    {
        ASSERT_TRUE(ScriviIni(Percorso(u"norvel.ini"_s), sezione, chiave, valore));
    }
    static QString Nome(int i, const QString& tipo = u"N"_s)
    {
        return u"ACME"_s + QDate::currentDate().toString(u"MMdd"_s) + u'.' + tipo +
               QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    }
    static QByteArray Contenuto(const QString& nome, int dimensione = 3000)
    {
        QByteArray c = nome.toLatin1() + "\r\n";
        for (int k = 0; c.size() < dimensione; ++k)
            c.append(char((k * 37 + nome.size()) % 256));
        return c;
    }
    void SulServer(const QString& nome, const QByteArray& contenuto = {})
    {
        server_.MettiFile(ServerFtp::UtenteDogana, nome,
                          contenuto.isEmpty() ? Contenuto(nome) : contenuto);
    }
    QString Base(const QString& nome) const { return Percorso(u"base/"_s + nome); }
    QStringList In(const QString& cartella) const
    {
        return QDir(Base(cartella)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    // No desktop: no session bus (nor its socket), no display. davanti: a program that runs
    // norvel (a bus of the test's own).
    void Avvia(QProcess& p, const QStringList& argomenti = {}, QStringList davanti = {})
    {
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.remove(u"DBUS_SESSION_BUS_ADDRESS"_s);
        ambiente.remove(u"DISPLAY"_s);
        ambiente.remove(u"XDG_RUNTIME_DIR"_s);
        p.setProcessEnvironment(ambiente);
        davanti << QStringLiteral(NORVEL_ESEGUIBILE) << u"ricevi"_s << u"--cartella"_s
                << Cartella();
        p.start(davanti[0], davanti.mid(1) + argomenti);
        ASSERT_TRUE(p.waitForStarted());
    }
    struct Esito
    {
        int codice = -1;
        QStringList uscita;
        QStringList errori;
    };
    static Esito Fine(QProcess& p)
    {
        EXPECT_TRUE(p.waitForFinished(180000));
        auto righe = [](const QByteArray& b) {
            return QString::fromLocal8Bit(b).split(u'\n', Qt::SkipEmptyParts);
        };
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                righe(p.readAllStandardOutput()), righe(p.readAllStandardError())};
    }
    Esito Esegui(const QStringList& argomenti = {})
    {
        Avvia(norvel_, argomenti);
        return Fine(norvel_);
    }
    // Waits until the run is writing nome under its temporary name.
    void AttendiScarico(const QString& nome)
    {
        const QString temporaneo = Base(u"Ricevuti/"_s + NomeTemporaneo(nome));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(temporaneo).size() > 0, 60000);
    }
    QString Registro() const
    {
        QString tutto;
        for (const QString& f : QDir(Percorso(u"Registro"_s)).entryList(QDir::Files))
            tutto += QString::fromUtf8(LeggiFile(u"Registro/"_s + f));
        return tutto;
    }

    QProcess norvel_;
    QProcess altro_;
};

} // namespace

TEST_F(RiceviAutomaticoE2ETest, SessantaNuoviInDueGiriPoiNienteDiNuovo)
{
    QStringList nomi;
    for (int i = 1; i <= 60; ++i) {
        nomi << Nome(i);
        SulServer(nomi.last());
    }
    SulServer(Nome(1, u"X"_s) + u".LOG"_s); // never fetched

    Esito e = Esegui();
    EXPECT_EQ(e.codice, 0) << e.errori.join(u'\n').toStdString();
    ASSERT_EQ(e.uscita.size(), 61) << e.uscita.join(u'\n').toStdString();
    EXPECT_EQ(e.uscita.last(), u"Ricevuti: 60 file in 2 giri"_s);
    QStringList arrivati = e.uscita.mid(0, 60);
    arrivati.sort();
    EXPECT_EQ(arrivati, nomi);
    EXPECT_EQ(In(u"Ricevuti"_s), nomi);
    for (const QString& n : nomi)
        EXPECT_EQ(LeggiFile(Base(u"Ricevuti/"_s + n)), Contenuto(n)) << n.toStdString();
    EXPECT_TRUE(e.errori.isEmpty()) << e.errori.join(u'\n').toStdString();
    // The log says who fetched them: nobody at the desk.
    EXPECT_EQ(Registro().count(u"\"operazione\":\"ricezione\",\"host\""_s), 2);
    EXPECT_EQ(Registro().count(u"\"automatico\":true"_s), 4); // two listings, two fetches

    e = Esegui();
    EXPECT_EQ(e.codice, 0);
    EXPECT_EQ(e.uscita, QStringList({u"Ricevuti: 0 file in 1 giro"_s}));
    EXPECT_TRUE(e.errori.isEmpty()) << e.errori.join(u'\n').toStdString();
}

// Nothing can be done: one line says why, nothing is written.
TEST_F(RiceviAutomaticoE2ETest, NienteDaFareUnaRigaEDue)
{
    const struct
    {
        const char* caso;
        std::function<void()> prepara;
        QString errore;
    } casi[] = {
        {"server giu'", [this] { server_.Ferma(); }, u"SERVER DELLA DOGANA NON RAGGIUNGIBILE"_s},
        {"collegamento assente", [this] { Imposta(u"EDI"_s, u"CONNESSIONE"_s, u"nessuna9*"_s); },
         u"CONNESSIONE ALLA DOGANA NON ATTIVA"_s},
        {"senza password", [this] { Imposta(u"EDI"_s, u"PASSWFTP"_s, {}); },
         u"PASSWORD DELLA DOGANA"_s},
        {"senza impostazioni", [this] { QFile::remove(Percorso(u"norvel.ini"_s)); },
         u"FILE DELLE IMPOSTAZIONI NON TROVATO"_s},
    };
    SulServer(Nome(1));
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        c.prepara();
        const Esito e = Esegui();
        EXPECT_EQ(e.codice, 2);
        EXPECT_TRUE(e.uscita.isEmpty()) << e.uscita.join(u'\n').toStdString();
        ASSERT_EQ(e.errori.size(), 1) << e.errori.join(u'\n').toStdString();
        EXPECT_TRUE(e.errori[0].startsWith(c.errore)) << e.errori[0].toStdString();
        EXPECT_TRUE(In(u"Ricevuti"_s).isEmpty());
    }
}

TEST_F(RiceviAutomaticoE2ETest, ScaricoInterrottoNominatoEUno)
{
    const QString grande = Nome(1);
    SulServer(grande, Contenuto(grande, 4000000));
    Avvia(norvel_);
    AttendiScarico(grande);
    EXPECT_GT(server_.TerminaSessioni(), 0);
    const Esito e = Fine(norvel_);
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.uscita, QStringList({u"Ricevuti: 0 file in 1 giro; non ricevuti: 1"_s}));
    EXPECT_TRUE(
        e.errori.contains(u"FILE NON RICEVUTO PER INTERO (SARA' RICHIESTO DI NUOVO): "_s + grande))
        << e.errori.join(u'\n').toStdString();
    EXPECT_TRUE(In(u"Ricevuti"_s).isEmpty()) << In(u"Ricevuti"_s).join(u' ').toStdString();
}

TEST_F(RiceviAutomaticoE2ETest, ConVerificaLeRisposteFirmateSbustateIdentiche)
{
    BustaFirmata busta;
    PREPARA_BUSTA_O_SALTA(busta, Percorso(u"chiavi"_s));
    const QByteArray risposta = "<esito>ACCETTATA</esito>\r\n";
    SulServer(Nome(1) + u".P7M"_s, busta.Firma(risposta));
    SulServer(Nome(2, u"X"_s) + u".P7M"_s, busta.Firma(risposta + "2"));
    SulServer(Nome(3, u"W"_s), "in chiaro");

    const Esito e = Esegui({u"--verifica"_s});
    EXPECT_EQ(e.codice, 0) << e.errori.join(u'\n').toStdString();
    QStringList righe = e.uscita.mid(0, 3);
    righe.sort();
    EXPECT_EQ(righe, QStringList({Nome(1) + u".P7M -> "_s + Nome(1) + u".pdf"_s,
                                  Nome(3, u"W"_s) + u" -> "_s + Nome(3, u"W"_s),
                                  Nome(2, u"X"_s) + u".P7M -> "_s + Nome(2, u"X"_s)}));
    EXPECT_EQ(e.uscita.value(3), u"Ricevuti: 3 file in 1 giro; sbustati in Verificati: 3"_s);
    EXPECT_EQ(LeggiFile(Base(u"Verificati/"_s + Nome(1) + u".pdf"_s)), risposta);
    EXPECT_EQ(LeggiFile(Base(u"Verificati/"_s + Nome(2, u"X"_s))), risposta + "2");
    EXPECT_EQ(LeggiFile(Base(u"Verificati/"_s + Nome(3, u"W"_s))), "in chiaro");
    EXPECT_TRUE(In(u"Ricevuti"_s).isEmpty());
    EXPECT_EQ(In(u"DaVerificare"_s),
              QStringList({Nome(1) + u".P7M"_s, Nome(2, u"X"_s) + u".P7M"_s}));
}

TEST_F(RiceviAutomaticoE2ETest, DueInsiemeUnaRiceveLAltraEsceConTre)
{
    const QString grande = Nome(1);
    SulServer(grande, Contenuto(grande, 600000));
    Avvia(norvel_);
    Avvia(altro_);
    const Esito a = Fine(norvel_);
    const Esito b = Fine(altro_);
    const Esito& ricevente = a.codice == 0 ? a : b;
    const Esito& respinta = a.codice == 0 ? b : a;
    EXPECT_EQ(ricevente.codice, 0) << ricevente.errori.join(u'\n').toStdString();
    EXPECT_EQ(ricevente.uscita.value(0), grande);
    EXPECT_EQ(respinta.codice, 3);
    EXPECT_TRUE(respinta.uscita.isEmpty());
    EXPECT_EQ(respinta.errori, QStringList({QLatin1String(MessaggioAltraCopia)}));
    EXPECT_EQ(LeggiFile(Base(u"Ricevuti/"_s + grande)), Contenuto(grande, 600000));
}

TEST_F(RiceviAutomaticoE2ETest, SigtermAMetaNessunFileIncompletoSottoIlSuoNome)
{
    const QString piccolo = Nome(1);
    const QString grande = Nome(2);
    SulServer(piccolo);
    SulServer(grande, Contenuto(grande, 4000000));
    Avvia(norvel_);
    AttendiScarico(grande);
    ::kill(static_cast<pid_t>(norvel_.processId()), SIGTERM);
    const Esito e = Fine(norvel_);
    EXPECT_EQ(e.codice, 1);
    EXPECT_TRUE(e.errori.contains(u"RICEZIONE INTERROTTA"_s)) << e.errori.join(u'\n').toStdString();
    // Whatever got its name is whole; nothing half-written is left behind.
    for (const QString& n : In(u"Ricevuti"_s)) {
        EXPECT_TRUE(n == piccolo || n == grande) << n.toStdString();
        EXPECT_EQ(LeggiFile(Base(u"Ricevuti/"_s + n)),
                  n == grande ? Contenuto(grande, 4000000) : Contenuto(piccolo));
    }
    EXPECT_FALSE(QFileInfo::exists(Base(u"Ricevuti/"_s + grande)));
    EXPECT_TRUE(Registro().contains(u"\"esito\":\"interrotto\""_s));
    EXPECT_EQ(BloccoTrasferimenti::Prova(Cartella()), StatoBlocco::Libero);
}

// With a desktop session: one notice says how many arrived.
TEST_F(RiceviAutomaticoE2ETest, AvvisoSulDesktopConUnBusDiSessione)
{
    if (QStandardPaths::findExecutable(u"dbus-run-session"_s).isEmpty()) {
        if (qgetenv("NORVEL_E2E") == "1")
            FAIL() << "dbus-run-session missing (dbus-daemon)";
        GTEST_SKIP() << "dbus-run-session missing (dbus-daemon)";
    }
    for (int i = 1; i <= 3; ++i)
        SulServer(Nome(i));
    const QString avvisi = Percorso(u"avvisi.txt"_s);
    Avvia(norvel_, {},
          {u"dbus-run-session"_s, u"--"_s, QStringLiteral(NORVEL_SERVIZIO_NOTIFICHE), avvisi});
    const Esito e = Fine(norvel_);
    EXPECT_EQ(e.codice, 0) << e.errori.join(u'\n').toStdString();
    EXPECT_EQ(e.uscita.size(), 4);
    EXPECT_EQ(LeggiFile(avvisi), "3 nuovi messaggi dalla Dogana\n\n--\n");
}
