#include "support/CartellaProgrammaTest.h"

#include "piattaforma/Percorsi.h"
#include "shell/CartelleLavoro.h"
#include "shell/ChiaviIni.h"
#include "shell/CollegamentoDogana.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QDir>
#include <QFileInfo>

using CollegamentoDoganaTest = CartellaProgrammaTest;

namespace {

QString Edi(const char* chiave)
{
    return LeggiIni(FileIni, "EDI", chiave);
}

ValoriParEdi Valori(const QString& base)
{
    ValoriParEdi v;
    v.host = " ftp.esempio.it ";
    v.utente = "ABCD";
    v.password = "Pa55";
    v.ditta = "Spedizioni Rossi";
    v.progr1 = "A0";
    v.progr2 = "BZ";
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
    EXPECT_EQ(ProgressivoIniziale("A5"), "A0");
    EXPECT_EQ(ProgressivoIniziale("7"), "70");
    EXPECT_EQ(ProgressivoIniziale(""), "00");
    EXPECT_EQ(ProgressivoIniziale("  "), "00");
    EXPECT_EQ(ProgressivoFinale("B"), "BZ");
    EXPECT_EQ(ProgressivoFinale("B3"), "BZ");
    EXPECT_EQ(ProgressivoFinale(""), "ZZ");
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
    const QString base = Percorso("Firma");
    ASSERT_TRUE(QDir().mkdir(base));
    EXPECT_TRUE(ConfermaParametriEdi(Valori(base + "/")));

    EXPECT_EQ(Edi("HOSTFTP"), "ftp.esempio.it");
    EXPECT_EQ(Edi("AUTORFTP"), "ABCD");
    EXPECT_NE(Edi("PASSWFTP"), "Pa55");
    EXPECT_EQ(DecodificaParola(Edi("PASSWFTP")), "Pa55");
    EXPECT_EQ(Edi("DITTA"), "Spedizioni Rossi");
    EXPECT_EQ(Edi("PROGR1"), "A0");
    EXPECT_EQ(Edi("PROGR2"), "BZ");
    EXPECT_EQ(Edi("COLSORTINV"), "2");
    EXPECT_EQ(Edi("MODSORTINV"), "2");
    EXPECT_EQ(Edi("COLSORTRIC"), "1");
    EXPECT_EQ(Edi("MODSORTRIC"), "1");
    EXPECT_EQ(Edi("DEBUG"), "1");
    EXPECT_EQ(Edi("NUMFILE"), "4");
    EXPECT_EQ(LeggiIni(FileIni, "PC", "PATH"), base);
    EXPECT_EQ(MaxFile, 20);
    EXPECT_EQ(ParametriEdi.HostFtp, "ftp.esempio.it");
    EXPECT_EQ(ParametriEdi.PasswordFtp, "Pa55");
    EXPECT_EQ(ParametriEdi.CartellaBase, base);
    EXPECT_EQ(OrdinaColInvio, 2);
    EXPECT_EQ(ModoDebug, 1);
    for (const char* sotto : {"Ricevuti", "Inviati", "Firmati", "Verificati", "DaVerificare"})
        EXPECT_TRUE(QFileInfo(base + "/" + sotto).isDir()) << sotto;
    EXPECT_EQ(ParametriEdi.CartellaFirmati, base + "/Firmati");

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
    ASSERT_TRUE(QDir().mkdir(Percorso("B")));
    ValoriParEdi v = Valori(Percorso("B"));
    v.posizioneNumFile = 0;
    ConfermaParametriEdi(v);
    EXPECT_EQ(Edi("NUMFILE"), "1");
    EXPECT_EQ(MaxFile, 5);
    v.posizioneNumFile = 9;
    ConfermaParametriEdi(v);
    EXPECT_EQ(Edi("NUMFILE"), "10");
    EXPECT_EQ(MaxFile, 50);
}

TEST_F(CollegamentoDoganaTest, ValoriFuoriListaRestanoComeErano)
{
    ASSERT_TRUE(QDir().mkdir(Percorso("B")));
    OrdinaColInvio = 5;
    OrdinaModoRicevi = Decrescente;
    ModoDebug = 1;
    MaxFile = 100;
    ValoriParEdi v = Valori(Percorso("B"));
    v.colInvio = v.modoRicevi = v.debug = v.posizioneNumFile = -1;
    ConfermaParametriEdi(v);
    EXPECT_EQ(OrdinaColInvio, 5);
    EXPECT_EQ(Edi("COLSORTINV"), "5");
    EXPECT_EQ(Edi("MODSORTRIC"), "2");
    EXPECT_EQ(Edi("DEBUG"), "1");
    EXPECT_EQ(Edi("NUMFILE"), "20");
    EXPECT_EQ(MaxFile, 100);
}

TEST_F(CollegamentoDoganaTest, SottoCartelleNonCreabili)
{
    // The base folder itself is not created: its sub-folders cannot be.
    const QString base = Percorso("manca");
    EXPECT_FALSE(ConfermaParametriEdi(Valori(base)));
    EXPECT_FALSE(QFileInfo::exists(base));
    EXPECT_EQ(LeggiIni(FileIni, "PC", "PATH"), base);

    // A file where a sub-folder should be.
    ASSERT_TRUE(QDir().mkdir(Percorso("B")));
    ScriviFile("B/Inviati", "x");
    EXPECT_FALSE(ConfermaParametriEdi(Valori(Percorso("B"))));
    EXPECT_TRUE(QFileInfo(Percorso("B/Ricevuti")).isDir());
    EXPECT_TRUE(QFileInfo(Percorso("B/DaVerificare")).isDir());
}

TEST_F(CollegamentoDoganaTest, SenzaCartellaBaseNienteAlberoNellaCorrente)
{
    const QString corrente = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(Cartella()));
    EXPECT_TRUE(ConfermaParametriEdi(Valori("")));
    QDir::setCurrent(corrente);
    EXPECT_FALSE(QFileInfo::exists(Percorso("Ricevuti")));
    EXPECT_EQ(LeggiIni(FileIni, "PC", "PATH"), "");
}

TEST(CartelleLavoro, RadiceComeBase)
{
    // "/" keeps its separator and the sub-folders do not double it.
    EXPECT_EQ(SenzaSeparatoreFinale("/"), "/");
    ParametriEdi.CartellaBase = SenzaSeparatoreFinale("/");
    ImpostaPercorsiCartelle();
    EXPECT_EQ(ParametriEdi.CartellaRicevuti, "/Ricevuti");
    EXPECT_EQ(ParametriEdi.CartellaDaVerificare, "/DaVerificare");
    ParametriEdi.CartellaBase = "/dati/FirmaVerifica";
    ImpostaPercorsiCartelle();
    EXPECT_EQ(ParametriEdi.CartellaInviati, "/dati/FirmaVerifica/Inviati");
    EXPECT_EQ(ParametriEdi.CartellaVerificati, "/dati/FirmaVerifica/Verificati");
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
        {"1", Crescente, "1"}, {"2", Decrescente, "2"}, {"", Crescente, "1"},
        {"0", Crescente, "1"}, {"3", Crescente, "1"},   {"2 | a ritroso", Decrescente, "2"},
        {"x", Crescente, "1"},
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
        EXPECT_EQ(Edi("MODSORTRIC"), QLatin1StringView(c.riscritto));
    }
    // The choice of the parameters window, as its option's number.
    for (int scelta : {1, 2}) {
        ValoriParEdi v = Valori(Percorso(QStringLiteral("B")));
        v.modoInvio = scelta;
        ConfermaParametriEdi(v);
        EXPECT_EQ(OrdinaModoInvio, scelta == 2 ? Decrescente : Crescente);
        EXPECT_EQ(Edi("MODSORTINV"), QString::number(scelta));
    }
}
