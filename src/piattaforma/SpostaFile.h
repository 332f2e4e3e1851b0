#pragma once

#include <QString>

// Moves the file da to a, replacing a file already at a. Within a filesystem
// this is one rename. Across filesystems the data is first copied to a
// temporary name beside a and flushed to disk, then renamed over a, and only
// then is da removed: a failure at any step removes the temporary copy and
// leaves both da and the older a as they were. Returns "" on success, else
// the system's description of the error.
QString SpostaFile(const QString& da, const QString& a);
