#include "support/AmbienteTest.h"
#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"

#include "piattaforma/ArchivioUtente.h"
#include "shell/FileUtili.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <cerrno>

using FileUtiliTest = CartellaProgrammaTest;

TEST_F(FileUtiliTest, EsisteFileConVirgoletteAttributiEJolly)
{
    const QString file = ScriviFile("una cartella/BOLLA.TXT", "x");
    ScriviFile("una cartella/.nascosto", "x");
    EXPECT_FALSE(EsisteFile(""));
    EXPECT_FALSE(EsisteFile("   "));
    EXPECT_TRUE(EsisteFile(file));
    EXPECT_TRUE(EsisteFile('"' + file + '"'));
    // What follows the closing quote stays part of the name.
    EXPECT_FALSE(EsisteFile('"' + file + "\" /p"));
    EXPECT_EQ(SenzaVirgolette("\"/a b/c.exe\" -x"), "/a b/c.exe -x");
    EXPECT_TRUE(EsisteFile(Percorso("una cartella/BOL?A.*")));
    EXPECT_FALSE(EsisteFile(Percorso("una cartella/*.P7M")));
    // Folders and hidden files only when the mask asks for them.
    EXPECT_FALSE(EsisteFile(Percorso("una cartella")));
    EXPECT_TRUE(EsisteFile(Percorso("una cartella"), AttributoCartella));
    EXPECT_TRUE(EsisteFile(Percorso("una cartella/"), AttributoCartella));
    EXPECT_FALSE(EsisteFile(Percorso("una cartella/.nascosto")));
    EXPECT_TRUE(EsisteFile(Percorso("una cartella/.nascosto"), AttributoNascosto));
}

TEST_F(FileUtiliTest, ApriFileRifiutaINomiConCaratteriVietati)
{
    for (const char* nome : {"a[1].txt", "b;c.txt", "d=e.txt"}) {
        const QString percorso = ScriviFile(nome, "dati");
        QFile f;
        RisponditoreTest().Rispondi(Risposta::Ok,
                                    "Il nome dell'archivio " + percorso + " non e' corretto");
        EXPECT_EQ(ApriFile(percorso, f, 7, ModoLettura), 0) << nome;
        EXPECT_FALSE(f.isOpen());
        EXPECT_EQ(RisponditoreTest().Ricevuti().last().richiesta.titolo, "Nome errato");
    }
}

TEST_F(FileUtiliTest, ApriFileChiedeConferma)
{
    const QString esistente = ScriviFile("VECCHIO.TXT", "da tenere");
    QFile f;
    RisponditoreTest().Rispondi(Risposta::No, "esiste gia'.\nLo vuoi sostituire?");
    EXPECT_EQ(ApriFile(esistente, f, 3, ModoScrittura, 0, true), 0);
    EXPECT_EQ(LeggiFile("VECCHIO.TXT"), "da tenere");
    EXPECT_EQ(RisponditoreTest().Ricevuti().last().richiesta.titolo, "Archivio esistente");

    // Reading an existing file asks nothing.
    EXPECT_EQ(ApriFile(esistente, f, 3, ModoLettura, 0, true), 3);
    EXPECT_EQ(f.readAll(), "da tenere");

    const QString nuovo = Percorso("NUOVO.TXT");
    RisponditoreTest().Rispondi(Risposta::No, "non esiste.\nLo vuoi creare?");
    EXPECT_EQ(ApriFile(nuovo, f, 4, ModoAggiunta, 0, true), 0);
    EXPECT_FALSE(QFile::exists(nuovo));
    RisponditoreTest().Rispondi(Risposta::Si, "Lo vuoi creare?");
    EXPECT_EQ(ApriFile(nuovo, f, 4, ModoAggiunta, 0, true), 4);
    f.write("riga\n");
    f.close();
    EXPECT_EQ(ApriFile(nuovo, f, 4, ModoAggiunta), 4);
    f.write("altra\n");
    f.close();
    EXPECT_EQ(LeggiFile("NUOVO.TXT"), "riga\naltra\n");
    EXPECT_EQ(RisponditoreTest().Ricevuti().last().richiesta.titolo, "Archivio inesistente");
}

TEST_F(FileUtiliTest, ApriFileInCartellaInesistenteRiprovaEPoiRinuncia)
{
    const QString percorso = Percorso("manca/X.TXT");
    QFile f;
    RisponditoreTest()
        .Rispondi(Risposta::Riprova, "Questo percorso non esiste.")
        .Rispondi(Risposta::Annulla, "Questo percorso non esiste.");
    EXPECT_EQ(ApriFile(percorso, f, 1, ModoScrittura), 0);
    ASSERT_EQ(RisponditoreTest().Ricevuti().size(), 2);
    EXPECT_EQ(RisponditoreTest().Ricevuti()[0].richiesta.titolo, "Errori su  " + percorso);
    EXPECT_EQ(RisponditoreTest().Ricevuti()[0].richiesta.pulsanti, Pulsanti::RiprovaAnnulla);

    // A folder cannot be opened as a file.
    RisponditoreTest().Rispondi(Risposta::Ok, "non si può aprire per quel tipo di accesso");
    EXPECT_EQ(ApriFile(Cartella(), f, 1, ModoScrittura), 0);
}

TEST_F(FileUtiliTest, ErroriFileTabella)
{
    // Outside the table: no message at all.
    EXPECT_EQ(ErroriFile(ErroreFile::FileNonTrovato, "/x/y.txt"), 3);
    EXPECT_EQ(ErroriFile(1000 + EMFILE, "/x/y.txt"), 3);
    EXPECT_TRUE(RisponditoreTest().Ricevuti().isEmpty());

    RisponditoreTest().Rispondi(Risposta::Riprova, "L'archivio è già aperto.");
    EXPECT_EQ(ErroriFile(55, "/x/y.txt"), 0);
    RisponditoreTest().Rispondi(Risposta::Annulla);
    EXPECT_EQ(ErroriFile(61, "C:\\EDI\\y.txt"), 2);
    EXPECT_EQ(RisponditoreTest().Testi().last(), "C:Non c'è più spazio sul disco   ");
    RisponditoreTest().Rispondi(Risposta::Ok);
    EXPECT_EQ(ErroriFile(57, "/x/y.txt"), 2);
    EXPECT_EQ(RisponditoreTest().Testi().last(), "Errore di I/O sul DEVICE del file   ");
    RisponditoreTest().Rispondi(Risposta::Ok);
    EXPECT_EQ(ErroriFile(62, "/x/y.txt"), 2);
    EXPECT_EQ(RisponditoreTest().Testi().last(),
              "L'archivio ha un fine-file non standard,\no è stata fatta una lettura oltre la "
              "fine.");
    EXPECT_EQ(RisponditoreTest().Ricevuti().last().richiesta.pulsanti, Pulsanti::Ok);
    EXPECT_EQ(RisponditoreTest().Ricevuti().last().richiesta.icona, Icona::Avviso);
}

TEST_F(FileUtiliTest, ErroriDelSistemaSuiNumeriDellaTabella)
{
    ScriviFile("c/f.txt", "");
    EXPECT_EQ(NumeroErroreFile(ENOENT, Percorso("c/nuovo.txt")), ErroreFile::FileNonTrovato);
    EXPECT_EQ(NumeroErroreFile(ENOENT, Percorso("manca/nuovo.txt")),
              ErroreFile::PercorsoInesistente);
    EXPECT_EQ(NumeroErroreFile(ENOTDIR, Percorso("c/f.txt/x")), ErroreFile::PercorsoInesistente);
    EXPECT_EQ(NumeroErroreFile(EACCES, "/x"), ErroreFile::AccessoNegato);
    EXPECT_EQ(NumeroErroreFile(ETXTBSY, "/x"), ErroreFile::GiaAperto);
    EXPECT_EQ(NumeroErroreFile(ENAMETOOLONG, "/x"), ErroreFile::NomeErrato);
    EXPECT_EQ(NumeroErroreFile(EIO, "/x"), ErroreFile::ErroreIO);
    EXPECT_EQ(NumeroErroreFile(ENOSPC, "/x"), ErroreFile::DiscoPieno);
    EXPECT_EQ(NumeroErroreFile(ENXIO, "/x"), ErroreFile::DeviceNonDisponibile);
    EXPECT_EQ(NumeroErroreFile(ENOMEDIUM, "/x"), ErroreFile::DiscoNonPronto);
    EXPECT_EQ(NumeroErroreFile(EMFILE, "/x"), 1000 + EMFILE);
    EXPECT_EQ(NumeroErroreFile(0, "/x"), 0);
}

TEST_F(FileUtiliTest, CancellaFileAttesa)
{
    // A missing file: back at once, nothing asked.
    CancellaFileAttesa(Percorso("non-esiste.txt"), 100);
    const QString file = ScriviFile("Xchk", "");
    CancellaFileAttesa(file, 0);
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(FileUtiliTest, RinominaFileAttesaAspettaIlFileLasciandoGirareGliEventi)
{
    const QString vecchio = Percorso("stampa.tmp");
    const QString nuovo = ScriviFile("stampa.pdf", "vecchia stampa");
    // The file appears only while the routine waits: events must run meanwhile.
    QTimer::singleShot(300, [&]() { ScriviFile("stampa.tmp", "nuova stampa"); });
    RinominaFileAttesa(vecchio, nuovo, 2);
    EXPECT_FALSE(QFile::exists(vecchio));
    EXPECT_EQ(LeggiFile("stampa.pdf"), "nuova stampa");
}

TEST_F(FileUtiliTest, RinominaFileAttesaSenzaFileSiFermaAlLimite)
{
    // (w + 1) x 5 seconds with w = -0.9: half a second.
    RinominaFileAttesa(Percorso("mai.tmp"), Percorso("mai.pdf"), -0.9);
    EXPECT_FALSE(QFile::exists(Percorso("mai.pdf")));
}

TEST_F(FileUtiliTest, LeggiValoreRegistroDalloStoreDellUtente)
{
    ScriviValoreUtente("norvel", "Setting", "ExePath", "/opt/norvel");
    ScriviValoreUtente("norvel", "Setting", "Vuoto", "");
    QString valore = "resto";
    EXPECT_TRUE(LeggiValoreRegistro("HKEY_CURRENT_USER", "norvel\\Setting", "ExePath", valore));
    EXPECT_EQ(valore, "/opt/norvel");
    EXPECT_TRUE(LeggiValoreRegistro("HKEY_CURRENT_USER", "norvel/Setting", "Vuoto", valore));
    EXPECT_EQ(valore, "");
    valore = "resto";
    EXPECT_FALSE(LeggiValoreRegistro("HKEY_CURRENT_USER", "norvel\\Setting", "Manca", valore));
    EXPECT_EQ(valore, "");
    EXPECT_FALSE(LeggiValoreRegistro("HKEY_CURRENT_USER", "", "ExePath", valore));
}

TEST_F(FileUtiliTest, InfoSistema)
{
    const QByteArray pathVero = qgetenv("PATH");
    const QString bin = Percorso("bin");
    QDir().mkpath(bin);
    qputenv("PATH", bin.toUtf8());
    RisponditoreTest().Rispondi(Risposta::Ok,
                                "Le informazioni sul sistema non sono attualmente disponibili.");
    InfoSistema();

    const QString segno = Percorso("avviato");
    const QString strumento =
        ScriviFile("bin/hardinfo", ("#!/bin/sh\n: > '" + segno + "'\n").toUtf8());
    QFile::setPermissions(strumento, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    InfoSistema();
    qputenv("PATH", pathVero);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(segno); }, 10000));
}
