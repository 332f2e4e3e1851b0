#include "support/CartellaProgrammaTest.h"

#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QRandomGenerator>

using namespace Qt::StringLiterals;

using ImpostazioniTest = CartellaProgrammaTest;

TEST(CodificaParola, FormaMemorizzataNota)
{
    // Marker aside, each character moves by i - 13.
    const QString s = CodificaParola(u"ABC"_s);
    ASSERT_EQ(s.size(), 4);
    EXPECT_GE(s[0].unicode(), 36);
    EXPECT_LE(s[0].unicode(), 47);
    EXPECT_EQ(s.mid(1), QString(QChar(65 - 12)) + QChar(66 - 11) + QChar(67 - 10));
    EXPECT_EQ(DecodificaParola(u"$"_s + QChar(53) + QChar(55) + QChar(57)), u"ABC"_s);
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
    EXPECT_EQ(DecodificaParola(CodificaParola(u"  spazi  "_s)), u"spazi"_s);
    EXPECT_EQ(DecodificaParola(u""_s), u""_s);
}

TEST(CodificaParola, ValoreInChiaroRestaComE)
{
    EXPECT_EQ(DecodificaParola(u"Segreto1"_s), u"Segreto1"_s);
    EXPECT_EQ(DecodificaParola(u"0abc"_s), u"0abc"_s);
}

TEST(CodificaParola, DueSalvataggiDueTesti)
{
    QSet<QString> visti;
    for (int i = 0; i < 20; ++i) {
        const QString s = CodificaParola(u"parola"_s);
        EXPECT_EQ(DecodificaParola(s), u"parola"_s);
        visti.insert(s);
    }
    EXPECT_GT(visti.size(), 1);
}

TEST_F(ImpostazioniTest, ParametriEdiConDefaultEConversioni)
{
    ScriviFile(FileIni, "[PC]\nPATH=/dati/Firma/\n[EDI]\nMODSORTINV=0\nMODSORTRIC=2\nNUMFILE=4\n"
                        "COLSORTINV=1 | per data\nDEBUG=1\n");
    CaricaParametriEdi();
    EXPECT_EQ(ParametriEdi.CartellaBase, u"/dati/Firma"_s);
    EXPECT_EQ(ParametriEdi.HostFtp, Ini::DefaultHostFtp);
    EXPECT_EQ(ParametriEdi.Progr1, u"00"_s);
    EXPECT_EQ(ParametriEdi.Progr2, u"ZZ"_s);
    EXPECT_EQ(OrdinaModoInvio, Crescente);
    EXPECT_EQ(OrdinaModoRicevi, Decrescente);
    EXPECT_EQ(OrdinaColInvio, OrdinaData);
    EXPECT_EQ(MaxFile, 20);
    EXPECT_EQ(ModoDebug, 1);

    ScriviIni(FileIni, u"EDI"_s, u"NUMFILE"_s, u"0"_s);
    ScriviIni(FileIni, u"EDI"_s, u"PASSWFTP"_s, CodificaParola(u"Segreta"_s));
    CaricaParametriEdi();
    EXPECT_EQ(MaxFile, 5);
    EXPECT_EQ(ParametriEdi.PasswordFtp, u"Segreta"_s);
}
