#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;

// The UNIX host's transfer parameters: host, FTP user and password, folder and
// debug mode. Opens on the settings file; "&CONFERMA" writes settings and
// globals together, "&USCITA" writes nothing.
class GesParUx : public QDialog
{
    Q_OBJECT

public:
    explicit GesParUx(QWidget* padre = nullptr);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void Conferma();

    std::array<QLineEdit*, 5> txt_{}; // index 1..4
    QComboBox* cmbDebug_ = nullptr;
    std::array<QPushButton*, 2> cmdParam_{};
};

// Opens the window modally and returns when it closes.
void ApriGesParUx(QWidget* padre);
