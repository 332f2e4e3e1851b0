#include "invio/Archivio.h"

#include "piattaforma/Messaggi.h"
#include "piattaforma/Percorsi.h"
#include "piattaforma/SpostaFile.h"
#include "shell/Global.h"

#include <QDir>

bool InCartellaInviati(const QString& cartella)
{
    const QString inviati = QDir::cleanPath(ParametriEdi.CartellaInviati);
    if (inviati.isEmpty())
        return false;
    const QString c = QDir::cleanPath(cartella);
    return c == inviati || c.startsWith(inviati + QLatin1Char('/'));
}

bool ArchiviaFile(const QString& nome, const QString& cartella)
{
    EsitoOperazione = 0;
    if (InCartellaInviati(cartella))
        return true;

    // The move replaces an older copy itself, and only once the new one is
    // whole: deleting it first would lose it whenever the move then fails.
    const QString destinazione = UnisciPercorso(ParametriEdi.CartellaInviati, nome);
    const QString errore = SpostaFile(UnisciPercorso(cartella, nome), destinazione);
    if (errore.isEmpty())
        return true;
    Messaggio(QStringLiteral("ERRORE IN FASE DI STORICIZZAZIONE!\n") + destinazione +
              QStringLiteral("\n    in\n") + nome + QLatin1Char('\n') + errore);
    EsitoOperazione = 1;
    return false;
}
