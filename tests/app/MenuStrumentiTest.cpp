#include "support/CartellaProgrammaTest.h"
#include "support/ui/AmbienteFinestre.h"

#include "app/StartUp.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

class MenuStrumentiTest : public CartellaProgrammaTest
{
};

} // namespace

TEST_F(MenuStrumentiTest, LApplicativoConfermatoCambiaSubitoIlMenu)
{
    StartUp principale;
    auto* voce2 = principale.findChild<QAction*>(u"Mprg_var_2"_s);
    auto* voce3 = principale.findChild<QAction*>(u"Mprg_var_3"_s);
    ASSERT_TRUE(voce2 && voce3);
    QuandoModale([](QWidget* w) {
        w->findChild<QLineEdit*>(u"txt_2"_s)->setText(u"Paghe"_s);
        w->findChild<QLineEdit*>(u"txt_13"_s)->setText(u"sh"_s);
        w->findChild<QLineEdit*>(u"txt_3"_s)->setText(u"Contabilità"_s);
        w->findChild<QLineEdit*>(u"txt_14"_s)->setText(u"sh -c true"_s);
        w->findChild<QPushButton*>(u"Command1_0"_s)->click();
    });
    principale.findChild<QAction*>(u"Mu_progr"_s)->trigger();
    EXPECT_EQ(voce2->text(), u"Paghe"_s);
    EXPECT_TRUE(voce2->isVisible());
    EXPECT_EQ(voce3->text(), u"Contabilità"_s);
    EXPECT_TRUE(voce3->isVisible());
    EXPECT_FALSE(principale.findChild<QAction*>(u"Mprg_var_4"_s)->isVisible());
    EXPECT_TRUE(principale.findChild<QMenu*>(u"Mprg_base"_s)->menuAction()->isVisible());
    EXPECT_EQ(LeggiIni(FileIni, u"APPLICATIVI"_s, u"Varie3"_s), u"sh -c true"_s);
}
