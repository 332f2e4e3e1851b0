#pragma once

#include "support/ProvaEndToEnd.h"
#include "support/ServerDiProva.h"

// A real FTP server (ProFTPD) on 127.0.0.1 for the end-to-end tests: its own
// configuration and two virtual users (the Customs user and the office's UNIX
// host), each in a folder of its own.
class ServerFtp : public ServerDiProva
{
public:
    static constexpr QLatin1StringView UtenteUnix{"irildes"};
    static constexpr QLatin1StringView PasswordUnix{"Unix.2024"};

    struct Opzioni
    {
        QString nomeRifiutato;        // the server refuses uploads of this file name
        int velocitaScaricoKBs = 0;   // downloads at most this fast (0: no limit)
        QString passwordDogana;       // instead of PasswordDogana
        int kbSecondiCaricamento = 0; // uploads throttled to this rate (0: free)
        bool rifiutaModelli = false;  // refuses any command with "*" or "?", as some servers
                                      // refuse a listing with a pattern
    };

    // False when the server cannot be started; Motivo() says why.
    bool Avvia(const Opzioni& opzioni);
    bool Avvia() { return Avvia(Opzioni()); }

    QString CartellaUtente(const QString& utente) const;
    // Leaves a file in the user's folder, as Customs would.
    void MettiFile(const QString& utente, const QString& nome, const QByteArray& contenuto);
    QByteArray LeggiFile(const QString& utente, const QString& nome) const;
    // Names of the files in the user's folder, sorted.
    QStringList File(const QString& utente) const;
    QString Registro() override;

private:
    bool Prepara(const Opzioni& opzioni);
    bool CreaUtente(const QString& nome, const QString& password);
};

// An end-to-end test against a ProFTPD started with opzioni_ (set them in the
// test's constructor).
class ProvaConServerFtp : public ProvaEndToEnd
{
protected:
    ServerDiProva& Server() override { return server_; }
    bool AvviaServer() override { return server_.Avvia(opzioni_); }
    QString PasswordDogana() const override;
    // The office's UNIX host as the program finds it: this server's other user.
    void CollegaUnix();

    ServerFtp::Opzioni opzioni_;
    ServerFtp server_;
};
