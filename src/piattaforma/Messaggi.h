#pragma once

#include <QString>

#include <functional>

// Every message box of the program goes through Messaggio(), so that a test can
// answer it. The windows' library installs the real boxes at start-up; a test
// installs its responder.

enum class Pulsanti
{
    Ok,
    OkAnnulla,
    SiNo,
    SiNoAnnulla,
    RiprovaAnnulla
};
enum class Icona
{
    Nessuna,
    Informazione,
    Avviso,
    Critico,
    Domanda
};
enum class Risposta
{
    Ok,
    Annulla,
    Si,
    No,
    Riprova
};

struct RichiestaMessaggio
{
    QString testo;
    Pulsanti pulsanti = Pulsanti::Ok;
    Icona icona = Icona::Nessuna;
    QString titolo;
    Risposta predefinita = Risposta::Ok;
};

using GestoreMessaggi = std::function<Risposta(const RichiestaMessaggio&)>;

// The program's default title of a message box.
QString TitoloPredefinito();

// Shows the box and returns the button pressed. A blank titolo gives the default
// title; without predefinita, a question defaults to No and any other box to its
// first button.
Risposta Messaggio(const QString& testo, Pulsanti pulsanti = Pulsanti::Ok,
                   Icona icona = Icona::Nessuna, const QString& titolo = {});
Risposta Messaggio(const QString& testo, Pulsanti pulsanti, Icona icona, const QString& titolo,
                   Risposta predefinita);

// Installs the function that shows the boxes; returns the one it replaces.
GestoreMessaggi ImpostaGestoreMessaggi(GestoreMessaggi gestore);
