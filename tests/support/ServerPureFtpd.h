#pragma once

#include "support/CartellaProgrammaTest.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

class QTemporaryDir;

// A second kind of FTP server on 127.0.0.1 (pure-ftpd, unpacked from its
// package): one virtual user, the Customs one of ServerFtp, locked into a
// folder of its own under /tmp. It serves its users only when started as
// root. It stops when the object goes, and with the test program if that dies.
class ServerPureFtpd
{
public:
    ServerPureFtpd();
    ~ServerPureFtpd();
    ServerPureFtpd(const ServerPureFtpd&) = delete;
    ServerPureFtpd& operator=(const ServerPureFtpd&) = delete;

    // False when the server cannot be started; Motivo() says why.
    bool Avvia();
    void Ferma();
    QString Motivo() const { return motivo_; }

    // "127.0.0.1 port", as the HOSTFTP setting takes it.
    QString Host() const;
    QString Cartella() const;
    void MettiFile(const QString& nome, const QByteArray& contenuto);
    QByteArray LeggiFile(const QString& nome) const;
    // Names of the files in the user's folder, sorted.
    QStringList File() const;
    // What the server said on its output and its transfer log.
    QString Registro();

private:
    bool Prepara();
    bool AttendiPronto();
    void TerminaFigli();

    std::unique_ptr<QTemporaryDir> radice_;
    QProcess processo_;
    quint16 porta_ = 0;
    uint uid_ = 0;
    uint gid_ = 0;
    QString uscita_;
    QString motivo_;
};

// A test with a program folder and a running pure-ftpd. When the server cannot
// be started the test is skipped with the reason, or fails when NORVEL_E2E=1.
class ProvaConPureFtpd : public CartellaProgrammaTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    ServerPureFtpd server_;
};
