#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class VerificaFirma;

// The signed-file window: unwraps FileP7M into FileTXT while it is shown and
// leaves the result in EsitoOperazione (0 done, 1 copy failed, 2 not unwrapped).
class GesVerif : public QDialog
{
    Q_OBJECT

public:
    explicit GesVerif(QWidget* padre = nullptr);

    void plFileP7M(const QString& percorso);
    void plFileTXT(const QString& percorso);
    // Why the last run failed; after a success, what the command said.
    QString Descrizione() const { return messaggio_; }

    void reject() override;

protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void Avvia();
    void Terminata(int esito);

    QLabel* lbOrigine_ = nullptr;
    QLabel* lbDestino_ = nullptr;
    QString fileP7M_;
    QString fileTXT_;
    QString messaggio_;
    VerificaFirma* verifica_ = nullptr;
    bool avviata_ = false;
};

// Shows GesVerif modally for one file and returns EsitoOperazione; messaggio,
// when given, gets the failure's description, or after a success what the
// command said.
int VerificaFile(QWidget* padre, const QString& origine, const QString& destino,
                 QString* messaggio = nullptr);
