#include "support/CartellaProgrammaTest.h"
#include "support/StampaQt.h"

#include "ricezione/Appuramenti.h"

#include <QFile>

namespace {

class AppuramentiTest : public CartellaProgrammaTest
{
protected:
    // Two heading lines and n records, each ending with a line feed.
    QByteArray FileAppuramento(const QByteArray& codice, int n, bool ultimaConFine = true)
    {
        QByteArray f =
            "INTESTAZIONE APPURAMENTI " + codice + " 20241207\n" + "SECONDA " + codice + "\n";
        for (int i = 1; i <= n; ++i)
            f += "REC " + codice + " " + QByteArray::number(i) +
                 (i < n || ultimaConFine ? "\n" : "");
        return f;
    }
    QStringList Righe(const QString& nome)
    {
        const QByteArray testo = LeggiFile(nome);
        EXPECT_TRUE(testo.endsWith("\r\n"));
        QStringList righe = QString::fromLatin1(testo).split("\r\n");
        righe.removeLast();
        return righe;
    }
};

} // namespace

TEST_F(AppuramentiTest, TreFileInDuePiuDodiciRighe)
{
    const QStringList file = {ScriviFile("a", FileAppuramento("X11", 5)),
                              ScriviFile("b", FileAppuramento("X22", 3)),
                              ScriviFile("c", FileAppuramento("X33", 4))};
    ASSERT_TRUE(UnisciAppuramenti(file, Percorso("unito")));
    const QStringList righe = Righe("unito");
    ASSERT_EQ(righe.size(), 2 + 12);
    EXPECT_EQ(righe[0], "INTESTAZIONE APPURAMENTI L01 20241207");
    EXPECT_EQ(righe[1], "SECONDA X11");
    EXPECT_EQ(righe[2], "REC X11 1");
    EXPECT_EQ(righe[7], "REC X22 1");
    EXPECT_EQ(righe[13], "REC X33 4");
    EXPECT_FALSE(LeggiFile("unito").contains("\n\n"));
    EXPECT_FALSE(LeggiFile("unito").contains("\r\r"));
}

TEST_F(AppuramentiTest, CasiLimite)
{
    // The last record without its line feed is still a clearance.
    const QStringList senzaFine = {ScriviFile("a", FileAppuramento("X11", 2)),
                                   ScriviFile("b", FileAppuramento("X22", 2, false))};
    ASSERT_TRUE(UnisciAppuramenti(senzaFine, Percorso("unito")));
    EXPECT_EQ(Righe("unito").last(), "REC X22 2");
    EXPECT_EQ(Righe("unito").size(), 6);

    // A first heading shorter than 26 characters stays as it is.
    const QStringList corta = {ScriviFile("c", "BREVE\nSECONDA\nREC 1\n"),
                               ScriviFile("d", FileAppuramento("X22", 1))};
    ASSERT_TRUE(UnisciAppuramenti(corta, Percorso("unito")));
    EXPECT_EQ(Righe("unito"), QStringList({"BREVE", "SECONDA", "REC 1", "REC X22 1"}));

    // CR LF files do not get doubled line ends.
    const QStringList crlf = {ScriviFile("e", "INTESTAZIONE APPURAMENTI ABC X\r\nS\r\nR1\r\n"),
                              ScriviFile("f", "H\r\nS\r\nR2\r\n")};
    ASSERT_TRUE(UnisciAppuramenti(crlf, Percorso("unito")));
    EXPECT_EQ(Righe("unito"), QStringList({"INTESTAZIONE APPURAMENTI L01 X", "S", "R1", "R2"}));

    // A file that cannot be read: the old joined file stays as it was.
    ScriviFile("unito", "vecchio");
    EXPECT_FALSE(UnisciAppuramenti({senzaFine[0], Percorso("manca")}, Percorso("unito")));
    EXPECT_EQ(LeggiFile("unito"), "vecchio");
    EXPECT_EQ(NomeFileAppuramenti("acme"), "acmeIrildes");
}
