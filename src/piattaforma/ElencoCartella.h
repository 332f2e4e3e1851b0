#pragma once

#include <QList>
#include <QString>

// The plain files of a folder as the system has them, names that the system's
// encoding cannot give back included: such a name comes with its undecodable
// bytes shown as U+FFFD, so that it can be shown and named though never opened
// by name.
struct VoceCartella
{
    QString nome;
    qint64 dimensione = 0;
    // Milliseconds since the epoch: the local time is the caller's to work out
    // (OraLocale), once for the whole folder rather than per file.
    qint64 modificaMs = 0;
};

QList<VoceCartella> FileDellaCartella(const QString& cartella);
