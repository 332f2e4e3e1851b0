#pragma once

#include <QDialog>

#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;

// The access password window: the request at start-up, or the first setting
// and the change from the menu (first setting when ParolaAccesso is "!").
class GesPasWd : public QDialog
{
    Q_OBJECT

public:
    enum class Modo
    {
        Richiesta,
        Gestione
    };

    explicit GesPasWd(Modo modo, QWidget* padre = nullptr);

    void reject() override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void ControllaRichiesta();
    void Conferma();
    // A wrong answer: the message, then the end of the program at the third.
    bool Errore(const QString& messaggio);

    Modo modo_;
    std::array<QGroupBox*, 3> fraPasswd_{};
    std::array<QLineEdit*, 3> txtPasswd_{};
    QPushButton* abbandona_ = nullptr;
    QPushButton* conferma_ = nullptr;
    QWidget* fuoco_ = nullptr;
    int fallimenti_ = 0;
    bool terminato_ = false;
};

// Start-up: asks for the password when one is set. True once the right one was
// typed or when none is set; three wrong answers, or closing the window, end
// the program (false only where a test keeps it alive).
bool RichiediParolaAccesso();

// The menu entry: sets the password the first time or changes it.
void GestisciParolaAccesso(QWidget* padre);
