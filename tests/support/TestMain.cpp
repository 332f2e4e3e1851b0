#include "support/AmbienteTest.h"
#include "support/Risponditore.h"

#include "shell/Global.h"

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

void AzzeraTutto()
{
    AzzeraGlobali();
    for (const auto& a : Azzeramenti())
        a();
    RisponditoreTest().Azzera();
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("norvel"));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new AzzeraPerOgniTest);
    return RUN_ALL_TESTS();
}
