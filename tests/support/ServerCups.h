#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

class QTemporaryDir;

// A CUPS scheduler of the test program's own: its configuration, spool and
// socket in a folder under /tmp, no network, printer queues on the cups-pdf
// backend. The program's printing reaches it through CUPS_SERVER, which
// libcups reads once: the server is one for the whole test program, started
// by the first test that wants it and stopped with the program.
class ServerCups
{
public:
    static ServerCups& Condiviso();

    // Starts the scheduler if needed and makes sure the queues exist, the
    // first being the default. False, with Motivo(), when it cannot.
    bool Avvia(const QStringList& code);
    QString Motivo() const { return motivo_; }

    ~ServerCups();

private:
    ServerCups() = default;
    bool AvviaDemone();
    bool Esegui(const QString& programma, const QStringList& argomenti);

    std::unique_ptr<QTemporaryDir> radice_;
    QProcess processo_;
    QStringList code_;
    QString motivo_;
    bool fallito_ = false;
};

// Skips the test with the reason, or fails it when NORVEL_E2E=1.
#define RICHIEDI_CUPS(code)                                                                        \
    do {                                                                                           \
        if (!ServerCups::Condiviso().Avvia(code)) {                                                \
            if (qgetenv("NORVEL_E2E") == "1")                                                      \
                FAIL() << "CUPS not started: " << ServerCups::Condiviso().Motivo().toStdString();  \
            GTEST_SKIP() << "CUPS not started: "                                                   \
                         << ServerCups::Condiviso().Motivo().toStdString();                        \
        }                                                                                          \
    } while (false)
