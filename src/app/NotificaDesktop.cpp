#include "app/NotificaDesktop.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace {

constexpr int DurataMs = 0; // the server's default; the person closes it
constexpr int AttesaBusMs = 5000;

} // namespace

bool NotificaDesktop(const QString& titolo, const QString& testo)
{
    // A timer run without a desktop has no address to look for.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
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
