#pragma once

#include "support/CartellaProgrammaTest.h"

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

class QTemporaryDir;

// A real FTP server on 127.0.0.1 for the end-to-end tests: its own root under
// /tmp, its own configuration and two virtual users (the Customs user and the
// office's UNIX host), each in a folder of its own. It stops when the object
// goes, and with the test program if that dies.
class ServerFtp
{
public:
    static constexpr QLatin1StringView UtenteDogana{"ACME"};
    static constexpr QLatin1StringView PasswordDogana{"Dogana.2024"};
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

    ServerFtp();
    ~ServerFtp();
    ServerFtp(const ServerFtp&) = delete;
    ServerFtp& operator=(const ServerFtp&) = delete;

    // False when the server cannot be started; Motivo() says why.
    bool Avvia(const Opzioni& opzioni);
    bool Avvia();
    void Ferma();
    bool Attivo() const;
    QString Motivo() const { return motivo_; }

    quint16 Porta() const { return porta_; }
    // "127.0.0.1 port", as the HOSTFTP setting takes it.
    QString Host() const;

    QString CartellaUtente(const QString& utente) const;
    // Leaves a file in the user's folder, as Customs would.
    void MettiFile(const QString& utente, const QString& nome, const QByteArray& contenuto);
    QByteArray LeggiFile(const QString& utente, const QString& nome) const;
    // Names of the files in the user's folder, sorted.
    QStringList File(const QString& utente) const;
    // Kills every session process, as a line that drops would; the server
    // itself goes on. The number of sessions killed.
    int TerminaSessioni();
    // The server's own log, for a failing test's output.
    QString Registro() const;
    // Freezes (and thaws) every session the server is serving: a link that
    // stops answering in the middle of a transfer.
    void SospendiSessioni();
    void RiprendiSessioni();

private:
    bool Prepara(const Opzioni& opzioni);
    bool CreaUtente(const QString& nome, const QString& password);
    bool AttendiPronto();
    void DaiAlServer(const QString& percorso) const;

    std::unique_ptr<QTemporaryDir> radice_;
    QProcess processo_;
    quint16 porta_ = 0;
    uint uid_ = 0;
    uint gid_ = 0;
    bool comeRoot_ = false;
    QList<qint64> sospese_;
    QString motivo_;
};

// A test with a program folder and a running server. When the server cannot be
// started the test is skipped with the reason, or fails when NORVEL_E2E=1.
class ProvaConServerFtp : public CartellaProgrammaTest
{
protected:
    void SetUp() override;
    void TearDown() override;
    virtual ServerFtp::Opzioni OpzioniServer() const { return {}; }

    ServerFtp server_;
};
