#pragma once

#include <QFrame>

class QLabel;

// The busy panel (pctHelp) of the receive windows: "ELABORAZIONE IN CORSO ..."
// over the run's message, centred in its window.
class PannelloOccupato : public QFrame
{
    Q_OBJECT

public:
    explicit PannelloOccupato(QWidget* padre);

    void Mostra(const QString& messaggio);
    QString Messaggio() const;

private:
    QLabel* lbHelpTit_ = nullptr;
    QLabel* lbHelpMess_ = nullptr;
};
