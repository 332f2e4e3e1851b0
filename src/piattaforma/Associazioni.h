#pragma once

#include <QString>

// Whether the desktop names an application for the file's type. When the
// desktop cannot be asked, the answer is yes and the opening itself decides.
bool HaApplicazioneAssociata(const QString& file);

#include <QStringList>

// The desktop's default application for a MIME type as a command (program and
// arguments), with file in place of its file or address field codes (left out
// when file is empty). Empty when the desktop names none or it is not there.
QStringList ComandoApplicazionePredefinita(const QString& tipoMime, const QString& file = {});

// The text editor of the desktop: the default application for text/plain, else
// a text editor found on PATH; on file when one is given. Empty when there is none.
QStringList ComandoEditorTesti(const QString& file = {});
