#pragma once

#include "ricezione/SpostaRicevuti.h"

#include <QDialog>

#include <array>

class GrigliaRicevuti;
class PannelloOccupato;
class QPushButton;

// The guarantee clearances window: on its first activation it fetches the new
// clearance files, then lists them; "&SPOSTA" unwraps, joins and sends them to
// the UNIX host, then closes.
class Irildes : public QDialog
{
    Q_OBJECT

public:
    explicit Irildes(QWidget* padre = nullptr);

    void CaricaAppuramenti();
    bool Occupato() const { return occupato_; }
    const GrigliaRicevuti* Griglia() const { return TDBGrid1_; }

    void done(int esito) override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void PrimaAttivazione();
    void RiceviAppuramentiFinestra();
    void Sposta();
    FunzioneSbusta Sbusta();
    void TieniDimensioni();

    GrigliaRicevuti* TDBGrid1_ = nullptr;
    PannelloOccupato* pctHelp_ = nullptr;
    std::array<QPushButton*, 2> cmdIril_{};
    QWidget* contenuto_ = nullptr;
    bool primaAttivazione_ = true;
    bool occupato_ = false;
};

// The UNIX parameters the clearances need: host, user and password.
bool ParametriUnixCompleti();
