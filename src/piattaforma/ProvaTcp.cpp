#include "piattaforma/ProvaTcp.h"

#include <QDeadlineTimer>
#include <QUrl>

#include <cerrno>

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// 0 when the connection opened, else the error number.
int Connetti(const addrinfo& a, const QDeadlineTimer& limite)
{
    const int s = socket(a.ai_family, a.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a.ai_protocol);
    if (s < 0)
        return errno;
    int esito = connect(s, a.ai_addr, a.ai_addrlen) == 0 ? 0 : errno;
    while (esito == EINPROGRESS || esito == EINTR) {
        pollfd p{s, POLLOUT, 0};
        const int pronti = poll(&p, 1, int(qMax<qint64>(0, limite.remainingTime())));
        if (pronti == 0) {
            esito = ETIMEDOUT;
        } else if (pronti < 0) {
            esito = errno;
        } else {
            socklen_t lunghezza = sizeof esito;
            if (getsockopt(s, SOL_SOCKET, SO_ERROR, &esito, &lunghezza) != 0)
                esito = errno;
        }
    }
    close(s);
    return esito;
}

} // namespace

QString ProvaConnessioneTcp(const QString& host, quint16 porta, int limiteMs)
{
    const QDeadlineTimer limite(limiteMs);
    addrinfo suggerimenti{};
    suggerimenti.ai_family = AF_UNSPEC;
    suggerimenti.ai_socktype = SOCK_STREAM;
    addrinfo* indirizzi = nullptr;
    // International names in their ASCII form; an IPv6 address has none.
    QByteArray nome = QUrl::toAce(host);
    if (nome.isEmpty())
        nome = host.toUtf8();
    const int risolto = getaddrinfo(nome.constData(), QByteArray::number(porta).constData(),
                                    &suggerimenti, &indirizzi);
    if (risolto != 0)
        return u"indirizzo non trovato: "_s + QString::fromLocal8Bit(gai_strerror(risolto));
    int esito = ETIMEDOUT;
    for (const addrinfo* a = indirizzi; a && !limite.hasExpired(); a = a->ai_next) {
        esito = Connetti(*a, limite);
        if (esito == 0)
            break;
    }
    freeaddrinfo(indirizzi);
    return esito == 0 ? QString() : qt_error_string(esito);
}
