#pragma once

#include <QString>

class QFile;

// The routines the windows share for files and the operating system's shell.
// Each reports through its own fixed messages and returns a neutral result.

// Attribute masks of EsisteFile, as the office's program counted them.
inline constexpr int AttributoNormale = 0;
inline constexpr int AttributoNascosto = 2;
inline constexpr int AttributoSistema = 4;
inline constexpr int AttributoCartella = 16;

// Whether an entry matches percorso (wildcards "*" and "?" allowed in the last
// part). Mask 0 finds plain files only; AttributoNascosto adds the hidden ones
// (names beginning with "."), AttributoCartella adds folders. A path quoted
// from its first character is unquoted first.
bool EsisteFile(const QString& percorso, int attributi = AttributoNormale);

// The path EsisteFile looks for once its quotes are dropped.
QString SenzaVirgolette(const QString& percorso);

// Modes of ApriFile.
inline constexpr int ModoScrittura = 1;
inline constexpr int ModoLettura = 2;
inline constexpr int ModoAggiunta = 3;
inline constexpr int ModoCasuale = 4;

// Opens percorso in file with the mode's access (any other mode: read and
// write, bytes); lunghezzaRecord is kept for the callers' sake, files here are
// streams. With conferma, asks before replacing or creating. Returns numero
// when the file is open, 0 when not.
int ApriFile(const QString& percorso, QFile& file, int numero, int modo, int lunghezzaRecord = 0,
             bool conferma = false);

// Numbers of the file errors, as the office's program knew them.
namespace ErroreFile {
inline constexpr int NomeErrato = 52;
inline constexpr int FileNonTrovato = 53;
inline constexpr int AccessoNegato = 54;
inline constexpr int GiaAperto = 55;
inline constexpr int ErroreIO = 57;
inline constexpr int DiscoPieno = 61;
inline constexpr int FineFile = 62;
inline constexpr int NomeErrato2 = 64;
inline constexpr int DeviceNonDisponibile = 68;
inline constexpr int DiscoNonPronto = 71;
inline constexpr int PercorsoInesistente = 76;
} // namespace ErroreFile

// The number of the table for a system error code (errno) met on percorso;
// 0 for no error, the code + 1000 for one the table does not know.
int NumeroErroreFile(int codiceSistema, const QString& percorso);

// Shows the table's message for the error and returns 0 retry, 1 ignore,
// 2 give up; 3 with no message for an error outside the table.
int ErroriFile(int numeroErrore, const QString& percorso);

// Deletes the file, trying again while it is busy, for at most (attesa + 1) × 5
// seconds. Events keep running while it waits.
void CancellaFileAttesa(const QString& percorso, double attesa);
// Renames vecchio to nuovo once vecchio exists and can be moved, replacing
// nuovo, within the same time bound.
void RinominaFileAttesa(const QString& vecchio, const QString& nuovo, double attesa);

// Reads a text value of the per-user store: radice is the registry root of the
// office's program and has no meaning here; the first part of chiave names the
// application, the rest the section. False, with valore "", when it is missing.
bool LeggiValoreRegistro(const QString& radice, const QString& chiave, const QString& nomeValore,
                         QString& valore);

// Starts the machine's system-information tool, or says it is not available.
void InfoSistema();
