#include "support/ServerDiProva.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>

namespace {

quint16 PortaLibera()
{
    QTcpServer prova;
    if (!prova.listen(QHostAddress::LocalHost, 0))
        return 0;
    return prova.serverPort();
}

QList<pid_t> Figli(qint64 pid, bool tutti)
{
    QList<pid_t> figli;
    QFile f(QStringLiteral("/proc/%1/task/%1/children").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return figli;
    for (const QByteArray& campo : f.readAll().split(' ')) {
        bool ok = false;
        const int figlio = campo.trimmed().toInt(&ok);
        if (!ok || figlio <= 0)
            continue;
        if (tutti)
            figli << Figli(figlio, true);
        figli << figlio;
    }
    return figli;
}

} // namespace

ServerDiProva::ServerDiProva()
{
    processo_.setProcessChannelMode(QProcess::MergedChannels);
    processo_.setChildProcessModifier([]() { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

ServerDiProva::~ServerDiProva()
{
    Ferma();
}

QString ServerDiProva::Host() const
{
    return QStringLiteral("127.0.0.1 %1").arg(porta_);
}

bool ServerDiProva::Attivo() const
{
    return processo_.state() == QProcess::Running;
}

bool ServerDiProva::CreaRadice(const QString& modello)
{
    radice_ = std::make_unique<QTemporaryDir>(modello);
    if (!radice_->isValid()) {
        motivo_ = QStringLiteral("cannot create the server's root under /tmp");
        return false;
    }
    QFile::setPermissions(radice_->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadGroup | QFile::ExeGroup |
                                               QFile::ReadOther | QFile::ExeOther);
    return true;
}

QString ServerDiProva::InRadice(const QString& nome) const
{
    return radice_ ? radice_->filePath(nome) : QString();
}

void ServerDiProva::DaiAlServer(const QString& percorso) const
{
    if (comeRoot_ && ::chown(QFile::encodeName(percorso).constData(), uid_, gid_) != 0)
        qWarning("chown %s failed", qPrintable(percorso));
}

void ServerDiProva::ScriviComeServer(const QString& percorso, const QByteArray& contenuto) const
{
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly) || f.write(contenuto) != contenuto.size())
        qWarning("cannot write %s", qPrintable(percorso));
    f.close();
    DaiAlServer(percorso);
}

QByteArray ServerDiProva::Leggi(const QString& percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList ServerDiProva::FileIn(const QString& cartella)
{
    return QDir(cartella).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QString ServerDiProva::Uscita()
{
    uscita_ += QString::fromLocal8Bit(processo_.readAll());
    return uscita_;
}

bool ServerDiProva::AttendiPronto()
{
    const QDeadlineTimer scadenza(15000);
    while (!scadenza.hasExpired()) {
        if (processo_.state() == QProcess::NotRunning || processo_.waitForFinished(0))
            return false;
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, porta_);
        if (s.waitForConnected(500) && s.waitForReadyRead(2000) && s.readLine().startsWith("220"))
            return true;
        QThread::msleep(50);
    }
    return false;
}

bool ServerDiProva::AvviaSuPortaLibera(const QString& programma,
                                       const std::function<bool()>& prepara,
                                       const std::function<QStringList()>& argomenti)
{
    const QString nome = QFileInfo(programma).fileName();
    for (int tentativo = 0; tentativo < 3; ++tentativo) {
        porta_ = PortaLibera();
        if (porta_ == 0 || !prepara())
            break;
        processo_.start(programma, argomenti());
        if (!processo_.waitForStarted(5000)) {
            motivo_ = nome + QStringLiteral(" does not start: ") + processo_.errorString();
            return false;
        }
        if (AttendiPronto())
            return true;
        processo_.kill();
        processo_.waitForFinished(5000);
        motivo_ = nome + QStringLiteral(" did not come up: ") + Registro();
    }
    if (motivo_.isEmpty())
        motivo_ = QStringLiteral("no free port on 127.0.0.1");
    return false;
}

QList<pid_t> ServerDiProva::Sessioni(bool tutte) const
{
    const qint64 pid = processo_.processId();
    return pid > 0 ? Figli(pid, tutte) : QList<pid_t>();
}

int ServerDiProva::TerminaSessioni()
{
    int n = 0;
    for (pid_t figlio : Sessioni(false))
        if (::kill(figlio, SIGKILL) == 0)
            ++n;
    return n;
}

void ServerDiProva::SospendiSessioni()
{
    for (pid_t figlio : Sessioni(false))
        if (::kill(figlio, SIGSTOP) == 0)
            sospese_.append(figlio);
}

void ServerDiProva::RiprendiSessioni()
{
    for (pid_t pid : std::as_const(sospese_))
        ::kill(pid, SIGCONT);
    sospese_.clear();
}

void ServerDiProva::Ferma()
{
    RiprendiSessioni();
    if (processo_.state() == QProcess::NotRunning)
        return;
    if (terminaSessioniAllaFine_)
        for (pid_t figlio : Sessioni(true))
            ::kill(figlio, SIGKILL);
    processo_.terminate();
    if (!processo_.waitForFinished(5000)) {
        processo_.kill();
        processo_.waitForFinished(5000);
    }
    Uscita();
}
