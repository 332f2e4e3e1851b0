#include "piattaforma/ui/PreparazioneCaratteri.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

// The library keeps the configuration it reads for the whole process, and a
// second reader racing the first only repeats the work: whichever comes
// second finds it done.
PreparazioneCaratteri::PreparazioneCaratteri()
{
    try {
        lettura_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to be had: the window reads it when it needs it.
    }
}

PreparazioneCaratteri::~PreparazioneCaratteri()
{
    Attendi();
}

void PreparazioneCaratteri::Attendi()
{
    if (lettura_.joinable())
        lettura_.join();
}
