#pragma once

#include <QString>
#include <QStringList>

// The guarantee clearances files: two heading lines, then one record a line,
// line feeds alone.

// At most this many files are joined and sent in one go.
inline constexpr int MaxAppuramenti = 50;

// The joined file's name in CartellaVerificati: the UNIX user + "Irildes".
QString NomeFileAppuramenti(const QString& utenteUnix);

// Joins the files (full paths, in order) into destino with CR LF line ends:
// the two heading lines of the first file, characters 26 to 28 of the first
// relabelled "L01", then every record of every file; the other files'
// headings are dropped. A last record without its line feed is kept. The
// file is replaced whole or not at all. False when a file cannot be read or
// destino cannot be written.
bool UnisciAppuramenti(const QStringList& file, const QString& destino);
