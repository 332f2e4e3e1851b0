#include "PercorsiTest.h"
#include "support/CartellaProgrammaTest.h"

#include "shell/ArchivioParola.h"
#include "shell/Impostazioni.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <sys/syscall.h>

using namespace Qt::StringLiterals;

namespace {

struct CasoTermine
{
    const char* nome;
    int segnale;
    // What holds the program at start-up when the signal comes.
    enum
    {
        Parametri,
        BoxDiErrore,
        Password
    } cosa;
};

// The real program, stopped by a signal while a window or a box of its
// start-up waits for an answer.
class TerminazioneTest : public CartellaProgrammaTest,
                         public ::testing::WithParamInterface<CasoTermine>
{
protected:
    // The program catches the signal and its main thread sleeps in poll():
    // the window or box is up and waits for an answer.
    static bool InAttesa(qint64 pid, int segnale)
    {
        QFile stato(QStringLiteral("/proc/%1/status").arg(pid));
        if (!stato.open(QIODevice::ReadOnly))
            return false;
        bool presi = false;
        for (const QByteArray& riga : stato.readAll().split('\n'))
            if (riga.startsWith("SigCgt:"))
                presi = (riga.mid(7).trimmed().toULongLong(nullptr, 16) >> (segnale - 1)) & 1;
        QFile chiamata(QStringLiteral("/proc/%1/syscall").arg(pid));
        if (!presi || !chiamata.open(QIODevice::ReadOnly))
            return presi;
        const QByteArray numero = chiamata.readAll().split(' ').value(0);
        return numero == QByteArray::number(SYS_poll) || numero == QByteArray::number(SYS_ppoll);
    }
};

TEST_P(TerminazioneTest, FinisceEntroUnSecondo)
{
    const CasoTermine caso = GetParam();
    const QString programma = Percorso(u"programma"_s);
    ASSERT_TRUE(QDir().mkdir(programma));
    const QString ini = programma + u"/norvel.ini"_s;
    switch (caso.cosa) {
    case CasoTermine::Parametri:
        // No base folder: the connection parameters window opens.
        ScriviIni(ini, u"PC"_s, u"PATH"_s, u""_s);
        break;
    case CasoTermine::BoxDiErrore:
        // A base folder that cannot be made: the error box.
        ScriviFile(u"un-file"_s, "x");
        ScriviIni(ini, u"PC"_s, u"PATH"_s, Percorso(u"un-file/Base"_s));
        break;
    case CasoTermine::Password:
        ScriviParolaAccesso(u"GIUSTA"_s);
        break;
    }

    QProcess norvel;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(u"HOME"_s, Cartella());
    ambiente.insert(u"XDG_CONFIG_HOME"_s, Percorso(u".config"_s));
    ambiente.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    norvel.setProcessEnvironment(ambiente);
    norvel.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    norvel.start(QStringLiteral(NORVEL_ESEGUIBILE), {u"--cartella"_s, programma});
    ASSERT_TRUE(norvel.waitForStarted(10000));
    // TempFile is made just before the parameters window or the error box; the
    // password is asked before anything is made.
    if (caso.cosa != CasoTermine::Password) {
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return QFileInfo::exists(programma + u"/TempFile"_s); }, 20000));
    }
    const qint64 pid = norvel.processId();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return norvel.state() != QProcess::Running || InAttesa(pid, caso.segnale); }, 60000));
    ASSERT_EQ(norvel.state(), QProcess::Running) << "it did not wait for an answer";

    QElapsedTimer tempo;
    tempo.start();
    ::kill(static_cast<pid_t>(norvel.processId()), caso.segnale);
    ASSERT_TRUE(norvel.waitForFinished(10000));
    EXPECT_LT(tempo.elapsed(), 1000);
    EXPECT_EQ(norvel.exitStatus(), QProcess::NormalExit);
}

INSTANTIATE_TEST_SUITE_P(
    AllAvvio, TerminazioneTest,
    ::testing::Values(CasoTermine{"ParametriConSigterm", SIGTERM, CasoTermine::Parametri},
                      CasoTermine{"ParametriConSigint", SIGINT, CasoTermine::Parametri},
                      CasoTermine{"BoxDiErroreConSigterm", SIGTERM, CasoTermine::BoxDiErrore},
                      CasoTermine{"PasswordConSigterm", SIGTERM, CasoTermine::Password}),
    [](const ::testing::TestParamInfo<CasoTermine>& info) { return std::string(info.param.nome); });

} // namespace
