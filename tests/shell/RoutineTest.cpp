#include "support/AmbienteTest.h"
#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"

#include "piattaforma/ArchivioUtente.h"
#include "piattaforma/SondaConnessione.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/Routine.h"

using RoutineTest = CartellaProgrammaTest;

TEST_F(RoutineTest, ConnessioneDallInterfaccia)
{
    ScriviIni(FileIni, "EDI", "CONNESSIONE", "lo");
    EXPECT_TRUE(ConnessioneRemotaAttiva());
    ScriviIni(FileIni, "EDI", "CONNESSIONE", "nessuna-interfaccia*");
    EXPECT_FALSE(ConnessioneRemotaAttiva());
    // The default pattern names dial-up links, which a test machine lacks.
    EXPECT_EQ(SondaConnessione("ppp*"), StatoConnessione::NonAttiva);
}

TEST_F(RoutineTest, SondaInErroreConMessaggio)
{
    ImpostaSondaConnessione([] { return StatoConnessione::Errore; });
    RisponditoreTest().Rispondi(Risposta::Ok, "ERROR");
    EXPECT_FALSE(ConnessioneRemotaAttiva());
}

TEST_F(RoutineTest, ArchivioPerUtente)
{
    EXPECT_EQ(LeggiValoreUtente("norvel", "Setting", "ExePath"), "");
    ScriviValoreUtente("norvel", "Setting", "ExePath", "/opt/norvel");
    EXPECT_EQ(LeggiValoreUtente("norvel", "Setting", "ExePath"), "/opt/norvel");
    EXPECT_EQ(LeggiValoreUtente("1.0.0", "Setting", "ExePath"), "");
    CancellaValoreUtente("norvel", "Setting", "ExePath");
    EXPECT_EQ(LeggiValoreUtente("norvel", "Setting", "ExePath"), "");
}
