#pragma once

#include <QString>

class QWidget;

// The colour dialog over finestra, with the custom colours of the settings
// file: the chosen colour as decimal text, or "" when the person cancels. The
// custom colours, as the dialog leaves them, are stored only on a choice.
QString ScegliColore(QWidget* finestra);
