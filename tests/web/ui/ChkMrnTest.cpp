#include "PercorsiTest.h"
#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"
#include "support/ServerHttp.h"

#include "piattaforma/ArchivioUtente.h"
#include "piattaforma/ui/Schermo.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "stampa/ui/StampanteCorrente.h"
#include "web/XCkMrnVat.h"
#include "web/ui/ChkMrn.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString MrnExport = u"24ITQV1234567890E5"_s;
const QString MrnTransito = u"24ITQV1234567890T5"_s;

QByteArray Fixture(const QString& nome)
{
    QFile f(QStringLiteral(NORVEL_FIXTURES "/pagine/") + nome);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

class ChkMrnTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        ImpostaSchermo(QRect(0, 0, 1280, 1024), QRect(0, 0, 1280, 1024));
        if (!server_.Avvia())
            GTEST_SKIP() << "no port of 127.0.0.1 for the HTTP server";
        const QString sez = Ini::SezWeb;
        ScriviIni(FileIni, sez, Ini::WebExport, server_.Base() + u"/export.htm?mrn="_s);
        ScriviIni(FileIni, sez, Ini::WebTransiti, server_.Base() + u"/transito.htm?mrn="_s);
        server_.Metti(u"/export.htm?mrn="_s + MrnExport, Fixture(u"export.htm"_s));
        server_.Metti(u"/export.htm?mrn="_s + MrnTransito, Fixture(u"export.htm"_s));
        server_.Metti(u"/transito.htm?mrn="_s + MrnTransito, Fixture(u"transito.htm"_s));
        finestra_ = std::make_unique<ChkMrn>();
        finestra_->show();
        finestra_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(finestra_.get()));
        Campo()->setFocus(Qt::OtherFocusReason);
    }
    void TearDown() override
    {
        finestra_.reset();
        CartellaProgrammaTest::TearDown();
    }

    QLineEdit* Campo() { return finestra_->findChild<QLineEdit*>(u"text1"_s); }
    QPushButton* Pulsante(const QString& nome) { return finestra_->findChild<QPushButton*>(nome); }
    QLabel* Riga(int i) { return finestra_->findChild<QLabel*>(u"Label2_%1"_s.arg(i)); }
    QStringList Righe()
    {
        QStringList r;
        for (int i = 1; i <= ChkMrn::Righe; ++i)
            r << Riga(i)->text();
        while (!r.isEmpty() && r.last().isEmpty())
            r.removeLast();
        return r;
    }
    void Interroga(const QString& codice)
    {
        QTest::keyClicks(Campo(), codice);
        QTRY_VERIFY(Pulsante(u"cmdAnalizza"_s)->isVisible());
        QTest::mouseClick(Pulsante(u"cmdAnalizza"_s), Qt::LeftButton);
    }

    ServerHttp server_;
    std::unique_ptr<ChkMrn> finestra_;
};

TEST_F(ChkMrnTest, IlDiciottesimoCarattereSpostaIlFuocoEMostraAnalizza)
{
    EXPECT_EQ(ModoInterrogazione, 1);
    QTest::keyClicks(Campo(), MrnExport.left(17).toLower());
    EXPECT_EQ(Campo()->text(), MrnExport.left(17));
    EXPECT_FALSE(Pulsante(u"cmdAnalizza"_s)->isVisible());
    EXPECT_TRUE(Campo()->hasFocus());
    QTest::keyClicks(Campo(), MrnExport.right(1));
    EXPECT_TRUE(Pulsante(u"cmdAnalizza"_s)->isVisible());
    EXPECT_TRUE(Pulsante(u"cmdAnalizza"_s)->hasFocus());
    EXPECT_EQ(Pulsante(u"cmdAnalizza"_s)->text(), u"&ANALIZZA"_s);
    EXPECT_FALSE(Pulsante(u"cmdPrt"_s)->isVisible());
    EXPECT_TRUE(server_.Richieste().isEmpty());
}

TEST_F(ChkMrnTest, InvioSenzaCambioDiFuocoInterrogaUnCodiceVuoto)
{
    QTest::keyClicks(Campo(), u"24IT"_s);
    QTest::keyClick(Campo(), Qt::Key_Return);
    EXPECT_EQ(Righe(), QStringList({QString(90, u'='), u"*** Codice VAT non indicato"_s,
                                    QString(90, u'=')}));
    EXPECT_TRUE(Riga(2)->alignment().testFlag(Qt::AlignHCenter));
    EXPECT_TRUE(Pulsante(u"cmdPrt"_s)->isVisible());
    EXPECT_TRUE(Campo()->hasFocus());
    EXPECT_TRUE(Campo()->isEnabled());
    EXPECT_TRUE(server_.Richieste().isEmpty());
}

TEST_F(ChkMrnTest, MrnExportRiempieTreRighe)
{
    Interroga(MrnExport);
    EXPECT_EQ(Righe(), QStringList({u"Stato della dichiarazione USCITA CONFERMATA"_s,
                                    u"Località di uscita IT277100 MILANO MALPENSA"_s,
                                    u"Data di uscita 12/03/2024"_s}));
    // Changing the code hides the answer again.
    QTest::keyClick(Campo(), Qt::Key_Backspace);
    EXPECT_FALSE(Riga(1)->isVisible());
    EXPECT_TRUE(Riga(1)->text().isEmpty());
}

TEST_F(ChkMrnTest, MrnDiTransitoRiempieSediciRighePoiLeTreDellExport)
{
    Interroga(MrnTransito);
    const QStringList righe = Righe();
    ASSERT_EQ(righe.size(), 19);
    EXPECT_EQ(righe[0], u"Fase: Partenza"_s);
    EXPECT_EQ(righe[5], u"Ufficio: CH001651"_s);
    EXPECT_EQ(righe[15], u"Esito: Appurato"_s);
    EXPECT_EQ(righe[16], u"Stato della dichiarazione USCITA CONFERMATA"_s);
    EXPECT_EQ(righe[18], u"Data di uscita 12/03/2024"_s);
}

TEST_F(ChkMrnTest, UnaSecondaInterrogazionePiuCortaNonLasciaLeRigheDellaPrima)
{
    Interroga(MrnTransito);
    ASSERT_EQ(Righe().size(), 19);
    server_.Metti(u"/transito.htm?mrn="_s + MrnTransito, Fixture(u"transito-errore.htm"_s));
    QTest::keyClick(Campo(), Qt::Key_Return);
    EXPECT_LE(Righe().size(), 3);
    EXPECT_FALSE(Riga(1)->text().isEmpty());
    for (int i = 4; i <= ChkMrn::Righe; ++i)
        EXPECT_TRUE(Riga(i)->text().isEmpty()) << i;
}

TEST_F(ChkMrnTest, CodiceIncompletoOTipoErratoAvvisanoSoltanto)
{
    RisponditoreTest().Rispondi(Risposta::Ok, u"Tipo MRN errato (E/T)"_s);
    QTest::keyClicks(Campo(), u"24ITQV1234567890X5"_s);
    QTRY_VERIFY(Campo()->hasFocus());
    EXPECT_EQ(RisponditoreTest().Ricevuti().size(), 1);

    RisponditoreTest().Rispondi(Risposta::Ok, u"numero MRN incompleto"_s);
    Campo()->clear();
    QTest::keyClicks(Campo(), u"24IT"_s);
    Pulsante(u"cmdPrt"_s)->show();
    Pulsante(u"cmdPrt"_s)->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(Campo()->hasFocus());
    EXPECT_EQ(RisponditoreTest().Ricevuti().size(), 2);
}

TEST_F(ChkMrnTest, StampaSuPdfConIntestazioneCodiceERigheInOrdine)
{
    const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (pdftotext.isEmpty()) {
        if (qEnvironmentVariableIntValue("NORVEL_E2E") == 1)
            FAIL() << "pdftotext (poppler-utils) is missing";
        GTEST_SKIP() << "pdftotext (poppler-utils) is missing";
    }
    const QString cartella = Percorso(u"pdf"_s);
    ScriviValoreUtente(u"PDFCreator"_s, u"Program"_s, u"AutosaveDirectory"_s, cartella);
    ImpostaStampanteCorrente(u"PDFCREATOR"_s);
    Interroga(MrnExport);
    QTest::mouseClick(Pulsante(u"cmdPrt"_s), Qt::LeftButton);
    const QString pdf = cartella + u"/MRN_"_s + MrnExport + u".pdf"_s;
    ASSERT_TRUE(QFile::exists(pdf));

    QProcess testo;
    testo.start(pdftotext, {u"-layout"_s, pdf, u"-"_s});
    ASSERT_TRUE(testo.waitForFinished(30000));
    const QStringList righe =
        QString::fromUtf8(testo.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QStringList pulite;
    for (const QString& r : righe) {
        if (!r.trimmed().isEmpty())
            pulite << r.simplified();
    }
    EXPECT_EQ(pulite, QStringList({u"Risultato MRN numero: "_s + MrnExport,
                                   u"Stato della dichiarazione USCITA CONFERMATA"_s,
                                   u"Località di uscita IT277100 MILANO MALPENSA"_s,
                                   u"Data di uscita 12/03/2024"_s}));
    EXPECT_TRUE(Campo()->hasFocus());
}

TEST_F(ChkMrnTest, F2SceglieFine)
{
    QTest::keyClick(Campo(), Qt::Key_F2);
    EXPECT_FALSE(finestra_->isVisible());
    EXPECT_EQ(finestra_->result(), QDialog::Accepted);
}

} // namespace
