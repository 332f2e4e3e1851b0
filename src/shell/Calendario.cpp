#include "shell/Calendario.h"

#include "shell/Global.h"

#include <QDate>

void RiempiGiorniMese(int anno)
{
    GiorniMese = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (QDate::isLeapYear(anno))
        GiorniMese[2] = 29;
}
