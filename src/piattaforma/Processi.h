#pragma once

#include <QString>
#include <QStringList>

// Starts an application on its own, as a desktop launcher does. The command
// line is split like a shell would (quotes group words). stileFinestra is the
// window style asked for (1 normal); on this platform the application decides.
// Returns the process id, or 0 when the program could not be started.
qint64 AvviaApplicazione(const QString& rigaComando, int stileFinestra = 1,
                         const QString& cartella = {});

// The same for a command already split into program and arguments.
qint64 AvviaProgramma(const QStringList& comando, const QString& cartella = {});
