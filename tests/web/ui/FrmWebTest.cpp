#include "PercorsiTest.h"
#include "support/AmbienteTest.h"
#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"
#include "support/ServerHttp.h"
#include "support/ui/AmbienteFinestre.h"

#include "piattaforma/ArchivioUtente.h"
#include "piattaforma/ui/Dialoghi.h"
#include "piattaforma/ui/Schermo.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "stampa/ui/StampanteCorrente.h"
#include "web/ui/FrmWeb.h"

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

QByteArray Fixture(const QString& nome)
{
    QFile f(QStringLiteral(NORVEL_FIXTURES "/pagine/") + nome);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

QString TestoPdf(const QString& pdf)
{
    QProcess p;
    p.start(u"pdftotext"_s, {pdf, u"-"_s});
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

class FrmWebTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        ImpostaSchermo(QRect(0, 0, 1280, 1024), QRect(0, 0, 1280, 1024));
        if (!server_.Avvia())
            GTEST_SKIP() << "no port of 127.0.0.1 for the HTTP server";
        server_.Metti(u"/vies.htm"_s, Fixture(u"vies-valido.htm"_s));
        server_.Metti(u"/export.htm"_s, Fixture(u"export.htm"_s));
        cartellaPdf_ = Percorso(u"pdf"_s);
        ScriviValoreUtente(u"PDFCreator"_s, u"Program"_s, u"AutosaveDirectory"_s, cartellaPdf_);
        ModoInterrogazione = 1;
        ImpostaStampanteCorrente(u"PDFCREATOR"_s);
    }
    void TearDown() override
    {
        FrmWeb::ImpostaAttesaPagina(0);
        CartellaProgrammaTest::TearDown();
    }
    bool HaPdfToText() { return !QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty(); }

    ServerHttp server_;
    QString cartellaPdf_;
};

TEST_F(FrmWebTest, SoloStampaApreInAltoASinistraStampaEChiudeDaSola)
{
    ParametriWeb[1] = {0, 1, 0, u"PDFCREATOR"_s, 0, {}};
    FrmWeb pagina;
    pagina.plUrl(server_.Base() + u"/vies.htm?act=piva&stato=IT&piva=01234567890"_s);
    pagina.plObject(u"IT01234567890"_s);
    pagina.plTipo(u"pi"_s);
    QRect vista;
    QTimer::singleShot(0, &pagina, [&]() { vista = QRect(pagina.pos(), pagina.size()); });
    pagina.exec();
    EXPECT_FALSE(pagina.isVisible());
    EXPECT_EQ(vista, QRect(0, 0, 120, 80));
    EXPECT_EQ(pagina.windowTitle(), u"P.IVA Comunitaria 'IT01234567890'"_s);
    const QString pdf = cartellaPdf_ + u"/IT_01234567890.pdf"_s;
    ASSERT_TRUE(QFile::exists(pdf));
    if (HaPdfToText()) {
        EXPECT_TRUE(TestoPdf(pdf).contains(u"Partita IVA valida"_s));
    }
    EXPECT_TRUE(RisponditoreTest().Ricevuti().isEmpty());
}

TEST_F(FrmWebTest, NomeAutomaticoDiversoLasciaIlNomeDellaStampante)
{
    ScriviValoreUtente(u"PDFCreator"_s, u"Program"_s, u"AutosaveFilename"_s, u"<DateTime>"_s);
    ParametriWeb[1] = {0, 1, 0, u"PDFCREATOR"_s, 0, {}};
    RisponditoreTest().Rispondi(Risposta::Ok,
                                u"NOME DEL SALVATAGGIO AUTOMATICO DIVERSO DA <Title>"_s);
    FrmWeb pagina;
    pagina.plUrl(server_.Base() + u"/export.htm?mrn=24ITQV1234567890E5"_s);
    pagina.plObject(u"24ITQV1234567890E5"_s);
    pagina.plTipo(u"ex"_s);
    pagina.exec();
    EXPECT_FALSE(QFile::exists(cartellaPdf_ + u"/EX_24ITQV1234567890E5.pdf"_s));
    EXPECT_TRUE(QFile::exists(
        cartellaPdf_ + u"/http___www.agenziadogane.it_ed_servizi_esportazione_export.pdf"_s));
}

TEST_F(FrmWebTest, PaginaCheNonArrivaChiedeSeAttendereEPassaAlBrowser)
{
    server_.NonRispondere(true);
    FrmWeb::ImpostaAttesaPagina(300);
    ParametriWeb[1] = {0, 1, 0, u"PDFCREATOR"_s, 0, {}};
    RisponditoreTest()
        .Rispondi(Risposta::Si, u"Pagina WEB per MRN 24ITQV1234567890E5\nnon ricevuta\n"
                                u"Attendi ancora?"_s)
        .Rispondi(Risposta::No, u"Attendi ancora?"_s);
    const QString indirizzo = server_.Base() + u"/export.htm?mrn=24ITQV1234567890E5"_s;
    FrmWeb pagina;
    pagina.plUrl(indirizzo);
    pagina.plObject(u"24ITQV1234567890E5"_s);
    pagina.plTipo(u"ex"_s);
    pagina.exec();
    ASSERT_EQ(RisponditoreTest().Ricevuti().size(), 2);
    EXPECT_EQ(RisponditoreTest().Ricevuti()[0].richiesta.titolo, u"ATTESA PAGINA WEB"_s);
    EXPECT_EQ(RisponditoreTest().Ricevuti()[0].richiesta.predefinita, Risposta::No);
    EXPECT_EQ(AperturaShell(), QStringList{indirizzo});
    EXPECT_EQ(pagina.windowTitle(), u"Pagina WEB"_s);
    EXPECT_FALSE(QFile::exists(cartellaPdf_ + u"/EX_24ITQV1234567890E5.pdf"_s));
}

TEST_F(FrmWebTest, PosizioneSalvataFuoriSchermoTornaAiValoriDiPartenza)
{
    struct Caso
    {
        QStringList salvati; // POSX, POSY, DIMX, DIMY in twips
        QRect attesa;        // pixels
    } casi[] = {
        {{u"1500"_s, u"3000"_s, u"9000"_s, u"7500"_s}, QRect(100, 200, 600, 500)},
        {{u"-15"_s, u"99999"_s, u"0"_s, u"99999"_s}, QRect(0, 0, 400, 267)},
    };
    ParametriWeb[1] = {1, 0, 0, {}, 0, {}};
    for (const Caso& c : casi) {
        const QStringList chiavi = {u"POSX"_s, u"POSY"_s, u"DIMX"_s, u"DIMY"_s};
        for (int i = 0; i < 4; ++i)
            ScriviIni(FileIni, u"FrmWeb"_s, chiavi[i], c.salvati[i]);
        FrmWeb pagina;
        pagina.plUrl(server_.Base() + u"/export.htm?mrn=24ITQV1234567890E5"_s);
        pagina.plObject(u"24ITQV1234567890E5"_s);
        pagina.plTipo(u"ex"_s);
        QRect vista;
        QString titolo;
        QTimer::singleShot(0, &pagina, [&]() {
            vista = QRect(pagina.pos(), pagina.size());
            auto* t = new QTimer(&pagina);
            QObject::connect(t, &QTimer::timeout, [&]() {
                if (pagina.windowTitle() == u"Pagina WEB"_s)
                    return;
                titolo = pagina.windowTitle();
                pagina.move(150, 165);
                pagina.findChild<QPushButton*>(u"Command1"_s)->click();
            });
            t->start(20);
        });
        pagina.exec();
        EXPECT_EQ(vista, c.attesa);
        EXPECT_EQ(titolo, u"MRN Esportazione '24ITQV1234567890E5'"_s);
        EXPECT_EQ(LeggiIni(FileIni, u"FrmWeb"_s, u"POSX"_s), u"2250"_s);
        EXPECT_EQ(LeggiIni(FileIni, u"FrmWeb"_s, u"POSY"_s), u"2475"_s);
    }
}

TEST_F(FrmWebTest, StampaSullaStampanteCorrenteConLaRichiestaSeChiesta)
{
    struct Caso
    {
        int chiedi;
        bool sceltaConfermata;
        QString esito;
    } casi[] = {
        {0, false, u"eseguita"_s},
        {1, true, u"eseguita"_s},
        {1, false, u"annullata"_s},
    };
    const QString pdf = cartellaPdf_ + u"/IT_01234567890.pdf"_s;
    for (const Caso& c : casi) {
        QFile::remove(pdf);
        // The printer kept for the kind of page is not the current one.
        ParametriWeb[1] = {0, 1, c.chiedi, u"ALTRA"_s, 0, {}};
        int chieste = 0;
        DialoghiTest dialoghi;
        dialoghi.stampante = [&](QPrinter& stampante) {
            ++chieste;
            EXPECT_EQ(stampante.outputFileName(), pdf);
            return c.sceltaConfermata;
        };
        ImpostaDialoghi(dialoghi);
        FrmWeb pagina;
        pagina.plUrl(server_.Base() + u"/vies.htm?act=piva&stato=IT&piva=01234567890"_s);
        pagina.plObject(u"IT01234567890"_s);
        pagina.plTipo(u"pi"_s);
        pagina.exec();
        EXPECT_EQ(chieste, c.chiedi);
        EXPECT_EQ(pagina.pgEsito().stampa, c.esito);
        EXPECT_EQ(QFile::exists(pdf), c.esito == u"eseguita"_s);
        if (c.esito == u"eseguita"_s && HaPdfToText()) {
            EXPECT_TRUE(TestoPdf(pdf).contains(u"Partita IVA valida"_s));
        }
    }
}

} // namespace
