#include "support/CartellaProgrammaTest.h"

#include "shell/ArchivioParola.h"

#include <QDirIterator>
#include <QFile>

using namespace Qt::StringLiterals;

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
    for (const QString& s : {u"A"_s, u"abc"_s, u"Zeta09"_s, u"0123456789"_s})
        EXPECT_TRUE(ParolaValida(s)) << s.toStdString();
    for (const QString& s : {u""_s, u" "_s, u"AB-1"_s, u"A B"_s, u"perché"_s, u"x_y"_s, u"!"_s})
        EXPECT_FALSE(ParolaValida(s)) << s.toStdString();
}

TEST_F(ArchivioParolaTest, MaiuscoleMinuscoleIndifferenti)
{
    ScriviParolaAccesso(u"  segreto7 "_s);
    const QString record = LeggiParolaAccesso();
    ASSERT_FALSE(record.isEmpty());
    for (const QString& s : {u"SEGRETO7"_s, u"segreto7"_s, u"SeGrEtO7"_s})
        EXPECT_TRUE(ParolaCorrisponde(s, record)) << s.toStdString();
    for (const QString& s : {u"SEGRETO"_s, u"SEGRETO77"_s, u""_s, u" SEGRETO7"_s, u"!"_s})
        EXPECT_FALSE(ParolaCorrisponde(s, record)) << s.toStdString();
}

TEST_F(ArchivioParolaTest, NienteInChiaroESaleDiverso)
{
    ScriviParolaAccesso(u"Riservata1"_s);
    const QString primo = LeggiParolaAccesso();
    const QByteArray disco = ContenutoArchivio(Percorso(u".config"_s));
    ASSERT_FALSE(disco.isEmpty()) << "the store is not under the test's folder";
    EXPECT_FALSE(disco.toUpper().contains("RISERVATA1"));
    EXPECT_FALSE(primo.toUpper().contains(u"RISERVATA1"_s));
    // The same password twice: two different records, both good.
    ScriviParolaAccesso(u"Riservata1"_s);
    const QString secondo = LeggiParolaAccesso();
    EXPECT_NE(primo, secondo);
    EXPECT_TRUE(ParolaCorrisponde(u"riservata1"_s, primo));
    EXPECT_TRUE(ParolaCorrisponde(u"riservata1"_s, secondo));
}

TEST_F(ArchivioParolaTest, TestoNonValidoCancellaLaParola)
{
    EXPECT_EQ(LeggiParolaAccesso(), u""_s);
    for (const QString& s : {u""_s, u"   "_s, u"ab-12"_s, u"due parole"_s}) {
        ScriviParolaAccesso(u"VALIDA"_s);
        ASSERT_FALSE(LeggiParolaAccesso().isEmpty());
        ScriviParolaAccesso(s);
        EXPECT_EQ(LeggiParolaAccesso(), u""_s) << s.toStdString();
    }
}

TEST_F(ArchivioParolaTest, RecordAlteratoNonVale)
{
    ScriviParolaAccesso(u"ABC"_s);
    const QString record = LeggiParolaAccesso();
    QString alterato = record;
    alterato.chop(4);
    alterato += u"AAA="_s;
    EXPECT_FALSE(ParolaCorrisponde(u"ABC"_s, alterato));
    EXPECT_FALSE(ParolaCorrisponde(u"ABC"_s, u"ABC"_s));
    EXPECT_FALSE(ParolaCorrisponde(u"ABC"_s, u""_s));
    // The in-memory marker of no password matches only itself.
    EXPECT_TRUE(
        ParolaCorrisponde(QString::fromLatin1(NessunaParola), QString::fromLatin1(NessunaParola)));
    EXPECT_FALSE(ParolaCorrisponde(u""_s, QString::fromLatin1(NessunaParola)));
}

// Records made by another implementation of the same derivation: a stored
// record stays valid whatever computes it.
TEST(ParolaCorrisponde, RecordDiUnAltraImplementazione)
{
    const struct
    {
        const char* parola;
        const char* record;
    } casi[] = {
        {"ABC123",
         "pbkdf2-sha256$1$MDEyMzQ1Njc4OWFiY2RlZg==$a8vRYhosfkLH1FoPaV2V/jqbYJbDJvgpMbxd4fXFi6Y="},
        {"ABC123",
         "pbkdf2-sha256$2$MDEyMzQ1Njc4OWFiY2RlZg==$xEDphg+y9OA5mNjVD4A7P5wwCCbP/uURk26UZnCwJDA="},
        {"A", "pbkdf2-sha256$100000$/////////////////////w==$qlZmgg37BJaWYAl/"
              "jYhlg+DVVnCtWqHQOaJ477w2Z0o="},
    };
    for (const auto& c : casi) {
        const QString record = QString::fromLatin1(c.record);
        EXPECT_TRUE(ParolaCorrisponde(QString::fromLatin1(c.parola).toLower(), record)) << c.record;
        EXPECT_FALSE(ParolaCorrisponde(QString::fromLatin1(c.parola) + u'X', record)) << c.record;
    }
}
