#include "support/CartellaProgrammaTest.h"
#include "support/ui/AmbienteFinestre.h"

#include "app/StartUp.h"
#include "info/ui/FrmRegistro.h"
#include "info/ui/ModelloRegistro.h"
#include "piattaforma/ui/Schermo.h"

#include <QAction>
#include <QMenu>
#include <QSortFilterProxyModel>
#include <QTest>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

using StartUpRegistroTest = CartellaProgrammaTest;

TEST_F(StartUpRegistroTest, IlRegistroSiApreDalMenuDellAiuto)
{
    ImpostaSchermo(QRect(0, 0, 1280, 1024), QRect(0, 0, 1280, 1024));
    ScriviFile(u"Registro/2024-12-07.jsonl"_s,
               R"({"tipo":"inizio","ora":"2024-12-07T09:00:00+01:00","operazione":"invio"})"
               "\n");
    QString aperta;
    int righe = -1;
    {
        StartUp principale;
        QAction* voce = principale.findChild<QAction*>(u"Mu_registro"_s);
        ASSERT_NE(voce, nullptr);
        EXPECT_EQ(voce->text(), u"&Registro trasferimenti"_s);
        QMenu* aiuto = principale.findChild<QMenu*>(u"Mu_help"_s);
        ASSERT_NE(aiuto, nullptr);
        EXPECT_TRUE(aiuto->actions().contains(voce));
        QuandoModale([&](QWidget* w) {
            aperta = w->objectName() + u'|' + w->windowTitle();
            // The day is read on a thread of its own: counted once it is in.
            if (auto* f = qobject_cast<FrmRegistro*>(w)) {
                if (QTest::qWaitFor([f] { return !f->Modello()->InCaricamento(); }, 60000))
                    righe = f->Filtro()->rowCount();
            }
            w->close();
        });
        voce->trigger();
    }
    EXPECT_EQ(aperta, u"FrmRegistro|Registro trasferimenti"_s);
    EXPECT_EQ(righe, 1);
}

} // namespace
