#include "support/CartellaProgrammaTest.h"
#include "support/StampaQt.h"

#include "ricezione/ElencoRicevuti.h"

#include <QDir>
#include <QFile>

namespace {

class ElencoRicevutiTest : public CartellaProgrammaTest
{
protected:
    void File(const QString& nome, qint64 dimensione, const QDateTime& data)
    {
        QFile f(ScriviFile("Ricevuti/" + nome, {}));
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
    File("ACME1207.X01", 12000000, base.addSecs(300));
    File("ACME1207.N02", 9000000, base.addSecs(100));
    File("acme1207.L03", 500, base.addSecs(200));
    File("ACME1207.W04", 500, base.addSecs(400));
    File("ACME1206.X05", 1, base); // another day
    elenco_.Carica(Percorso("Ricevuti"), "ACME1207.???*");
    ASSERT_EQ(elenco_.Conta(), 4);

    EXPECT_EQ(Nomi(0, Crescente),
              QStringList({"acme1207.L03", "ACME1207.N02", "ACME1207.W04", "ACME1207.X01"}))
        << "case ignored";
    EXPECT_EQ(Nomi(1, Crescente),
              QStringList({"ACME1207.N02", "acme1207.L03", "ACME1207.X01", "ACME1207.W04"}))
        << "oldest first";
    EXPECT_EQ(Nomi(1, Decrescente),
              QStringList({"ACME1207.W04", "ACME1207.X01", "acme1207.L03", "ACME1207.N02"}));
    // Same size: by name; eight digits sort by their leading digits.
    EXPECT_EQ(Nomi(2, Crescente),
              QStringList({"acme1207.L03", "ACME1207.W04", "ACME1207.X01", "ACME1207.N02"}));

    elenco_.Ordina(2, Crescente);
    EXPECT_EQ(elenco_[2].dimensione, 12000000);
    EXPECT_EQ(elenco_[2].data, base.addSecs(300));
    EXPECT_EQ(elenco_.ListaOrdinamento(2)[0].section('|', 0, 0), "0000500");
    EXPECT_EQ(ChiaveData(QDateTime(QDate(2024, 12, 7), QTime(12, 0))), "45633.5000000000");
    EXPECT_EQ(ChiaveDimensione(12000000), "12000000");
}
