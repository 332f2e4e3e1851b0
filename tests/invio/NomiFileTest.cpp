#include "support/CartellaProgrammaTest.h"

#include "invio/NomiFile.h"
#include "shell/Calendario.h"
#include "shell/Global.h"

#include <QDir>

namespace {

class NomiFileTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        ParametriEdi.Progr1 = "00";
        ParametriEdi.Progr2 = "ZZ";
        RiempiGiorniMese(2023);
    }

    static EsitoFiltro Progressivo(const QString& testo)
    {
        return ControllaFiltro(4, testo, {}, LatoFiltro::Invio);
    }
    static EsitoFiltro Giorno(const QString& giorno, const QString& mese)
    {
        return ControllaFiltro(2, giorno, mese, LatoFiltro::Invio);
    }
};

} // namespace

TEST_F(NomiFileTest, IlProgressivoSiCompletaADueCaratteri)
{
    EXPECT_EQ(Progressivo("5").valore, "05");
    EXPECT_EQ(Progressivo("0").valore, "0?");
    EXPECT_EQ(Progressivo("B").valore, "B?");
    EXPECT_EQ(Progressivo("**").valore, "??");
    EXPECT_EQ(Progressivo("  ").valore, "??");
    EXPECT_EQ(Progressivo("a*").valore, "A?");
    // With the full range nothing is refused, not even the widest pattern.
    for (const char* t : {"??", "ZZ", "00", "Z?"})
        EXPECT_TRUE(Progressivo(t).valido) << t;
}

TEST_F(NomiFileTest, UnIntervalloRistrettoChiedeUnProgressivoDentro)
{
    ParametriEdi.Progr1 = "A0";
    ParametriEdi.Progr2 = "AZ";
    ASSERT_TRUE(IntervalloRistretto());

    const EsitoFiltro vuoto = Progressivo("??");
    EXPECT_FALSE(vuoto.valido);
    EXPECT_EQ(vuoto.messaggio, "INDICARE PRIMO CARATTERE DEL PROGRESSIVO\n DA 'A0'  A 'AZ'");

    const EsitoFiltro fuori = Progressivo("B?");
    EXPECT_FALSE(fuori.valido);
    EXPECT_EQ(fuori.messaggio, "PROGRESSIVO ERRATO\n DA 'A0'  A 'AZ'");

    EXPECT_FALSE(Progressivo("5").valido) << "05 lies below A0";
    const EsitoFiltro dentro = Progressivo("A?");
    EXPECT_TRUE(dentro.valido);
    EXPECT_EQ(dentro.valore, "A?");
    EXPECT_EQ(Progressivo("A").valore, "A?");
    EXPECT_TRUE(Progressivo("AZ").valido);
}

TEST_F(NomiFileTest, QuandoLIntervalloERistretto)
{
    EXPECT_FALSE(IntervalloRistretto());
    ParametriEdi.Progr1 = "01";
    EXPECT_TRUE(IntervalloRistretto());
    ParametriEdi.Progr1 = "00";
    ParametriEdi.Progr2 = "ZY";
    EXPECT_TRUE(IntervalloRistretto());
    // Blank settings are the defaults, not a range ending before "00".
    ParametriEdi.Progr1.clear();
    ParametriEdi.Progr2.clear();
    EXPECT_FALSE(IntervalloRistretto());
}

TEST_F(NomiFileTest, MeseEGiorno)
{
    EXPECT_EQ(ControllaFiltro(1, " 4", {}, LatoFiltro::Invio).valore, "04");
    EXPECT_EQ(ControllaFiltro(1, "12", {}, LatoFiltro::Ricezione).valore, "12");
    for (const char* mese : {"13", "00", "", "0"}) {
        const EsitoFiltro e = ControllaFiltro(1, mese, {}, LatoFiltro::Invio);
        EXPECT_FALSE(e.valido) << mese;
        EXPECT_EQ(e.messaggio, "MESE ERRATO");
    }

    EXPECT_EQ(Giorno("7", "12").valore, "07");
    EXPECT_FALSE(Giorno("31", "04").valido);
    EXPECT_EQ(Giorno("31", "04").messaggio, "GIORNO ERRATO");
    EXPECT_FALSE(Giorno("0", "04").valido);
    EXPECT_TRUE(Giorno("30", "04").valido);

    EXPECT_FALSE(Giorno("29", "02").valido);
    RiempiGiorniMese(2024);
    EXPECT_TRUE(Giorno("29", "02").valido);
    RiempiGiorniMese(2100);
    EXPECT_FALSE(Giorno("29", "02").valido) << "2100 is not a leap year";
    RiempiGiorniMese(2000);
    EXPECT_TRUE(Giorno("29", "02").valido);

    // While the month is wrong the day is left alone, whatever it holds.
    for (const char* mese : {"13", "00", ""}) {
        const EsitoFiltro e = Giorno("99", mese);
        EXPECT_TRUE(e.valido);
        EXPECT_TRUE(e.ignorato);
        EXPECT_EQ(e.valore, "99");
    }
    EXPECT_FALSE(Giorno("31", "04").ignorato);
}

TEST_F(NomiFileTest, LetteraDelTipoPerLato)
{
    auto tipo = [](const QString& t, LatoFiltro lato) { return ControllaFiltro(3, t, {}, lato); };
    EXPECT_EQ(tipo("", LatoFiltro::Invio).valore, "?");
    EXPECT_EQ(tipo("*", LatoFiltro::Invio).valore, "?");
    EXPECT_TRUE(tipo("4", LatoFiltro::Invio).valido);
    EXPECT_TRUE(tipo("t", LatoFiltro::Invio).valido);
    EXPECT_EQ(tipo("X", LatoFiltro::Invio).messaggio, "TIPO ERRATO");
    EXPECT_FALSE(tipo("A", LatoFiltro::Invio).valido);
    for (const QChar c : QString("TISRCMVQO4"))
        EXPECT_TRUE(tipo(c, LatoFiltro::Invio).valido);

    EXPECT_TRUE(tipo("X", LatoFiltro::Ricezione).valido);
    EXPECT_TRUE(tipo("L", LatoFiltro::Ricezione).valido);
    EXPECT_EQ(tipo("T", LatoFiltro::Ricezione).messaggio, "TIPO ERRATO");
    EXPECT_EQ(tipo("*", LatoFiltro::Ricezione).valore, "?");
}

TEST_F(NomiFileTest, GruppiDelleDueTabelle)
{
    EXPECT_EQ(QString(TipiRisposta).size(), 41);
    const QString invio = TipiInvio;
    const QString risposta = TipiRisposta;
    // group -> sent letter, reply letters
    const QList<std::tuple<int, QString, QString>> gruppi = {
        {1, "T", "AW"}, {2, "I", "GH"}, {3, "S", "FE"}, {4, "R", "UXNL"}, {5, "C", "DJ"},
        {6, "M", "BP"}, {7, "V", "YZ"}, {8, "Q", "01"}, {9, "O", "23"},   {0, "4", "56"}};
    for (const auto& [gruppo, inviata, risposte] : gruppi) {
        EXPECT_EQ(GruppoTipo(inviata, invio), gruppo) << inviata.toStdString();
        for (const QChar c : risposte)
            EXPECT_EQ(GruppoTipo(c, risposta), gruppo) << QString(c).toStdString();
    }
    EXPECT_EQ(GruppoTipo("?", invio), 1);
    EXPECT_EQ(GruppoTipo("?", risposta), 1);
    EXPECT_EQ(GruppoTipo(".", risposta), 1);
    EXPECT_EQ(GruppoTipo("", risposta), 1) << "a name shorter than ten characters";
    EXPECT_EQ(GruppoTipo("t", invio), 0);
    EXPECT_EQ(GruppoTipo("a", risposta), 0);
    EXPECT_EQ(GruppoTipo("K", risposta), 0);
    EXPECT_EQ(GruppoTipo("X", invio), 0);
}

TEST_F(NomiFileTest, ValoriIniziali)
{
    const auto campi = ValoriInizialiFiltro(QDate(2024, 3, 5));
    EXPECT_EQ(campi, (std::array<QString, 4>{"03", "05", "?", "??"}));
    ParametriEdi.Progr1 = "K0";
    EXPECT_EQ(ValoriInizialiFiltro(QDate(2024, 12, 25))[3], "K?");
}

TEST_F(NomiFileTest, Maschera)
{
    EXPECT_EQ(MascheraSelezione("ACME", {"12", "07", "T", "??"}), "ACME1207.T??*");
    EXPECT_EQ(MascheraSelezione("ACME", {"12", "7", "T", ""}), "ACME1207.T??*");
    EXPECT_EQ(MascheraSelezione("ACME", {"", " ", " ", "5"}), "ACME0000.?5?*");
    EXPECT_EQ(MascheraSelezione("ACME", {"1", "2", "RX", "A1B"}), "ACME0102.RA1*");
    ParametriEdi.Progr1 = "K0";
    ParametriEdi.Progr2 = "KZ";
    EXPECT_EQ(MascheraSelezione("ACME", {"12", "07", "T", "??"}), "ACME1207.TK?*");
    EXPECT_EQ(MascheraSelezione("ACME", {"12", "07", "T", "K3"}), "ACME1207.TK3*");
}

TEST_F(NomiFileTest, LaMascheraTrovaIFileComeLaRicercaDelSistema)
{
    EXPECT_TRUE(CorrispondeMaschera("ACME1207.T01", "ACME1207.T??*"));
    EXPECT_TRUE(CorrispondeMaschera("acme1207.t0a.p7m", "ACME1207.T??*"));
    EXPECT_FALSE(CorrispondeMaschera("ACME1207.T0", "ACME1207.T??*"));
    EXPECT_FALSE(CorrispondeMaschera("ACME1207.I01", "ACME1207.T??*"));
    EXPECT_FALSE(CorrispondeMaschera("XACME1207.T01", "ACME1207.T??*"));
    EXPECT_TRUE(CorrispondeMaschera("ACME1207.X01", "ACME1207.???*"));
    EXPECT_FALSE(CorrispondeMaschera("ACME1207XT01", "ACME1207.???*")) << "the dot is literal";

    const QString c = Percorso("Firmati");
    for (const char* n : {"ACME1207.T01", "acme1207.t02.P7M", "ACME1207.I01", "ACME1207.T1",
                          "ACME1208.T01", "ALTRO.TXT"})
        ScriviFile("Firmati/" + QString(n), "x");
    QDir().mkpath(c + "/ACME1207.T99");
    EXPECT_EQ(FileCorrispondenti(c, "ACME1207.T??*"),
              (QStringList{"ACME1207.T01", "acme1207.t02.P7M"}));
    EXPECT_EQ(FileCorrispondenti(c, "ACME12??.???*").size(), 4);
    EXPECT_TRUE(FileCorrispondenti(Percorso("Manca"), "*").isEmpty());
}
