#include "piattaforma/Processi.h"

#include <QProcess>
#include <QStringList>

qint64 AvviaApplicazione(const QString& rigaComando, int stileFinestra, const QString& cartella)
{
    Q_UNUSED(stileFinestra);
    return AvviaProgramma(QProcess::splitCommand(rigaComando), cartella);
}

qint64 AvviaProgramma(const QStringList& comando, const QString& cartella)
{
    if (comando.isEmpty())
        return 0;
    QStringList parti = comando;
    const QString programma = parti.takeFirst();
    qint64 pid = 0;
    if (!QProcess::startDetached(programma, parti, cartella, &pid))
        return 0;
    return pid;
}
