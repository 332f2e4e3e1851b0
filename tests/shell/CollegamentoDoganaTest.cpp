#include "support/CartellaProgrammaTest.h"

#include "piattaforma/Percorsi.h"
#include "shell/CartelleLavoro.h"
#include "shell/ChiaviIni.h"
#include "shell/CollegamentoDogana.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

using CollegamentoDoganaTest = CartellaProgrammaTest;

namespace {

QString Edi(const QString& chiave)
{
    return LeggiIni(FileIni, u"EDI"_s, chiave);
}

ValoriParEdi Valori(const QString& base)
{
    ValoriParEdi v;
    v.host = u" ftp.esempio.it "_s;
    v.utente = u"ABCD"_s;
    v.password = u"Pa55"_s;
    v.ditta = u"Spedizioni Rossi"_s;
    v.progr1 = u"A0"_s;
    v.progr2 = u"BZ"_s;
    v.colInvio = 2;
    v.modoInvio = 2;
    v.colRicevi = 1;
    v.modoRicevi = 1;
    v.cartellaBase = base;
    v.debug = 1;
    v.posizioneNumFile = 3;
    return v;
}

} // namespace

TEST(Progressivi, PrimoCarattereEZeroOZeta)
{
    EXPECT_EQ(ProgressivoIniziale(u"A5"_s), u"A0"_s);
    EXPECT_EQ(ProgressivoIniziale(u"7"_s), u"70"_s);
    EXPECT_EQ(ProgressivoIniziale(u""_s), u"00"_s);
    EXPECT_EQ(ProgressivoIniziale(u"  "_s), u"00"_s);
    EXPECT_EQ(ProgressivoFinale(u"B"_s), u"BZ"_s);
    EXPECT_EQ(ProgressivoFinale(u"B3"_s), u"BZ"_s);
    EXPECT_EQ(ProgressivoFinale(u""_s), u"ZZ"_s);
}

TEST(Progressivi, PosizioneDellaLista)
{
    EXPECT_EQ(PosizioneNumFile(5), 0);
    EXPECT_EQ(PosizioneNumFile(25), 4);
    EXPECT_EQ(PosizioneNumFile(50), 9);
    for (int fuori : {0, 4, 7, 55, 100, -5})
        EXPECT_EQ(PosizioneNumFile(fuori), -1) << fuori;
}

TEST_F(CollegamentoDoganaTest, ConfermaScriveFileEGlobali)
{
    const QString base = Percorso(u"Firma"_s);
    ASSERT_TRUE(QDir().mkdir(base));
    EXPECT_TRUE(ConfermaParametriEdi(Valori(base + u"/"_s)));

    EXPECT_EQ(Edi(u"HOSTFTP"_s), u"ftp.esempio.it"_s);
    EXPECT_EQ(Edi(u"AUTORFTP"_s), u"ABCD"_s);
    EXPECT_NE(Edi(u"PASSWFTP"_s), u"Pa55"_s);
    EXPECT_EQ(DecodificaParola(Edi(u"PASSWFTP"_s)), u"Pa55"_s);
    EXPECT_EQ(Edi(u"DITTA"_s), u"Spedizioni Rossi"_s);
    EXPECT_EQ(Edi(u"PROGR1"_s), u"A0"_s);
    EXPECT_EQ(Edi(u"PROGR2"_s), u"BZ"_s);
    EXPECT_EQ(Edi(u"COLSORTINV"_s), u"2"_s);
    EXPECT_EQ(Edi(u"MODSORTINV"_s), u"2"_s);
    EXPECT_EQ(Edi(u"COLSORTRIC"_s), u"1"_s);
    EXPECT_EQ(Edi(u"MODSORTRIC"_s), u"1"_s);
    EXPECT_EQ(Edi(u"DEBUG"_s), u"1"_s);
    EXPECT_EQ(Edi(u"NUMFILE"_s), u"4"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"PC"_s, u"PATH"_s), base);
    EXPECT_EQ(MaxFile, 20);
    EXPECT_EQ(ParametriEdi.HostFtp, u"ftp.esempio.it"_s);
    EXPECT_EQ(ParametriEdi.PasswordFtp, u"Pa55"_s);
    EXPECT_EQ(ParametriEdi.CartellaBase, base);
    EXPECT_EQ(OrdinaColInvio, 2);
    EXPECT_EQ(ModoDebug, 1);
    for (const QString& sotto :
         {u"Ricevuti"_s, u"Inviati"_s, u"Firmati"_s, u"Verificati"_s, u"DaVerificare"_s})
        EXPECT_TRUE(QFileInfo(base + u"/"_s + sotto).isDir()) << sotto.toStdString();
    EXPECT_EQ(ParametriEdi.CartellaFirmati, base + u"/Firmati"_s);

    // What the next start loads is what was confirmed.
    const ParametriEdiT confermati = ParametriEdi;
    const QString fileIni = FileIni;
    AzzeraGlobali();
    FileIni = fileIni;
    CaricaParametriEdi();
    EXPECT_EQ(ParametriEdi.PasswordFtp, confermati.PasswordFtp);
    EXPECT_EQ(ParametriEdi.CartellaBase, confermati.CartellaBase);
    EXPECT_EQ(MaxFile, 20);
    EXPECT_EQ(OrdinaModoInvio, Decrescente);
}

TEST_F(CollegamentoDoganaTest, NumeroDiFileAgliEstremi)
{
    ASSERT_TRUE(QDir().mkdir(Percorso(u"B"_s)));
    ValoriParEdi v = Valori(Percorso(u"B"_s));
    v.posizioneNumFile = 0;
    ConfermaParametriEdi(v);
    EXPECT_EQ(Edi(u"NUMFILE"_s), u"1"_s);
    EXPECT_EQ(MaxFile, 5);
    v.posizioneNumFile = 9;
    ConfermaParametriEdi(v);
    EXPECT_EQ(Edi(u"NUMFILE"_s), u"10"_s);
    EXPECT_EQ(MaxFile, 50);
}

TEST_F(CollegamentoDoganaTest, ValoriFuoriListaRestanoComeErano)
{
    ASSERT_TRUE(QDir().mkdir(Percorso(u"B"_s)));
    OrdinaColInvio = 5;
    OrdinaModoRicevi = Decrescente;
    ModoDebug = 1;
    MaxFile = 100;
    ValoriParEdi v = Valori(Percorso(u"B"_s));
    v.colInvio = v.modoRicevi = v.debug = v.posizioneNumFile = -1;
    ConfermaParametriEdi(v);
    EXPECT_EQ(OrdinaColInvio, 5);
    EXPECT_EQ(Edi(u"COLSORTINV"_s), u"5"_s);
    EXPECT_EQ(Edi(u"MODSORTRIC"_s), u"2"_s);
    EXPECT_EQ(Edi(u"DEBUG"_s), u"1"_s);
    EXPECT_EQ(Edi(u"NUMFILE"_s), u"20"_s);
    EXPECT_EQ(MaxFile, 100);
}

TEST_F(CollegamentoDoganaTest, SottoCartelleNonCreabili)
{
    // The base folder itself is not created: its sub-folders cannot be.
    const QString base = Percorso(u"manca"_s);
    EXPECT_FALSE(ConfermaParametriEdi(Valori(base)));
    EXPECT_FALSE(QFileInfo::exists(base));
    EXPECT_EQ(LeggiIni(FileIni, u"PC"_s, u"PATH"_s), base);

    // A file where a sub-folder should be.
    ASSERT_TRUE(QDir().mkdir(Percorso(u"B"_s)));
    ScriviFile(u"B/Inviati"_s, "x");
    EXPECT_FALSE(ConfermaParametriEdi(Valori(Percorso(u"B"_s))));
    EXPECT_TRUE(QFileInfo(Percorso(u"B/Ricevuti"_s)).isDir());
    EXPECT_TRUE(QFileInfo(Percorso(u"B/DaVerificare"_s)).isDir());
}

TEST_F(CollegamentoDoganaTest, SenzaCartellaBaseNienteAlberoNellaCorrente)
{
    const QString corrente = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(Cartella()));
    EXPECT_TRUE(ConfermaParametriEdi(Valori(u""_s)));
    QDir::setCurrent(corrente);
    EXPECT_FALSE(QFileInfo::exists(Percorso(u"Ricevuti"_s)));
    EXPECT_EQ(LeggiIni(FileIni, u"PC"_s, u"PATH"_s), u""_s);
}

TEST(CartelleLavoro, RadiceComeBase)
{
    // "/" keeps its separator and the sub-folders do not double it.
    EXPECT_EQ(SenzaSeparatoreFinale(u"/"_s), u"/"_s);
    ParametriEdi.CartellaBase = SenzaSeparatoreFinale(u"/"_s);
    ImpostaPercorsiCartelle();
    EXPECT_EQ(ParametriEdi.CartellaRicevuti, u"/Ricevuti"_s);
    EXPECT_EQ(ParametriEdi.CartellaDaVerificare, u"/DaVerificare"_s);
    ParametriEdi.CartellaBase = u"/dati/FirmaVerifica"_s;
    ImpostaPercorsiCartelle();
    EXPECT_EQ(ParametriEdi.CartellaInviati, u"/dati/FirmaVerifica/Inviati"_s);
    EXPECT_EQ(ParametriEdi.CartellaVerificati, u"/dati/FirmaVerifica/Verificati"_s);
}

// The direction reads as the file has it and goes back as 1 or 2, as it
// always has: a confirm that leaves it alone writes what was read.
TEST_F(CollegamentoDoganaTest, DirezioneDiOrdinamentoComeNelFile)
{
    ASSERT_TRUE(QDir().mkdir(Percorso(QStringLiteral("B"))));
    const struct
    {
        const char* scritto;
        ModoOrdine letto;
        const char* riscritto;
    } casi[] = {
        {"1", Crescente, "1"}, {"2", Decrescente, "2"},  {"", Crescente, "1"},
        {"0", Crescente, "1"}, {"3", Decrescente, "2"},  {"2 | a ritroso", Decrescente, "2"},
        {"x", Crescente, "1"}, {"-1", Decrescente, "2"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.scritto);
        ScriviIni(FileIni, QStringLiteral("EDI"), QStringLiteral("MODSORTRIC"),
                  QString::fromLatin1(c.scritto));
        CaricaParametriEdi();
        EXPECT_EQ(OrdinaModoRicevi, c.letto);
        ValoriParEdi v = Valori(Percorso(QStringLiteral("B")));
        v.modoRicevi = -1;
        ConfermaParametriEdi(v);
        EXPECT_EQ(Edi(u"MODSORTRIC"_s), QLatin1StringView(c.riscritto));
    }
    // The choice of the parameters window, as its option's number.
    for (int scelta : {1, 2}) {
        ValoriParEdi v = Valori(Percorso(QStringLiteral("B")));
        v.modoInvio = scelta;
        ConfermaParametriEdi(v);
        EXPECT_EQ(OrdinaModoInvio, scelta == 2 ? Decrescente : Crescente);
        EXPECT_EQ(Edi(u"MODSORTINV"_s), QString::number(scelta));
    }
}
