#pragma once

#include <QString>

// What a write that failed on a full disk says to the user.
inline constexpr char SpazioEsaurito[] = "SPAZIO SU DISCO ESAURITO";

// SpazioEsaurito with the folder when the file system that holds it has fewer
// than servono bytes free; "" otherwise, or when its space cannot be known.
QString CausaSpazioEsaurito(const QString& cartella, qint64 servono = 1);
