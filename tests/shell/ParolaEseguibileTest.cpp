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

using namespace Qt::StringLiterals;

namespace {

// The real program on a virtual X server, typed into as a person would with
// the keyboard (XTEST through xdotool): no way into the program but its windows.
class ParolaEseguibileTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        xvfb_ = QStandardPaths::findExecutable(u"Xvfb"_s);
        xdotool_ = QStandardPaths::findExecutable(u"xdotool"_s);
    }

    bool Strumenti() const { return !xvfb_.isEmpty() && !xdotool_.isEmpty(); }

    // The server picks a free display itself and names it once it accepts
    // clients, so two servers never race for one number.
    bool AvviaServer()
    {
        // No reset when the last client leaves: the program started next
        // would find the server closing down.
        server_.start(xvfb_, {u"-displayfd"_s, u"1"_s, u"-noreset"_s, u"-screen"_s, u"0"_s,
                              u"1280x1024x24"_s, u"-nolisten"_s, u"tcp"_s});
        if (!server_.waitForStarted(5000))
            return false;
        QByteArray uscita;
        QDeadlineTimer entro(20000);
        while (!entro.hasExpired() && server_.state() == QProcess::Running) {
            server_.waitForReadyRead(200);
            uscita += server_.readAllStandardOutput();
            if (uscita.contains('\n')) {
                schermo_ = u":"_s + QString::fromLatin1(uscita).trimmed();
                return true;
            }
        }
        return false;
    }

    QString Xdo(const QStringList& argomenti)
    {
        QProcess p;
        QProcessEnvironment a = QProcessEnvironment::systemEnvironment();
        a.insert(u"DISPLAY"_s, schermo_);
        p.setProcessEnvironment(a);
        p.start(xdotool_, argomenti);
        p.waitForFinished(10000);
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed().section(u'\n', 0, 0);
    }

    // The shown window with that exact title, "" when none within a while.
    // Generous bounds: a loaded machine starts the program and its window
    // manager slowly.
    QString Cerca(const QString& titolo, QProcess& programma)
    {
        QDeadlineTimer entro(60000);
        while (!entro.hasExpired() && programma.state() == QProcess::Running) {
            const QString id =
                Xdo({u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"^"_s + titolo + u"$"_s});
            if (!id.isEmpty())
                return id;
            QThread::msleep(100);
        }
        return {};
    }

    bool Sparisce(const QString& titolo, QProcess& programma)
    {
        QDeadlineTimer entro(60000);
        while (!entro.hasExpired() && programma.state() == QProcess::Running) {
            if (Xdo({u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"^"_s + titolo + u"$"_s})
                    .isEmpty())
                return true;
            QThread::msleep(100);
        }
        return programma.state() != QProcess::Running;
    }

    void Digita(const QString& finestra, const QStringList& tasti)
    {
        Xdo({u"windowfocus"_s, u"--sync"_s, finestra});
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
    if (!NORVEL_CON_FINESTRE)
        GTEST_SKIP() << "The program with its windows is not built in the core-only build";
    if (!Strumenti()) {
        if (qEnvironmentVariable("NORVEL_E2E") == u"1"_s)
            FAIL() << "Xvfb and xdotool are needed";
        GTEST_SKIP() << "Xvfb and xdotool are needed to type into the real program";
    }
    ASSERT_TRUE(AvviaServer());
    ScriviParolaAccesso(u"GIUSTA"_s);
    const QString programma = Percorso(u"programma"_s);
    ASSERT_TRUE(QDir().mkdir(programma));

    QProcess norvel;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(u"DISPLAY"_s, schermo_);
    ambiente.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    ambiente.insert(u"HOME"_s, Cartella());
    ambiente.insert(u"XDG_CONFIG_HOME"_s, Percorso(u".config"_s));
    norvel.setProcessEnvironment(ambiente);
    norvel.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    norvel.start(QStringLiteral(NORVEL_ESEGUIBILE), {u"--cartella"_s, programma});
    ASSERT_TRUE(norvel.waitForStarted(10000));

    for (int i = 0; i < 3; ++i) {
        const QString richiesta = Cerca(u"RICHIESTA DELLA PASSWORD"_s, norvel);
        ASSERT_FALSE(richiesta.isEmpty()) << "answer " << i;
        Digita(richiesta, {u"type"_s, u"--delay"_s, u"20"_s, u"sbagliata"_s});
        Digita(richiesta, {u"key"_s, u"Return"_s});
        const QString box = Cerca(u"Norvel"_s, norvel);
        ASSERT_FALSE(box.isEmpty()) << "answer " << i;
        Digita(box, {u"key"_s, u"Return"_s});
        ASSERT_TRUE(Sparisce(u"Norvel"_s, norvel));
    }
    ASSERT_TRUE(norvel.waitForFinished(60000));
    EXPECT_EQ(norvel.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(norvel.exitCode(), 1);

    // It ended at the password: no settings file yet, no exit steps.
    EXPECT_FALSE(QFileInfo::exists(programma + u"/norvel.ini"_s));
    QSettings utente(Percorso(u".config/Norvel/norvel.conf"_s), QSettings::IniFormat);
    EXPECT_EQ(utente.value(u"Setting/ExeRun"_s).toString(), u""_s);
    EXPECT_EQ(utente.value(u"Setting/ExePath"_s).toString(), u""_s);
    EXPECT_FALSE(utente.value(u"Accesso/Parola"_s).toString().isEmpty());
}
