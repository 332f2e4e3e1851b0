#include "piattaforma/SondaConnessione.h"

#include <QRegularExpression>

#if defined(Q_OS_UNIX)
#include <ifaddrs.h>
#include <net/if.h>
#endif

namespace {

std::function<StatoConnessione()>& Sonda()
{
    static std::function<StatoConnessione()> s;
    return s;
}

} // namespace

StatoConnessione SondaConnessione(const QString& modelloInterfaccia)
{
    if (Sonda())
        return Sonda()();
#if defined(Q_OS_UNIX)
    const QRegularExpression modello(QRegularExpression::wildcardToRegularExpression(
        modelloInterfaccia.trimmed(), QRegularExpression::UnanchoredWildcardConversion));
    const QRegularExpression intero(QRegularExpression::anchoredPattern(modello.pattern()));
    ifaddrs* elenco = nullptr;
    if (getifaddrs(&elenco) != 0)
        return StatoConnessione::Errore;
    StatoConnessione stato = StatoConnessione::NonAttiva;
    for (ifaddrs* i = elenco; i; i = i->ifa_next) {
        if (!i->ifa_name || !intero.match(QString::fromLocal8Bit(i->ifa_name)).hasMatch())
            continue;
        const unsigned attiva = IFF_UP | IFF_RUNNING;
        if ((i->ifa_flags & attiva) == attiva) {
            stato = StatoConnessione::Attiva;
            break;
        }
    }
    freeifaddrs(elenco);
    return stato;
#else
    Q_UNUSED(modelloInterfaccia);
    return StatoConnessione::Errore;
#endif
}

void ImpostaSondaConnessione(std::function<StatoConnessione()> sonda)
{
    Sonda() = std::move(sonda);
}
