#include "support/CartellaProgrammaTest.h"

#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QRandomGenerator>

using ImpostazioniTest = CartellaProgrammaTest;

TEST(CodificaParola, FormaMemorizzataNota)
{
    // Marker aside, each character moves by i - 13.
    const QString s = CodificaParola("ABC");
    ASSERT_EQ(s.size(), 4);
    EXPECT_GE(s[0].unicode(), 36);
    EXPECT_LE(s[0].unicode(), 47);
    EXPECT_EQ(s.mid(1), QString(QChar(65 - 12)) + QChar(66 - 11) + QChar(67 - 10));
    EXPECT_EQ(DecodificaParola(QString("$") + QChar(53) + QChar(55) + QChar(57)), "ABC");
}

TEST(CodificaParola, AndataERitorno)
{
    auto* gen = QRandomGenerator::global();
    for (int n = 0; n < 500; ++n) {
        QString p;
        const int lunghezza = gen->bounded(1, 20);
        for (int i = 0; i < lunghezza; ++i)
            p += QChar(char16_t(gen->bounded(33, 127)));
        ASSERT_EQ(DecodificaParola(CodificaParola(p)), p) << p.toStdString();
    }
    EXPECT_EQ(DecodificaParola(CodificaParola("  spazi  ")), "spazi");
    EXPECT_EQ(DecodificaParola(""), "");
}

TEST(CodificaParola, ValoreInChiaroRestaComE)
{
    EXPECT_EQ(DecodificaParola("Segreto1"), "Segreto1");
    EXPECT_EQ(DecodificaParola("0abc"), "0abc");
}

TEST(CodificaParola, DueSalvataggiDueTesti)
{
    QSet<QString> visti;
    for (int i = 0; i < 20; ++i) {
        const QString s = CodificaParola("parola");
        EXPECT_EQ(DecodificaParola(s), "parola");
        visti.insert(s);
    }
    EXPECT_GT(visti.size(), 1);
}

TEST_F(ImpostazioniTest, ParametriEdiConDefaultEConversioni)
{
    ScriviFile(FileIni, "[PC]\nPATH=/dati/Firma/\n[EDI]\nMODSORTINV=0\nMODSORTRIC=2\nNUMFILE=4\n"
                        "COLSORTINV=1 | per data\nDEBUG=1\n");
    CaricaParametriEdi();
    EXPECT_EQ(ParametriEdi.CartellaBase, "/dati/Firma");
    EXPECT_EQ(ParametriEdi.HostFtp, Ini::DefaultHostFtp);
    EXPECT_EQ(ParametriEdi.Progr1, "00");
    EXPECT_EQ(ParametriEdi.Progr2, "ZZ");
    EXPECT_EQ(OrdinaModoInvio, Crescente);
    EXPECT_EQ(OrdinaModoRicevi, Decrescente);
    EXPECT_EQ(OrdinaColInvio, OrdinaData);
    EXPECT_EQ(MaxFile, 20);
    EXPECT_EQ(ModoDebug, 1);

    ScriviIni(FileIni, "EDI", "NUMFILE", "0");
    ScriviIni(FileIni, "EDI", "PASSWFTP", CodificaParola("Segreta"));
    CaricaParametriEdi();
    EXPECT_EQ(MaxFile, 5);
    EXPECT_EQ(ParametriEdi.PasswordFtp, "Segreta");
}
