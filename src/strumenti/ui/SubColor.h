#pragma once

#include <QColor>
#include <QList>
#include <QString>

// The colours of the type groups and the colour dialog's custom colours, as the
// settings file keeps them: a colour is the decimal text of a 32-bit value
// with red in the low byte.

// A text that is not a number reads as 0, black.
QColor ColoreDaTesto(const QString& testo);
QString TestoDaColore(const QColor& colore);

// The 16 custom colours from section COLORIMIEI, keys "0".."63": key 4c + b
// holds byte b (red, green, blue, 0) of colour c.
QList<QColor> LeggiColoriPersonali();
void ScriviColoriPersonali(const QList<QColor>& colori);

// Colori into section COLORI, keys "0".."8".
void ScriviColori();
