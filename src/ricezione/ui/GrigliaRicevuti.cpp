#include "ricezione/ui/GrigliaRicevuti.h"

#include "invio/NomiFile.h"
#include "piattaforma/ui/Schermo.h"
#include "shell/Global.h"

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>

namespace {

constexpr int AltezzaRiga = 270;       // twips
constexpr int BandaIntestazione = 300; // twips

QVariant ColoreRisposta(const QString& nome)
{
    const int gruppo = GruppoTipo(nome.mid(9, 1), QString::fromLatin1(TipiRisposta));
    if (gruppo < 1 || gruppo > GruppiColore)
        return {};
    bool ok = false;
    const qint64 valore = Colori[gruppo - 1].trimmed().toLongLong(&ok);
    if (!ok)
        return {};
    // Red in the low byte, as the office's colour values are kept.
    return QColor(int(valore & 0xFF), int((valore >> 8) & 0xFF), int((valore >> 16) & 0xFF));
}

} // namespace

ModelloRicevuti::ModelloRicevuti(const ElencoRicevuti& elenco, QObject* padre)
    : QAbstractTableModel(padre), elenco_(elenco)
{
}

int ModelloRicevuti::rowCount(const QModelIndex& padre) const
{
    return padre.isValid() ? 0 : int(elenco_.Conta());
}

int ModelloRicevuti::columnCount(const QModelIndex& padre) const
{
    return padre.isValid() ? 0 : 4;
}

QVariant ModelloRicevuti::data(const QModelIndex& indice, int ruolo) const
{
    if (!checkIndex(indice, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const RigaRicevuto& r = elenco_[indice.row()];
    if (ruolo == Qt::ForegroundRole)
        return ColoreRisposta(r.nome);
    if (ruolo == Qt::TextAlignmentRole && indice.column() == 2)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (ruolo != Qt::DisplayRole)
        return {};
    switch (indice.column()) {
    case 0:
        return r.nome;
    case 1:
        return QLocale().toString(r.data, QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    case 2:
        return QLocale().toString(r.dimensione);
    default:
        return QString();
    }
}

QVariant ModelloRicevuti::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const
{
    if (orientamento != Qt::Horizontal || ruolo != Qt::DisplayRole)
        return QAbstractTableModel::headerData(sezione, orientamento, ruolo);
    switch (sezione) {
    case 0:
        return QStringLiteral("Nome");
    case 1:
        return QStringLiteral("Data");
    case 2:
        return QStringLiteral("Dimens.");
    default:
        return QString();
    }
}

void ModelloRicevuti::Ricarica()
{
    beginResetModel();
    endResetModel();
}

GrigliaRicevuti::GrigliaRicevuti(QWidget* padre) : QTableView(padre)
{
    setObjectName(QStringLiteral("TDBGrid1"));
    setAccessibleName(QStringLiteral("Nome"));
    modello_ = new ModelloRicevuti(elenco_, this);
    setModel(modello_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(Pixel(AltezzaRiga));
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setFixedHeight(Pixel(BandaIntestazione) - 2);
    horizontalHeader()->setMinimumSectionSize(8);
    // The window's width is fixed and the columns fit in it.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalHeader()->setStretchLastSection(true);
    setContextMenuPolicy(Qt::PreventContextMenu);
    const QFontMetrics fm(font());
    setColumnWidth(0, fm.horizontalAdvance(QStringLiteral("ABCD0000.T00.P7M")) + 12);
    setColumnWidth(1, fm.horizontalAdvance(QStringLiteral("00/00/0000 00:00:00")) + 12);
    setColumnWidth(2, fm.horizontalAdvance(QStringLiteral("00.000.000")) + 12);

    colonna_ = std::clamp(OrdinaColRicevi, 0, 2);
    modo_ = OrdinaModoRicevi == 0 ? 1 : OrdinaModoRicevi;

    Mu_base_ = new QMenu(QStringLiteral("Base"), this);
    Mu_base_->setObjectName(QStringLiteral("Mu_base"));
    Mu_storico_ = Mu_base_->addAction(QStringLiteral("&Storicizza"));
    Mu_storico_->setObjectName(QStringLiteral("Mu_storico"));
    Mu_vedi_ = Mu_base_->addAction(QStringLiteral("&Visualizza"));
    Mu_vedi_->setObjectName(QStringLiteral("Mu_vedi"));
    connect(Mu_storico_, &QAction::triggered, this, [this]() {
        if (!fileCorrente_.trimmed().isEmpty())
            emit Sposta(fileCorrente_);
    });
    connect(Mu_vedi_, &QAction::triggered, this, [this]() {
        if (!fileCorrente_.trimmed().isEmpty())
            emit Visualizza(fileCorrente_);
    });

    viewport()->installEventFilter(this);
    horizontalHeader()->viewport()->installEventFilter(this);
}

void GrigliaRicevuti::ConSposta(bool si)
{
    conSposta_ = si;
}

void GrigliaRicevuti::Carica(const QString& cartella, const QString& maschera)
{
    elenco_.Carica(cartella, maschera);
    OrdinaGriglia(colonna_);
}

void GrigliaRicevuti::Svuota()
{
    elenco_.Svuota();
    modello_->Ricarica();
}

void GrigliaRicevuti::OrdinaGriglia(int colonna)
{
    const int riga = currentIndex().row();
    elenco_.Ordina(colonna, modo_);
    modello_->Ricarica();
    // The current row stays inside the refilled table.
    if (riga >= 0 && elenco_.Conta() > 0)
        setCurrentIndex(modello_->index(std::min<int>(riga, int(elenco_.Conta()) - 1), 0));
}

bool GrigliaRicevuti::eventFilter(QObject* oggetto, QEvent* evento)
{
    const QEvent::Type tipo = evento->type();
    if (tipo != QEvent::MouseButtonPress && tipo != QEvent::MouseButtonRelease &&
        tipo != QEvent::MouseButtonDblClick)
        return QTableView::eventFilter(oggetto, evento);
    if (occupata_)
        return true;
    auto* mouse = static_cast<QMouseEvent*>(evento);
    const QPoint punto = mouse->position().toPoint();
    if (oggetto == horizontalHeader()->viewport()) {
        if (tipo == QEvent::MouseButtonRelease &&
            (mouse->button() == Qt::LeftButton || mouse->button() == Qt::RightButton)) {
            const int colonna = horizontalHeader()->logicalIndexAt(punto);
            if (colonna >= 0 && colonna <= 2) {
                // Not remembered: the next reload sorts by the configured column.
                modo_ = mouse->button() == Qt::LeftButton ? 1 : 2;
                OrdinaGriglia(colonna);
            }
        }
        return true;
    }
    if (oggetto != viewport())
        return QTableView::eventFilter(oggetto, evento);
    const QModelIndex indice = indexAt(punto);
    if (tipo == QEvent::MouseButtonDblClick) {
        if (!fileCorrente_.trimmed().isEmpty())
            emit Visualizza(fileCorrente_);
        return true;
    }
    if (tipo == QEvent::MouseButtonPress) {
        fileCorrente_.clear();
        if (indice.isValid())
            fileCorrente_ = elenco_[indice.row()].nome;
        return false;
    }
    if (indice.isValid() && mouse->button() == Qt::RightButton) {
        Mu_storico_->setText(QStringLiteral("&Sposta  ") + fileCorrente_);
        Mu_vedi_->setText(QStringLiteral("&Visualizza  ") + fileCorrente_);
        Mu_storico_->setVisible(conSposta_);
        Mu_vedi_->setVisible(true);
        const int visibile = indice.row() - rowAt(0);
        Mu_base_->popup(mapToGlobal(QPoint(0, Pixel((visibile + 1) * AltezzaRiga + 240))));
    }
    return false;
}

void GrigliaRicevuti::keyPressEvent(QKeyEvent* evento)
{
    if (occupata_)
        return;
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) {
        const int riga = currentIndex().row();
        if (riga >= 0 && riga < elenco_.Conta()) {
            fileCorrente_ = elenco_[riga].nome;
            emit Visualizza(fileCorrente_);
        }
        return;
    }
    QTableView::keyPressEvent(evento);
}
