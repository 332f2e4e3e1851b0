#include "piattaforma/ui/Schermo.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

struct Fisso
{
    QRect geometria;
    QRect disponibile;
};

Fisso& Seam()
{
    static Fisso f;
    return f;
}

} // namespace

QRect GeometriaSchermo()
{
    if (!Seam().geometria.isEmpty())
        return Seam().geometria;
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect(0, 0, 1024, 768);
}

QRect AreaDisponibile()
{
    if (!Seam().geometria.isEmpty())
        return Seam().disponibile;
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : GeometriaSchermo();
}

void ImpostaSchermo(const QRect& geometria, const QRect& disponibile)
{
    Seam() = {geometria, disponibile};
}
