#pragma once

#include <functional>

// Things to put back before every test, registered by the modules that have a
// seam (the probe, today's date, the dialogs...). Each runs at the start of
// every test, after the globals are reset.
void RegistraAzzeramento(std::function<void()> azzera);
void AzzeraTutto();

#include <QStringList>

// What the program handed to the desktop to open during the test.
QStringList& AperturaShell();

// The exit codes of every TerminaSubito() of the test: in a test the program
// does not end, the call is recorded and returns.
QList<int>& TerminazioniRichieste();
