#include "support/CartellaProgrammaTest.h"
#include "support/StampaQt.h"

#include "ricezione/NomiRicezione.h"

#include <QDir>

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
        EXPECT_EQ(NomeLocale(c.nome), c.locale) << c.nome;
}

TEST(NomiRicezioneTest, FileElencoNormalizzazioniEModello)
{
    EXPECT_EQ(NomeFileElenco("ACME", QDateTime(QDate(2024, 12, 7), QTime(9, 5, 3))),
              "LSACME07090503");

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
            ChiaveRicezione(NormalizzaTipo(a.tipo), NormalizzaProgressivo(a.progressivo));
        EXPECT_EQ(chiave, a.chiave) << a.tipo << "|" << a.progressivo;
        EXPECT_EQ(ModoElenco(chiave), QString(a.chiave) == "???");
    }

    const struct
    {
        std::array<QString, 4> campi;
        const char* modello;
    } modelli[] = {
        {{"12", "07", "?", "A?"}, "ACME1207.*A*"},  {{"12", "07", "N", "05"}, "ACME1207.N05*"},
        {{"12", "07", "?", "05"}, "ACME1207.*05*"}, {{"12", "07", "X", "??"}, "ACME1207.X*"},
        {{"12", "07", "?", "0?"}, "ACME1207.*0*"},
    };
    for (const auto& m : modelli)
        EXPECT_EQ(ModelloRicezione("ACME", m.campi), m.modello) << m.modello;

    EXPECT_EQ(PrefissoGiorno("ACME", "12", "7"), "ACME1207");
    EXPECT_EQ(PrefissoGiorno("ACME", "", " "), "ACME0000");
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
    EXPECT_EQ(letto.nomi, QStringList({"ACME1207.N01", "ACME1207.N02", "ACME1207.X01.P7M"}));
    EXPECT_EQ(letto.scartati.size(), 17);
    EXPECT_FALSE(NomeRicevibile(QString(256, 'A')));
    EXPECT_TRUE(NomeRicevibile(QString(255, 'A')));
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
    QString Ricevuti() const { return Percorso("Ricevuti"); }
    QString Verificati() const { return Percorso("Verificati"); }
};

} // namespace

TEST_F(ScegliNuoviTest, RegolaDeiFileNuovi)
{
    ScriviFile("Ricevuti/ACME1207.X02", "gia' ricevuto");
    ScriviFile("Verificati/ACME1207.N03.pdf", "gia' sbustato");
    ScriviFile("Verificati/ACME1207.W04", "gia' sbustato");
    const QStringList elenco = {
        "ACME1207.L01", "ACME1207.X02",     "ACME1207.N03.P7M", "ACME1207.W04.P7M",
        "ACME1206.X05", "ACME1207.X06.LOG", "ACME1207.N07.PDF", "ACME1207.T08",
        "ACME1207.x09", "ACME1207.Q10.p7m", "BETA1207.X11",     "ACME1207.N12.P7M",
    };
    const SceltaNuovi s = ScegliNuovi(elenco, "ACME1207", Ricevuti(), Verificati(), 50);
    EXPECT_EQ(s.nuovi, QStringList({"ACME1207.L01", "ACME1207.x09", "ACME1207.Q10.p7m",
                                    "ACME1207.N12.P7M"}));
    EXPECT_EQ(s.totale, 4);

    // Clearances: any date or type, only what is there or unwrapped is left out.
    const SceltaNuovi a =
        ScegliNuovi({"ACME1106.L01", "ACME1207.X02", "ACME1207.L03.LOG", "ACME1207.W04.P7M"}, {},
                    Ricevuti(), Verificati(), 50, true);
    EXPECT_EQ(a.nuovi, QStringList({"ACME1106.L01"}));
}

TEST_F(ScegliNuoviTest, SessantaNuoviCinquantaPresi)
{
    QStringList elenco;
    for (int i = 1; i <= 60; ++i)
        elenco << QStringLiteral("ACME1207.N%1").arg(i, 2, 10, QLatin1Char('0'));
    const SceltaNuovi s = ScegliNuovi(elenco, "ACME1207", Ricevuti(), Verificati(), 50);
    EXPECT_EQ(s.totale, 60);
    EXPECT_EQ(s.nuovi, elenco.mid(0, 50));
}
