#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"

#include "invio/Archivio.h"
#include "shell/Global.h"

#include <QDir>
#include <QFile>

namespace {

class ArchivioTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        ParametriEdi.CartellaFirmati = Percorso("Firmati");
        ParametriEdi.CartellaInviati = Percorso("Inviati");
        QDir().mkpath(ParametriEdi.CartellaFirmati);
        QDir().mkpath(ParametriEdi.CartellaInviati);
    }
};

} // namespace

TEST_F(ArchivioTest, SpostaESostituisceLaCopiaVecchia)
{
    ScriviFile("Firmati/ABCD0101.T01", "nuova");
    ScriviFile("Inviati/ABCD0101.T01", "vecchia copia");
    EsitoOperazione = 7;
    EXPECT_TRUE(ArchiviaFile("ABCD0101.T01", ParametriEdi.CartellaFirmati));
    EXPECT_EQ(EsitoOperazione, 0);
    EXPECT_FALSE(QFile::exists(Percorso("Firmati/ABCD0101.T01")));
    EXPECT_EQ(LeggiFile("Inviati/ABCD0101.T01"), "nuova");
}

TEST_F(ArchivioTest, DallaStoriaStessaNonSiSposta)
{
    ScriviFile("Inviati/ABCD0101.T01", "x");
    ScriviFile("Inviati/vecchi/ABCD0101.T02", "x");
    EXPECT_TRUE(ArchiviaFile("ABCD0101.T01", ParametriEdi.CartellaInviati + "/"));
    EXPECT_TRUE(ArchiviaFile("ABCD0101.T02", Percorso("Inviati/vecchi")));
    EXPECT_EQ(EsitoOperazione, 0);
    EXPECT_TRUE(QFile::exists(Percorso("Inviati/vecchi/ABCD0101.T02")));
    // A folder whose name only begins like the history is not inside it.
    EXPECT_FALSE(InCartellaInviati(Percorso("Inviati2")));
}

TEST_F(ArchivioTest, UnaStoriaCheNonPuoPrendereIlFileLoDice)
{
    ScriviFile("Firmati/ABCD0101.T01", "x");
    // A folder of the same name in the history cannot be replaced by a file.
    ScriviFile("Inviati/ABCD0101.T01/dentro", "y");
    RisponditoreTest().Rispondi(Risposta::Ok, "ERRORE IN FASE DI STORICIZZAZIONE!");
    EXPECT_FALSE(ArchiviaFile("ABCD0101.T01", ParametriEdi.CartellaFirmati));
    EXPECT_EQ(EsitoOperazione, 1);
    const QStringList righe = RisponditoreTest().Testi().value(0).split('\n');
    ASSERT_EQ(righe.size(), 5);
    EXPECT_EQ(righe[1], Percorso("Inviati/ABCD0101.T01"));
    EXPECT_EQ(righe[2], "    in");
    EXPECT_EQ(righe[3], "ABCD0101.T01");
    EXPECT_FALSE(righe[4].trimmed().isEmpty());
    EXPECT_TRUE(QFile::exists(Percorso("Firmati/ABCD0101.T01")));

    // No history folder at all.
    QDir(Percorso("Inviati")).removeRecursively();
    RisponditoreTest().Rispondi(Risposta::Ok, "ERRORE IN FASE DI STORICIZZAZIONE!");
    EXPECT_FALSE(ArchiviaFile("ABCD0101.T01", ParametriEdi.CartellaFirmati));
    EXPECT_TRUE(QFile::exists(Percorso("Firmati/ABCD0101.T01")));
}

TEST_F(ArchivioTest, UnoSpostamentoFallitoLasciaLaCopiaVecchia)
{
    ScriviFile("Inviati/ABCD0101.T01", "vecchia copia");
    // The file to move is gone (another program took it): the move fails.
    RisponditoreTest().Rispondi(Risposta::Ok, "ERRORE IN FASE DI STORICIZZAZIONE!");
    EXPECT_FALSE(ArchiviaFile("ABCD0101.T01", ParametriEdi.CartellaFirmati));
    EXPECT_EQ(LeggiFile("Inviati/ABCD0101.T01"), "vecchia copia");
}
