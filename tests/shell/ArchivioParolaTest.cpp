#include "support/CartellaProgrammaTest.h"

#include "shell/ArchivioParola.h"

#include <QDirIterator>
#include <QFile>

using ArchivioParolaTest = CartellaProgrammaTest;

namespace {

// Everything the per-user store holds, as bytes on disk.
QByteArray ContenutoArchivio(const QString& cartella)
{
    QByteArray tutto;
    QDirIterator it(cartella, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            tutto += f.readAll();
    }
    return tutto;
}

} // namespace

TEST(ParolaValida, SoloLettereECifre)
{
    for (const char* s : {"A", "abc", "Zeta09", "0123456789"})
        EXPECT_TRUE(ParolaValida(s)) << s;
    for (const char* s : {"", " ", "AB-1", "A B", "perché", "x_y", "!"})
        EXPECT_FALSE(ParolaValida(QString::fromUtf8(s))) << s;
}

TEST_F(ArchivioParolaTest, MaiuscoleMinuscoleIndifferenti)
{
    ScriviParolaAccesso("  segreto7 ");
    const QString record = LeggiParolaAccesso();
    ASSERT_FALSE(record.isEmpty());
    for (const char* s : {"SEGRETO7", "segreto7", "SeGrEtO7"})
        EXPECT_TRUE(ParolaCorrisponde(s, record)) << s;
    for (const char* s : {"SEGRETO", "SEGRETO77", "", " SEGRETO7", "!"})
        EXPECT_FALSE(ParolaCorrisponde(s, record)) << s;
}

TEST_F(ArchivioParolaTest, NienteInChiaroESaleDiverso)
{
    ScriviParolaAccesso("Riservata1");
    const QString primo = LeggiParolaAccesso();
    const QByteArray disco = ContenutoArchivio(Percorso(".config"));
    ASSERT_FALSE(disco.isEmpty()) << "the store is not under the test's folder";
    EXPECT_FALSE(disco.toUpper().contains("RISERVATA1"));
    EXPECT_FALSE(primo.toUpper().contains("RISERVATA1"));
    // The same password twice: two different records, both good.
    ScriviParolaAccesso("Riservata1");
    const QString secondo = LeggiParolaAccesso();
    EXPECT_NE(primo, secondo);
    EXPECT_TRUE(ParolaCorrisponde("riservata1", primo));
    EXPECT_TRUE(ParolaCorrisponde("riservata1", secondo));
}

TEST_F(ArchivioParolaTest, TestoNonValidoCancellaLaParola)
{
    EXPECT_EQ(LeggiParolaAccesso(), "");
    for (const char* s : {"", "   ", "ab-12", "due parole"}) {
        ScriviParolaAccesso("VALIDA");
        ASSERT_FALSE(LeggiParolaAccesso().isEmpty());
        ScriviParolaAccesso(s);
        EXPECT_EQ(LeggiParolaAccesso(), "") << s;
    }
}

TEST_F(ArchivioParolaTest, RecordAlteratoNonVale)
{
    ScriviParolaAccesso("ABC");
    const QString record = LeggiParolaAccesso();
    QString alterato = record;
    alterato.chop(4);
    alterato += "AAA=";
    EXPECT_FALSE(ParolaCorrisponde("ABC", alterato));
    EXPECT_FALSE(ParolaCorrisponde("ABC", "ABC"));
    EXPECT_FALSE(ParolaCorrisponde("ABC", ""));
    // The in-memory marker of no password matches only itself.
    EXPECT_TRUE(ParolaCorrisponde(NessunaParola, NessunaParola));
    EXPECT_FALSE(ParolaCorrisponde("", NessunaParola));
}
