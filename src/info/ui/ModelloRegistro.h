#pragma once

#include "shell/IndiceRegistro.h"

#include <QAbstractTableModel>
#include <QCache>
#include <QFile>
#include <QJsonObject>
#include <QList>

#include <atomic>
#include <memory>

class QThread;

// One day of the transfer log as a table: a row a record, newest run first
// (as RecordPerCorsa orders them); a file's row shows the operation of its
// run. Files that did not go, and runs that did not end, are in the warning
// colour; a run with no end record at all shows "interrotto" on its start. A
// day's file is indexed on a thread of its own and a row is read from the
// file only when it is looked at.
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
    ~ModelloRegistro() override;

    // Starts reading a day's log; the model is empty until Caricato().
    void Carica(const QString& percorso);
    bool InCaricamento() const { return inCaricamento_; }
    // Of the last day read: lines that are no record, and why the file could
    // not be read ("" when it could).
    int Illeggibili() const { return indice_.illeggibili; }
    QString Errore() const { return indice_.errore; }
    // How many rows of the file are parsed and kept now.
    int RigheLette() const { return int(letti_.count()); }

    // Records held in memory, in the order given.
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

signals:
    void Caricato();

private:
    struct Riga
    {
        QJsonObject record;
        QString operazione;     // of the record's run
        bool senzaFine = false; // a run's start whose run has no end record
    };
    QString Testo(const Riga& riga, int colonna) const;
    const Riga& RigaA(int riga) const;
    QByteArray Linea(int riga) const;
    void Indicizzato(quint64 generazione, const QString& percorso, IndiceRegistro indice);
    void Annulla();

    QList<Riga> righe_; // the records given to Imposta
    IndiceRegistro indice_;
    mutable QFile file_;
    mutable QByteArray blocco_; // the part of the file read last
    mutable qint64 inizioBlocco_ = -1;
    mutable QCache<int, Riga> letti_;
    std::shared_ptr<std::atomic<bool>> annulla_;
    QList<QThread*> lettori_;
    quint64 generazione_ = 0;
    bool inCaricamento_ = false;
};
