#pragma once

#include <QChar>

class QLineEdit;

// Hides what is typed in the box behind the given character, as the office's
// windows did ("#", "&"), instead of the platform's own dot.
void MascheraParola(QLineEdit* casella, QChar carattere);
