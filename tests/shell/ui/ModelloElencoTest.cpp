#include "support/CartellaProgrammaTest.h"
#include "support/ControlloModello.h"

#include "shell/Global.h"
#include "shell/NomiFile.h"
#include "shell/ui/ModelloElenco.h"

#include <QColor>
#include <QFont>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {

struct Riga
{
    QString nome;
    QDateTime data;
    qint64 dimensione;
    bool segnata;
};

class ModelloElencoTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        Colori[0] = QString::number(0x0000FF); // red in the low byte
        Colori[3] = QString::number(0x00FF00);
        righe = {{u"ABCD1207.T01"_s, QDateTime(QDate(2024, 12, 7), QTime(8, 5, 9)), 1234567, true},
                 {u"ABCD1207.N02"_s, QDateTime(QDate(2024, 1, 2), QTime(23, 0)), 5, false}};
        SorgenteElenco s;
        s.conta = [this]() { return righe.size(); };
        s.nome = [this](qsizetype r) { return righe[r].nome; };
        s.data = [this](qsizetype r) { return righe[r].data; };
        s.dimensione = [this](qsizetype r) { return righe[r].dimensione; };
        s.segnata = [this](qsizetype r) { return righe[r].segnata; };
        sorgente = s;
    }

    QList<Riga> righe;
    SorgenteElenco sorgente;
};

} // namespace

TEST_F(ModelloElencoTest, ColonneTestiColoriEGrassetto)
{
    using C = ModelloElenco::Contenuto;
    ModelloElenco m({{C::Segno, u""_s},
                     {C::Nome, u"Nome"_s},
                     {C::Data, u"Data"_s},
                     {C::Dimensione, u"byte"_s},
                     {C::Vuota, u""_s}},
                    QString::fromLatin1(TipiInvio), sorgente);
    ASSERT_EQ(m.rowCount(), 2);
    ASSERT_EQ(m.columnCount(), 5);
    EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), u""_s) << "no number for a blank caption";
    EXPECT_EQ(m.headerData(3, Qt::Horizontal).toString(), u"byte"_s);
    EXPECT_EQ(m.index(0, 0).data().toString(), u"S"_s);
    EXPECT_EQ(m.index(1, 0).data().toString(), u""_s);
    EXPECT_EQ(m.index(0, 1).data().toString(), u"ABCD1207.T01"_s);
    EXPECT_EQ(m.index(0, 2).data().toString(), u"07/12/2024 08:05:09"_s);
    EXPECT_EQ(m.index(0, 3).data().toString(), u"1.234.567"_s);
    EXPECT_EQ(m.index(0, 4).data().toString(), u""_s);
    EXPECT_EQ(m.index(0, 3).data(Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(m.index(0, 0).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    EXPECT_TRUE(m.index(0, 2).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(m.index(1, 2).data(Qt::FontRole).isValid());
    // T is group 1 of the sent types; N is not a sent type at all.
    EXPECT_EQ(m.index(0, 4).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_FALSE(m.index(1, 1).data(Qt::ForegroundRole).isValid());
}

TEST_F(ModelloElencoTest, IColoriDelleRisposteEUnaListaSenzaSegni)
{
    sorgente.segnata = nullptr;
    ModelloElenco m({{ModelloElenco::Contenuto::Nome, u"Nome"_s}},
                    QString::fromLatin1(TipiRisposta), sorgente);
    // N is group 4 of the replies.
    EXPECT_EQ(m.index(1, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 255, 0));
    EXPECT_FALSE(m.index(0, 0).data(Qt::FontRole).isValid());
    // A name too short for a type letter falls in group 1.
    EXPECT_EQ(ColoreTipo(u"ABC"_s, QString::fromLatin1(TipiRisposta)).value<QColor>(),
              QColor(255, 0, 0));
}

// The owner's notices around its changes keep the model's contract: one row
// in, one row out, one row changed, everything anew.
TEST_F(ModelloElencoTest, AvvisiDiCambioNelContratto)
{
    ModelloElenco m(
        {{ModelloElenco::Contenuto::Segno, u""_s}, {ModelloElenco::Contenuto::Nome, u"Nome"_s}},
        QString::fromLatin1(TipiInvio), sorgente);
    ControlloModello controllo(&m);
    QSignalSpy entrate(&m, &QAbstractItemModel::rowsInserted);
    QSignalSpy cambiate(&m, &QAbstractItemModel::dataChanged);

    m.InizioInserimento(1);
    righe.insert(1, {u"ABCD1207.I03"_s, QDateTime(), 1, false});
    m.FineInserimento();
    ASSERT_EQ(entrate.size(), 1);
    EXPECT_EQ(entrate[0][1].toInt(), 1);
    EXPECT_EQ(m.index(1, 1).data().toString(), u"ABCD1207.I03"_s);

    righe[2].segnata = true;
    m.RigaCambiata(2);
    ASSERT_EQ(cambiate.size(), 1);
    EXPECT_EQ(cambiate[0][0].toModelIndex().row(), 2);
    EXPECT_EQ(cambiate[0][1].toModelIndex().column(), 1);
    m.RigaCambiata(7); // none: no notice
    EXPECT_EQ(cambiate.size(), 1);

    m.InizioRimozione(0);
    righe.removeAt(0);
    m.FineRimozione();
    EXPECT_EQ(m.rowCount(), 2);
    righe.clear();
    m.Ricarica();
    m.TutteCambiate();
    EXPECT_EQ(m.rowCount(), 0);
    EXPECT_TRUE(controllo.Violazioni().isEmpty())
        << controllo.Violazioni().join(u'\n').toStdString();
}
