#pragma once

#include <QString>
#include <QStringList>

class QPrinter;

// The printer the program prints on, as the office's "current printer": the
// one chosen in this run, else the print options' stored printer when it is
// installed, else the system's default. "PDFCREATOR" is Qt's own PDF writer
// unless the system has a printer of that name.

QString StampanteCorrente();
void ImpostaStampanteCorrente(const QString& nome);

// The system's printers, and "PDFCREATOR" after them when none has that name.
QStringList StampantiInstallate();

// True when "PDFCREATOR" is Qt's writer here rather than a system printer.
bool PdfInterno(const QString& nome);

// Sets stampante up for the printer nome: a system printer by name, or Qt's
// PDF writer into the PDF printer's folder under nomePdf. False when the
// printer cannot be used (then nothing is to be printed).
bool PreparaStampante(QPrinter& stampante, const QString& nome, const QString& nomePdf);
