#include "support/CartellaProgrammaTest.h"
#include "support/StampaQt.h"

#include "ricezione/NomiRicezione.h"

#include <QDir>

using namespace Qt::StringLiterals;

TEST(NomiRicezioneTest, NomeLocale)
{
    const struct
    {
        const char* nome;
        const char* locale;
    } casi[] = {
        {"ACME1207.N01.P7M", "ACME1207.N01.pdf"},
        {"acme1207.n01.p7m", "acme1207.n01.pdf"},
        {"ACME1207.X01.P7M", "ACME1207.X01"},
        {"ACME1207.X01", "ACME1207.X01"},
        {"ACME1207.N01", "ACME1207.N01.pdf"},
        {"ACME1207.L01 ", "ACME1207.L01"},
        {"ACME1207.N01.PDF.P7M", ""},
        {"ACME1207.X01.pdf", ""},
    };
    for (const auto& c : casi)
        EXPECT_EQ(NomeLocale(QString::fromUtf8(c.nome)), QString::fromUtf8(c.locale)) << c.nome;
}

TEST(NomiRicezioneTest, FileElencoNormalizzazioniEModello)
{
    EXPECT_EQ(NomeFileElenco(u"ACME"_s, QDateTime(QDate(2024, 12, 7), QTime(9, 5, 3))),
              u"LSACME07090503"_s);

    const struct
    {
        const char* tipo;
        const char* progressivo;
        const char* chiave;
    } avvii[] = {
        {"", "", "???"},    {"*", "*", "???"},  {" ", "?", "???"}, {"?", "**", "???"},
        {"?", "5", "?05"},  {"?", "A", "?A?"},  {"?", "0", "?0?"}, {"N", "", "N??"},
        {"?", "*A", "??A"}, {"?", "A*", "?A?"},
    };
    for (const auto& a : avvii) {
        const QString chiave =
            ChiaveRicezione(NormalizzaTipo(QString::fromUtf8(a.tipo)),
                            NormalizzaProgressivo(QString::fromUtf8(a.progressivo)));
        EXPECT_EQ(chiave, QString::fromUtf8(a.chiave)) << a.tipo << "|" << a.progressivo;
        EXPECT_EQ(ModoElenco(chiave), QString::fromUtf8(a.chiave) == u"???"_s);
    }

    const struct
    {
        std::array<QString, 4> campi;
        const char* modello;
    } modelli[] = {
        {{u"12"_s, u"07"_s, u"?"_s, u"A?"_s}, "ACME1207.*A*"},
        {{u"12"_s, u"07"_s, u"N"_s, u"05"_s}, "ACME1207.N05*"},
        {{u"12"_s, u"07"_s, u"?"_s, u"05"_s}, "ACME1207.*05*"},
        {{u"12"_s, u"07"_s, u"X"_s, u"??"_s}, "ACME1207.X*"},
        {{u"12"_s, u"07"_s, u"?"_s, u"0?"_s}, "ACME1207.*0*"},
    };
    for (const auto& m : modelli)
        EXPECT_EQ(ModelloRicezione(u"ACME"_s, m.campi), QString::fromUtf8(m.modello)) << m.modello;

    EXPECT_EQ(PrefissoGiorno(u"ACME"_s, u"12"_s, u"7"_s), u"ACME1207"_s);
    EXPECT_EQ(PrefissoGiorno(u"ACME"_s, u""_s, u" "_s), u"ACME0000"_s);
}

TEST(NomiRicezioneTest, SoloNomiSempliciDallElenco)
{
    const QByteArray mille(1000000, 'A');
    const QByteArray elenco = "ACME1207.N01\r\n"
                              "ACME1207.N02\n"
                              "\r\n"
                              "ACME1207.N03 ../../x\r\n"
                              "../ACME1207.N04\n"
                              "ACME1207.N05!\n"
                              "!ACME1207.N06\n"
                              "ACME1207.N0*\n"
                              "ACME1207.N0?\n"
                              "ACME1207.N[1]\n"
                              "ACME1207.N{1,2}\n"
                              "~ACME1207.N07\n"
                              "-ACME1207.N08\n"
                              "|ACME1207.N09\n"
                              "ACME1207.N10\r\r\n"
                              "ACME1207.N11\x01\n"
                              "ACME1207.'N12\n"
                              "ACME\xff"
                              "1207.N13\n"
                              "..\n" +
                              mille +
                              "\n"
                              "ACME1207.X01.P7M";
    const ElencoLetto letto = LeggiElenco(elenco);
    EXPECT_EQ(letto.nomi,
              QStringList({u"ACME1207.N01"_s, u"ACME1207.N02"_s, u"ACME1207.X01.P7M"_s}));
    EXPECT_EQ(letto.scartati.size(), 17);
    // Its temporary name, 11 bytes longer, must fit in 255.
    for (const auto& [nome, ricevibile] : {std::pair{QString(244, u'A'), true},
                                           {QString(245, u'A'), false},
                                           {QString(255, u'A'), false},
                                           {QString(122, u'\u00e8'), true},
                                           {QString(123, u'\u00e8'), false},
                                           {u"ACME1207.N05\nACME1207.N06"_s, false},
                                           {u"ACME1207.N05\u0085"_s, false}}) {
        SCOPED_TRACE(nome.size());
        EXPECT_EQ(NomeRicevibile(nome), ricevibile);
        if (!ricevibile && nome.size() > 200) {
            EXPECT_EQ(MotivoNomeNonRicevibile(nome), u"nome troppo lungo"_s);
        }
    }
}

namespace {

class ScegliNuoviTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        QDir().mkpath(Ricevuti());
        QDir().mkpath(Verificati());
    }
    QString Ricevuti() const { return Percorso(u"Ricevuti"_s); }
    QString Verificati() const { return Percorso(u"Verificati"_s); }
};

} // namespace

TEST_F(ScegliNuoviTest, RegolaDeiFileNuovi)
{
    ScriviFile(u"Ricevuti/ACME1207.X02"_s, "gia' ricevuto");
    ScriviFile(u"Verificati/ACME1207.N03.pdf"_s, "gia' sbustato");
    ScriviFile(u"Verificati/ACME1207.W04"_s, "gia' sbustato");
    const QStringList elenco = {
        u"ACME1207.L01"_s, u"ACME1207.X02"_s,     u"ACME1207.N03.P7M"_s, u"ACME1207.W04.P7M"_s,
        u"ACME1206.X05"_s, u"ACME1207.X06.LOG"_s, u"ACME1207.N07.PDF"_s, u"ACME1207.T08"_s,
        u"ACME1207.x09"_s, u"ACME1207.Q10.p7m"_s, u"BETA1207.X11"_s,     u"ACME1207.N12.P7M"_s,
    };
    const SceltaNuovi s = ScegliNuovi(elenco, u"ACME1207"_s, Ricevuti(), Verificati(), 50);
    EXPECT_EQ(s.nuovi, QStringList({u"ACME1207.L01"_s, u"ACME1207.x09"_s, u"ACME1207.Q10.p7m"_s,
                                    u"ACME1207.N12.P7M"_s}));
    EXPECT_EQ(s.totale, 4);

    // Clearances: any date or type, only what is there or unwrapped is left out.
    const SceltaNuovi a = ScegliNuovi(
        {u"ACME1106.L01"_s, u"ACME1207.X02"_s, u"ACME1207.L03.LOG"_s, u"ACME1207.W04.P7M"_s}, {},
        Ricevuti(), Verificati(), 50, true);
    EXPECT_EQ(a.nuovi, QStringList({u"ACME1106.L01"_s}));
}

TEST_F(ScegliNuoviTest, SessantaNuoviCinquantaPresi)
{
    QStringList elenco;
    for (int i = 1; i <= 60; ++i)
        elenco << QStringLiteral("ACME1207.N%1").arg(i, 2, 10, QLatin1Char('0'));
    const SceltaNuovi s = ScegliNuovi(elenco, u"ACME1207"_s, Ricevuti(), Verificati(), 50);
    EXPECT_EQ(s.totale, 60);
    EXPECT_EQ(s.nuovi, elenco.mid(0, 50));
}
