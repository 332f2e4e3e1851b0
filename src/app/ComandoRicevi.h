#pragma once

// "norvel ricevi [--cartella DIR] [--giorno MMGG] [--verifica]": the receive
// run with no window system. argv[1] is "ricevi". Returns the exit status.
int EseguiComandoRicevi(int argc, char* argv[]);
