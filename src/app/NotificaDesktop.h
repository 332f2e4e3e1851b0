#pragma once

#include <QString>

// A notice on the desktop through the session's notification service
// (org.freedesktop.Notifications). Without a session bus, or with no service
// on it, nothing is shown and nothing is said: false.
bool NotificaDesktop(const QString& titolo, const QString& testo);
