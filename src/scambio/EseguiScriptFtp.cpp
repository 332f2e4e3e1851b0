#include "scambio/EseguiScriptFtp.h"

#include "piattaforma/BloccoTrasferimenti.h"
#include "piattaforma/ClienteFtp.h"
#include "piattaforma/IoProcesso.h"
#include "piattaforma/Messaggi.h"
#include "piattaforma/Orologio.h"
#include "piattaforma/Percorsi.h"
#include "piattaforma/SegnaliTermine.h"
#include "piattaforma/SpazioDisco.h"
#include "scambio/OsservatoreFtp.h"
#include "scambio/RegistroCorsa.h"
#include "scambio/TrascrizioneFtp.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/ValoriFtp.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

namespace {

int limiteImposto = 0;

constexpr int LimitePredefinitoMs = 120000;
// After this long with nothing printed, the client's byte counts and socket
// queues are looked at: the only signs of a transfer that prints nothing.
constexpr int IntervalloAvanzamentoMs = 1000;
constexpr int PausaRimozioneMs = 50;
// The client has only "close" and "quit" left once the marker is gone.
constexpr int ChiusuraClienteMs = 10000;
constexpr int TentativiRimozione = 20;

// Lets the event loop run for ms.
void Pausa(int ms)
{
    QEventLoop ciclo;
    QTimer::singleShot(ms, &ciclo, &QEventLoop::quit);
    ciclo.exec();
}

// Waits for the client's end, bounded by ms; true when it has ended.
bool AttendiFineCliente(ClienteFtp& cliente, int ms)
{
    if (!cliente.InEsecuzione())
        return true;
    QEventLoop ciclo;
    QTimer::singleShot(ms, &ciclo, &QEventLoop::quit);
    QObject::connect(&cliente, &ClienteFtp::Terminato, &ciclo, &QEventLoop::quit);
    if (cliente.InEsecuzione())
        ciclo.exec();
    return !cliente.InEsecuzione();
}

enum class Segnale
{
    Scritto,
    NonScritto,
    NonFile // something else stands under the marker's name
};

// Created anew and never through a link: a link named like the marker must not
// lead the write to another file.
Segnale ScriviSegnale(const QString& percorso)
{
    const QFileInfo info(percorso);
    if (info.isSymLink() || (info.exists() && !info.isFile()))
        return Segnale::NonFile;
    if (info.exists() && !QFile::remove(percorso))
        return Segnale::NonScritto;
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return QFileInfo(percorso).isSymLink() ? Segnale::NonFile : Segnale::NonScritto;
    if (f.write("WAIT\r\n") == 6 && f.flush())
        return Segnale::Scritto;
    // An empty marker left by a full disk would only mislead the next run.
    f.close();
    QFile::remove(percorso);
    return Segnale::NonScritto;
}

// The script shows the password masked; a new file, readable by its owner only.
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
        Pausa(PausaRimozioneMs);
    }
}

QStringList RigheScript(const RichiestaFtp& richiesta, bool mascherata = false)
{
    const QString host = richiesta.host.trimmed().isEmpty() ? QString(Ini::DefaultHostFtp)
                                                            : richiesta.host.trimmed();
    QStringList righe;
    righe << QStringLiteral("open ") + host
          << QStringLiteral("user ") + richiesta.utente + QStringLiteral(" ") +
                 (mascherata ? QLatin1String(ParolaMascherata) : richiesta.password);
    righe << richiesta.righe;
    righe << QStringLiteral("!del ") + QLatin1String(FileSegnale) << QStringLiteral("Close")
          << QStringLiteral("quit");
    return righe;
}

QByteArray Unisci(const QStringList& righe)
{
    QByteArray testo;
    for (const QString& r : righe)
        testo += r.toLocal8Bit() + "\r\n";
    return testo;
}

// The message naming the setting whose value cannot go into a script, or "".
QString ValoreNonAmmesso(const RichiestaFtp& r)
{
    QString chiave;
    if (ContieneControllo(r.host))
        chiave = r.origine.host;
    else if (ContieneControllo(r.utente))
        chiave = r.origine.utente;
    else if (ContieneControllo(r.password))
        chiave = r.origine.password;
    if (!chiave.isEmpty())
        return QStringLiteral("IL VALORE DI ") + chiave + QStringLiteral(" NELLA SEZIONE [") +
               r.origine.sezione + QStringLiteral("] DEL FILE DELLE IMPOSTAZIONI\n") + FileIni +
               QStringLiteral("\nCONTIENE CARATTERI NON AMMESSI (A CAPO O ALTRI CARATTERI DI "
                              "CONTROLLO).\nCORREGGERLO NEI PARAMETRI: NESSUN FILE E' STATO "
                              "TRASFERITO.");
    for (const QString& riga : r.righe)
        if (ContieneControllo(riga))
            return QStringLiteral("UNA RIGA DEL TRASFERIMENTO CONTIENE CARATTERI NON AMMESSI:\n") +
                   riga.simplified() + QStringLiteral("\nNESSUN FILE E' STATO TRASFERITO.");
    return {};
}

// The run's message, with a full disk named when that is why a file of the
// run could not be written.
QString ConCausa(const QString& messaggio, const QString& cartella)
{
    const QString spazio = CausaSpazioEsaurito(cartella, 64 * 1024);
    return spazio.isEmpty() ? messaggio : messaggio + QLatin1Char('\n') + spazio;
}

} // namespace

OrigineCredenziali CredenzialiUnix()
{
    return {Ini::SezRemoto, Ini::Indirizzo, Ini::Utente, Ini::Passwd};
}

QByteArray TestoScriptFtp(const RichiestaFtp& richiesta)
{
    return Unisci(RigheScript(richiesta));
}

QByteArray ScriptFtpSuDisco(const RichiestaFtp& richiesta)
{
    return Unisci(RigheScript(richiesta, true));
}

QString CartellaBloccoTrasferimenti()
{
    if (!CartellaProgramma.isEmpty())
        return CartellaProgramma;
    return FileComandiFtp.isEmpty() ? QDir::currentPath()
                                    : QFileInfo(FileComandiFtp).absolutePath();
}

bool BloccoPresoOAvvisa(const BloccoTrasferimenti& blocco)
{
    if (!blocco.Preso())
        Messaggio(blocco.Motivo(), Pulsanti::Ok,
                  blocco.Stato() == StatoBlocco::AltraCopia ? Icona::Avviso : Icona::Critico);
    return blocco.Preso();
}

int LimiteAttesaFtp()
{
    if (limiteImposto > 0)
        return limiteImposto;
    bool ok = false;
    const int secondi = qEnvironmentVariableIntValue("NORVEL_ATTESA_FTP_S", &ok);
    if (ok && secondi > 0)
        return secondi * 1000;
    return LimitePredefinitoMs;
}

void ImpostaLimiteAttesaFtp(int millisecondi)
{
    limiteImposto = qMax(0, millisecondi);
}

EsitoFtp EseguiScriptFtp(const RichiestaFtp& richiesta, bool* occupato)
{
    if (occupato)
        *occupato = true;
    QElapsedTimer durata;
    durata.start();
    const QString cartella =
        richiesta.cartella.isEmpty() ? QDir::currentPath() : richiesta.cartella;
    const QString segnale = UnisciPercorso(cartella, QLatin1String(FileSegnale));
    EsitoFtp esito;
    bool segnaleNostro = false;
    bool scriptNostro = true;
    RegistroCorsa registro(richiesta, Adesso());

    auto chiudi = [&](StatoFtp stato, const QString& messaggio) {
        // A marker of ours left behind would only confuse the next run; the
        // script goes unless debug mode keeps it.
        if (segnaleNostro && QFileInfo(segnale).isFile())
            QFile::remove(segnale);
        if (scriptNostro)
            RimuoviScript(richiesta);
        esito.stato = stato;
        esito.eseguito = stato == StatoFtp::Completato;
        esito.durata = durata.elapsed() / 1000.0;
        registro.Chiudi(esito);
        if (!messaggio.isEmpty())
            Messaggio(messaggio, Pulsanti::Ok, Icona::Critico);
        registro.AvvisaErrore();
        return esito;
    };

    const QString nonAmmesso = ValoreNonAmmesso(richiesta);
    if (!nonAmmesso.isEmpty())
        return chiudi(StatoFtp::NonAvviato, nonAmmesso);
    // The marker and the temporary names are shared by every copy of the
    // program on this folder: while another copy transfers, nothing starts.
    const BloccoTrasferimenti blocco(CartellaBloccoTrasferimenti());
    if (!blocco.Preso()) {
        scriptNostro = false; // the other copy's
        return chiudi(StatoFtp::NonAvviato, blocco.Motivo());
    }

    auto scriviSegnale = [&]() -> QString {
        const Segnale s = ScriviSegnale(segnale);
        segnaleNostro = s == Segnale::Scritto;
        if (s == Segnale::NonFile)
            return QStringLiteral("IMPOSSIBILE AVVIARE IL TRASFERIMENTO:\n") + segnale +
                   QStringLiteral("\nESISTE GIA' E NON E' UN FILE NORMALE (CARTELLA O "
                                  "COLLEGAMENTO).\nRIMUOVERLO E RIPETERE L'OPERAZIONE.");
        return s == Segnale::Scritto ? QString() : ConCausa(richiesta.messaggioAvvio, cartella);
    };

    if (!richiesta.segnaleDopoScript) {
        const QString m = scriviSegnale();
        if (!m.isEmpty())
            return chiudi(StatoFtp::NonAvviato, m);
    }
    QCoreApplication::processEvents();

    // The password reaches the client only through its pipe, never the disk.
    const QStringList righe = RigheScript(richiesta);
    if (!ScriviScript(FileComandiFtp, ScriptFtpSuDisco(richiesta)))
        return chiudi(StatoFtp::NonAvviato,
                      ConCausa(richiesta.messaggioAvvio, QFileInfo(FileComandiFtp).absolutePath()));
    if (richiesta.segnaleDopoScript) {
        const QString m = scriviSegnale();
        if (!m.isEmpty())
            return chiudi(StatoFtp::NonAvviato, m);
    }
    QCoreApplication::processEvents();

    // The script on disk keeps the office's layout; the client gets its log-in
    // line in its own quoting.
    QStringList perCliente = righe;
    const QByteArray accesso = RigaUtenteCliente(richiesta.utente, richiesta.password);
    QByteArray ingresso =
        Unisci(perCliente.mid(0, 1)) + accesso + "\r\n" + Unisci(perCliente.mid(2));

    ClienteFtp cliente;
    if (!cliente.Avvia(cartella, ingresso))
        return chiudi(StatoFtp::NonAvviato, richiesta.messaggioAvvio);

    // The bound counts from the last sign of life: a new line of the
    // transcript or a byte moved by the client. The wait wakes for what the
    // client prints, its end and a change in the marker's folder; only after a
    // second with none of these does it look at the client's counts. Each byte
    // of the transcript is read once, however long the run.
    const qint64 pid = cliente.Pid();
    OsservatoreFtp osservatore(richiesta);
    LettoreTrascrizione lettura(richiesta.righe);
    qsizetype lunghezza = 0;
    IoProcesso visto = LeggiByteProcesso(pid);
    QEventLoop* ciclo = nullptr; // the wait in progress; none while the user is asked
    QTimer limite;
    limite.setSingleShot(true);
    QTimer sonda;
    sonda.setSingleShot(true);
    sonda.setInterval(IntervalloAvanzamentoMs);
    QFileSystemWatcher cartellaSegnale;
    cartellaSegnale.addPath(QFileInfo(segnale).absolutePath());

    auto finito = [&]() { return !QFileInfo::exists(segnale) || !cliente.InEsecuzione(); };
    // A stop asked by a signal ends the wait, and the run as a "No" to the
    // question does; it is seen at the next line or look, within a second.
    auto fermo = [&]() { return finito() || TerminazioneRichiesta(); };
    auto esciSeFinito = [&]() {
        if (ciclo && fermo())
            ciclo->quit();
    };
    auto avvisa = [&](const IoProcesso& io) {
        if (richiesta.avanzamento)
            richiesta.avanzamento(osservatore.Calcola(lettura, io, pid));
    };
    // True when the client moved a byte, or its queues changed, since the
    // last look. The queues are read when the bytes stood still, or when an
    // upload's progress needs them.
    auto guarda = [&]() {
        IoProcesso io = LeggiByteProcesso(pid);
        bool mosso = io.letti != visto.letti || io.scritti != visto.scritti;
        if (!mosso || (richiesta.avanzamento && osservatore.UsaCode())) {
            io.inCoda = LeggiCodeProcesso(pid);
            mosso = mosso || (visto.inCoda >= 0 && io.inCoda != visto.inCoda);
        }
        visto = io;
        if (mosso)
            limite.start(LimiteAttesaFtp());
        avvisa(io);
        sonda.start();
        return mosso;
    };
    auto stampato = [&]() {
        const QByteArray& testo = cliente.TrascrizioneGrezza();
        if (!ciclo || testo.size() == lunghezza)
            return;
        lettura.Aggiungi(QByteArrayView(testo).sliced(lunghezza));
        lunghezza = testo.size();
        registro.Aggiorna(lettura);
        limite.start(LimiteAttesaFtp());
        // A new line means the transfer before it is over, its data socket
        // drained: the byte counts alone place the next file.
        IoProcesso io = LeggiByteProcesso(pid);
        visto.letti = io.letti;
        visto.scritti = io.scritti;
        avvisa(io);
        sonda.start();
        esciSeFinito();
    };
    // Goes first, and with it every connection to the locals above.
    QObject contesto;
    QObject::connect(&cliente, &ClienteFtp::Stampato, &contesto, stampato);
    QObject::connect(&cliente, &ClienteFtp::Terminato, &contesto, esciSeFinito);
    QObject::connect(&cartellaSegnale, &QFileSystemWatcher::directoryChanged, &contesto,
                     esciSeFinito);
    QObject::connect(&sonda, &QTimer::timeout, &contesto, [&]() {
        if (!ciclo)
            return;
        guarda();
        esciSeFinito();
    });
    QObject::connect(&limite, &QTimer::timeout, &contesto, [&]() {
        if (!ciclo || fermo())
            return esciSeFinito();
        // The last look may be a second old.
        if (!guarda())
            ciclo->exit(1);
    });

    for (;;) {
        QEventLoop attesa;
        ciclo = &attesa;
        limite.start(LimiteAttesaFtp());
        sonda.start();
        stampato();
        if (!fermo())
            attesa.exec();
        ciclo = nullptr;
        limite.stop();
        sonda.stop();
        if (finito())
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
    // its script; what it printed still says what it did.
    if (QFileInfo::exists(segnale)) {
        cliente.Termina();
        esito.trascrizione = cliente.Trascrizione();
        esito.uscita = cliente.Uscita();
        return chiudi(StatoFtp::Interrotto,
                      richiesta.avvisaInterruzione ? richiesta.messaggioAvvio : QString());
    }
    // What the client prints last is complete only once it has quit.
    if (!AttendiFineCliente(cliente, ChiusuraClienteMs))
        cliente.Termina();
    esito.trascrizione = cliente.Trascrizione();
    esito.uscita = cliente.Uscita();
    return chiudi(StatoFtp::Completato, {});
}
