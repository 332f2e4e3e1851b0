#pragma once

#include <functional>

// SIGTERM and SIGINT (a desktop logout, a kill, Ctrl+C in a terminal) run
// azione from the event loop, as a close of the main window would, instead of
// ending the process on the spot. Call once, after the application object
// exists; later calls replace the action.
void InstallaSegnaliTermine(std::function<void()> azione);

// Whether a stop was asked by a signal: from then on the program winds down.
bool TerminazioneRichiesta();
