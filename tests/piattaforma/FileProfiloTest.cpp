#include "support/CartellaProgrammaTest.h"

#include "piattaforma/FileProfilo.h"
#include "shell/Impostazioni.h"

#include <QFile>

using FileProfiloTest = CartellaProgrammaTest;

TEST_F(FileProfiloTest, SezioniEChiaviSenzaRiguardoAlleMaiuscole)
{
    const QString f =
        ScriviFile("a.ini", "[StartUp]\nPosX=120 | commento\n\n[edi]\nHOSTFTP = host.example \n");
    EXPECT_EQ(LeggiIni(f, "STARTUP", "POSX"), "120");
    EXPECT_EQ(LeggiIni(f, "startup", "posx"), "120");
    EXPECT_EQ(LeggiIni(f, "EDI", "hostftp"), "host.example");
    EXPECT_EQ(LeggiIni(f, "EDI", "MANCA"), "");
    EXPECT_EQ(LeggiIni(f, "MANCA", "POSX"), "");
    EXPECT_EQ(LeggiIni(Percorso("nessuno.ini"), "EDI", "HOSTFTP"), "");
}

TEST_F(FileProfiloTest, ScritturaLasciaIlRestoComEra)
{
    const QByteArray prima =
        "; commento in testa\n[PC]\nPATH=C:\\X\n\n[EDI]\n; nota\nDITTA=Uno\n\n[ALTRA]\nK=v\n";
    const QString f = ScriviFile("b.ini", prima);

    ScriviIni(f, "edi", "ditta", "Due");
    ScriviIni(f, "EDI", "PROGR1", "A0");
    ScriviIni(f, "NUOVA", "K", "1");
    EXPECT_EQ(LeggiFile(f), QByteArray("; commento in testa\n[PC]\nPATH=C:\\X\n\n[EDI]\n; nota\n"
                                       "DITTA=Due\nPROGR1=A0\n\n[ALTRA]\nK=v\n[NUOVA]\nK=1\n"));
}

TEST_F(FileProfiloTest, CreaIlFileMancante)
{
    const QString f = Percorso("nuovo.ini");
    ScriviIni(f, "UNIX", "PATH", "/tmp/edi");
    ScriviIni(f, "PC", "PATH", "/home/x/FirmaVerifica");
    EXPECT_EQ(LeggiFile(f),
              QByteArray("[UNIX]\nPATH=/tmp/edi\n[PC]\nPATH=/home/x/FirmaVerifica\n"));
}

TEST_F(FileProfiloTest, FileWindowsRestaWindows1252)
{
    const QString f = ScriviFile("w.ini", "[EDI]\r\nDITTA=Societ\xe0 Srl\r\n");
    EXPECT_EQ(LeggiIni(f, "EDI", "DITTA"), QString::fromUtf8("Società Srl"));
    ScriviIni(f, "EDI", "PROGR2", "ZZ");
    EXPECT_EQ(LeggiFile(f), QByteArray("[EDI]\r\nDITTA=Societ\xe0 Srl\r\nPROGR2=ZZ\r\n"));
    EXPECT_EQ(LeggiIni(f, "EDI", "DITTA"), QString::fromUtf8("Società Srl"));
}

TEST_F(FileProfiloTest, ValoreLungoLettoIntero)
{
    const QString f = Percorso("l.ini");
    const QString lungo = QString("/cartella").repeated(15) + QString("x").repeated(15);
    ASSERT_EQ(lungo.size(), 150);
    ScriviIni(f, "PC", "PATH", lungo);
    EXPECT_EQ(LeggiIni(f, "PC", "PATH"), lungo);
}

TEST_F(FileProfiloTest, FileIlleggibileDaVuotoEScritturaPersa)
{
    const QString f = ScriviFile("r.ini", "[EDI]\nDITTA=Uno\n");
    QFile::setPermissions(f, QFileDevice::WriteOwner);
    if (QFile(f).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running as a user that reads every file";
    EXPECT_EQ(LeggiIni(f, "EDI", "DITTA"), "");
    ScriviIni(f, "EDI", "DITTA", "Due");
    QFile::setPermissions(f, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(LeggiIni(f, "EDI", "DITTA"), "Uno");
}

TEST_F(FileProfiloTest, PiuChiaviInUnaScritturaComeUnaAllaVolta)
{
    const VociProfilo voci = {{"DIMX", "9000"}, {"dimy", "6000"}, {"POSX", "450"}};
    const struct
    {
        const char* caso;
        QByteArray prima; // empty: no file
    } casi[] = {
        {"file mancante", {}},
        {"sezione mancante", "[EDI]\nDITTA=Uno\n"},
        {"chiavi in parte presenti", "[Dos2Edi]\nDimY=1\n\n[EDI]\nDITTA=Uno\n"},
        {"senza a capo finale", "[Dos2Edi]\nDIMX=1"},
        {"righe Windows", "[EDI]\r\nDITTA=Uno\r\n[Dos2Edi]\r\nPOSX=3\r\n"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        const QString uno = Percorso("uno.ini");
        const QString tutte = Percorso("tutte.ini");
        QFile::remove(uno);
        QFile::remove(tutte);
        if (!c.prima.isEmpty()) {
            ScriviFile("uno.ini", c.prima);
            ScriviFile("tutte.ini", c.prima);
        }
        for (const auto& [chiave, valore] : voci)
            ASSERT_TRUE(ScriviProfilo(uno, "Dos2Edi", chiave, valore));
        const qint64 scritture = ScrittureProfilo();
        ASSERT_TRUE(ScriviProfilo(tutte, "Dos2Edi", voci));
        EXPECT_EQ(ScrittureProfilo() - scritture, 1);
        EXPECT_EQ(LeggiFile(tutte), LeggiFile(uno));
    }
}

TEST_F(FileProfiloTest, UnValoreConAcapoNonScriveNessunaChiave)
{
    const QString f = ScriviFile("a.ini", "[Dos2Edi]\nDIMX=1\n");
    const qint64 scritture = ScrittureProfilo();
    EXPECT_FALSE(ScriviProfilo(f, "Dos2Edi", VociProfilo{{"DIMX", "2"}, {"DIMY", "3\n[EDI]"}}));
    EXPECT_EQ(ScrittureProfilo(), scritture);
    EXPECT_EQ(LeggiFile(f), QByteArray("[Dos2Edi]\nDIMX=1\n"));
}
