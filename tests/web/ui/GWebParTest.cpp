#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"

#include "piattaforma/ui/Dialoghi.h"
#include "piattaforma/ui/Schermo.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "web/ui/GWebPar.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

class GWebParTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        ImpostaSchermo(QRect(0, 0, 1280, 1024), QRect(0, 0, 1280, 1024));
        ModoInterrogazione = 1;
    }
    template <typename T> static T* Trova(QWidget* w, const QString& nome)
    {
        T* t = w->findChild<T*>(nome);
        EXPECT_NE(t, nullptr) << nome.toStdString();
        return t;
    }
    static QCheckBox* Casella(QWidget* w, int i)
    {
        return Trova<QCheckBox>(w, u"Check1_%1"_s.arg(i));
    }
    // Which of frmIEskede, frmPrint, chkChiedi, frmPath show.
    static QList<bool> Visibili(QWidget* w)
    {
        return {Trova<QGroupBox>(w, u"frmIEskede"_s)->isVisible(),
                Trova<QGroupBox>(w, u"frmPrint"_s)->isVisible(),
                Trova<QCheckBox>(w, u"chkChiedi"_s)->isVisible(),
                Trova<QGroupBox>(w, u"frmPath"_s)->isVisible()};
    }
};

TEST_F(GWebParTest, CaricaIValoriDelModoEMostraCioCheServe)
{
    ParametriWeb[1] = {1, 0, 1, u"Ufficio"_s, 1, u"/srv/pagine"_s};
    SchedeBrowser = 1;
    GWebPar w;
    w.show();
    EXPECT_EQ(w.windowTitle(), u"GESTIONE PAGINE WEB"_s);
    EXPECT_EQ(Trova<QLabel>(&w, u"Label1"_s)->text(), u"INTERROGAZIONE SINGOLO ELEMENTO"_s);
    EXPECT_TRUE(Casella(&w, 0)->isChecked());
    EXPECT_FALSE(Casella(&w, 1)->isChecked());
    EXPECT_TRUE(Casella(&w, 2)->isChecked());
    EXPECT_TRUE(Trova<QCheckBox>(&w, u"chkChiedi"_s)->isChecked());
    EXPECT_TRUE(Trova<QRadioButton>(&w, u"optSkede_1"_s)->isChecked());
    EXPECT_EQ(Trova<QPushButton>(&w, u"lbPrinter"_s)->text(), u"Ufficio"_s);
    EXPECT_EQ(Trova<QPushButton>(&w, u"lbPath"_s)->text(), u"/srv/pagine"_s);
    EXPECT_EQ(Visibili(&w), QList<bool>({true, false, false, true}));
}

TEST_F(GWebParTest, StampaESalvataggioSiEscludono)
{
    struct Passo
    {
        int casella;
        bool spunta;
        QList<bool> caselle; // 0, 1, 2 after the step
        QList<bool> visibili;
    } passi[] = {
        {2, true, {false, false, true}, {false, false, false, true}},
        {1, true, {false, true, false}, {false, true, true, false}},
        {2, true, {false, false, true}, {false, false, false, true}},
        {0, true, {true, false, true}, {true, false, false, true}},
        {2, false, {true, false, false}, {true, false, false, false}},
    };
    GWebPar w;
    w.show();
    for (const Passo& p : passi) {
        SCOPED_TRACE(testing::Message() << "box " << p.casella << " " << p.spunta);
        Casella(&w, p.casella)->setChecked(p.spunta);
        EXPECT_EQ(QList<bool>({Casella(&w, 0)->isChecked(), Casella(&w, 1)->isChecked(),
                               Casella(&w, 2)->isChecked()}),
                  p.caselle);
        EXPECT_EQ(Visibili(&w), p.visibili);
    }
}

TEST_F(GWebParTest, ConfermaScriveLeChiaviDelModoUno)
{
    GWebPar w;
    w.show();
    DialoghiTest d;
    QString titolo;
    d.cartella = [&titolo](const QString& t, const QString&) {
        titolo = t;
        return u"/srv/mrn"_s;
    };
    ImpostaDialoghi(d);
    Casella(&w, 2)->setChecked(true);
    Trova<QPushButton>(&w, u"lbPath"_s)->click();
    EXPECT_EQ(titolo, u"Cartella salvataggio pagine HTML"_s);
    Casella(&w, 0)->setChecked(true);
    Trova<QRadioButton>(&w, u"optSkede_1"_s)->setChecked(true);
    Trova<QPushButton>(&w, u"Command1_1"_s)->click();
    EXPECT_FALSE(w.isVisible());

    const QString sez = u"WEBPARAM"_s;
    const QList<std::pair<QString, QString>> attese = {
        {u"View1"_s, u"1"_s}, {u"Print1"_s, u"0"_s},          {u"ChPrt1"_s, u"0"_s},
        {u"Save1"_s, u"1"_s}, {u"DirSave1"_s, u"/srv/mrn"_s}, {u"IESkede"_s, u"1"_s}};
    for (const auto& [chiave, valore] : attese)
        EXPECT_EQ(LeggiIni(FileIni, sez, chiave), valore) << chiave.toStdString();
    for (const QString& altra : {u"View0"_s, u"View2"_s, u"Save0"_s})
        EXPECT_TRUE(LeggiIni(FileIni, sez, altra).isEmpty());
    EXPECT_EQ(ParametriWeb[1].Salva, 1);
    EXPECT_EQ(ParametriWeb[1].CartellaSalva, u"/srv/mrn"_s);
    EXPECT_EQ(SchedeBrowser, 1);
}

TEST_F(GWebParTest, AnnullaEF2NonSalvano)
{
    for (int modo : {0, 1}) {
        GWebPar w;
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        Casella(&w, 0)->setChecked(true);
        if (modo == 0)
            Trova<QPushButton>(&w, u"Command1_0"_s)->click();
        else
            QTest::keyClick(Casella(&w, 0), Qt::Key_F2);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(ParametriWeb[1].Vedi, 0);
        EXPECT_TRUE(LeggiIni(FileIni, u"WEBPARAM"_s, u"View1"_s).isEmpty());
    }
}

TEST_F(GWebParTest, CartellaVuotaPrendeQuellaDellAltroModo)
{
    ParametriWeb[1].CartellaSalva = u"/srv/uno"_s;
    ParametriWeb[2].CartellaSalva = u"/srv/due"_s;
    ParametriWeb[2].CartellaSalva.clear();
    ModoInterrogazione = 2;
    GWebPar due;
    EXPECT_EQ(Trova<QPushButton>(&due, u"lbPath"_s)->text(), u"/srv/uno"_s);
    EXPECT_EQ(Trova<QLabel>(&due, u"Label1"_s)->text(), u"INTERROGA ELENCO MANUALE"_s);
    ModoInterrogazione = 0;
    GWebPar zero;
    EXPECT_TRUE(Trova<QPushButton>(&zero, u"lbPath"_s)->text().isEmpty());
}

TEST_F(GWebParTest, LaStampanteApreLeOpzioniAccanto)
{
    ParametriWeb[1].Stampante = u"Ufficio"_s;
    GWebPar w;
    w.show();
    Casella(&w, 1)->setChecked(true);
    QString titolo;
    QPoint posizione;
    QTimer::singleShot(0, &w, [&]() {
        auto* timer = new QTimer(&w);
        QObject::connect(timer, &QTimer::timeout, [&, timer]() {
            QWidget* m = QApplication::activeModalWidget();
            if (!m || m->objectName() != u"frmPRT"_s)
                return;
            timer->stop();
            titolo = m->windowTitle();
            posizione = m->pos();
            m->findChild<QPushButton*>(u"cmds_NO"_s)->click();
        });
        timer->start(10);
    });
    w.move(30, 40);
    Trova<QPushButton>(&w, u"lbPrinter"_s)->click();
    EXPECT_EQ(titolo, u"INTERROGAZIONE SINGOLO ELEMENTO"_s);
    EXPECT_EQ(posizione, QPoint(w.x() + 400, w.y()));
    EXPECT_EQ(Trova<QPushButton>(&w, u"lbPrinter"_s)->text(), u"Ufficio"_s);
}

} // namespace
