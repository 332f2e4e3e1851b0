#pragma once

#include "shell/Ordine.h"

#include <QWidget>

class GrigliaElenco;
class ListaInvio;
class ModelloElenco;

// The send window's two grids: the listed files (grdElenco) and the names
// marked for sending (grdInvio), with their keys, their mouse and the marks.
// A mark or an unmark changes one row of each grid, never the whole list.
class GriglieInvio : public QWidget
{
    Q_OBJECT

public:
    GriglieInvio(ListaInvio& lista, QWidget* padre);

    GrigliaElenco* Elenco() const { return grdElenco_; }
    GrigliaElenco* Invio() const { return grdInvio_; }

    // After the list was reloaded or sorted: both grids anew, each keeping
    // its current row inside it.
    void Ricaricate();
    void Segna(int riga);
    void Togli(const QString& nome);
    // "&Nessuno" (0), "&Tutti" (1), "&Inverti" (2).
    void Selezione(int indice);
    // The file has left the listed folder: unmarked, and its row goes.
    void FileUscito(const QString& nome);

signals:
    void SegniCambiati();
    void Aiuto(const QString& titolo, const QString& testo);
    // Any key but F1 on either grid.
    void Tasto();
    // The row menu of a name: riga is its row in the upper grid, -1 when the
    // name comes from the lower one.
    void Menu(const QString& nome, int riga, const QPoint& globale);

private:
    void Scendi(int riga);
    void OrdinaInvio(ModoOrdine modo);

    ListaInvio& lista_;
    GrigliaElenco* grdElenco_ = nullptr;
    GrigliaElenco* grdInvio_ = nullptr;
    ModelloElenco* modelloElenco_ = nullptr;
    ModelloElenco* modelloInvio_ = nullptr;
};
