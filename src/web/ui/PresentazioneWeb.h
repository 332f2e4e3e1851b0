#pragma once

#include <QString>

// Lets the enquiries show their pages: the page program in a process of its
// own for the browser (the main window goes on meanwhile), the desktop for a
// saved page. Called once at start-up.
void InstallaPresentazioneWeb();

// The page program: beside the executable (a build or a portable copy), else
// in the package's libexec/norvel folder. "" when there is none.
QString ProgrammaPagina();
// Tests name the one the build made; "" goes back to the search.
void ImpostaProgrammaPagina(const QString& percorso);

// Page windows started and not yet closed.
int PagineAperte();
