#include "piattaforma/IoProcesso.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSet>

namespace {

#ifdef Q_OS_LINUX
// Inodes of the process's sockets.
QSet<QByteArray> Socket(qint64 pid)
{
    QSet<QByteArray> inode;
    const QString cartella = QStringLiteral("/proc/%1/fd").arg(pid);
    const QStringList voci = QDir(cartella).entryList(QDir::System | QDir::NoDotAndDotDot);
    for (const QString& v : voci) {
        const QString bersaglio = QFileInfo(cartella + QLatin1Char('/') + v).symLinkTarget();
        const QString nome = QFileInfo(bersaglio).fileName();
        if (nome.startsWith(QLatin1String("socket:[")))
            inode.insert(nome.mid(8, nome.size() - 9).toLatin1());
    }
    return inode;
}

// tx_queue + rx_queue of the sockets named, from one of /proc's TCP tables.
qint64 Code(const QString& tabella, const QSet<QByteArray>& inode)
{
    QFile f(tabella);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    qint64 somma = 0;
    const QList<QByteArray> righe = f.readAll().split('\n');
    for (qsizetype i = 1; i < righe.size(); ++i) {
        const QList<QByteArray> campi = righe[i].simplified().split(' ');
        if (campi.size() < 10 || !inode.contains(campi[9]))
            continue;
        const QList<QByteArray> code = campi[4].split(':');
        if (code.size() == 2)
            somma += code[0].toLongLong(nullptr, 16) + code[1].toLongLong(nullptr, 16);
    }
    return somma;
}
#endif

} // namespace

IoProcesso LeggiByteProcesso(qint64 pid)
{
    IoProcesso io;
#ifdef Q_OS_LINUX
    if (pid <= 0)
        return io;
    QFile f(QStringLiteral("/proc/%1/io").arg(pid));
    if (f.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> righe = f.readAll().split('\n');
        for (const QByteArray& riga : righe) {
            if (riga.startsWith("rchar:"))
                io.letti = riga.mid(6).trimmed().toLongLong();
            else if (riga.startsWith("wchar:"))
                io.scritti = riga.mid(6).trimmed().toLongLong();
        }
    }
#else
    Q_UNUSED(pid);
#endif
    return io;
}

qint64 LeggiCodeProcesso(qint64 pid)
{
#ifdef Q_OS_LINUX
    if (pid <= 0)
        return -1;
    const QSet<QByteArray> inode = Socket(pid);
    if (inode.isEmpty())
        return 0;
    const qint64 v4 = Code(QStringLiteral("/proc/%1/net/tcp").arg(pid), inode);
    const qint64 v6 = Code(QStringLiteral("/proc/%1/net/tcp6").arg(pid), inode);
    return qMax<qint64>(v4, 0) + qMax<qint64>(v6, 0);
#else
    Q_UNUSED(pid);
    return -1;
#endif
}

IoProcesso LeggiIoProcesso(qint64 pid)
{
    IoProcesso io = LeggiByteProcesso(pid);
    io.inCoda = LeggiCodeProcesso(pid);
    return io;
}
