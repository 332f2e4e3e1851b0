#pragma once

#include <QRect>

// The screen the program works on, in pixels: all of it, and the part the
// taskbar leaves free. Replaceable by a test.
QRect GeometriaSchermo();
QRect AreaDisponibile();

// Makes the two answers fixed (tests); an empty geometria restores the real screen.
void ImpostaSchermo(const QRect& geometria, const QRect& disponibile);

// Window geometry is kept in twips, 15 to a pixel.
inline constexpr int TwipPerPixel = 15;
inline int Twip(int pixel)
{
    return pixel * TwipPerPixel;
}
inline int Pixel(int twip)
{
    return (twip + (twip >= 0 ? TwipPerPixel / 2 : -TwipPerPixel / 2)) / TwipPerPixel;
}
