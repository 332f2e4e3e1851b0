#include "support/CartellaProgrammaTest.h"

#include "shell/Aggiornamenti.h"
#include "shell/Conversioni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/Versione.h"

#include <QDate>

using namespace Qt::StringLiterals;

namespace {

class AggiornamentiTest : public CartellaProgrammaTest
{
protected:
    void TearDown() override
    {
        ImpostaVersioneInUso({});
        CartellaProgrammaTest::TearDown();
    }
    static QString Voce(const QString& nome, const QString& valore)
    {
        return u"<P>"_s + nome + valore + u"</P>\r\n"_s;
    }
    const QString nome = u"NORVEL"_s;
    const QString sito = u"aggiorna.esempio.it/"_s;
};

} // namespace

TEST_F(AggiornamentiTest, VersioniDelProgramma)
{
    const struct
    {
        QString testo;
        int numero;
        QString estesa;
        QString dueCifre;
    } casi[] = {
        {u"9.6.23"_s, 90623, u"9.6.23"_s, u"09.06.23"_s},
        {u"2.15.7"_s, 21507, u"2.15.7"_s, u"02.15.07"_s},
        {u"3.0.0"_s, 30000, u"3.0.0"_s, u"03.00.00"_s},
        {u" 1.2 "_s, 10200, u"1.2.0"_s, u"01.02.00"_s},
        {u"x.y.z"_s, 0, u"0.0.0"_s, u"00.00.00"_s},
        // Found by fuzzing: the number overflowed.
        {u"2.133333335.7"_s, 0, u"0.0.0"_s, u"00.00.00"_s},
        {u"1.-1.0"_s, 0, u"0.0.0"_s, u"00.00.00"_s},
        {u"10000.0.0"_s, 0, u"0.0.0"_s, u"00.00.00"_s},
    };
    for (const auto& c : casi) {
        const Versione v = LeggiVersione(c.testo);
        EXPECT_EQ(NumeroVersione(v), c.numero) << c.testo.toStdString();
        EXPECT_EQ(VersioneEstesa(v), c.estesa);
        EXPECT_EQ(VersioneDueCifre(v), c.dueCifre);
    }
    EXPECT_EQ(VersioneEstesa(VersioneInUso()), QStringLiteral(NORVEL_VERSIONE));
    ImpostaVersioneInUso(u"9.6.23"_s);
    EXPECT_EQ(NumeroVersione(VersioneInUso()), 90623);
}

TEST_F(AggiornamentiTest, IndirizzoDellaPaginaDelleVersioni)
{
    const struct
    {
        QString sito;
        QString pagina;
        QString atteso;
    } casi[] = {
        {u""_s, u""_s, u"https://www.zerpa.it/Aggiornamenti/Versioni.htm"_s},
        {u"   "_s, u""_s, u"https://www.zerpa.it/Aggiornamenti/Versioni.htm"_s},
        {u"www.esempio.it"_s, u""_s, u"http://www.esempio.it/Aggiornamenti/Versioni.htm"_s},
        {u"www.esempio.it/sw/"_s, u"v.htm"_s, u"http://www.esempio.it/sw/v.htm"_s},
        {u"https://sicuro.it"_s, u"a/b.htm"_s, u"https://sicuro.it/a/b.htm"_s},
    };
    for (const auto& c : casi) {
        ScriviIni(FileIni, u"AGGIORNA"_s, u"ZERPA"_s, c.sito);
        ScriviIni(FileIni, u"AGGIORNA"_s, u"AGGIORNAMENTI"_s, c.pagina);
        EXPECT_EQ(IndirizzoPaginaVersioni(), c.atteso) << c.sito.toStdString();
    }
}

TEST_F(AggiornamentiTest, PaginaSenzaVoceDiVersione)
{
    const AnalisiVersioni a =
        LeggiPaginaVersioni(u"<html><P>ALTRO=x.htm#9.9.9</P></html>"_s, nome, 21507, sito);
    EXPECT_TRUE(a.aggiornato);
    EXPECT_EQ(a.paginaProgramma, u"NORVEL.htm"_s);
    EXPECT_EQ(a.testoUltima, u"02.15.07"_s);
}

TEST_F(AggiornamentiTest, VersioneUgualeOPrecedente)
{
    for (const QString& ultima : {u"2.15.7"_s, u"2.15.6"_s, u"1.99.99"_s}) {
        const QString pagina = Voce(nome, u"="_s + u"norvel.htm#"_s + ultima) +
                               Voce(nome, u":/p/a.zip#01/02/2024#A1#Non letto"_s);
        const AnalisiVersioni a = LeggiPaginaVersioni(pagina, nome, 21507, sito);
        EXPECT_TRUE(a.aggiornato) << ultima.toStdString();
        EXPECT_EQ(a.paginaProgramma, u"norvel.htm"_s);
        EXPECT_TRUE(a.nuovi.isEmpty());
    }
}

TEST_F(AggiornamentiTest, NuoviAggiornamentiInOrdineDiPagina)
{
    ScriviIni(FileIni, u"AGGIORNAMENTI"_s, u"+B2"_s,
              QString::number(DataSeriale(QDate(2024, 3, 1)) + 0.99));
    ScriviIni(FileIni, u"AGGIORNAMENTI"_s, u"+C3"_s,
              QString::number(DataSeriale(QDate(2024, 3, 1))));
    const QString pagina =
        u"<html><body>\r\n"_s + Voce(nome, u"=norvel.htm#3.0.0"_s) +
        Voce(nome, u":agg/Z9.zip#15/01/2024#Z9#Nuove tabelle"_s) +
        Voce(u"ALTRO"_s, u":agg/x.zip#15/01/2024#X#Di un altro programma"_s) +
        Voce(nome, u":agg/A1.zip#02/02/2024#A1#Correzioni di stampa"_s) +
        Voce(nome, u":agg/B2.zip#01/03/2024#B2#Gia' installato"_s) +
        Voce(nome, u":agg/C3.zip#01/03/2024#C3#Installato quel giorno, prima di questo"_s) +
        Voce(nome, u":agg/D4.zip#31/02/2024#D4#Data impossibile"_s) + u"<p>"_s + nome +
        u":agg/E5.zip#sconosciuta#E5#Chiusura minuscola</p>"_s + u"</body></html>"_s;
    const AnalisiVersioni a = LeggiPaginaVersioni(pagina, nome, 21507, sito);
    EXPECT_FALSE(a.aggiornato);
    EXPECT_EQ(a.testoUltima, u"03.00.00"_s);
    QStringList etichette;
    for (const auto& v : a.nuovi)
        etichette << v.Etichetta();
    EXPECT_EQ(etichette,
              (QStringList{u"Z9 - Nuove tabelle (15/01/2024)"_s,
                           u"A1 - Correzioni di stampa (02/02/2024)"_s,
                           u"C3 - Installato quel giorno, prima di questo (01/03/2024)"_s,
                           u"D4 - Data impossibile (31/02/2024)"_s,
                           u"E5 - Chiusura minuscola (sconosciuta)"_s}));
    ASSERT_EQ(a.nuovi.size(), 5);
    EXPECT_EQ(a.nuovi[0].indirizzo, u"http://aggiorna.esempio.it/agg/Z9.zip"_s);
    EXPECT_DOUBLE_EQ(a.nuovi[0].timbro, DataSeriale(QDate(2024, 1, 15)) + 0.99);
    EXPECT_DOUBLE_EQ(a.nuovi[3].timbro, 0.99);
    EXPECT_DOUBLE_EQ(a.nuovi[4].timbro, 0.99);
}

TEST_F(AggiornamentiTest, UnNumeroMemorizzatoNasconde)
{
    ScriviIni(FileIni, u"AGGIORNAMENTI"_s, u"+D4"_s, u"1"_s);
    const QString pagina = Voce(nome, u"=n.htm#3.0.0"_s) + Voce(nome, u":d.zip#31/02/2024#D4#x"_s);
    EXPECT_TRUE(LeggiPaginaVersioni(pagina, nome, 21507, sito).nuovi.isEmpty());
}

// The dates an Italian office writes: "/", "-" or ".", a year of two or four
// digits; anything else stamps 0.99.
TEST_F(AggiornamentiTest, DateDellaPaginaInUsoItaliano)
{
    const char* casi[][2] = {// the page's text, the date read ("" none)
                             {"01/02/24", "2024-02-01"},
                             {"1/2/2024", "2024-02-01"},
                             {"01-02-24", "2024-02-01"},
                             {"1.2.24", "2024-02-01"},
                             {"15/06/29", "2029-06-15"},
                             {"15/06/30", "1930-06-15"},
                             {"2024-02-01", "2024-02-01"},
                             {"31/02/24", ""},
                             {"01/02/224", ""},
                             {"1/2/+24", ""},
                             {"01/02-24", ""},
                             {"sconosciuta", ""}};
    for (const auto& [testo, data] : casi) {
        const QString pagina = Voce(nome, u"=n.htm#3.0.0"_s) +
                               Voce(nome, u":d.zip#"_s + QLatin1String(testo) + u"#D4#x"_s);
        const AnalisiVersioni a = LeggiPaginaVersioni(pagina, nome, 21507, sito);
        const QDate attesa = QDate::fromString(QLatin1String(data), Qt::ISODate);
        ASSERT_EQ(a.nuovi.size(), 1) << testo;
        EXPECT_DOUBLE_EQ(a.nuovi[0].timbro, (attesa.isValid() ? DataSeriale(attesa) : 0) + 0.99)
            << testo;
    }
}
