#include "piattaforma/ArchivioUtente.h"

#include <QSettings>

namespace {

// Every application name gets its own store under one organisation, as the
// office's program kept its values under one registry branch.
const char* const Organizzazione = "Norvel";

QString Chiave(const QString& sezione, const QString& chiave)
{
    return sezione + QLatin1Char('/') + chiave;
}

} // namespace

void ScriviValoreUtente(const QString& applicazione, const QString& sezione, const QString& chiave,
                        const QString& valore)
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QString::fromLatin1(Organizzazione),
                applicazione);
    s.setValue(Chiave(sezione, chiave), valore);
    s.sync();
}

QString LeggiValoreUtente(const QString& applicazione, const QString& sezione,
                          const QString& chiave)
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QString::fromLatin1(Organizzazione),
                applicazione);
    return s.value(Chiave(sezione, chiave)).toString();
}

void CancellaValoreUtente(const QString& applicazione, const QString& sezione,
                          const QString& chiave)
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QString::fromLatin1(Organizzazione),
                applicazione);
    s.remove(Chiave(sezione, chiave));
    s.sync();
}

bool EsisteValoreUtente(const QString& applicazione, const QString& sezione, const QString& chiave)
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QString::fromLatin1(Organizzazione),
                applicazione);
    return s.contains(Chiave(sezione, chiave));
}
