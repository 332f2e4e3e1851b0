#pragma once

#include <QList>

#include <functional>

// Things to put back before every test, registered by the modules that have a
// seam (the probe, today's date, the dialogs...). Each runs at the start of
// every test, after the globals are reset.
void RegistraAzzeramento(std::function<void()> azzera);
void AzzeraTutto();

// Things to do at the end of every test with a program folder, while that
// folder still exists (closing the windows a test left open).
void RegistraFineProva(std::function<void()> fine);
void FineProva();

// The exit codes of every TerminaSubito() of the test: in a test the program
// does not end, the call is recorded and returns.
QList<int>& TerminazioniRichieste();

// The environment every test program fixes before its application object
// exists (the Italian locale), and the run of the tests once it does.
void PreparaAmbienteProve();
int EseguiProve(int& argc, char** argv);
