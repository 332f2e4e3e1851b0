#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"
#include "support/ui/AmbienteFinestre.h"

#include "piattaforma/ui/Dialoghi.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "strumenti/ui/GesAppl.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class GesApplTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        editor = Eseguibile(u"bin/editor"_s);
        Scrivi(1, u"Editor di testi"_s, editor);
        Scrivi(2, u"Magazzino"_s, editor + u" --magazzino"_s);
        Scrivi(3, u"Solo nome"_s, u""_s);
    }

    QString Eseguibile(const QString& nome)
    {
        const QString p = ScriviFile(nome, "#!/bin/sh\n");
        QFile::setPermissions(p, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return p;
    }
    void Scrivi(int n, const QString& nome, const QString& comando)
    {
        ScriviIni(FileIni, u"APPLICATIVI"_s, u"NomeVarie%1"_s.arg(n), nome);
        ScriviIni(FileIni, u"APPLICATIVI"_s, u"Varie%1"_s.arg(n), comando);
    }
    QString Ini(const QString& chiave) { return LeggiIni(FileIni, u"APPLICATIVI"_s, chiave); }

    void Apri()
    {
        finestra = std::make_unique<GesAppl>();
        menu = std::make_unique<QSignalSpy>(finestra.get(), &GesAppl::VoceMenu);
        finestra->show();
        finestra->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(finestra.get()));
    }
    QLineEdit* Txt(int k) { return finestra->findChild<QLineEdit*>(u"txt_%1"_s.arg(k)); }
    QPushButton* Pulsante(const QString& nome) { return finestra->findChild<QPushButton*>(nome); }
    // Types into field k as a person would, after clearing it.
    void Digita(int k, const QString& testo)
    {
        Txt(k)->setFocus(Qt::MouseFocusReason);
        Txt(k)->selectAll();
        QTest::keyClick(Txt(k), Qt::Key_Delete);
        QTest::keyClicks(Txt(k), testo);
    }
    // The last state the main window's menu entry n was given.
    std::optional<std::pair<QString, bool>> Menu(int n)
    {
        std::optional<std::pair<QString, bool>> ultimo;
        for (const auto& argomenti : *menu) {
            if (argomenti.at(0).toInt() == n)
                ultimo = {argomenti.at(1).toString(), argomenti.at(2).toBool()};
        }
        return ultimo;
    }

    QString editor;
    std::unique_ptr<GesAppl> finestra;
    std::unique_ptr<QSignalSpy> menu;
};

} // namespace

TEST_F(GesApplTest, CaricaLeVociEAggiornaIlMenu)
{
    Apri();
    EXPECT_EQ(finestra->windowTitle(), u" GESTIONE APPLICATIVI"_s);
    EXPECT_EQ(Txt(1)->text(), u"Editor di testi"_s);
    EXPECT_EQ(Txt(12)->text(), editor);
    EXPECT_EQ(Txt(13)->text(), editor + u" --magazzino"_s);
    // A name without its command is not shown, and its entry hides.
    EXPECT_EQ(Txt(3)->text(), u""_s);
    EXPECT_TRUE(Pulsante(u"cmdTrova_1"_s)->isVisible());
    EXPECT_FALSE(Pulsante(u"cmdTrova_3"_s)->isVisible());
    EXPECT_EQ(Menu(2), std::make_pair(u"Magazzino"_s, true));
    EXPECT_EQ(Menu(3), std::make_pair(QString(), false));
    EXPECT_EQ(Menu(11), std::make_pair(QString(), false));
    EXPECT_EQ(menu->count(), 11);
    EXPECT_EQ(Pulsante(u"Command1_0"_s)->text(), u"&CONFERMA"_s);
    EXPECT_EQ(Pulsante(u"Command1_1"_s)->text(), u"&RIPRISTINA"_s);
    EXPECT_EQ(Pulsante(u"Command1_2"_s)->text(), u"&USCITA"_s);
}

TEST_F(GesApplTest, ConfermaSalvaEAggiornaIlMenu)
{
    Apri();
    Digita(4, u"Senza comando"_s);
    Digita(11, u" Ultima "_s);
    Digita(22, u"sh -c true"_s);
    Digita(2, u"Gestione magazzino"_s);
    menu->clear();
    QTest::mouseClick(Pulsante(u"Command1_0"_s), Qt::LeftButton);
    QTRY_VERIFY(!finestra->isVisible());
    EXPECT_EQ(finestra->result(), QDialog::Accepted);
    EXPECT_EQ(Ini(u"NomeVarie2"_s), u"Gestione magazzino"_s);
    EXPECT_EQ(Ini(u"NomeVarie4"_s), u"Senza comando"_s);
    EXPECT_EQ(Ini(u"Varie4"_s), u""_s);
    EXPECT_EQ(Ini(u"NomeVarie11"_s), u"Ultima"_s);
    EXPECT_EQ(Ini(u"Varie11"_s), u"sh -c true"_s);
    EXPECT_EQ(Menu(2), std::make_pair(u"Gestione magazzino"_s, true));
    EXPECT_EQ(Menu(4), std::make_pair(u"Senza comando"_s, false));
    EXPECT_EQ(Menu(11), std::make_pair(u"Ultima"_s, true));
    EXPECT_TRUE(RisponditoreTest().Ricevuti().isEmpty());
}

TEST_F(GesApplTest, ErroriNumeratiNonSalvanoNulla)
{
    const struct
    {
        QList<std::pair<int, QString>> campi;
        int errore;
        QString messaggio;
    } casi[] = {
        {{{16, editor}}, 5, u"INDICARE IL NOME DEL PROGRAMMA\nDA VISUALIZZARE NEL MENU"_s},
        {{{11, u"Ultima"_s}, {22, Percorso(u"bin/edtior"_s)}},
         22,
         u"IL PERCORSO INDICATO NON ESISTE"_s},
        {{{13, Percorso(u"bin/edtior --magazzino"_s)}, {20, editor}},
         13,
         u"IL PERCORSO INDICATO NON ESISTE"_s},
    };
    for (const auto& c : casi) {
        const QByteArray prima = LeggiFile(FileIni);
        ASSERT_FALSE(prima.isEmpty());
        RisponditoreTest().Azzera();
        Apri();
        for (const auto& [k, testo] : c.campi)
            Txt(k)->setText(testo);
        Pulsante(u"Command1_0"_s)->setFocus();
        RisponditoreTest().Rispondi(Risposta::Ok, c.messaggio);
        Pulsante(u"Command1_0"_s)->click();
        QApplication::processEvents();
        ASSERT_EQ(RisponditoreTest().Ricevuti().size(), 1) << c.errore;
        const auto& box = RisponditoreTest().Ricevuti()[0].richiesta;
        EXPECT_EQ(box.titolo, u"ERRORE N. "_s + QString::number(c.errore));
        EXPECT_EQ(box.icona, Icona::Critico);
        EXPECT_EQ(box.pulsanti, Pulsanti::Ok);
        EXPECT_TRUE(finestra->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), Txt(c.errore));
        // The field taken back after the error is not selected.
        EXPECT_FALSE(Txt(c.errore)->hasSelectedText());
        EXPECT_EQ(LeggiFile(FileIni), prima);
        finestra->close();
    }
}

TEST_F(GesApplTest, UscitaDopoModificheLasciaIlFile)
{
    const QByteArray prima = LeggiFile(FileIni);
    ASSERT_FALSE(prima.isEmpty());
    Apri();
    Digita(1, u"Altro nome"_s);
    Digita(5, u"Nuovo"_s);
    Txt(16)->setText(u"sh"_s);
    QTest::mouseClick(Pulsante(u"Command1_2"_s), Qt::LeftButton);
    QTRY_VERIFY(!finestra->isVisible());
    EXPECT_EQ(finestra->result(), QDialog::Rejected);
    EXPECT_EQ(LeggiFile(FileIni), prima);
}

TEST_F(GesApplTest, UscireDaUnComandoErrato)
{
    Apri();
    Digita(14, Percorso(u"bin/nessuno"_s));
    RisponditoreTest().Rispondi(Risposta::Ok, u"PERCORSO INESISTENTE"_s);
    QTest::keyClick(Txt(14), Qt::Key_Return);
    QTRY_COMPARE(RisponditoreTest().Ricevuti().size(), 1);
    QTRY_COMPARE(QApplication::focusWidget(), Txt(14));

    // For the exit button no message: the mouse press comes first.
    QTest::mouseClick(Pulsante(u"Command1_2"_s), Qt::LeftButton);
    QTRY_VERIFY(!finestra->isVisible());
    QApplication::processEvents();
    EXPECT_EQ(RisponditoreTest().Ricevuti().size(), 1);
}

TEST_F(GesApplTest, InvioEFrecceSpostanoIlFuoco)
{
    Apri();
    Txt(1)->setFocus();
    QTest::keyClick(Txt(1), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Txt(12));
    QTest::keyClick(Txt(12), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), Txt(1));
    QTest::keyClick(Txt(1), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), Txt(12));
    // A name that is typed shows its browse button once left.
    Digita(6, u"Paghe"_s);
    QTest::keyClick(Txt(6), Qt::Key_Return);
    QTRY_VERIFY(Pulsante(u"cmdTrova_6"_s)->isVisible());
}

// Enter on a button moves on like a Tab and presses nothing.
TEST_F(GesApplTest, InvioSuiPulsantiComeTab)
{
    const struct
    {
        QString da, a;
    } casi[] = {
        {u"cmdTrova_1"_s, u"txt_2"_s},      {u"cmdTrova_11"_s, u"Command1_0"_s},
        {u"Command1_0"_s, u"Command1_1"_s}, {u"Command1_1"_s, u"Command1_2"_s},
        {u"Command1_2"_s, u"txt_1"_s},
    };
    Apri();
    Pulsante(u"cmdTrova_11"_s)->show();
    const QByteArray prima = LeggiFile(FileIni);
    for (const auto& caso : casi) {
        QWidget* da = finestra->findChild<QWidget*>(caso.da);
        da->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(da->hasFocus()) << caso.da.toStdString();
        QTest::keyClick(da, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), caso.a) << caso.da.toStdString();
        EXPECT_TRUE(finestra->isVisible()) << caso.da.toStdString();
    }
    EXPECT_EQ(LeggiFile(FileIni), prima);
}

TEST_F(GesApplTest, SfogliaPerIlComando)
{
    const QString scelto = Eseguibile(u"Miei Programmi/paghe"_s);
    QStringList chiesti;
    DialoghiTest risposte;
    risposte.file = [&](const QString& titolo, const QString& cartella, const QString&) {
        chiesti << titolo << cartella;
        return chiesti.size() == 2 ? scelto : QString();
    };
    ImpostaDialoghi(risposte);
    Apri();
    Digita(2, u"Magazzino e Paghe"_s);
    QTest::mouseClick(Pulsante(u"cmdTrova_2"_s), Qt::LeftButton);
    EXPECT_EQ(Txt(13)->text(), u'"' + scelto + u'"');
    // Cancelled: the command stays.
    QTest::mouseClick(Pulsante(u"cmdTrova_2"_s), Qt::LeftButton);
    EXPECT_EQ(Txt(13)->text(), u'"' + scelto + u'"');
    ASSERT_EQ(chiesti.size(), 4);
    EXPECT_EQ(chiesti[0], u"MAGAZZINO E PAGHE"_s);
    EXPECT_EQ(chiesti[1], Percorso(u"bin"_s));
    EXPECT_EQ(chiesti[3], Percorso(u"Miei Programmi"_s));
    QApplication::processEvents();
    EXPECT_TRUE(RisponditoreTest().Ricevuti().isEmpty());
}

TEST_F(GesApplTest, RipristinaRicaricaDalFile)
{
    Apri();
    Digita(2, u"Cambiato"_s);
    Txt(13)->setText(u"sh"_s);
    QTest::mouseClick(Pulsante(u"Command1_1"_s), Qt::LeftButton);
    EXPECT_EQ(Txt(2)->text(), u"Magazzino"_s);
    EXPECT_EQ(Txt(13)->text(), editor + u" --magazzino"_s);
    QApplication::processEvents();
    EXPECT_TRUE(RisponditoreTest().Ricevuti().isEmpty());
    EXPECT_TRUE(finestra->isVisible());
}
