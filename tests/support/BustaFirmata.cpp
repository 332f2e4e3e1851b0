#include "support/BustaFirmata.h"

#include "PercorsiTest.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace {

bool Openssl(const QStringList& argomenti, const QByteArray& ingresso, QByteArray* uscita,
             QString* motivo)
{
    const QString programma = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    if (programma.isEmpty()) {
        *motivo = QStringLiteral("openssl not installed");
        return false;
    }
    QProcess p;
    p.start(programma, argomenti);
    p.write(ingresso);
    p.closeWriteChannel();
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *motivo = QStringLiteral("openssl ") + argomenti.join(QLatin1Char(' ')) +
                  QStringLiteral(" failed: ") + QString::fromLocal8Bit(p.readAllStandardError());
        p.kill();
        return false;
    }
    if (uscita)
        *uscita = p.readAllStandardOutput();
    return true;
}

} // namespace

bool BustaFirmata::Prepara(const QString& cartella)
{
    cartella_ = cartella;
    chiave_ = QDir(cartella).filePath(QStringLiteral("firmatario.key"));
    certificato_ = QDir(cartella).filePath(QStringLiteral("firmatario.pem"));
    QDir().mkpath(cartella);
    return Openssl({QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                    QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-keyout"),
                    chiave_, QStringLiteral("-out"), certificato_, QStringLiteral("-days"),
                    QStringLiteral("30"), QStringLiteral("-subj"),
                    QStringLiteral("/O=Dogana di prova/CN=Firma risposte")},
                   {}, nullptr, &motivo_);
}

QByteArray BustaFirmata::Firma(const QByteArray& contenuto, const QString& formato)
{
    QByteArray busta;
    if (!Openssl({QStringLiteral("cms"), QStringLiteral("-sign"), QStringLiteral("-nodetach"),
                  QStringLiteral("-binary"), QStringLiteral("-outform"), formato,
                  QStringLiteral("-signer"), certificato_, QStringLiteral("-inkey"), chiave_},
                 contenuto, &busta, &motivo_))
        qWarning("%s", qPrintable(motivo_));
    return busta;
}

QString SbustaRiferimento()
{
    return QStringLiteral(NORVEL_SORGENTI "/tools/Sbusta.sh");
}
