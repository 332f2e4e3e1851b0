#include "strumenti/ui/ScegliColore.h"

#include "piattaforma/ui/Dialoghi.h"
#include "strumenti/ui/SubColor.h"

QString ScegliColore(QWidget* finestra)
{
    QList<QColor> personalizzati = LeggiColoriPersonali();
    const std::optional<QColor> scelto = ScegliColore(finestra, QColor(0, 0, 0), personalizzati);
    if (!scelto)
        return {};
    ScriviColoriPersonali(personalizzati);
    return TestoDaColore(*scelto);
}
