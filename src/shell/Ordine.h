#pragma once

// Sort columns and directions of the file lists.
enum ColonnaOrdine
{
    OrdinaNome = 0,
    OrdinaData = 1,
    OrdinaDimensione = 2
};
// The values are those the settings file keeps (MODSORTINV, MODSORTRIC).
enum ModoOrdine
{
    Crescente = 1,
    Decrescente = 2
};
// A stored or chosen value as a direction: 2 descending, anything else ascending.
inline ModoOrdine ModoOrdineDaValore(int valore)
{
    return valore == Decrescente ? Decrescente : Crescente;
}
