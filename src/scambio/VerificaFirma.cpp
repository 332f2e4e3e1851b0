#include "scambio/VerificaFirma.h"

#include "piattaforma/Percorsi.h"
#include "shell/Global.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>
#endif

namespace {

int limiteImposto = 0;

// A signature check against the certifier's lists can take its time on a slow
// line; two minutes is what a person will wait for one reply.
constexpr int LimitePredefinitoMs = 120000;
constexpr int IntervalloControlloMs = 50;
// A command that has ended may still have a file on its way to the disk.
constexpr int AttesaDopoFineMs = 1500;
// A destination that has stopped growing this long is whole, even when the
// signature software stays open.
constexpr int DimensioneStabileMs = 1000;

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

int LimiteSbustaMs()
{
    return limiteImposto > 0 ? limiteImposto : LimitePredefinitoMs;
}

void ImpostaLimiteSbusta(int millisecondi)
{
    limiteImposto = qMax(0, millisecondi);
}

VerificaFirma::VerificaFirma(const QString& origine, const QString& destino, QObject* genitore)
    : QObject(genitore), origine_(Risolvi(origine)), destino_(Risolvi(destino))
{
    firmato_ = NomeFirmato(origine_);
    controllo_.setInterval(IntervalloControlloMs);
    connect(&controllo_, &QTimer::timeout, this, &VerificaFirma::Controlla);
    processo_.setStandardOutputFile(QProcess::nullDevice());
#ifdef Q_OS_UNIX
    // Its own process group, so that stopping it stops what it started too: a
    // left-over child could still write the destination after it was removed.
    processo_.setChildProcessModifier([]() {
        ::setsid();
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    });
#endif
    connect(&processo_, &QProcess::started, this, [this]() { gruppo_ = processo_.processId(); });
    connect(&processo_, &QProcess::finished, this, [this]() {
        fineProcessoMs_ = trascorso_.elapsed();
        Controlla();
    });
}

VerificaFirma::~VerificaFirma()
{
    Ferma(!finita_);
}

void VerificaFirma::Ferma(bool conGruppo)
{
#ifdef Q_OS_UNIX
    // Also after the command itself ended: what it left running in the
    // background could still write the destination that a failure removes.
    // The group id stays reserved while a member lives.
    if (conGruppo && gruppo_ > 0)
        ::kill(-static_cast<pid_t>(gruppo_), SIGKILL);
#else
    Q_UNUSED(conGruppo);
#endif
    if (processo_.state() == QProcess::NotRunning)
        return;
    processo_.kill();
    processo_.waitForFinished(2000);
}

qint64 VerificaFirma::DimensioneDestino() const
{
    const QFileInfo f(destino_);
    return f.isFile() ? f.size() : 0;
}

void VerificaFirma::Avvia()
{
    trascorso_.start();
    // An old copy must never pass for the new one.
    if (!destino_.isEmpty())
        QFile::remove(destino_);

    if (!firmato_) {
        // The file moves: afterwards it is only at the destination.
        bool spostato = !destino_.isEmpty() && QFile::rename(origine_, destino_);
        if (spostato && DimensioneDestino() == 0) {
            // An empty file is no copy: it goes back where it was.
            QFile::rename(destino_, origine_);
            spostato = false;
        }
        if (!spostato && errore_.isEmpty())
            errore_ = QStringLiteral("impossibile spostare il file");
        QTimer::singleShot(0, this, [this, spostato]() {
            Concludi(spostato ? SbustaRiuscito : SbustaCopiaFallita);
        });
        return;
    }

    const QString comando = ComandoSbusta();
    if (comando.isEmpty())
        errore_ = QStringLiteral("comando ") + QLatin1String(NomeComandoSbusta) +
                  QStringLiteral(" non trovato");
    else if (!QFileInfo(origine_).isFile())
        errore_ = QStringLiteral("file firmato non trovato");
    if (!errore_.isEmpty() || destino_.isEmpty()) {
        QTimer::singleShot(0, this, [this]() { Concludi(SbustaVerificaFallita); });
        return;
    }
    processo_.setWorkingDirectory(ParametriEdi.CartellaBase.isEmpty()
                                      ? QFileInfo(origine_).absolutePath()
                                      : ParametriEdi.CartellaBase);
    processo_.start(QStringLiteral("/bin/sh"), {comando, origine_, destino_});
    controllo_.start();
}

void VerificaFirma::Controlla()
{
    if (finita_)
        return;
    const qint64 ora = trascorso_.elapsed();
    const qint64 dimensione = DimensioneDestino();
    const bool inCorso = processo_.state() != QProcess::NotRunning;
    if (fineProcessoMs_ < 0 && !inCorso)
        fineProcessoMs_ = ora;

    if (dimensione != ultimaDimensione_) {
        ultimaDimensione_ = dimensione;
        dimensioneStabileDaMs_ = ora;
    }
    if (dimensione > 0 && (!inCorso || ora - dimensioneStabileDaMs_ >= DimensioneStabileMs)) {
        Concludi(SbustaRiuscito);
        return;
    }
    if (!inCorso && ora - fineProcessoMs_ >= AttesaDopoFineMs) {
        Concludi(SbustaVerificaFallita);
        return;
    }
    // Still running, and the destination still growing if there is one.
    if (ora >= LimiteSbustaMs()) {
        errore_ = QStringLiteral("tempo scaduto");
        Concludi(SbustaVerificaFallita);
    }
}

void VerificaFirma::Concludi(int esito)
{
    if (finita_)
        return;
    controllo_.stop();
    // A success leaves alone what the command opened for the person (a viewer).
    Ferma(esito == SbustaVerificaFallita);
    // Whatever a failed command left would later pass for an unwrapped copy.
    if (esito == SbustaVerificaFallita && !destino_.isEmpty())
        QFile::remove(destino_);
    if (firmato_ && errore_.isEmpty()) {
        const QStringList righe = QString::fromLocal8Bit(processo_.readAllStandardError())
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString& r : righe)
            if (r.startsWith(QLatin1String("Sbusta:")) || errore_.isEmpty())
                errore_ = r.trimmed();
    }
    finita_ = true;
    esito_ = esito;
    emit Terminata(esito);
}

int SbustaFile(const QString& origine, const QString& destino)
{
    VerificaFirma verifica(origine, destino);
    QEventLoop ciclo;
    QObject::connect(&verifica, &VerificaFirma::Terminata, &ciclo, &QEventLoop::quit);
    verifica.Avvia();
    if (!verifica.Finita())
        ciclo.exec();
    return verifica.Esito();
}
