#pragma once

#include <QString>

// The PDF printer "PDFCREATOR": its settings in the per-user store and the
// wait for the files it writes.

inline constexpr char NomeStampantePdf[] = "PDFCREATOR";

bool EStampantePdf(const QString& nomeStampante);

// The printer's autosave folder, without a trailing separator.
QString CartellaPdfCreator();

// Reads the printer's autosave settings into cartellaPdf (no trailing
// separator): 0 when the folder is known, -1 otherwise. An autosave name other
// than "<Title>" is said in a message and gives -1. Only read, never written.
// The folder defaults to the user's "PDF" folder.
int LeggiPdfCreator(QString& cartellaPdf);

// Waits (events running) for the outside printer's file, at most
// attesaMassimaMs, then moves it to nomeFinale. False when it never came.
bool SpostaFilePdf(const QString& fileStampante, const QString& nomeFinale, int attesaMassimaMs);
