#include "PercorsiTest.h"
#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"
#include "support/ServerCups.h"
#include "support/ServerHttp.h"

#include "piattaforma/ArchivioUtente.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "stampa/ui/StampanteCorrente.h"
#include "web/RichiestaPagina.h"
#include "web/XCkMrnVat.h"
#include "web/ui/PresentazioneWeb.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The page program as the main program runs it: its own process, asked on its
// command line, answering with its exit status and one line.
class ProcessoPaginaTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        if (!server_.Avvia())
            GTEST_SKIP() << "no port of 127.0.0.1 for the HTTP server";
        QFile pagina(QStringLiteral(NORVEL_FIXTURES "/pagine/export.htm"));
        ASSERT_TRUE(pagina.open(QIODevice::ReadOnly));
        server_.Metti(u"/export.htm"_s, pagina.readAll());
        cartellaPdf_ = Percorso(u"pdf"_s);
        ScriviValoreUtente(u"PDFCreator"_s, u"Program"_s, u"AutosaveDirectory"_s, cartellaPdf_);
        // The page program reads the same per-user store.
        qputenv("XDG_CONFIG_HOME", Percorso(u".config"_s).toUtf8());
        ImpostaProgrammaPagina(QStringLiteral(NORVEL_PAGINA));
        ModoInterrogazione = 1;
    }
    void TearDown() override
    {
        ImpostaProgrammaPagina({});
        ImpostaPresentazionePagine({});
        qunsetenv("XDG_CONFIG_HOME");
        CartellaProgrammaTest::TearDown();
    }

    struct Uscita
    {
        int codice = -1;
        QString riga;
        QString errori;
    };
    Uscita Esegui(const QStringList& argomenti)
    {
        // The events run meanwhile: the page comes from this process's server.
        QProcess p;
        QSignalSpy fine(&p, &QProcess::finished);
        p.start(QStringLiteral(NORVEL_PAGINA), argomenti);
        EXPECT_TRUE(fine.wait(180000));
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    RichiestaPagina Richiesta()
    {
        RichiestaPagina r;
        r.indirizzo = server_.Base() + u"/export.htm?mrn="_s + Mrn;
        r.codice = Mrn;
        r.tipo = u"ex"_s;
        r.stampa = true;
        r.stampante = u"PDFCREATOR"_s;
        r.fileIni = FileIni;
        return r;
    }

    const QString Mrn = u"24ITQV1234567890E5"_s;
    ServerHttp server_;
    QString cartellaPdf_;
};

TEST_F(ProcessoPaginaTest, RigaDiComandoErrataEsceConDueSenzaFinestra)
{
    const QString url = server_.Base() + u"/export.htm"_s;
    const struct
    {
        QStringList argomenti;
        QString messaggio;
    } casi[] = {
        {{u"--indirizzo"_s, url, u"--tipo"_s, u"xx"_s}, u"Tipo della pagina non valido: 'xx'"_s},
        {{u"--indirizzo"_s, u"ftp://host/x"_s, u"--tipo"_s, u"ex"_s},
         u"Indirizzo della pagina non valido"_s},
        {{u"--tipo"_s, u"ex"_s}, u"Indirizzo della pagina non valido"_s},
        {{u"--indirizzo"_s, url, u"--tipo"_s, u"ex"_s, u"--stampa"_s, u"si"_s},
         u"Valore di --stampa non valido: 'si'"_s},
        {{u"--indirizzo"_s, url, u"--tipo"_s, u"pi"_s, u"--modo"_s, u"3"_s}, u"Modo non valido"_s},
        {{u"--sconosciuta"_s}, u"sconosciuta"_s},
    };
    for (const auto& c : casi) {
        const Uscita u = Esegui(c.argomenti);
        EXPECT_EQ(u.codice, PaginaRigaErrata) << c.argomenti.join(u' ').toStdString();
        EXPECT_TRUE(u.riga.isEmpty());
        EXPECT_TRUE(u.errori.contains(c.messaggio)) << u.errori.toStdString();
    }
}

TEST_F(ProcessoPaginaTest, StampaSulloScrittorePdfERispondeConIlFile)
{
    const Uscita u = Esegui(ArgomentiPagina(Richiesta()));
    const QString pdf = cartellaPdf_ + u"/EX_"_s + Mrn + u".pdf"_s;
    EXPECT_EQ(u.codice, PaginaMostrata) << u.errori.toStdString();
    EXPECT_EQ(u.riga, u"stato=6 stampa=eseguita file="_s + pdf + u'\n');
    const std::optional<EsitoPagina> esito = LeggiRigaEsito(u.riga);
    ASSERT_TRUE(esito);
    EXPECT_EQ(esito->file, pdf);
    EXPECT_EQ(CodiceUscita(*esito), PaginaMostrata);
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5) == "%PDF-");
}

// On a system printer the engine paints into the printer the window keeps
// until the print has ended; the page program reads the scheduler afresh.
TEST_F(ProcessoPaginaTest, StampaSuUnaStampanteDelSistema)
{
    RICHIEDI_CUPS(QStringList{u"Ufficio"_s});
    RichiestaPagina r = Richiesta();
    r.stampante = u"Ufficio"_s;
    const Uscita u = Esegui(ArgomentiPagina(r));
    EXPECT_EQ(u.codice, PaginaMostrata) << u.errori.toStdString();
    EXPECT_EQ(u.riga, u"stato=6 stampa=eseguita\n"_s);
}

// The enquiry hands the page over and goes on: the page prints on the
// program's current printer, not on the one kept for the kind of page.
TEST_F(ProcessoPaginaTest, InterrogazioneStampaSullaStampanteCorrenteSenzaAttendere)
{
    const struct
    {
        QString stampante;
        bool pdf;
        QString messaggio;
    } casi[] = {
        {u"PDFCREATOR"_s, true, {}},
        {u"NESSUNA_STAMPANTE_COSI"_s, false,
         u"Stampa della pagina WEB per 24ITQV1234567890E5 non riuscita."_s},
    };
    ScriviIni(FileIni, u"WEB"_s, u"EXPORT"_s, server_.Base() + u"/export.htm?mrn="_s);
    InstallaPresentazioneWeb();
    const QString pdf = cartellaPdf_ + u"/EX_"_s + Mrn + u".pdf"_s;
    for (const auto& c : casi) {
        QFile::remove(pdf);
        ParametriWeb[1] = {0, 1, 0, u"PDFCREATOR"_s, 0, {}};
        ImpostaStampanteCorrente(c.stampante);
        if (!c.messaggio.isEmpty())
            RisponditoreTest().Rispondi(Risposta::Ok, c.messaggio);
        EXPECT_EQ(InterrogaCodice(Mrn), 0);
        EXPECT_EQ(PagineAperte(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(PagineAperte(), 0, 180000);
        EXPECT_EQ(QFile::exists(pdf), c.pdf);
        EXPECT_EQ(RisponditoreTest().RisposteInAttesa(), 0);
    }
}

} // namespace
