#pragma once

#include <QMainWindow>

#include <array>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class RigaNuoviMessaggi;

// The main window: the only entry of the program, open for as long as it
// runs. Every other window is opened from here, modally.
class StartUp : public QMainWindow
{
    Q_OBJECT

public:
    explicit StartUp(QWidget* padre = nullptr);

    // The start-up sequence, up to the window ready to be shown. False when
    // the program must end instead (no base folder, or no access).
    // CartellaProgramma must be set.
    bool Avvia();

    // The connection watch, run by Timer1 every 3 seconds and on activation.
    void ControllaConnessione();

    // lbDitta from the company name and the user code.
    void AggiornaDitta();

    // Entry i (1..11) of the applications menu; the menu itself is shown while
    // any entry is.
    void ImpostaVoceApplicativo(int i, const QString& nome, bool visibile);

    RigaNuoviMessaggi* NuoviMessaggi() const { return lbNuovi_; }

    // The file last chosen in the "Cartelle" browser: full path and bare name.
    QString FileCorrente() const { return fileCorrente_; }
    QString TitoloFileCorrente() const { return titoloFileCorrente_; }

protected:
    bool event(QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private slots:
    void ApriInvio();
    void ApriRicezione();
    void ApriAppuramenti();
    void ApriParametriDogana();
    void ApriParametriUnix();
    void ApriApplicativi();
    void ApriColori();
    void ApriPassword();
    void ApriCartelle();
    void ApriMrn();
    void ApriInfoNorvel();
    void ApriInfoZerpa();
    void ApriRegistro();
    void VerificaAggiornamenti();
    void LanciaApplicativo(int i);

private:
    void CreaMenu();
    void CreaControlli();
    void MostraConnessione(bool connesso);
    void PosizionaAllAvvio();
    void CaricaMenuApplicativi();

    // The access password at start: false when the program must end.
    bool ChiediPasswordAvvio();
    // No base folder, or its tree could not be made: the connection
    // parameters window, modal.
    void ApriParametriAvvio();
    // The signed-file branch of the "Cartelle" browser: true when the file was
    // handed to the unwrapping window (and the editor must not open it as it is).
    bool ApriFileFirmato(const QString& percorso, const QString& titolo);

    QPushButton* cmdInvia_ = nullptr;
    QPushButton* cmdRicevi_ = nullptr;
    QPushButton* cmdIrildes_ = nullptr;
    QPushButton* cmdUscita_ = nullptr;
    QLabel* lbConnesso_ = nullptr;
    QLabel* Image1_ = nullptr;
    QLabel* lbDitta_ = nullptr;
    RigaNuoviMessaggi* lbNuovi_ = nullptr;
    QTimer* Timer1_ = nullptr;

    QAction* Mu_end_ = nullptr;
    QMenu* Mu_Parametri_ = nullptr;
    QAction* Mu_parDog_ = nullptr;
    QAction* Mu_Unix_ = nullptr;
    QAction* Mu_progr_ = nullptr;
    QAction* Mu_color_ = nullptr;
    QAction* Mu_PassWd_ = nullptr;
    QMenu* Mprg_base_ = nullptr;
    std::array<QAction*, 12> Mprg_var_ = {}; // index 1..11
    QAction* Mu_PathBase_ = nullptr;
    QAction* Mu_MRN_ = nullptr;
    QMenu* Mu_help_ = nullptr;
    QAction* Mu_norvel_ = nullptr;
    QAction* Mu_zerpa_ = nullptr;
    QAction* Mu_newexe_ = nullptr;
    QAction* Mu_registro_ = nullptr;

    QRect geometriaAvvio_; // twips
    QString fileCorrente_;
    QString titoloFileCorrente_;
    bool avviato_ = false;
    bool inAttesaCornice_ = false;
    bool inControllo_ = false;
    bool uscitaFatta_ = false;
};
