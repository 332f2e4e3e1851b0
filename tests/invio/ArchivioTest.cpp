#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"

#include "invio/Archivio.h"
#include "shell/Global.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

class ArchivioTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        CartelleInvio();
    }
};

} // namespace

TEST_F(ArchivioTest, SpostaESostituisceLaCopiaVecchia)
{
    ScriviFile(u"Firmati/ABCD0101.T01"_s, "nuova");
    ScriviFile(u"Inviati/ABCD0101.T01"_s, "vecchia copia");
    EsitoOperazione = 7;
    EXPECT_TRUE(ArchiviaFile(u"ABCD0101.T01"_s, ParametriEdi.CartellaFirmati));
    EXPECT_EQ(EsitoOperazione, 0);
    EXPECT_FALSE(QFile::exists(Percorso(u"Firmati/ABCD0101.T01"_s)));
    EXPECT_EQ(LeggiFile(u"Inviati/ABCD0101.T01"_s), "nuova");
}

TEST_F(ArchivioTest, DallaStoriaStessaNonSiSposta)
{
    ScriviFile(u"Inviati/ABCD0101.T01"_s, "x");
    ScriviFile(u"Inviati/vecchi/ABCD0101.T02"_s, "x");
    EXPECT_TRUE(ArchiviaFile(u"ABCD0101.T01"_s, ParametriEdi.CartellaInviati + u"/"_s));
    EXPECT_TRUE(ArchiviaFile(u"ABCD0101.T02"_s, Percorso(u"Inviati/vecchi"_s)));
    EXPECT_EQ(EsitoOperazione, 0);
    EXPECT_TRUE(QFile::exists(Percorso(u"Inviati/vecchi/ABCD0101.T02"_s)));
    // A folder whose name only begins like the history is not inside it.
    EXPECT_FALSE(InCartellaInviati(Percorso(u"Inviati2"_s)));
}

TEST_F(ArchivioTest, UnaStoriaCheNonPuoPrendereIlFileLoDice)
{
    ScriviFile(u"Firmati/ABCD0101.T01"_s, "x");
    // A folder of the same name in the history cannot be replaced by a file.
    ScriviFile(u"Inviati/ABCD0101.T01/dentro"_s, "y");
    RisponditoreTest().Rispondi(Risposta::Ok, u"ERRORE IN FASE DI STORICIZZAZIONE!"_s);
    EXPECT_FALSE(ArchiviaFile(u"ABCD0101.T01"_s, ParametriEdi.CartellaFirmati));
    EXPECT_EQ(EsitoOperazione, 1);
    const QStringList righe = RisponditoreTest().Testi().value(0).split(u'\n');
    ASSERT_EQ(righe.size(), 5);
    EXPECT_EQ(righe[1], Percorso(u"Inviati/ABCD0101.T01"_s));
    EXPECT_EQ(righe[2], u"    in"_s);
    EXPECT_EQ(righe[3], u"ABCD0101.T01"_s);
    EXPECT_FALSE(righe[4].trimmed().isEmpty());
    EXPECT_TRUE(QFile::exists(Percorso(u"Firmati/ABCD0101.T01"_s)));

    // No history folder at all.
    QDir(Percorso(u"Inviati"_s)).removeRecursively();
    RisponditoreTest().Rispondi(Risposta::Ok, u"ERRORE IN FASE DI STORICIZZAZIONE!"_s);
    EXPECT_FALSE(ArchiviaFile(u"ABCD0101.T01"_s, ParametriEdi.CartellaFirmati));
    EXPECT_TRUE(QFile::exists(Percorso(u"Firmati/ABCD0101.T01"_s)));
}

TEST_F(ArchivioTest, UnoSpostamentoFallitoLasciaLaCopiaVecchia)
{
    ScriviFile(u"Inviati/ABCD0101.T01"_s, "vecchia copia");
    // The file to move is gone (another program took it): the move fails.
    RisponditoreTest().Rispondi(Risposta::Ok, u"ERRORE IN FASE DI STORICIZZAZIONE!"_s);
    EXPECT_FALSE(ArchiviaFile(u"ABCD0101.T01"_s, ParametriEdi.CartellaFirmati));
    EXPECT_EQ(LeggiFile(u"Inviati/ABCD0101.T01"_s), "vecchia copia");
}
