#include "invio/Archivio.h"

#include "piattaforma/Messaggi.h"
#include "piattaforma/Percorsi.h"
#include "shell/Global.h"

#include <QDir>

#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path Percorso(const QString& p)
{
    return std::filesystem::path(p.toStdU16String());
}

// rename() where it can, copy and delete across devices; the error is the
// system's own.
std::error_code Sposta(const QString& da, const QString& a)
{
    namespace fs = std::filesystem;
    std::error_code errore;
    fs::rename(Percorso(da), Percorso(a), errore);
    if (errore == std::errc::cross_device_link) {
        errore.clear();
        fs::copy_file(Percorso(da), Percorso(a), fs::copy_options::overwrite_existing, errore);
        if (!errore)
            fs::remove(Percorso(da), errore);
    }
    return errore;
}

} // namespace

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

    // The move replaces an older copy itself: deleting it first would lose it
    // whenever the move then fails.
    const QString destinazione = UnisciPercorso(ParametriEdi.CartellaInviati, nome);
    const std::error_code errore = Sposta(UnisciPercorso(cartella, nome), destinazione);
    if (!errore)
        return true;
    Messaggio(QStringLiteral("ERRORE IN FASE DI STORICIZZAZIONE!\n") + destinazione +
              QStringLiteral("\n    in\n") + nome + QLatin1Char('\n') +
              QString::fromStdString(errore.message()));
    EsitoOperazione = 1;
    return false;
}
