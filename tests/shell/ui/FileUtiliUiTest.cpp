#include "support/AmbienteTest.h"
#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"
#include "support/ui/AmbienteFinestre.h"

#include "piattaforma/ui/Dialoghi.h"
#include "shell/ui/FileUtiliUi.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

class FileUtiliUiTest : public CartellaProgrammaTest
{
protected:
    // Points the desktop's application database at a folder of the test, with
    // at most one application, for the type given.
    void DesktopSenzaApplicazioni(const QString& tipoAperto = {})
    {
        const QString vuota = Percorso(u"xdg"_s);
        QDir().mkpath(vuota);
        for (const char* v :
             {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"}) {
            salvati_.append({v, qgetenv(v)});
            qputenv(v, vuota.toUtf8());
        }
        if (!tipoAperto.isEmpty())
            ScriviFile(u"xdg/applications/lettore.desktop"_s,
                       (u"[Desktop Entry]\nType=Application\nName=Lettore\nExec=true %f\n"
                        u"MimeType="_s +
                        tipoAperto + u";\n"_s)
                           .toUtf8());
    }
    void TearDown() override
    {
        for (const auto& [nome, valore] : salvati_)
            qputenv(nome, valore);
        CartellaProgrammaTest::TearDown();
    }

private:
    QList<std::pair<const char*, QByteArray>> salvati_;
};

} // namespace

TEST_F(FileUtiliUiTest, RunFileSenzaFileOCartella)
{
    RisponditoreTest().Rispondi(Risposta::Ok);
    EXPECT_EQ(RunFile(nullptr, Percorso(u"manca.pdf"_s)), EsitoRunFile::FileNonTrovato);
    EXPECT_EQ(RisponditoreTest().Testi().last(), u"Impossibile trovare il file. \n\nPercorso: '"_s +
                                                     Percorso(u"manca.pdf"_s) + u"'"_s);
    EXPECT_EQ(RisponditoreTest().Ricevuti().last().richiesta.titolo,
              u"RunFile: Errore di esecuzione"_s);
    EXPECT_EQ(RisponditoreTest().Ricevuti().last().richiesta.icona, Icona::Critico);

    RisponditoreTest().Rispondi(Risposta::Ok, u"Impossibile trovare la cartella. "_s);
    EXPECT_EQ(RunFile(nullptr, u"x.pdf"_s, u"-p"_s, Percorso(u"manca"_s)),
              EsitoRunFile::CartellaNonTrovata);
    EXPECT_TRUE(RisponditoreTest().Testi().last().endsWith(
        u"\nCartella: '"_s + Percorso(u"manca"_s) + u"'\nParametri: '-p'"_s));
    EXPECT_TRUE(AperturaShell().isEmpty());
}

TEST_F(FileUtiliUiTest, RunFileSenzaApplicazionePerIlTipo)
{
    DesktopSenzaApplicazioni();
    const QString documento = ScriviFile(u"dati.norvelzz"_s, QByteArray(300, '\x01'));
    RisponditoreTest().Rispondi(Risposta::Ok);
    EXPECT_EQ(RunFile(nullptr, documento, {}, Cartella()), EsitoRunFile::NessunaAssociazione);
    const QString testo = RisponditoreTest().Testi().value(0);
    EXPECT_TRUE(testo.startsWith(u"Il sistema in uso non presenta alcuna associazione per questo "
                                 u"tipo di file. \n\nInstallare un'applicazione appropriata"_s));
    EXPECT_TRUE(testo.contains(u"Selezionare la voce \"Apri con...\" e spuntare la casella "
                               u"\"Utilizza \nsempre...\". Selezionare l'applicazione"_s));
    EXPECT_TRUE(testo.endsWith(u"scegliere [Ok]. \n\nPercorso: '"_s + documento +
                               u"'\nCartella: '"_s + Cartella() + u"'"_s));
    EXPECT_TRUE(AperturaShell().isEmpty());
}

TEST_F(FileUtiliUiTest, RunFileApreCioCheIlDesktopSaAprire)
{
    DesktopSenzaApplicazioni(u"text/html"_s);
    const QString documento = ScriviFile(u"pagina.htm"_s, "<html></html>");
    // Relative to the folder given.
    EXPECT_EQ(RunFile(nullptr, u"pagina.htm"_s, {}, Cartella()), EsitoRunFile::Aperto);
    EXPECT_EQ(RunFile(nullptr, u"https://www.example.org/x"_s), EsitoRunFile::Aperto);
    EXPECT_EQ(AperturaShell(), QStringList({documento, u"https://www.example.org/x"_s}));
    EXPECT_TRUE(RisponditoreTest().Ricevuti().isEmpty());
}

TEST_F(FileUtiliUiTest, SceltaCartellaAnnullataDaVuoto)
{
    QStringList chieste;
    DialoghiTest d;
    d.cartella = [&](const QString& titolo, const QString& iniziale) {
        chieste << titolo + u"|"_s + iniziale;
        return chieste.size() == 1 ? QString() : u"/srv/edi"_s;
    };
    ImpostaDialoghi(d);
    EXPECT_EQ(SceltaCartella(nullptr, u"/home"_s, u"CARTELLA BASE"_s), u""_s);
    EXPECT_EQ(SceltaCartella(nullptr, u"  "_s, u"ALTRA"_s), u"/srv/edi"_s);
    EXPECT_EQ(chieste, QStringList({u"CARTELLA BASE|/home"_s, u"ALTRA|"_s}));
}
