#include "support/AmbienteTest.h"
#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"
#include "support/ui/AmbienteFinestre.h"

#include "piattaforma/ui/Dialoghi.h"
#include "shell/ui/FileUtiliUi.h"

#include <QDir>

namespace {

class FileUtiliUiTest : public CartellaProgrammaTest
{
protected:
    // Points the desktop's application database at a folder of the test, with
    // at most one application, for the type given.
    void DesktopSenzaApplicazioni(const QString& tipoAperto = {})
    {
        const QString vuota = Percorso("xdg");
        QDir().mkpath(vuota);
        for (const char* v :
             {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"}) {
            salvati_.append({v, qgetenv(v)});
            qputenv(v, vuota.toUtf8());
        }
        if (!tipoAperto.isEmpty())
            ScriviFile("xdg/applications/lettore.desktop",
                       ("[Desktop Entry]\nType=Application\nName=Lettore\nExec=true %f\n"
                        "MimeType=" +
                        tipoAperto + ";\n")
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
    EXPECT_EQ(RunFile(nullptr, Percorso("manca.pdf")), EsitoRunFile::FileNonTrovato);
    EXPECT_EQ(RisponditoreTest().Testi().last(),
              "Impossibile trovare il file. \n\nPercorso: '" + Percorso("manca.pdf") + "'");
    EXPECT_EQ(RisponditoreTest().Ricevuti().last().richiesta.titolo,
              "RunFile: Errore di esecuzione");
    EXPECT_EQ(RisponditoreTest().Ricevuti().last().richiesta.icona, Icona::Critico);

    RisponditoreTest().Rispondi(Risposta::Ok, "Impossibile trovare la cartella. ");
    EXPECT_EQ(RunFile(nullptr, "x.pdf", "-p", Percorso("manca")), EsitoRunFile::CartellaNonTrovata);
    EXPECT_TRUE(RisponditoreTest().Testi().last().endsWith("\nCartella: '" + Percorso("manca") +
                                                           "'\nParametri: '-p'"));
    EXPECT_TRUE(AperturaShell().isEmpty());
}

TEST_F(FileUtiliUiTest, RunFileSenzaApplicazionePerIlTipo)
{
    DesktopSenzaApplicazioni();
    const QString documento = ScriviFile("dati.norvelzz", QByteArray(300, '\x01'));
    RisponditoreTest().Rispondi(Risposta::Ok);
    EXPECT_EQ(RunFile(nullptr, documento, {}, Cartella()), EsitoRunFile::NessunaAssociazione);
    const QString testo = RisponditoreTest().Testi().value(0);
    EXPECT_TRUE(testo.startsWith("Il sistema in uso non presenta alcuna associazione per questo "
                                 "tipo di file. \n\nInstallare un'applicazione appropriata"));
    EXPECT_TRUE(testo.contains("Selezionare la voce \"Apri con...\" e spuntare la casella "
                               "\"Utilizza \nsempre...\". Selezionare l'applicazione"));
    EXPECT_TRUE(testo.endsWith("scegliere [Ok]. \n\nPercorso: '" + documento + "'\nCartella: '" +
                               Cartella() + "'"));
    EXPECT_TRUE(AperturaShell().isEmpty());
}

TEST_F(FileUtiliUiTest, RunFileApreCioCheIlDesktopSaAprire)
{
    DesktopSenzaApplicazioni("text/html");
    const QString documento = ScriviFile("pagina.htm", "<html></html>");
    // Relative to the folder given.
    EXPECT_EQ(RunFile(nullptr, "pagina.htm", {}, Cartella()), EsitoRunFile::Aperto);
    EXPECT_EQ(RunFile(nullptr, "https://www.example.org/x"), EsitoRunFile::Aperto);
    EXPECT_EQ(AperturaShell(), QStringList({documento, "https://www.example.org/x"}));
    EXPECT_TRUE(RisponditoreTest().Ricevuti().isEmpty());
}

TEST_F(FileUtiliUiTest, SceltaCartellaAnnullataDaVuoto)
{
    QStringList chieste;
    DialoghiTest d;
    d.cartella = [&](const QString& titolo, const QString& iniziale) {
        chieste << titolo + "|" + iniziale;
        return chieste.size() == 1 ? QString() : QString("/srv/edi");
    };
    ImpostaDialoghi(d);
    EXPECT_EQ(SceltaCartella(nullptr, "/home", "CARTELLA BASE"), "");
    EXPECT_EQ(SceltaCartella(nullptr, "  ", "ALTRA"), "/srv/edi");
    EXPECT_EQ(chieste, QStringList({"CARTELLA BASE|/home", "ALTRA|"}));
}
