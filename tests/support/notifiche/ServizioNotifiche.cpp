// A stand-in for the desktop's notification service on a test's own session
// bus: takes the name org.freedesktop.Notifications, then runs the command
// it is given and ends with it, having appended every notice (summary, then
// body, then "--") to the file named first.
// Usage: norvel_servizio_notifiche FILE COMMAND [ARGS...]

#include <QCoreApplication>
#include <QDBusConnection>
#include <QFile>
#include <QProcess>
#include <QVariantMap>

#include <cstdio>

class Notifiche : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    explicit Notifiche(const QString& file) : file_(file) {}

public slots:
    uint Notify(const QString&, uint, const QString&, const QString& titolo, const QString& testo,
                const QStringList&, const QVariantMap&, int)
    {
        QFile f(file_);
        if (f.open(QIODevice::Append))
            f.write((titolo + QLatin1Char('\n') + testo + QStringLiteral("\n--\n")).toUtf8());
        return ++numero_;
    }
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }

private:
    QString file_;
    uint numero_ = 0;
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList argomenti = QCoreApplication::arguments();
    if (argomenti.size() < 3)
        return 64;
    Notifiche servizio(argomenti[1]);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &servizio,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
        std::fputs("servizio di notifica non registrato\n", stderr);
        return 69;
    }
    QProcess comando;
    comando.setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(&comando, &QProcess::finished, &app, [&](int codice) { app.exit(codice); });
    QObject::connect(&comando, &QProcess::errorOccurred, &app, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            app.exit(70);
    });
    comando.start(argomenti[2], argomenti.mid(3));
    return QCoreApplication::exec();
}

#include "ServizioNotifiche.moc"
