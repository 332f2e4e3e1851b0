#pragma once

#include <QString>

class QWidget;

// The file and shell routines that need the desktop.

// The folder the person chooses, starting at cartellaIniziale when it is not
// blank; "" when cancelled, so that the caller keeps its own folder.
QString SceltaCartella(QWidget* proprietario, const QString& cartellaIniziale,
                       const QString& titolo);

// What RunFile returns, as the office's shell counted it: above 32 the document
// was opened; the others come with a message.
namespace EsitoRunFile {
inline constexpr int RisorseEsaurite = 0;
inline constexpr int FileNonTrovato = 2;
inline constexpr int CartellaNonTrovata = 3;
inline constexpr int FormatoNonValido = 11;
inline constexpr int NessunaAssociazione = 31;
inline constexpr int Aperto = 42;
} // namespace EsitoRunFile

// Opens the document (a file, or a web or mail address) with the application
// the desktop associates with it. A relative document is looked for in
// cartella. parametri and modo are kept in the message only: the desktop's
// opener takes none.
int RunFile(QWidget* finestra, const QString& documento, const QString& parametri = {},
            const QString& cartella = {}, int modo = 1);
