#pragma once

#include <QString>

#include <array>

// The EU member states as their VAT numbers begin, with up to three allowed
// lengths of the number part (the code without its two letters), each a range
// (minimum, maximum); a range whose minimum is 0 is absent, and a range is used
// only when the one before it is present.
struct NazioneCee
{
    char codice[3];
    unsigned char minimo1, massimo1;
    unsigned char minimo2, massimo2;
    unsigned char minimo3, massimo3;
};

// Index of the first row whose code is the code's first two characters, -1 for none.
int TrovaNazioneCee(const QString& codiceVat);
const NazioneCee& RigaNazioneCee(int indice);

// "" when the length n of the number part fits the country's ranges, otherwise
// the ranges in the message's form ("8-8, 11-11") with ok false.
QString ControllaLunghezzaVat(const NazioneCee& nazione, int n, bool& ok);
