#pragma once

#include <QAbstractTableModel>
#include <QStringList>

class ElencoFile;

// The text colour of a declaration's type group (tenth character of its name),
// or an invalid value for the list's normal colour.
QVariant ColoreTipo(const QString& nome);

// The grid over ElencoFile: mark, "Nome", "Data", "byte".
class ModelloElencoFile : public QAbstractTableModel
{
    Q_OBJECT

public:
    ModelloElencoFile(const ElencoFile& elenco, QObject* padre = nullptr);

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int ruolo = Qt::DisplayRole) const override;
    QVariant headerData(int sezione, Qt::Orientation orientamento,
                        int ruolo = Qt::DisplayRole) const override;

    // After a reload or a sort: rows may have changed entirely.
    void Ricarica();
    // After a change of marks: same rows, other marks.
    void SegniCambiati();

private:
    const ElencoFile& elenco_;
};

// The grid over ElencoInvio: "Nome".
class ModelloElencoInvio : public QAbstractTableModel
{
    Q_OBJECT

public:
    ModelloElencoInvio(const QStringList& nomi, QObject* padre = nullptr);

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int ruolo = Qt::DisplayRole) const override;
    QVariant headerData(int sezione, Qt::Orientation orientamento,
                        int ruolo = Qt::DisplayRole) const override;

    void Ricarica();

private:
    const QStringList& nomi_;
};
