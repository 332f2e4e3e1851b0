#include "support/AmbienteTest.h"
#include "support/ui/AmbienteFinestre.h"
#include "support/ui/SchermoVirtuale.h"

#include <QApplication>

namespace {
SchermoVirtuale* schermo = nullptr;
QString motivo;
} // namespace

SchermoVirtuale* SchermoDiProva()
{
    return schermo;
}

QString MotivoSenzaSchermo()
{
    return motivo;
}

// The windows' tests under a real window manager: the program's windows on a
// virtual X server managed by openbox, which frames and places them.
int main(int argc, char** argv)
{
    SchermoVirtuale virtuale;
    // Listing the tests needs no screen.
    bool elenco = false;
    for (int i = 1; i < argc; ++i)
        elenco = elenco || qstrcmp(argv[i], "--gtest_list_tests") == 0;
    if (elenco) {
        motivo = QStringLiteral("solo elenco");
        qputenv("QT_QPA_PLATFORM", "offscreen");
    } else if (virtuale.Avvia()) {
        schermo = &virtuale;
        qputenv("DISPLAY", virtuale.Display().toUtf8());
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        motivo = virtuale.Errore();
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    PreparaAmbienteProve();
    int esito = 0;
    {
        QApplication app(argc, argv);
        RegistraAmbienteFinestre();
        esito = EseguiProve(argc, argv);
    }
    virtuale.Ferma();
    return esito;
}
