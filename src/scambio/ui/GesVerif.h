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
    // Why the last run failed ("" when it did not).
    QString Errore() const { return errore_; }

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
    QString errore_;
    VerificaFirma* verifica_ = nullptr;
    bool avviata_ = false;
};

// Shows GesVerif modally for one file and returns EsitoOperazione; errore,
// when given, gets the failure's description.
int VerificaFile(QWidget* padre, const QString& origine, const QString& destino,
                 QString* errore = nullptr);
