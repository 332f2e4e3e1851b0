#pragma once

#include "ricezione/ElencoRicevuti.h"

#include <QAbstractTableModel>
#include <QTableView>

class QAction;
class QMenu;

// The received files' table of the receive and clearances windows: "Nome",
// "Data", "Dimens." and an empty fourth column, coloured by reply type.
class ModelloRicevuti : public QAbstractTableModel
{
    Q_OBJECT

public:
    ModelloRicevuti(const ElencoRicevuti& elenco, QObject* padre = nullptr);

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int ruolo = Qt::DisplayRole) const override;
    QVariant headerData(int sezione, Qt::Orientation orientamento,
                        int ruolo = Qt::DisplayRole) const override;
    void Ricarica();

private:
    const ElencoRicevuti& elenco_;
};

// The grid (TDBGrid1) with its sort and its mouse and keys: a click on the
// heading sorts by that column (left ascending, right descending), a click on
// a row makes it the current file, the right button opens the pop-up menu,
// double-click and Enter view the file.
class GrigliaRicevuti : public QTableView
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
    int ModoOrdine() const { return modo_; }
    QString FileCorrente() const { return fileCorrente_; }
    // Whether the pop-up menu offers "&Sposta".
    void ConSposta(bool si);
    // The grid ignores the person while a run is in progress.
    void Occupata(bool si) { occupata_ = si; }

signals:
    void Visualizza(const QString& nome);
    void Sposta(const QString& nome);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    ElencoRicevuti elenco_;
    ModelloRicevuti* modello_ = nullptr;
    QMenu* Mu_base_ = nullptr;
    QAction* Mu_storico_ = nullptr;
    QAction* Mu_vedi_ = nullptr;
    QString fileCorrente_;
    int colonna_ = 0;
    int modo_ = 1;
    bool conSposta_ = true;
    bool occupata_ = false;
};
