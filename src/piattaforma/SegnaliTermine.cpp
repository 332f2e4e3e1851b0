#include "piattaforma/SegnaliTermine.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {
bool richiesta = false;
}

bool TerminazioneRichiesta()
{
    return richiesta;
}

#ifdef Q_OS_UNIX

namespace {

int coppia[2] = {-1, -1};

std::function<void()>& Azione()
{
    static std::function<void()> a;
    return a;
}

// Only an async-signal-safe write here: the event loop does the rest.
void AlSegnale(int numero)
{
    const char c = static_cast<char>(numero);
    [[maybe_unused]] const ssize_t scritti = ::write(coppia[0], &c, 1);
}

} // namespace

void InstallaSegnaliTermine(std::function<void()> azione)
{
    Azione() = std::move(azione);
    if (coppia[0] >= 0)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, coppia) != 0)
        return;
    for (int fd : coppia) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    auto* avviso =
        new QSocketNotifier(coppia[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(avviso, &QSocketNotifier::activated, avviso, []() {
        char c;
        while (::read(coppia[1], &c, 1) > 0) {
        }
        richiesta = true;
        if (Azione())
            Azione()();
    });

    struct sigaction sa = {};
    sa.sa_handler = AlSegnale;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGINT, &sa, nullptr);
}

#else

// Windows ends a desktop session through the windows' own close events.
void InstallaSegnaliTermine(std::function<void()>) {}

#endif
