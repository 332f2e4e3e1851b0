#include "PercorsiTest.h"
#include "support/CartellaProgrammaTest.h"

#include "shell/ArchivioParola.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>

namespace {

// The real program on a virtual X server, typed into as a person would with
// the keyboard (XTEST through xdotool): no way into the program but its windows.
class ParolaEseguibileTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        xvfb_ = QStandardPaths::findExecutable("Xvfb");
        xdotool_ = QStandardPaths::findExecutable("xdotool");
    }

    bool Strumenti() const { return !xvfb_.isEmpty() && !xdotool_.isEmpty(); }

    // The server picks a free display itself and names it once it accepts
    // clients, so two servers never race for one number.
    bool AvviaServer()
    {
        server_.start(xvfb_,
                      {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        if (!server_.waitForStarted(5000))
            return false;
        QByteArray uscita;
        QDeadlineTimer entro(20000);
        while (!entro.hasExpired() && server_.state() == QProcess::Running) {
            server_.waitForReadyRead(200);
            uscita += server_.readAllStandardOutput();
            if (uscita.contains('\n')) {
                schermo_ = ":" + QString::fromLatin1(uscita).trimmed();
                return true;
            }
        }
        return false;
    }

    QString Xdo(const QStringList& argomenti)
    {
        QProcess p;
        QProcessEnvironment a = QProcessEnvironment::systemEnvironment();
        a.insert("DISPLAY", schermo_);
        p.setProcessEnvironment(a);
        p.start(xdotool_, argomenti);
        p.waitForFinished(10000);
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed().section('\n', 0, 0);
    }

    // The shown window with that exact title, "" when none within a while.
    QString Cerca(const QString& titolo, QProcess& programma)
    {
        QDeadlineTimer entro(20000);
        while (!entro.hasExpired() && programma.state() == QProcess::Running) {
            const QString id = Xdo({"search", "--onlyvisible", "--name", "^" + titolo + "$"});
            if (!id.isEmpty())
                return id;
            QThread::msleep(100);
        }
        return {};
    }

    bool Sparisce(const QString& titolo, QProcess& programma)
    {
        QDeadlineTimer entro(20000);
        while (!entro.hasExpired() && programma.state() == QProcess::Running) {
            if (Xdo({"search", "--onlyvisible", "--name", "^" + titolo + "$"}).isEmpty())
                return true;
            QThread::msleep(100);
        }
        return programma.state() != QProcess::Running;
    }

    void Digita(const QString& finestra, const QStringList& tasti)
    {
        Xdo({"windowfocus", "--sync", finestra});
        Xdo(tasti);
    }

    QString xvfb_;
    QString xdotool_;
    QString schermo_;
    QProcess server_; // declared before the program: stopped after it
};

} // namespace

TEST_F(ParolaEseguibileTest, TrePasswordSbagliateTerminanoIlProgramma)
{
    if (!Strumenti()) {
        if (qEnvironmentVariable("NORVEL_E2E") == "1")
            FAIL() << "Xvfb and xdotool are needed";
        GTEST_SKIP() << "Xvfb and xdotool are needed to type into the real program";
    }
    ASSERT_TRUE(AvviaServer());
    ScriviParolaAccesso("GIUSTA");
    const QString programma = Percorso("programma");
    ASSERT_TRUE(QDir().mkdir(programma));

    QProcess norvel;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("DISPLAY", schermo_);
    ambiente.insert("QT_QPA_PLATFORM", "xcb");
    ambiente.insert("HOME", Cartella());
    ambiente.insert("XDG_CONFIG_HOME", Percorso(".config"));
    norvel.setProcessEnvironment(ambiente);
    norvel.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    norvel.start(NORVEL_ESEGUIBILE, {"--cartella", programma});
    ASSERT_TRUE(norvel.waitForStarted(10000));

    for (int i = 0; i < 3; ++i) {
        const QString richiesta = Cerca("RICHIESTA DELLA PASSWORD", norvel);
        ASSERT_FALSE(richiesta.isEmpty()) << "answer " << i;
        Digita(richiesta, {"type", "--delay", "20", "sbagliata"});
        Digita(richiesta, {"key", "Return"});
        const QString box = Cerca("Norvel", norvel);
        ASSERT_FALSE(box.isEmpty()) << "answer " << i;
        Digita(box, {"key", "Return"});
        ASSERT_TRUE(Sparisce("Norvel", norvel));
    }
    ASSERT_TRUE(norvel.waitForFinished(20000));
    EXPECT_EQ(norvel.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(norvel.exitCode(), 1);

    // It ended at the password: no settings file yet, no exit steps.
    EXPECT_FALSE(QFileInfo::exists(programma + "/norvel.ini"));
    QSettings utente(Percorso(".config/Norvel/norvel.conf"), QSettings::IniFormat);
    EXPECT_EQ(utente.value("Setting/ExeRun").toString(), "");
    EXPECT_EQ(utente.value("Setting/ExePath").toString(), "");
    EXPECT_FALSE(utente.value("Accesso/Parola").toString().isEmpty());
}
