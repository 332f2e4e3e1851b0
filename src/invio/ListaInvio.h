#pragma once

#include "invio/ElencoFile.h"

#include <QString>

#include <array>
#include <functional>

struct AvanzamentoFtp;

// What the send window holds and does, without its widgets: the listed folder,
// its files with their marks, the sort state, and the window's commands on
// them, the send run included.
class ListaInvio
{
public:
    // As the window opens: the signed folder, the configured sort.
    ListaInvio();

    ElencoFile& Elenco() { return elenco_; }
    const ElencoFile& Elenco() const { return elenco_; }
    const QString& Cartella() const { return cartella_; }

    // The files of the folder that match the four filter fields, marked from
    // ElencoInvio, sorted by the configured column in the current direction.
    void Carica(const std::array<QString, 4>& campi);
    // A click on the heading: that column in that direction. The direction
    // stays for later reloads, the column does not.
    void OrdinaDaIntestazione(int colonna, ModoOrdine modo);

    // "Da inviare" or "Inviati": the folder listed from now on.
    void ScegliQuali(bool daInviare);
    // The folder chooser's answer to "&IMPOSTA Origine". Blank: nothing
    // changes (false). Otherwise the folder replaces CartellaFirmati for the
    // rest of the run (it is not saved) and is listed from now on.
    bool ImpostaOrigine(const QString& scelta);

    // Whether the upper grid's menu offers "&Storicizza": not while the list
    // is the history itself.
    bool StoricizzaOfferta() const;
    enum class Storico
    {
        NonConfermato, // the person said No: nothing changes
        Rimasto,       // still in the listed folder (a failed move, or the history itself)
        Uscito         // moved into the history: its row goes
    };
    // Asks, then moves the file into the history.
    Storico Storicizza(const QString& nome) const;
    // The office's viewer ("Varie1") on the file of the listed folder.
    void Visualizza(const QString& nome) const;

    // The send run on ElencoInvio from the listed folder. True when the window
    // closes: always, except when every name was refused before the client
    // started, or another copy was transferring, so that the person can still
    // act on them.
    bool Invia(bool* occupato, std::function<void(const AvanzamentoFtp&)> avanzamento) const;

private:
    ElencoFile elenco_;
    QString cartella_;
    int colonna_ = ColonnaNome;
    ModoOrdine modo_ = Crescente;
};

// The send window's caption for a folder.
QString DidascaliaInvio(const QString& cartella);
// The progress line of the send run, as the busy panel shows it.
QString TestoAvanzamento(const AvanzamentoFtp& avanzamento);
