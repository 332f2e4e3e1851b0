#include "piattaforma/ElencoCartella.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

QList<VoceCartella> FileDellaCartella(const QString& cartella)
{
    QList<VoceCartella> voci;
#ifdef Q_OS_UNIX
    DIR* d = ::opendir(QFile::encodeName(cartella).constData());
    if (!d)
        return voci;
    const int fd = ::dirfd(d);
    while (const dirent* e = ::readdir(d)) {
        struct stat info;
        if (::fstatat(fd, e->d_name, &info, 0) != 0 || !S_ISREG(info.st_mode))
            continue;
        const QByteArray grezzo(e->d_name);
        VoceCartella v;
        // QFile::decodeName would map bad bytes to other characters silently.
        QStringDecoder locale(QStringDecoder::System, QStringDecoder::Flag::Stateless);
        v.nome = locale(grezzo);
        if (locale.hasError() && !v.nome.contains(QChar::ReplacementCharacter))
            v.nome += QChar::ReplacementCharacter;
        v.dimensione = info.st_size;
        v.modifica = QDateTime::fromMSecsSinceEpoch(qint64(info.st_mtim.tv_sec) * 1000 +
                                                    info.st_mtim.tv_nsec / 1000000);
        voci.append(std::move(v));
    }
    ::closedir(d);
#else
    QDirIterator it(cartella, QDir::Files | QDir::Hidden);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        voci.append({info.fileName(), info.size(), info.lastModified()});
    }
#endif
    return voci;
}
