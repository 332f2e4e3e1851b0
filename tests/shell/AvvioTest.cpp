#include "support/CartellaProgrammaTest.h"

#include "shell/Avvio.h"
#include "shell/Calendario.h"
#include "shell/CartelleLavoro.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// 15360 x 11520 twips: a 1024 x 768 screen.
constexpr int L = 15360;
constexpr int A = 11520;

QRect Limita(QRect g, int lato = 0, int altezzaBarra = 0, int larghezzaBarra = 0)
{
    return LimitaGeometria(g, L, A, lato, altezzaBarra, larghezzaBarra);
}

using AvvioTest = CartellaProgrammaTest;

} // namespace

TEST(LimitaGeometria, MisureMinimeEBordiDelloSchermo)
{
    EXPECT_EQ(Limita(QRect(0, 0, 0, 0)), QRect(0, 0, 5400, 3890));
    EXPECT_EQ(Limita(QRect(-300, -20, 3000, 6000)), QRect(0, 0, 5400, 6000));
    // Past the right and bottom edges: pulled back to fit.
    EXPECT_EQ(Limita(QRect(14000, 11000, 6000, 4500)), QRect(L - 6000, A - 4500, 6000, 4500));
    // Bigger than the screen: cut to it, at the corner.
    EXPECT_EQ(Limita(QRect(100, 100, 40000, 30000)), QRect(0, 0, L, A));
}

TEST(LimitaGeometria, LontanoDallaTaskbar)
{
    const QRect g(9000, 7000, 6000, 4500);
    // Bottom, 600 twips high: the window's bottom edge stays above it.
    EXPECT_EQ(Limita(g, 0, 600, L), QRect(9000, A - 600 - 4500, 6000, 4500));
    // Right, 900 wide.
    EXPECT_EQ(Limita(g, 1, A, 900), QRect(L - 900 - 6000, 7000, 6000, 4500));
    // Top and left: pushed off them.
    EXPECT_EQ(Limita(QRect(0, 0, 6000, 4500), 2, 600, L), QRect(0, 600, 6000, 4500));
    EXPECT_EQ(Limita(QRect(0, 0, 6000, 4500), 3, A, 900), QRect(900, 0, 6000, 4500));
    // A window as tall as the screen gives way to a bottom taskbar.
    EXPECT_EQ(Limita(QRect(0, 0, 6000, A), 0, 600, L), QRect(0, 0, 6000, A - 600));
}

TEST(GiorniMese, FebbraioSecondoIlCalendarioGregoriano)
{
    for (const auto& [anno, febbraio] :
         {std::pair{2023, 28}, {2024, 29}, {1900, 28}, {2000, 29}, {2100, 28}}) {
        RiempiGiorniMese(anno);
        EXPECT_EQ(GiorniMese[2], febbraio) << anno;
    }
    EXPECT_EQ(GiorniMese[1], 31);
    EXPECT_EQ(GiorniMese[4], 30);
    EXPECT_EQ(GiorniMese[12], 31);
}

TEST_F(AvvioTest, FileIniNuovoConLeDueCartelleSoltanto)
{
    const QByteArray casa = qgetenv("HOME");
    qputenv("HOME", Percorso("utente").toUtf8());
    CreaFileIniSeManca();
    qputenv("HOME", casa);
    EXPECT_EQ(
        LeggiFile(FileIni),
        ("[UNIX]\nPATH=/tmp/edi\n[PC]\nPATH=" + Percorso("utente") + "/FirmaVerifica\n").toUtf8());
    // An existing file is left as it is.
    ScriviFile(FileIni, "[PC]\nPATH=/srv/edi\n");
    CreaFileIniSeManca();
    EXPECT_EQ(LeggiFile(FileIni), "[PC]\nPATH=/srv/edi\n");
}

TEST_F(AvvioTest, CartellaProgrammaEFileIni)
{
    CartellaProgramma = Cartella() + "/";
    ImpostaCartellaProgramma();
    EXPECT_EQ(CartellaProgramma, Cartella());
    // Named after the executable: here, the test program.
    EXPECT_EQ(FileIni, Cartella() + "/test_shell.ini");
    EXPECT_EQ(QDir::current(), QDir(Cartella()));
}

TEST_F(AvvioTest, DefaultDegliApplicativiSoloSeVuoti)
{
    ImpostaDefaultApplicativi();
    EXPECT_EQ(LeggiIni(FileIni, "APPLICATIVI", "NomeVarie1"), "Editor di testi");
    EXPECT_EQ(LeggiIni(FileIni, "APPLICATIVI", "Varie1"), "xdg-open");
    ScriviIni(FileIni, "APPLICATIVI", "nomeVarie1", "Blocco note");
    ScriviIni(FileIni, "APPLICATIVI", "Varie1", "/usr/bin/mousepad");
    ImpostaDefaultApplicativi();
    EXPECT_EQ(LeggiIni(FileIni, "APPLICATIVI", "NomeVarie1"), "Blocco note");
    EXPECT_EQ(LeggiIni(FileIni, "APPLICATIVI", "Varie1"), "/usr/bin/mousepad");
}

TEST_F(AvvioTest, VociDelMenuApplicativi)
{
    // Entry 1 always has a name and a command.
    VoceApplicativo v = LeggiVoceApplicativo(1);
    EXPECT_EQ(v.nome, "Editor di Testi");
    EXPECT_EQ(v.comando, CartellaProgramma);
    EXPECT_TRUE(v.visibile);
    ScriviIni(FileIni, "APPLICATIVI", "NomeVarie2", "  Paghe  ");
    EXPECT_FALSE(LeggiVoceApplicativo(2).visibile);
    ScriviIni(FileIni, "APPLICATIVI", "Varie11", "/opt/x");
    EXPECT_FALSE(LeggiVoceApplicativo(11).visibile);
    ScriviIni(FileIni, "APPLICATIVI", "NomeVarie11", "Ultima");
    v = LeggiVoceApplicativo(11);
    EXPECT_EQ(v.nome, "Ultima");
    EXPECT_TRUE(v.visibile);
}

TEST_F(AvvioTest, AlberoDelleCartelle)
{
    ParametriEdi.CartellaBase = Percorso("FirmaVerifica");
    QDir().mkpath(Percorso("FirmaVerifica/Inviati"));
    EXPECT_TRUE(CreaCartelle());
    EXPECT_EQ(ParametriEdi.CartellaDaVerificare, Percorso("FirmaVerifica/DaVerificare"));
    EXPECT_EQ(QDir(Percorso("FirmaVerifica")).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList({"DaVerificare", "Firmati", "Inviati", "Ricevuti", "Verificati"}));
}

TEST_F(AvvioTest, BaseSottoUnaCartellaCheNonEsiste)
{
    ParametriEdi.CartellaBase = Percorso("manca/FirmaVerifica");
    EXPECT_FALSE(CreaCartelle());
    EXPECT_FALSE(QFileInfo::exists(Percorso("manca")));
    EXPECT_EQ(ParametriEdi.CartellaRicevuti, Percorso("manca/FirmaVerifica/Ricevuti"));

    // The sub-folders alone never make the base folder.
    ParametriEdi.CartellaBase = Percorso("altra");
    EXPECT_FALSE(CreaSottoCartelle());
    EXPECT_FALSE(QFileInfo::exists(Percorso("altra")));
}

TEST_F(AvvioTest, CaricamentoDeiParametri)
{
    ScriviIni(FileIni, "PC", "PATH", Percorso("base") + "/");
    ScriviIni(FileIni, "EDI", "NUMFILE", "3");
    CaricaParametriAvvio();
    EXPECT_EQ(ParametriEdi.CartellaBase, Percorso("base"));
    EXPECT_EQ(MaxFile, 15);
    EXPECT_EQ(CartellaTemp, Percorso("TempFile") + "/");
    EXPECT_TRUE(QFileInfo(CartellaTemp).isDir());
    ScriviIni(FileIni, "COLORI", "4", "255");
    QDir().mkdir(Percorso("base"));
    EXPECT_TRUE(PreparaCartelleLavoro());
    EXPECT_EQ(Colori[4], "255");
    EXPECT_EQ(FileComandiFtp, Percorso("Xcmd.txt"));
}

// A program killed during a run leaves its script, password in clear, behind.
TEST_F(AvvioTest, ScriptRimastoCancellatoAllAvvioFuorchéInDebug)
{
    ParametriEdi.CartellaBase = Percorso("Firma");
    for (const int debug : {0, 1}) {
        ModoDebug = debug;
        ScriviFile("Xcmd.txt", "open h\r\nuser ACME segreta\r\n");
        PreparaCartelleLavoro();
        EXPECT_EQ(QFile::exists(Percorso("Xcmd.txt")), debug == 1);
    }
}
