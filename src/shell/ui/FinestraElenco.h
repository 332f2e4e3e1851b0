#pragma once

#include <QDialog>

class PannelloAiuto;
class QPushButton;

// The list windows' frame: held at its width and above its minimum height
// (outer sizes, in twips), its size and place kept in the settings section of
// its own name, Escape no way out, and no closing while it is busy. Its
// widgets go in Contenuto(); its floating panel shows help or, fixed, that a
// run is going, and while that is up the window's keys are dropped.
class FinestraElenco : public QDialog
{
    Q_OBJECT

public:
    FinestraElenco(const QString& nome, int larghezza, int altezzaMinima, QWidget* padre);

    bool Occupato() const { return occupato_; }
    void done(int esito) override;

protected:
    QWidget* Contenuto() const { return contenuto_; }
    PannelloAiuto* Pannello() const { return pannello_; }
    // The size the window opens with when nothing is saved (twips above the
    // minimum height), then the saved one: called once its widgets are in.
    void Ripristina(int altezzaInPiu);
    // From now on every key meant for one of the window's controls is seen
    // here first, and dropped while the window is busy.
    void AnteprimaTasti();
    // The busy flag as a run wants it; Occupa also takes the window's widgets
    // away from the person (the panel stays).
    bool* FlagOccupato() { return &occupato_; }
    void Occupa(bool si);
    // The fixed panel with the run's message, centred a third of the way down.
    void MostraAttesa(const QString& messaggio);
    // A button that never takes Enter as the default one and keeps its place
    // when hidden.
    static QPushButton* Pulsante(const QString& testo, const QString& nome, QWidget* padre);

    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void TieniDimensioni();
    bool TastiSospesi() const;

    int larghezza_;
    int altezzaMinima_;
    QWidget* contenuto_ = nullptr;
    PannelloAiuto* pannello_ = nullptr;
    bool occupato_ = false;
};
