#include "support/AmbienteTest.h"
#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"
#include "support/ServerHttp.h"
#include "support/ui/AmbienteFinestre.h"

#include "piattaforma/RichiestaHttp.h"
#include "piattaforma/ui/Dialoghi.h"
#include "shell/Aggiornamenti.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/Versione.h"
#include "shell/ui/Aggiorna.h"
#include "shell/ui/ScaricaFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The versions page of a site on 127.0.0.1, and the window reading it.
class AggiornaTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        ImpostaVersioneInUso(u"2.15.7"_s);
        server = std::make_unique<ServerHttp>();
        ASSERT_TRUE(server->Avvia());
        // No trailing "/": the program adds it.
        ScriviIni(FileIni, u"AGGIORNA"_s, u"ZERPA"_s, server->Host() + u"/sw"_s);
        nome = NomeProgrammaAggiornamenti();
    }
    void TearDown() override
    {
        finestra.reset();
        ImpostaVersioneInUso({});
        ImpostaLimiteHttp(0);
        CartellaProgrammaTest::TearDown();
    }

    void Pubblica(const QString& versione, const QStringList& voci)
    {
        QString pagina =
            u"<HTML><BODY>\r\n<P>"_s + nome + u"=norvel.htm#"_s + versione + u"</P>\r\n"_s;
        for (const QString& v : voci)
            pagina += u"<P>"_s + nome + u':' + v + u"</P>\r\n"_s;
        server->Servi(u"/sw/Aggiornamenti/Versioni.htm"_s, pagina.toUtf8() + "</BODY></HTML>");
    }
    void Apri()
    {
        finestra = std::make_unique<Aggiorna>();
        finestra->plAgInforma(true);
        finestra->Carica();
        finestra->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(finestra.get()));
    }
    template <typename T> T* Trova(const QString& nomeOggetto)
    {
        return finestra->findChild<T*>(nomeOggetto);
    }
    QLabel* Voce(int i) { return Trova<QLabel>(u"lbAggiornamento_%1"_s.arg(i)); }
    bool Visibile(const QString& nomeOggetto) { return Trova<QWidget>(nomeOggetto)->isVisible(); }
    // The folder dialog answers a folder of the test.
    QString CartellaScaricati()
    {
        const QString cartella = Percorso(u"scaricati"_s);
        QDir().mkpath(cartella);
        DialoghiTest d;
        d.cartella = [cartella](const QString&, const QString&) { return cartella; };
        ImpostaDialoghi(d);
        return cartella;
    }

    std::unique_ptr<ServerHttp> server;
    std::unique_ptr<Aggiorna> finestra;
    QString nome;
};

} // namespace

TEST_F(AggiornaTest, ProgrammaAggiornato)
{
    Pubblica(u"2.15.7"_s, {u"agg/a.zip#01/02/2024#A1#Correzioni"_s});
    Apri();
    EXPECT_EQ(finestra->windowTitle(), u"PROGRAMMA AGGIORNATO"_s);
    EXPECT_EQ(EsitoAggiornamento, -1);
    EXPECT_EQ(Trova<QLabel>(u"lbNome"_s)->text(), nome);
    EXPECT_EQ(Trova<QLabel>(u"lbVersione"_s)->text(), u"02.15.07"_s);
    EXPECT_EQ(Trova<QLabel>(u"lbNuovaVersione"_s)->text(), u"02.15.07"_s);
    EXPECT_TRUE(Visibile(u"fraAggiornato"_s));
    EXPECT_EQ(Trova<QLabel>(u"lbAggiornato"_s)->text(),
              u"La versione in uso è la più aggiornata"_s);
    EXPECT_FALSE(Visibile(u"fraErrore"_s));
    EXPECT_FALSE(Visibile(u"fraElenco"_s));
    EXPECT_FALSE(Visibile(u"cmdAggiorna"_s));
    // One plain GET on the site with the "/" added, past any cache.
    ASSERT_EQ(server->Richieste().size(), 1);
    EXPECT_EQ(server->Richieste()[0].metodo, "GET");
    EXPECT_EQ(server->Richieste()[0].percorso, u"/sw/Aggiornamenti/Versioni.htm"_s);
    EXPECT_EQ(server->Richieste()[0].intestazioni.value("cache-control"), "no-cache");
}

TEST_F(AggiornaTest, DueAggiornamentiInOrdineEScaricati)
{
    Pubblica(u"3.0.0"_s, {u"agg/B2.zip#02/02/2024#B2#Seconda correzione"_s,
                          u"agg/A1.zip#01/02/2024#A1#Prima correzione"_s});
    server->Servi(u"/sw/agg/B2.zip"_s, QByteArray("contenuto B2"));
    server->Servi(u"/sw/agg/A1.zip"_s, QByteArray(200000, 'a'));
    Apri();
    EXPECT_EQ(finestra->windowTitle(), u"DISPONIBILE NUOVO AGGIORNAMENTO"_s);
    EXPECT_EQ(EsitoAggiornamento, 0);
    EXPECT_EQ(Trova<QLabel>(u"lbNuovaVersione"_s)->text(), u"03.00.00"_s);
    EXPECT_TRUE(Visibile(u"fraElenco"_s));
    EXPECT_EQ(Trova<QLabel>(u"lbTitoloElenco"_s)->text(), u"Elenco aggiornamenti disponibili"_s);
    EXPECT_EQ(Voce(1)->text(), u"B2 - Seconda correzione (02/02/2024)"_s);
    EXPECT_EQ(Voce(2)->text(), u"A1 - Prima correzione (01/02/2024)"_s);
    EXPECT_FALSE(Voce(3)->isVisible());
    EXPECT_FALSE(Visibile(u"lbAltri"_s));
    EXPECT_EQ(finestra->IndirizziAggiornamenti(),
              (QStringList{server->Indirizzo(u"/sw/agg/B2.zip"_s),
                           server->Indirizzo(u"/sw/agg/A1.zip"_s)}));

    const QString cartella = CartellaScaricati();
    RisponditoreTest().Rispondi(Risposta::Ok, u"Scaricati in"_s);
    QTest::mouseClick(Trova<QPushButton>(u"cmdAggiorna"_s), Qt::LeftButton);
    EXPECT_EQ(LeggiFile(cartella + u"/B2.zip"_s), "contenuto B2");
    EXPECT_EQ(LeggiFile(cartella + u"/A1.zip"_s), QByteArray(200000, 'a'));
    EXPECT_EQ(RisponditoreTest().Ricevuti()[0].richiesta.icona, Icona::Informazione);
    EXPECT_TRUE(Trova<QWidget>(u"cmdUscita"_s)->isEnabled());

    // A double click downloads its one update; replacing is asked first.
    RisponditoreTest().Rispondi(Risposta::Si, u"esiste già"_s).Rispondi(Risposta::Ok, u"A1.zip"_s);
    server->Servi(u"/sw/agg/A1.zip"_s, QByteArray("nuovo A1"));
    QTest::mouseDClick(Voce(2), Qt::LeftButton);
    EXPECT_EQ(LeggiFile(cartella + u"/A1.zip"_s), "nuovo A1");
}

TEST_F(AggiornaTest, DataNonValidaEDodiciAggiornamenti)
{
    QStringList voci{u"x/bad.zip#32/13/2024#Q0#Data sbagliata"_s};
    for (int i = 1; i <= 11; ++i)
        voci << u"x/%1.zip#%1/03/2024#K%1#Aggiornamento %1"_s.arg(i);
    Pubblica(u"2.16.0"_s, voci);
    Apri();
    EXPECT_EQ(Voce(1)->text(), u"Q0 - Data sbagliata (32/13/2024)"_s);
    for (int i = 2; i <= 10; ++i)
        EXPECT_TRUE(Voce(i)->isVisible()) << i;
    EXPECT_EQ(Voce(10)->text(), u"K9 - Aggiornamento 9 (9/03/2024)"_s);
    EXPECT_EQ(finestra->IndirizziAggiornamenti().size(), 10);
    EXPECT_TRUE(Visibile(u"lbAltri"_s));
    EXPECT_TRUE(Trova<QLabel>(u"lbAltri"_s)->text().contains(u"altri 2 aggiornamenti"_s));
    // Every label stays inside the list's panel.
    const QRect pannello = Trova<QWidget>(u"fraElenco"_s)->rect();
    for (int i = 1; i <= 10; ++i)
        EXPECT_TRUE(pannello.contains(Voce(i)->geometry())) << i;
}

TEST_F(AggiornaTest, ErroriDiConnessione)
{
    QTcpServer chiuso;
    ASSERT_TRUE(chiuso.listen(QHostAddress::LocalHost, 0));
    const QString spento = u"127.0.0.1:"_s + QString::number(chiuso.serverPort());
    chiuso.close();
    server->Servi(u"/muto/Aggiornamenti/Versioni.htm"_s, ServerHttp::Pagina{{}, {}, 200, true});
    ImpostaLimiteHttp(400);
    const struct
    {
        QString sito;
        QString descrizione;
    } casi[] = {
        {spento, {}},
        {server->Host() + u"/manca"_s, u"404"_s},
        {server->Host() + u"/muto"_s, u"Nessuna risposta"_s},
    };
    for (const auto& c : casi) {
        ScriviIni(FileIni, u"AGGIORNA"_s, u"ZERPA"_s, c.sito);
        Apri();
        EXPECT_EQ(finestra->windowTitle(), u"ERRORE IN CONNESSIONE"_s) << c.sito.toStdString();
        EXPECT_NE(EsitoAggiornamento, 0);
        EXPECT_NE(EsitoAggiornamento, -1);
        EXPECT_TRUE(Visibile(u"fraErrore"_s));
        EXPECT_EQ(Trova<QLabel>(u"lbErrore"_s)->text(),
                  u"Impossibile verificare nuovi aggiornamenti"_s);
        const QString descrizione = Trova<QLabel>(u"lbDescrizioneErrore"_s)->text();
        EXPECT_FALSE(descrizione.isEmpty());
        EXPECT_TRUE(descrizione.contains(c.descrizione)) << descrizione.toStdString();
        EXPECT_FALSE(Visibile(u"fraAggiornato"_s));
        EXPECT_FALSE(Visibile(u"fraElenco"_s));
    }
}

TEST_F(AggiornaTest, ColoriAlPassaggioEVaiAlSito)
{
    Pubblica(u"3.0.0"_s, {u"a.zip#01/02/2024#A1#Uno"_s, u"b.zip#01/02/2024#B1#Due"_s});
    Apri();
    auto colore = [](QLabel* l) { return l->palette().color(QPalette::WindowText); };
    EXPECT_EQ(colore(Voce(1)), QColor(0, 0, 128));
    QEvent entra(QEvent::Enter);
    QApplication::sendEvent(Voce(2), &entra);
    EXPECT_EQ(colore(Voce(2)), QColor(255, 0, 0));
    EXPECT_EQ(colore(Voce(1)), QColor(0, 0, 128));
    QMouseEvent muovi(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(Trova<QWidget>(u"lbNome"_s)->parentWidget(), &muovi);
    EXPECT_EQ(colore(Voce(2)), QColor(0, 0, 128));

    QTest::mouseClick(Trova<QPushButton>(u"cmdSito"_s), Qt::LeftButton);
    EXPECT_EQ(AperturaShell(), QStringList{u"https://www.zerpa.it/norvel.htm"_s});
    // The demo goes to its own site instead.
    ScriviIni(FileIni, u"EDI"_s, u"DEMO"_s, u"1"_s);
    QTest::mouseClick(Trova<QPushButton>(u"cmdSito"_s), Qt::LeftButton);
    EXPECT_EQ(AperturaShell().value(1), server->Indirizzo(u"/sw/norvel.htm"_s));
    QTest::mouseClick(Trova<QPushButton>(u"cmdUscita"_s), Qt::LeftButton);
    EXPECT_FALSE(finestra->isVisible());
}

TEST_F(AggiornaTest, CercaAggiornamentiDallaFinestraAttiva)
{
    Pubblica(u"2.15.7"_s, {});
    QMainWindow principale;
    principale.setWindowTitle(u" Norvel"_s);
    principale.show();
    principale.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&principale));
    QString didascaliaDurante;
    QString titoloFinestra;
    QuandoModale([&](QWidget* w) {
        didascaliaDurante = principale.windowTitle();
        titoloFinestra = w->windowTitle();
        w->close();
    });
    CercaAggiornamenti();
    EXPECT_EQ(didascaliaDurante, u"Ricerca aggiornamenti di  '"_s + nome + u"'  in corso ..."_s);
    EXPECT_EQ(titoloFinestra, u"PROGRAMMA AGGIORNATO"_s);
    EXPECT_EQ(principale.windowTitle(), u" Norvel"_s);
}

TEST_F(AggiornaTest, ScaricaFileIndirizziNonValidi)
{
    RisponditoreTest().Rispondi(Risposta::Ok, u"indirizzo errato"_s);
    EXPECT_TRUE(ScaricaFile(nullptr, u"ftp://esempio.it/a.zip"_s).isEmpty());
    EXPECT_TRUE(ScaricaFile(nullptr, u"   "_s).isEmpty());
    // A failed download says so and leaves no file behind.
    const QString cartella = CartellaScaricati();
    RisponditoreTest().Rispondi(Risposta::Ok, u"Non scaricati"_s);
    EXPECT_TRUE(ScaricaFile(nullptr, server->Indirizzo(u"/nessuno.zip"_s)).isEmpty());
    EXPECT_FALSE(QFile::exists(cartella + u"/nessuno.zip"_s));
    EXPECT_EQ(RisponditoreTest().Ricevuti().last().richiesta.icona, Icona::Avviso);
}

// What the page says is shown as text; a name the page gives a download that
// would hide the file or carry control characters is refused before any
// folder is asked.
TEST_F(AggiornaTest, TestiDellaPaginaComeTestoENomiNonAmmessiRifiutati)
{
    Pubblica(u"3.0.0"_s, {u"agg/A1.zip#01/02/24#A1#<b style=\"color:white\">Correzioni</b>"_s});
    Apri();
    EXPECT_EQ(Voce(1)->textFormat(), Qt::PlainText);
    EXPECT_EQ(Voce(1)->text(), u"A1 - <b style=\"color:white\">Correzioni</b> (01/02/24)"_s);

    const QString cartella = Percorso(u"scaricati"_s);
    for (const QString& percorso : {u"/sw/agg/.profile"_s, u"/sw/agg/"_s, u"/sw/agg/a%0Ab.zip"_s,
                                    u"/sw/agg/a%E2%80%8Eb.zip"_s, u"/sw/agg/..%5Ca.zip"_s}) {
        RisponditoreTest().Rispondi(Risposta::Ok, u"Non scaricati"_s);
        EXPECT_TRUE(ScaricaFile(nullptr, server->Indirizzo(percorso)).isEmpty())
            << percorso.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(cartella));
}
