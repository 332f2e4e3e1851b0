#pragma once

#include <QObject>
#include <QPointer>

class QAbstractButton;
class QWidget;

// The keys every data-entry window shares, seen before the focused control:
// Ctrl+F the system search, Ctrl+F2 the forced exit (after a question), F2 the
// window's exit button, Ctrl+F8 the window's name in its caption and back.
// Owned by the window it serves.
class TastiComuni : public QObject
{
    Q_OBJECT

public:
    TastiComuni(QWidget* finestra, QAbstractButton* uscita);

    // Handles one key press of the window; true when the key was one of the
    // common ones.
    bool Gestisci(int tasto, Qt::KeyboardModifiers modificatori);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    QWidget* finestra_;
    QPointer<QAbstractButton> uscita_;
};
