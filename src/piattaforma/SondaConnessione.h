#pragma once

#include <QString>

#include <functional>

// The state of the link to the Customs network: the first network interface
// whose name matches the pattern (wildcards "*" and "?") and is up and running.
// "lo" names the loopback interface, which is always up.
enum class StatoConnessione
{
    Attiva,
    NonAttiva,
    Errore
};

StatoConnessione SondaConnessione(const QString& modelloInterfaccia);

// Makes SondaConnessione() answer from sonda (tests); empty restores the real one.
void ImpostaSondaConnessione(std::function<StatoConnessione()> sonda);
