#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"

#include "shell/Global.h"
#include "shell/ui/RigaFiltro.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class RigaFiltroTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        GiornoProve();
        ParametriEdi.UtenteFtp = u"ABCD"_s;
    }

    void Apri(RigaFiltro::Forma forma = RigaFiltro::Forma::Colonne)
    {
        finestra = std::make_unique<QWidget>();
        auto* l = new QVBoxLayout(finestra.get());
        riga = new RigaFiltro(LatoFiltro::Invio, forma, finestra.get());
        l->addWidget(riga);
        dopo = new QPushButton(u"dopo"_s, finestra.get());
        l->addWidget(dopo);
        finestra->show();
        finestra->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(finestra.get()));
    }
    QLineEdit* Campo(int k) const { return riga->Campo(k); }

    std::unique_ptr<QWidget> finestra;
    RigaFiltro* riga = nullptr;
    QPushButton* dopo = nullptr;
};

} // namespace

TEST_F(RigaFiltroTest, ApreSuOggiConIlCodiceUtente)
{
    Apri();
    EXPECT_EQ(riga->Campi(), (std::array<QString, 4>{u"12"_s, u"07"_s, u"?"_s, u"??"_s}));
    EXPECT_EQ(riga->findChild<QLabel*>(u"lbUtente"_s)->text(), u"ABCD"_s);
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(Campo(k)->objectName(), QStringLiteral("txt_%1").arg(k));
    EXPECT_EQ(Campo(4)->accessibleName(), u"Progressivo"_s);

    ParametriEdi.Progr1 = u"B0"_s;
    Apri(RigaFiltro::Forma::Riga);
    EXPECT_EQ(Campo(4)->text(), u"B?"_s);
    QStringList etichette;
    for (QLabel* e : riga->findChildren<QLabel*>())
        etichette << e->text();
    EXPECT_TRUE(etichette.contains(u"File"_s));
    EXPECT_TRUE(etichette.contains(u"."_s));
}

// What each field keeps of what is typed, and of what is put in whole.
TEST_F(RigaFiltroTest, OgniCampoTieneSoloCioCheLaSuaRegolaAmmette)
{
    Apri();
    struct Caso
    {
        int campo;
        QString tasti;
        QString testo;
    };
    const Caso casi[] = {
        {1, u"1x"_s, u"1"_s}, {2, u"a5"_s, u"5"_s}, {3, u"t"_s, u"T"_s},
        {3, u"4"_s, u"4"_s},  {4, u"b"_s, u"B"_s},  {4, u"*"_s, u"*"_s},
    };
    for (const Caso& c : casi) {
        riga->ImpostaCampo(c.campo, QString());
        Campo(c.campo)->setFocus();
        QTest::keyClicks(Campo(c.campo), c.tasti);
        EXPECT_EQ(Campo(c.campo)->text(), c.testo) << c.campo << " " << c.tasti.toStdString();
    }
    riga->ImpostaCampo(1, QString());
    Campo(1)->insert(u"1a"_s);
    EXPECT_EQ(Campo(1)->text(), u""_s) << "a paste with a letter changes nothing";
    riga->ImpostaCampo(4, QString());
    Campo(4)->insert(u"z?"_s);
    EXPECT_EQ(Campo(4)->text(), u"Z?"_s);
}

TEST_F(RigaFiltroTest, PienoPassaOltreELasciatoSiControlla)
{
    Apri();
    QSignalSpy controllati(riga, &RigaFiltro::Controllato);
    QSignalSpy modificati(riga, &RigaFiltro::Modificato);
    Campo(4)->setFocus();
    Campo(4)->selectAll();
    controllati.clear(); // the month, left for the progressive
    QTest::keyClick(Campo(4), Qt::Key_5);
    EXPECT_EQ(modificati.size(), 1);
    EXPECT_TRUE(Campo(4)->hasFocus()) << "one character of two";
    dopo->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Campo(4)->text(), u"05"_s);
    ASSERT_EQ(controllati.size(), 1);
    EXPECT_EQ(controllati[0][0].toInt(), 4);
    EXPECT_TRUE(controllati[0][1].toBool());

    // Full: the focus moves on by itself, and the unchanged month is no change.
    Campo(1)->setFocus();
    Campo(1)->selectAll();
    QTest::keyClicks(Campo(1), u"12"_s);
    EXPECT_EQ(QApplication::focusWidget(), Campo(2));
    ASSERT_EQ(controllati.size(), 2);
    EXPECT_FALSE(controllati[1][1].toBool());
    EXPECT_EQ(riga->Campi()[0], u"12"_s);
}

TEST_F(RigaFiltroTest, UnCampoErratoRiprendeIlFuocoETieneIlTesto)
{
    Apri();
    QSignalSpy controllati(riga, &RigaFiltro::Controllato);
    Campo(2)->setFocus();
    Campo(2)->selectAll();
    controllati.clear();
    RisponditoreTest().Rispondi(Risposta::Ok, u"GIORNO ERRATO"_s);
    QTest::keyClicks(Campo(2), u"32"_s);
    QTest::qWait(0);
    EXPECT_EQ(QApplication::focusWidget(), Campo(2));
    EXPECT_EQ(Campo(2)->text(), u"32"_s);
    EXPECT_TRUE(controllati.isEmpty());

    // The window may say that the field is not to be checked now.
    riga->SospendiControllo([](Qt::FocusReason) { return true; });
    dopo->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(controllati.isEmpty());
    EXPECT_EQ(Campo(2)->text(), u"32"_s);
}
