#pragma once

#include <QList>
#include <QString>

// The update check's rules: where the versions page is, what it says about this
// program, and which of its updates are new to this office.

// The update site from the settings (AGGIORNA ZERPA), the maker's when blank,
// always ending with "/".
QString SitoAggiornamenti();
// "http://" + site + the versions page's path (AGGIORNA AGGIORNAMENTI); a site
// that names its own scheme keeps it.
QString IndirizzoPaginaVersioni();
// An address on the update site for a path the versions page gives.
QString IndirizzoSulSito(const QString& sito, const QString& percorso);

// The program's name as the versions page knows it: the executable's name,
// trimmed, in capitals.
QString NomeProgrammaAggiornamenti();

struct VoceAggiornamento
{
    QString codice;
    QString data;
    QString descrizione;
    QString indirizzo;
    double timbro = 0; // the date's serial value (0 when not a date) + 0.99
    QString Etichetta() const;
};

struct AnalisiVersioni
{
    QString paginaProgramma;
    int versioneUltima = 0;
    QString testoUltima; // two-digit groups
    bool aggiornato = false;
    QList<VoceAggiornamento> nuovi; // every new update, in page order
};

// Reads the versions page for nome against the running version number; an
// update is new when its stamp is above the number stored for its code in
// section AGGIORNAMENTI. sito prefixes the download paths.
AnalisiVersioni LeggiPaginaVersioni(const QString& pagina, const QString& nome, int versioneInUso,
                                    const QString& sito);

// Why a download cannot be saved under nome (the last part of its address),
// or "" when it can: not empty, not hidden, no control character, no path.
QString MotivoNomeScaricamento(const QString& nome);

// The update list has this many slots; the rest are only counted.
inline constexpr int PostiAggiornamenti = 10;
