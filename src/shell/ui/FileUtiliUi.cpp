#include "shell/ui/FileUtiliUi.h"

#include "piattaforma/Associazioni.h"
#include "piattaforma/Messaggi.h"
#include "piattaforma/ui/Dialoghi.h"
#include "piattaforma/ui/Shell.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString TestoEsito(int codice)
{
    switch (codice) {
    case EsitoRunFile::RisorseEsaurite:
        return QStringLiteral("Memoria o risorse del sistema esaurite. ");
    case EsitoRunFile::FileNonTrovato:
        return QStringLiteral("Impossibile trovare il file. ");
    case EsitoRunFile::CartellaNonTrovata:
        return QStringLiteral("Impossibile trovare la cartella. ");
    case EsitoRunFile::FormatoNonValido:
        return QStringLiteral("Il formato del file non è valido. ");
    case EsitoRunFile::NessunaAssociazione:
        return QStringLiteral(
                   "Il sistema in uso non presenta alcuna associazione per questo tipo di file. ") +
               QStringLiteral("\n\n") +
               QStringLiteral("Installare un'applicazione appropriata oppure creare "
                              "un'associazione. ") +
               QLatin1Char('\n') +
               QStringLiteral("Per creare un'associazione, selezionare il file sottoindicato. "
                              "Tenendo ") +
               QLatin1Char('\n') +
               QStringLiteral(
                   "premuto il tasto Shift, cliccare col pulsante destro del mouse sul file. ") +
               QLatin1Char('\n') +
               QStringLiteral("Selezionare la voce \"Apri con...\" e spuntare la casella "
                              "\"Utilizza ") +
               QLatin1Char('\n') +
               QStringLiteral("sempre...\". Selezionare l'applicazione appropriata e scegliere "
                              "[Ok]. ");
    default:
        return {};
    }
}

bool Indirizzo(const QString& documento)
{
    static const QRegularExpression schema(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return schema.match(documento).hasMatch() && !QFileInfo::exists(documento);
}

} // namespace

QString SceltaCartella(QWidget* proprietario, const QString& cartellaIniziale,
                       const QString& titolo)
{
    return ScegliCartella(proprietario, titolo,
                          cartellaIniziale.trimmed().isEmpty() ? QString() : cartellaIniziale);
}

int RunFile(QWidget* finestra, const QString& documento, const QString& parametri,
            const QString& cartella, int modo)
{
    Q_UNUSED(finestra);
    Q_UNUSED(modo);
    int codice = EsitoRunFile::Aperto;
    QString bersaglio = documento.trimmed();
    if (!cartella.trimmed().isEmpty() && !QFileInfo(cartella).isDir()) {
        codice = EsitoRunFile::CartellaNonTrovata;
    } else if (!Indirizzo(bersaglio)) {
        if (QFileInfo(bersaglio).isRelative() && !cartella.trimmed().isEmpty())
            bersaglio = QDir(cartella).filePath(bersaglio);
        if (bersaglio.isEmpty() || !QFileInfo::exists(bersaglio))
            codice = QFileInfo(QFileInfo(bersaglio).absolutePath()).isDir()
                         ? EsitoRunFile::FileNonTrovato
                         : EsitoRunFile::CartellaNonTrovata;
        else if (!HaApplicazioneAssociata(bersaglio) || !ApriConShell(bersaglio))
            codice = EsitoRunFile::NessunaAssociazione;
    } else if (!ApriConShell(bersaglio)) {
        codice = EsitoRunFile::NessunaAssociazione;
    }

    const QString testo = TestoEsito(codice);
    if (testo.isEmpty())
        return codice;
    QString messaggio = testo + QStringLiteral("\n\nPercorso: '") + documento + QLatin1Char('\'');
    if (!cartella.trimmed().isEmpty())
        messaggio += QStringLiteral("\nCartella: '") + cartella + QLatin1Char('\'');
    if (!parametri.trimmed().isEmpty())
        messaggio += QStringLiteral("\nParametri: '") + parametri + QLatin1Char('\'');
    Messaggio(messaggio, Pulsanti::Ok, Icona::Critico,
              QStringLiteral("RunFile: Errore di esecuzione"));
    return codice;
}
