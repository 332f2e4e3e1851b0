#include "piattaforma/Messaggi.h"

#include "piattaforma/SegnaliTermine.h"

#include <QTextStream>

namespace {

// Without windows (a command-line run) a box can only be printed, and the
// default answer taken.
Risposta SuConsole(const RichiestaMessaggio& r)
{
    QTextStream err(stderr);
    err << r.titolo << ": " << r.testo << Qt::endl;
    return r.predefinita;
}

GestoreMessaggi& Gestore()
{
    static GestoreMessaggi gestore = SuConsole;
    return gestore;
}

Risposta PrimoPulsante(Pulsanti p)
{
    switch (p) {
    case Pulsanti::SiNo:
    case Pulsanti::SiNoAnnulla:
        return Risposta::No;
    case Pulsanti::RiprovaAnnulla:
        return Risposta::Riprova;
    case Pulsanti::Ok:
    case Pulsanti::OkAnnulla:
        break;
    }
    return Risposta::Ok;
}

// What closing the box without a button answers.
Risposta RispostaDiChiusura(Pulsanti p)
{
    switch (p) {
    case Pulsanti::Ok:
        return Risposta::Ok;
    case Pulsanti::SiNo:
        return Risposta::No;
    case Pulsanti::OkAnnulla:
    case Pulsanti::SiNoAnnulla:
    case Pulsanti::RiprovaAnnulla:
        break;
    }
    return Risposta::Annulla;
}

} // namespace

QString TitoloPredefinito()
{
    return QStringLiteral("Norvel");
}

Risposta Messaggio(const QString& testo, Pulsanti pulsanti, Icona icona, const QString& titolo)
{
    return Messaggio(testo, pulsanti, icona, titolo, PrimoPulsante(pulsanti));
}

Risposta Messaggio(const QString& testo, Pulsanti pulsanti, Icona icona, const QString& titolo,
                   Risposta predefinita)
{
    RichiestaMessaggio r;
    r.testo = testo;
    r.pulsanti = pulsanti;
    r.icona = icona;
    r.titolo = titolo.trimmed().isEmpty() ? TitoloPredefinito() : titolo;
    r.predefinita = predefinita;
    // The program is being stopped: no one will answer, the box is closed.
    if (TerminazioneRichiesta())
        return RispostaDiChiusura(pulsanti);
    return Gestore()(r);
}

GestoreMessaggi ImpostaGestoreMessaggi(GestoreMessaggi gestore)
{
    GestoreMessaggi vecchio = std::move(Gestore());
    Gestore() = gestore ? std::move(gestore) : GestoreMessaggi(SuConsole);
    return vecchio;
}
