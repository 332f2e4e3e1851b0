#pragma once

// Loads Qt's own Italian translation, so that the standard buttons read "Sì",
// "No", "Annulla" like the rest of the program. False when it is not installed.
bool InstallaTraduzioneQt();
