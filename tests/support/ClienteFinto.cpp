#include "support/ClienteFinto.h"

#include "PercorsiTest.h"

#include <QFile>

ClienteFinto::ClienteFinto(const QByteArray& modo, int attesaSecondi)
    : pathPrecedente_(qgetenv("PATH"))
{
    qputenv("PATH", QByteArray(NORVEL_FIXTURES "/ftp-finto:") + pathPrecedente_);
    qputenv("NORVEL_FTP_REGISTRO", registro_.path().toLocal8Bit());
    Modo(modo, attesaSecondi);
}

ClienteFinto::~ClienteFinto()
{
    qputenv("PATH", pathPrecedente_);
    qunsetenv("NORVEL_FTP_REGISTRO");
    qunsetenv("NORVEL_FTP_MODO");
    qunsetenv("NORVEL_FTP_ATTESA");
}

void ClienteFinto::Modo(const QByteArray& modo, int attesaSecondi)
{
    qputenv("NORVEL_FTP_MODO", modo);
    qputenv("NORVEL_FTP_ATTESA", QByteArray::number(attesaSecondi));
}

QByteArray ClienteFinto::Leggi(const char* nome) const
{
    QFile f(registro_.filePath(QString::fromLatin1(nome)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray ClienteFinto::Ingresso() const
{
    return Leggi("stdin");
}

QString ClienteFinto::Argomenti() const
{
    return QString::fromLocal8Bit(Leggi("argomenti")).trimmed();
}

QString ClienteFinto::Cartella() const
{
    return QString::fromLocal8Bit(Leggi("cartella")).trimmed();
}

qint64 ClienteFinto::Pid() const
{
    return Leggi("pid").trimmed().toLongLong();
}
