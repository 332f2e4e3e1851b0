#pragma once

#include <QFrame>

class QLabel;

// The floating help panel of the windows (pctHelp): a title (lbHelpTit) that
// drags it within the window, a message (lbHelpMess), and any line the window
// adds under them. A click on it hides it, unless it is fixed: then it tells
// that the window is busy and stays until the window hides it.
class PannelloAiuto : public QFrame
{
    Q_OBJECT

public:
    explicit PannelloAiuto(QWidget* padre);

    // Shows the panel above the window's other widgets, with the message in
    // punti points when above 0. Where it stands is the window's choice.
    void Mostra(const QString& titolo, const QString& testo, int punti = 0);
    // The busy panel: "ELABORAZIONE IN CORSO ..." over the run's message,
    // fixed until the window hides it.
    void MostraAttesa(const QString& testo, int punti = 0);
    // Horizontally centred in the window, its top at alto.
    void Centra(int alto);
    // A line under the message, such as a run's progress.
    void Aggiungi(QWidget* riga);
    // Where the message stands in the panel (the busy panel's is centred).
    void Allinea(Qt::Alignment allineamento) { allineamento_ = allineamento; }

    bool Fisso() const { return fisso_; }
    QString Titolo() const;
    QString Testo() const;
    QLabel* EtichettaTesto() const { return lbHelpMess_; }

protected:
    void mousePressEvent(QMouseEvent* evento) override;

private:
    QLabel* lbHelpTit_ = nullptr;
    QLabel* lbHelpMess_ = nullptr;
    Qt::Alignment allineamento_ = Qt::AlignLeft | Qt::AlignVCenter;
    bool fisso_ = false;
};
