#include "shell/FileUtili.h"

#include "piattaforma/ArchivioUtente.h"
#include "piattaforma/Messaggi.h"
#include "piattaforma/Percorsi.h"
#include "piattaforma/Processi.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>

namespace {

// Between two tries the program keeps answering; a file held by another
// program is released in its own time.
void PausaAttiva(int ms)
{
    QCoreApplication::processEvents();
    QEventLoop attesa;
    QTimer::singleShot(ms, &attesa, &QEventLoop::quit);
    attesa.exec();
}

QDeadlineTimer LimiteAttesa(double attesa)
{
    const double secondi = (attesa + 1.0) * 5.0;
    return QDeadlineTimer(secondi > 0 ? qint64(secondi * 1000.0) : 0);
}

bool CorrispondeAttributi(const QFileInfo& voce, int attributi)
{
    if (voce.isDir() && !(attributi & AttributoCartella))
        return false;
    if (voce.isHidden() && !(attributi & (AttributoNascosto | AttributoSistema)))
        return false;
    return true;
}

// The drive of a path written the office's way ("C:"); a path of this
// platform has none.
QString Unita(const QString& percorso)
{
    static const QRegularExpression lettera(QStringLiteral("^[A-Za-z]:"));
    return lettera.match(percorso).hasMatch() ? percorso.left(2) : QString();
}

} // namespace

QString SenzaVirgolette(const QString& percorso)
{
    const qsizetype virgolette = percorso.indexOf(QLatin1Char('"'), 1);
    if (virgolette < 1)
        return percorso;
    return percorso.mid(1, virgolette - 1) + percorso.mid(virgolette + 1);
}

bool EsisteFile(const QString& percorso, int attributi)
{
    if (percorso.trimmed().isEmpty())
        return false;
    const QString p = SenzaVirgolette(percorso);
    const QFileInfo info(p);
    const QString nome = info.fileName();
    if (nome.contains(QLatin1Char('*')) || nome.contains(QLatin1Char('?'))) {
        QDir::Filters filtri = QDir::Files;
        if (attributi & AttributoCartella)
            filtri |= QDir::Dirs | QDir::NoDotAndDotDot;
        if (attributi & (AttributoNascosto | AttributoSistema))
            filtri |= QDir::Hidden | QDir::System;
        return !info.dir().entryList({nome}, filtri).isEmpty();
    }
    if (nome.isEmpty()) {
        const QFileInfo cartella(SenzaSeparatoreFinale(p));
        return cartella.isDir() && (attributi & AttributoCartella);
    }
    return info.exists() && CorrispondeAttributi(info, attributi);
}

int ApriFile(const QString& percorso, QFile& file, int numero, int modo, int lunghezzaRecord,
             bool conferma)
{
    Q_UNUSED(lunghezzaRecord);
    for (const QChar c : QStringLiteral(";<=>?[]")) {
        if (percorso.contains(c)) {
            Messaggio(QStringLiteral("Il nome dell'archivio ") + percorso +
                          QStringLiteral(" non e' corretto"),
                      Pulsanti::Ok, Icona::Avviso, QStringLiteral("Nome errato"));
            return 0;
        }
    }
    if (conferma) {
        if (EsisteFile(percorso)) {
            if (modo == ModoScrittura &&
                Messaggio(QStringLiteral("L'archivio ") + percorso +
                              QStringLiteral(" esiste gia'.\nLo vuoi sostituire?"),
                          Pulsanti::SiNo, Icona::Avviso, QStringLiteral("Archivio esistente"),
                          Risposta::No) != Risposta::Si)
                return 0;
        } else if (Messaggio(QStringLiteral("L'archivio ") + percorso +
                                 QStringLiteral(" non esiste.\nLo vuoi creare?"),
                             Pulsanti::SiNo, Icona::Avviso, QStringLiteral("Archivio inesistente"),
                             Risposta::No) != Risposta::Si) {
            return 0;
        }
    }

    QIODevice::OpenMode accesso;
    switch (modo) {
    case ModoScrittura:
        accesso = QIODevice::WriteOnly | QIODevice::Truncate;
        break;
    case ModoLettura:
        accesso = QIODevice::ReadOnly;
        break;
    case ModoAggiunta:
        accesso = QIODevice::WriteOnly | QIODevice::Append;
        break;
    default:
        accesso = QIODevice::ReadWrite;
        break;
    }
    for (;;) {
        if (file.isOpen())
            file.close();
        file.setFileName(percorso);
        errno = 0;
        if (file.open(accesso))
            return numero;
        int codice = errno;
        if (codice == 0)
            codice = QFileInfo::exists(percorso) ? EACCES : ENOENT;
        if (ErroriFile(NumeroErroreFile(codice, percorso), percorso) != 0)
            return 0;
    }
}

int NumeroErroreFile(int codiceSistema, const QString& percorso)
{
    switch (codiceSistema) {
    case 0:
        return 0;
    case ENOENT:
        // A missing file in an existing folder is not the table's business.
        return QFileInfo(QFileInfo(percorso).absolutePath()).isDir()
                   ? ErroreFile::FileNonTrovato
                   : ErroreFile::PercorsoInesistente;
    case ENOTDIR:
        return ErroreFile::PercorsoInesistente;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return ErroreFile::AccessoNegato;
    case EBUSY:
    case ETXTBSY:
        return ErroreFile::GiaAperto;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return ErroreFile::NomeErrato;
    case EIO:
        return ErroreFile::ErroreIO;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ErroreFile::DiscoPieno;
    case ENODEV:
    case ENXIO:
        return ErroreFile::DeviceNonDisponibile;
#ifdef ENOMEDIUM
    case ENOMEDIUM:
        return ErroreFile::DiscoNonPronto;
#endif
    case EAGAIN:
        return ErroreFile::DiscoNonPronto;
    default:
        return 1000 + codiceSistema;
    }
}

int ErroriFile(int numeroErrore, const QString& percorso)
{
    const QString d = Unita(percorso);
    QString testo;
    Pulsanti pulsanti = Pulsanti::Ok;
    switch (numeroErrore) {
    case ErroreFile::NomeErrato:
    case ErroreFile::NomeErrato2:
        testo = QStringLiteral("Il nome dell'archivio non è corretto.");
        break;
    case ErroreFile::AccessoNegato:
        testo = QStringLiteral("L'archivio non si può aprire per quel tipo di accesso.");
        break;
    case ErroreFile::GiaAperto:
        testo = QStringLiteral("L'archivio è già aperto.");
        pulsanti = Pulsanti::RiprovaAnnulla;
        break;
    case ErroreFile::ErroreIO:
        testo = d + QStringLiteral("Errore di I/O sul DEVICE del file   ");
        pulsanti = Pulsanti::RiprovaAnnulla;
        break;
    case ErroreFile::DiscoPieno:
        testo = d + QStringLiteral("Non c'è più spazio sul disco   ");
        pulsanti = Pulsanti::RiprovaAnnulla;
        break;
    case ErroreFile::FineFile:
        testo = QStringLiteral("L'archivio ha un fine-file non standard,\n"
                               "o è stata fatta una lettura oltre la fine.");
        break;
    case ErroreFile::DeviceNonDisponibile:
        testo = d + QStringLiteral("Questo device non e' utilizzabile   ");
        break;
    case ErroreFile::DiscoNonPronto:
        testo = d + QStringLiteral("Il disco non è pronto   ");
        pulsanti = Pulsanti::RiprovaAnnulla;
        break;
    case ErroreFile::PercorsoInesistente:
        testo = QStringLiteral("Questo percorso non esiste.");
        pulsanti = Pulsanti::RiprovaAnnulla;
        break;
    default:
        return 3;
    }
    switch (Messaggio(testo, pulsanti, Icona::Avviso, QStringLiteral("Errori su  ") + percorso)) {
    case Risposta::Riprova:
        return 0;
    default:
        return 2;
    }
}

void CancellaFileAttesa(const QString& percorso, double attesa)
{
    const QDeadlineTimer limite = LimiteAttesa(attesa);
    for (;;) {
        if (!EsisteFile(percorso, AttributoNascosto))
            return;
        QCoreApplication::processEvents();
        if (QFile::remove(SenzaVirgolette(percorso)))
            return;
        if (limite.hasExpired())
            return;
        PausaAttiva(100);
    }
}

void RinominaFileAttesa(const QString& vecchio, const QString& nuovo, double attesa)
{
    CancellaFileAttesa(nuovo, 3);
    const QDeadlineTimer limite = LimiteAttesa(attesa);
    for (;;) {
        QCoreApplication::processEvents();
        if (EsisteFile(vecchio, AttributoNascosto) && QFile::rename(vecchio, nuovo))
            return;
        if (limite.hasExpired())
            return;
        PausaAttiva(100);
    }
}

bool LeggiValoreRegistro(const QString& radice, const QString& chiave, const QString& nomeValore,
                         QString& valore)
{
    Q_UNUSED(radice);
    valore.clear();
    QString percorso = chiave;
    percorso.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList parti = percorso.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parti.isEmpty() || nomeValore.isEmpty())
        return false;
    const QString applicazione = parti.takeFirst();
    const QString sezione = parti.join(QLatin1Char('/'));
    if (!EsisteValoreUtente(applicazione, sezione, nomeValore))
        return false;
    valore = LeggiValoreUtente(applicazione, sezione, nomeValore);
    if (valore.endsWith(QChar(0)))
        valore.chop(1);
    return true;
}

void InfoSistema()
{
    // The system-information tools of the usual desktops, the most complete first.
    static const char* const strumenti[] = {"hardinfo2", "hardinfo", "kinfocenter",
                                            "gnome-system-monitor", "xfce4-taskmanager"};
    for (const char* nome : strumenti) {
        const QString programma = QStandardPaths::findExecutable(QString::fromLatin1(nome));
        if (programma.isEmpty())
            continue;
        if (AvviaApplicazione(QLatin1Char('"') + programma + QLatin1Char('"'), 1) != 0)
            return;
        break;
    }
    Messaggio(QStringLiteral("Le informazioni sul sistema non sono attualmente disponibili."));
}
