#pragma once

#include <QString>

// The per-user settings store of the platform (the registry on Windows, a file
// under the user's configuration folder elsewhere), keyed by application,
// section and key.
void ScriviValoreUtente(const QString& applicazione, const QString& sezione, const QString& chiave,
                        const QString& valore);
// "" when the value is missing.
QString LeggiValoreUtente(const QString& applicazione, const QString& sezione,
                          const QString& chiave);
void CancellaValoreUtente(const QString& applicazione, const QString& sezione,
                          const QString& chiave);
// Whether the value is there at all (a value may be there and blank).
bool EsisteValoreUtente(const QString& applicazione, const QString& sezione, const QString& chiave);
