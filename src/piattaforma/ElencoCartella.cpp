#include "piattaforma/ElencoCartella.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

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
    // QFile::decodeName would map bad bytes to other characters silently.
    QStringDecoder locale(QStringDecoder::System, QStringDecoder::Flag::Stateless);
    while (const dirent* e = ::readdir(d)) {
        struct stat info;
        if (::fstatat(fd, e->d_name, &info, 0) != 0 || !S_ISREG(info.st_mode))
            continue;
        const QByteArrayView grezzo(e->d_name);
        VoceCartella v;
        // Plain ASCII, as the office's names are, reads the same in any encoding.
        if (std::all_of(grezzo.begin(), grezzo.end(), [](char c) { return uchar(c) < 0x80; })) {
            v.nome = QString::fromLatin1(grezzo);
        } else {
            locale.resetState();
            v.nome = locale(grezzo);
            if (locale.hasError() && !v.nome.contains(QChar::ReplacementCharacter))
                v.nome += QChar::ReplacementCharacter;
        }
        v.dimensione = info.st_size;
        v.modificaMs = qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000;
        voci.append(std::move(v));
    }
    ::closedir(d);
#else
    QDirIterator it(cartella, QDir::Files | QDir::Hidden);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        voci.append({info.fileName(), info.size(),
                     info.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch()});
    }
#endif
    return voci;
}
