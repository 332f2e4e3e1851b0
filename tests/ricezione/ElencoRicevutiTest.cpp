#include "support/CartellaProgrammaTest.h"
#include "support/StampaQt.h"

#include "ricezione/ElencoRicevuti.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

class ElencoRicevutiTest : public CartellaProgrammaTest
{
protected:
    void File(const QString& nome, qint64 dimensione, const QDateTime& data)
    {
        QFile f(ScriviFile(u"Ricevuti/"_s + nome, {}));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.resize(dimensione)); // sparse: no 12 MB written
        ASSERT_TRUE(f.setFileTime(data, QFileDevice::FileModificationTime));
    }
    QStringList Nomi(int colonna, ModoOrdine modo)
    {
        elenco_.Ordina(colonna, modo);
        QStringList n;
        for (const RigaRicevuto& r : elenco_.Righe())
            n << r.nome;
        return n;
    }
    ElencoRicevuti elenco_;
};

} // namespace

TEST_F(ElencoRicevutiTest, TreOrdinamentiDalleChiaviDiTesto)
{
    const QDateTime base(QDate(2024, 12, 7), QTime(9, 0));
    File(u"ACME1207.X01"_s, 12000000, base.addSecs(300));
    File(u"ACME1207.N02"_s, 9000000, base.addSecs(100));
    File(u"acme1207.L03"_s, 500, base.addSecs(200));
    File(u"ACME1207.W04"_s, 500, base.addSecs(400));
    File(u"ACME1206.X05"_s, 1, base); // another day
    elenco_.Carica(Percorso(u"Ricevuti"_s), u"ACME1207.???*"_s);
    ASSERT_EQ(elenco_.Conta(), 4);

    EXPECT_EQ(Nomi(0, Crescente), QStringList({u"acme1207.L03"_s, u"ACME1207.N02"_s,
                                               u"ACME1207.W04"_s, u"ACME1207.X01"_s}))
        << "case ignored";
    EXPECT_EQ(Nomi(1, Crescente), QStringList({u"ACME1207.N02"_s, u"acme1207.L03"_s,
                                               u"ACME1207.X01"_s, u"ACME1207.W04"_s}))
        << "oldest first";
    EXPECT_EQ(Nomi(1, Decrescente), QStringList({u"ACME1207.W04"_s, u"ACME1207.X01"_s,
                                                 u"acme1207.L03"_s, u"ACME1207.N02"_s}));
    // Same size: by name; eight digits sort by their leading digits.
    EXPECT_EQ(Nomi(2, Crescente), QStringList({u"acme1207.L03"_s, u"ACME1207.W04"_s,
                                               u"ACME1207.X01"_s, u"ACME1207.N02"_s}));

    elenco_.Ordina(2, Crescente);
    EXPECT_EQ(elenco_[2].dimensione, 12000000);
    EXPECT_EQ(elenco_[2].data, base.addSecs(300));
    EXPECT_EQ(elenco_.ListaOrdinamento(2)[0].section(u'|', 0, 0), u"0000500"_s);
    EXPECT_EQ(ChiaveData(QDateTime(QDate(2024, 12, 7), QTime(12, 0))), u"45633.5000000000"_s);
    EXPECT_EQ(ChiaveDimensione(12000000), u"12000000"_s);
}
