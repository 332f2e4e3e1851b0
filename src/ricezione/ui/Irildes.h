#pragma once

#include "ricezione/SpostaRicevuti.h"
#include "ricezione/ui/FinestraRicevuti.h"

#include <array>

class QPushButton;

// The guarantee clearances window: on its first activation it fetches the new
// clearance files, then lists them; "&SPOSTA" unwraps, joins and sends them to
// the UNIX host, then closes.
class Irildes : public FinestraRicevuti
{
    Q_OBJECT

public:
    explicit Irildes(QWidget* padre = nullptr);

    void CaricaAppuramenti();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void PrimaAttivazione();
    void RiceviAppuramentiFinestra();
    void Sposta();
    FunzioneSbusta Sbusta();

    std::array<QPushButton*, 2> cmdIril_{};
    bool primaAttivazione_ = true;
};

// The UNIX parameters the clearances need: host, user and password.
bool ParametriUnixCompleti();
