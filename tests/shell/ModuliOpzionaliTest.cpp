#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"

#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/ModuliOpzionali.h"

#include <QFile>
#include <QTest>

using LanciaApplicazioneTest = CartellaProgrammaTest;

TEST_F(LanciaApplicazioneTest, ChiaveVuota)
{
    ArgomentoProgramma = " /tmp/x.txt";
    StileFinestra = 3;
    RisponditoreTest().Rispondi(Risposta::Ok);
    LanciaApplicazione("Varie5");
    ASSERT_EQ(RisponditoreTest().Testi().size(), 1);
    EXPECT_EQ(RisponditoreTest().Testi()[0], "Varie5 non presente su " + FileIni);
    EXPECT_EQ(ArgomentoProgramma, "");
    EXPECT_EQ(StileFinestra, 1);
}

TEST_F(LanciaApplicazioneTest, ComandoCheNonParte)
{
    ScriviIni(FileIni, "APPLICATIVI", "Varie2", "/nessun/programma/qui");
    ArgomentoProgramma = " qualcosa";
    StileFinestra = 2;
    RisponditoreTest().Rispondi(Risposta::Ok);
    LanciaApplicazione("Varie2");
    EXPECT_EQ(RisponditoreTest().Testi().value(0), "/nessun/programma/qui non trovato");
    EXPECT_EQ(ArgomentoProgramma, "");
    EXPECT_EQ(StileFinestra, 1);
}

TEST_F(LanciaApplicazioneTest, LancioVeroRiceveLArgomento)
{
    const QString uscita = Percorso("ricevuto.txt");
    const QString script = ScriptRegistra("editor.sh", uscita);
    const QString documento = ScriviFile("una cartella/documento.txt", "x");
    ScriviIni(FileIni, "APPLICATIVI", "Varie1", script);

    ArgomentoProgramma = " " + documento;
    LanciaApplicazione("Varie1");
    EXPECT_EQ(ArgomentoProgramma, "");
    EXPECT_EQ(StileFinestra, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(uscita); }, 10000));
    // A path with a blank arrives as one argument.
    EXPECT_EQ(LeggiFile(uscita), documento.toUtf8() + "\n");
}
