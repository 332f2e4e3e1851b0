#pragma once

#include "invio/ElencoFile.h"

#include <QDialog>
#include <QStringList>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPushButton;
class QRadioButton;
class QTableView;
class ModelloElencoFile;
class ModelloElencoInvio;
struct AvanzamentoFtp;

// The send window: the declarations of the listed folder that match the
// filter, the ones marked for sending, and the send run.
class Dos2Edi : public QDialog
{
    Q_OBJECT

public:
    explicit Dos2Edi(QWidget* padre = nullptr);

    const ElencoFile& Elenco() const { return elenco_; }
    const QStringList& ElencoInvio() const { return invio_; }
    const QString& CartellaElenco() const { return cartellaElenco_; }
    bool Occupato() const { return occupato_; }

    void CaricaElenco();
    void OrdinaElenco(int colonna);
    void Segna();
    void Togli();
    void RicostruisciInvio();

    void done(int esito) override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void CostruisciFinestra();
    void AggiornaPulsanti();
    void ImpostaDidascalia(const QString& cartella);
    void MostraAiuto(const QString& titolo, const QString& testo, int punti);
    void NascondiAiuto();
    void ApriMenu(QTableView* griglia, int riga, bool daElencoInvio);
    void Storicizza();
    void Visualizza();
    void Selezione(int indice);
    void InviaBolleFinestra();
    void MostraAvanzamento(const AvanzamentoFtp& a);
    void ImpostaOrigine();
    void ChiudiOrigine(bool invioVisibile);
    void ScegliQuali(bool daInviare);
    void ControllaCampo(int indice);
    void CampoSuccessivo(int indice, int passo);
    void SpostaGiu(int riga);
    void ImpostaRigaCorrente(int riga);
    bool TastoElenco(int tasto);
    bool TastoInvio(int tasto);
    bool TastoCampo(int indice, class QKeyEvent* evento);
    bool MouseIntestazione(QTableView* griglia, class QMouseEvent* evento);
    void TieniDimensioni();

    ElencoFile elenco_;
    QStringList invio_;
    QString cartellaElenco_;
    int colonna_ = ColonnaNome;
    int modo_ = 1;
    int modoInvio_ = 1;
    int rigaCorrente_ = -1;
    QString nomeCorrente_;
    bool occupato_ = false;
    bool caricamento_ = false;
    bool uscendo_ = false;

    ModelloElencoFile* modelloElenco_ = nullptr;
    ModelloElencoInvio* modelloInvio_ = nullptr;
    QTableView* grdElenco_ = nullptr;
    QTableView* grdInvio_ = nullptr;
    std::array<QLineEdit*, 5> txt_{}; // indices 1..4
    QRadioButton* optDaInviare_ = nullptr;
    QRadioButton* optInviati_ = nullptr;
    QLabel* lbUtente_ = nullptr;
    std::array<QPushButton*, 3> cmdSelez_{};
    QPushButton* cmdAggiorna_ = nullptr;
    QPushButton* cmdInvia_ = nullptr;
    QPushButton* cmdUscita_ = nullptr;
    QPushButton* cmdOrigine_ = nullptr;
    QFrame* fraCartella_ = nullptr;
    QLabel* lbFirmaVerif_ = nullptr;
    QFrame* fraAiuto_ = nullptr;
    QLabel* lbTitoloAiuto_ = nullptr;
    QLabel* lbAiuto_ = nullptr;
    QLabel* lbAvanzamento_ = nullptr; // shown during a send run
    QMenu* menu_ = nullptr;
    QAction* muVisualizza_ = nullptr;
    QAction* muStorico_ = nullptr;
    QAction* muDaInviare_ = nullptr;
    QAction* muNonInviare_ = nullptr;
};
