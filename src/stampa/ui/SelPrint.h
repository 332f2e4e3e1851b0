#pragma once

#include <QDialog>
#include <QList>

class QGroupBox;
class QPushButton;
class QRadioButton;

// The printers installed on the system, one option each; a click chooses.
class SelPrint : public QDialog
{
    Q_OBJECT

public:
    explicit SelPrint(QWidget* padre = nullptr);

    void plPrinter(const QString& nome) { preselezionata_ = nome; }
    void plTopForm(int twip) { top_ = twip; }
    void plLeftForm(int twip) { left_ = twip; }
    // The printer chosen, "" when cancelled.
    QString pgPrinter() const { return scelta_; }

    // Options stand this far apart, in twips.
    static constexpr int PassoOpzioni = 300;

protected:
    void showEvent(QShowEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    void Carica();
    void Disponi();

    QGroupBox* Frame1_ = nullptr;
    QList<QRadioButton*> Option1_;
    QPushButton* conferma_ = nullptr;
    QPushButton* annulla_ = nullptr;
    QString preselezionata_;
    QString scelta_;
    int top_ = 0;
    int left_ = 0;
    int fondoOpzioni_ = 0; // twips
    bool caricamento_ = false;
    bool caricata_ = false;
};
