#pragma once

#include "piattaforma/RichiestaHttp.h"

#include <QString>

#include <functional>

// The HTTP requests live in a module of their own (norvel-rete.so), loaded on
// the first request: the network library and the ones it brings would
// otherwise be loaded at every start of the program, which asks for a page a
// few times a day. This is what the module offers, and how it is found.

constexpr int VersioneInterfacciaRete = 1;

struct InterfacciaRete
{
    int versione;
    // The GET's answer without its text, and the Content-Type the server sent.
    RispostaHttp (*get)(const QUrl& indirizzo, int limiteMs, QByteArray* tipoContenuto);
    RispostaHttp (*scarica)(const QUrl& indirizzo, const QString& destinazione, int limiteMs,
                            const std::function<bool(qint64, qint64)>& progresso);
};

// What the module exports, by this name.
using FunzioneInterfacciaRete = const InterfacciaRete* (*)();
inline constexpr char NomeFunzioneRete[] = "NorvelInterfacciaRete";
inline constexpr char NomeModuloRete[] = "norvel-rete.so";

// The module, loaded once; nullptr with the reason, for the person, in errore.
// It is looked for beside the executable, then where the package installs it
// as seen from the program's folder.
const InterfacciaRete* ModuloRete(QString* errore = nullptr);

// Loads the module from this file instead (tests); empty restores the search.
void ImpostaModuloRete(const QString& percorso);
