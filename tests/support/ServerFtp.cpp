#include "support/ServerFtp.h"

#include "PercorsiTest.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <grp.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>
#include <iostream>

using namespace Qt::StringLiterals;

namespace {

QString Programma(const QString& nome)
{
    QString p = QStandardPaths::findExecutable(nome);
    if (p.isEmpty())
        p = QStandardPaths::findExecutable(nome,
                                           {u"/usr/sbin"_s, u"/sbin"_s, u"/usr/local/sbin"_s});
    return p;
}

quint16 PortaLibera()
{
    QTcpServer prova;
    if (!prova.listen(QHostAddress::LocalHost, 0))
        return 0;
    return prova.serverPort();
}

} // namespace

ServerFtp::ServerFtp()
{
    processo_.setProcessChannelMode(QProcess::MergedChannels);
    processo_.setChildProcessModifier([]() { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

ServerFtp::~ServerFtp()
{
    Ferma();
}

QString ServerFtp::Host() const
{
    return QStringLiteral("127.0.0.1 %1").arg(porta_);
}

QString ServerFtp::CartellaUtente(const QString& utente) const
{
    return radice_ ? radice_->filePath(QStringLiteral("home/") + utente) : QString();
}

void ServerFtp::DaiAlServer(const QString& percorso) const
{
    if (comeRoot_ && ::chown(QFile::encodeName(percorso).constData(), uid_, gid_) != 0)
        qWarning("chown %s failed", qPrintable(percorso));
}

void ServerFtp::MettiFile(const QString& utente, const QString& nome, const QByteArray& contenuto)
{
    const QString percorso = CartellaUtente(utente) + QLatin1Char('/') + nome;
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly) || f.write(contenuto) != contenuto.size())
        qWarning("cannot write %s", qPrintable(percorso));
    f.close();
    DaiAlServer(percorso);
}

QByteArray ServerFtp::LeggiFile(const QString& utente, const QString& nome) const
{
    QFile f(CartellaUtente(utente) + QLatin1Char('/') + nome);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList ServerFtp::File(const QString& utente) const
{
    return QDir(CartellaUtente(utente)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QString ServerFtp::Registro() const
{
    if (!radice_)
        return {};
    QFile f(radice_->filePath(QStringLiteral("proftpd.log")));
    return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString();
}

bool ServerFtp::CreaUtente(const QString& nome, const QString& password)
{
    const QString home = CartellaUtente(nome);
    if (!QDir().mkpath(home)) {
        motivo_ = QStringLiteral("cannot create ") + home;
        return false;
    }
    QFile::setPermissions(home, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                    QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                    QFile::ExeOther);
    DaiAlServer(home);
    QProcess ftpasswd;
    ftpasswd.setProcessChannelMode(QProcess::MergedChannels);
    ftpasswd.start(Programma(QStringLiteral("ftpasswd")),
                   {QStringLiteral("--passwd"),
                    QStringLiteral("--file=") + radice_->filePath(QStringLiteral("ftpd.passwd")),
                    QStringLiteral("--name=") + nome, QStringLiteral("--uid=%1").arg(uid_),
                    QStringLiteral("--gid=%1").arg(gid_), QStringLiteral("--home=") + home,
                    QStringLiteral("--shell=/bin/false"), QStringLiteral("--stdin")});
    ftpasswd.write(password.toUtf8() + '\n');
    ftpasswd.closeWriteChannel();
    if (!ftpasswd.waitForFinished(20000) || ftpasswd.exitCode() != 0) {
        motivo_ = QStringLiteral("ftpasswd failed: ") + QString::fromLocal8Bit(ftpasswd.readAll());
        ftpasswd.kill();
        return false;
    }
    return true;
}

bool ServerFtp::Prepara(const Opzioni& opzioni)
{
    // Under /tmp itself: the server's own user must be able to walk into it.
    radice_ = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/norvel-ftp-XXXXXX"));
    if (!radice_->isValid()) {
        motivo_ = QStringLiteral("cannot create the server's root under /tmp");
        return false;
    }
    QFile::setPermissions(radice_->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadGroup | QFile::ExeGroup |
                                               QFile::ReadOther | QFile::ExeOther);

    // As root the server serves its sessions as nobody; otherwise as ourselves.
    comeRoot_ = ::geteuid() == 0;
    QString utenteServer;
    QString gruppoServer;
    if (comeRoot_) {
        const passwd* pw = ::getpwnam("nobody");
        if (!pw) {
            motivo_ = QStringLiteral("no user nobody");
            return false;
        }
        uid_ = pw->pw_uid;
        gid_ = pw->pw_gid;
        utenteServer = QString::fromLocal8Bit(pw->pw_name);
        const group* gr = ::getgrgid(gid_);
        gruppoServer = gr ? QString::fromLocal8Bit(gr->gr_name) : QStringLiteral("nogroup");
    } else {
        // Without root the server must be told to stay who it is.
        uid_ = ::getuid();
        gid_ = ::getgid();
        const passwd* pw = ::getpwuid(uid_);
        const group* gr = ::getgrgid(gid_);
        if (!pw || !gr) {
            motivo_ = QStringLiteral("the test's user or group has no name");
            return false;
        }
        utenteServer = QString::fromLocal8Bit(pw->pw_name);
        gruppoServer = QString::fromLocal8Bit(gr->gr_name);
    }

    if (Programma(QStringLiteral("ftpasswd")).isEmpty()) {
        motivo_ = QStringLiteral("ftpasswd not installed (proftpd-basic)");
        return false;
    }
    const QString parola =
        opzioni.passwordDogana.isEmpty() ? QLatin1String(PasswordDogana) : opzioni.passwordDogana;
    if (!CreaUtente(QLatin1String(UtenteDogana), parola) ||
        !CreaUtente(QLatin1String(UtenteUnix), QLatin1String(PasswordUnix)))
        return false;
    {
        QFile gruppi(radice_->filePath(QStringLiteral("ftpd.group")));
        gruppi.open(QIODevice::WriteOnly);
        gruppi.write(QStringLiteral("ftp:x:%1:%2,%3\n")
                         .arg(gid_)
                         .arg(QLatin1String(UtenteDogana), QLatin1String(UtenteUnix))
                         .toUtf8());
        gruppi.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    }

    // The configuration is the one the demo sandbox also fills in.
    QFile modello(QStringLiteral(NORVEL_FIXTURES "/proftpd/proftpd.conf.in"));
    if (!modello.open(QIODevice::ReadOnly)) {
        motivo_ = QStringLiteral("cannot read ") + modello.fileName();
        return false;
    }
    QString altro;
    if (opzioni.velocitaScaricoKBs > 0)
        altro += QStringLiteral("TransferRate RETR %1\n").arg(opzioni.velocitaScaricoKBs);
    if (opzioni.kbSecondiCaricamento > 0)
        // A small receive buffer: otherwise the whole file sits in the server's
        // queue at once and the client has nothing left to show for a while.
        altro += QStringLiteral("TransferRate STOR %1\nSocketOptions rcvbuf 8192\n")
                     .arg(opzioni.kbSecondiCaricamento);
    if (!opzioni.nomeRifiutato.isEmpty())
        altro += QStringLiteral("<Directory /*>\n  PathDenyFilter \"(^|/)%1$\"\n</Directory>\n")
                     .arg(QRegularExpression::escape(opzioni.nomeRifiutato));
    if (opzioni.rifiutaModelli)
        altro += QStringLiteral("DenyFilter \"[*?]\"\n");
    QString conf = QString::fromUtf8(modello.readAll());
    conf.replace(QStringLiteral("@NOME@"), QStringLiteral("norvel-test"))
        .replace(QStringLiteral("@PORTA@"), QString::number(porta_))
        .replace(QStringLiteral("@UTENTE@"), utenteServer)
        .replace(QStringLiteral("@GRUPPO@"), gruppoServer)
        // Locking users into their folder needs root; the tests only use their own.
        .replace(QStringLiteral("@RADICE_UTENTI@"),
                 comeRoot_ ? QStringLiteral("DefaultRoot ~") : QString())
        .replace(QStringLiteral("@RADICE@"), radice_->path())
        .replace(QStringLiteral("@ALTRO@"), altro);
    QFile f(radice_->filePath(QStringLiteral("proftpd.conf")));
    if (!f.open(QIODevice::WriteOnly) || f.write(conf.toUtf8()) < 0) {
        motivo_ = QStringLiteral("cannot write the server's configuration");
        return false;
    }
    return true;
}

bool ServerFtp::AttendiPronto()
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

bool ServerFtp::Avvia()
{
    return Avvia(Opzioni());
}

bool ServerFtp::Avvia(const Opzioni& opzioni)
{
    Ferma();
    motivo_.clear();
    const QString proftpd = Programma(QStringLiteral("proftpd"));
    if (proftpd.isEmpty()) {
        motivo_ = QStringLiteral("proftpd not installed (proftpd-basic)");
        return false;
    }
    // A port found free can be taken by someone else before the server binds it.
    for (int tentativo = 0; tentativo < 3; ++tentativo) {
        porta_ = PortaLibera();
        if (porta_ == 0 || !Prepara(opzioni))
            break;
        processo_.start(proftpd, {QStringLiteral("-n"), QStringLiteral("-c"),
                                  radice_->filePath(QStringLiteral("proftpd.conf"))});
        if (!processo_.waitForStarted(5000)) {
            motivo_ = QStringLiteral("proftpd does not start: ") + processo_.errorString();
            return false;
        }
        if (AttendiPronto())
            return true;
        processo_.kill();
        processo_.waitForFinished(5000);
        motivo_ = QStringLiteral("proftpd did not come up: ") +
                  QString::fromLocal8Bit(processo_.readAll()) + Registro();
    }
    if (motivo_.isEmpty())
        motivo_ = QStringLiteral("no free port on 127.0.0.1");
    return false;
}

int ServerFtp::TerminaSessioni()
{
    const qint64 pid = processo_.processId();
    if (pid <= 0)
        return 0;
    QFile figli(QStringLiteral("/proc/%1/task/%1/children").arg(pid));
    if (!figli.open(QIODevice::ReadOnly))
        return 0;
    int n = 0;
    for (const QByteArray& f : figli.readAll().split(' ')) {
        bool ok = false;
        const int figlio = f.trimmed().toInt(&ok);
        if (ok && figlio > 0 && ::kill(figlio, SIGKILL) == 0)
            ++n;
    }
    return n;
}

bool ServerFtp::Attivo() const
{
    return processo_.state() == QProcess::Running;
}

void ServerFtp::SospendiSessioni()
{
    const qint64 pid = processo_.processId();
    if (pid <= 0)
        return;
    QFile figli(QStringLiteral("/proc/%1/task/%1/children").arg(pid));
    if (!figli.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray& f : figli.readAll().split(' ')) {
        bool ok = false;
        const int figlio = f.trimmed().toInt(&ok);
        if (ok && figlio > 0 && ::kill(figlio, SIGSTOP) == 0)
            sospese_.append(figlio);
    }
}

void ServerFtp::RiprendiSessioni()
{
    for (qint64 pid : std::as_const(sospese_))
        ::kill(static_cast<pid_t>(pid), SIGCONT);
    sospese_.clear();
}

void ServerFtp::Ferma()
{
    RiprendiSessioni();
    if (processo_.state() != QProcess::NotRunning) {
        processo_.terminate();
        if (!processo_.waitForFinished(5000)) {
            processo_.kill();
            processo_.waitForFinished(5000);
        }
    }
}

void ProvaConServerFtp::SetUp()
{
    CartellaProgrammaTest::SetUp();
    const bool obbligatorio = qgetenv("NORVEL_E2E") == "1";
    if (QStandardPaths::findExecutable(QStringLiteral("ftp")).isEmpty()) {
        if (obbligatorio)
            FAIL() << "no ftp client on PATH (tnftp)";
        GTEST_SKIP() << "no ftp client on PATH (tnftp)";
    }
    if (!server_.Avvia(OpzioniServer())) {
        if (obbligatorio)
            FAIL() << "FTP server not started: " << server_.Motivo().toStdString();
        GTEST_SKIP() << "FTP server not started: " << server_.Motivo().toStdString();
    }
}

void ProvaConServerFtp::TearDown()
{
    if (HasFailure())
        std::cerr << "server log:\n" << server_.Registro().toStdString();
    server_.Ferma();
    CartellaProgrammaTest::TearDown();
}
