#include "PercorsiTest.h"
#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"

#include "invio/InvioBolle.h"
#include "ricezione/RiceviMessaggi.h"
#include "ricezione/SpostaRicevuti.h"
#include "scambio/VerificaFirma.h"
#include "shell/Avvio.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#if __has_include("web/XCkMrnVat.h")
#include "web/XCkMrnVat.h"
#define NORVEL_PAGINE_WEB
#endif

#include <QDate>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <sys/prctl.h>

#include <cerrno>
#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// The demo sandbox as scripts/demo.sh starts it without the window, driven
// through the program's own runs. The script's set-up and build are skipped:
// the test program is already built.
class SandboxDemoTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        const bool obbligatorio = qgetenv("NORVEL_E2E") == "1";
        for (const QString& p :
             {u"ftp"_s, u"proftpd"_s, u"ftpasswd"_s, u"python3"_s, u"openssl"_s}) {
            if (QStandardPaths::findExecutable(p).isEmpty() &&
                QStandardPaths::findExecutable(p, {u"/usr/sbin"_s, u"/sbin"_s}).isEmpty()) {
                if (obbligatorio)
                    FAIL() << p.toStdString() << " not installed";
                GTEST_SKIP() << p.toStdString() << " not installed";
            }
        }
        sandbox_ = Percorso(u"sandbox"_s);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"NORVEL_DEMO_SENZA_PREPARAZIONE"_s, u"1"_s);
        demo_.setProcessEnvironment(env);
        demo_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // If the test dies, the script's own exit stops the servers.
        demo_.setChildProcessModifier([]() { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        demo_.start(u"bash"_s, {QStringLiteral(NORVEL_SORGENTI "/scripts/demo.sh"),
                                u"--solo-servizi"_s, u"--cartella"_s, sandbox_});
        QString uscita;
        const QDeadlineTimer scadenza(120000);
        while (!uscita.contains(u"PRONTO\n"_s) && !scadenza.hasExpired() &&
               demo_.state() != QProcess::NotRunning) {
            demo_.waitForReadyRead(500);
            uscita += QString::fromLocal8Bit(demo_.readAllStandardOutput());
        }
        ASSERT_TRUE(uscita.contains(u"PRONTO\n"_s)) << uscita.toStdString();
        for (const QString& riga : uscita.split(u'\n'))
            if (riga.startsWith(u"CARTELLA="_s))
                CartellaProgramma = riga.mid(9);
        ASSERT_EQ(CartellaProgramma, sandbox_ + u"/programma"_s);

        // The program's start-up on that folder, settings file by the name
        // the demo gives it (the program's executable's).
        ImpostaCartellaProgramma();
        FileIni = CartellaProgramma + u"/norvel.ini"_s;
        CaricaParametriAvvio();
        ASSERT_TRUE(PreparaCartelleLavoro());
        CaricaParametriUnix();
        MaxFile = 50;
    }

    void TearDown() override
    {
        FermaDemo();
        CartellaProgrammaTest::TearDown();
    }

    // Stops the script as a logout would, and says which of its servers are left.
    QStringList FermaDemo()
    {
        QFile f(sandbox_ + u"/servizi.pid"_s);
        const QByteArray pid = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        if (demo_.state() != QProcess::NotRunning) {
            demo_.terminate();
            if (!demo_.waitForFinished(30000)) {
                demo_.kill();
                demo_.waitForFinished(5000);
            }
        }
        QStringList vivi;
        for (const QByteArray& p : pid.split('\n')) {
            const int n = p.trimmed().toInt();
            if (n > 0 && !(::kill(n, 0) == -1 && errno == ESRCH))
                vivi << QString::number(n);
        }
        return vivi;
    }

    QStringList File(const QString& cartella) const
    {
        return QDir(cartella).entryList(QDir::Files, QDir::Name);
    }

    QString sandbox_;
    QProcess demo_;
};

FunzioneSbusta Sbusta()
{
    return [](const QString& o, const QString& d, QString*) { return SbustaFile(o, d); };
}

} // namespace

TEST_F(SandboxDemoTest, InvioRicezioneAppuramentiEMrnPoiNessunServerRimasto)
{
    const QDate oggi = QDate::currentDate();
    const QString giorno = u"DEMO"_s + oggi.toString(u"MMdd"_s);
    EXPECT_EQ(ParametriEdi.UtenteFtp, u"DEMO"_s);
    EXPECT_TRUE(ProgrammaDemo());

    // Send: the declarations of today waiting in Firmati.
    const QStringList firmati = File(ParametriEdi.CartellaFirmati);
    ASSERT_EQ(firmati.size(), 3);
    const EsitoInvio invio = InviaBolle(firmati, ParametriEdi.CartellaFirmati);
    EXPECT_TRUE(invio.eseguito);
    EXPECT_EQ(invio.accettati, firmati);
    EXPECT_EQ(File(ParametriEdi.CartellaInviati), firmati);
    EXPECT_TRUE(File(ParametriEdi.CartellaFirmati).isEmpty());

    // Receive the new replies of today: every type, the log and yesterday's
    // reply left on the server; then unwrapped, the signatures verified
    // against the demo CA.
    QStringList messaggi;
    const AvvisiRicezione avvisi{[&](const QString& m) { messaggi << m; }, {}};
    const EsitoRicezione ricezione = RiceviNuovi(
        RichiestaDaGlobali({oggi.toString(u"MM"_s), oggi.toString(u"dd"_s), u"?"_s, u"??"_s}),
        avvisi);
    EXPECT_TRUE(ricezione.elencoRicevuto);
    QStringList ricevuti = ricezione.ricevuti;
    ricevuti.sort();
    EXPECT_EQ(ricevuti, QStringList({giorno + u".N01.P7M"_s, giorno + u".Q01.P7M"_s,
                                     giorno + u".W01"_s, giorno + u".X01.P7M"_s}));
    for (const QString& n : ricevuti)
        EXPECT_TRUE(VerificaESposta(n, Sbusta())) << n.toStdString();
    QFile pdf(ParametriEdi.CartellaVerificati + u'/' + giorno + u".N01.pdf"_s);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF-"));

    // Clearances: three files of the last days, joined and sent to the UNIX host.
    const EsitoRicezione appuramenti = RiceviAppuramenti(RichiestaDaGlobali({}), avvisi);
    EXPECT_EQ(appuramenti.ricevuti.size(), 3) << appuramenti.ricevuti.join(u' ').toStdString();
    const EsitoSpostaAppuramenti sposta = SpostaAppuramenti(appuramenti.ricevuti, Sbusta());
    EXPECT_EQ(sposta.sbustati.size(), 3);
    EXPECT_EQ(sposta.uniti.size(), 3);
    EXPECT_TRUE(sposta.accettato);

#ifdef NORVEL_PAGINE_WEB
    // The MRN and VAT pages of the sandbox.
    CaricaIndirizziWeb();
    EXPECT_TRUE(UrlExport.startsWith(u"http://127.0.0.1:"_s)) << UrlExport.toStdString();
    EXPECT_EQ(InterrogaCodice(u"26ITQV1234567890E5"_s), 0) << Titoli[2].toStdString();
    EXPECT_NE(Titoli[2], u"# Connessione INTERNET non attiva #"_s);
    EXPECT_EQ(InterrogaCodice(u"IT01234567890"_s), 0) << Titoli[2].toStdString();
#endif

    EXPECT_TRUE(RisponditoreTest().Testi().isEmpty())
        << RisponditoreTest().Testi().join(u'\n').toStdString();
    EXPECT_EQ(FermaDemo(), QStringList()) << "servers of the sandbox still running";
    EXPECT_EQ(demo_.exitStatus(), QProcess::NormalExit);
}
