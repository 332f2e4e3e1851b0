#pragma once

class QWidget;

// SIGTERM and SIGINT end the program within a second, whatever is open. The
// boxes and windows are closed as a person closing them would (a box gives its
// escape answer, the main window takes its exit steps); what does not give way
// is cut short: the nested waits end (a transfer client is then ended as a
// killed one) and, at the last, the process ends at once.
void InstallaTerminazioneOrdinata(QWidget* principale);
