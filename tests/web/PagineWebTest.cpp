#include "PercorsiTest.h"
#include "support/CartellaProgrammaTest.h"
#include "support/ServerHttp.h"

#include "piattaforma/RichiestaHttp.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "web/GetHtmPage.h"
#include "web/XCkMrnVat.h"

#include <QDir>
#include <QFile>

#include <map>

using namespace Qt::StringLiterals;

namespace {

const QString MrnExport = u"24ITQV1234567890E5"_s;
const QString MrnTransito = u"24ITQV1234567890T5"_s;

const QString PercorsoExport = u"/ed/servizi/esportazione/export.htm"_s;
const QString PercorsoTransito = u"/ed/servizi/ecustoms/transito/mrn/transito.htm"_s;
const QString PercorsoVies = u"/servizi/vies/vies.htm"_s;

QByteArray Fixture(const QString& nome)
{
    QFile f(QStringLiteral(NORVEL_FIXTURES "/pagine/") + nome);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << nome.toStdString();
    return f.readAll();
}

class PagineWebTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        if (!server_.Avvia())
            GTEST_SKIP() << "no port of 127.0.0.1 for the HTTP server";
        const QString sez = Ini::SezWeb;
        ScriviIni(FileIni, sez, Ini::WebExport, server_.Base() + PercorsoExport + u"?mrn="_s);
        ScriviIni(FileIni, sez, Ini::WebTransiti, server_.Base() + PercorsoTransito + u"?mrn="_s);
        ScriviIni(FileIni, sez, Ini::WebVat, server_.Base() + PercorsoVies + u"?act=piva&stato="_s);
        ImpostaTempoMassimoPagina(5000);
    }
    void TearDown() override
    {
        ImpostaTempoMassimoPagina(0);
        ImpostaPresentazionePagine({});
        CartellaProgrammaTest::TearDown();
    }

    void ServiExport(const QString& mrn, const QString& fixture)
    {
        server_.Metti(PercorsoExport + u"?mrn="_s + mrn, Fixture(fixture));
    }
    void ServiTransito(const QString& mrn, const QString& fixture)
    {
        server_.Metti(PercorsoTransito + u"?mrn="_s + mrn, Fixture(fixture));
    }
    void ServiVies(const QString& paese, const QString& numero, const QString& fixture)
    {
        server_.Metti(PercorsoVies + u"?act=piva&stato="_s + paese + u"&piva="_s + numero,
                      Fixture(fixture));
    }

    ServerHttp server_;
};

using Attesi = std::map<int, QString>;

struct CasoExport
{
    const char* pagina;
    int risultato;
    Attesi titoli;
    Attesi esiti;
};

TEST_F(PagineWebTest, PaginaExportMetteTitoliEValoriAlLoroPosto)
{
    const CasoExport casi[] = {
        {"export.htm",
         0,
         {{5, u"Stato della dichiarazione"_s},
          {6, u"Località di uscita"_s},
          {7, u"Data di uscita"_s},
          {2, {}}},
         {{17, u"USCITA CONFERMATA"_s},
          {18, u"IT277100 MILANO MALPENSA"_s},
          {19, u"12/03/2024"_s}}},
        {"export-attesa.htm",
         0,
         {{2, u"=== In Attesa del messaggio di uscita ==="_s}, {5, {}}},
         {}},
        {"export-errore.htm",
         0,
         {{2, u"*** La dichiarazione e' stata annullata ***"_s}},
         {{17, {}}}},
        {"manutenzione.htm", 9, {{2, u"# Connessione INTERNET non attiva #"_s}, {5, {}}}, {}},
    };
    for (const CasoExport& c : casi) {
        SCOPED_TRACE(c.pagina);
        ServiExport(MrnExport, QString::fromLatin1(c.pagina));
        EXPECT_EQ(InterrogaCodice(MrnExport.toLower()), c.risultato);
        for (const auto& [i, t] : c.titoli)
            EXPECT_EQ(Titoli[i], t) << "title " << i;
        for (const auto& [i, v] : c.esiti)
            EXPECT_EQ(Esiti[i], v) << "value " << i;
    }
    EXPECT_EQ(server_.Percorsi().size(), 4);
}

TEST_F(PagineWebTest, MrnDiTransitoLeggeAncheLaPaginaExport)
{
    ServiTransito(MrnTransito, u"transito.htm"_s);
    ServiExport(MrnTransito, u"export.htm"_s);
    EXPECT_EQ(InterrogaCodice(MrnTransito), 0);
    EXPECT_EQ(server_.Percorsi(), QStringList({PercorsoTransito + u"?mrn="_s + MrnTransito,
                                               PercorsoExport + u"?mrn="_s + MrnTransito}));
    EXPECT_EQ(Titoli[1], u"Fase:"_s);
    EXPECT_EQ(Titoli[4], u"Esito:"_s);
    const QStringList valori = {u"Partenza"_s,    u"IT277100"_s, u"10/03/2024"_s, u"Svincolato"_s,
                                u"Passaggio"_s,   u"CH001651"_s, u"11/03/2024"_s, u"Transitato"_s,
                                u"Arrivo"_s,      u"DE004251"_s, u"12/03/2024"_s, u"Arrivato"_s,
                                u"Appuramento"_s, u"IT277100"_s, u"14/03/2024"_s, u"Appurato"_s};
    for (int i = 1; i <= 16; ++i)
        EXPECT_EQ(Esiti[i], valori[i - 1]) << "value " << i;
    EXPECT_EQ(Titoli[5], u"Stato della dichiarazione"_s);
    EXPECT_EQ(Esiti[19], u"12/03/2024"_s);
}

TEST_F(PagineWebTest, ErroriDellaPaginaDiTransito)
{
    struct Caso
    {
        const char* pagina;
        QString titolo2;
        QString titolo3;
    } casi[] = {
        {"transito-errore-mrn.htm", u"*** Per l'MRN: "_s + MrnTransito + u" ***"_s,
         u"*** non risulta alcun movimento ***"_s},
        {"transito-errore.htm", u"Servizio momentaneamente non disponibile"_s, {}},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.pagina);
        ServiTransito(MrnTransito, QString::fromLatin1(c.pagina));
        // The export page's own error is not reported beside the transit one.
        ServiExport(MrnTransito, u"export-attesa.htm"_s);
        EXPECT_EQ(InterrogaCodice(MrnTransito), 0);
        EXPECT_EQ(Titoli[2], c.titolo2);
        EXPECT_EQ(Titoli[3], c.titolo3);
    }
}

TEST_F(PagineWebTest, PaginaVies)
{
    ServiVies(u"IT"_s, u"01234567890"_s, u"vies-valido.htm"_s);
    EXPECT_EQ(InterrogaCodice(u"it01234567890"_s), 0);
    EXPECT_EQ(Titoli[1], u"Esito:"_s);
    EXPECT_EQ(Esiti[1], u"Partita IVA valida"_s);
    const QStringList intestazioni = {u"Stato membro"_s, u"Numero IVA"_s, u"Denominazione"_s,
                                      u"Indirizzo"_s, u"Codice richiesta"_s};
    const QStringList celle = {u"IT"_s, u"01234567890"_s, u"ACME SPEDIZIONI SRL"_s,
                               u"VIA ROMA 1 20100 MILANO MI"_s, u"WAPIAAAAXYZ"_s};
    for (int i = 2; i <= 6; ++i) {
        EXPECT_EQ(Titoli[i], intestazioni[i - 2]);
        EXPECT_EQ(Esiti[i], celle[i - 2]);
    }
    EXPECT_EQ(Esiti[7], u"Dati forniti dallo Stato membro"_s);
    EXPECT_EQ(Esiti[8], u"12/03/2024 10:15"_s);

    ServiVies(u"DE"_s, u"123456789"_s, u"vies-errore.htm"_s);
    EXPECT_EQ(InterrogaCodice(u"DE123456789"_s), 0);
    EXPECT_EQ(Titoli[2], u"*** Partita IVA non valida"_s);
    EXPECT_TRUE(Esiti[1].isEmpty());
}

TEST_F(PagineWebTest, MarcatoreOltreIl32767esimoCarattereLettoComunque)
{
    QByteArray pagina = Fixture(u"export.htm"_s);
    const QByteArray copione = "<script>/*" + QByteArray(40000, 'x') + "*/</script>\n";
    pagina.insert(pagina.indexOf("</head>"), copione);
    ASSERT_GT(pagina.indexOf("class=\"outexport1\""), 32767);
    server_.Metti(PercorsoExport + u"?mrn="_s + MrnExport, pagina);
    EXPECT_EQ(InterrogaCodice(MrnExport), 0);
    EXPECT_EQ(Titoli[5], u"Stato della dichiarazione"_s);
    EXPECT_EQ(Esiti[19], u"12/03/2024"_s);
}

TEST_F(PagineWebTest, ServerCheNonRispondeDaNessunaConnessione)
{
    server_.NonRispondere(true);
    ImpostaTempoMassimoPagina(500);
    EXPECT_EQ(InterrogaCodice(MrnExport), 9);
    EXPECT_EQ(Titoli[2], MessaggioNoConnessione());
    EXPECT_EQ(server_.Percorsi().size(), 1);

    // Nobody listening at all.
    server_.Ferma();
    EXPECT_EQ(InterrogaCodice(MrnExport), 9);
}

TEST_F(PagineWebTest, CodiciErratiNonFannoRichieste)
{
    struct Caso
    {
        QString codice;
        QString messaggio;
    } casi[] = {
        {u"24ITQV1234567890E "_s, u"*** Lunghezza numero MRN errata (18 caratteri)"_s},
        {u"24ITQV1234567890X5"_s, u"*** Tipo MRN errato (T=Transito, E=Export)"_s},
        {u"ZZ123456789"_s, u"*** Nazione CEE  'ZZ'  inesistente "_s},
        {u"24ITQV1234567890E"_s, u"*** Nazione CEE  '24'  inesistente "_s},
        {u"IT123"_s, u"*** Lunghezza VAT errata 11-11"_s},
        {u"IT012345678901"_s, u"*** Lunghezza VAT errata 11-11"_s},
        {u"IT"_s, u"*** Lunghezza VAT errata 11-11"_s},
        {u"LT1234567890"_s, u"*** Lunghezza VAT errata 9-9, 12-12"_s},
        {u""_s, u"*** Codice VAT non indicato "_s},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.codice.toStdString());
        EXPECT_EQ(InterrogaCodice(c.codice), 1);
        EXPECT_EQ(Titoli[2], c.messaggio);
    }
    // An MRN set directly is checked for its length before its type.
    GetHtmPage pagina;
    pagina.plMRN(u"24ITQV1234567890E"_s);
    EXPECT_EQ(pagina.xGetPaginaMRN(), u"*** Lunghezza numero MRN errata (18 caratteri)"_s);
    EXPECT_TRUE(server_.Percorsi().isEmpty());
}

TEST_F(PagineWebTest, FrammentoSostituisceCaratteriEMarcatori)
{
    GetHtmPage pagina;
    // "?" and what Windows-1252 cannot hold both become "e' s".
    pagina.plTestoPagina(uR"(<div class="err">A?B€C)"_s + QChar(0x0142) +
                         u"D &agrave;<strong>x</strong>\r\ny</div>"_s);
    EXPECT_FALSE(pagina.xGetEsito(true));
    EXPECT_EQ(pagina.pgTitolo(2), u"*** Ae' sB€Ce' sD àxy ***"_s);

    pagina.plTestoPagina(uR"(<b class="outexport1">Solo etichetta&nbsp;)"_s);
    EXPECT_THROW(pagina.xGetEsito(true), GetHtmPage::Guasto);
}

struct CasoPresentazione
{
    const char* nome;
    ParametroWebT parametri;
    int schede;
    bool finestra;
    QString file; // relative to the program folder, "" none
    bool aperto;
};

TEST_F(PagineWebTest, PaginaMostrataSalvataOStampataSecondoIParametri)
{
    const CasoPresentazione casi[] = {
        {"niente", {}, 0, false, {}, false},
        {"vedi", {1, 0, 0, {}, 0, {}}, 0, false, u"TempFile/tmp_html.htm"_s, true},
        {"vedi e salva",
         {1, 0, 0, {}, 1, u"salvate"_s},
         0,
         false,
         u"salvate/EX_"_s + MrnExport + u".htm"_s,
         true},
        {"salva",
         {0, 0, 0, {}, 1, u"salvate"_s},
         0,
         false,
         u"salvate/EX_"_s + MrnExport + u".htm"_s,
         false},
        {"stampa", {0, 1, 0, {}, 0, {}}, 0, true, {}, false},
        {"vedi, schede multiple", {1, 0, 0, {}, 0, {}}, 1, true, {}, false},
    };
    ServiExport(MrnExport, u"export.htm"_s);
    ModoInterrogazione = 1;
    for (const CasoPresentazione& c : casi) {
        SCOPED_TRACE(c.nome);
        QDir(Cartella()).removeRecursively();
        QDir().mkpath(Cartella());
        ScriviIni(FileIni, Ini::SezWeb, Ini::WebExport,
                  server_.Base() + PercorsoExport + u"?mrn="_s);
        ParametriWeb[1] = c.parametri;
        if (!ParametriWeb[1].CartellaSalva.isEmpty())
            ParametriWeb[1].CartellaSalva = Percorso(ParametriWeb[1].CartellaSalva);
        SchedeBrowser = c.schede;
        QStringList finestre;
        QStringList aperti;
        ImpostaPresentazionePagine(
            {[&](const QString& indirizzo, const QString& codice, const QString& tipo) {
                 finestre << indirizzo << codice << tipo;
             },
             [&](const QString& file) { aperti << file; }});
        EXPECT_EQ(InterrogaCodice(MrnExport), 0);
        if (c.finestra) {
            EXPECT_EQ(finestre,
                      QStringList({server_.Base() + PercorsoExport + u"?mrn="_s + MrnExport,
                                   MrnExport, u"ex"_s}));
        } else {
            EXPECT_TRUE(finestre.isEmpty());
        }
        if (!c.file.isEmpty()) {
            EXPECT_EQ(LeggiFile(c.file), Fixture(u"export.htm"_s) + "\r\n");
        }
        EXPECT_EQ(aperti, c.aperto ? QStringList{Percorso(c.file)} : QStringList{});
    }
}

TEST_F(PagineWebTest, PaginaDecodificataSecondoTestataOMetaEStatoSempreDetto)
{
    struct Caso
    {
        QString via;
        QByteArray corpo, tipo;
        QString atteso;
    };
    const Caso casi[] = {
        {u"/latino"_s, "Localit\xe0", "text/html; charset=iso-8859-1", u"Localit\u00e0"_s},
        {u"/utf8"_s, "<meta charset=\"utf-8\">Localit\xc3\xa0", "text/html", u"Localit\u00e0"_s},
        {u"/meta"_s,
         "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-15\">\xa4",
         "text/html", u"\u20ac"_s},
        {u"/vecchio"_s, "Localit\xe0 \x80", "text/html", u"Localit\u00e0 \u20ac"_s},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.via.toStdString());
        server_.Metti(c.via, c.corpo, c.tipo);
        const RispostaHttp r = HttpGetSincrono(QUrl(server_.Base() + c.via), 5000);
        EXPECT_TRUE(r.riuscita);
        EXPECT_TRUE(r.testo.endsWith(c.atteso)) << r.testo.toStdString();
    }
    const RispostaHttp mancante = HttpGetSincrono(QUrl(server_.Base() + u"/manca"_s), 5000);
    EXPECT_FALSE(mancante.riuscita);
    EXPECT_EQ(mancante.stato, 404);
    EXPECT_EQ(HttpGetSincrono(QUrl(u"non un indirizzo"_s), 5000).stato, 0);
}

} // namespace
