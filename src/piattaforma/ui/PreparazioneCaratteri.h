#pragma once

#include <thread>

// Reads the font configuration on a thread of its own while the window
// system is being opened. The first window with a word on it needs it, and
// the main thread would otherwise read it only then, with nothing to overlap.
// Start it before the application object; Attendi() once that exists.
class PreparazioneCaratteri
{
public:
    PreparazioneCaratteri();
    ~PreparazioneCaratteri();
    PreparazioneCaratteri(const PreparazioneCaratteri&) = delete;
    PreparazioneCaratteri& operator=(const PreparazioneCaratteri&) = delete;

    void Attendi();

private:
    std::thread lettura_;
};
