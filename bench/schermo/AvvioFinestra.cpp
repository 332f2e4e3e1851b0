// Start of the program to its main window on screen, against a minimal Qt
// Widgets window and the same window with one labelled button, measured in
// the same run: alternating rounds under a virtual X server with openbox,
// medians of the time to the window's mapping by the window manager and of
// the resident memory once the window rests. All three find a session bus,
// as on an office desktop: without one, every Qt program forks to look for
// a bus to start, and that fork is what it would measure.
//
//   bench_AvvioFinestra [--coppie N] [--programma PATH]
//
// --programma measures another build of the program (an older one, say).

#include "support/ui/SchermoVirtuale.h"

#include "../Misure.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <xcb/xcb.h>

#include <poll.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Misura
{
    double secondi = 0;
    double mib = 0;
    bool webEngine = false;
    bool gl = false;
    bool rete = false;
};

// Watches the virtual screen for top-level windows being mapped: under
// openbox, the frame of a window that has just been shown.
class Osservatore
{
public:
    explicit Osservatore(const QString& display)
    {
        conn_ = xcb_connect(display.toLocal8Bit().constData(), nullptr);
        const xcb_screen_t* schermo = xcb_setup_roots_iterator(xcb_get_setup(conn_)).data;
        const uint32_t maschera = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(conn_, schermo->root, XCB_CW_EVENT_MASK, &maschera);
        xcb_flush(conn_);
    }
    ~Osservatore() { xcb_disconnect(conn_); }
    bool Valido() const { return xcb_connection_has_error(conn_) == 0; }

    void Svuota()
    {
        while (xcb_generic_event_t* e = xcb_poll_for_event(conn_))
            free(e);
    }

    // True when a window was mapped within the bound.
    bool AttendiMappa(int entroMs)
    {
        const QDeadlineTimer limite(entroMs);
        while (!limite.hasExpired()) {
            while (xcb_generic_event_t* e = xcb_poll_for_event(conn_)) {
                const bool mappata =
                    (e->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                    !reinterpret_cast<xcb_map_notify_event_t*>(e)->override_redirect;
                free(e);
                if (mappata)
                    return true;
            }
            pollfd p{xcb_get_file_descriptor(conn_), POLLIN, 0};
            poll(&p, 1, int(qMax<qint64>(1, limite.remainingTime())));
        }
        return false;
    }

private:
    xcb_connection_t* conn_ = nullptr;
};

double RssMib(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& riga : f.readAll().split('\n')) {
        if (riga.startsWith("VmRSS:"))
            return riga.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

Misura Esegui(Osservatore& schermo, const QString& programma, const QStringList& argomenti,
              const QProcessEnvironment& ambiente)
{
    Misura m;
    schermo.Svuota();
    QProcess p;
    p.setProcessEnvironment(ambiente);
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    QElapsedTimer tempo;
    tempo.start();
    p.start(programma, argomenti);
    if (!p.waitForStarted(10000) || !schermo.AttendiMappa(30000)) {
        std::fprintf(stderr, "%s: nessuna finestra entro 30 s\n", qPrintable(programma));
        m.secondi = -1;
    } else {
        m.secondi = tempo.nsecsElapsed() / 1e9;
        // At rest: what the window costs once it has drawn itself.
        QThread::msleep(1000);
        m.mib = RssMib(p.processId());
        QFile mappe(QStringLiteral("/proc/%1/maps").arg(p.processId()));
        if (mappe.open(QIODevice::ReadOnly)) {
            const QByteArray testo = mappe.readAll();
            m.webEngine = testo.contains("libQt6WebEngine");
            m.rete = testo.contains("libQt6Network");
            m.gl = testo.contains("libLLVM") || testo.contains("_dri.so") ||
                   testo.contains("libGLX_mesa");
        }
    }
    p.terminate();
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished(5000);
    }
    return m;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList a = QCoreApplication::arguments();
    int coppie = 7;
    QString programma = QStringLiteral(NORVEL_ESEGUIBILE);
    for (int i = 1; i + 1 < a.size(); ++i) {
        if (a[i] == QLatin1String("--coppie"))
            coppie = qMax(1, a[i + 1].toInt());
        else if (a[i] == QLatin1String("--programma"))
            programma = a[i + 1];
    }

    // A bus of the run's own, unless one is there already.
    QProcess bus;
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        bus.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--session"), QStringLiteral("--nofork"),
                   QStringLiteral("--print-address=1")});
        if (bus.waitForStarted(5000) && bus.waitForReadyRead(5000))
            qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());
        else
            std::fprintf(stderr, "dbus-daemon non avviato: misure senza bus di sessione\n");
    }

    SchermoVirtuale schermo;
    if (!schermo.Avvia()) {
        std::fprintf(stderr, "schermo virtuale: %s\n", qPrintable(schermo.Errore()));
        return 1;
    }
    Osservatore osservatore(schermo.Display());
    if (!osservatore.Valido()) {
        std::fprintf(stderr, "nessuna connessione a %s\n", qPrintable(schermo.Display()));
        return 1;
    }

    // The program in a folder of its own, run once before measuring so that
    // every measured start finds its settings and folders already made.
    QTemporaryDir cartella;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("DISPLAY"), schermo.Display());
    ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    ambiente.insert(QStringLiteral("HOME"), cartella.filePath(QStringLiteral("casa")));
    ambiente.insert(QStringLiteral("XDG_CONFIG_HOME"), cartella.filePath(QStringLiteral("config")));
    QDir().mkpath(cartella.filePath(QStringLiteral("casa")));
    const QString programmaDir = cartella.filePath(QStringLiteral("programma"));
    QDir().mkpath(programmaDir);
    const QStringList argomenti = {QStringLiteral("--cartella"), programmaDir};
    const QString minima = QStringLiteral(NORVEL_FINESTRA_MINIMA);
    Esegui(osservatore, programma, argomenti, ambiente);
    Esegui(osservatore, minima, {}, ambiente);
    const QStringList conTesto = {QStringLiteral("--testo")};

    std::vector<double> tProgramma, tMinima, mProgramma, mMinima, tTesto;
    bool webEngine = false, gl = false, rete = false;
    for (int i = 0; i < coppie; ++i) {
        // Alternating order: neither always gets the warmer caches.
        const bool primaIlProgramma = i % 2 == 0;
        const Misura t = Esegui(osservatore, minima, conTesto, ambiente);
        if (t.secondi < 0)
            return 1;
        tTesto.push_back(t.secondi);
        for (int volta = 0; volta < 2; ++volta) {
            if ((volta == 0) == primaIlProgramma) {
                const Misura m = Esegui(osservatore, programma, argomenti, ambiente);
                if (m.secondi < 0)
                    return 1;
                tProgramma.push_back(m.secondi);
                mProgramma.push_back(m.mib);
                webEngine = webEngine || m.webEngine;
                gl = gl || m.gl;
                rete = rete || m.rete;
            } else {
                const Misura m = Esegui(osservatore, minima, {}, ambiente);
                if (m.secondi < 0)
                    return 1;
                tMinima.push_back(m.secondi);
                mMinima.push_back(m.mib);
            }
        }
    }
    const double p = Mediana(tProgramma);
    const double m = Mediana(tMinima);
    std::printf("start main-window: %.3f s\n", p);
    std::printf("start minimal-window: %.3f s\n", m);
    const double t = Mediana(tTesto);
    std::printf("start minimal-window-with-text: %.3f s\n", t);
    std::printf("ratio start/minimal-window: %.2f\n", m > 0 ? p / m : 0.0);
    std::printf("ratio start/minimal-window-with-text: %.2f\n", t > 0 ? p / t : 0.0);
    std::printf("ratio minimal-window-with-text/minimal-window: %.2f\n", m > 0 ? t / m : 0.0);
    std::printf("rss main-window: %.0f MiB\n", Mediana(mProgramma));
    std::printf("rss minimal-window: %.0f MiB\n", Mediana(mMinima));
    std::printf("main-window maps WebEngine: %s, GL: %s, Network: %s\n", webEngine ? "yes" : "no",
                gl ? "yes" : "no", rete ? "yes" : "no");
    bus.terminate();
    bus.waitForFinished(5000);
    return 0;
}
