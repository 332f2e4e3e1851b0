#pragma once

#include "ricezione/RiceviMessaggi.h"
#include "shell/ui/FinestraElenco.h"

#include <functional>

class GrigliaRicevuti;

// The frame of the receive and clearances windows: the received files' grid,
// and the receive runs behind the busy panel.
class FinestraRicevuti : public FinestraElenco
{
    Q_OBJECT

public:
    FinestraRicevuti(const QString& nome, int larghezza, int altezzaMinima, QWidget* padre);

    const GrigliaRicevuti* Griglia() const { return TDBGrid1_; }

protected:
    using Corsa = std::function<EsitoRicezione(const AvvisiRicezione& avvisi, bool* occupato)>;
    // A receive run with the busy panel up, messaggio first and then the
    // run's own, and the window's widgets out of reach. True when the listing
    // came; false leaves the panel up, and the person leaves with the mouse.
    // While another copy of the program transfers, says so and runs nothing
    // (false, no panel).
    bool Ricevi(const QString& messaggio, AvvisiRicezione avvisi, const Corsa& corsa);

    GrigliaRicevuti* TDBGrid1_ = nullptr;
};
