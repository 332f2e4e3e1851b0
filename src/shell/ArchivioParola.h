#pragma once

#include <QString>

// The access password between runs, kept in the per-user store and not in the
// settings file. The store never holds the password itself: only a salted key
// derived from it, so that reading the store does not give the password away.

// The marker of "no password" in the set/change flow.
inline constexpr char NessunaParola[] = "!";

// A text counts as a password only when it is not empty and, upper-cased, holds
// nothing but the digits 0..9 and the letters A..Z.
bool ParolaValida(const QString& testo);

// The stored record of the password, or "" when none is set (never written,
// emptied, or not a record this program wrote).
QString LeggiParolaAccesso();

// Stores testo trimmed and in capitals; a text that is no password by the rule
// above stores "no password".
void ScriviParolaAccesso(const QString& testo);

// Whether the typed text, upper-cased, is the password of the record.
bool ParolaCorrisponde(const QString& digitata, const QString& memorizzata);
