#pragma once

#include <QString>

// The running program's version, from the build (the CMake project version).

struct Versione
{
    int maggiore = 0;
    int minore = 0;
    int revisione = 0;
};

Versione VersioneInUso();
// A test runs as another version; "" goes back to the build's.
void ImpostaVersioneInUso(const QString& testo);

// "a.b.c" (missing or odd parts count 0); 0.0.0 when a part is out of range.
Versione LeggiVersione(const QString& testo);
// major × 10000 + minor × 100 + revision.
int NumeroVersione(const Versione& v);
// "9.6.23": plain numbers.
QString VersioneEstesa(const Versione& v);
// "09.06.23": three two-digit groups.
QString VersioneDueCifre(const Versione& v);
