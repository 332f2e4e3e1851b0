#pragma once

#include <QList>
#include <QString>

#include <utility>

// Profile files ("[sezione]" headers and "chiave=valore" lines) as the Windows
// offices keep them: sections and keys compare without regard to case, and a
// write changes only the one line it concerns. A file that is not valid UTF-8
// (one copied from a Windows office) is read and written back as Windows-1252.

// The value of chiave in sezione, trimmed; "" when the file, the section or the
// key is missing or the file cannot be read.
QString LeggiProfilo(const QString& file, const QString& sezione, const QString& chiave);

// The value as it stands after the "=", up to the line end: nothing trimmed.
QString LeggiProfiloIntero(const QString& file, const QString& sezione, const QString& chiave);

// Sets chiave in sezione, creating the file, the section or the key as needed.
// The file is replaced whole through a temporary copy, so a crash never leaves
// half of it behind. The file written is readable and writable by its owner
// alone, a new one and an existing one alike. False when the file could not be written, or
// when a name or the value holds a line break, or a name could not be read back (a key
// empty, with "=" or starting with "[", a section with "]", either with blanks around), or
// the file is Windows-1252 and a text holds a character it lacks.
bool ScriviProfilo(const QString& file, const QString& sezione, const QString& chiave,
                   const QString& valore);

// Keys and values of one section, in the order they are written.
using VociProfilo = QList<std::pair<QString, QString>>;

// Sets every key of voci in sezione, as ScriviProfilo each, with one write of
// the file: the keys are all there or, when it fails, none has changed.
bool ScriviProfilo(const QString& file, const QString& sezione, const VociProfilo& voci);

// The writes of profile files this process has made; tests count them.
qint64 ScrittureProfilo();
