#pragma once

#include <QString>

// Whether the desktop names an application for the file's type. When the
// desktop cannot be asked, the answer is yes and the opening itself decides.
bool HaApplicazioneAssociata(const QString& file);
