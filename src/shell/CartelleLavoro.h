#pragma once

#include <QString>

// The working-folder tree under the base folder.

inline constexpr char NomeRicevuti[] = "Ricevuti";
inline constexpr char NomeInviati[] = "Inviati";
inline constexpr char NomeFirmati[] = "Firmati";
inline constexpr char NomeVerificati[] = "Verificati";
inline constexpr char NomeDaVerificare[] = "DaVerificare";

// The base folder of a first run: the user's home folder + "/FirmaVerifica"
// ("C:\\FirmaVerifica" on Windows, where the offices keep it).
QString CartellaBasePredefinita();

// Sets the five sub-folder paths of ParametriEdi from its base folder.
void ImpostaPercorsiCartelle();

// Sets the paths, then creates what is missing, one level at a time (a base
// folder whose parent is missing is not made): the base folder and its five
// sub-folders. False when any of them could not be made; the others are made
// all the same.
bool CreaCartelle();

// The same for the five sub-folders only, not the base folder (the connection
// parameters confirm a base folder chosen by the user).
bool CreaSottoCartelle();
