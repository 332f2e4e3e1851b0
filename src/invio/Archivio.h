#pragma once

#include <QString>

// The history of sent declarations: the folder CartellaInviati.

// True when cartella is the history folder or lies inside it.
bool InCartellaInviati(const QString& cartella);

// Moves the file nome of cartella into CartellaInviati, replacing a file of the
// same name there. Nothing to do when cartella is already the history. On
// failure says so, naming the target, the file and the system's reason.
// EsitoOperazione: 0 moved or nothing to do, 1 failed.
bool ArchiviaFile(const QString& nome, const QString& cartella);
