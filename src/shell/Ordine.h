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
// A stored or chosen value as a direction: 1 ascending (blank or 0 count as
// 1), any other value descending.
inline ModoOrdine ModoOrdineDaValore(int valore)
{
    return valore == 0 || valore == Crescente ? Crescente : Decrescente;
}
