#include "support/BustaFirmata.h"
#include "support/Risponditore.h"
#include "support/ServerFtp.h"
#include "support/StampaQt.h"

#include "ricezione/RiceviMessaggi.h"
#include "ricezione/SpostaRicevuti.h"
#include "scambio/VerificaFirma.h"
#include "shell/CartelleLavoro.h"
#include "shell/Global.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Two heading lines and n records, each ending with a line feed.
QByteArray Appuramento(const QByteArray& codice, int n)
{
    QByteArray f = "INTESTAZIONE APPURAMENTI " + codice + " 20241207\nSECONDA " + codice + "\n";
    for (int i = 1; i <= n; ++i)
        f += "REC " + codice + " " + QByteArray::number(i) + "\n";
    return f;
}

// The clearances road end to end: Customs and the UNIX host are the two users
// of one real server.
class AppuramentiE2ETest : public ProvaConServerFtp
{
protected:
    void Prepara() override
    {
        GiornoProve();
        CartelleUfficio(Percorso(u"base"_s));
        CollegaDogana();
        CollegaUnix();
        MaxFile = 50;
        PreparaFirma(busta_);
    }

    static FunzioneSbusta Sbusta()
    {
        return [](const QString& o, const QString& d, QString*) { return SbustaFile(o, d); };
    }
    QStringList Ricevuti() const
    {
        return QDir(ParametriEdi.CartellaRicevuti).entryList(QDir::Files, QDir::Name);
    }
    QByteArray SullHost() const
    {
        return server_.LeggiFile(ServerFtp::UtenteUnix,
                                 u"irisp"_s + QString(ServerFtp::UtenteUnix));
    }

    BustaFirmata busta_;
};

} // namespace

TEST_F(AppuramentiE2ETest, RiceveSbustaUnisceEInvia)
{
    server_.MettiFile(ServerFtp::UtenteDogana, u"ACME1207.L01.P7M"_s,
                      busta_.Firma(Appuramento("X11", 5)));
    server_.MettiFile(ServerFtp::UtenteDogana, u"ACME1106.L02"_s, Appuramento("X22", 3));
    server_.MettiFile(ServerFtp::UtenteDogana, u"ACME1207.L03.P7M"_s,
                      busta_.Firma(Appuramento("X33", 4)));
    server_.MettiFile(ServerFtp::UtenteDogana, u"ACME1207.L04.LOG"_s, "log");
    server_.MettiFile(ServerFtp::UtenteDogana, u"ACME1207.X05"_s, "altro tipo");
    // Unwrapped on an earlier day: not fetched again.
    server_.MettiFile(ServerFtp::UtenteDogana, u"ACME1205.L06.P7M"_s, "x");
    ScriviFile(u"base/Verificati/ACME1205.L06"_s, Appuramento("X66", 1));

    QStringList messaggi;
    const EsitoRicezione r =
        RiceviAppuramenti(RichiestaDaGlobali({}), {[&](const QString& m) { messaggi << m; }, {}});
    EXPECT_EQ(r.nuovi, 3);
    EXPECT_TRUE(messaggi.value(0).startsWith(u"CI SONO 3 FILES NUOVI DALLA DOGANA "_s));
    const QStringList ricevuti = Ricevuti();
    EXPECT_EQ(ricevuti,
              QStringList({u"ACME1106.L02"_s, u"ACME1207.L01.P7M"_s, u"ACME1207.L03.P7M"_s}));

    const EsitoSpostaAppuramenti s = SpostaAppuramenti(ricevuti, Sbusta());
    EXPECT_EQ(s.sbustati, ricevuti);
    EXPECT_TRUE(Ricevuti().isEmpty()) << "received files deleted once unwrapped";
    EXPECT_EQ(s.uniti, QStringList({u"ACME1106.L02"_s, u"ACME1207.L01"_s, u"ACME1207.L03"_s}));
    EXPECT_EQ(s.inviato, u"irildesIrildes"_s);
    EXPECT_TRUE(s.accettato);
    const QStringList righe = QString::fromLatin1(SullHost()).split(u"\r\n"_s, Qt::SkipEmptyParts);
    ASSERT_EQ(righe.size(), 2 + 12);
    EXPECT_EQ(righe[0], u"INTESTAZIONE APPURAMENTI L01 20241207"_s);
    EXPECT_EQ(righe[1], u"SECONDA X22"_s);
    EXPECT_EQ(righe[13], u"REC X33 4"_s);
    EXPECT_TRUE(RisponditoreTest().Ricevuti().isEmpty());
}

TEST_F(AppuramentiE2ETest, UnFileSoloVaComE)
{
    ScriviFile(u"base/Ricevuti/ACME1207.L01"_s, Appuramento("X11", 2));
    const EsitoSpostaAppuramenti s = SpostaAppuramenti({u"ACME1207.L01"_s}, Sbusta());
    EXPECT_EQ(s.inviato, u"ACME1207.L01"_s);
    EXPECT_TRUE(s.accettato);
    EXPECT_EQ(SullHost(), Appuramento("X11", 2)) << "its own heading and line feeds";
}

TEST_F(AppuramentiE2ETest, SessantaRigheCinquantaUniteEUnoGuastoNonFermaIlGiro)
{
    QStringList nomi;
    for (int i = 1; i <= 60; ++i) {
        nomi << QStringLiteral("ACME1207.L%1").arg(i, 2, 10, QLatin1Char('0'));
        ScriviFile(u"base/Ricevuti/"_s + nomi.last(), Appuramento("X" + QByteArray::number(i), 1));
    }
    ScriviFile(u"base/Ricevuti/ACME1207.LZZ.P7M"_s, "non e' una busta");
    nomi.insert(3, u"ACME1207.LZZ.P7M"_s);
    RisponditoreTest().Rispondi(Risposta::Ok, u"ERRORE IN FASE DI VERIFICA!"_s);

    const EsitoSpostaAppuramenti s = SpostaAppuramenti(nomi, Sbusta());
    EXPECT_EQ(s.falliti, QStringList({u"ACME1207.LZZ.P7M"_s}));
    EXPECT_EQ(s.sbustati.size(), 60);
    EXPECT_EQ(Ricevuti(), QStringList({u"ACME1207.LZZ.P7M"_s}));
    const QStringList righe = RisponditoreTest().Testi().value(0).split(u'\n');
    EXPECT_EQ(righe.mid(0, 4), QStringList({u"ERRORE IN FASE DI VERIFICA!"_s, u"ACME1207.LZZ.P7M"_s,
                                            u"    in"_s, u"ACME1207.LZZ"_s}));
    ASSERT_EQ(s.uniti.size(), 50);
    EXPECT_EQ(s.uniti.last(), u"ACME1207.L50"_s);
    EXPECT_EQ(QString::fromLatin1(SullHost()).count(u"\r\n"_s), 2 + 50);
    // The ten left out wait in the verified folder.
    EXPECT_TRUE(QFile::exists(ParametriEdi.CartellaVerificati + u"/ACME1207.L60"_s));
}

// The UNIX host refuses the log-in, or cannot be reached; at the next
// "&SPOSTA" it takes what it missed ahead of the new records, each once.
TEST_F(AppuramentiE2ETest, UnInvioMancatoArrivaColSuccessivoUnaVolta)
{
    const QString host = ParametriUnix.Host;
    const QString password = ParametriUnix.Password;
    const QString daInviare = ParametriEdi.CartellaVerificati + u"/irildesIrildes.DAINVIARE"_s;
    const struct
    {
        const char* guasto;
        QString host, password;
    } casi[] = {{"parola rifiutata", host, u"Sbagliata.1"_s},
                {"host irraggiungibile", u"127.0.0.1 1"_s, password}};
    int n = 0;
    for (const auto& c : casi) {
        SCOPED_TRACE(c.guasto);
        QStringList nomi, attesi;
        for (int run = 0; run < 2; ++run) {
            const QByteArray codice = "C" + QByteArray::number(++n);
            nomi = {u"ACME1207.L"_s + QString::number(n)};
            ScriviFile(u"base/Ricevuti/"_s + nomi[0], Appuramento(codice, 2));
            attesi << u"REC "_s + QLatin1StringView(codice) + u" 1"_s
                   << u"REC "_s + QLatin1StringView(codice) + u" 2"_s;
            ParametriUnix.Host = run == 0 ? c.host : host;
            ParametriUnix.Password = run == 0 ? c.password : password;
            if (run == 0)
                RisponditoreTest().Rispondi(Risposta::Ok, u"NON HA ACCETTATO"_s);
            EXPECT_EQ(SpostaAppuramenti(nomi, Sbusta()).accettato, run == 1);
            EXPECT_EQ(QFile::exists(daInviare), run == 0);
        }
        const QStringList righe =
            QString::fromLatin1(SullHost()).split(u"\r\n"_s, Qt::SkipEmptyParts);
        EXPECT_EQ(righe.mid(2), attesi);
        // Nothing owed any more: an empty "&SPOSTA" sends nothing.
        EXPECT_TRUE(SpostaAppuramenti({}, Sbusta()).inviato.isEmpty());
    }
}
