#include "invio/ListaInvio.h"

#include "invio/Archivio.h"
#include "invio/InvioBolle.h"
#include "piattaforma/Messaggi.h"
#include "piattaforma/Percorsi.h"
#include "shell/Global.h"
#include "shell/ModuliOpzionali.h"
#include "shell/NomiFile.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>

ListaInvio::ListaInvio()
    : cartella_(ParametriEdi.CartellaFirmati), colonna_(std::clamp(OrdinaColInvio, 0, 2) + 1),
      modo_(OrdinaModoInvio)
{
}

void ListaInvio::Carica(const std::array<QString, 4>& campi)
{
    elenco_.Carica(cartella_, MascheraSelezione(ParametriEdi.UtenteFtp, campi),
                   elenco_.ElencoInvio());
    elenco_.Ordina(colonna_, modo_);
}

void ListaInvio::OrdinaDaIntestazione(int colonna, ModoOrdine modo)
{
    modo_ = modo;
    elenco_.Ordina(colonna, modo_);
}

void ListaInvio::ScegliQuali(bool daInviare)
{
    cartella_ = daInviare ? ParametriEdi.CartellaFirmati : ParametriEdi.CartellaInviati;
}

bool ListaInvio::ImpostaOrigine(const QString& scelta)
{
    if (scelta.trimmed().isEmpty())
        return false;
    const QString cartella = SenzaSeparatoreFinale(scelta.trimmed());
    if (cartella != ParametriEdi.CartellaFirmati)
        ParametriEdi.CartellaFirmati = cartella;
    cartella_ = cartella;
    return true;
}

bool ListaInvio::StoricizzaOfferta() const
{
    return !InCartellaInviati(cartella_);
}

ListaInvio::Storico ListaInvio::Storicizza(const QString& nome) const
{
    if (nome.trimmed().isEmpty())
        return Storico::NonConfermato;
    if (Messaggio(QStringLiteral("CONFERMI LA STORICIZZAZIONE DI  '") + nome + QLatin1Char('\''),
                  Pulsanti::SiNo, Icona::Domanda, QStringLiteral("STORICIZZA FIRMATI"),
                  Risposta::No) != Risposta::Si)
        return Storico::NonConfermato;
    ArchiviaFile(nome, cartella_);
    // From the history itself nothing moves: the row stays.
    return QFileInfo::exists(UnisciPercorso(cartella_, nome)) ? Storico::Rimasto : Storico::Uscito;
}

void ListaInvio::Visualizza(const QString& nome) const
{
    ArgomentoProgramma = QLatin1Char(' ') + UnisciPercorso(cartella_, nome);
    LanciaApplicazione(QStringLiteral("Varie1"));
}

bool ListaInvio::Invia(bool* occupato, std::function<void(const AvanzamentoFtp&)> avanzamento) const
{
    const QStringList nomi = elenco_.ElencoInvio();
    if (nomi.isEmpty())
        return false;
    // The run takes its own copies of the names and the folder.
    const EsitoInvio esito = InviaBolle(nomi, cartella_, occupato, std::move(avanzamento));
    return !esito.bloccato &&
           !(esito.stato == StatoFtp::NonAvviato && esito.scartati.size() == nomi.size());
}

QString DidascaliaInvio(const QString& cartella)
{
    return QStringLiteral(" INVIA DATI ALLA DOGANA    -    ") + cartella;
}

QString TestoAvanzamento(const AvanzamentoFtp& a)
{
    if (a.numeroFile == 0)
        return QStringLiteral("COLLEGAMENTO AL SERVER IN CORSO ...");
    const QLocale it(QLocale::Italian, QLocale::Italy);
    QString testo = QStringLiteral("FILE IN TRASFERIMENTO: %1  (%2 DI %3)")
                        .arg(a.file)
                        .arg(a.numeroFile)
                        .arg(a.totaleFile);
    if (a.byteTotali >= 0)
        testo += QStringLiteral("\nINVIATI %1 DI %2 BYTE")
                     .arg(it.toString(a.byte), it.toString(a.byteTotali));
    return testo;
}
