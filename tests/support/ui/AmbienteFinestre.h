#pragma once

#include <QStringList>

#include <functional>

class QWidget;

// What the program handed to the desktop to open during the test.
QStringList& AperturaShell();

// Runs fn on the modal dialog as soon as one is shown, within the time given
// (long: a loaded machine can be slow to get there); for tests that press a
// button which opens a window with exec().
void QuandoModale(std::function<void(QWidget*)> fn, int entroMs = 60000);

// The window seams (screen, dialogs, shell, main window) put back before every
// test, and the windows a test left open closed after it.
void RegistraAmbienteFinestre();
