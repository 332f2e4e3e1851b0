#include "support/AmbienteTest.h"
#include "support/Risponditore.h"

#include "piattaforma/ModuloRete.h"
#include "piattaforma/Orologio.h"
#include "piattaforma/RichiestaHttp.h"
#include "piattaforma/SondaConnessione.h"
#include "scambio/EseguiScriptFtp.h"
#include "shell/Global.h"
#include "shell/Routine.h"
#include "shell/Versione.h"

#include "PercorsiTest.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::function<void()>>& Azzeramenti()
{
    static std::vector<std::function<void()>> a;
    return a;
}

std::vector<std::function<void()>>& Fini()
{
    static std::vector<std::function<void()>> f;
    return f;
}

// Every test starts with fresh globals, seams and an empty responder.
class AzzeraPerOgniTest : public ::testing::EmptyTestEventListener
{
    void OnTestStart(const ::testing::TestInfo&) override { AzzeraTutto(); }
};

} // namespace

void RegistraAzzeramento(std::function<void()> azzera)
{
    Azzeramenti().push_back(std::move(azzera));
}

void RegistraFineProva(std::function<void()> fine)
{
    Fini().push_back(std::move(fine));
}

void FineProva()
{
    for (const auto& f : Fini())
        f();
}

QList<int>& TerminazioniRichieste()
{
    static QList<int> t;
    return t;
}

void AzzeraTutto()
{
    AzzeraGlobali();
    ImpostaOrologio({});
    ImpostaLimiteAttesaFtp(0);
    ImpostaLimiteHttp(0);
    // The test programs are not beside the module.
    ImpostaModuloRete(QStringLiteral(NORVEL_MODULO_RETE));
    ImpostaVersioneInUso({});
    ImpostaSondaConnessione({});
    TerminazioniRichieste().clear();
    ImpostaTerminazione([](int codice) { TerminazioniRichieste().append(codice); });
    for (const auto& a : Azzeramenti())
        a();
    RisponditoreTest().Azzera();
}

void PreparaAmbienteProve()
{
    // CTest's discovery passes only the first variable of the ENVIRONMENT list,
    // so the fixed Italian locale is set here.
    qputenv("LANG", "it_IT.UTF-8");
    qputenv("LC_ALL", "it_IT.UTF-8");
    // The page window's browser: no sandbox when the tests run as root, and
    // GL contexts shared as it asks before the application exists.
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

int EseguiProve(int& argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("norvel"));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new AzzeraPerOgniTest);
    return RUN_ALL_TESTS();
}
