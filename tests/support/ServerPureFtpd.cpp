#include "support/ServerPureFtpd.h"

#include "PercorsiTest.h"
#include "support/ServerFtp.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <pwd.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>
#include <iostream>

namespace {

QString Pacchetto()
{
    const QString altrove = qEnvironmentVariable("NORVEL_PUREFTPD");
    return altrove.isEmpty() ? QStringLiteral(NORVEL_PUREFTPD) : altrove;
}

quint16 PortaLibera()
{
    QTcpServer prova;
    if (!prova.listen(QHostAddress::LocalHost, 0))
        return 0;
    return prova.serverPort();
}

// The processes a process started, and theirs: the sessions and their helpers.
QList<pid_t> Discendenti(qint64 pid)
{
    QList<pid_t> tutti;
    QFile figli(QStringLiteral("/proc/%1/task/%1/children").arg(pid));
    if (!figli.open(QIODevice::ReadOnly))
        return tutti;
    for (const QByteArray& f : figli.readAll().split(' ')) {
        bool ok = false;
        const int figlio = f.trimmed().toInt(&ok);
        if (ok && figlio > 0)
            tutti << Discendenti(figlio) << figlio;
    }
    return tutti;
}

} // namespace

ServerPureFtpd::ServerPureFtpd()
{
    processo_.setProcessChannelMode(QProcess::MergedChannels);
    processo_.setChildProcessModifier([]() { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

ServerPureFtpd::~ServerPureFtpd()
{
    Ferma();
}

QString ServerPureFtpd::Host() const
{
    return QStringLiteral("127.0.0.1 %1").arg(porta_);
}

QString ServerPureFtpd::Cartella() const
{
    return radice_ ? radice_->filePath(QStringLiteral("home")) : QString();
}

void ServerPureFtpd::MettiFile(const QString& nome, const QByteArray& contenuto)
{
    const QString percorso = Cartella() + QLatin1Char('/') + nome;
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly) || f.write(contenuto) != contenuto.size())
        qWarning("cannot write %s", qPrintable(percorso));
    f.close();
    if (::chown(QFile::encodeName(percorso).constData(), uid_, gid_) != 0)
        qWarning("chown %s failed", qPrintable(percorso));
}

QByteArray ServerPureFtpd::LeggiFile(const QString& nome) const
{
    QFile f(Cartella() + QLatin1Char('/') + nome);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList ServerPureFtpd::File() const
{
    return QDir(Cartella()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QString ServerPureFtpd::Registro()
{
    uscita_ += QString::fromLocal8Bit(processo_.readAll());
    QFile f(radice_ ? radice_->filePath(QStringLiteral("trasferimenti.log")) : QString());
    return uscita_ +
           (f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString());
}

bool ServerPureFtpd::Prepara()
{
    // Under /tmp itself: the sessions, as nobody, must be able to walk into it.
    radice_ = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/norvel-pureftpd-XXXXXX"));
    if (!radice_->isValid()) {
        motivo_ = QStringLiteral("cannot create the server's root under /tmp");
        return false;
    }
    const auto aperta = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                        QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(radice_->path(), aperta);
    const passwd* pw = ::getpwnam("nobody");
    if (!pw) {
        motivo_ = QStringLiteral("no user nobody");
        return false;
    }
    uid_ = pw->pw_uid;
    gid_ = pw->pw_gid;
    if (!QDir().mkpath(Cartella()) || !QFile::setPermissions(Cartella(), aperta) ||
        ::chown(QFile::encodeName(Cartella()).constData(), uid_, gid_) != 0) {
        motivo_ = QStringLiteral("cannot prepare ") + Cartella();
        return false;
    }

    QProcess purePw;
    purePw.setProcessChannelMode(QProcess::MergedChannels);
    purePw.start(Pacchetto() + QStringLiteral("/usr/bin/pure-pw"),
                 {QStringLiteral("useradd"), QLatin1String(ServerFtp::UtenteDogana),
                  QStringLiteral("-u"), QString::number(uid_), QStringLiteral("-g"),
                  QString::number(gid_), QStringLiteral("-d"), Cartella(), QStringLiteral("-f"),
                  radice_->filePath(QStringLiteral("utenti.txt")), QStringLiteral("-F"),
                  radice_->filePath(QStringLiteral("utenti.pdb")), QStringLiteral("-m")});
    const QByteArray parola =
        QByteArray(ServerFtp::PasswordDogana.data(), ServerFtp::PasswordDogana.size()) + '\n';
    purePw.write(parola + parola);
    purePw.closeWriteChannel();
    if (!purePw.waitForFinished(30000) || purePw.exitStatus() != QProcess::NormalExit ||
        purePw.exitCode() != 0) {
        motivo_ = QStringLiteral("pure-pw failed: ") + purePw.errorString() + QLatin1Char(' ') +
                  QString::fromLocal8Bit(purePw.readAll());
        purePw.kill();
        purePw.waitForFinished(5000);
        return false;
    }
    return true;
}

bool ServerPureFtpd::AttendiPronto()
{
    const QDeadlineTimer scadenza(15000);
    while (!scadenza.hasExpired()) {
        if (processo_.state() == QProcess::NotRunning || processo_.waitForFinished(0))
            return false;
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, porta_);
        if (s.waitForConnected(500) && s.waitForReadyRead(2000) && s.readLine().startsWith("220"))
            return true;
        QThread::msleep(50);
    }
    return false;
}

bool ServerPureFtpd::Avvia()
{
    Ferma();
    motivo_.clear();
    uscita_.clear();
    const QString programma = Pacchetto() + QStringLiteral("/usr/sbin/pure-ftpd");
    if (!QFileInfo(programma).isExecutable()) {
        motivo_ = programma + QStringLiteral(" missing (scripts/installa.sh unpacks it)");
        return false;
    }
    if (::geteuid() != 0) {
        motivo_ = QStringLiteral("pure-ftpd lets its virtual users in only when run as root");
        return false;
    }
    if (!Prepara())
        return false;
    // A port found free can be taken by someone else before the server binds it.
    for (int tentativo = 0; tentativo < 3; ++tentativo) {
        porta_ = PortaLibera();
        if (porta_ == 0)
            break;
        // In the foreground; no anonymous users, every user locked into its
        // folder, no name look-ups, any load, sessions idle for long closed.
        processo_.start(
            programma,
            {QStringLiteral("-S"), QStringLiteral("127.0.0.1,%1").arg(porta_), QStringLiteral("-l"),
             QStringLiteral("puredb:") + radice_->filePath(QStringLiteral("utenti.pdb")),
             QStringLiteral("-E"), QStringLiteral("-A"), QStringLiteral("-H"), QStringLiteral("-m"),
             QStringLiteral("10000"), QStringLiteral("-I"), QStringLiteral("5"),
             QStringLiteral("-O"),
             QStringLiteral("clf:") + radice_->filePath(QStringLiteral("trasferimenti.log"))});
        if (!processo_.waitForStarted(5000)) {
            motivo_ = QStringLiteral("pure-ftpd does not start: ") + processo_.errorString();
            return false;
        }
        if (AttendiPronto())
            return true;
        processo_.kill();
        processo_.waitForFinished(5000);
        motivo_ = QStringLiteral("pure-ftpd did not come up: ") + Registro();
    }
    if (motivo_.isEmpty())
        motivo_ = QStringLiteral("no free port on 127.0.0.1");
    return false;
}

void ServerPureFtpd::TerminaFigli()
{
    const qint64 pid = processo_.processId();
    if (pid > 0)
        for (pid_t figlio : Discendenti(pid))
            ::kill(figlio, SIGKILL);
}

void ServerPureFtpd::Ferma()
{
    if (processo_.state() == QProcess::NotRunning)
        return;
    // Its sessions would go on serving without it.
    TerminaFigli();
    processo_.terminate();
    if (!processo_.waitForFinished(5000)) {
        processo_.kill();
        processo_.waitForFinished(5000);
    }
    uscita_ += QString::fromLocal8Bit(processo_.readAll());
}

void ProvaConPureFtpd::SetUp()
{
    CartellaProgrammaTest::SetUp();
    const bool obbligatorio = qgetenv("NORVEL_E2E") == "1";
    if (QStandardPaths::findExecutable(QStringLiteral("ftp")).isEmpty()) {
        if (obbligatorio)
            FAIL() << "no ftp client on PATH (tnftp)";
        GTEST_SKIP() << "no ftp client on PATH (tnftp)";
    }
    if (!server_.Avvia()) {
        if (obbligatorio)
            FAIL() << "pure-ftpd not started: " << server_.Motivo().toStdString();
        GTEST_SKIP() << "pure-ftpd not started: " << server_.Motivo().toStdString();
    }
}

void ProvaConPureFtpd::TearDown()
{
    if (HasFailure())
        std::cerr << "pure-ftpd log:\n" << server_.Registro().toStdString();
    server_.Ferma();
    CartellaProgrammaTest::TearDown();
}
