#pragma once

#include <QDateTime>
#include <QLabel>

class QTimer;

// The main window's line "Nuovi messaggi: N": the replies the unattended
// receive brought since the person last opened the receive window; empty
// when none. It looks at the log a few seconds apart and reads it again only
// when today's log has changed.
class RigaNuoviMessaggi : public QLabel
{
    Q_OBJECT

public:
    explicit RigaNuoviMessaggi(QWidget* padre = nullptr);

    void Aggiorna();
    // The person has seen them: the count starts again from now.
    void SegnaVisti();
    int Nuovi() const { return nuovi_; }

private:
    QDateTime visti_;
    QString statoRegistro_;
    int nuovi_ = 0;
    QTimer* controllo_ = nullptr;
};
