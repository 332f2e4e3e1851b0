#pragma once

// "norvel registro [--cartella DIR] [--dal AAAA-MM-GG] [--al AAAA-MM-GG]
// [--cerca TESTO] [--operazione NOME] [--json]": the transfer log's records
// in time order, one a line. argv[1] is "registro". Returns the exit status.
int EseguiComandoRegistro(int argc, char* argv[]);
