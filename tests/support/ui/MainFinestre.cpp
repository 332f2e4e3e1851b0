#include "support/AmbienteTest.h"
#include "support/ui/AmbienteFinestre.h"

#include <QApplication>

// The windows' tests, on the offscreen platform unless told otherwise.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PreparaAmbienteProve();
    QApplication app(argc, argv);
    RegistraAmbienteFinestre();
    return EseguiProve(argc, argv);
}
