#pragma once

#include <QString>

#include <array>

// The eleven entries of the applications menu as the settings file keeps them
// (section APPLICATIVI, "NomeVarie" + n and "Varie" + n), and their checks.

struct VoceMenuApplicativi
{
    QString nome;
    QString comando;
};

// Index 1..11; both texts trimmed.
using VociApplicativi = std::array<VoceMenuApplicativi, 12>;

VociApplicativi LeggiApplicativi();
// Writes every entry, trimmed.
void ScriviApplicativi(const VociApplicativi& voci);

// Whether the program the launcher would start for comando exists: a blank
// command passes; the whole text as a path, or its first word split as the
// launcher splits it (quotes group words): a path must name a file, a bare
// program name is looked up on PATH.
bool ComandoEsistente(const QString& comando);

// The first error of the entries, numbered as the window's fields: n for a
// command without its name, n + 11 for a command that names no program;
// 0 when every entry is acceptable.
int PrimoErroreApplicativi(const VociApplicativi& voci);
// The text of an error number.
QString TestoErroreApplicativi(int numero);

// Where the file dialog opens for a command: its folder, or the programs
// folder of the system when the command has none.
QString CartellaRicercaComando(const QString& comando);

// A chosen program as a command line: quoted when its path has a blank.
QString ComandoDaFile(const QString& percorso);
