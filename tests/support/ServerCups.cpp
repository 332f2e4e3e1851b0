#include "support/ServerCups.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

bool Scrivi(const QString& percorso, const QString& testo)
{
    QFile f(percorso);
    return f.open(QIODevice::WriteOnly) && f.write(testo.toUtf8()) >= 0;
}

QString Programma(const QString& nome)
{
    QString p = QStandardPaths::findExecutable(nome);
    if (p.isEmpty())
        p = QStandardPaths::findExecutable(nome, {u"/usr/sbin"_s, u"/sbin"_s});
    return p;
}

} // namespace

ServerCups& ServerCups::Condiviso()
{
    static ServerCups server;
    return server;
}

ServerCups::~ServerCups()
{
    if (processo_.state() != QProcess::NotRunning) {
        processo_.terminate();
        if (!processo_.waitForFinished(5000))
            processo_.kill();
        processo_.waitForFinished(5000);
    }
}

bool ServerCups::Esegui(const QString& programma, const QStringList& argomenti)
{
    QProcess p;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(u"CUPS_SERVER"_s, radice_->filePath(u"cups.sock"_s));
    p.setProcessEnvironment(ambiente);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programma, argomenti);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        motivo_ = programma + u' ' + argomenti.join(u' ') + u": "_s +
                  QString::fromLocal8Bit(p.readAll()).trimmed() + p.errorString();
        return false;
    }
    return true;
}

bool ServerCups::AvviaDemone()
{
    const QString cupsd = Programma(u"cupsd"_s);
    if (cupsd.isEmpty() || Programma(u"lpadmin"_s).isEmpty()) {
        motivo_ = u"cupsd or lpadmin not installed (cups, cups-client)"_s;
        return false;
    }
    if (!QFileInfo::exists(u"/usr/lib/cups/backend/cups-pdf"_s)) {
        motivo_ = u"the cups-pdf backend is not installed (cups-pdf)"_s;
        return false;
    }
    // A socket path must stay short: a folder of its own right under /tmp.
    radice_ = std::make_unique<QTemporaryDir>(u"/tmp/norvel-cups-XXXXXX"_s);
    if (!radice_->isValid()) {
        motivo_ = u"no folder under /tmp"_s;
        return false;
    }
    const QString r = radice_->path();
    for (const char* d : {"spool", "cache", "state", "log", "tmp", "ppd"})
        QDir().mkpath(r + u'/' + QLatin1StringView(d));
    QFile::setPermissions(r, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                 QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                 QFile::ExeOther);
    const QString gruppo = getuid() == 0 ? u"root"_s : QString();
    const bool file =
        Scrivi(r + u"/cups-files.conf"_s,
               u"ServerRoot "_s + r + u"\nRequestRoot "_s + r + u"/spool\nCacheDir "_s + r +
                   u"/cache\nStateDir "_s + r + u"/state\nTempDir "_s + r + u"/tmp\nAccessLog "_s +
                   r + u"/log/access_log\nErrorLog "_s + r + u"/log/error_log\nPageLog "_s + r +
                   u"/log/page_log\nServerBin /usr/lib/cups\n"
                   u"DataDir /usr/share/cups\n"_s +
                   (gruppo.isEmpty() ? QString() : u"SystemGroup "_s + gruppo) + u"\n"_s);
    const bool conf = Scrivi(r + u"/cupsd.conf"_s,
                             u"Listen "_s + r +
                                 u"/cups.sock\nLogLevel warn\nBrowsing No\n"
                                 u"DefaultAuthType None\nWebInterface No\n"
                                 u"<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                 u"<Location /admin>\n  Order allow,deny\n  Allow all\n"
                                 u"</Location>\n<Policy default>\n  <Limit All>\n"
                                 u"    Order deny,allow\n  </Limit>\n</Policy>\n"_s);
    if (!file || !conf) {
        motivo_ = u"cannot write the configuration under "_s + r;
        return false;
    }
    processo_.setChildProcessModifier([]() { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    processo_.setProcessChannelMode(QProcess::MergedChannels);
    processo_.start(cupsd,
                    {u"-f"_s, u"-c"_s, r + u"/cupsd.conf"_s, u"-s"_s, r + u"/cups-files.conf"_s});
    if (!processo_.waitForStarted(5000)) {
        motivo_ = u"cupsd does not start: "_s + processo_.errorString();
        return false;
    }
    const QDeadlineTimer scadenza(15000);
    while (!QFileInfo::exists(r + u"/cups.sock"_s)) {
        if (scadenza.hasExpired() || processo_.state() == QProcess::NotRunning) {
            QFile registro(r + u"/log/error_log"_s);
            registro.open(QIODevice::ReadOnly);
            motivo_ = u"cupsd did not come up: "_s + QString::fromLocal8Bit(processo_.readAll()) +
                      QString::fromLocal8Bit(registro.readAll());
            processo_.kill();
            processo_.waitForFinished(5000);
            return false;
        }
        QThread::msleep(50);
    }
    // libcups reads this once per program: every test after this one sees
    // this server only.
    qputenv("CUPS_SERVER", (r + u"/cups.sock"_s).toLocal8Bit());
    return true;
}

bool ServerCups::Avvia(const QStringList& code)
{
    if (fallito_)
        return false;
    if (processo_.state() != QProcess::Running && !AvviaDemone()) {
        fallito_ = true;
        return false;
    }
    if (code == code_)
        return true;
    for (const QString& c : code) {
        if (code_.contains(c))
            continue;
        const QString ppd = u"/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"_s;
        QStringList argomenti = {u"-p"_s, c, u"-E"_s, u"-v"_s, u"cups-pdf:/"_s};
        argomenti << (QFileInfo::exists(ppd) ? QStringList{u"-P"_s, ppd}
                                             : QStringList{u"-m"_s, u"raw"_s});
        if (!Esegui(Programma(u"lpadmin"_s), argomenti))
            return false;
    }
    if (!code.isEmpty() && !Esegui(Programma(u"lpadmin"_s), {u"-d"_s, code.first()}))
        return false;
    code_ = code;
    return true;
}
