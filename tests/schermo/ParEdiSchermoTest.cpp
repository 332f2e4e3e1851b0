#include "support/CartellaProgrammaTest.h"
#include "support/ui/SchermoVirtuale.h"

#include "piattaforma/ui/MessaggiQt.h"
#include "shell/Global.h"
#include "shell/ui/ParEdi.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <utility>

using namespace Qt::StringLiterals;

// The real question box under a window manager takes the focus and gives it
// back: the caret is where it was, nothing selected, and the next key adds to
// what was typed.
class ParEdiSchermoTest : public CartellaProgrammaTest
{
};

TEST_F(ParEdiSchermoTest, DopoLaDomandaSulMinuscoloIlCursoreRestaDovEra)
{
    if (!SchermoDiProva()) {
        if (qEnvironmentVariable("NORVEL_E2E") == u"1"_s)
            FAIL() << "no virtual screen: " << MotivoSenzaSchermo().toStdString();
        GTEST_SKIP() << "no virtual screen: " << MotivoSenzaSchermo().toStdString();
    }
    InstallaMessaggiQt();
    ParEdi finestra;
    finestra.show();
    finestra.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&finestra));
    auto* campo = finestra.findChild<QLineEdit*>(u"txt_3"_s);
    campo->setFocus(Qt::MouseFocusReason);
    campo->clear();
    // As a person's first key comes after the field has settled.
    QCoreApplication::processEvents();
    QTest::keyClicks(campo, u"PW"_s);
    bool risposto = false;
    QTimer risponde;
    QObject::connect(&risponde, &QTimer::timeout, [&]() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && box->isActiveWindow() && !std::exchange(risposto, true))
            box->button(QMessageBox::Yes)->click();
    });
    risponde.start(10);
    QTest::keyClicks(campo, u"|"_s);
    risponde.stop();
    ASSERT_TRUE(risposto);
    // The window manager gives the focus back; now and then only on a click.
    if (!QTest::qWaitForWindowActive(&finestra, 2000))
        finestra.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&finestra));
    QTRY_VERIFY(campo->hasFocus());
    QCoreApplication::processEvents();
    EXPECT_FALSE(campo->hasSelectedText());
    QTest::keyClicks(campo, u"A"_s);
    EXPECT_EQ(campo->text(), u"PW|A"_s);
}
