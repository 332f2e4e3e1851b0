#include "shell/ui/BloccoInput.h"

#include <QApplication>
#include <QEvent>

BloccoInput::BloccoInput(QWidget* finestra) : finestra_(finestra)
{
    qApp->installEventFilter(this);
    if (finestra_)
        finestra_->setCursor(Qt::BusyCursor);
}

BloccoInput::~BloccoInput()
{
    qApp->removeEventFilter(this);
    if (finestra_)
        finestra_->unsetCursor();
}

bool BloccoInput::eventFilter(QObject* oggetto, QEvent* evento)
{
    switch (evento->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Close:
    case QEvent::InputMethod:
    case QEvent::TabletPress:
    case QEvent::TouchBegin:
    case QEvent::Drop:
        break;
    default:
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(oggetto);
    if (!widget || !finestra_)
        return false;
    const bool nostra = widget == finestra_ || finestra_->isAncestorOf(widget);
    if (nostra && evento->type() == QEvent::Close)
        evento->ignore();
    return nostra;
}
