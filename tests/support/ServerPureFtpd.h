#pragma once

#include "support/ProvaEndToEnd.h"
#include "support/ServerDiProva.h"

// A second kind of FTP server on 127.0.0.1 (pure-ftpd, unpacked from its
// package): one virtual user, the Customs one, locked into a folder of its own
// under /tmp. It serves its users only when started as root.
class ServerPureFtpd : public ServerDiProva
{
public:
    ServerPureFtpd();

    // False when the server cannot be started; Motivo() says why.
    bool Avvia();

    QString Cartella() const;
    void MettiFile(const QString& nome, const QByteArray& contenuto);
    QByteArray LeggiFile(const QString& nome) const;
    // Names of the files in the user's folder, sorted.
    QStringList File() const;
    // What the server said on its output and its transfer log.
    QString Registro() override;

private:
    bool Prepara();
};

// An end-to-end test against a pure-ftpd.
class ProvaConPureFtpd : public ProvaEndToEnd
{
protected:
    ServerDiProva& Server() override { return server_; }
    bool AvviaServer() override { return server_.Avvia(); }

    ServerPureFtpd server_;
};
