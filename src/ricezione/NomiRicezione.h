#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>

// The receive side's rules on names: what the server's listing holds, which of
// its names are new, what an unwrapped copy is called.

// Where a reply's unwrapped copy goes in CartellaVerificati: "" for a name with
// ".PDF"; a signed name loses ".P7M"; a type-N name (third-last character)
// gets ".pdf".
QString NomeLocale(const QString& nome);

// The local listing file: "LS" + user + day (2 digits) + "hhmmss".
QString NomeFileElenco(const QString& utente, const QDateTime& ora);

// A server name that may stand alone in a "get" line and be written in the
// received folder as it is: a plain file name with no wildcard, no "!" or
// "|" (the client's shell escapes), no leading "~", short enough for its
// temporary name to fit in 255 bytes, every character read as such.
bool NomeRicevibile(const QString& nome);
// Why nome is not, or "" when it is.
QString MotivoNomeNonRicevibile(const QString& nome);

struct ElencoLetto
{
    QStringList nomi;     // the plain names, in listing order
    QStringList scartati; // every other non-blank line
};

// One name per line, CR LF or LF.
ElencoLetto LeggiElenco(const QByteArray& contenuto);

// The start of a run: type "", "*" → "?"; progressive "*" → "?", "" or "?" →
// "??", one character c → "0c" for a digit 1..9, else "c?".
QString NormalizzaTipo(const QString& tipo);
QString NormalizzaProgressivo(const QString& progressivo);
// Type + progressive; "???" is list mode, anything else pattern mode.
QString ChiaveRicezione(const QString& tipo, const QString& progressivo);
inline bool ModoElenco(const QString& chiave)
{
    return chiave == QLatin1String("???");
}

// user + MM + DD of the month and day fields (blank: "00").
QString PrefissoGiorno(const QString& utente, const QString& mese, const QString& giorno);

// The pattern of pattern mode from the four fields as they stand after the
// start of the run (campi[0..3]: month, day, type, progressive).
QString ModelloRicezione(const QString& utente, const std::array<QString, 4>& campi);

// The new-file rule of a listing. Replies of the day: prefix, no ".LOG", a type
// L, N, X, W or Q. Clearances (prefisso empty): any name but ".LOG". Either
// way a name is new when it is neither in cartellaRicevuti nor, by its local
// name, in cartellaVerificati; only a regular file counts as there.
struct SceltaNuovi
{
    int totale = 0;    // every new name
    QStringList nuovi; // the first maxFile of them, in listing order
    // Names under which a link or a folder stands instead of a file.
    QStringList collegamenti;
};
SceltaNuovi ScegliNuovi(const QStringList& nomi, const QString& prefisso,
                        const QString& cartellaRicevuti, const QString& cartellaVerificati,
                        int maxFile, bool appuramenti = false);

// The name a fetch is written under until the transcript shows it complete.
QString NomeTemporaneo(const QString& nome);
