#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>

// Declaration and reply file names: user code (4) + MM + DD + "." + type letter +
// progressive (2) + any rest. The type letter is always the tenth character.

// Type letters of the files the office sends, and of the replies. The dots of
// the reply table only hold positions; "?" stands for any type in a filter.
inline constexpr char TipiInvio[] = "TISRCMVQO4?";
inline constexpr char TipiRisposta[] = "AGFUDBY025WHEXJPZ136...N.........L......?";

// Position of lettera in tabella (first occurrence, case counts) modulo 10:
// 1..9 is a colour slot, 0 no colour. An empty letter is found at position 1.
int GruppoTipo(const QString& lettera, const QString& tabella);

// True when the office works on a slice of the progressives (PROGR1 above "00"
// or PROGR2 below "ZZ").
bool IntervalloRistretto();

enum class LatoFiltro
{
    Invio,
    Ricezione
};

struct EsitoFiltro
{
    bool valido = false;
    QString valore;        // the normalised text the field takes when valido
    QString messaggio;     // the message to show when not valido
    bool ignorato = false; // day field while the month is wrong: left as it is
};

// Checks the filter field indice (1 month, 2 day, 3 type letter, 4 progressive)
// holding testo. meseCampo is the month field's text, which the day needs.
EsitoFiltro ControllaFiltro(int indice, const QString& testo, const QString& meseCampo,
                            LatoFiltro lato);

// What the four filter fields hold when a window opens (fields 1..4 at 0..3).
std::array<QString, 4> ValoriInizialiFiltro(const QDate& oggi);

// user + MM + DD + "." + T + PP + "*" from the four fields.
QString MascheraSelezione(const QString& utente, const std::array<QString, 4>& campi);

// The directory search's match: case ignored, "*" any run, "?" one character.
bool CorrispondeMaschera(const QString& nome, const QString& maschera);

// Names of the plain files of cartella that match maschera, in name order.
QStringList FileCorrispondenti(const QString& cartella, const QString& maschera);
