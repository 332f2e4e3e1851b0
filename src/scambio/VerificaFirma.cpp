#include "scambio/VerificaFirma.h"

#include "piattaforma/Messaggi.h"
#include "piattaforma/Percorsi.h"
#include "scambio/RegistroCorsa.h"
#include "shell/Global.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

int limiteImposto = 0;

// A signature check against the certifier's lists can take its time on a slow
// line; two minutes is what a person will wait for one reply.
constexpr int LimitePredefinitoMs = 120000;
// What a command stopped at the bound may take to clear up its own
// temporary files before it is killed outright.
constexpr int GraziaMs = 2000;

QString Risolvi(const QString& percorso)
{
    if (percorso.isEmpty())
        return {};
    QString p = percorso;
    if (QDir::isRelativePath(p)) {
        p.replace(QLatin1Char('\\'), QLatin1Char('/'));
        p = UnisciPercorso(ParametriEdi.CartellaBase, p);
    }
    return QDir::cleanPath(p);
}

// The line that says most: the command's own "Sbusta:" line, else its last.
QString UltimaRiga(const QByteArray& errori)
{
    QString scelta;
    const QStringList righe =
        QString::fromLocal8Bit(errori).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& r : righe)
        if (r.startsWith(QLatin1String("Sbusta:")) || scelta.isEmpty())
            scelta = r.trimmed();
    return scelta;
}

} // namespace

bool NomeFirmato(const QString& nome)
{
    return nome.right(4).toUpper() == QLatin1String(".P7M");
}

QString ComandoSbusta()
{
    const QString nome = QLatin1String(NomeComandoSbusta);
    const QStringList cartelle = {ParametriEdi.CartellaBase, CartellaProgramma,
                                  QCoreApplication::applicationDirPath(), CartellaDatiInstallati()};
    for (const QString& c : cartelle) {
        if (c.isEmpty())
            continue;
        const QFileInfo f(UnisciPercorso(c, nome));
        if (f.isFile() && f.isReadable())
            return f.absoluteFilePath();
    }
    return {};
}

bool SenzaVerificaFirmatario(const QString& messaggio)
{
    return messaggio.contains(u"SENZA verifica del firmatario"_s, Qt::CaseInsensitive);
}

int LimiteSbustaMs()
{
    return limiteImposto > 0 ? limiteImposto : LimitePredefinitoMs;
}

void ImpostaLimiteSbusta(int millisecondi)
{
    limiteImposto = qMax(0, millisecondi);
}

VerificaFirma::VerificaFirma(const QString& origine, const QString& destino, QObject* genitore)
    : QObject(genitore), origine_(Risolvi(origine)), destino_(Risolvi(destino)),
      destinoDato_(destino)
{
    firmato_ = NomeFirmato(origine_);
    limite_.setSingleShot(true);
    grazia_.setSingleShot(true);
    connect(&limite_, &QTimer::timeout, this, &VerificaFirma::LimiteScaduto);
    connect(&grazia_, &QTimer::timeout, this, [this]() { Concludi(SbustaVerificaFallita); });
    processo_.setStandardOutputFile(QProcess::nullDevice());
#ifdef Q_OS_UNIX
    // Its own process group, so that stopping it stops what it started too: a
    // left-over child could still write the destination after it was removed.
    processo_.setChildProcessModifier([]() {
        ::setsid();
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    });
#endif
    connect(&processo_, &QProcess::started, this, [this]() {
        avviato_ = true;
        gruppo_ = processo_.processId();
    });
    connect(&processo_, &QProcess::finished, this, &VerificaFirma::ProcessoFinito);
    connect(&processo_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart)
            return;
        errore_ = u"impossibile avviare il comando: "_s + processo_.errorString();
        Concludi(SbustaVerificaFallita);
    });
}

VerificaFirma::~VerificaFirma()
{
    if (!finita_) {
        disconnect(&processo_, nullptr, this, nullptr);
        Ferma(true);
    }
}

void VerificaFirma::Ferma(bool subito)
{
#ifdef Q_OS_UNIX
    // Also after the command itself ended: what it left running in the
    // background could still write the destination that a failure removes.
    // The group id stays reserved while a member lives.
    if (gruppo_ > 0) {
        ::kill(-static_cast<pid_t>(gruppo_), subito ? SIGKILL : SIGTERM);
        if (!subito)
            return;
    }
#endif
    if (processo_.state() == QProcess::NotRunning)
        return;
    if (!subito) {
        processo_.terminate();
        return;
    }
    processo_.kill();
    processo_.waitForFinished(2000);
}

bool VerificaFirma::DestinoCompleto() const
{
    const QFileInfo f(destino_);
    return f.isFile() && !f.isSymLink() && f.size() > 0;
}

QString VerificaFirma::DestinoNonValido() const
{
    const QString dato = destinoDato_.trimmed();
    if (dato.isEmpty() || dato.endsWith(u'/') || dato.endsWith(u'\\'))
        return u"nome di destinazione vuoto"_s;
    if (QFileInfo(destino_).isDir())
        return u"la destinazione e' una cartella: "_s + destino_;
    return {};
}

void VerificaFirma::ConcludiDopo(int esito)
{
    QTimer::singleShot(0, this, [this, esito]() { Concludi(esito); });
}

void VerificaFirma::Avvia()
{
    const int fallita = firmato_ ? SbustaVerificaFallita : SbustaCopiaFallita;
    errore_ = DestinoNonValido();
    if (!errore_.isEmpty()) {
        ConcludiDopo(fallita);
        return;
    }
    // An old copy must never pass for the new one.
    QFile::remove(destino_);

    if (!firmato_) {
        // The file moves: afterwards it is only at the destination.
        QFile file(origine_);
        bool spostato = file.rename(destino_);
        if (!spostato) {
            errore_ = u"impossibile spostare il file: "_s + file.errorString();
        } else if (!DestinoCompleto()) {
            // An empty file is no copy: it goes back where it was.
            QFile::rename(destino_, origine_);
            spostato = false;
            errore_ = u"il file e' vuoto"_s;
        } else {
            messaggioComando_ = u"file non firmato: spostato"_s;
        }
        ConcludiDopo(spostato ? SbustaRiuscito : fallita);
        return;
    }

    const QString comando = ComandoSbusta();
    if (comando.isEmpty())
        errore_ = u"comando "_s + QLatin1String(NomeComandoSbusta) + u" non trovato"_s;
    else if (!QFileInfo(origine_).isFile())
        errore_ = u"file firmato non trovato"_s;
    if (!errore_.isEmpty()) {
        ConcludiDopo(fallita);
        return;
    }
    processo_.setWorkingDirectory(ParametriEdi.CartellaBase.isEmpty()
                                      ? QFileInfo(origine_).absolutePath()
                                      : ParametriEdi.CartellaBase);
    limite_.start(LimiteSbustaMs());
    processo_.start(u"/bin/sh"_s, {comando, origine_, destino_});
}

void VerificaFirma::ProcessoFinito(int codice, QProcess::ExitStatus stato)
{
    if (scaduto_) {
        Concludi(SbustaVerificaFallita);
        return;
    }
    if (stato == QProcess::NormalExit && codice == 0) {
        if (DestinoCompleto()) {
            Concludi(SbustaRiuscito);
            return;
        }
        errore_ = u"il comando non ha scritto il file di destinazione"_s;
    } else {
        errore_ = stato == QProcess::NormalExit
                      ? u"il comando e' terminato con codice "_s + QString::number(codice)
                      : u"il comando si e' interrotto"_s;
    }
    Concludi(SbustaVerificaFallita);
}

void VerificaFirma::LimiteScaduto()
{
    if (finita_)
        return;
    scaduto_ = true;
    errore_ = u"tempo scaduto: il comando non ha finito entro "_s +
              QString::number(LimiteSbustaMs() / 1000.0) + u" secondi ed e' stato fermato"_s;
    // Asked first, so that it clears up what it had half written.
    Ferma(false);
    grazia_.start(GraziaMs);
}

QString VerificaFirma::SpazioEsaurito() const
{
    const QString cartella = QFileInfo(destino_).absolutePath();
    const QStorageInfo disco(cartella);
    if (destino_.isEmpty() || !disco.isValid() || !disco.isReady())
        return {};
    // The content is never larger than its envelope.
    const qint64 serve = qMax<qint64>(QFileInfo(origine_).size(), 1);
    if (disco.bytesAvailable() >= serve)
        return {};
    return u"SPAZIO SU DISCO ESAURITO nella cartella "_s + cartella + u" ("_s +
           QString::number(disco.bytesAvailable()) + u" byte liberi): liberare spazio e ripetere"_s;
}

void VerificaFirma::Concludi(int esito)
{
    if (finita_)
        return;
    // Before stopping the command: a stop that reports its end must not bring
    // this end round a second time.
    finita_ = true;
    limite_.stop();
    grazia_.stop();
    disconnect(&processo_, nullptr, this, nullptr);
    // A success leaves alone what the command opened for the person (a viewer).
    if (esito != SbustaRiuscito)
        Ferma(true);
    if (avviato_ && processo_.state() == QProcess::NotRunning)
        messaggioComando_ = UltimaRiga(processo_.readAllStandardError());

    if (esito != SbustaRiuscito) {
        // Whatever a failed command left would later pass for an unwrapped copy.
        if (!destino_.isEmpty() && !QFileInfo(destino_).isDir())
            QFile::remove(destino_);
        QStringList perche;
        const QString spazio = SpazioEsaurito();
        if (!spazio.isEmpty() && !messaggioComando_.contains(u"SPAZIO SU DISCO ESAURITO"_s))
            perche << spazio;
        if (!messaggioComando_.isEmpty() && !scaduto_)
            perche << messaggioComando_;
        if (!errore_.isEmpty())
            perche << errore_;
        errore_ = perche.join(u'\n');
    }
    esito_ = esito;

    QString erroreRegistro;
    if (!RegistraVerifica(QFileInfo(origine_).fileName(),
                          destino_.isEmpty() ? QString() : QFileInfo(destino_).fileName(),
                          esito == SbustaRiuscito,
                          esito == SbustaRiuscito ? messaggioComando_ : errore_, &erroreRegistro)) {
        static bool avvisato = false;
        if (!avvisato) {
            avvisato = true;
            Messaggio(QLatin1String(ErroreRegistro) + u'\n' + erroreRegistro, Pulsanti::Ok,
                      Icona::Avviso);
        }
    }
    emit Terminata(esito);
}

int SbustaFile(const QString& origine, const QString& destino, QString* messaggio)
{
    VerificaFirma verifica(origine, destino);
    QEventLoop ciclo;
    QObject::connect(&verifica, &VerificaFirma::Terminata, &ciclo, &QEventLoop::quit);
    verifica.Avvia();
    if (!verifica.Finita())
        ciclo.exec();
    if (messaggio)
        *messaggio =
            verifica.Esito() == SbustaRiuscito ? verifica.MessaggioComando() : verifica.Errore();
    return verifica.Esito();
}
