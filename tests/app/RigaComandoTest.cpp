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
