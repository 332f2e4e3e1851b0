#pragma once

// Days of each month of the year into GiorniMese (index 1..12); February has
// 29 days in the leap years of the Gregorian calendar.
void RiempiGiorniMese(int anno);
