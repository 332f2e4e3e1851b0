#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about window: title, version, what the program does, the legal notice;
// from it the system information tool, the update check (a click on the
// version) and the maker's window (a click on the maker's name).
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget* padre = nullptr);

    // The description, one line feed after each line.
    static QString Descrizione();
    static QString AvvisoLegale();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    QLabel* lblTitle_ = nullptr;
    QLabel* lblVersion_ = nullptr;
    QLabel* lblDescription_ = nullptr;
    QLabel* Lb_cr_ = nullptr;
    QLabel* Label1_ = nullptr;
    QLabel* picIcon_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdSysInfo_ = nullptr;
};
