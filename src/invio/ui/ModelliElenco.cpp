#include "invio/ui/ModelliElenco.h"

#include "invio/ElencoFile.h"
#include "invio/NomiFile.h"
#include "shell/Conversioni.h"
#include "shell/Global.h"

#include <QColor>
#include <QFont>
#include <QLocale>

QVariant ColoreTipo(const QString& nome)
{
    const int gruppo = GruppoTipo(nome.mid(9, 1), QString::fromLatin1(TipiInvio));
    if (gruppo < 1 || gruppo > GruppiColore)
        return {};
    bool ok = false;
    const qint64 valore = Colori[gruppo - 1].trimmed().toLongLong(&ok);
    if (!ok)
        return {};
    // Red in the low byte, as the office's colour values are kept.
    return QColor(int(valore & 0xFF), int((valore >> 8) & 0xFF), int((valore >> 16) & 0xFF));
}

ModelloElencoFile::ModelloElencoFile(const ElencoFile& elenco, QObject* padre)
    : QAbstractTableModel(padre), elenco_(elenco)
{
}

int ModelloElencoFile::rowCount(const QModelIndex& padre) const
{
    return padre.isValid() ? 0 : int(elenco_.Conta());
}

int ModelloElencoFile::columnCount(const QModelIndex& padre) const
{
    return padre.isValid() ? 0 : 4;
}

QVariant ModelloElencoFile::data(const QModelIndex& indice, int ruolo) const
{
    if (!checkIndex(indice, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const RigaFile& r = elenco_[indice.row()];
    switch (ruolo) {
    case Qt::DisplayRole:
        switch (indice.column()) {
        case ColonnaSegno:
            return r.segno;
        case ColonnaNome:
            return r.nome;
        case ColonnaData:
            return QLocale().toString(DaDataSeriale(r.data), QStringLiteral("dd/MM/yyyy HH:mm:ss"));
        case ColonnaByte:
            return QLocale().toString(r.dimensione);
        }
        break;
    case Qt::ForegroundRole:
        return ColoreTipo(r.nome);
    case Qt::FontRole:
        if (r.Segnata()) {
            QFont f;
            f.setBold(true);
            return f;
        }
        break;
    case Qt::TextAlignmentRole:
        if (indice.column() == ColonnaByte)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (indice.column() == ColonnaSegno)
            return int(Qt::AlignCenter);
        break;
    default:
        break;
    }
    return {};
}

QVariant ModelloElencoFile::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const
{
    if (orientamento != Qt::Horizontal || ruolo != Qt::DisplayRole)
        return QAbstractTableModel::headerData(sezione, orientamento, ruolo);
    switch (sezione) {
    case ColonnaNome:
        return QStringLiteral("Nome");
    case ColonnaData:
        return QStringLiteral("Data");
    case ColonnaByte:
        return QStringLiteral("byte");
    default:
        return QString();
    }
}

void ModelloElencoFile::Ricarica()
{
    beginResetModel();
    endResetModel();
}

void ModelloElencoFile::SegniCambiati()
{
    if (elenco_.Conta() > 0)
        emit dataChanged(index(0, 0), index(int(elenco_.Conta()) - 1, columnCount() - 1),
                         {Qt::DisplayRole, Qt::FontRole});
}

ModelloElencoInvio::ModelloElencoInvio(const QStringList& nomi, QObject* padre)
    : QAbstractTableModel(padre), nomi_(nomi)
{
}

int ModelloElencoInvio::rowCount(const QModelIndex& padre) const
{
    return padre.isValid() ? 0 : int(nomi_.size());
}

int ModelloElencoInvio::columnCount(const QModelIndex& padre) const
{
    return padre.isValid() ? 0 : 1;
}

QVariant ModelloElencoInvio::data(const QModelIndex& indice, int ruolo) const
{
    if (!checkIndex(indice, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (ruolo == Qt::DisplayRole)
        return nomi_[indice.row()];
    if (ruolo == Qt::ForegroundRole)
        return ColoreTipo(nomi_[indice.row()]);
    return {};
}

QVariant ModelloElencoInvio::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const
{
    if (orientamento == Qt::Horizontal && ruolo == Qt::DisplayRole && sezione == 0)
        return QStringLiteral("Nome");
    return QAbstractTableModel::headerData(sezione, orientamento, ruolo);
}

void ModelloElencoInvio::Ricarica()
{
    beginResetModel();
    endResetModel();
}
