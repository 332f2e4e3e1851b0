// The records of the runner's runs with the stand-in client, which echoes the
// whole script, password included, into the transcript.
#include "support/CartellaProgrammaTest.h"
#include "support/ClienteFinto.h"
#include "support/Risponditore.h"

#include "piattaforma/Orologio.h"
#include "scambio/EseguiScriptFtp.h"
#include "scambio/RegistroCorsa.h"
#include "shell/Global.h"
#include "shell/RegistroTrasferimenti.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

const QDate Giorno(2024, 12, 7);

class RegistroCorsaTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        ImpostaOrologio([] { return QDateTime(Giorno, QTime(23, 59, 59)); });
        QDir().mkpath(Percorso(u"Firmati"_s));
    }
    RichiestaFtp Richiesta(const QStringList& righe) const
    {
        RichiestaFtp r;
        r.cartella = Percorso(u"Firmati"_s);
        r.utente = u"ACME"_s;
        r.password = u"Segreta1"_s;
        r.righe = righe;
        r.messaggioAvvio = QLatin1String(ErroreInvioBolle);
        r.operazione = u"invio"_s;
        return r;
    }
    QList<QJsonObject> Registro() const { return LeggiRegistro(Giorno).record; }
};

} // namespace

// The password goes into no field, even where a name or a reply carries it;
// a blank host is logged as the Customs server the script opens.
TEST_F(RegistroCorsaTest, NessunCampoPortaLaPassword)
{
    ClienteFinto finto;
    RichiestaFtp r = Richiesta({u"put ACME1207.T01"_s, u"put Segreta1.T02"_s});
    r.esclusi = {{u"Segreta1 .T03"_s, u"contiene spazi"_s}};
    const EsitoFtp esito = EseguiScriptFtp(r);
    ASSERT_TRUE(esito.eseguito);
    ASSERT_TRUE(esito.trascrizione.contains(u"Segreta1"_s)) << "the stand-in echoes the log-in";

    const QByteArray testo = LeggiFile(FileRegistro(Giorno));
    EXPECT_FALSE(testo.contains("Segreta1")) << testo.data();
    const QList<QJsonObject> reg = Registro();
    ASSERT_EQ(reg.size(), 5);
    EXPECT_EQ(reg[0].value(u"host"_s).toString(), u"ftp.agenziadogane.it"_s);
    EXPECT_EQ(reg[1].value(u"file"_s).toString(), u"******** .T03"_s);
    EXPECT_EQ(reg[3].value(u"file"_s).toString(), u"********.T02"_s);
    // The stand-in announces no transfer: the client never began them.
    for (int i : {2, 3}) {
        EXPECT_EQ(reg[i].value(u"esito"_s).toString(), u"non tentato"_s);
        EXPECT_EQ(reg[i].value(u"motivo"_s).toString(),
                  u"il client non ha avviato il trasferimento"_s);
    }
    EXPECT_EQ(reg[4].value(u"esito"_s).toString(), u"completato"_s);
    EXPECT_EQ(reg[4].value(u"uscita"_s).toInt(), 0);
}

// Runs that never start still say so; a run that starts just before midnight
// stays in the log of its day.
TEST_F(RegistroCorsaTest, CorseNonAvviate)
{
    ClienteFinto finto;
    RichiestaFtp controllo = Richiesta({u"put ACME1207.T01"_s});
    controllo.host = u"ftp.esempio.it\nquit"_s;
    RisponditoreTest().Rispondi(Risposta::Ok, u"CARATTERI NON AMMESSI"_s);
    EXPECT_EQ(EseguiScriptFtp(controllo).stato, StatoFtp::NonAvviato);

    // The day turns while the run goes: the day it started keeps it all.
    RichiestaFtp senza = Richiesta({u"put ACME1207.T02"_s});
    senza.cartella = Percorso(u"manca"_s);
    RisponditoreTest().Rispondi(Risposta::Ok, QLatin1String(ErroreInvioBolle));
    ImpostaOrologio([chiamate = 0]() mutable {
        return chiamate++ == 0 ? QDateTime(Giorno, QTime(23, 59, 59))
                               : QDateTime(Giorno.addDays(1), QTime(0, 0, 1));
    });
    EXPECT_EQ(EseguiScriptFtp(senza).stato, StatoFtp::NonAvviato);

    const QList<QJsonObject> reg = Registro();
    ASSERT_EQ(reg.size(), 6);
    EXPECT_EQ(reg[0].value(u"host"_s).toString(), u"ftp.esempio.it\nquit"_s);
    EXPECT_EQ(reg[1].value(u"esito"_s).toString(), u"non tentato"_s);
    EXPECT_EQ(reg[1].value(u"motivo"_s).toString(), u"trasferimento non avviato"_s);
    EXPECT_EQ(reg[2].value(u"esito"_s).toString(), u"non avviato"_s);
    EXPECT_EQ(reg[2].value(u"uscita"_s).toInt(), -1);
    EXPECT_TRUE(reg[5].value(u"ora"_s).toString().startsWith(u"2024-12-08T00:00:01"_s));
    EXPECT_EQ(reg[5].value(u"esito"_s).toString(), u"non avviato"_s);
    EXPECT_EQ(GiorniRegistro(), QList<QDate>{Giorno});
}
