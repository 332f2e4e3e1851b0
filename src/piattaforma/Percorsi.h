#pragma once

#include <QString>

// Paths are kept with the platform's own separator.

// cartella + separator + nome, without doubling a separator that cartella
// already ends with (the root folder "/").
QString UnisciPercorso(const QString& cartella, const QString& nome);

// The folder without its trailing separators; the root folder stays as it is.
QString SenzaSeparatoreFinale(const QString& cartella);
