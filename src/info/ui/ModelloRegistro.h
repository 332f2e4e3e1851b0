#pragma once

#include <QAbstractTableModel>
#include <QJsonObject>
#include <QList>

// One day of the transfer log as a table: a row a record, in the order given
// (RecordPerCorsa); a file's row shows the operation of its run. Files that
// did not go, and runs that did not end, are in the warning colour; a run
// with no end record at all shows "interrotto" on its start.
class ModelloRegistro : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Colonna
    {
        ColOra,
        ColOperazione,
        ColTipo,
        ColFile,
        ColDirezione,
        ColByte,
        ColEsito,
        ColDettagli,
        Colonne
    };

    explicit ModelloRegistro(QObject* padre = nullptr);

    void Imposta(const QList<QJsonObject>& record);
    QJsonObject Record(int riga) const;
    // Whether the row is in the warning colour.
    bool InAvviso(int riga) const;

    // Every field of the record, one "campo: valore" a line, the known ones
    // first.
    static QString TestoRecord(const QJsonObject& record);

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int ruolo = Qt::DisplayRole) const override;
    QVariant headerData(int sezione, Qt::Orientation orientamento,
                        int ruolo = Qt::DisplayRole) const override;

private:
    struct Riga
    {
        QJsonObject record;
        QString operazione; // of the record's run
        bool senzaFine;     // a run's start whose run has no end record
    };
    QString Testo(const Riga& riga, int colonna) const;

    QList<Riga> righe_;
};
