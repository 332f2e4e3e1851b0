#pragma once

// Lets the enquiries show their pages: the page window for the browser, the
// desktop for a saved page. Called once at start-up.
void InstallaPresentazioneWeb();
