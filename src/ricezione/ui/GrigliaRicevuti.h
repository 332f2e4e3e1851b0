#pragma once

#include "ricezione/ElencoRicevuti.h"
#include "shell/ui/GrigliaElenco.h"

class ModelloElenco;
class QAction;
class QMenu;

// The received files' grid of the receive and clearances windows (TDBGrid1):
// "Nome", "Data", "Dimens." and an empty fourth column, coloured by reply
// type. The heading sorts by the first three (left button ascending, right
// descending, for this time only); Enter and a double click view the current
// file; the row menu views it or moves it on.
class GrigliaRicevuti : public GrigliaElenco
{
    Q_OBJECT

public:
    explicit GrigliaRicevuti(QWidget* padre = nullptr);

    // Reload from the folder, sorted by the configured column.
    void Carica(const QString& cartella, const QString& maschera);
    void Svuota();
    // Sort by colonna in the current direction (OrdinaGriglia).
    void OrdinaGriglia(int colonna);

    const ElencoRicevuti& Elenco() const { return elenco_; }
    int ColonnaOrdine() const { return colonna_; }
    ::ModoOrdine ModoOrdine() const { return modo_; }
    // The name of the current row, "" when there is none.
    QString FileCorrente() const;
    // Whether the row menu offers "&Sposta".
    void ConSposta(bool si) { conSposta_ = si; }

signals:
    void Visualizza(const QString& nome);
    void Sposta(const QString& nome);

private:
    void ApriMenu(int riga, const QPoint& globale);

    ElencoRicevuti elenco_;
    ModelloElenco* modello_ = nullptr;
    QMenu* Mu_base_ = nullptr;
    QAction* Mu_storico_ = nullptr;
    QAction* Mu_vedi_ = nullptr;
    int colonna_ = 0;
    ::ModoOrdine modo_ = Crescente;
    bool conSposta_ = true;
};
