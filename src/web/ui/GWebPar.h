#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The web page parameters of the current enquiry mode: show, print or save
// the fetched pages, the printer and the save folder.
class GWebPar : public QDialog
{
    Q_OBJECT

public:
    explicit GWebPar(QWidget* padre = nullptr);

    // The title of an enquiry mode 0..2.
    static QString TitoloModo(int modo);

private:
    void Visibilita();
    void CasellaCambiata(int indice);
    void ScegliCartellaSalva();
    void ScegliStampante();
    void Conferma();

    int modo_ = 0;
    QLabel* Label1_ = nullptr;
    std::array<QCheckBox*, 3> Check1_{};
    QGroupBox* frmIEskede_ = nullptr;
    std::array<QRadioButton*, 2> optSkede_{};
    QGroupBox* frmPrint_ = nullptr;
    QPushButton* lbPrinter_ = nullptr;
    QCheckBox* chkChiedi_ = nullptr;
    QGroupBox* frmPath_ = nullptr;
    QPushButton* lbPath_ = nullptr;
    std::array<QPushButton*, 2> Command1_{};
};
