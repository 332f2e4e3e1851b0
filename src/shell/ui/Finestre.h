#pragma once

#include <QMargins>
#include <QString>

#include <functional>

class QLineEdit;
class QWidget;

// Placement and geometry memory of the windows, in twips as the settings keep
// them. A window's settings section is its objectName().

// The main window, under which the other windows are placed.
void ImpostaFinestraPrincipale(QWidget* principale);
QWidget* FinestraPrincipale();

void CentraForm(QWidget* finestra);
// Just under the main window's caption and menu bar, on screen and clear of
// the taskbar.
void PosizionaForm(QWidget* finestra);
// Finds the taskbar's edge and size (LatoTaskbar, AltezzaTaskbar, LarghezzaTaskbar).
void PosizioneTaskbar();
// The window's frame: the window manager's once it has framed the window,
// before that the last frame seen on any window (none before the first). A
// window's outer size, as the settings keep it, is its size plus this.
QMargins CorniceFinestra(const QWidget* finestra);
// Runs applica again once the window manager has framed the shown window, when
// its frame is not the one the window was sized with: what was sized from the
// frame comes out right. Callbacks run in the order they were given.
void AllaCornice(QWidget* finestra, std::function<void()> applica);

// DIMX, DIMY, POSX, POSY of the window, unless it is minimised.
void SalvaPosizione(QWidget* finestra);
// The saved DIMX and DIMY, when above 0, then PosizionaForm; again once the
// window is framed.
void RipristinaPosizione(QWidget* finestra);

// A press on maniglia lets the mouse drag pannello (a floating panel) inside
// its parent.
void TrascinaForm(QWidget* pannello, QWidget* maniglia);

// Keeps the box's trimmed text in TestoIniziale and selects its text once the
// focus has settled.
void SelezionaTesto(QLineEdit* casella);

// The desktop's file manager on the folder (the system search of the office).
void ApriCerca(const QString& cartella);
