#include "support/AmbienteTest.h"
#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"
#include "support/ui/AmbienteFinestre.h"

#include "piattaforma/ui/Traduzioni.h"
#include "shell/ui/TastiComuni.h"

#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

using namespace Qt::StringLiterals;

TEST(Traduzioni, PulsantiInItaliano)
{
    ASSERT_TRUE(InstallaTraduzioneQt()) << "qt6-translations-l10n missing";
    QMessageBox box(QMessageBox::Question, u"t"_s, u"x"_s, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(u'&'), QString::fromUtf8("Sì"));
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove(u'&'), u"No"_s);
}

class TastiComuniTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        finestra.setObjectName(u"ParEdi"_s);
        finestra.setWindowTitle(u"PARAMETRI"_s);
        uscita = new QPushButton(u"&USCITA"_s, &finestra);
        campo = new QPushButton(u"altro"_s, &finestra);
        new TastiComuni(&finestra, uscita);
        finestra.show();
        campo->setFocus();
    }

    QWidget finestra;
    QPushButton* uscita = nullptr;
    QPushButton* campo = nullptr;
};

TEST_F(TastiComuniTest, UscitaForzata)
{
    RisponditoreTest().Rispondi(Risposta::No, u"FINE DI test_shell_ui?"_s);
    QTest::keyClick(campo, Qt::Key_F2, Qt::ControlModifier);
    EXPECT_TRUE(TerminazioniRichieste().isEmpty());
    const auto& box = RisponditoreTest().Ricevuti().value(0).richiesta;
    EXPECT_EQ(box.titolo, u"USCITA FORZATA"_s);
    EXPECT_EQ(box.pulsanti, Pulsanti::SiNo);
    EXPECT_EQ(box.icona, Icona::Avviso);
    EXPECT_EQ(box.predefinita, Risposta::No);

    RisponditoreTest().Rispondi(Risposta::Si);
    QTest::keyClick(campo, Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(TerminazioniRichieste(), QList<int>{0});
}

TEST_F(TastiComuniTest, F2PremeUscitaECtrlF8MostraIlNome)
{
    QSignalSpy premuto(uscita, &QPushButton::clicked);
    QTest::keyClick(campo, Qt::Key_F2);
    EXPECT_EQ(premuto.count(), 1);

    QTest::keyClick(campo, Qt::Key_F8, Qt::ControlModifier);
    EXPECT_EQ(finestra.windowTitle(), u"ParEdi !"_s);
    QTest::keyClick(campo, Qt::Key_F8, Qt::ControlModifier);
    EXPECT_EQ(finestra.windowTitle(), u"PARAMETRI"_s);
}

TEST_F(TastiComuniTest, CtrlFApreLaRicerca)
{
    QTest::keyClick(campo, Qt::Key_F, Qt::ControlModifier);
    ASSERT_EQ(AperturaShell().size(), 1);
    EXPECT_EQ(AperturaShell()[0], u"/"_s);
}
