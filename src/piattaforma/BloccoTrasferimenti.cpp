#include "piattaforma/BloccoTrasferimenti.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

struct Tenuta
{
    int fd = -1;
    int prese = 0;
};

// A second open file description in the same process would be refused by
// flock like another copy: one per folder, shared by the nested holds.
QMutex custode;
QHash<QString, Tenuta>& Tenute()
{
    static QHash<QString, Tenuta> tenute;
    return tenute;
}

// Close-on-exec: a client started during the run must not keep the lock
// after the program is gone.
int Apri(const QString& percorso)
{
    return ::open(QFile::encodeName(percorso).constData(),
                  O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

int Blocca(int fd)
{
    int r;
    do
        r = ::flock(fd, LOCK_EX | LOCK_NB);
    while (r != 0 && errno == EINTR);
    return r == 0 ? 0 : errno;
}

} // namespace

QString BloccoTrasferimenti::Percorso(const QString& cartella)
{
    const QFileInfo info(cartella.isEmpty() ? QDir::currentPath() : cartella);
    const QString assoluta =
        info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
    return QDir(assoluta).filePath(QLatin1String(FileBloccoTrasferimenti));
}

BloccoTrasferimenti::BloccoTrasferimenti(const QString& cartella) : percorso_(Percorso(cartella))
{
    QMutexLocker chiave(&custode);
    Tenuta& t = Tenute()[percorso_];
    if (t.prese == 0) {
        t.fd = Apri(percorso_);
        const int errore = t.fd < 0 ? errno : Blocca(t.fd);
        if (errore != 0) {
            if (t.fd >= 0)
                ::close(t.fd);
            Tenute().remove(percorso_);
            stato_ = errore == EWOULDBLOCK ? StatoBlocco::AltraCopia : StatoBlocco::Errore;
            errore_ = QString::fromLocal8Bit(std::strerror(errore));
            return;
        }
    }
    ++t.prese;
    stato_ = StatoBlocco::Nostro;
}

BloccoTrasferimenti::~BloccoTrasferimenti()
{
    if (!Preso())
        return;
    QMutexLocker chiave(&custode);
    auto t = Tenute().find(percorso_);
    if (t == Tenute().end() || --t->prese > 0)
        return;
    // Closing the last descriptor lets the lock go.
    ::close(t->fd);
    Tenute().erase(t);
}

QString BloccoTrasferimenti::Motivo() const
{
    switch (stato_) {
    case StatoBlocco::Libero:
    case StatoBlocco::Nostro:
        return {};
    case StatoBlocco::AltraCopia:
        return QLatin1String(MessaggioAltraCopia);
    case StatoBlocco::Errore:
        break;
    }
    return QStringLiteral("IMPOSSIBILE USARE IL FILE DI BLOCCO DEI TRASFERIMENTI:\n") +
           QDir::toNativeSeparators(percorso_) + QStringLiteral("\n(") + errore_ +
           QStringLiteral(")\nNESSUN FILE E' STATO TRASFERITO.");
}

StatoBlocco BloccoTrasferimenti::Prova(const QString& cartella)
{
    const QString percorso = Percorso(cartella);
    QMutexLocker chiave(&custode);
    if (Tenute().contains(percorso))
        return StatoBlocco::Nostro;
    const int fd = Apri(percorso);
    if (fd < 0)
        return StatoBlocco::Errore;
    const int errore = Blocca(fd);
    // Closing lets go of a lock taken only to look.
    ::close(fd);
    if (errore == 0)
        return StatoBlocco::Libero;
    return errore == EWOULDBLOCK ? StatoBlocco::AltraCopia : StatoBlocco::Errore;
}
