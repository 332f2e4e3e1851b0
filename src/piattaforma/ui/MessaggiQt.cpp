#include "piattaforma/ui/MessaggiQt.h"

#include "piattaforma/Messaggi.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::StandardButton Pulsante(Risposta r)
{
    switch (r) {
    case Risposta::Ok:
        return QMessageBox::Ok;
    case Risposta::Annulla:
        return QMessageBox::Cancel;
    case Risposta::Si:
        return QMessageBox::Yes;
    case Risposta::No:
        return QMessageBox::No;
    case Risposta::Riprova:
        return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons Pulsanti_(Pulsanti p)
{
    switch (p) {
    case Pulsanti::Ok:
        return QMessageBox::Ok;
    case Pulsanti::OkAnnulla:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Pulsanti::SiNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Pulsanti::SiNoAnnulla:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Pulsanti::RiprovaAnnulla:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon Icona_(Icona i)
{
    switch (i) {
    case Icona::Nessuna:
        return QMessageBox::NoIcon;
    case Icona::Informazione:
        return QMessageBox::Information;
    case Icona::Avviso:
        return QMessageBox::Warning;
    case Icona::Critico:
        return QMessageBox::Critical;
    case Icona::Domanda:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

Risposta MostraBox(const RichiestaMessaggio& r)
{
    QMessageBox box(Icona_(r.icona), r.titolo, r.testo, Pulsanti_(r.pulsanti),
                    QApplication::activeWindow());
    box.setDefaultButton(Pulsante(r.predefinita));
    // Escape answers No where there is no Cancel, as the office expects.
    if (r.pulsanti == Pulsanti::SiNo)
        box.setEscapeButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Risposta::Ok;
    case QMessageBox::Yes:
        return Risposta::Si;
    case QMessageBox::No:
        return Risposta::No;
    case QMessageBox::Cancel:
        return Risposta::Annulla;
    case QMessageBox::Retry:
        return Risposta::Riprova;
    default:
        // Closed without a button (no escape button set): the safe answer.
        return r.pulsanti == Pulsanti::Ok     ? Risposta::Ok
               : r.pulsanti == Pulsanti::SiNo ? Risposta::No
                                              : Risposta::Annulla;
    }
}

} // namespace

void InstallaMessaggiQt()
{
    ImpostaGestoreMessaggi(MostraBox);
}
