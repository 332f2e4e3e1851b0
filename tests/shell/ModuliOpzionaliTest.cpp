#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"

#include "shell/Avvio.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/ModuliOpzionali.h"

#include <QDir>
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

namespace {

// Entry 1 at its default, with the desktop of the test's own folders: a
// stand-in editor registered as the default for text/plain, a stand-in found on
// PATH, or nothing at all.
class EditorDelDesktopTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        for (const char* v : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME",
                              "XDG_CONFIG_DIRS", "XDG_CURRENT_DESKTOP", "PATH"})
            salvati_.append({v, qgetenv(v)});
        qputenv("XDG_DATA_HOME", Percorso("dati").toUtf8());
        qputenv("XDG_DATA_DIRS", Percorso("dati-sistema").toUtf8());
        qputenv("XDG_CONFIG_HOME", Percorso("config").toUtf8());
        qputenv("XDG_CONFIG_DIRS", Percorso("config-sistema").toUtf8());
        qunsetenv("XDG_CURRENT_DESKTOP");
        uscita_ = Percorso("editor-avviato.txt");
        ScriviIni(FileIni, "APPLICATIVI", "Varie1", "xdg-open");
    }
    void TearDown() override
    {
        for (const auto& [nome, valore] : salvati_)
            qputenv(nome, valore);
        CartellaProgrammaTest::TearDown();
    }

    void EditorPredefinitoDelDesktop()
    {
        const QString editor = ScriptRegistra("bin-prova/editor-prova", uscita_);
        ScriviFile("dati/applications/editor-prova.desktop",
                   ("[Desktop Entry]\nType=Application\nName=Editor di prova\nExec=" + editor +
                    " %F\nMimeType=text/plain;\n")
                       .toUtf8());
        ScriviFile("config/mimeapps.list",
                   "[Default Applications]\ntext/plain=editor-prova.desktop\n");
    }
    // PATH holds only the test's own folder: no xdg-mime, no editor of the machine.
    void SoloPathDelTest(bool conEditore)
    {
        const QString bin = Percorso("bin-solo");
        QDir().mkpath(bin);
        if (conEditore) {
            // Nothing but the shell itself: PATH has no mv.
            const QString e =
                ScriviFile("bin-solo/mousepad", ("#!/bin/sh\n: > '" + uscita_ + "'\n").toUtf8());
            QFile::setPermissions(e, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("PATH", bin.toUtf8());
    }

    QString uscita_;

private:
    QList<std::pair<const char*, QByteArray>> salvati_;
};

} // namespace

TEST_F(EditorDelDesktopTest, SenzaFileApreLEditorPredefinito)
{
    EditorPredefinitoDelDesktop();
    LanciaApplicazione("Varie1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(uscita_); }, 10000));
    EXPECT_EQ(LeggiFile(uscita_), "");
}

TEST_F(EditorDelDesktopTest, ConFileLoApreNellEditor)
{
    EditorPredefinitoDelDesktop();
    // No extension that a desktop would know: the editor opens it all the same.
    const QString bolla = ScriviFile("Firmati con spazio/ABCD1207.T01", "x");
    ArgomentoProgramma = " " + bolla;
    LanciaApplicazione("Varie1");
    EXPECT_EQ(ArgomentoProgramma, "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(uscita_); }, 10000));
    EXPECT_EQ(LeggiFile(uscita_), bolla.toUtf8() + "\n");
}

TEST_F(EditorDelDesktopTest, SenzaPredefinitoUnEditoreTrovatoSulPath)
{
    SoloPathDelTest(true);
    LanciaApplicazione("Varie1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(uscita_); }, 10000));
    EXPECT_EQ(LeggiFile(uscita_), "");
}

TEST_F(EditorDelDesktopTest, NessunEditoreLoDice)
{
    SoloPathDelTest(false);
    ArgomentoProgramma = " /tmp/x.txt";
    RisponditoreTest().Rispondi(Risposta::Ok);
    LanciaApplicazione("Varie1");
    EXPECT_EQ(RisponditoreTest().Testi().value(0), "Editor di testi non trovato");
    EXPECT_EQ(ArgomentoProgramma, "");
}

TEST_F(EditorDelDesktopTest, IlDefaultScrittoAllAvvioEQuesto)
{
    ScriviIni(FileIni, "APPLICATIVI", "Varie1", "");
    ImpostaDefaultApplicativi();
    EXPECT_EQ(LeggiIni(FileIni, "APPLICATIVI", "Varie1"), "xdg-open");
}
