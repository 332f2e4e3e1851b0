#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"

#include "shell/Avvio.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/ModuliOpzionali.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

using LanciaApplicazioneTest = CartellaProgrammaTest;

TEST_F(LanciaApplicazioneTest, ChiaveVuota)
{
    ArgomentoProgramma = u" /tmp/x.txt"_s;
    StileFinestra = 3;
    RisponditoreTest().Rispondi(Risposta::Ok);
    LanciaApplicazione(u"Varie5"_s);
    ASSERT_EQ(RisponditoreTest().Testi().size(), 1);
    EXPECT_EQ(RisponditoreTest().Testi()[0], u"Varie5 non presente su "_s + FileIni);
    EXPECT_EQ(ArgomentoProgramma, u""_s);
    EXPECT_EQ(StileFinestra, 1);
}

TEST_F(LanciaApplicazioneTest, ComandoCheNonParte)
{
    ScriviIni(FileIni, u"APPLICATIVI"_s, u"Varie2"_s, u"/nessun/programma/qui"_s);
    ArgomentoProgramma = u" qualcosa"_s;
    StileFinestra = 2;
    RisponditoreTest().Rispondi(Risposta::Ok);
    LanciaApplicazione(u"Varie2"_s);
    EXPECT_EQ(RisponditoreTest().Testi().value(0), u"/nessun/programma/qui non trovato"_s);
    EXPECT_EQ(ArgomentoProgramma, u""_s);
    EXPECT_EQ(StileFinestra, 1);
}

TEST_F(LanciaApplicazioneTest, LancioVeroRiceveLArgomento)
{
    const QString uscita = Percorso(u"ricevuto.txt"_s);
    const QString script = ScriptRegistra(u"editor.sh"_s, uscita);
    const QString documento = ScriviFile(u"una cartella/documento.txt"_s, "x");
    ScriviIni(FileIni, u"APPLICATIVI"_s, u"Varie1"_s, script);

    ArgomentoProgramma = u" "_s + documento;
    LanciaApplicazione(u"Varie1"_s);
    EXPECT_EQ(ArgomentoProgramma, u""_s);
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
        qputenv("XDG_DATA_HOME", Percorso(u"dati"_s).toUtf8());
        qputenv("XDG_DATA_DIRS", Percorso(u"dati-sistema"_s).toUtf8());
        qputenv("XDG_CONFIG_HOME", Percorso(u"config"_s).toUtf8());
        qputenv("XDG_CONFIG_DIRS", Percorso(u"config-sistema"_s).toUtf8());
        qunsetenv("XDG_CURRENT_DESKTOP");
        uscita_ = Percorso(u"editor-avviato.txt"_s);
        ScriviIni(FileIni, u"APPLICATIVI"_s, u"Varie1"_s, u"xdg-open"_s);
    }
    void TearDown() override
    {
        for (const auto& [nome, valore] : salvati_)
            qputenv(nome, valore);
        CartellaProgrammaTest::TearDown();
    }

    void EditorPredefinitoDelDesktop()
    {
        const QString editor = ScriptRegistra(u"bin-prova/editor-prova"_s, uscita_);
        ScriviFile(u"dati/applications/editor-prova.desktop"_s,
                   (u"[Desktop Entry]\nType=Application\nName=Editor di prova\nExec="_s + editor +
                    u" %F\nMimeType=text/plain;\n"_s)
                       .toUtf8());
        ScriviFile(u"config/mimeapps.list"_s,
                   "[Default Applications]\ntext/plain=editor-prova.desktop\n");
    }
    // PATH holds only the test's own folder: no xdg-mime, no editor of the machine.
    void SoloPathDelTest(bool conEditore)
    {
        const QString bin = Percorso(u"bin-solo"_s);
        QDir().mkpath(bin);
        if (conEditore) {
            // Nothing but the shell itself: PATH has no mv.
            const QString e = ScriviFile(u"bin-solo/mousepad"_s,
                                         (u"#!/bin/sh\n: > '"_s + uscita_ + u"'\n"_s).toUtf8());
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
    LanciaApplicazione(u"Varie1"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(uscita_); }, 10000));
    EXPECT_EQ(LeggiFile(uscita_), "");
}

TEST_F(EditorDelDesktopTest, ConFileLoApreNellEditor)
{
    EditorPredefinitoDelDesktop();
    // No extension that a desktop would know: the editor opens it all the same.
    const QString bolla = ScriviFile(u"Firmati con spazio/ABCD1207.T01"_s, "x");
    ArgomentoProgramma = u" "_s + bolla;
    LanciaApplicazione(u"Varie1"_s);
    EXPECT_EQ(ArgomentoProgramma, u""_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(uscita_); }, 10000));
    EXPECT_EQ(LeggiFile(uscita_), bolla.toUtf8() + "\n");
}

TEST_F(EditorDelDesktopTest, SenzaPredefinitoUnEditoreTrovatoSulPath)
{
    SoloPathDelTest(true);
    LanciaApplicazione(u"Varie1"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(uscita_); }, 10000));
    EXPECT_EQ(LeggiFile(uscita_), "");
}

TEST_F(EditorDelDesktopTest, NessunEditoreLoDice)
{
    SoloPathDelTest(false);
    ArgomentoProgramma = u" /tmp/x.txt"_s;
    RisponditoreTest().Rispondi(Risposta::Ok);
    LanciaApplicazione(u"Varie1"_s);
    EXPECT_EQ(RisponditoreTest().Testi().value(0), u"Editor di testi non trovato"_s);
    EXPECT_EQ(ArgomentoProgramma, u""_s);
}

TEST_F(EditorDelDesktopTest, IlDefaultScrittoAllAvvioEQuesto)
{
    ScriviIni(FileIni, u"APPLICATIVI"_s, u"Varie1"_s, u""_s);
    ImpostaDefaultApplicativi();
    EXPECT_EQ(LeggiIni(FileIni, u"APPLICATIVI"_s, u"Varie1"_s), u"xdg-open"_s);
}
