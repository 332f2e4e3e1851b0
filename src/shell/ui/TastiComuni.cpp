#include "shell/ui/TastiComuni.h"

#include "piattaforma/Messaggi.h"
#include "shell/Global.h"
#include "shell/Routine.h"
#include "shell/ui/Finestre.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QWidget>

TastiComuni::TastiComuni(QWidget* finestra, QAbstractButton* uscita)
    : QObject(finestra), finestra_(finestra), uscita_(uscita)
{
    // Installed on the application, so that the window sees its keys before
    // whichever control has the focus.
    qApp->installEventFilter(this);
}

bool TastiComuni::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (evento->type() != QEvent::KeyPress || !oggetto->isWidgetType())
        return false;
    auto* w = static_cast<QWidget*>(oggetto);
    if (w->window() != finestra_)
        return false;
    // A modal box above the window gets its own keys.
    if (QWidget* modale = QApplication::activeModalWidget(); modale && modale != finestra_)
        return false;
    auto* tasto = static_cast<QKeyEvent*>(evento);
    return Gestisci(tasto->key(), tasto->modifiers());
}

bool TastiComuni::Gestisci(int tasto, Qt::KeyboardModifiers modificatori)
{
    const bool ctrl = modificatori.testFlag(Qt::ControlModifier);
    if (ctrl && tasto == Qt::Key_F) {
        ApriCerca(QDir::current().rootPath());
        return true;
    }
    if (ctrl && tasto == Qt::Key_F2) {
        if (Messaggio(QStringLiteral("FINE DI ") + NomeEseguibile() + QStringLiteral("?"),
                      Pulsanti::SiNo, Icona::Avviso, QStringLiteral("USCITA FORZATA"),
                      Risposta::No) == Risposta::Si)
            TerminaSubito(0);
        return true;
    }
    if (!ctrl && tasto == Qt::Key_F2) {
        if (uscita_ && uscita_->isVisible() && uscita_->isEnabled())
            uscita_->click();
        return true;
    }
    if (ctrl && tasto == Qt::Key_F8) {
        if (finestra_->windowFlags().testFlag(Qt::FramelessWindowHint))
            return false;
        const QString titolo = finestra_->windowTitle();
        if (!titolo.endsWith(QLatin1Char('!'))) {
            DidascaliaSalvata = titolo;
            finestra_->setWindowTitle(finestra_->objectName() + QStringLiteral(" !"));
        } else {
            finestra_->setWindowTitle(DidascaliaSalvata);
        }
        return true;
    }
    return false;
}
