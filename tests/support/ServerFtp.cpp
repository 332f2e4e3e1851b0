#include "support/ServerFtp.h"

#include "PercorsiTest.h"

#include "shell/Global.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

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

} // namespace

QString ServerFtp::CartellaUtente(const QString& utente) const
{
    return radice_ ? InRadice(QStringLiteral("home/") + utente) : QString();
}

void ServerFtp::MettiFile(const QString& utente, const QString& nome, const QByteArray& contenuto)
{
    ScriviComeServer(CartellaUtente(utente) + QLatin1Char('/') + nome, contenuto);
}

QByteArray ServerFtp::LeggiFile(const QString& utente, const QString& nome) const
{
    return Leggi(CartellaUtente(utente) + QLatin1Char('/') + nome);
}

QStringList ServerFtp::File(const QString& utente) const
{
    return FileIn(CartellaUtente(utente));
}

QString ServerFtp::Registro()
{
    return Uscita() + QString::fromLocal8Bit(Leggi(InRadice(QStringLiteral("proftpd.log"))));
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
    if (!CreaRadice(QStringLiteral("/tmp/norvel-ftp-XXXXXX")))
        return false;

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
        .replace(QStringLiteral("@PORTA@"), QString::number(Porta()))
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

bool ServerFtp::Avvia(const Opzioni& opzioni)
{
    Ferma();
    motivo_.clear();
    const QString proftpd = Programma(QStringLiteral("proftpd"));
    if (proftpd.isEmpty()) {
        motivo_ = QStringLiteral("proftpd not installed (proftpd-basic)");
        return false;
    }
    return AvviaSuPortaLibera(
        proftpd, [&] { return Prepara(opzioni); },
        [this] {
            return QStringList{QStringLiteral("-n"), QStringLiteral("-c"),
                               InRadice(QStringLiteral("proftpd.conf"))};
        });
}

QString ProvaConServerFtp::PasswordDogana() const
{
    const QString altra = opzioni_.passwordDogana;
    return altra.isEmpty() ? ProvaEndToEnd::PasswordDogana() : altra;
}

void ProvaConServerFtp::CollegaUnix()
{
    ParametriUnix.Host = server_.Host();
    ParametriUnix.Utente = ServerFtp::UtenteUnix;
    ParametriUnix.Password = ServerFtp::PasswordUnix;
    // As root the server shuts each user in its own folder.
    ParametriUnix.Cartella =
        ::geteuid() == 0 ? QString() : server_.CartellaUtente(ServerFtp::UtenteUnix);
}
