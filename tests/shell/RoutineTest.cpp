#include "support/AmbienteTest.h"
#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"

#include "piattaforma/ArchivioUtente.h"
#include "piattaforma/SondaConnessione.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/Routine.h"

using namespace Qt::StringLiterals;

using RoutineTest = CartellaProgrammaTest;

TEST_F(RoutineTest, ConnessioneDallInterfaccia)
{
    ScriviIni(FileIni, u"EDI"_s, u"CONNESSIONE"_s, u"lo"_s);
    EXPECT_TRUE(ConnessioneRemotaAttiva());
    ScriviIni(FileIni, u"EDI"_s, u"CONNESSIONE"_s, u"nessuna-interfaccia*"_s);
    EXPECT_FALSE(ConnessioneRemotaAttiva());
    // The default pattern names dial-up links, which a test machine lacks.
    EXPECT_EQ(SondaConnessione(u"ppp*"_s), StatoConnessione::NonAttiva);
}

TEST_F(RoutineTest, SondaInErroreConMessaggio)
{
    ImpostaSondaConnessione([] { return StatoConnessione::Errore; });
    RisponditoreTest().Rispondi(Risposta::Ok, u"ERROR"_s);
    EXPECT_FALSE(ConnessioneRemotaAttiva());
}

TEST_F(RoutineTest, ArchivioPerUtente)
{
    EXPECT_EQ(LeggiValoreUtente(u"norvel"_s, u"Setting"_s, u"ExePath"_s), u""_s);
    ScriviValoreUtente(u"norvel"_s, u"Setting"_s, u"ExePath"_s, u"/opt/norvel"_s);
    EXPECT_EQ(LeggiValoreUtente(u"norvel"_s, u"Setting"_s, u"ExePath"_s), u"/opt/norvel"_s);
    EXPECT_EQ(LeggiValoreUtente(u"1.0.0"_s, u"Setting"_s, u"ExePath"_s), u""_s);
    CancellaValoreUtente(u"norvel"_s, u"Setting"_s, u"ExePath"_s);
    EXPECT_EQ(LeggiValoreUtente(u"norvel"_s, u"Setting"_s, u"ExePath"_s), u""_s);
}
