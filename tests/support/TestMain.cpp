#include "support/AmbienteTest.h"
#include "support/Risponditore.h"

#include "invio/EseguiScriptFtp.h"
#include "piattaforma/Orologio.h"
#include "piattaforma/SondaConnessione.h"
#include "piattaforma/ui/Dialoghi.h"
#include "piattaforma/ui/Schermo.h"
#include "piattaforma/ui/Shell.h"
#include "shell/Global.h"
#include "shell/Routine.h"
#include "shell/ui/Finestre.h"

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::function<void()>>& Azzeramenti()
{
    static std::vector<std::function<void()>> a;
    return a;
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

QList<int>& TerminazioniRichieste()
{
    static QList<int> t;
    return t;
}

QStringList& AperturaShell()
{
    static QStringList aperti;
    return aperti;
}

void AzzeraTutto()
{
    AzzeraGlobali();
    ImpostaOrologio({});
    ImpostaLimiteAttesaFtp(0);
    ImpostaSondaConnessione({});
    ImpostaSchermo({}, {});
    ImpostaFinestraPrincipale(nullptr);
    // A dialog nobody scripted fails the test instead of waiting for a person.
    DialoghiTest nessuno;
    nessuno.cartella = [](const QString& titolo, const QString&) {
        ADD_FAILURE() << "unexpected folder dialog " << titolo.toStdString();
        return QString();
    };
    nessuno.file = [](const QString& titolo, const QString&, const QString&) {
        ADD_FAILURE() << "unexpected file dialog " << titolo.toStdString();
        return QString();
    };
    nessuno.colore = [](const QColor&, QList<QColor>&) {
        ADD_FAILURE() << "unexpected colour dialog";
        return std::optional<QColor>();
    };
    nessuno.stampante = [](QPrinter&) {
        ADD_FAILURE() << "unexpected printer dialog";
        return false;
    };
    ImpostaDialoghi(nessuno);
    AperturaShell().clear();
    ImpostaShell([](const QString& cosa) {
        AperturaShell().append(cosa);
        return true;
    });
    TerminazioniRichieste().clear();
    ImpostaTerminazione([](int codice) { TerminazioniRichieste().append(codice); });
    for (const auto& a : Azzeramenti())
        a();
    RisponditoreTest().Azzera();
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // CTest's discovery passes only the first variable of the ENVIRONMENT list,
    // so the fixed Italian locale is set here.
    qputenv("LANG", "it_IT.UTF-8");
    qputenv("LC_ALL", "it_IT.UTF-8");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("norvel"));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new AzzeraPerOgniTest);
    return RUN_ALL_TESTS();
}
