#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <sys/types.h>

#include <functional>
#include <memory>

class QTemporaryDir;

// What the tests' FTP servers share: a root of their own under /tmp, a process
// on a free port of 127.0.0.1 that dies with the test program, the wait for its
// greeting, the sessions it serves. The Customs user is the same on every one.
class ServerDiProva
{
public:
    static constexpr QLatin1StringView UtenteDogana{"ACME"};
    static constexpr QLatin1StringView PasswordDogana{"Dogana.2024"};

    virtual ~ServerDiProva();
    ServerDiProva(const ServerDiProva&) = delete;
    ServerDiProva& operator=(const ServerDiProva&) = delete;

    void Ferma();
    bool Attivo() const;
    QString Motivo() const { return motivo_; }
    quint16 Porta() const { return porta_; }
    // "127.0.0.1 port", as the HOSTFTP setting takes it.
    QString Host() const;
    // What the server said, for a failing test's output.
    virtual QString Registro() = 0;

    // Kills every session process, as a line that drops would; the server
    // itself goes on. The number of sessions killed.
    int TerminaSessioni();
    // Freezes (and thaws) every session the server is serving: a link that
    // stops answering in the middle of a transfer.
    void SospendiSessioni();
    void RiprendiSessioni();

protected:
    ServerDiProva();

    // The root under /tmp itself, open to all: the server's own user must be
    // able to walk into it.
    bool CreaRadice(const QString& modello);
    QString InRadice(const QString& nome) const;
    // Starts programma with the arguments for a free port, trying another
    // port when one is taken first; prepara runs before each try.
    bool AvviaSuPortaLibera(const QString& programma, const std::function<bool()>& prepara,
                            const std::function<QStringList()>& argomenti);
    // A file written as the user the server serves as (when run as root).
    void ScriviComeServer(const QString& percorso, const QByteArray& contenuto) const;
    void DaiAlServer(const QString& percorso) const;
    static QByteArray Leggi(const QString& percorso);
    static QStringList FileIn(const QString& cartella);
    // The output the process gave so far.
    QString Uscita();

    std::unique_ptr<QTemporaryDir> radice_;
    uint uid_ = 0;
    uint gid_ = 0;
    bool comeRoot_ = false;
    // Sessions outlive a server that is only told to stop.
    bool terminaSessioniAllaFine_ = false;
    QString motivo_;

private:
    // The session processes (and theirs, when tutte).
    QList<pid_t> Sessioni(bool tutte) const;
    bool AttendiPronto();

    QProcess processo_;
    quint16 porta_ = 0;
    QList<pid_t> sospese_;
    QString uscita_;
};
