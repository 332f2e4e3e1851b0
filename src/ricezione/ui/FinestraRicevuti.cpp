#include "ricezione/ui/FinestraRicevuti.h"

#include "ricezione/ui/GrigliaRicevuti.h"
#include "scambio/EseguiScriptFtp.h"

FinestraRicevuti::FinestraRicevuti(const QString& nome, int larghezza, int altezzaMinima,
                                   QWidget* padre)
    : FinestraElenco(nome, larghezza, altezzaMinima, padre)
{
    TDBGrid1_ = new GrigliaRicevuti(Contenuto());
}

bool FinestraRicevuti::Ricevi(const QString& messaggio, AvvisiRicezione avvisi, const Corsa& corsa)
{
    // Held from the listing to the last rename of a fetched file.
    const BloccoTrasferimenti blocco(CartellaBloccoTrasferimenti());
    if (!BloccoPresoOAvvisa(blocco))
        return false;
    MostraAttesa(messaggio);
    Occupa(true);
    avvisi.messaggio = [this](const QString& m) { MostraAttesa(m); };
    const EsitoRicezione esito = corsa(avvisi, FlagOccupato());
    Occupa(false);
    return esito.elencoRicevuto;
}
