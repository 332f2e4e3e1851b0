#pragma once

#include "invio/ListaInvio.h"
#include "shell/ui/FinestraElenco.h"

#include <QStringList>

#include <array>

class GriglieInvio;
class QAction;
class QBoxLayout;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class RigaFiltro;
struct AvanzamentoFtp;

// The send window: the declarations of the listed folder that match the
// filter, the ones marked for sending, and the send run. What it holds and
// does lives in ListaInvio; here are its widgets.
class Dos2Edi : public FinestraElenco
{
    Q_OBJECT

public:
    explicit Dos2Edi(QWidget* padre = nullptr);

    const ElencoFile& Elenco() const { return lista_.Elenco(); }
    QStringList ElencoInvio() const { return lista_.Elenco().ElencoInvio(); }
    const QString& CartellaElenco() const { return lista_.Cartella(); }

    void CaricaElenco();

private:
    void CostruisciFiltro(QBoxLayout* alto);
    void CostruisciCartella();
    void CostruisciMenu();
    void AggiornaPulsanti();
    void ImpostaDidascalia(const QString& cartella);
    void MostraAiuto(const QString& titolo, const QString& testo, int punti);
    void ApriMenu(const QString& nome, int riga, const QPoint& globale);
    void Storicizza();
    void InviaBolleFinestra();
    void MostraAvanzamento(const AvanzamentoFtp& a);
    void ImpostaOrigine();
    void ChiudiOrigine(bool invioVisibile);
    void ScegliQuali(bool daInviare);

    ListaInvio lista_;
    QString nomeCorrente_; // the name the row menu acts on
    int rigaCorrente_ = -1;
    bool uscendo_ = false;

    RigaFiltro* filtro_ = nullptr;
    GriglieInvio* griglie_ = nullptr;
    QRadioButton* optDaInviare_ = nullptr;
    std::array<QPushButton*, 3> cmdSelez_{};
    QPushButton* cmdAggiorna_ = nullptr;
    QPushButton* cmdInvia_ = nullptr;
    QPushButton* cmdUscita_ = nullptr;
    QPushButton* cmdOrigine_ = nullptr;
    QFrame* fraCartella_ = nullptr;
    QLabel* lbFirmaVerif_ = nullptr;
    QLabel* lbAvanzamento_ = nullptr; // shown during a send run
    QMenu* menu_ = nullptr;
    QAction* muVisualizza_ = nullptr;
    QAction* muStorico_ = nullptr;
    QAction* muDaInviare_ = nullptr;
    QAction* muNonInviare_ = nullptr;
};
