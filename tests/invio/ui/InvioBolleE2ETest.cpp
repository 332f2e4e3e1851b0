#include "support/Risponditore.h"
#include "support/ServerFtp.h"

#include "invio/InvioBolle.h"
#include "invio/ui/Dos2Edi.h"
#include "shell/Global.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class InvioBolleE2ETest : public ProvaConServerFtp
{
protected:
    void Prepara() override
    {
        GiornoProve();
        CollegaDogana();
        CartelleInvio();
        ConnessoRemoto = true;
        for (int i = 1; i <= 3; ++i) {
            QByteArray contenuto;
            for (int k = 0; k < 5000 * i; ++k)
                contenuto.append(char((k * 31 + i) % 256)); // binary, with CR and LF bytes
            contenuti.append(contenuto);
            ScriviFile(u"Firmati/"_s + Nomi[i - 1], contenuto);
        }
    }

    bool InFirmati(const QString& n) const { return QFile::exists(Percorso(u"Firmati/"_s + n)); }
    bool InInviati(const QString& n) const { return QFile::exists(Percorso(u"Inviati/"_s + n)); }
    QByteArray SulServer(const QString& n) const
    {
        return server_.LeggiFile(ServerFtp::UtenteDogana, n);
    }

    const QStringList Nomi = {u"ACME1207.T01"_s, u"ACME1207.T02"_s, u"ACME1207.T03"_s};
    QList<QByteArray> contenuti;
};

// The server refuses to store the second declaration.
class InvioBolleRifiutoTest : public InvioBolleE2ETest
{
public:
    InvioBolleRifiutoTest() { opzioni_.nomeRifiutato = u"ACME1207.T02"_s; }
};

} // namespace

TEST_F(InvioBolleE2ETest, TreFileDallaFinestraSulServerEInInviati)
{
    Dos2Edi finestra;
    finestra.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&finestra));
    for (QPushButton* p : finestra.findChildren<QPushButton*>())
        if (p->text() == u"&Tutti"_s)
            p->click();
    ASSERT_EQ(finestra.ElencoInvio(), Nomi);
    finestra.findChild<QPushButton*>(u"cmdInvia"_s)->click();

    EXPECT_FALSE(finestra.isVisible()) << "the run closes the window";
    EXPECT_FALSE(finestra.Occupato());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(SulServer(Nomi[i]), contenuti[i]) << Nomi[i].toStdString();
        EXPECT_TRUE(InInviati(Nomi[i]));
        EXPECT_FALSE(InFirmati(Nomi[i]));
    }
    EXPECT_TRUE(RisponditoreTest().Ricevuti().isEmpty());
}

TEST_F(InvioBolleE2ETest, ServerFermoNienteSpostatoEINomiDetti)
{
    server_.Ferma();
    RisponditoreTest().Rispondi(Risposta::Ok, u"NON SONO STATI INVIATI"_s);
    const EsitoInvio esito = InviaBolle(Nomi, ParametriEdi.CartellaFirmati);
    EXPECT_TRUE(esito.eseguito);
    EXPECT_EQ(esito.nonInviati, Nomi);
    const QString testo = RisponditoreTest().Testi().value(0);
    for (const QString& n : Nomi) {
        EXPECT_TRUE(testo.contains(n)) << n.toStdString();
        EXPECT_TRUE(InFirmati(n));
        EXPECT_FALSE(InInviati(n));
    }
}

TEST_F(InvioBolleRifiutoTest, UnRifiutoDelServerRestaNeiFirmati)
{
    RisponditoreTest().Rispondi(Risposta::Ok, u"NON SONO STATI INVIATI"_s);
    const EsitoInvio esito = InviaBolle(Nomi, ParametriEdi.CartellaFirmati);
    EXPECT_EQ(esito.archiviati, QStringList({Nomi[0], Nomi[2]}));
    EXPECT_EQ(esito.nonInviati, QStringList({Nomi[1]}));
    const QString testo = RisponditoreTest().Testi().value(0);
    EXPECT_TRUE(testo.contains(Nomi[1]));
    EXPECT_FALSE(testo.contains(Nomi[0]));
    EXPECT_TRUE(InFirmati(Nomi[1]));
    EXPECT_FALSE(InInviati(Nomi[1]));
    EXPECT_TRUE(InInviati(Nomi[0]) && InInviati(Nomi[2]));
    EXPECT_TRUE(SulServer(Nomi[1]).isEmpty());
}

TEST_F(InvioBolleE2ETest, DagliInviatiSiCaricaSenzaSpostare)
{
    for (const QString& n : Nomi)
        QFile::rename(Percorso(u"Firmati/"_s + n), Percorso(u"Inviati/"_s + n));
    EsitoOperazione = 5;
    const EsitoInvio esito = InviaBolle(Nomi, ParametriEdi.CartellaInviati);
    EXPECT_EQ(esito.accettati, Nomi);
    EXPECT_TRUE(esito.archiviati.isEmpty());
    EXPECT_EQ(EsitoOperazione, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(SulServer(Nomi[i]), contenuti[i]);
        EXPECT_TRUE(InInviati(Nomi[i]));
    }
}

TEST_F(InvioBolleE2ETest, StoriaCheNonPrendeIlFileEIlGiroProsegue)
{
    QDir().mkpath(Percorso(u"Inviati/"_s + Nomi[0] + u"/occupato"_s));
    RisponditoreTest().Rispondi(Risposta::Ok, u"ERRORE IN FASE DI STORICIZZAZIONE!"_s);
    const EsitoInvio esito = InviaBolle(Nomi, ParametriEdi.CartellaFirmati);
    EXPECT_EQ(esito.accettati, Nomi);
    EXPECT_EQ(esito.archiviati, QStringList({Nomi[1], Nomi[2]}));
    const QStringList righe = RisponditoreTest().Testi().value(0).split(u'\n');
    ASSERT_EQ(righe.size(), 5);
    EXPECT_EQ(righe[1], Percorso(u"Inviati/"_s + Nomi[0]));
    EXPECT_EQ(righe[3], Nomi[0]);
    EXPECT_FALSE(righe[4].isEmpty());
    EXPECT_TRUE(InFirmati(Nomi[0]));
    EXPECT_FALSE(InFirmati(Nomi[1]) || InFirmati(Nomi[2]));
}

TEST_F(InvioBolleE2ETest, NomeNonSempliceFuoriDalCopione)
{
    const QString strano = u"ACME1207.T04 x"_s;
    ScriviFile(u"Firmati/"_s + strano, "z");
    RisponditoreTest().Rispondi(Risposta::Ok, u"NOME NON TRASFERIBILE"_s);
    const EsitoInvio esito = InviaBolle({Nomi[0], strano}, ParametriEdi.CartellaFirmati);
    EXPECT_EQ(esito.scartati, QStringList({strano}));
    EXPECT_EQ(esito.archiviati, QStringList({Nomi[0]}));
    EXPECT_TRUE(RisponditoreTest().Testi().value(0).contains(strano));
    EXPECT_TRUE(QFile::exists(Percorso(u"Firmati/"_s + strano)));
    EXPECT_FALSE(server_.File(ServerFtp::UtenteDogana).contains(u"ACME1207.T04"_s));

    // Only bad names: no run at all.
    RisponditoreTest().Rispondi(Risposta::Ok, u"NOME NON TRASFERIBILE"_s);
    EXPECT_FALSE(InviaBolle({strano}, ParametriEdi.CartellaFirmati).eseguito);
}
