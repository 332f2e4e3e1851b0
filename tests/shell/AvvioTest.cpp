#include "support/CartellaProgrammaTest.h"

#include "shell/Avvio.h"
#include "shell/Calendario.h"
#include "shell/CartelleLavoro.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

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
    qputenv("HOME", Percorso(u"utente"_s).toUtf8());
    CreaFileIniSeManca();
    qputenv("HOME", casa);
    EXPECT_EQ(LeggiFile(FileIni), (u"[UNIX]\nPATH=/tmp/edi\n[PC]\nPATH="_s + Percorso(u"utente"_s) +
                                   u"/FirmaVerifica\n"_s)
                                      .toUtf8());
    // An existing file is left as it is.
    ScriviFile(FileIni, "[PC]\nPATH=/srv/edi\n");
    CreaFileIniSeManca();
    EXPECT_EQ(LeggiFile(FileIni), "[PC]\nPATH=/srv/edi\n");
}

TEST_F(AvvioTest, CartellaProgrammaEFileIni)
{
    CartellaProgramma = Cartella() + u"/"_s;
    ImpostaCartellaProgramma();
    EXPECT_EQ(CartellaProgramma, Cartella());
    // Named after the executable: here, the test program.
    EXPECT_EQ(FileIni, Cartella() + u"/test_shell.ini"_s);
    EXPECT_EQ(QDir::current(), QDir(Cartella()));
}

TEST_F(AvvioTest, DefaultDegliApplicativiSoloSeVuoti)
{
    ImpostaDefaultApplicativi();
    EXPECT_EQ(LeggiIni(FileIni, u"APPLICATIVI"_s, u"NomeVarie1"_s), u"Editor di testi"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"APPLICATIVI"_s, u"Varie1"_s), u"xdg-open"_s);
    ScriviIni(FileIni, u"APPLICATIVI"_s, u"nomeVarie1"_s, u"Blocco note"_s);
    ScriviIni(FileIni, u"APPLICATIVI"_s, u"Varie1"_s, u"/usr/bin/mousepad"_s);
    ImpostaDefaultApplicativi();
    EXPECT_EQ(LeggiIni(FileIni, u"APPLICATIVI"_s, u"NomeVarie1"_s), u"Blocco note"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"APPLICATIVI"_s, u"Varie1"_s), u"/usr/bin/mousepad"_s);
}

TEST_F(AvvioTest, VociDelMenuApplicativi)
{
    // Entry 1 always has a name and a command.
    VoceApplicativo v = LeggiVoceApplicativo(1);
    EXPECT_EQ(v.nome, u"Editor di Testi"_s);
    EXPECT_EQ(v.comando, CartellaProgramma);
    EXPECT_TRUE(v.visibile);
    ScriviIni(FileIni, u"APPLICATIVI"_s, u"NomeVarie2"_s, u"  Paghe  "_s);
    EXPECT_FALSE(LeggiVoceApplicativo(2).visibile);
    ScriviIni(FileIni, u"APPLICATIVI"_s, u"Varie11"_s, u"/opt/x"_s);
    EXPECT_FALSE(LeggiVoceApplicativo(11).visibile);
    ScriviIni(FileIni, u"APPLICATIVI"_s, u"NomeVarie11"_s, u"Ultima"_s);
    v = LeggiVoceApplicativo(11);
    EXPECT_EQ(v.nome, u"Ultima"_s);
    EXPECT_TRUE(v.visibile);
}

TEST_F(AvvioTest, AlberoDelleCartelle)
{
    ParametriEdi.CartellaBase = Percorso(u"FirmaVerifica"_s);
    QDir().mkpath(Percorso(u"FirmaVerifica/Inviati"_s));
    EXPECT_TRUE(CreaCartelle());
    EXPECT_EQ(ParametriEdi.CartellaDaVerificare, Percorso(u"FirmaVerifica/DaVerificare"_s));
    EXPECT_EQ(QDir(Percorso(u"FirmaVerifica"_s)).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList(
                  {u"DaVerificare"_s, u"Firmati"_s, u"Inviati"_s, u"Ricevuti"_s, u"Verificati"_s}));
}

TEST_F(AvvioTest, BaseSottoUnaCartellaCheNonEsiste)
{
    ParametriEdi.CartellaBase = Percorso(u"manca/FirmaVerifica"_s);
    EXPECT_FALSE(CreaCartelle());
    EXPECT_FALSE(QFileInfo::exists(Percorso(u"manca"_s)));
    EXPECT_EQ(ParametriEdi.CartellaRicevuti, Percorso(u"manca/FirmaVerifica/Ricevuti"_s));

    // The sub-folders alone never make the base folder.
    ParametriEdi.CartellaBase = Percorso(u"altra"_s);
    EXPECT_FALSE(CreaSottoCartelle());
    EXPECT_FALSE(QFileInfo::exists(Percorso(u"altra"_s)));
}

TEST_F(AvvioTest, CaricamentoDeiParametri)
{
    ScriviIni(FileIni, u"PC"_s, u"PATH"_s, Percorso(u"base"_s) + u"/"_s);
    ScriviIni(FileIni, u"EDI"_s, u"NUMFILE"_s, u"3"_s);
    CaricaParametriAvvio();
    EXPECT_EQ(ParametriEdi.CartellaBase, Percorso(u"base"_s));
    EXPECT_EQ(MaxFile, 15);
    EXPECT_EQ(CartellaTemp, Percorso(u"TempFile"_s) + u"/"_s);
    EXPECT_TRUE(QFileInfo(CartellaTemp).isDir());
    ScriviIni(FileIni, u"COLORI"_s, u"4"_s, u"255"_s);
    QDir().mkdir(Percorso(u"base"_s));
    EXPECT_TRUE(PreparaCartelleLavoro());
    EXPECT_EQ(Colori[4], u"255"_s);
    EXPECT_EQ(FileComandiFtp, Percorso(u"Xcmd.txt"_s));
}

// A program killed during a run leaves its script, password in clear, behind.
TEST_F(AvvioTest, ScriptRimastoCancellatoAllAvvioFuorchéInDebug)
{
    ParametriEdi.CartellaBase = Percorso(u"Firma"_s);
    for (const int debug : {0, 1}) {
        ModoDebug = debug;
        ScriviFile(u"Xcmd.txt"_s, "open h\r\nuser ACME segreta\r\n");
        PreparaCartelleLavoro();
        EXPECT_EQ(QFile::exists(Percorso(u"Xcmd.txt"_s)), debug == 1);
    }
}
