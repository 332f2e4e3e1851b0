#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// While it lives, the window takes no input at all: keys, mouse, wheel,
// shortcuts and the close button are eaten before any of its widgets sees
// them. Boxes and dialogs the run opens are other windows and work as usual.
// The one switch a window throws for the length of a run.
class BloccoInput : public QObject
{
public:
    explicit BloccoInput(QWidget* finestra);
    ~BloccoInput() override;
    BloccoInput(const BloccoInput&) = delete;
    BloccoInput& operator=(const BloccoInput&) = delete;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    QPointer<QWidget> finestra_;
};
