#pragma once

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The receive run with nobody at the desk: the list-mode run of the receive
// window for one day, repeated until no new reply is left, then, when asked,
// each fetched reply moved on as the window's "&SPOSTA" does.

// Exit statuses of the unattended run.
enum CodiceRiceviAutomatico
{
    RicezioneFatta = 0,    // done, also when nothing was new
    RicezioneParziale = 1, // some file not fetched or not unwrapped
    RicezioneImpossibile = 2,
    RicezioneOccupata = 3 // another run holds the program folder's lock
};

// Rounds of one run at most: each fetches up to MaxFile replies.
inline constexpr int GiriMassimi = 20;

struct OpzioniRiceviAutomatico
{
    QString cartellaProgramma;
    QDate giorno; // invalid: today
    bool verifica = false;
};

struct EsitoRiceviAutomatico
{
    int codice = RicezioneImpossibile;
    QStringList ricevuti;                    // in the order they arrived
    QStringList nonRicevuti;                 // asked for, not fetched whole
    QList<QPair<QString, QString>> sbustati; // received name, name in "Verificati"
    QStringList nonSbustati;
    int giri = 0;
    bool interrotto = false; // a signal stopped it
    QStringList errori;      // what went wrong, one line each (beside the messages)
};

// "MMGG" of the command line into a day of this year; invalid when it is none.
QDate GiornoDaMmgg(const QString& mmgg, const QDate& oggi);

// Reads the program folder's settings, takes its transfer lock (held: nothing
// more), checks the link and the server, and runs the rounds. Messages of the
// runs go through Messaggio, which the caller prints.
EsitoRiceviAutomatico RiceviAutomatico(const OpzioniRiceviAutomatico& opzioni);

// The files that arrived, for a person: "3 nuovi messaggi dalla Dogana".
QString TitoloNuoviMessaggi(int quanti);
