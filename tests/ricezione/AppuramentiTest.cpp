#include "support/CartellaProgrammaTest.h"
#include "support/StampaQt.h"

#include "ricezione/Appuramenti.h"

#include <QFile>

using namespace Qt::StringLiterals;

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
        QStringList righe = QString::fromLatin1(testo).split(u"\r\n"_s);
        righe.removeLast();
        return righe;
    }
};

} // namespace

TEST_F(AppuramentiTest, TreFileInDuePiuDodiciRighe)
{
    const QStringList file = {ScriviFile(u"a"_s, FileAppuramento("X11", 5)),
                              ScriviFile(u"b"_s, FileAppuramento("X22", 3)),
                              ScriviFile(u"c"_s, FileAppuramento("X33", 4))};
    ASSERT_TRUE(UnisciAppuramenti(file, Percorso(u"unito"_s)));
    const QStringList righe = Righe(u"unito"_s);
    ASSERT_EQ(righe.size(), 2 + 12);
    EXPECT_EQ(righe[0], u"INTESTAZIONE APPURAMENTI L01 20241207"_s);
    EXPECT_EQ(righe[1], u"SECONDA X11"_s);
    EXPECT_EQ(righe[2], u"REC X11 1"_s);
    EXPECT_EQ(righe[7], u"REC X22 1"_s);
    EXPECT_EQ(righe[13], u"REC X33 4"_s);
    EXPECT_FALSE(LeggiFile(u"unito"_s).contains("\n\n"));
    EXPECT_FALSE(LeggiFile(u"unito"_s).contains("\r\r"));
}

TEST_F(AppuramentiTest, CasiLimite)
{
    // The last record without its line feed is still a clearance.
    const QStringList senzaFine = {ScriviFile(u"a"_s, FileAppuramento("X11", 2)),
                                   ScriviFile(u"b"_s, FileAppuramento("X22", 2, false))};
    ASSERT_TRUE(UnisciAppuramenti(senzaFine, Percorso(u"unito"_s)));
    EXPECT_EQ(Righe(u"unito"_s).last(), u"REC X22 2"_s);
    EXPECT_EQ(Righe(u"unito"_s).size(), 6);

    // A first heading shorter than 26 characters stays as it is.
    const QStringList corta = {ScriviFile(u"c"_s, "BREVE\nSECONDA\nREC 1\n"),
                               ScriviFile(u"d"_s, FileAppuramento("X22", 1))};
    ASSERT_TRUE(UnisciAppuramenti(corta, Percorso(u"unito"_s)));
    EXPECT_EQ(Righe(u"unito"_s),
              QStringList({u"BREVE"_s, u"SECONDA"_s, u"REC 1"_s, u"REC X22 1"_s}));

    // CR LF files do not get doubled line ends.
    const QStringList crlf = {ScriviFile(u"e"_s, "INTESTAZIONE APPURAMENTI ABC X\r\nS\r\nR1\r\n"),
                              ScriviFile(u"f"_s, "H\r\nS\r\nR2\r\n")};
    ASSERT_TRUE(UnisciAppuramenti(crlf, Percorso(u"unito"_s)));
    EXPECT_EQ(Righe(u"unito"_s),
              QStringList({u"INTESTAZIONE APPURAMENTI L01 X"_s, u"S"_s, u"R1"_s, u"R2"_s}));

    // Found by fuzzing: the CR of a 25-character heading was taken for a
    // character and relabelled, so the heading grew.
    const QStringList corta25 = {ScriviFile(u"g"_s, "INTESTAZIONE APPURAMENTI.\r\nS\r\nR1\r\n")};
    ASSERT_TRUE(UnisciAppuramenti(corta25, Percorso(u"unito"_s)));
    EXPECT_EQ(LeggiFile(u"unito"_s), "INTESTAZIONE APPURAMENTI.\r\nS\r\nR1\r\n");
    // Found by fuzzing: a heading's own last CR went with its line end's.
    ASSERT_TRUE(UnisciAppuramenti({ScriviFile(u"h"_s, "INTONE8\r\r\nR\nN")}, Percorso(u"unito"_s)));
    EXPECT_EQ(LeggiFile(u"unito"_s), "INTONE8\r\r\nR\r\nN\r\n");

    // A file that cannot be read: the old joined file stays as it was.
    ScriviFile(u"unito"_s, "vecchio");
    EXPECT_FALSE(UnisciAppuramenti({senzaFine[0], Percorso(u"manca"_s)}, Percorso(u"unito"_s)));
    EXPECT_EQ(LeggiFile(u"unito"_s), "vecchio");
    EXPECT_EQ(NomeFileAppuramenti(u"acme"_s), u"acmeIrildes"_s);
}
