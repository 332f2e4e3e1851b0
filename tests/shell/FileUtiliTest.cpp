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

using namespace Qt::StringLiterals;

using FileUtiliTest = CartellaProgrammaTest;

TEST_F(FileUtiliTest, EsisteFileConVirgoletteAttributiEJolly)
{
    const QString file = ScriviFile(u"una cartella/BOLLA.TXT"_s, "x");
    ScriviFile(u"una cartella/.nascosto"_s, "x");
    EXPECT_FALSE(EsisteFile(u""_s));
    EXPECT_FALSE(EsisteFile(u"   "_s));
    EXPECT_TRUE(EsisteFile(file));
    EXPECT_TRUE(EsisteFile(u'"' + file + u'"'));
    // What follows the closing quote stays part of the name.
    EXPECT_FALSE(EsisteFile(u'"' + file + u"\" /p"_s));
    EXPECT_EQ(SenzaVirgolette(u"\"/a b/c.exe\" -x"_s), u"/a b/c.exe -x"_s);
    EXPECT_TRUE(EsisteFile(Percorso(u"una cartella/BOL?A.*"_s)));
    EXPECT_FALSE(EsisteFile(Percorso(u"una cartella/*.P7M"_s)));
    // Folders and hidden files only when the mask asks for them.
    EXPECT_FALSE(EsisteFile(Percorso(u"una cartella"_s)));
    EXPECT_TRUE(EsisteFile(Percorso(u"una cartella"_s), AttributoCartella));
    EXPECT_TRUE(EsisteFile(Percorso(u"una cartella/"_s), AttributoCartella));
    EXPECT_FALSE(EsisteFile(Percorso(u"una cartella/.nascosto"_s)));
    EXPECT_TRUE(EsisteFile(Percorso(u"una cartella/.nascosto"_s), AttributoNascosto));
}

TEST_F(FileUtiliTest, ApriFileRifiutaINomiConCaratteriVietati)
{
    for (const QString& nome : {u"a[1].txt"_s, u"b;c.txt"_s, u"d=e.txt"_s}) {
        const QString percorso = ScriviFile(nome, "dati");
        QFile f;
        RisponditoreTest().Rispondi(Risposta::Ok,
                                    u"Il nome dell'archivio "_s + percorso + u" non e' corretto"_s);
        EXPECT_EQ(ApriFile(percorso, f, 7, ModoLettura), 0) << nome.toStdString();
        EXPECT_FALSE(f.isOpen());
        EXPECT_EQ(RisponditoreTest().Ricevuti().last().richiesta.titolo, u"Nome errato"_s);
    }
}

TEST_F(FileUtiliTest, ApriFileChiedeConferma)
{
    const QString esistente = ScriviFile(u"VECCHIO.TXT"_s, "da tenere");
    QFile f;
    RisponditoreTest().Rispondi(Risposta::No, u"esiste gia'.\nLo vuoi sostituire?"_s);
    EXPECT_EQ(ApriFile(esistente, f, 3, ModoScrittura, 0, true), 0);
    EXPECT_EQ(LeggiFile(u"VECCHIO.TXT"_s), "da tenere");
    EXPECT_EQ(RisponditoreTest().Ricevuti().last().richiesta.titolo, u"Archivio esistente"_s);

    // Reading an existing file asks nothing.
    EXPECT_EQ(ApriFile(esistente, f, 3, ModoLettura, 0, true), 3);
    EXPECT_EQ(f.readAll(), "da tenere");

    const QString nuovo = Percorso(u"NUOVO.TXT"_s);
    RisponditoreTest().Rispondi(Risposta::No, u"non esiste.\nLo vuoi creare?"_s);
    EXPECT_EQ(ApriFile(nuovo, f, 4, ModoAggiunta, 0, true), 0);
    EXPECT_FALSE(QFile::exists(nuovo));
    RisponditoreTest().Rispondi(Risposta::Si, u"Lo vuoi creare?"_s);
    EXPECT_EQ(ApriFile(nuovo, f, 4, ModoAggiunta, 0, true), 4);
    f.write("riga\n");
    f.close();
    EXPECT_EQ(ApriFile(nuovo, f, 4, ModoAggiunta), 4);
    f.write("altra\n");
    f.close();
    EXPECT_EQ(LeggiFile(u"NUOVO.TXT"_s), "riga\naltra\n");
    EXPECT_EQ(RisponditoreTest().Ricevuti().last().richiesta.titolo, u"Archivio inesistente"_s);
}

TEST_F(FileUtiliTest, ApriFileInCartellaInesistenteRiprovaEPoiRinuncia)
{
    const QString percorso = Percorso(u"manca/X.TXT"_s);
    QFile f;
    RisponditoreTest()
        .Rispondi(Risposta::Riprova, u"Questo percorso non esiste."_s)
        .Rispondi(Risposta::Annulla, u"Questo percorso non esiste."_s);
    EXPECT_EQ(ApriFile(percorso, f, 1, ModoScrittura), 0);
    ASSERT_EQ(RisponditoreTest().Ricevuti().size(), 2);
    EXPECT_EQ(RisponditoreTest().Ricevuti()[0].richiesta.titolo, u"Errori su  "_s + percorso);
    EXPECT_EQ(RisponditoreTest().Ricevuti()[0].richiesta.pulsanti, Pulsanti::RiprovaAnnulla);

    // A folder cannot be opened as a file.
    RisponditoreTest().Rispondi(Risposta::Ok, u"non si può aprire per quel tipo di accesso"_s);
    EXPECT_EQ(ApriFile(Cartella(), f, 1, ModoScrittura), 0);
}

TEST_F(FileUtiliTest, ErroriFileTabella)
{
    // Outside the table: no message at all.
    EXPECT_EQ(ErroriFile(ErroreFile::FileNonTrovato, u"/x/y.txt"_s), 3);
    EXPECT_EQ(ErroriFile(1000 + EMFILE, u"/x/y.txt"_s), 3);
    EXPECT_TRUE(RisponditoreTest().Ricevuti().isEmpty());

    RisponditoreTest().Rispondi(Risposta::Riprova, u"L'archivio è già aperto."_s);
    EXPECT_EQ(ErroriFile(55, u"/x/y.txt"_s), 0);
    RisponditoreTest().Rispondi(Risposta::Annulla);
    EXPECT_EQ(ErroriFile(61, u"C:\\EDI\\y.txt"_s), 2);
    EXPECT_EQ(RisponditoreTest().Testi().last(), u"C:Non c'è più spazio sul disco   "_s);
    RisponditoreTest().Rispondi(Risposta::Ok);
    EXPECT_EQ(ErroriFile(57, u"/x/y.txt"_s), 2);
    EXPECT_EQ(RisponditoreTest().Testi().last(), u"Errore di I/O sul DEVICE del file   "_s);
    RisponditoreTest().Rispondi(Risposta::Ok);
    EXPECT_EQ(ErroriFile(62, u"/x/y.txt"_s), 2);
    EXPECT_EQ(RisponditoreTest().Testi().last(),
              u"L'archivio ha un fine-file non standard,\no è stata fatta una lettura oltre la "
              "fine."_s);
    EXPECT_EQ(RisponditoreTest().Ricevuti().last().richiesta.pulsanti, Pulsanti::Ok);
    EXPECT_EQ(RisponditoreTest().Ricevuti().last().richiesta.icona, Icona::Avviso);
}

TEST_F(FileUtiliTest, ErroriDelSistemaSuiNumeriDellaTabella)
{
    ScriviFile(u"c/f.txt"_s, "");
    EXPECT_EQ(NumeroErroreFile(ENOENT, Percorso(u"c/nuovo.txt"_s)), ErroreFile::FileNonTrovato);
    EXPECT_EQ(NumeroErroreFile(ENOENT, Percorso(u"manca/nuovo.txt"_s)),
              ErroreFile::PercorsoInesistente);
    EXPECT_EQ(NumeroErroreFile(ENOTDIR, Percorso(u"c/f.txt/x"_s)), ErroreFile::PercorsoInesistente);
    EXPECT_EQ(NumeroErroreFile(EACCES, u"/x"_s), ErroreFile::AccessoNegato);
    EXPECT_EQ(NumeroErroreFile(ETXTBSY, u"/x"_s), ErroreFile::GiaAperto);
    EXPECT_EQ(NumeroErroreFile(ENAMETOOLONG, u"/x"_s), ErroreFile::NomeErrato);
    EXPECT_EQ(NumeroErroreFile(EIO, u"/x"_s), ErroreFile::ErroreIO);
    EXPECT_EQ(NumeroErroreFile(ENOSPC, u"/x"_s), ErroreFile::DiscoPieno);
    EXPECT_EQ(NumeroErroreFile(ENXIO, u"/x"_s), ErroreFile::DeviceNonDisponibile);
    EXPECT_EQ(NumeroErroreFile(ENOMEDIUM, u"/x"_s), ErroreFile::DiscoNonPronto);
    EXPECT_EQ(NumeroErroreFile(EMFILE, u"/x"_s), 1000 + EMFILE);
    EXPECT_EQ(NumeroErroreFile(0, u"/x"_s), 0);
}

TEST_F(FileUtiliTest, CancellaFileAttesa)
{
    // A missing file: back at once, nothing asked.
    CancellaFileAttesa(Percorso(u"non-esiste.txt"_s), 100);
    const QString file = ScriviFile(u"Xchk"_s, "");
    CancellaFileAttesa(file, 0);
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(FileUtiliTest, RinominaFileAttesaAspettaIlFileLasciandoGirareGliEventi)
{
    const QString vecchio = Percorso(u"stampa.tmp"_s);
    const QString nuovo = ScriviFile(u"stampa.pdf"_s, "vecchia stampa");
    // The file appears only while the routine waits: events must run meanwhile.
    QTimer::singleShot(300, [&]() { ScriviFile(u"stampa.tmp"_s, "nuova stampa"); });
    RinominaFileAttesa(vecchio, nuovo, 2);
    EXPECT_FALSE(QFile::exists(vecchio));
    EXPECT_EQ(LeggiFile(u"stampa.pdf"_s), "nuova stampa");
}

TEST_F(FileUtiliTest, RinominaFileAttesaSenzaFileSiFermaAlLimite)
{
    // (w + 1) x 5 seconds with w = -0.9: half a second.
    RinominaFileAttesa(Percorso(u"mai.tmp"_s), Percorso(u"mai.pdf"_s), -0.9);
    EXPECT_FALSE(QFile::exists(Percorso(u"mai.pdf"_s)));
}

TEST_F(FileUtiliTest, LeggiValoreRegistroDalloStoreDellUtente)
{
    ScriviValoreUtente(u"norvel"_s, u"Setting"_s, u"ExePath"_s, u"/opt/norvel"_s);
    ScriviValoreUtente(u"norvel"_s, u"Setting"_s, u"Vuoto"_s, u""_s);
    QString valore = u"resto"_s;
    EXPECT_TRUE(
        LeggiValoreRegistro(u"HKEY_CURRENT_USER"_s, u"norvel\\Setting"_s, u"ExePath"_s, valore));
    EXPECT_EQ(valore, u"/opt/norvel"_s);
    EXPECT_TRUE(
        LeggiValoreRegistro(u"HKEY_CURRENT_USER"_s, u"norvel/Setting"_s, u"Vuoto"_s, valore));
    EXPECT_EQ(valore, u""_s);
    valore = u"resto"_s;
    EXPECT_FALSE(
        LeggiValoreRegistro(u"HKEY_CURRENT_USER"_s, u"norvel\\Setting"_s, u"Manca"_s, valore));
    EXPECT_EQ(valore, u""_s);
    EXPECT_FALSE(LeggiValoreRegistro(u"HKEY_CURRENT_USER"_s, u""_s, u"ExePath"_s, valore));
}

TEST_F(FileUtiliTest, InfoSistema)
{
    const QByteArray pathVero = qgetenv("PATH");
    const QString bin = Percorso(u"bin"_s);
    QDir().mkpath(bin);
    qputenv("PATH", bin.toUtf8());
    RisponditoreTest().Rispondi(Risposta::Ok,
                                u"Le informazioni sul sistema non sono attualmente disponibili."_s);
    InfoSistema();

    const QString segno = Percorso(u"avviato"_s);
    const QString strumento =
        ScriviFile(u"bin/hardinfo"_s, (u"#!/bin/sh\n: > '"_s + segno + u"'\n"_s).toUtf8());
    QFile::setPermissions(strumento, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    InfoSistema();
    qputenv("PATH", pathVero);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(segno); }, 10000));
}
