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

using namespace Qt::StringLiterals;

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
        EXPECT_EQ(w->windowTitle(), u"PRIMA IMPOSTAZIONE PASSWORD"_s);
        EXPECT_FALSE(Cornice(w, 0)->isVisible());
        EXPECT_TRUE(Cornice(w, 1)->isVisible());
        EXPECT_TRUE(Cornice(w, 2)->isVisible());
        EXPECT_EQ(Cornice(w, 1)->title(), u"Nuova  PassWord"_s);
        EXPECT_EQ(Cornice(w, 2)->title(), u"Riperi  nuova  PassWord"_s);
        EXPECT_TRUE(Pulsante(w, 0)->isVisible());
        EXPECT_EQ(Pulsante(w, 0)->text(), u"&ABBANDONA"_s);
        EXPECT_EQ(Casella(w, 1)->maxLength(), 12);
        QTest::keyClicks(Casella(w, 1), u"abc"_s);
        EXPECT_EQ(Casella(w, 1)->displayText(), u"&&&"_s);
    });
    EXPECT_EQ(ParolaAccesso, QString::fromLatin1(NessunaParola));
}

TEST_F(GesPasWdTest, MinuscoleAccettateInOgniForma)
{
    Imposta(u"dogana7"_s, u"dogana7"_s);
    ASSERT_FALSE(LeggiParolaAccesso().isEmpty());
    EXPECT_TRUE(Richiesta({u"DoGaNa7"_s}));
    EXPECT_TRUE(RisponditoreTest().Ricevuti().isEmpty());
    EXPECT_TRUE(Richiesta({u"DOGANA7"_s}));
}

TEST_F(GesPasWdTest, ParolaVuotaONonValidaNonChiedeNulla)
{
    for (const QString& parola : {u""_s, u"ab-12"_s}) {
        ScriviParolaAccesso(u"VECCHIA"_s);
        Menu([&](QWidget* w) {
            EXPECT_EQ(w->windowTitle(), u"MODIFICA DELLA PASSWORD"_s);
            Casella(w, 0)->setText(u"vecchia"_s);
            Casella(w, 1)->setText(parola);
            Casella(w, 2)->setText(parola);
            QTest::mouseClick(Pulsante(w, 1), Qt::LeftButton);
            EXPECT_FALSE(w->isVisible());
        });
        EXPECT_EQ(LeggiParolaAccesso(), u""_s) << parola.toStdString();
        EXPECT_TRUE(RichiediParolaAccesso()) << parola.toStdString();
        Menu([](QWidget* w) { EXPECT_EQ(w->windowTitle(), u"PRIMA IMPOSTAZIONE PASSWORD"_s); });
    }
}

TEST_F(GesPasWdTest, TreRisposteSbagliateTerminano)
{
    ScriviParolaAccesso(u"GIUSTA"_s);
    for (int i = 0; i < 3; ++i)
        RisponditoreTest().Rispondi(Risposta::Ok, u"PASSWORD ERRATA"_s);
    EXPECT_FALSE(Richiesta({u"uno"_s, u"due"_s, u"tre"_s}));
    EXPECT_EQ(TerminazioniRichieste(), QList<int>({1}));
    EXPECT_EQ(RisponditoreTest().Ricevuti().size(), 3);
    EXPECT_EQ(RisponditoreTest().Ricevuti()[0].richiesta.pulsanti, Pulsanti::Ok);
}

TEST_F(GesPasWdTest, DueSbagliateEPoiLaGiusta)
{
    ScriviParolaAccesso(u"GIUSTA"_s);
    RisponditoreTest()
        .Rispondi(Risposta::Ok, u"PASSWORD ERRATA"_s)
        .Rispondi(Risposta::Ok, u"PASSWORD ERRATA"_s);
    EXPECT_TRUE(Richiesta({u"x"_s, u"giustaa"_s, u"Giusta"_s}));
    EXPECT_TRUE(TerminazioniRichieste().isEmpty());
}

TEST_F(GesPasWdTest, RichiestaSoloConLaParola)
{
    ScriviParolaAccesso(u"GIUSTA"_s);
    bool visto = false;
    QuandoModale([&](QWidget* w) {
        visto = true;
        Attiva(w);
        EXPECT_EQ(w->windowTitle(), u"RICHIESTA DELLA PASSWORD"_s);
        EXPECT_EQ(Cornice(w, 0)->title(), u"PassWord"_s);
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
    ScriviParolaAccesso(u"PRIMA"_s);
    RisponditoreTest()
        .Rispondi(Risposta::Ok, u"LA NUOVA PASSWORD E LA SUA CONFERMA NON COINCIDONO"_s)
        .Rispondi(Risposta::Ok, u"LA NUOVA PASSWORD E LA SUA CONFERMA NON COINCIDONO"_s)
        .Rispondi(Risposta::Ok, u"LA NUOVA PASSWORD E LA SUA CONFERMA NON COINCIDONO"_s)
        .Rispondi(Risposta::Ok, u"VECCHIA PASSWORD ERRATA"_s)
        .Rispondi(Risposta::Ok, u"VECCHIA PASSWORD ERRATA"_s);
    Menu([](QWidget* w) {
        EXPECT_EQ(Cornice(w, 0)->title(), u"Vecchia  PassWord"_s);
        for (int i = 0; i < 3; ++i) {
            Scrivi(w, 0, u"prima"_s);
            Scrivi(w, 1, u"SECONDA"_s);
            Scrivi(w, 2, u"seconda"_s);
            QTest::mouseClick(Pulsante(w, 1), Qt::LeftButton);
            ASSERT_TRUE(w->isVisible());
            EXPECT_EQ(Casella(w, 1)->text(), u""_s);
            EXPECT_EQ(Casella(w, 2)->text(), u""_s);
            EXPECT_TRUE(Casella(w, 1)->hasFocus());
        }
        // Case matters between the two new boxes, not for the old one.
        Scrivi(w, 1, u"seconda"_s);
        Scrivi(w, 2, u"seconda"_s);
        for (int i = 0; i < 2; ++i) {
            Casella(w, 0)->setText(u"sbagliata"_s);
            QTest::mouseClick(Pulsante(w, 1), Qt::LeftButton);
            EXPECT_TRUE(Casella(w, 0)->hasFocus());
        }
        EXPECT_TRUE(TerminazioniRichieste().isEmpty());
        Casella(w, 0)->setText(u"PRIMA"_s);
        Casella(w, 1)->setText(u"seconda"_s);
        Casella(w, 2)->setText(u"seconda"_s);
        QTest::mouseClick(Pulsante(w, 1), Qt::LeftButton);
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(TerminazioniRichieste().isEmpty());
    const QString record = LeggiParolaAccesso();
    EXPECT_TRUE(ParolaCorrisponde(u"SECONDA"_s, record));
    EXPECT_FALSE(ParolaCorrisponde(u"PRIMA"_s, record));
}

TEST_F(GesPasWdTest, TerzaVecchiaSbagliataTermina)
{
    ScriviParolaAccesso(u"PRIMA"_s);
    for (int i = 0; i < 3; ++i)
        RisponditoreTest().Rispondi(Risposta::Ok, u"VECCHIA PASSWORD ERRATA"_s);
    Menu([](QWidget* w) {
        for (int i = 0; i < 3; ++i) {
            Casella(w, 0)->setText(u"no"_s);
            QTest::mouseClick(Pulsante(w, 1), Qt::LeftButton);
        }
    });
    EXPECT_EQ(TerminazioniRichieste(), QList<int>({1}));
    EXPECT_TRUE(ParolaCorrisponde(u"PRIMA"_s, LeggiParolaAccesso()));
}

TEST_F(GesPasWdTest, CaselleSiSvuotanoAlFuocoEAbbandonaNonCambia)
{
    ScriviParolaAccesso(u"PRIMA"_s);
    const QString record = LeggiParolaAccesso();
    Menu([](QWidget* w) {
        Scrivi(w, 0, u"abc"_s);
        EXPECT_TRUE(Casella(w, 1)->hasFocus());
        Casella(w, 1)->setText(u"xyz"_s);
        Casella(w, 0)->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(Casella(w, 0)->text(), u""_s);
        Casella(w, 1)->setFocus(Qt::MouseFocusReason);
        EXPECT_EQ(Casella(w, 1)->text(), u""_s);
        Casella(w, 1)->setText(u"nuova"_s);
        Casella(w, 2)->setText(u"nuova"_s);
        QTest::mouseClick(Pulsante(w, 0), Qt::LeftButton);
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_EQ(LeggiParolaAccesso(), record);
}
