#pragma once

#include <QDate>
#include <QDialog>

class ModelloRegistro;
class QComboBox;
class RicercaGiorni;
class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

// "Registro trasferimenti": the transfer log of one day, newest run first,
// read-only. The days that have a log in a chooser, a filter on the file
// name, the whole record of a row on a double click or Enter. The day is read
// on another thread: the window is there at once, the rows as soon as read.
class FrmRegistro : public QDialog
{
    Q_OBJECT

public:
    explicit FrmRegistro(QWidget* padre = nullptr);

    // The day shown; invalid when there is no log at all.
    QDate Giorno() const;
    void MostraGiorno(const QDate& giorno);
    // The days again from the folder, keeping the day shown when it is still there.
    void Aggiorna();

    ModelloRegistro* Modello() const { return modello_; }
    QSortFilterProxyModel* Filtro() const { return filtro_; }
    RicercaGiorni* Ricerca() const { return ricerca_; }

protected:
    void done(int esito) override;

private:
    void Carica();
    void Caricato();
    void MostraStato();
    void MostraRecord(const QModelIndex& indice);

    QComboBox* cmbGiorno_ = nullptr;
    QLineEdit* txtCerca_ = nullptr;
    QPushButton* cmdAggiorna_ = nullptr;
    QPushButton* cmdChiudi_ = nullptr;
    QTableView* grdRegistro_ = nullptr;
    QLabel* lblStato_ = nullptr;
    ModelloRegistro* modello_ = nullptr;
    RicercaGiorni* ricerca_ = nullptr;
    QSortFilterProxyModel* filtro_ = nullptr;
};
