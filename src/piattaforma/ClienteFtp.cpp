#include "piattaforma/ClienteFtp.h"

#include <QList>
#include <QStandardPaths>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif

QByteArray TraduciScriptFtp(const QByteArray& script)
{
    QByteArray uscita;
    const QList<QByteArray> righe = script.split('\n');
    for (QByteArray riga : righe) {
        if (riga.endsWith('\r'))
            riga.chop(1);
        if (riga.isEmpty())
            continue;
        const QByteArray comando = riga.trimmed();
        const qsizetype spazio = comando.indexOf(' ');
        const QByteArray verbo = (spazio < 0 ? comando : comando.left(spazio)).toLower();
        if (verbo == "close") {
            riga = "close";
        } else if (verbo == "ls") {
            riga = "nlist" + comando.mid(2);
        } else if (verbo == "!del") {
            riga = "!rm -f" + comando.mid(4);
        }
        uscita += riga + '\n';
    }
    return uscita;
}

QByteArray RigaUtenteCliente(const QString& utente, const QString& password)
{
    // The client splits its arguments at blanks and takes the character after
    // a backslash as it is (inside quotes a backslash would stay).
    auto tra = [](const QString& t) -> QByteArray {
        const QByteArray b = t.toLocal8Bit();
        if (b.isEmpty())
            return "\"\"";
        QByteArray uscita;
        for (const char c : b) {
            if (c == ' ' || c == '\t' || c == '"' || c == '\'' || c == '\\')
                uscita += '\\';
            uscita += c;
        }
        return uscita;
    };
    return QByteArray("user ") + tra(utente) + ' ' + tra(password);
}

ClienteFtp::ClienteFtp(QObject* genitore) : QObject(genitore)
{
    processo_.setProcessChannelMode(QProcess::MergedChannels);
    connect(&processo_, &QProcess::readyRead, this, &ClienteFtp::Raccogli);
    connect(&processo_, &QProcess::finished, this, [this](int codice, QProcess::ExitStatus stato) {
        uscita_ = stato == QProcess::NormalExit ? codice : -1;
        Raccogli();
        emit Terminato();
    });
#ifdef Q_OS_LINUX
    // The client must not outlive a program that died during a run.
    processo_.setChildProcessModifier([]() { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
#endif
}

ClienteFtp::~ClienteFtp()
{
    if (processo_.state() != QProcess::NotRunning) {
        processo_.kill();
        processo_.waitForFinished(3000);
    }
}

QString ClienteFtp::Programma()
{
    // tnftp by its own name: the transcript reader knows its messages, while
    // "ftp" may be whichever client the system's alternatives point at.
    const QString tnftp = QStandardPaths::findExecutable(QStringLiteral("tnftp"));
    return tnftp.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("ftp")) : tnftp;
}

bool ClienteFtp::Avvia(const QString& cartella, const QByteArray& script)
{
    trascrizione_.clear();
    errore_.clear();
    pid_ = 0;
    uscita_ = -1;
    const QString programma = Programma();
    if (programma.isEmpty()) {
        errore_ = QStringLiteral("né tnftp né ftp trovati nel PATH");
        return false;
    }
    processo_.setWorkingDirectory(cartella);
    processo_.start(programma, {QStringLiteral("-n"), QStringLiteral("-i"), QStringLiteral("-v")});
    if (!processo_.waitForStarted(10000)) {
        errore_ = processo_.errorString();
        return false;
    }
    pid_ = processo_.processId();
    processo_.write(TraduciScriptFtp(script));
    processo_.closeWriteChannel();
    return true;
}

bool ClienteFtp::InEsecuzione() const
{
    return processo_.state() != QProcess::NotRunning;
}

void ClienteFtp::Termina()
{
    if (processo_.state() == QProcess::NotRunning)
        return;
    processo_.kill();
    processo_.waitForFinished(3000);
    Raccogli();
}

void ClienteFtp::Raccogli()
{
    const QByteArray nuovo = processo_.readAll();
    if (nuovo.isEmpty())
        return;
    trascrizione_ += nuovo;
    emit Stampato();
}
