#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"

#include "piattaforma/ui/Dialoghi.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/NomiFile.h"
#include "shell/ui/ModelloElenco.h"
#include "strumenti/ui/SubColor.h"
#include "strumenti/ui/gesColor.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class gesColorTest : public CartellaProgrammaTest
{
protected:
    void Apri()
    {
        finestra = std::make_unique<gesColor>();
        finestra->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(finestra.get()));
    }
    QLabel* Tipo(int k) { return finestra->findChild<QLabel*>(u"lbTipo_%1"_s.arg(k)); }
    QLabel* Codici(int k) { return finestra->findChild<QLabel*>(u"lbCodici_%1"_s.arg(k)); }
    static QColor Colore(QLabel* l) { return l->palette().color(QPalette::WindowText); }
    void Esci()
    {
        QTest::mouseClick(finestra->findChild<QPushButton*>(u"Command1"_s), Qt::LeftButton);
        ASSERT_FALSE(finestra->isVisible());
    }
    QString Ini(const QString& sezione, int k)
    {
        return LeggiIni(FileIni, sezione, QString::number(k));
    }
    // The colour dialog answers scelta and leaves the custom colours as given.
    void Dialogo(std::optional<QColor> scelta, std::function<void(QList<QColor>&)> personali = {})
    {
        DialoghiTest d;
        d.colore = [this, scelta, personali](const QColor& iniziale, QList<QColor>& colori) {
            ++aperture;
            iniziali = iniziale;
            ricevuti = colori;
            if (personali)
                personali(colori);
            return scelta;
        };
        ImpostaDialoghi(d);
    }

    std::unique_ptr<gesColor> finestra;
    int aperture = 0;
    QColor iniziali;
    QList<QColor> ricevuti;
};

} // namespace

TEST_F(gesColorTest, ConversioneDeiColori)
{
    const struct
    {
        QString testo;
        QColor colore;
    } casi[] = {
        {u"255"_s, QColor(255, 0, 0)},      {u"65280"_s, QColor(0, 255, 0)},
        {u"16711680"_s, QColor(0, 0, 255)}, {u"8421504"_s, QColor(128, 128, 128)},
        {u"0"_s, QColor(0, 0, 0)},          {u"rosso"_s, QColor(0, 0, 0)},
        {u""_s, QColor(0, 0, 0)},
    };
    for (const auto& c : casi) {
        EXPECT_EQ(ColoreDaTesto(c.testo), c.colore) << c.testo.toStdString();
        if (c.testo.toInt() > 0 || c.testo == u"0"_s) {
            EXPECT_EQ(TestoDaColore(c.colore), c.testo);
        }
    }
}

TEST_F(gesColorTest, ApreConIColoriEUscendoLiRiscrive)
{
    ScriviIni(FileIni, u"COLORI"_s, u"0"_s, u"255"_s);
    ScriviIni(FileIni, u"COLORI"_s, u"3"_s, u"rosso"_s);
    ScriviIni(FileIni, u"COLORI"_s, u"8"_s, u"16711680"_s);
    CaricaColori();
    EXPECT_EQ(Colori[3], u"0"_s);
    Apri();
    EXPECT_EQ(finestra->windowTitle(), u"GESTIONE DEI COLORI"_s);
    EXPECT_EQ(Tipo(0)->text(), u"Dichiarazioni doganali e richieste di T.C."_s);
    EXPECT_EQ(Codici(3)->text(), u"R U X N L"_s);
    EXPECT_EQ(Tipo(9)->text(), u"Magazzino"_s);
    EXPECT_EQ(Codici(9)->text(), u"4 5 6"_s);
    EXPECT_EQ(Colore(Tipo(0)), QColor(255, 0, 0));
    EXPECT_EQ(Colore(Codici(0)), QColor(255, 0, 0));
    EXPECT_EQ(Colore(Tipo(3)), QColor(0, 0, 0));
    EXPECT_EQ(Colore(Codici(8)), QColor(0, 0, 255));
    Esci();
    const QString attesi[] = {u"255"_s, u"0"_s, u"0"_s, u"0"_s,       u"0"_s,
                              u"0"_s,   u"0"_s, u"0"_s, u"16711680"_s};
    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ(Ini(u"COLORI"_s, k), attesi[k]) << k;
        EXPECT_EQ(Colori[k], attesi[k]) << k;
    }
    EXPECT_EQ(Ini(u"COLORI"_s, 9), u""_s);
    // Choosing nothing stores no custom colours.
    EXPECT_EQ(Ini(u"COLORIMIEI"_s, 0), u""_s);
}

TEST_F(gesColorTest, ColoreScelto)
{
    Dialogo(QColor(0, 128, 0));
    Apri();
    QTest::mouseClick(Tipo(4), Qt::LeftButton);
    EXPECT_EQ(aperture, 1);
    EXPECT_EQ(iniziali, QColor(0, 0, 0));
    EXPECT_EQ(Colore(Tipo(4)), QColor(0, 128, 0));
    EXPECT_EQ(Colore(Codici(4)), QColor(0, 128, 0));
    // Nothing stored before leaving.
    EXPECT_EQ(Ini(u"COLORI"_s, 4), u""_s);
    // From the keyboard too.
    Dialogo(QColor(1, 2, 3));
    Tipo(6)->setFocus();
    QTest::keyClick(Tipo(6), Qt::Key_Space);
    EXPECT_EQ(Colore(Codici(6)), QColor(1, 2, 3));
    // A click on the letters is not a choice; a cancelled dialog changes nothing.
    QTest::mouseClick(Codici(5), Qt::LeftButton);
    Dialogo(std::nullopt);
    QTest::mouseClick(Tipo(4), Qt::LeftButton);
    EXPECT_EQ(Colore(Tipo(4)), QColor(0, 128, 0));
    // Esc leaves the window as the exit button does.
    QTest::keyClick(finestra.get(), Qt::Key_Escape);
    ASSERT_FALSE(finestra->isVisible());
    EXPECT_EQ(Ini(u"COLORI"_s, 4), u"32768"_s);
    EXPECT_EQ(Ini(u"COLORI"_s, 6), u"197121"_s);
    EXPECT_EQ(Colori[4], u"32768"_s);
}

TEST_F(gesColorTest, MagazzinoSiColoraMaNonSiSalva)
{
    Dialogo(QColor(200, 0, 0));
    Apri();
    QTest::mouseClick(Tipo(9), Qt::LeftButton);
    EXPECT_EQ(Colore(Tipo(9)), QColor(200, 0, 0));
    EXPECT_EQ(Colore(Codici(9)), QColor(200, 0, 0));
    Esci();
    EXPECT_EQ(Ini(u"COLORI"_s, 9), u""_s);
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(Ini(u"COLORI"_s, k), u"0"_s);
}

TEST_F(gesColorTest, ColoriPersonaliSopravvivonoAlRiavvio)
{
    Dialogo(QColor(0, 0, 255), [](QList<QColor>& colori) {
        ASSERT_EQ(colori.size(), 16);
        colori[0] = QColor(1, 2, 3);
        colori[15] = QColor(250, 251, 252);
    });
    Apri();
    QTest::mouseClick(Tipo(1), Qt::LeftButton);
    Esci();
    const int attesi[][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {60, 250}, {62, 252}, {63, 0}, {5, 0}};
    for (const auto& [chiave, valore] : attesi)
        EXPECT_EQ(Ini(u"COLORIMIEI"_s, chiave), QString::number(valore)) << chiave;

    // A cancelled dialog stores none of the custom colours it was given.
    const QByteArray prima = LeggiFile(FileIni);
    ASSERT_FALSE(prima.isEmpty());
    Dialogo(std::nullopt, [](QList<QColor>& colori) { colori[4] = QColor(9, 9, 9); });
    Apri();
    QTest::mouseClick(Tipo(1), Qt::LeftButton);
    finestra.reset();
    EXPECT_EQ(LeggiFile(FileIni), prima);

    // After a restart the dialog opens with them.
    const QString ini = FileIni;
    AzzeraGlobali();
    FileIni = ini;
    CaricaColori();
    Dialogo(std::nullopt);
    Apri();
    QTest::mouseClick(Tipo(2), Qt::LeftButton);
    ASSERT_EQ(ricevuti.size(), 16);
    EXPECT_EQ(ricevuti[0], QColor(1, 2, 3));
    EXPECT_EQ(ricevuti[15], QColor(250, 251, 252));
    EXPECT_EQ(ricevuti[4], QColor(0, 0, 0));
    EXPECT_EQ(Colore(Tipo(1)), QColor(0, 0, 255));
}

TEST_F(gesColorTest, ByteFuoriMisuraOIllegibili)
{
    ScriviIni(FileIni, u"COLORIMIEI"_s, u"0"_s, u"300"_s);
    ScriviIni(FileIni, u"COLORIMIEI"_s, u"1"_s, u"verde"_s);
    ScriviIni(FileIni, u"COLORIMIEI"_s, u"2"_s, u"-4"_s);
    const QList<QColor> colori = LeggiColoriPersonali();
    ASSERT_EQ(colori.size(), 16);
    EXPECT_EQ(colori[0], QColor(255, 0, 0));
}

TEST_F(gesColorTest, LeListeUsanoIlNuovoColore)
{
    const QString dichiarazione = u"ABCD0312.T01"_s;
    Dialogo(QColor(10, 200, 30));
    Apri();
    QTest::mouseClick(Tipo(0), Qt::LeftButton);
    Esci();
    EXPECT_EQ(ColoreTipo(dichiarazione, QString::fromLatin1(TipiInvio)).value<QColor>(),
              QColor(10, 200, 30));
}
