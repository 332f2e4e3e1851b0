#pragma once

#include <QString>

#include <functional>

// True while the link to the Customs network is up. The interface pattern is
// EDI CONNESSIONE (default "ppp*"); a failing probe shows "ERROR" and counts
// as down.
bool ConnessioneRemotaAttiva();

// The executable's name without its extension, as the program was started
// ("norvel" as built; a copy named Norvel gives "Norvel"): it names the
// settings file, the per-user store and the forced-exit question.
QString NomeEseguibile();

// Ends the program at once: no exit steps, no geometry, no per-user values.
// The settings file is never held open, so nothing is left half-written.
// Returns only under a test's replacement; callers return straight after it.
void TerminaSubito(int codice = 0);
// Tests replace the ending with one that records it.
void ImpostaTerminazione(std::function<void(int)> termina);
