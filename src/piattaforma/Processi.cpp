#include "piattaforma/Processi.h"

#include <QProcess>
#include <QStringList>

qint64 AvviaApplicazione(const QString& rigaComando, int stileFinestra, const QString& cartella)
{
    Q_UNUSED(stileFinestra);
    QStringList parti = QProcess::splitCommand(rigaComando);
    if (parti.isEmpty())
        return 0;
    const QString programma = parti.takeFirst();
    qint64 pid = 0;
    if (!QProcess::startDetached(programma, parti, cartella, &pid))
        return 0;
    return pid;
}
