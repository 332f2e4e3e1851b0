#include "shell/ui/ModelloElenco.h"

#include "shell/Global.h"
#include "shell/NomiFile.h"

#include <QColor>
#include <QFont>
#include <QLocale>

QVariant ColoreTipo(const QString& nome, const QString& tipi)
{
    const int gruppo = GruppoTipo(nome.mid(9, 1), tipi);
    if (gruppo < 1 || gruppo > GruppiColore)
        return {};
    bool ok = false;
    const qint64 valore = Colori[gruppo - 1].trimmed().toLongLong(&ok);
    if (!ok)
        return {};
    // Red in the low byte, as the office's colour values are kept.
    return QColor(int(valore & 0xFF), int((valore >> 8) & 0xFF), int((valore >> 16) & 0xFF));
}

ModelloElenco::ModelloElenco(QList<Colonna> colonne, const QString& tipi, SorgenteElenco sorgente,
                             QObject* padre)
    : QAbstractTableModel(padre), colonne_(std::move(colonne)), tipi_(tipi),
      sorgente_(std::move(sorgente))
{
}

int ModelloElenco::rowCount(const QModelIndex& padre) const
{
    return padre.isValid() ? 0 : int(sorgente_.conta());
}

int ModelloElenco::columnCount(const QModelIndex& padre) const
{
    return padre.isValid() ? 0 : int(colonne_.size());
}

QVariant ModelloElenco::data(const QModelIndex& indice, int ruolo) const
{
    if (!checkIndex(indice, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const qsizetype riga = indice.row();
    const Contenuto contenuto = colonne_[indice.column()].contenuto;
    const auto segnata = [&]() { return sorgente_.segnata && sorgente_.segnata(riga); };
    switch (ruolo) {
    case Qt::DisplayRole:
        switch (contenuto) {
        case Contenuto::Segno:
            return segnata() ? QStringLiteral("S") : QString();
        case Contenuto::Nome:
            return sorgente_.nome(riga);
        case Contenuto::Data:
            return QLocale().toString(sorgente_.data(riga), QStringLiteral("dd/MM/yyyy HH:mm:ss"));
        case Contenuto::Dimensione:
            return QLocale().toString(sorgente_.dimensione(riga));
        case Contenuto::Vuota:
            return QString();
        }
        break;
    case Qt::ForegroundRole:
        return ColoreTipo(sorgente_.nome(riga), tipi_);
    case Qt::FontRole:
        if (segnata()) {
            QFont f;
            f.setBold(true);
            return f;
        }
        break;
    case Qt::TextAlignmentRole:
        if (contenuto == Contenuto::Dimensione)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (contenuto == Contenuto::Segno)
            return int(Qt::AlignCenter);
        break;
    default:
        break;
    }
    return {};
}

QVariant ModelloElenco::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const
{
    if (orientamento == Qt::Horizontal && ruolo == Qt::DisplayRole && sezione >= 0 &&
        sezione < colonne_.size())
        return colonne_[sezione].titolo;
    return QAbstractTableModel::headerData(sezione, orientamento, ruolo);
}

void ModelloElenco::Ricarica()
{
    beginResetModel();
    endResetModel();
}

void ModelloElenco::RigaCambiata(int riga)
{
    if (riga >= 0 && riga < rowCount())
        emit dataChanged(index(riga, 0), index(riga, columnCount() - 1),
                         {Qt::DisplayRole, Qt::FontRole});
}

void ModelloElenco::TutteCambiate()
{
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::DisplayRole, Qt::FontRole});
}

void ModelloElenco::InizioInserimento(int riga)
{
    beginInsertRows({}, riga, riga);
}

void ModelloElenco::FineInserimento()
{
    endInsertRows();
}

void ModelloElenco::InizioRimozione(int riga)
{
    beginRemoveRows({}, riga, riga);
}

void ModelloElenco::FineRimozione()
{
    endRemoveRows();
}
