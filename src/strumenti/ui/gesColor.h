#pragma once

#include <QColor>
#include <QDialog>

#include <array>
#include <optional>

class QLabel;
class QPushButton;

// The colours of the type groups: ten label pairs (the group's name and its
// type letters) painted in the group's colour. A click on a name chooses a new
// colour; leaving the window stores the colours shown, whatever way it closes.
class gesColor : public QDialog
{
    Q_OBJECT

public:
    explicit gesColor(QWidget* padre = nullptr);

    void done(int risultato) override;

    // Colour dialog for pair k (0..9); a cancelled dialog changes nothing.
    void ScegliPerGruppo(int k);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void Colora(int k, const QColor& colore);

    static constexpr int Coppie = 10;
    std::array<QLabel*, Coppie> lbTipo_{};
    std::array<QLabel*, Coppie> lbCodici_{};
    std::array<QColor, Coppie> colori_{};
    QPushButton* Command1_ = nullptr;
    bool salvato_ = false;
};
