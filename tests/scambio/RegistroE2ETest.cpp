// The transfer log of real runs: the real client against a real ProFTPD, and
// the stand-in client where the server has nothing to add.
#include "support/ClienteFinto.h"
#include "support/Risponditore.h"
#include "support/ServerFtp.h"

#include "invio/InvioBolle.h"
#include "ricezione/InviaUnix.h"
#include "ricezione/RiceviMessaggi.h"
#include "scambio/RegistroCorsa.h"
#include "shell/Global.h"
#include "shell/RegistroTrasferimenti.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonObject>
#include <QRegularExpression>

#include <csignal>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QDate Giorno(2024, 12, 7);
const QStringList Nomi = {u"ACME1207.T01"_s, u"ACME1207.T02"_s, u"ACME1207.T03"_s};

QString Testo(const QJsonObject& r, const QString& campo)
{
    return r.value(campo).toString();
}

// "tipo" and, for a file, "file=esito".
QStringList Sintesi(const QList<QJsonObject>& record)
{
    QStringList s;
    for (const QJsonObject& r : record) {
        const QString tipo = Testo(r, u"tipo"_s);
        if (tipo == u"file"_s)
            s << Testo(r, u"file"_s) + u'=' + Testo(r, u"esito"_s);
        else
            s << tipo + u' ' + Testo(r, tipo == u"inizio"_s ? u"operazione"_s : u"esito"_s);
    }
    return s;
}

class RegistroE2ETest : public ProvaConServerFtp
{
protected:
    void Prepara() override
    {
        GiornoProve();
        CollegaDogana();
        CartelleInvio();
        CartelleRicezione();
    }

    QList<QJsonObject> Registro() const
    {
        const GiornoRegistro letto = LeggiRegistro(Giorno);
        EXPECT_EQ(letto.illeggibili, 0);
        return letto.record;
    }
    // Every file under Registro that holds testo, whatever its name.
    QStringList FileCon(QLatin1StringView testo) const
    {
        QStringList trovati;
        QDirIterator it(Percorso(u"Registro"_s), QDir::Files | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (f.open(QIODevice::ReadOnly) &&
                f.readAll().contains(QByteArrayView(testo.data(), testo.size())))
                trovati << f.fileName();
        }
        return trovati;
    }
};

class RegistroRifiutoTest : public RegistroE2ETest
{
public:
    RegistroRifiutoTest() { opzioni_.nomeRifiutato = Nomi[1]; }
};

// Uploads slow enough to be caught in the middle.
class RegistroLentoTest : public RegistroE2ETest
{
public:
    RegistroLentoTest() { opzioni_.kbSecondiCaricamento = 100; }
};

} // namespace

TEST_F(RegistroRifiutoTest, TreDichiarazioniUnaRifiutataDalServer)
{
    for (int i = 0; i < Nomi.size(); ++i)
        ScriviFile(u"Firmati/"_s + Nomi[i], QByteArray(1000 + i, 'D'));
    RisponditoreTest().Rispondi(Risposta::Ok, u"NON SONO STATI INVIATI"_s);
    const EsitoInvio esito = InviaBolle(Nomi, ParametriEdi.CartellaFirmati);
    ASSERT_EQ(esito.nonInviati, QStringList{Nomi[1]});

    const QList<QJsonObject> r = Registro();
    ASSERT_EQ(Sintesi(r),
              QStringList({u"inizio invio"_s, Nomi[0] + u"=accettato"_s, Nomi[1] + u"=rifiutato"_s,
                           Nomi[2] + u"=accettato"_s, u"fine completato"_s}))
        << LeggiFile(FileRegistro(Giorno)).toStdString();
    // Local time with its offset, which gives back the same moment.
    EXPECT_TRUE(QRegularExpression(u"^2024-12-07T09:00:00[+-][0-9][0-9]:[0-9][0-9]$"_s)
                    .match(Testo(r[0], u"ora"_s))
                    .hasMatch())
        << Testo(r[0], u"ora"_s).toStdString();
    EXPECT_EQ(QDateTime::fromString(Testo(r[0], u"ora"_s), Qt::ISODate),
              QDateTime(Giorno, QTime(9, 0)));
    EXPECT_EQ(Testo(r[0], u"host"_s), server_.Host());
    EXPECT_EQ(Testo(r[0], u"utente"_s), QLatin1String(ServerFtp::UtenteDogana));
    for (int i : {1, 3}) {
        EXPECT_TRUE(Testo(r[i], u"risposta"_s).startsWith(u"226"_s)) << i;
        EXPECT_EQ(r[i].value(u"byte"_s).toInteger(), 1000 + i - 1);
        EXPECT_EQ(Testo(r[i], u"direzione"_s), u"put"_s);
    }
    // ProFTPD's own words for the refusal.
    EXPECT_TRUE(Testo(r[2], u"risposta"_s).startsWith(u"550 "_s))
        << Testo(r[2], u"risposta"_s).toStdString();
    EXPECT_TRUE(Testo(r[2], u"risposta"_s).contains(Nomi[1]));
    EXPECT_EQ(r[4].value(u"uscita"_s).toInt(), 0);
    EXPECT_GT(r[4].value(u"durata_s"_s).toDouble(), 0);
    for (const QJsonObject& record : r)
        EXPECT_EQ(Testo(record, u"corsa"_s), Testo(r[0], u"corsa"_s));

    EXPECT_EQ(FileCon(ServerFtp::PasswordDogana), QStringList());
    EXPECT_EQ(FileCon(ServerFtp::UtenteDogana).size(), 1) << "the search does look";
}

// The client dies once the server took the first file. By then the first
// file's record is already on disk; the end says the run was cut.
TEST_F(RegistroLentoTest, UnClienteUccisoDopoIlPrimoInvio)
{
    for (const QString& n : Nomi)
        ScriviFile(u"Firmati/"_s + n, QByteArray(250 * 1024, 'D'));
    RisponditoreTest().Rispondi(Risposta::Ok, u"NON SONO STATI INVIATI"_s);
    QStringList primaDellaFine;
    const EsitoInvio esito =
        InviaBolle(Nomi, ParametriEdi.CartellaFirmati, nullptr, [&](const AvanzamentoFtp& a) {
            if (a.numeroFile < 2 || !primaDellaFine.isEmpty())
                return;
            primaDellaFine = Sintesi(Registro());
            ::kill(static_cast<pid_t>(a.pid), SIGKILL);
        });
    ASSERT_EQ(esito.stato, StatoFtp::Interrotto);
    EXPECT_EQ(primaDellaFine, QStringList({u"inizio invio"_s, Nomi[0] + u"=accettato"_s}));

    const QList<QJsonObject> r = Registro();
    ASSERT_EQ(r.size(), 5) << LeggiFile(FileRegistro(Giorno)).toStdString();
    EXPECT_EQ(Sintesi(r).first(2), primaDellaFine);
    EXPECT_TRUE(Testo(r[1], u"risposta"_s).startsWith(u"226"_s));
    EXPECT_EQ(r[1].value(u"byte"_s).toInteger(), 250 * 1024);
    EXPECT_NE(Testo(r[2], u"esito"_s), u"accettato"_s);
    EXPECT_EQ(Testo(r[3], u"esito"_s), u"non tentato"_s);
    EXPECT_EQ(Testo(r[3], u"motivo"_s), u"trasferimento interrotto prima di questo file"_s);
    EXPECT_EQ(Sintesi(r).last(), u"fine interrotto"_s);
    EXPECT_EQ(r.last().value(u"uscita"_s).toInt(), -1);
    EXPECT_EQ(FileCon(ServerFtp::PasswordDogana), QStringList());
}

// A name the plain-name rule keeps out gets its record, with the reason; a
// send of such names alone is a run that never started.
TEST_F(RegistroE2ETest, NomiNonTrasferibili)
{
    const QString spazio = u"ACME1207 .T09"_s;
    ScriviFile(u"Firmati/"_s + spazio, "x");
    ScriviFile(u"Firmati/"_s + Nomi[0], "x");
    RisponditoreTest().Rispondi(Risposta::Ok, u"NOME NON TRASFERIBILE"_s);
    InviaBolle({spazio, Nomi[0]}, ParametriEdi.CartellaFirmati);
    RisponditoreTest().Rispondi(Risposta::Ok, u"NOME NON TRASFERIBILE"_s);
    const EsitoInvio nessuno = InviaBolle({u"-rf"_s}, ParametriEdi.CartellaFirmati);
    EXPECT_EQ(nessuno.stato, StatoFtp::NonAvviato);

    const QList<QJsonObject> r = Registro();
    ASSERT_EQ(Sintesi(r),
              QStringList({u"inizio invio"_s, spazio + u"=non tentato"_s, Nomi[0] + u"=accettato"_s,
                           u"fine completato"_s, u"inizio invio"_s, u"-rf=non tentato"_s,
                           u"fine non avviato"_s}));
    EXPECT_EQ(Testo(r[1], u"motivo"_s), u"contiene spazi"_s);
    EXPECT_TRUE(r[1].value(u"risposta"_s).isNull());
    EXPECT_TRUE(r[1].value(u"byte"_s).isNull());
    EXPECT_EQ(Testo(r[5], u"motivo"_s), u"inizia con '-'"_s);
    EXPECT_EQ(r[6].value(u"uscita"_s).toInt(), -1);
    EXPECT_NE(Testo(r[0], u"corsa"_s), Testo(r[4], u"corsa"_s));
}

// Each run names what it is: the listing, the fetch, the clearances, the
// upload to the UNIX host; a name of the listing the rule refuses is logged
// with the fetch.
TEST_F(RegistroE2ETest, OgniCorsaDiceLaSuaOperazione)
{
    server_.MettiFile(ServerFtp::UtenteDogana, u"ACME1207.N01"_s, QByteArray(321, 'N'));
    server_.MettiFile(ServerFtp::UtenteDogana, u"ACME1207.N02!"_s, "x");
    server_.MettiFile(ServerFtp::UtenteDogana, u"ACME1206.L01"_s, QByteArray(77, 'L'));
    RisponditoreTest().Rispondi(Risposta::Ok, u"NON SONO NOMI DI FILE VALIDI"_s);
    const RichiestaRicezione richiesta = RichiestaDaGlobali({u"12"_s, u"07"_s, u"N"_s, u"??"_s});
    EXPECT_EQ(RiceviNuovi(richiesta, {}).ricevuti, QStringList{u"ACME1207.N01"_s});
    EXPECT_EQ(RiceviAppuramenti(richiesta, {}).ricevuti, QStringList{u"ACME1206.L01"_s});
    ParametriUnix.Host = server_.Host();
    ParametriUnix.Utente = ServerFtp::UtenteUnix;
    ParametriUnix.Password = ServerFtp::PasswordUnix;
    ParametriUnix.Cartella =
        ::geteuid() == 0 ? QString() : server_.CartellaUtente(ServerFtp::UtenteUnix);
    ScriviFile(u"Verificati/irisp.txt"_s, "REC\n");
    EXPECT_TRUE(InviaUnix(u"irisp.txt"_s).accettato);

    const QList<QJsonObject> r = Registro();
    ASSERT_EQ(
        Sintesi(r),
        QStringList({u"inizio elenco"_s, u"fine completato"_s, u"inizio ricezione"_s,
                     u"ACME1207.N02!=non tentato"_s, u"ACME1207.N01=accettato"_s,
                     u"fine completato"_s, u"inizio elenco"_s, u"fine completato"_s,
                     u"inizio appuramenti"_s, u"ACME1206.L01=accettato"_s, u"fine completato"_s,
                     u"inizio unix"_s, u"irisp.txt=accettato"_s, u"fine completato"_s}))
        << LeggiFile(FileRegistro(Giorno)).toStdString();
    EXPECT_EQ(Testo(r[3], u"direzione"_s), u"get"_s);
    EXPECT_EQ(Testo(r[3], u"motivo"_s), u"contiene il carattere '!'"_s);
    EXPECT_EQ(Testo(r[4], u"direzione"_s), u"get"_s);
    EXPECT_EQ(r[4].value(u"byte"_s).toInteger(), 321);
    EXPECT_TRUE(Testo(r[4], u"destinazione"_s).endsWith(u"ACME1207.N01"_s));
    EXPECT_EQ(Testo(r[11], u"utente"_s), QLatin1String(ServerFtp::UtenteUnix));
    EXPECT_EQ(Testo(r[12], u"direzione"_s), u"put"_s);
    for (QLatin1StringView parola : {ServerFtp::PasswordDogana, ServerFtp::PasswordUnix})
        EXPECT_EQ(FileCon(parola), QStringList()) << parola.data();
}

// A log that cannot be written is said once per run, after the run, and the
// run goes as it would have.
TEST_F(RegistroE2ETest, UnRegistroNonScrivibileLoDiceUnaVolta)
{
    ScriviFile(u"Registro"_s, "non una cartella");
    for (const QString& n : Nomi)
        ScriviFile(u"Firmati/"_s + n, "x");
    RisponditoreTest().Rispondi(Risposta::Ok, QLatin1String(ErroreRegistro));
    const EsitoInvio esito = InviaBolle(Nomi, ParametriEdi.CartellaFirmati);
    EXPECT_EQ(esito.stato, StatoFtp::Completato);
    EXPECT_EQ(esito.accettati, Nomi);
    EXPECT_EQ(server_.File(ServerFtp::UtenteDogana).size(), 3);
    ASSERT_EQ(RisponditoreTest().Ricevuti().size(), 1);
    const RichiestaMessaggio& box = RisponditoreTest().Ricevuti()[0].richiesta;
    EXPECT_TRUE(box.testo.contains(Percorso(u"Registro"_s))) << box.testo.toStdString();
    EXPECT_EQ(box.icona, Icona::Avviso);
    EXPECT_EQ(LeggiFile(u"Registro"_s), "non una cartella");

    // The full disk: each run says it once, however many records it fails.
    QFile::remove(Percorso(u"Registro"_s));
    QDir().mkpath(Percorso(u"Registro"_s));
    ASSERT_TRUE(QFile::link(u"/dev/full"_s, FileRegistro(Giorno)));
    ClienteFinto finto;
    for (int corsa = 0; corsa < 2; ++corsa) {
        for (const QString& n : Nomi)
            ScriviFile(u"Firmati/"_s + n, "x");
        RisponditoreTest().Azzera();
        RisponditoreTest().Rispondi(Risposta::Ok, QLatin1String(ErroreRegistro));
        RisponditoreTest().Rispondi(Risposta::Ok, u"NON SONO STATI INVIATI"_s);
        EXPECT_EQ(InviaBolle(Nomi, ParametriEdi.CartellaFirmati).stato, StatoFtp::Completato);
        EXPECT_EQ(RisponditoreTest().Ricevuti().size(), 2);
    }
}
