#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Puts the stand-in FTP client first on PATH for the life of the object, and
// reads back what it recorded. See tests/fixtures/ftp-finto/ftp for the modes.
class ClienteFinto
{
public:
    explicit ClienteFinto(const QByteArray& modo = "esegui", int attesaSecondi = 0);
    ~ClienteFinto();
    ClienteFinto(const ClienteFinto&) = delete;
    ClienteFinto& operator=(const ClienteFinto&) = delete;

    void Modo(const QByteArray& modo, int attesaSecondi = 0);

    // What the last run of the stand-in received on standard input, its
    // arguments and its working folder; empty when it never ran.
    QByteArray Ingresso() const;
    QString Argomenti() const;
    QString Cartella() const;
    // The process id of the last run, 0 when it never ran.
    qint64 Pid() const;

private:
    QByteArray Leggi(const char* nome) const;

    QTemporaryDir registro_;
    QByteArray pathPrecedente_;
};
