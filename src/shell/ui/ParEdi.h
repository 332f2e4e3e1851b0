#pragma once

#include <QDialog>

#include <array>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class PannelloAiuto;

// The Customs connection parameters: FTP host, user code and password, company,
// progressives, sort orders, base folder, files per fetch and debug. Opens on
// the globals; "&CONFERMA" writes globals and settings file together.
class ParEdi : public QDialog
{
    Q_OBJECT

public:
    explicit ParEdi(QWidget* padre = nullptr);

    // Help k (1..9) in the floating panel; hides it instead when it is shown.
    void MostraAiuto(int k);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    int Campo(const QObject* oggetto) const; // 1..6, 0 for any other control
    int AiutoDi(const QObject* oggetto) const;
    void Vai(int k, int passo);
    void NormalizzaProgressivo(int k);
    bool ChiediMinuscolo(int k, const QString& testo);
    void ScegliBase();
    void Conferma();

    std::array<QLineEdit*, 7> txt_{};  // index 1..6
    std::array<bool, 7> modificato_{}; // typed into since the window opened
    QButtonGroup* optColI_ = nullptr;
    QButtonGroup* optModoI_ = nullptr;
    QButtonGroup* optColR_ = nullptr;
    QButtonGroup* optModoR_ = nullptr;
    QLabel* lbOrdinamento_ = nullptr;
    QLabel* lbFirmaVerif_ = nullptr;
    QPushButton* command1_ = nullptr;
    QComboBox* cmbNumFile_ = nullptr;
    QComboBox* cmbDebug_ = nullptr;
    PannelloAiuto* pctHelp_ = nullptr;
    std::array<QString, 10> titoli_;
    std::array<QString, 10> testi_;
};

// Opens the window modally and returns when it closes.
void ApriParEdi(QWidget* padre);
