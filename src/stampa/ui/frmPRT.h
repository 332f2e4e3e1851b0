#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The print options: the printer in use, the print type and, for the screen,
// the preview layout and zoom; kept in section STAMPA of the settings file.
class frmPRT : public QDialog
{
    Q_OBJECT

public:
    explicit frmPRT(QWidget* padre = nullptr);

    // Position in twips; both 0 places the window under the main window.
    void plTopForm(int twip) { top_ = twip; }
    void plLeftForm(int twip) { left_ = twip; }
    // The printer confirmed, "" when the window was left with "&USCITA".
    QString pgStampante() const { return confermata_; }

    static QStringList TipiStampa();
    static QStringList Zoom();

protected:
    void showEvent(QShowEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void Modifica();
    void ScegliDaElenco();
    void Conferma();

    int top_ = 0;
    int left_ = 0;
    bool posizionata_ = false;
    QLineEdit* Text1_ = nullptr;
    QPushButton* Command1_ = nullptr;
    QComboBox* Combo1_ = nullptr;
    QGroupBox* Frame1_ = nullptr;
    QComboBox* cmbZoom_ = nullptr;
    std::array<QRadioButton*, 8> Option1_{};
    QPushButton* cmds_SI_ = nullptr;
    QPushButton* cmds_NO_ = nullptr;
    QString confermata_;
};
