#pragma once

#include <QDialog>

#include <array>

class QFrame;
class QLabel;
class QPushButton;

// The update check's window: asks the update site for the current version and
// the update packages, and offers the new ones for download.
class Aggiorna : public QDialog
{
    Q_OBJECT

public:
    explicit Aggiorna(QWidget* padre = nullptr);

    // A check the person asked for; a check not asked for shows the window
    // only when there is something new.
    void plAgInforma(bool richiesto) { agInforma_ = richiesto; }
    bool pgAgInforma() const { return agInforma_; }

    // Fetches the versions page and fills the window; EsitoAggiornamento tells
    // the outcome.
    void Carica();

    // The download addresses of the listed updates, in list order.
    QStringList IndirizziAggiornamenti() const { return indirizzi_; }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void MostraErrore(const QString& descrizione);
    void ColoraVoci(const QLabel* evidenziata);
    void Scarica(const QStringList& indirizzi);
    void VaiAlSito();

    bool agInforma_ = false;
    QWidget* contenuto_ = nullptr;
    QLabel* lbNome_ = nullptr;
    QLabel* lbVersione_ = nullptr;
    QLabel* lbNuovaVersione_ = nullptr;
    QFrame* fraErrore_ = nullptr;
    QLabel* lbDescrizioneErrore_ = nullptr;
    QFrame* fraAggiornato_ = nullptr;
    QFrame* fraElenco_ = nullptr;
    std::array<QLabel*, 11> lbAggiornamento_{}; // slots 1..10
    QLabel* lbAltri_ = nullptr;
    QPushButton* cmdAggiorna_ = nullptr;
    QPushButton* cmdSito_ = nullptr;
    QPushButton* cmdUscita_ = nullptr;
    QStringList indirizzi_;
    QString paginaProgramma_;
};

// The check on the person's request: the active window's caption says it is
// running, the window shows the answer, and the caption comes back.
void CercaAggiornamenti();
