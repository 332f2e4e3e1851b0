#include "invio/EseguiScriptFtp.h"

#include "piattaforma/ClienteFtp.h"
#include "piattaforma/Messaggi.h"
#include "piattaforma/Percorsi.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTimer>

#include <functional>

namespace {

int limiteImposto = 0;

// How often the marker is looked at: often enough for a prompt end, rare
// enough to cost nothing while a dial-up line works.
constexpr int IntervalloControlloMs = 50;
// The client has only "close" and "quit" left once the marker is gone.
constexpr int ChiusuraClienteMs = 10000;
constexpr int TentativiRimozione = 20;

// Runs the event loop until fatto() holds or ms have passed; true when it holds.
// cliente, when given, wakes the wait as soon as its process ends.
bool AttendiFinche(const std::function<bool()>& fatto, int ms, ClienteFtp* cliente = nullptr)
{
    if (fatto())
        return true;
    const QDeadlineTimer scadenza(ms);
    QEventLoop ciclo;
    QTimer timer;
    timer.setInterval(IntervalloControlloMs);
    bool esito = false;
    auto controlla = [&]() {
        if (fatto()) {
            esito = true;
            ciclo.quit();
        } else if (scadenza.hasExpired()) {
            ciclo.quit();
        }
    };
    QObject::connect(&timer, &QTimer::timeout, &ciclo, controlla);
    if (cliente)
        QObject::connect(cliente, &ClienteFtp::Terminato, &ciclo, controlla, Qt::QueuedConnection);
    timer.start();
    ciclo.exec();
    return esito;
}

bool ScriviSegnale(const QString& percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write("WAIT\r\n") == 6 && f.flush();
}

// The script holds the password in clear: a new file, readable by its owner only.
bool ScriviScript(const QString& percorso, const QByteArray& testo)
{
    QFile::remove(percorso);
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;
    if (f.write(testo) != testo.size() || !f.flush()) {
        f.close();
        QFile::remove(percorso);
        return false;
    }
    return true;
}

void RimuoviScript(const RichiestaFtp& richiesta)
{
    if (richiesta.conservaScript.value_or(ModoDebug != 0))
        return;
    for (int i = 0; i < TentativiRimozione; ++i) {
        if (!QFileInfo::exists(FileComandiFtp) || QFile::remove(FileComandiFtp))
            return;
        AttendiFinche([] { return false; }, IntervalloControlloMs);
    }
}

bool RigaDiFile(const QString& riga)
{
    static const QSet<QString> verbi = {QStringLiteral("put"),  QStringLiteral("get"),
                                        QStringLiteral("mget"), QStringLiteral("mput"),
                                        QStringLiteral("send"), QStringLiteral("recv")};
    const QString verbo = riga.trimmed().section(QLatin1Char(' '), 0, 0).toLower();
    return verbi.contains(verbo);
}

} // namespace

QByteArray TestoScriptFtp(const RichiestaFtp& richiesta)
{
    const QString host = richiesta.host.trimmed().isEmpty()
                             ? QString::fromLatin1(Ini::DefaultHostFtp)
                             : richiesta.host.trimmed();
    QStringList righe;
    righe << QStringLiteral("open ") + host
          << QStringLiteral("user ") + richiesta.utente + QStringLiteral(" ") + richiesta.password;
    righe << richiesta.righe;
    righe << QStringLiteral("!del ") + QLatin1String(FileSegnale) << QStringLiteral("Close")
          << QStringLiteral("quit");
    QByteArray testo;
    for (const QString& r : righe)
        testo += r.toLocal8Bit() + "\r\n";
    return testo;
}

int LimiteAttesaFtp(const RichiestaFtp& richiesta)
{
    if (limiteImposto > 0)
        return limiteImposto;
    const auto file = std::count_if(richiesta.righe.cbegin(), richiesta.righe.cend(), RigaDiFile);
    return static_cast<int>(180000 + 120000 * qMin<qsizetype>(file, 1000));
}

void ImpostaLimiteAttesaFtp(int millisecondi)
{
    limiteImposto = qMax(0, millisecondi);
}

EsitoFtp EseguiScriptFtp(const RichiestaFtp& richiesta, bool* occupato)
{
    if (occupato)
        *occupato = true;
    const QString cartella =
        richiesta.cartella.isEmpty() ? QDir::currentPath() : richiesta.cartella;
    const QString segnale = UnisciPercorso(cartella, QLatin1String(FileSegnale));
    EsitoFtp esito;

    // A marker left behind would only confuse the next run; the script goes
    // unless debug mode keeps it, since it holds the password.
    auto fallita = [&]() {
        QFile::remove(segnale);
        RimuoviScript(richiesta);
        Messaggio(richiesta.messaggioAvvio, Pulsanti::Ok, Icona::Critico);
        return esito;
    };

    if (!richiesta.segnaleDopoScript && !ScriviSegnale(segnale))
        return fallita();
    QCoreApplication::processEvents();

    const QByteArray script = TestoScriptFtp(richiesta);
    if (!ScriviScript(FileComandiFtp, script))
        return fallita();
    if (richiesta.segnaleDopoScript && !ScriviSegnale(segnale))
        return fallita();
    QCoreApplication::processEvents();

    ClienteFtp cliente;
    if (!cliente.Avvia(cartella, script))
        return fallita();

    auto finito = [&]() { return !QFileInfo::exists(segnale) || !cliente.InEsecuzione(); };
    for (;;) {
        if (AttendiFinche(finito, LimiteAttesaFtp(richiesta), &cliente))
            break;
        const Risposta r = Messaggio(QString::fromLatin1(DomandaAttesaFtp), Pulsanti::SiNo,
                                     Icona::Domanda, {}, Risposta::No);
        if (finito())
            break;
        if (r == Risposta::No) {
            cliente.Termina();
            break;
        }
    }

    // A client that ended with the marker still there never reached the end of
    // its script.
    if (QFileInfo::exists(segnale)) {
        cliente.Termina();
        esito.trascrizione = cliente.Trascrizione();
        return fallita();
    }
    // What the client prints last is complete only once it has quit.
    if (!AttendiFinche([&]() { return !cliente.InEsecuzione(); }, ChiusuraClienteMs, &cliente))
        cliente.Termina();
    esito.eseguito = true;
    esito.trascrizione = cliente.Trascrizione();
    RimuoviScript(richiesta);
    return esito;
}

QStringList CaricamentiAccettati(const QString& trascrizione, const QStringList& nomi)
{
    static const QRegularExpression trasferimento(QStringLiteral("^local: (.*) remote: (.*)$"));
    static const QRegularExpression risposta(QStringLiteral("^([1-5][0-9][0-9])[ -]"));
    // Replies that only set up the data connection, or a passive mode the
    // server does not know before the client falls back to another.
    static const QSet<int> preparazione = {200, 227, 228, 229, 500, 502};

    QSet<QString> accettati;
    QString locale;
    QString remoto;
    bool inCorso = false;
    const QStringList righe = trascrizione.split(QLatin1Char('\n'));
    for (QString riga : righe) {
        if (riga.endsWith(QLatin1Char('\r')))
            riga.chop(1);
        const auto m = trasferimento.match(riga);
        if (m.hasMatch()) {
            locale = m.captured(1);
            remoto = m.captured(2);
            inCorso = true;
            continue;
        }
        if (!inCorso)
            continue;
        const auto r = risposta.match(riga);
        if (!r.hasMatch())
            continue;
        const int codice = r.captured(1).toInt();
        if (codice < 200 || preparazione.contains(codice))
            continue;
        // The first other reply is the transfer's own.
        inCorso = false;
        if (codice == 226 || codice == 250) {
            accettati.insert(locale);
            accettati.insert(remoto);
            accettati.insert(QFileInfo(locale).fileName());
        }
    }
    QStringList esito;
    for (const QString& n : nomi)
        if (accettati.contains(n))
            esito << n;
    return esito;
}
