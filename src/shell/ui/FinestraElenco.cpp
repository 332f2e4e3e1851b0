#include "shell/ui/FinestraElenco.h"

#include "piattaforma/ui/Schermo.h"
#include "shell/ui/Finestre.h"
#include "shell/ui/PannelloAiuto.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

FinestraElenco::FinestraElenco(const QString& nome, int larghezza, int altezzaMinima,
                               QWidget* padre)
    : QDialog(padre), larghezza_(larghezza), altezzaMinima_(altezzaMinima)
{
    setObjectName(nome);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    contenuto_ = new QWidget(this);
    l->addWidget(contenuto_);
    pannello_ = new PannelloAiuto(this);
    TieniDimensioni();
    AllaCornice(this, [this]() { TieniDimensioni(); });
}

void FinestraElenco::Ripristina(int altezzaInPiu)
{
    const QMargins bordo = CorniceFinestra(this);
    resize(Pixel(larghezza_) - bordo.left() - bordo.right(),
           Pixel(altezzaMinima_ + altezzaInPiu) - bordo.top() - bordo.bottom());
    RipristinaPosizione(this);
    TieniDimensioni();
}

void FinestraElenco::TieniDimensioni()
{
    // The sizes count the frame, as the settings do.
    const QMargins bordo = CorniceFinestra(this);
    const int larghezza = Pixel(larghezza_) - bordo.left() - bordo.right();
    const int altezzaMinima = Pixel(altezzaMinima_) - bordo.top() - bordo.bottom();
    if (minimumWidth() != larghezza || maximumWidth() != larghezza)
        setFixedWidth(larghezza);
    if (minimumHeight() != altezzaMinima)
        setMinimumHeight(altezzaMinima);
}

void FinestraElenco::AnteprimaTasti()
{
    for (QWidget* w : findChildren<QWidget*>())
        if (w->focusPolicy() != Qt::NoFocus)
            w->installEventFilter(this);
}

void FinestraElenco::Occupa(bool si)
{
    occupato_ = si;
    contenuto_->setEnabled(!si);
}

void FinestraElenco::MostraAttesa(const QString& messaggio)
{
    pannello_->MostraAttesa(messaggio);
    pannello_->Centra((height() - pannello_->height()) / 3);
}

QPushButton* FinestraElenco::Pulsante(const QString& testo, const QString& nome, QWidget* padre)
{
    auto* p = new QPushButton(testo, padre);
    p->setObjectName(nome);
    // Enter belongs to the grids and the filter fields.
    p->setAutoDefault(false);
    p->setDefault(false);
    QSizePolicy sp = p->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    p->setSizePolicy(sp);
    return p;
}

bool FinestraElenco::TastiSospesi() const
{
    return occupato_ || (pannello_->isVisible() && pannello_->Fisso());
}

bool FinestraElenco::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (evento->type() == QEvent::KeyPress && TastiSospesi())
        return true;
    return QDialog::eventFilter(oggetto, evento);
}

void FinestraElenco::resizeEvent(QResizeEvent* evento)
{
    QDialog::resizeEvent(evento);
    TieniDimensioni();
}

void FinestraElenco::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    TieniDimensioni();
}

void FinestraElenco::keyPressEvent(QKeyEvent* evento)
{
    // Escape does not close the window: its exit button and F2 do.
    if (evento->key() == Qt::Key_Escape || TastiSospesi())
        return;
    QDialog::keyPressEvent(evento);
}

void FinestraElenco::done(int esito)
{
    if (occupato_)
        return;
    SalvaPosizione(this);
    QDialog::done(esito);
}
