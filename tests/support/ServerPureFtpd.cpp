#include "support/ServerPureFtpd.h"

#include "PercorsiTest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <crypt.h>
#include <pwd.h>
#include <unistd.h>

namespace {

QString Pacchetto()
{
    const QString altrove = qEnvironmentVariable("NORVEL_PUREFTPD");
    return altrove.isEmpty() ? QStringLiteral(NORVEL_PUREFTPD) : altrove;
}

} // namespace

ServerPureFtpd::ServerPureFtpd()
{
    // Its sessions would go on serving without it.
    terminaSessioniAllaFine_ = true;
}

QString ServerPureFtpd::Cartella() const
{
    return InRadice(QStringLiteral("home"));
}

void ServerPureFtpd::MettiFile(const QString& nome, const QByteArray& contenuto)
{
    ScriviComeServer(Cartella() + QLatin1Char('/') + nome, contenuto);
}

QByteArray ServerPureFtpd::LeggiFile(const QString& nome) const
{
    return Leggi(Cartella() + QLatin1Char('/') + nome);
}

QStringList ServerPureFtpd::File() const
{
    return FileIn(Cartella());
}

QString ServerPureFtpd::Registro()
{
    return Uscita() + QString::fromLocal8Bit(Leggi(InRadice(QStringLiteral("trasferimenti.log"))));
}

bool ServerPureFtpd::Prepara()
{
    // The sessions, as nobody, must be able to walk into it.
    if (!CreaRadice(QStringLiteral("/tmp/norvel-pureftpd-XXXXXX")))
        return false;
    const passwd* pw = ::getpwnam("nobody");
    if (!pw) {
        motivo_ = QStringLiteral("no user nobody");
        return false;
    }
    comeRoot_ = true;
    uid_ = pw->pw_uid;
    gid_ = pw->pw_gid;
    const auto aperta = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                        QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    if (!QDir().mkpath(Cartella()) || !QFile::setPermissions(Cartella(), aperta) ||
        ::chown(QFile::encodeName(Cartella()).constData(), uid_, gid_) != 0) {
        motivo_ = QStringLiteral("cannot prepare ") + Cartella();
        return false;
    }

    // pure-pw hashes with a deliberately slow function, which makes every
    // login cost the server seconds; a SHA-512 crypt entry, which it accepts
    // as well, keeps the tests' sessions as quick as on the other server.
    const char* impronta =
        crypt(QByteArray(PasswordDogana.data(), PasswordDogana.size()).constData(), "$6$norvel$");
    if (!impronta || impronta[0] == '*') {
        motivo_ = QStringLiteral("crypt() has no SHA-512");
        return false;
    }
    // Home "dir/./": the user is locked into it.
    QFile utenti(InRadice(QStringLiteral("utenti.txt")));
    if (!utenti.open(QIODevice::WriteOnly) ||
        utenti.write(QByteArray(UtenteDogana.data(), UtenteDogana.size()) + ':' + impronta + ':' +
                     QByteArray::number(uid_) + ':' + QByteArray::number(gid_) +
                     "::" + QFile::encodeName(Cartella()) + "/./::::::::::::\n") < 0) {
        motivo_ = QStringLiteral("cannot write ") + utenti.fileName();
        return false;
    }
    utenti.close();
    QProcess purePw;
    purePw.setProcessChannelMode(QProcess::MergedChannels);
    purePw.start(Pacchetto() + QStringLiteral("/usr/bin/pure-pw"),
                 {QStringLiteral("mkdb"), InRadice(QStringLiteral("utenti.pdb")),
                  QStringLiteral("-f"), utenti.fileName()});
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

bool ServerPureFtpd::Avvia()
{
    Ferma();
    motivo_.clear();
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
    // In the foreground; no anonymous users, every user locked into its
    // folder, no name look-ups, any load, sessions idle for long closed.
    return AvviaSuPortaLibera(
        programma, [] { return true; },
        [this] {
            return QStringList{QStringLiteral("-S"),
                               QStringLiteral("127.0.0.1,%1").arg(Porta()),
                               QStringLiteral("-l"),
                               QStringLiteral("puredb:") + InRadice(QStringLiteral("utenti.pdb")),
                               QStringLiteral("-E"),
                               QStringLiteral("-A"),
                               QStringLiteral("-H"),
                               QStringLiteral("-m"),
                               QStringLiteral("10000"),
                               QStringLiteral("-I"),
                               QStringLiteral("5"),
                               QStringLiteral("-O"),
                               QStringLiteral("clf:") +
                                   InRadice(QStringLiteral("trasferimenti.log"))};
        });
}
