#include "support/CartellaProgrammaTest.h"

#include "shell/Calendario.h"
#include "shell/Global.h"
#include "shell/NomiFile.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

class NomiFileTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        ParametriEdi.Progr1 = u"00"_s;
        ParametriEdi.Progr2 = u"ZZ"_s;
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
    EXPECT_EQ(Progressivo(u"5"_s).valore, u"05"_s);
    EXPECT_EQ(Progressivo(u"0"_s).valore, u"0?"_s);
    EXPECT_EQ(Progressivo(u"B"_s).valore, u"B?"_s);
    EXPECT_EQ(Progressivo(u"**"_s).valore, u"??"_s);
    EXPECT_EQ(Progressivo(u"  "_s).valore, u"??"_s);
    EXPECT_EQ(Progressivo(u"a*"_s).valore, u"A?"_s);
    // With the full range nothing is refused, not even the widest pattern.
    for (const QString& t : {u"??"_s, u"ZZ"_s, u"00"_s, u"Z?"_s})
        EXPECT_TRUE(Progressivo(t).valido) << t.toStdString();
}

TEST_F(NomiFileTest, UnIntervalloRistrettoChiedeUnProgressivoDentro)
{
    ParametriEdi.Progr1 = u"A0"_s;
    ParametriEdi.Progr2 = u"AZ"_s;
    ASSERT_TRUE(IntervalloRistretto());

    const EsitoFiltro vuoto = Progressivo(u"??"_s);
    EXPECT_FALSE(vuoto.valido);
    EXPECT_EQ(vuoto.messaggio, u"INDICARE PRIMO CARATTERE DEL PROGRESSIVO\n DA 'A0'  A 'AZ'"_s);

    const EsitoFiltro fuori = Progressivo(u"B?"_s);
    EXPECT_FALSE(fuori.valido);
    EXPECT_EQ(fuori.messaggio, u"PROGRESSIVO ERRATO\n DA 'A0'  A 'AZ'"_s);

    EXPECT_FALSE(Progressivo(u"5"_s).valido) << "05 lies below A0";
    const EsitoFiltro dentro = Progressivo(u"A?"_s);
    EXPECT_TRUE(dentro.valido);
    EXPECT_EQ(dentro.valore, u"A?"_s);
    EXPECT_EQ(Progressivo(u"A"_s).valore, u"A?"_s);
    EXPECT_TRUE(Progressivo(u"AZ"_s).valido);
}

TEST_F(NomiFileTest, QuandoLIntervalloERistretto)
{
    EXPECT_FALSE(IntervalloRistretto());
    ParametriEdi.Progr1 = u"01"_s;
    EXPECT_TRUE(IntervalloRistretto());
    ParametriEdi.Progr1 = u"00"_s;
    ParametriEdi.Progr2 = u"ZY"_s;
    EXPECT_TRUE(IntervalloRistretto());
    // Blank settings are the defaults, not a range ending before "00".
    ParametriEdi.Progr1.clear();
    ParametriEdi.Progr2.clear();
    EXPECT_FALSE(IntervalloRistretto());
}

TEST_F(NomiFileTest, MeseEGiorno)
{
    EXPECT_EQ(ControllaFiltro(1, u" 4"_s, {}, LatoFiltro::Invio).valore, u"04"_s);
    EXPECT_EQ(ControllaFiltro(1, u"12"_s, {}, LatoFiltro::Ricezione).valore, u"12"_s);
    for (const QString& mese : {u"13"_s, u"00"_s, u""_s, u"0"_s}) {
        const EsitoFiltro e = ControllaFiltro(1, mese, {}, LatoFiltro::Invio);
        EXPECT_FALSE(e.valido) << mese.toStdString();
        EXPECT_EQ(e.messaggio, u"MESE ERRATO"_s);
    }

    EXPECT_EQ(Giorno(u"7"_s, u"12"_s).valore, u"07"_s);
    EXPECT_FALSE(Giorno(u"31"_s, u"04"_s).valido);
    EXPECT_EQ(Giorno(u"31"_s, u"04"_s).messaggio, u"GIORNO ERRATO"_s);
    EXPECT_FALSE(Giorno(u"0"_s, u"04"_s).valido);
    EXPECT_TRUE(Giorno(u"30"_s, u"04"_s).valido);

    EXPECT_FALSE(Giorno(u"29"_s, u"02"_s).valido);
    RiempiGiorniMese(2024);
    EXPECT_TRUE(Giorno(u"29"_s, u"02"_s).valido);
    RiempiGiorniMese(2100);
    EXPECT_FALSE(Giorno(u"29"_s, u"02"_s).valido) << "2100 is not a leap year";
    RiempiGiorniMese(2000);
    EXPECT_TRUE(Giorno(u"29"_s, u"02"_s).valido);

    // While the month is wrong the day is left alone, whatever it holds.
    for (const QString& mese : {u"13"_s, u"00"_s, u""_s}) {
        const EsitoFiltro e = Giorno(u"99"_s, mese);
        EXPECT_TRUE(e.valido);
        EXPECT_TRUE(e.ignorato);
        EXPECT_EQ(e.valore, u"99"_s);
    }
    EXPECT_FALSE(Giorno(u"31"_s, u"04"_s).ignorato);
}

TEST_F(NomiFileTest, LetteraDelTipoPerLato)
{
    auto tipo = [](const QString& t, LatoFiltro lato) { return ControllaFiltro(3, t, {}, lato); };
    EXPECT_EQ(tipo(u""_s, LatoFiltro::Invio).valore, u"?"_s);
    EXPECT_EQ(tipo(u"*"_s, LatoFiltro::Invio).valore, u"?"_s);
    EXPECT_TRUE(tipo(u"4"_s, LatoFiltro::Invio).valido);
    EXPECT_TRUE(tipo(u"t"_s, LatoFiltro::Invio).valido);
    EXPECT_EQ(tipo(u"X"_s, LatoFiltro::Invio).messaggio, u"TIPO ERRATO"_s);
    EXPECT_FALSE(tipo(u"A"_s, LatoFiltro::Invio).valido);
    for (const QChar c : u"TISRCMVQO4"_s)
        EXPECT_TRUE(tipo(c, LatoFiltro::Invio).valido);

    EXPECT_TRUE(tipo(u"X"_s, LatoFiltro::Ricezione).valido);
    EXPECT_TRUE(tipo(u"L"_s, LatoFiltro::Ricezione).valido);
    EXPECT_EQ(tipo(u"T"_s, LatoFiltro::Ricezione).messaggio, u"TIPO ERRATO"_s);
    EXPECT_EQ(tipo(u"*"_s, LatoFiltro::Ricezione).valore, u"?"_s);
}

TEST_F(NomiFileTest, GruppiDelleDueTabelle)
{
    EXPECT_EQ(QString::fromLatin1(TipiRisposta).size(), 41);
    const QString invio = QString::fromLatin1(TipiInvio);
    const QString risposta = QString::fromLatin1(TipiRisposta);
    // group -> sent letter, reply letters
    const QList<std::tuple<int, QString, QString>> gruppi = {
        {1, u"T"_s, u"AW"_s}, {2, u"I"_s, u"GH"_s}, {3, u"S"_s, u"FE"_s}, {4, u"R"_s, u"UXNL"_s},
        {5, u"C"_s, u"DJ"_s}, {6, u"M"_s, u"BP"_s}, {7, u"V"_s, u"YZ"_s}, {8, u"Q"_s, u"01"_s},
        {9, u"O"_s, u"23"_s}, {0, u"4"_s, u"56"_s}};
    for (const auto& [gruppo, inviata, risposte] : gruppi) {
        EXPECT_EQ(GruppoTipo(inviata, invio), gruppo) << inviata.toStdString();
        for (const QChar c : risposte)
            EXPECT_EQ(GruppoTipo(c, risposta), gruppo) << QString(c).toStdString();
    }
    EXPECT_EQ(GruppoTipo(u"?"_s, invio), 1);
    EXPECT_EQ(GruppoTipo(u"?"_s, risposta), 1);
    EXPECT_EQ(GruppoTipo(u"."_s, risposta), 1);
    EXPECT_EQ(GruppoTipo(u""_s, risposta), 1) << "a name shorter than ten characters";
    EXPECT_EQ(GruppoTipo(u"t"_s, invio), 0);
    EXPECT_EQ(GruppoTipo(u"a"_s, risposta), 0);
    EXPECT_EQ(GruppoTipo(u"K"_s, risposta), 0);
    EXPECT_EQ(GruppoTipo(u"X"_s, invio), 0);
}

TEST_F(NomiFileTest, ValoriIniziali)
{
    const auto campi = ValoriInizialiFiltro(QDate(2024, 3, 5));
    EXPECT_EQ(campi, (std::array<QString, 4>{u"03"_s, u"05"_s, u"?"_s, u"??"_s}));
    ParametriEdi.Progr1 = u"K0"_s;
    EXPECT_EQ(ValoriInizialiFiltro(QDate(2024, 12, 25))[3], u"K?"_s);
}

TEST_F(NomiFileTest, Maschera)
{
    EXPECT_EQ(MascheraSelezione(u"ACME"_s, {u"12"_s, u"07"_s, u"T"_s, u"??"_s}),
              u"ACME1207.T??*"_s);
    EXPECT_EQ(MascheraSelezione(u"ACME"_s, {u"12"_s, u"7"_s, u"T"_s, u""_s}), u"ACME1207.T??*"_s);
    EXPECT_EQ(MascheraSelezione(u"ACME"_s, {u""_s, u" "_s, u" "_s, u"5"_s}), u"ACME0000.?5?*"_s);
    EXPECT_EQ(MascheraSelezione(u"ACME"_s, {u"1"_s, u"2"_s, u"RX"_s, u"A1B"_s}),
              u"ACME0102.RA1*"_s);
    ParametriEdi.Progr1 = u"K0"_s;
    ParametriEdi.Progr2 = u"KZ"_s;
    EXPECT_EQ(MascheraSelezione(u"ACME"_s, {u"12"_s, u"07"_s, u"T"_s, u"??"_s}),
              u"ACME1207.TK?*"_s);
    EXPECT_EQ(MascheraSelezione(u"ACME"_s, {u"12"_s, u"07"_s, u"T"_s, u"K3"_s}),
              u"ACME1207.TK3*"_s);
}

TEST_F(NomiFileTest, LaMascheraTrovaIFileComeLaRicercaDelSistema)
{
    EXPECT_TRUE(CorrispondeMaschera(u"ACME1207.T01"_s, u"ACME1207.T??*"_s));
    EXPECT_TRUE(CorrispondeMaschera(u"acme1207.t0a.p7m"_s, u"ACME1207.T??*"_s));
    EXPECT_FALSE(CorrispondeMaschera(u"ACME1207.T0"_s, u"ACME1207.T??*"_s));
    EXPECT_FALSE(CorrispondeMaschera(u"ACME1207.I01"_s, u"ACME1207.T??*"_s));
    EXPECT_FALSE(CorrispondeMaschera(u"XACME1207.T01"_s, u"ACME1207.T??*"_s));
    EXPECT_TRUE(CorrispondeMaschera(u"ACME1207.X01"_s, u"ACME1207.???*"_s));
    EXPECT_FALSE(CorrispondeMaschera(u"ACME1207XT01"_s, u"ACME1207.???*"_s))
        << "the dot is literal";

    const QString c = Percorso(u"Firmati"_s);
    for (const QString& n : {u"ACME1207.T01"_s, u"acme1207.t02.P7M"_s, u"ACME1207.I01"_s,
                             u"ACME1207.T1"_s, u"ACME1208.T01"_s, u"ALTRO.TXT"_s})
        ScriviFile(u"Firmati/"_s + QString(n), "x");
    QDir().mkpath(c + u"/ACME1207.T99"_s);
    EXPECT_EQ(FileCorrispondenti(c, u"ACME1207.T??*"_s),
              (QStringList{u"ACME1207.T01"_s, u"acme1207.t02.P7M"_s}));
    EXPECT_EQ(FileCorrispondenti(c, u"ACME12??.???*"_s).size(), 4);
    EXPECT_TRUE(FileCorrispondenti(Percorso(u"Manca"_s), u"*"_s).isEmpty());
}
