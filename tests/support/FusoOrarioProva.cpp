#include "support/FusoOrarioProva.h"

#include <QtGlobal>

FusoOrarioProva::FusoOrarioProva(const char* zona)
    : cera_(qEnvironmentVariableIsSet("TZ")), prima_(qgetenv("TZ"))
{
    // Not read here: what converts times is to notice the change itself.
    qputenv("TZ", zona);
}

FusoOrarioProva::~FusoOrarioProva()
{
    if (cera_)
        qputenv("TZ", prima_);
    else
        qunsetenv("TZ");
}
