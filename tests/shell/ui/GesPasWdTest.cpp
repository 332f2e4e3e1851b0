#include "support/AmbienteTest.h"
#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"
#include "support/ui/AmbienteFinestre.h"

#include "shell/ArchivioParola.h"
#include "shell/Global.h"
#include "shell/ui/GesPasWd.h"

#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

class GesPasWdTest : public CartellaProgrammaTest
{
protected:
    static QLineEdit* Casella(QWidget* w, int i)
    {
        return w->findChild<QLineEdit*>(QStringLiteral("txtPasswd_%1").arg(i));
    }
    static QGroupBox* Cornice(QWidget* w, int i)
    {
        return w->findChild<QGroupBox*>(QStringLiteral("fraPasswd_%1").arg(i));
    }
    static QPushButton* Pulsante(QWidget* w, int i)
    {
        return w->findChild<QPushButton*>(QStringLiteral("Command2_%1").arg(i));
    }

    // Types into box i as a person would: focus, text, Enter.
    static void Scrivi(QWidget* w, int i, const QString& testo)
    {
        QLineEdit* c = Casella(w, i);
        c->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(c, testo);
        QTest::keyClick(c, Qt::Key_Return);
        QApplication::processEvents();
    }

    static void Attiva(QWidget* w)
    {
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }

    // The start-up request, answered with the given texts in turn; true when
    // start-up may go on.
    bool Richiesta(const QStringList& risposte)
    {
        if (!LeggiParolaAccesso().isEmpty()) {
            QuandoModale([risposte](QWidget* w) {
                Attiva(w);
                for (const QString& r : risposte) {
                    if (!w->isVisible())
                        break;
                    Scrivi(w, 0, r);
                }
                // Still asking after the last answer: let the test go on, and fail.
                if (w->isVisible())
                    static_cast<QDialog*>(w)->done(QDialog::Rejected);
            });
        }
        return RichiediParolaAccesso();
    }

    // The menu entry, with fn acting on the window.
    void Menu(std::function<void(QWidget*)> fn)
    {
        bool visto = false;
        QuandoModale([&](QWidget* w) {
            visto = true;
            Attiva(w);
            fn(w);
            if (w->isVisible())
                static_cast<QDialog*>(w)->done(QDialog::Rejected);
        });
        GestisciParolaAccesso(nullptr);
        EXPECT_TRUE(visto);
    }

    void Imposta(const QString& nuova, const QString& conferma)
    {
        Menu([&](QWidget* w) {
            Casella(w, 1)->setText(nuova);
            Casella(w, 2)->setText(conferma);
            QTest::mouseClick(Pulsante(w, 1), Qt::LeftButton);
        });
    }
};

} // namespace

TEST_F(GesPasWdTest, PrimaImpostazioneSenzaParola)
{
    // Nothing asked at start-up: no window opens at all.
    EXPECT_TRUE(RichiediParolaAccesso());
    Menu([](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), "PRIMA IMPOSTAZIONE PASSWORD");
        EXPECT_FALSE(Cornice(w, 0)->isVisible());
        EXPECT_TRUE(Cornice(w, 1)->isVisible());
        EXPECT_TRUE(Cornice(w, 2)->isVisible());
        EXPECT_EQ(Cornice(w, 1)->title(), "Nuova  PassWord");
        EXPECT_EQ(Cornice(w, 2)->title(), "Riperi  nuova  PassWord");
        EXPECT_TRUE(Pulsante(w, 0)->isVisible());
        EXPECT_EQ(Pulsante(w, 0)->text(), "&ABBANDONA");
        EXPECT_EQ(Casella(w, 1)->maxLength(), 12);
        QTest::keyClicks(Casella(w, 1), "abc");
        EXPECT_EQ(Casella(w, 1)->displayText(), "&&&");
    });
    EXPECT_EQ(ParolaAccesso, NessunaParola);
}

TEST_F(GesPasWdTest, MinuscoleAccettateInOgniForma)
{
    Imposta("dogana7", "dogana7");
    ASSERT_FALSE(LeggiParolaAccesso().isEmpty());
    EXPECT_TRUE(Richiesta({"DoGaNa7"}));
    EXPECT_TRUE(RisponditoreTest().Ricevuti().isEmpty());
    EXPECT_TRUE(Richiesta({"DOGANA7"}));
}

TEST_F(GesPasWdTest, ParolaVuotaONonValidaNonChiedeNulla)
{
    for (const char* parola : {"", "ab-12"}) {
        ScriviParolaAccesso("VECCHIA");
        Menu([&](QWidget* w) {
            EXPECT_EQ(w->windowTitle(), "MODIFICA DELLA PASSWORD");
            Casella(w, 0)->setText("vecchia");
            Casella(w, 1)->setText(parola);
            Casella(w, 2)->setText(parola);
            QTest::mouseClick(Pulsante(w, 1), Qt::LeftButton);
            EXPECT_FALSE(w->isVisible());
        });
        EXPECT_EQ(LeggiParolaAccesso(), "") << parola;
        EXPECT_TRUE(RichiediParolaAccesso()) << parola;
        Menu([](QWidget* w) { EXPECT_EQ(w->windowTitle(), "PRIMA IMPOSTAZIONE PASSWORD"); });
    }
}

TEST_F(GesPasWdTest, TreRisposteSbagliateTerminano)
{
    ScriviParolaAccesso("GIUSTA");
    for (int i = 0; i < 3; ++i)
        RisponditoreTest().Rispondi(Risposta::Ok, "PASSWORD ERRATA");
    EXPECT_FALSE(Richiesta({"uno", "due", "tre"}));
    EXPECT_EQ(TerminazioniRichieste(), QList<int>({1}));
    EXPECT_EQ(RisponditoreTest().Ricevuti().size(), 3);
    EXPECT_EQ(RisponditoreTest().Ricevuti()[0].richiesta.pulsanti, Pulsanti::Ok);
}

TEST_F(GesPasWdTest, DueSbagliateEPoiLaGiusta)
{
    ScriviParolaAccesso("GIUSTA");
    RisponditoreTest()
        .Rispondi(Risposta::Ok, "PASSWORD ERRATA")
        .Rispondi(Risposta::Ok, "PASSWORD ERRATA");
    EXPECT_TRUE(Richiesta({"x", "giustaa", "Giusta"}));
    EXPECT_TRUE(TerminazioniRichieste().isEmpty());
}

TEST_F(GesPasWdTest, RichiestaSoloConLaParola)
{
    ScriviParolaAccesso("GIUSTA");
    bool visto = false;
    QuandoModale([&](QWidget* w) {
        visto = true;
        Attiva(w);
        EXPECT_EQ(w->windowTitle(), "RICHIESTA DELLA PASSWORD");
        EXPECT_EQ(Cornice(w, 0)->title(), "PassWord");
        EXPECT_FALSE(Cornice(w, 1)->isVisible());
        EXPECT_FALSE(Pulsante(w, 0)->isVisible());
        EXPECT_FALSE(Pulsante(w, 1)->isVisible());
        // Neither Escape nor F2 gets round it.
        QTest::keyClick(Casella(w, 0), Qt::Key_Escape);
        QTest::keyClick(Casella(w, 0), Qt::Key_F2);
        EXPECT_TRUE(w->isVisible());
        // Closing it by its frame ends the program.
        w->close();
    });
    EXPECT_FALSE(RichiediParolaAccesso());
    EXPECT_TRUE(visto);
    EXPECT_EQ(TerminazioniRichieste(), QList<int>({1}));
}

TEST_F(GesPasWdTest, CambioConConfermaDiversaNonContaComeErrore)
{
    ScriviParolaAccesso("PRIMA");
    RisponditoreTest()
        .Rispondi(Risposta::Ok, "LA NUOVA PASSWORD E LA SUA CONFERMA NON COINCIDONO")
        .Rispondi(Risposta::Ok, "LA NUOVA PASSWORD E LA SUA CONFERMA NON COINCIDONO")
        .Rispondi(Risposta::Ok, "LA NUOVA PASSWORD E LA SUA CONFERMA NON COINCIDONO")
        .Rispondi(Risposta::Ok, "VECCHIA PASSWORD ERRATA")
        .Rispondi(Risposta::Ok, "VECCHIA PASSWORD ERRATA");
    Menu([](QWidget* w) {
        EXPECT_EQ(Cornice(w, 0)->title(), "Vecchia  PassWord");
        for (int i = 0; i < 3; ++i) {
            Scrivi(w, 0, "prima");
            Scrivi(w, 1, "SECONDA");
            Scrivi(w, 2, "seconda");
            QTest::mouseClick(Pulsante(w, 1), Qt::LeftButton);
            ASSERT_TRUE(w->isVisible());
            EXPECT_EQ(Casella(w, 1)->text(), "");
            EXPECT_EQ(Casella(w, 2)->text(), "");
            EXPECT_TRUE(Casella(w, 1)->hasFocus());
        }
        // Case matters between the two new boxes, not for the old one.
        Scrivi(w, 1, "seconda");
        Scrivi(w, 2, "seconda");
        for (int i = 0; i < 2; ++i) {
            Casella(w, 0)->setText("sbagliata");
            QTest::mouseClick(Pulsante(w, 1), Qt::LeftButton);
            EXPECT_TRUE(Casella(w, 0)->hasFocus());
        }
        EXPECT_TRUE(TerminazioniRichieste().isEmpty());
        Casella(w, 0)->setText("PRIMA");
        Casella(w, 1)->setText("seconda");
        Casella(w, 2)->setText("seconda");
        QTest::mouseClick(Pulsante(w, 1), Qt::LeftButton);
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(TerminazioniRichieste().isEmpty());
    const QString record = LeggiParolaAccesso();
    EXPECT_TRUE(ParolaCorrisponde("SECONDA", record));
    EXPECT_FALSE(ParolaCorrisponde("PRIMA", record));
}

TEST_F(GesPasWdTest, TerzaVecchiaSbagliataTermina)
{
    ScriviParolaAccesso("PRIMA");
    for (int i = 0; i < 3; ++i)
        RisponditoreTest().Rispondi(Risposta::Ok, "VECCHIA PASSWORD ERRATA");
    Menu([](QWidget* w) {
        for (int i = 0; i < 3; ++i) {
            Casella(w, 0)->setText("no");
            QTest::mouseClick(Pulsante(w, 1), Qt::LeftButton);
        }
    });
    EXPECT_EQ(TerminazioniRichieste(), QList<int>({1}));
    EXPECT_TRUE(ParolaCorrisponde("PRIMA", LeggiParolaAccesso()));
}

TEST_F(GesPasWdTest, CaselleSiSvuotanoAlFuocoEAbbandonaNonCambia)
{
    ScriviParolaAccesso("PRIMA");
    const QString record = LeggiParolaAccesso();
    Menu([](QWidget* w) {
        Scrivi(w, 0, "abc");
        EXPECT_TRUE(Casella(w, 1)->hasFocus());
        Casella(w, 1)->setText("xyz");
        Casella(w, 0)->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(Casella(w, 0)->text(), "");
        Casella(w, 1)->setFocus(Qt::MouseFocusReason);
        EXPECT_EQ(Casella(w, 1)->text(), "");
        Casella(w, 1)->setText("nuova");
        Casella(w, 2)->setText("nuova");
        QTest::mouseClick(Pulsante(w, 0), Qt::LeftButton);
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_EQ(LeggiParolaAccesso(), record);
}
