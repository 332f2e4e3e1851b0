#include "support/ui/SchermoVirtuale.h"

#include <QDeadlineTimer>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

SchermoVirtuale::~SchermoVirtuale()
{
    Ferma();
}

bool SchermoVirtuale::StrumentiPresenti()
{
    return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty();
}

bool SchermoVirtuale::Avvia(int larghezza, int altezza)
{
    if (!StrumentiPresenti()) {
        errore_ = QStringLiteral("Xvfb e openbox non trovati");
        return false;
    }
    server_.start(QStringLiteral("Xvfb"),
                  {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                   QStringLiteral("-screen"), QStringLiteral("0"),
                   QStringLiteral("%1x%2x24").arg(larghezza).arg(altezza),
                   QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!server_.waitForStarted(5000)) {
        errore_ = QStringLiteral("Xvfb non parte");
        return false;
    }
    QByteArray uscita;
    const QDeadlineTimer entro(20000);
    while (!entro.hasExpired() && server_.state() == QProcess::Running && !uscita.contains('\n')) {
        server_.waitForReadyRead(200);
        uscita += server_.readAllStandardOutput();
    }
    if (!uscita.contains('\n')) {
        errore_ = QStringLiteral("Xvfb non dice il suo display");
        Ferma();
        return false;
    }
    display_ = QLatin1Char(':') + QString::fromLatin1(uscita).trimmed();

    if (AvviaGestore())
        return true;
    Ferma();
    return false;
}

bool SchermoVirtuale::AvviaGestore()
{
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("DISPLAY"), display_);
    gestore_.setProcessEnvironment(ambiente);
    gestore_.setProcessChannelMode(QProcess::MergedChannels);
    gestore_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    if (!gestore_.waitForStarted(5000)) {
        errore_ = QStringLiteral("openbox non parte");
        return false;
    }
    // The manager has taken the screen once it names itself on the root window.
    const QDeadlineTimer gestito(20000);
    while (!gestito.hasExpired() && gestore_.state() == QProcess::Running) {
        QProcess xprop;
        xprop.setProcessEnvironment(ambiente);
        xprop.start(QStringLiteral("xprop"),
                    {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
        if (!xprop.waitForStarted(2000)) {
            // Without xprop, a moment is enough for openbox on an idle server.
            QThread::msleep(1000);
            return gestore_.state() == QProcess::Running;
        }
        xprop.waitForFinished(5000);
        if (xprop.readAllStandardOutput().contains("window id"))
            return true;
        QThread::msleep(100);
    }
    errore_ = QStringLiteral("openbox non prende lo schermo");
    return false;
}

void SchermoVirtuale::FermaGestore()
{
    if (gestore_.state() == QProcess::NotRunning)
        return;
    gestore_.terminate();
    if (!gestore_.waitForFinished(5000)) {
        gestore_.kill();
        gestore_.waitForFinished(2000);
    }
}

void SchermoVirtuale::Ferma()
{
    for (QProcess* p : {&gestore_, &server_}) {
        if (p->state() == QProcess::NotRunning)
            continue;
        p->terminate();
        if (!p->waitForFinished(5000)) {
            p->kill();
            p->waitForFinished(2000);
        }
    }
}

bool SchermoVirtuale::Fotografa(const QString& file) const
{
    QProcess import;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("DISPLAY"), display_);
    import.setProcessEnvironment(ambiente);
    import.start(QStringLiteral("import"),
                 {QStringLiteral("-window"), QStringLiteral("root"), file});
    return import.waitForFinished(20000) && import.exitCode() == 0;
}
