#pragma once

#include <QRect>
#include <QString>

// The steps of the start-up and of the exit that need no window. The main
// window runs them in order and does the rest.

inline constexpr int LarghezzaMinima = 5400; // twips
inline constexpr int AltezzaMinima = 3890;   // twips

// The program folder becomes the current folder; FileIni is named in it.
// CartellaProgramma must be set.
void ImpostaCartellaProgramma();

// A missing settings file is created with the UNIX and PC paths only.
void CreaFileIniSeManca();

// POSX, POSY, DIMX, DIMY of section StartUp, in twips (0 when missing or odd).
QRect GeometriaSalvata();

// The geometry kept to the minimum size, on the screen and clear of the
// taskbar (lato: 0 bottom, 1 right, 2 top, 3 left). All in twips.
QRect LimitaGeometria(QRect geometria, int larghezzaSchermo, int altezzaSchermo, int latoTaskbar,
                      int altezzaTaskbar, int larghezzaTaskbar);

// Web parameters, days of the months, customs parameters and sort globals,
// applications defaults, the temporary folder.
void CaricaParametriAvvio();

// The text editor's default command when none is configured.
QString EditorPredefinito();
// Writes the name and the command of entry 1 when they are blank.
void ImpostaDefaultApplicativi();

struct VoceApplicativo
{
    QString nome;
    QString comando;
    bool visibile = false;
};
// Entry i (1..11) of the applications menu as the settings give it.
VoceApplicativo LeggiVoceApplicativo(int i);

// The script file's name (a left-over script is deleted unless in debug mode),
// the working folders (created when missing) and the colours. False when a folder could not be
// made.
bool PreparaCartelleLavoro();

// Deletes the transfer logs older than GIORNIREGISTRO days (section EDI;
// blank: 365; 0, or anything that is no positive number, keeps them all).
// The number of logs deleted.
int PulisciRegistroScaduto();

// major.minor.revision of the program.
QString VersioneProgramma();
// The three per-user values written at exit.
void ScriviValoriUscita();
