#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

// What every fuzz target shares: the Qt application the core's readers need,
// a folder of its own for the files they read, and a stop that shows the
// broken promise.

// Once per process; later calls do nothing.
void PreparaFuzz();

// An empty folder, emptied at each call.
QString CartellaFuzz();

// Writes dati to nome in CartellaFuzz(); the full path.
QString ScriviFileFuzz(const QString& nome, const QByteArray& dati);

QByteArray LeggiFileFuzz(const QString& percorso);

// Pieces of dati separated by the byte 0: the fuzzer learns the separator.
QList<QByteArray> PezziFuzz(const QByteArray& dati);

// Aborts with the promise and the input, so the fuzzer keeps the case.
[[noreturn]] void PromessaMancata(const char* promessa, const QByteArray& ingresso);

#define PROMESSA(condizione, ingresso)                                                             \
    do {                                                                                           \
        if (!(condizione))                                                                         \
            PromessaMancata(#condizione, ingresso);                                                \
    } while (0)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione);
