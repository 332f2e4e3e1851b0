#include "piattaforma/ui/MessaggiQt.h"
#include "piattaforma/Messaggi.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct CasoPulsante
{
    const char* nome;
    Pulsanti pulsanti;
    QMessageBox::StandardButton premuto; // NoButton: Escape
    Risposta attesa;
};

// The real box behind the seam: a timer presses one button of the modal box
// once it is up, and the seam must hand back the answer of that button.
class MessaggiQtTest : public ::testing::TestWithParam<CasoPulsante>
{
};

TEST_P(MessaggiQtTest, OgniPulsanteDaLaSuaRisposta)
{
    const CasoPulsante caso = GetParam();
    InstallaMessaggiQt();

    bool premuto = false;
    QTimer spia;
    spia.setInterval(10);
    QObject::connect(&spia, &QTimer::timeout, [&]() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || premuto)
            return;
        premuto = true;
        if (caso.premuto == QMessageBox::NoButton) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        QAbstractButton* pulsante = box->button(caso.premuto);
        ASSERT_NE(pulsante, nullptr) << caso.nome;
        pulsante->click();
    });
    spia.start();

    const Risposta r = Messaggio(u"Prova"_s, caso.pulsanti, Icona::Domanda, u"Titolo"_s);
    spia.stop();

    EXPECT_TRUE(premuto) << caso.nome;
    EXPECT_EQ(r, caso.attesa) << caso.nome;
}

INSTANTIATE_TEST_SUITE_P(
    PerInsiemeDiPulsanti, MessaggiQtTest,
    ::testing::Values(
        CasoPulsante{"Ok", Pulsanti::Ok, QMessageBox::Ok, Risposta::Ok},
        CasoPulsante{"OkAnnulla_Ok", Pulsanti::OkAnnulla, QMessageBox::Ok, Risposta::Ok},
        CasoPulsante{"OkAnnulla_Annulla", Pulsanti::OkAnnulla, QMessageBox::Cancel,
                     Risposta::Annulla},
        CasoPulsante{"OkAnnulla_Esc", Pulsanti::OkAnnulla, QMessageBox::NoButton,
                     Risposta::Annulla},
        CasoPulsante{"SiNo_Si", Pulsanti::SiNo, QMessageBox::Yes, Risposta::Si},
        CasoPulsante{"SiNo_No", Pulsanti::SiNo, QMessageBox::No, Risposta::No},
        CasoPulsante{"SiNo_Esc", Pulsanti::SiNo, QMessageBox::NoButton, Risposta::No},
        CasoPulsante{"SiNoAnnulla_Si", Pulsanti::SiNoAnnulla, QMessageBox::Yes, Risposta::Si},
        CasoPulsante{"SiNoAnnulla_No", Pulsanti::SiNoAnnulla, QMessageBox::No, Risposta::No},
        CasoPulsante{"SiNoAnnulla_Annulla", Pulsanti::SiNoAnnulla, QMessageBox::Cancel,
                     Risposta::Annulla},
        CasoPulsante{"RiprovaAnnulla_Riprova", Pulsanti::RiprovaAnnulla, QMessageBox::Retry,
                     Risposta::Riprova},
        CasoPulsante{"RiprovaAnnulla_Annulla", Pulsanti::RiprovaAnnulla, QMessageBox::Cancel,
                     Risposta::Annulla}),
    [](const ::testing::TestParamInfo<CasoPulsante>& info) {
        return std::string(info.param.nome);
    });

} // namespace
