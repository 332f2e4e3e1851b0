// The receive and send runs against a second kind of FTP server, whose
// listings and replies differ from ProFTPD's.
#include "support/Risponditore.h"
#include "support/ServerFtp.h"
#include "support/ServerPureFtpd.h"

#include "invio/InvioBolle.h"
#include "ricezione/RiceviMessaggi.h"
#include "shell/Global.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

// Binary, with CR and LF bytes, different for each name.
QByteArray Contenuto(const QString& nome)
{
    QByteArray c = nome.toLatin1() + "\r\n\n\r";
    for (int k = 0; c.size() < 5000; ++k)
        c.append(char((k * 37 + nome.back().unicode()) % 256));
    return c;
}

// On the server; the last ones are never the day's new replies.
const QStringList SulServer = {u"ACME1207.N01"_s, u"ACME1207.X02"_s,     u"ACME1207.L03.P7M"_s,
                               u"ACME1206.N04"_s, u"ACME1207.N05.LOG"_s, u"BETA1207.N01"_s};
const QStringList NuoviDelGiorno = {u"ACME1207.L03.P7M"_s, u"ACME1207.N01"_s, u"ACME1207.X02"_s};

class SecondoServerE2ETest : public ProvaConPureFtpd
{
protected:
    void Prepara() override
    {
        GiornoProve();
        CollegaDogana();
        CartelleInvio();
        CartelleRicezione();
        for (const QString& n : SulServer)
            server_.MettiFile(n, Contenuto(n));
    }

    static RichiestaRicezione Richiesta()
    {
        return RichiestaDaGlobali({u"12"_s, u"07"_s, u"?"_s, u"??"_s});
    }
    static QStringList Ordinati(QStringList nomi)
    {
        nomi.sort();
        return nomi;
    }
};

} // namespace

TEST_F(SecondoServerE2ETest, ElencoFiltratoDallaMaschera)
{
    const struct
    {
        QString maschera;
        QStringList nomi;
    } casi[] = {
        {u"ACME*.*"_s, {SulServer.mid(0, 5)}},
        {u"ACME1207.N??"_s, {u"ACME1207.N01"_s}},
        {u"ACME1207.*"_s,
         {u"ACME1207.L03.P7M"_s, u"ACME1207.N01"_s, u"ACME1207.N05.LOG"_s, u"ACME1207.X02"_s}},
        {u"ACME1208.*"_s, {}},
    };
    for (const auto& c : casi) {
        const ElencoRemoto e = RiceviElenco(Richiesta(), c.maschera);
        ASSERT_TRUE(e.eseguito) << c.maschera.toStdString();
        EXPECT_TRUE(e.rifiuto.isEmpty()) << e.rifiuto.toStdString();
        // Bare names, whatever form the server gives them in.
        EXPECT_EQ(Ordinati(e.nomi), Ordinati(c.nomi)) << c.maschera.toStdString();
        EXPECT_TRUE(e.scartati.isEmpty()) << e.scartati.join(u' ').toStdString();
    }
}

TEST_F(SecondoServerE2ETest, NuoviDelGiornoScaricatiIdentici)
{
    EsitoRicezione e = RiceviNuovi(Richiesta(), {});
    ASSERT_TRUE(e.elencoRicevuto);
    EXPECT_EQ(e.nuovi, 3);
    EXPECT_EQ(Ordinati(e.ricevuti), NuoviDelGiorno);
    EXPECT_TRUE(e.incompleti.isEmpty()) << e.incompleti.join(u' ').toStdString();
    EXPECT_EQ(QDir(Percorso(u"Ricevuti"_s)).entryList(QDir::Files | QDir::Hidden), NuoviDelGiorno);
    for (const QString& n : NuoviDelGiorno)
        EXPECT_TRUE(LeggiFile(u"Ricevuti/"_s + n) == Contenuto(n)) << n.toStdString();

    e = RiceviNuovi(Richiesta(), {});
    EXPECT_EQ(e.nuovi, 0);
    EXPECT_TRUE(e.ricevuti.isEmpty());
}

TEST_F(SecondoServerE2ETest, DichiarazioniInviateArrivanoEArchiviate)
{
    const QStringList nomi = {u"ACME1207.T01"_s, u"ACME1207.T02"_s, u"ACME1207.I03"_s};
    for (const QString& n : nomi)
        ScriviFile(u"Firmati/"_s + n, Contenuto(n));
    const EsitoInvio esito = InviaBolle(nomi, ParametriEdi.CartellaFirmati);
    EXPECT_EQ(esito.stato, StatoFtp::Completato);
    EXPECT_EQ(esito.accettati, nomi);
    EXPECT_TRUE(esito.nonInviati.isEmpty());
    for (const QString& n : nomi) {
        EXPECT_TRUE(server_.LeggiFile(n) == Contenuto(n)) << n.toStdString();
        EXPECT_TRUE(LeggiFile(u"Inviati/"_s + n) == Contenuto(n)) << n.toStdString();
    }
    EXPECT_TRUE(QDir(Percorso(u"Firmati"_s)).entryList(QDir::Files).isEmpty());
}
