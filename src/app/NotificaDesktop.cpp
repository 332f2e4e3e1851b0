#include "app/NotificaDesktop.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>
#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace {

constexpr int DurataMs = 0; // the server's default; the person closes it
constexpr int AttesaBusMs = 5000;

} // namespace

bool NotificaDesktop(const QString& titolo, const QString& testo)
{
    // A timer run may have only the user's bus socket, not its address; with
    // neither there is no desktop, and nothing is started to find one.
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        const QString presa = qEnvironmentVariable("XDG_RUNTIME_DIR") + u"/bus"_s;
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") || !QFileInfo(presa).exists())
            return false;
        bus = QDBusConnection::connectToBus(u"unix:path="_s + presa, u"norvel-avviso"_s);
    }
    const QString servizio = u"org.freedesktop.Notifications"_s;
    if (!bus.isConnected() || !bus.interface() ||
        !bus.interface()->isServiceRegistered(servizio).value())
        return false;
    QDBusMessage chiamata = QDBusMessage::createMethodCall(
        servizio, u"/org/freedesktop/Notifications"_s, servizio, u"Notify"_s);
    chiamata << u"Norvel"_s << 0u << u"norvel"_s << titolo << testo << QStringList()
             << QVariantMap{{u"urgency"_s, QVariant::fromValue<uchar>(1)}} << DurataMs;
    const QDBusMessage risposta = bus.call(chiamata, QDBus::Block, AttesaBusMs);
    return risposta.type() == QDBusMessage::ReplyMessage;
}
