#pragma once

#include <QDialog>

#include <array>

class QAction;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class TastiComuni;

// The MRN enquiry: one code typed, the pages asked, the answer in up to 19
// lines, which can be printed.
class ChkMrn : public QDialog
{
    Q_OBJECT

public:
    explicit ChkMrn(QWidget* padre = nullptr);
    ~ChkMrn() override;

    static constexpr int Righe = 19;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void TestoCambiato(const QString& testo);
    void ControllaCodice();
    void Analizza();
    void Stampa();
    void ApriParametri();
    void ApriStampante();
    void SvuotaRighe();

    QMenuBar* barra_ = nullptr;
    QAction* Mu_end_ = nullptr;
    QAction* Mu_param_ = nullptr;
    QAction* Mu_print_ = nullptr;
    QWidget* contenuto_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QPushButton* cmdAnalizza_ = nullptr;
    QPushButton* cmdPrt_ = nullptr;
    std::array<QLabel*, Righe + 1> Label2_{}; // 1..19
    TastiComuni* tasti_ = nullptr;
    QString codice_;
    bool apreParametri_ = false;
    bool inCorso_ = false; // an enquiry runs: the field's checks wait
};
