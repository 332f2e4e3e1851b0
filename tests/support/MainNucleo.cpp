#include "support/AmbienteTest.h"

#include <QCoreApplication>

// The rules' tests: no window system at all.
int main(int argc, char** argv)
{
    PreparaAmbienteProve();
    QCoreApplication app(argc, argv);
    return EseguiProve(argc, argv);
}
