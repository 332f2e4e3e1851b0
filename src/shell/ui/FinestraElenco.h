#pragma once

#include <QDialog>

// The list windows' frame: held at its width and above its minimum height
// (outer sizes, in twips), its size and place kept in the settings section of
// its own name, Escape no way out, and no closing while it is busy.
class FinestraElenco : public QDialog
{
    Q_OBJECT

public:
    FinestraElenco(const QString& nome, int larghezza, int altezzaMinima, QWidget* padre);

    void done(int esito) override;

protected:
    // The size the window opens with when nothing is saved (twips above the
    // minimum height), then the saved one: called once its widgets are in.
    void Ripristina(int altezzaInPiu);
    // While busy the window does not close.
    virtual bool Occupata() const { return false; }
    // From now on every key meant for one of the window's controls is seen
    // here first and dropped while TastiSospesi() says so.
    void AnteprimaTasti();
    virtual bool TastiSospesi() const { return false; }

    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void TieniDimensioni();

    int larghezza_;
    int altezzaMinima_;
};
