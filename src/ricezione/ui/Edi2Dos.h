#pragma once

#include "ricezione/SpostaRicevuti.h"
#include "ricezione/ui/FinestraRicevuti.h"

class QFileSystemWatcher;
class QListWidget;
class QPushButton;
class QTimer;
class RigaFiltro;

// The receive window: the receive runs from the filter fields, the received
// files of the chosen day, their view and their move on.
class Edi2Dos : public FinestraRicevuti
{
    Q_OBJECT

public:
    explicit Edi2Dos(QWidget* padre = nullptr);

    void CaricaRicevuti();

private:
    void RiceviMessaggi();
    void SpostaTutti();
    void SpostaUno(const QString& nome);
    void Visualizza(const QString& nome);
    bool Verifica(const QString& nome, int* senzaFirmatario = nullptr);
    FunzioneSbusta Sbusta();
    void CampoModificato(int indice);
    void AggiornaFile1();

    RigaFiltro* filtro_ = nullptr;
    QPushButton* cmdRicevi_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QListWidget* File1_ = nullptr;
    QTimer* Timer1_ = nullptr;
    QFileSystemWatcher* osservaScarico_ = nullptr;
    QString prefissoFile1_;
    bool inVerifica_ = false; // an unwrap window opened from here is up
};

// The view of a received file: a signed one is unwrapped into the verified
// folder first and its copy opened (a PDF with the desktop's program), any
// other opened as it is with the "Varie1" application.
void VisualizzaRicevuto(QWidget* padre, const QString& nome, const FunzioneSbusta& sbusta);
