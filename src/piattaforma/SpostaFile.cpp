#include "piattaforma/SpostaFile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef Q_OS_UNIX
namespace {

QString Errore(int codice)
{
    return QString::fromLocal8Bit(std::strerror(codice));
}

bool ScriviTutto(int fd, const char* dati, ssize_t n)
{
    while (n > 0) {
        const ssize_t scritti = ::write(fd, dati, static_cast<size_t>(n));
        if (scritti < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        dati += scritti;
        n -= scritti;
    }
    return true;
}

// Copies sorgente into the open file fd, with its mode and times; 0 or errno.
int Copia(int sorgente, int fd)
{
    char buffer[65536];
    for (;;) {
        const ssize_t letti = ::read(sorgente, buffer, sizeof buffer);
        if (letti < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (letti == 0)
            break;
        if (!ScriviTutto(fd, buffer, letti))
            return errno;
    }
    struct stat info;
    if (::fstat(sorgente, &info) == 0) {
        ::fchmod(fd, info.st_mode & 07777);
        const struct timespec tempi[2] = {info.st_atim, info.st_mtim};
        ::futimens(fd, tempi);
    }
    return ::fsync(fd) == 0 ? 0 : errno;
}

void SincronizzaCartella(const QByteArray& cartella)
{
    const int fd = ::open(cartella.constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace
#endif

QString SpostaFile(const QString& da, const QString& a)
{
#ifdef Q_OS_UNIX
    const QByteArray sorgente = QFile::encodeName(da);
    const QByteArray destinazione = QFile::encodeName(a);
    if (::rename(sorgente.constData(), destinazione.constData()) == 0)
        return {};
    if (errno != EXDEV)
        return Errore(errno);

    const QByteArray cartella = QFile::encodeName(QFileInfo(a).absolutePath());
    QByteArray modello =
        cartella + "/." + QFile::encodeName(QFileInfo(a).fileName()) + ".norvel-XXXXXX";
    const int in = ::open(sorgente.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return Errore(errno);
    const int out = ::mkostemp(modello.data(), O_CLOEXEC);
    if (out < 0) {
        const int e = errno;
        ::close(in);
        return Errore(e);
    }
    int errore = Copia(in, out);
    ::close(in);
    if (::close(out) != 0 && errore == 0)
        errore = errno;
    if (errore == 0 && ::rename(modello.constData(), destinazione.constData()) != 0)
        errore = errno;
    if (errore != 0) {
        ::unlink(modello.constData());
        return Errore(errore);
    }
    SincronizzaCartella(cartella);
    // The copy is safe in the history: a source that cannot go is said, not lost.
    if (::unlink(sorgente.constData()) != 0)
        return Errore(errno);
    return {};
#else
    if (QFile::exists(a)) {
        const QString vecchio = a + QStringLiteral(".norvel-vecchio");
        QFile::remove(vecchio);
        if (!QFile::rename(a, vecchio))
            return QStringLiteral("impossibile sostituire ") + a;
        if (!QFile::rename(da, a)) {
            QFile::rename(vecchio, a);
            return QStringLiteral("impossibile spostare ") + da;
        }
        QFile::remove(vecchio);
        return {};
    }
    return QFile::rename(da, a) ? QString() : QStringLiteral("impossibile spostare ") + da;
#endif
}
