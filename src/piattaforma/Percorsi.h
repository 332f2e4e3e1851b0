#pragma once

#include <QString>

// Paths are kept with the platform's own separator.

// cartella + separator + nome, without doubling a separator that cartella
// already ends with (the root folder "/").
QString UnisciPercorso(const QString& cartella, const QString& nome);

// The folder without its trailing separators; the root folder stays as it is.
QString SenzaSeparatoreFinale(const QString& cartella);

// The package's data folder (icons, reference commands): share/norvel beside
// the bin folder of the executable. Empty for a build tree or a portable copy.
QString CartellaDatiInstallati();

// The program folder when none is named: the executable's folder for a
// portable copy; the user's data folder (created) for an installed program,
// whose executable's folder is not the user's to write.
QString CartellaProgrammaPredefinita();
