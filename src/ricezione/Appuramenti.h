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

// What the UNIX host has not confirmed yet, in CartellaVerificati: the joined
// file's name + ".DAINVIARE". Written before each upload, removed only when
// the host confirms one.
QString NomeAppuramentiDaInviare(const QString& utenteUnix);

struct EsitoInvioAppuramenti
{
    QString inviato; // the file handed to the UNIX host, "" when none
    bool accettato = false;
};

// Sends the unwrapped files uniti (names in CartellaVerificati, in order) to
// the UNIX host, after what an earlier run could not deliver: that comes
// first, its records ahead of the new ones. One file alone is sent as it is;
// more are joined into NomeFileAppuramenti. A file that cannot be written, or
// another copy of the program transferring, is said in a message and nothing
// is sent.
EsitoInvioAppuramenti InviaAppuramenti(const QStringList& uniti, bool* occupato = nullptr);
