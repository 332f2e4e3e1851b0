#include "shell/ui/GrigliaElenco.h"

#include "piattaforma/ui/Schermo.h"

#include <QAction>
#include <QHeaderView>
#include <QMouseEvent>

#include <algorithm>

namespace {

constexpr int AltezzaRiga = 270;       // twips
constexpr int BandaIntestazione = 300; // twips

} // namespace

GrigliaElenco::GrigliaElenco(const QString& nome, const QString& titolo, QWidget* padre)
    : QTableView(padre)
{
    setObjectName(nome);
    setAccessibleName(titolo);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(Pixel(AltezzaRiga));

    QHeaderView* intestazione = horizontalHeader();
    intestazione->setHighlightSections(false);
    intestazione->setSectionsClickable(true);
    intestazione->setFixedHeight(Pixel(BandaIntestazione) - 2);
    // The right button is a way to sort here, never a menu.
    intestazione->setContextMenuPolicy(Qt::PreventContextMenu);
    connect(intestazione, &QHeaderView::sectionClicked, this,
            [this](int colonna) { emit Ordina(colonna, Qt::AscendingOrder); });
    // The heading reports clicks of the left button only: the right one is
    // read from its own releases.
    intestazione->viewport()->installEventFilter(this);

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& punto) {
        const QModelIndex indice = indexAt(punto);
        if (!indice.isValid())
            return;
        ImpostaRigaCorrente(indice.row());
        // Under the row's own band, at the grid's left edge.
        const int visibile = indice.row() - rowAt(0);
        const QPoint sotto(-viewport()->x(),
                           Pixel((visibile + 1) * AltezzaRiga + 240) - viewport()->y());
        emit MenuRiga(indice.row(), viewport()->mapToGlobal(sotto));
    });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& indice) { emit DoppioClic(indice.row()); });
}

QAction* GrigliaElenco::AggiungiTasti(const QList<QKeySequence>& tasti,
                                      std::function<void(int riga)> esegui)
{
    auto* azione = new QAction(this);
    azione->setShortcuts(tasti);
    azione->setShortcutContext(Qt::WidgetShortcut);
    connect(azione, &QAction::triggered, this,
            [this, esegui = std::move(esegui)]() { esegui(RigaCorrente()); });
    addAction(azione);
    return azione;
}

int GrigliaElenco::RigaCorrente() const
{
    const QModelIndex indice = currentIndex();
    return indice.isValid() ? indice.row() : -1;
}

void GrigliaElenco::ImpostaRigaCorrente(int riga)
{
    if (!model() || riga < 0 || riga >= model()->rowCount())
        return;
    const int colonna = std::max(currentIndex().column(), 0);
    setCurrentIndex(model()->index(riga, colonna));
}

void GrigliaElenco::keyPressEvent(QKeyEvent* evento)
{
    emit Tasto();
    QTableView::keyPressEvent(evento);
}

bool GrigliaElenco::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == horizontalHeader()->viewport() && evento->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(evento);
        if (mouse->button() == Qt::RightButton) {
            const int colonna = horizontalHeader()->logicalIndexAt(mouse->position().toPoint());
            if (colonna >= 0)
                emit Ordina(colonna, Qt::DescendingOrder);
            return true;
        }
    }
    return QTableView::eventFilter(oggetto, evento);
}
