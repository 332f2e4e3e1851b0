#pragma once

#include "scambio/EseguiScriptFtp.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

// The receive runs: a listing of the server's names, the choice of the new
// ones, and their fetch into the received folder. Each works on the copy of
// its inputs it is given.

inline constexpr char MessaggioListaRicezione[] = "RICEZIONE LISTA DEI MESSAGGI DALLA DOGANA ";
inline constexpr char MessaggioRicezioneModello[] = "RICEZIONE DEI MESSAGGI DALLA DOGANA ";
inline constexpr char MessaggioListaAppuramenti[] = "RICEZIONE LISTA APPURAMENTI DALLA DOGANA ";
inline constexpr char AttenderePrego[] = "Attendere prego ...";

struct RichiestaRicezione
{
    QString cartellaRicevuti;
    QString cartellaVerificati;
    QString host;
    QString utente;
    QString password;
    std::array<QString, 4> campi; // month, day, type, progressive, as the run normalised them
    int maxFile = 50;
    QDateTime ora;                                    // names the listing file
    QString operazione = QStringLiteral("ricezione"); // what the fetch is, for the transfer log
};

// The request from the globals and the window's fields.
RichiestaRicezione RichiestaDaGlobali(const std::array<QString, 4>& campi);

struct ElencoRemoto
{
    bool eseguito = false; // the listing transfer ran to its end
    bool presente = false; // the listing file arrived
    QStringList nomi;      // plain names, in listing order
    QStringList scartati;  // lines that are no plain name, left out
    // Why there is no listing to trust (log-in or listing refused, no answer,
    // the listing file not written), as the user is told; "" when there is.
    QString rifiuto;
    // The client found line breaks inside the listing's lines: some server
    // name holds one, and the listing shows it as two bogus names.
    bool righeSpezzate = false;
};

// The listing transfer: "ls " + maschera + " " + listing file, then the file
// read and deleted. A server that refuses the pattern is asked for all its
// names, and the mask is applied here.
ElencoRemoto RiceviElenco(const RichiestaRicezione& richiesta, const QString& maschera,
                          bool* occupato = nullptr);

struct EsitoScarico
{
    bool eseguito = false;
    QStringList ricevuti;    // whole, under their names
    QStringList incompleti;  // asked for, not whole: removed, new again next run
    QString causa;           // why, when known ("SPAZIO SU DISCO ESAURITO IN ...")
    QStringList inesistenti; // of the incomplete, those the server says it has not
};

// The fetch transfer: every name to a temporary name, renamed over its own
// name only when whole (confirmed by the server, no local write error, as
// many bytes on disk as the client took and the server announced); the
// others are removed. With no name the client only logs in and out.
// scartati, the listing's lines that are no name to fetch, go to the transfer
// log as not attempted.
EsitoScarico ScaricaNuovi(const RichiestaRicezione& richiesta, const QStringList& nomi,
                          bool* occupato = nullptr, const QStringList& scartati = {});

// "CI SONO n FILES NUOVI DALLA DOGANA " ... with the count left out, if any.
QString MessaggioNuovi(int nuovi, int ricevuti, int scartati);

// What a run says at its end about names left out, fetches broken off (with
// their cause) and links that stood in a reply's place; nothing when there
// is nothing to say.
void SegnalaRicezione(const QStringList& scartati, const QStringList& incompleti,
                      const QString& causa = {}, const QStringList& collegamenti = {});

// What a run tells its window on the way: the busy message, and the fetch's
// start (true) and end (false).
struct AvvisiRicezione
{
    std::function<void(const QString&)> messaggio;
    std::function<void(bool)> scarico;
};

struct EsitoRicezione
{
    bool elencoRicevuto = false; // the listing transfer ran; false: the run ended there
    int nuovi = 0;               // new names in the listing
    QStringList richiesti;       // names in the fetch
    QStringList ricevuti;
    QStringList incompleti;
    QStringList scartati;
    QString rifiuto; // the run ended with nothing fetched: why (told to the user)
};

// List mode: the day's new replies of the listing, at most maxFile of them.
EsitoRicezione RiceviNuovi(const RichiestaRicezione& richiesta, const AvvisiRicezione& avvisi,
                           bool* occupato = nullptr);
// Pattern mode: every plain name that matches the fields' pattern, fetched
// again even when present.
EsitoRicezione RiceviPerModello(const RichiestaRicezione& richiesta, const AvvisiRicezione& avvisi,
                                bool* occupato = nullptr);

// The clearances: every type-L file of the user code, whatever its date, that
// is neither received nor unwrapped yet, at most maxFile of them.
EsitoRicezione RiceviAppuramenti(const RichiestaRicezione& richiesta, const AvvisiRicezione& avvisi,
                                 bool* occupato = nullptr);
