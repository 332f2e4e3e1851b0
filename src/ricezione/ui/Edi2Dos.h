#pragma once

#include "ricezione/SpostaRicevuti.h"

#include <QDialog>

#include <array>

class GrigliaRicevuti;
class PannelloOccupato;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

// The receive window: the receive runs from the filter fields, the received
// files of the chosen day, their view and their move on.
class Edi2Dos : public QDialog
{
    Q_OBJECT

public:
    explicit Edi2Dos(QWidget* padre = nullptr);

    void CaricaRicevuti();
    bool Occupato() const { return occupato_; }
    const GrigliaRicevuti* Griglia() const { return TDBGrid1_; }

    void done(int esito) override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void Ricevi();
    void SpostaTutti();
    void SpostaUno(const QString& nome);
    void Visualizza(const QString& nome);
    bool Verifica(const QString& nome);
    FunzioneSbusta Sbusta();
    void ControllaCampo(int indice);
    void CampoCambiato(int indice, const QString& testo);
    void CampoSuccessivo(int indice, int passo);
    bool TastoCampo(int indice, QKeyEvent* evento);
    void AggiornaFile1();
    std::array<QString, 4> Campi() const;
    void TieniDimensioni();

    std::array<QLineEdit*, 5> txt_{}; // index 1..4
    QLabel* lbUtente_ = nullptr;
    QPushButton* cmdRicevi_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    GrigliaRicevuti* TDBGrid1_ = nullptr;
    QListWidget* File1_ = nullptr;
    QTimer* Timer1_ = nullptr;
    PannelloOccupato* pctHelp_ = nullptr;
    QWidget* contenuto_ = nullptr;
    QString prefissoFile1_;
    bool caricamento_ = false; // the program sets a field
    bool inVerifica_ = false;  // an unwrap window opened from here is up
    bool inControllo_ = false; // a failed check hands the focus back
    bool occupato_ = false;
};

// The view of a received file: a signed one is unwrapped into the verified
// folder first and its copy opened (a PDF with the desktop's program), any
// other opened as it is with the "Varie1" application.
void VisualizzaRicevuto(QWidget* padre, const QString& nome, const FunzioneSbusta& sbusta);
