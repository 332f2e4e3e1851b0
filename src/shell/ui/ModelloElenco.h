#pragma once

#include <QAbstractTableModel>
#include <QDateTime>
#include <QList>

#include <functional>

// The model of every file grid: one row per file of a list it does not own,
// read through SorgenteElenco, in the columns the grid wants. Rows take the
// colour of their type group, marked rows are bold. The list's owner tells
// the model around each change it makes: a row changed, one row in or out,
// or everything anew.

struct SorgenteElenco
{
    std::function<qsizetype()> conta;
    std::function<QString(qsizetype)> nome;
    std::function<QDateTime(qsizetype)> data;    // for a Data column
    std::function<qint64(qsizetype)> dimensione; // for a Dimensione column
    std::function<bool(qsizetype)> segnata;      // none: nothing is marked
};

class ModelloElenco : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum class Contenuto
    {
        Segno, // "S" on a marked row
        Nome,
        Data,       // dd/MM/yyyy HH:mm:ss
        Dimensione, // bytes, with thousands separators
        Vuota
    };
    struct Colonna
    {
        Contenuto contenuto;
        QString titolo;
    };

    // tipi: the table of type letters the tenth character of a name is
    // looked up in for its colour (TipiInvio, TipiRisposta).
    ModelloElenco(QList<Colonna> colonne, const QString& tipi, SorgenteElenco sorgente,
                  QObject* padre = nullptr);

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int ruolo = Qt::DisplayRole) const override;
    QVariant headerData(int sezione, Qt::Orientation orientamento,
                        int ruolo = Qt::DisplayRole) const override;

    // After the list was refilled or reordered.
    void Ricarica();
    // After the row's content (its mark) changed; after every row's did.
    void RigaCambiata(int riga);
    void TutteCambiate();
    // Around one row going into the list at riga, or out of it.
    void InizioInserimento(int riga);
    void FineInserimento();
    void InizioRimozione(int riga);
    void FineRimozione();

private:
    QList<Colonna> colonne_;
    QString tipi_;
    SorgenteElenco sorgente_;
};

// The text colour of a name's type group (its tenth character looked up in
// tipi), from the office's colour table; an invalid value for the list's
// normal colour.
QVariant ColoreTipo(const QString& nome, const QString& tipi);
