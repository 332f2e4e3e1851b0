#include "PercorsiTest.h"
#include "support/CartellaProgrammaTest.h"

#include <QDir>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace {

class RigaComandoTest : public CartellaProgrammaTest
{
protected:
    struct Esito
    {
        int codice = -1;
        QString uscita;
        QString errori;
    };
    Esito Esegui(const QStringList& argomenti)
    {
        QProcess norvel;
        norvel.start(QStringLiteral(NORVEL_ESEGUIBILE), argomenti);
        EXPECT_TRUE(norvel.waitForFinished(20000));
        return {norvel.exitCode(), QString::fromLocal8Bit(norvel.readAllStandardOutput()),
                QString::fromLocal8Bit(norvel.readAllStandardError())};
    }
};

} // namespace

TEST_F(RigaComandoTest, OpzioneSconosciutaUsoEDue)
{
    const Esito e = Esegui({u"--bogus"_s, u"--cartella"_s, Cartella()});
    EXPECT_EQ(e.codice, 2);
    EXPECT_TRUE(e.errori.contains(u"bogus"_s)) << e.errori.toStdString();
    EXPECT_TRUE(e.errori.contains(u"--cartella"_s)) << e.errori.toStdString();
    // Nothing started: no settings file was made.
    EXPECT_TRUE(QDir(Cartella()).entryList({u"*.ini"_s}).isEmpty());
}

TEST_F(RigaComandoTest, VersioneEAiuto)
{
    const Esito v = Esegui({u"--version"_s});
    EXPECT_EQ(v.codice, 0);
    EXPECT_TRUE(v.uscita.contains(QStringLiteral(NORVEL_VERSIONE))) << v.uscita.toStdString();
    const Esito a = Esegui({u"--help"_s});
    EXPECT_EQ(a.codice, 0);
    EXPECT_TRUE(a.uscita.contains(u"--cartella"_s));
}

// Two days of log: a declaration sent on one, its reply fetched on the next.
TEST_F(RigaComandoTest, RegistroCercaAttraversoIGiorni)
{
    ScriviFile(
        u"Registro/2024-12-06.jsonl"_s,
        R"({"tipo":"inizio","ora":"2024-12-06T17:00:00+01:00","operazione":"invio","host":"h","utente":"ACME","corsa":"a"}
{"tipo":"file","ora":"2024-12-06T17:00:02+01:00","file":"ACME1206.D01","direzione":"put","byte":10,"esito":"accettato","risposta":"226 Transfer complete","corsa":"a"}
{"tipo":"file","ora":"2024-12-06T17:00:03+01:00","file":"ACME1206.D02","direzione":"put","byte":10,"esito":"rifiutato","risposta":"553 No","corsa":"a"}
{"tipo":"fine","ora":"2024-12-06T17:00:04+01:00","uscita":0,"durata_s":4,"esito":"completato","corsa":"a"}
{"tipo":"file","ora":"2024-12-06T17:)");
    const QByteArray ricezione =
        R"({"tipo":"file","ora":"2024-12-07T09:10:01+01:00","file":"ACME1206.N01.P7M","direzione":"get","byte":99,"esito":"accettato","risposta":"226 Transfer complete","corsa":"b"})";
    ScriviFile(
        u"Registro/2024-12-07.jsonl"_s,
        R"({"tipo":"inizio","ora":"2024-12-07T09:10:00+01:00","operazione":"ricezione","host":"h","utente":"ACME","automatico":true,"corsa":"b"}
)" + ricezione +
            "\n");
    const QStringList base = {u"registro"_s, u"--cartella"_s, Cartella(), u"--dal"_s,
                              u"2024-12-01"_s};
    const struct
    {
        QStringList argomenti;
        QStringList righe;
    } casi[] = {
        {{u"--cerca"_s, u"1206.D01"_s},
         {u"2024-12-06 17:00:02  invio  ACME1206.D01  accettato  226 Transfer complete"_s}},
        {{u"--cerca"_s, u"01"_s},
         {u"2024-12-06 17:00:02  invio  ACME1206.D01  accettato  226 Transfer complete"_s,
          u"2024-12-07 09:10:01  ricezione  ACME1206.N01.P7M  accettato  226 Transfer complete"_s}},
        {{u"--cerca"_s, u"N01"_s, u"--json"_s}, {QString::fromUtf8(ricezione)}},
        {{u"--operazione"_s, u"ricezione"_s, u"--al"_s, u"2024-12-06"_s}, {}},
        {{u"--operazione"_s, u"ricezione"_s},
         {u"2024-12-07 09:10:00  ricezione  -  inizio  ACME@h (automatico)"_s,
          u"2024-12-07 09:10:01  ricezione  ACME1206.N01.P7M  accettato  226 Transfer complete"_s}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.argomenti.join(u' ').toStdString());
        const Esito e = Esegui(base + c.argomenti);
        EXPECT_EQ(e.codice, 0);
        EXPECT_EQ(e.uscita.split(u'\n', Qt::SkipEmptyParts), c.righe);
        // The line a crash cut is skipped and counted.
        EXPECT_EQ(e.errori.trimmed(), u"1 riga illeggibile saltata (scrittura interrotta)"_s);
    }
    const Esito e = Esegui(base + QStringList{u"--al"_s, u"2024-12-32"_s});
    EXPECT_EQ(e.codice, 2);
    EXPECT_TRUE(e.errori.startsWith(u"GIORNO NON VALIDO: '2024-12-32'"_s))
        << e.errori.toStdString();
}
