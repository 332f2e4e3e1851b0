#include "support/CartellaProgrammaTest.h"
#include "support/ui/AmbienteFinestre.h"

#include "app/StartUp.h"
#include "piattaforma/ui/Schermo.h"

#include <QAction>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

class StartUpMrnTest : public CartellaProgrammaTest
{
};

TEST_F(StartUpMrnTest, LaVoceMrnApreLInterrogazione)
{
    ImpostaSchermo(QRect(0, 0, 1280, 1024), QRect(0, 0, 1280, 1024));
    QString aperta;
    {
        StartUp principale;
        QAction* mrn = principale.findChild<QAction*>(u"Mu_MRN"_s);
        ASSERT_NE(mrn, nullptr);
        QuandoModale([&aperta](QWidget* w) {
            aperta = w->objectName() + u'|' + w->windowTitle();
            w->close();
        });
        mrn->trigger();
    }
    EXPECT_EQ(aperta, u"ChkMrn|  INTERROGAZIONE STATO MRN"_s);
}

} // namespace
