#include "shell/ui/FinestraElenco.h"

#include "piattaforma/ui/Schermo.h"
#include "shell/ui/Finestre.h"

#include <QKeyEvent>

FinestraElenco::FinestraElenco(const QString& nome, int larghezza, int altezzaMinima,
                               QWidget* padre)
    : QDialog(padre), larghezza_(larghezza), altezzaMinima_(altezzaMinima)
{
    setObjectName(nome);
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
    if (Occupata())
        return;
    SalvaPosizione(this);
    QDialog::done(esito);
}
