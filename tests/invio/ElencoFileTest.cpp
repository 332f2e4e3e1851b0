#include "support/CartellaProgrammaTest.h"
#include "support/FusoOrarioProva.h"

#include "invio/ElencoFile.h"
#include "shell/Conversioni.h"
#include "shell/ValoriFtp.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <random>

using namespace Qt::StringLiterals;

namespace {

class ElencoFileTest : public CartellaProgrammaTest
{
protected:
    // A file of the listed folder with the given time and size.
    void File(const QString& nome, const QDateTime& quando, int byte)
    {
        const QString p = ScriviFile(u"Firmati/"_s + nome, QByteArray(byte, 'x'));
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(quando, QFileDevice::FileModificationTime));
    }
    QString Firmati() const { return Percorso(u"Firmati"_s); }

    QStringList Nomi() const
    {
        QStringList n;
        for (const RigaFile& r : elenco.Righe())
            n.append(r.nome);
        return n;
    }

    ElencoFile elenco;
};

QDateTime Il(int anno, int mese, int giorno, int ora = 10)
{
    return QDateTime(QDate(anno, mese, giorno), QTime(ora, 0));
}

} // namespace

TEST_F(ElencoFileTest, SoloIFileDellaMascheraConISegniDiElencoInvio)
{
    File(u"ABCD1207.T01"_s, Il(2024, 12, 7), 10);
    File(u"ABCD1207.T02.P7M"_s, Il(2024, 12, 7), 20);
    File(u"ABCD1207.I01"_s, Il(2024, 12, 7), 30);
    File(u"ABCD1208.T01"_s, Il(2024, 12, 8), 40);
    File(u"WXYZ1207.T01"_s, Il(2024, 12, 7), 50);
    QDir().mkpath(Percorso(u"Firmati/ABCD1207.T99"_s));

    elenco.Carica(Firmati(), u"ABCD1207.T??*"_s, {u" ABCD1207.T02.P7M "_s, u"ALTRO"_s});
    elenco.Ordina(ColonnaNome, Crescente);
    EXPECT_EQ(Nomi(), QStringList({u"ABCD1207.T01"_s, u"ABCD1207.T02.P7M"_s}));
    EXPECT_FALSE(elenco[0].Segnata());
    EXPECT_TRUE(elenco[1].Segnata());
    EXPECT_EQ(elenco[1].dimensione, 20);
    EXPECT_EQ(DaDataSeriale(elenco[1].data), Il(2024, 12, 7));

    elenco.Carica(Percorso(u"manca"_s), u"*"_s, {});
    EXPECT_EQ(elenco.Conta(), 0);
}

TEST_F(ElencoFileTest, PerDataInOrdineCronologicoAncheTraMesi)
{
    // Name order and day-month order both disagree with the calendar.
    File(u"ABCD0105.T01"_s, Il(2025, 1, 5), 1);
    File(u"ABCD1231.T01"_s, Il(2024, 12, 31), 1);
    File(u"ABCD0201.T01"_s, Il(2024, 2, 1), 1);
    File(u"ABCD0930.T01"_s, Il(2024, 9, 30, 23), 1);
    File(u"ABCD0930.T02"_s, Il(2024, 9, 30, 8), 1);
    elenco.Carica(Firmati(), u"*"_s, {});

    elenco.Ordina(ColonnaNome, Crescente);
    EXPECT_EQ(Nomi().first(), u"ABCD0105.T01"_s);
    elenco.Ordina(ColonnaData, Crescente);
    const QStringList cronologico = {u"ABCD0201.T01"_s, u"ABCD0930.T02"_s, u"ABCD0930.T01"_s,
                                     u"ABCD1231.T01"_s, u"ABCD0105.T01"_s};
    EXPECT_EQ(Nomi(), cronologico);
    elenco.Ordina(ColonnaData, Decrescente);
    QStringList inverso = cronologico;
    std::reverse(inverso.begin(), inverso.end());
    EXPECT_EQ(Nomi(), inverso);
}

TEST_F(ElencoFileTest, PerDimensioneESegnoConIParitaRisolteDalNome)
{
    File(u"ABCD0101.T03"_s, Il(2024, 1, 1), 1000);
    File(u"ABCD0101.T01"_s, Il(2024, 1, 1), 9);
    File(u"ABCD0101.T02"_s, Il(2024, 1, 1), 10);
    File(u"ABCD0101.T04"_s, Il(2024, 1, 1), 9);
    elenco.Carica(Firmati(), u"*"_s, {u"ABCD0101.T03"_s, u"ABCD0101.T01"_s});

    // Sizes compare as numbers, not as text ("1000" < "9").
    elenco.Ordina(ColonnaByte, Crescente);
    EXPECT_EQ(Nomi(), QStringList({u"ABCD0101.T01"_s, u"ABCD0101.T04"_s, u"ABCD0101.T02"_s,
                                   u"ABCD0101.T03"_s}));
    // Unmarked rows first, each part by name.
    elenco.Ordina(ColonnaSegno, Crescente);
    EXPECT_EQ(Nomi(), QStringList({u"ABCD0101.T02"_s, u"ABCD0101.T04"_s, u"ABCD0101.T01"_s,
                                   u"ABCD0101.T03"_s}));
    elenco.Ordina(ColonnaSegno, Decrescente);
    EXPECT_EQ(Nomi(), QStringList({u"ABCD0101.T03"_s, u"ABCD0101.T01"_s, u"ABCD0101.T04"_s,
                                   u"ABCD0101.T02"_s}));
}

TEST_F(ElencoFileTest, SegniEdElencoInvio)
{
    for (const QString& n : {u"ABCD0101.T02"_s, u"ABCD0101.T01"_s, u"ABCD0101.T03"_s})
        File(n, Il(2024, 1, 1), 1);
    elenco.Carica(Firmati(), u"*"_s, {});
    elenco.Ordina(ColonnaNome, Decrescente); // T03, T02, T01

    elenco.Segna(0);
    elenco.Segna(2);
    elenco.Segna(7); // out of range: nothing
    EXPECT_EQ(elenco.RicostruisciInvio(Crescente),
              QStringList({u"ABCD0101.T01"_s, u"ABCD0101.T03"_s}));
    EXPECT_EQ(elenco.RicostruisciInvio(Decrescente),
              QStringList({u"ABCD0101.T03"_s, u"ABCD0101.T01"_s}));

    elenco.Inverti();
    EXPECT_EQ(elenco.RicostruisciInvio(Crescente), QStringList({u"ABCD0101.T02"_s}));
    EXPECT_TRUE(elenco.Togli(u" ABCD0101.T02"_s));
    EXPECT_FALSE(elenco.Togli(u"ABCD0101.T09"_s));
    EXPECT_TRUE(elenco.RicostruisciInvio(Crescente).isEmpty());
    elenco.Tutti();
    EXPECT_EQ(elenco.RicostruisciInvio(Crescente).size(), 3);
    elenco.Nessuno();
    EXPECT_TRUE(elenco.RicostruisciInvio(Crescente).isEmpty());
}

// A name in another encoding (Latin-1 "è" on a UTF-8 system) is listed, with
// the bytes it cannot show marked, and the send rule refuses it.
TEST_F(ElencoFileTest, UnNomeNonDecodificabileCompareComunque)
{
    File(u"ABCD1207.T01"_s, Il(2024, 12, 7), 10);
    QDir().mkpath(Firmati());
    const QByteArray grezzo = QFile::encodeName(Firmati()) + "/ABCD1207.T0\xe8";
    FILE* f = std::fopen(grezzo.constData(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("dati", f);
    std::fclose(f);

    elenco.Carica(Firmati(), u"ABCD1207.T??*"_s, {});
    elenco.Ordina(ColonnaNome, Crescente);
    ASSERT_EQ(elenco.Conta(), 2);
    EXPECT_EQ(elenco[0].nome, u"ABCD1207.T01"_s);
    EXPECT_TRUE(elenco[1].nome.startsWith(u"ABCD1207.T0"_s));
    EXPECT_TRUE(elenco[1].nome.contains(QChar::ReplacementCharacter));
    EXPECT_EQ(elenco[1].dimensione, 4);
    EXPECT_FALSE(NomeFileSemplice(elenco[1].nome));
}

// A bad name's mark stays with it, whatever the folder's order: the names
// after it read as they are.
TEST_F(ElencoFileTest, IlSegnoDiUnNomeGuastoNonPassaAiSuccessivi)
{
    QDir().mkpath(Firmati());
    const QByteArray cartella = QFile::encodeName(Firmati());
    for (int i = 0; i < 8; ++i) {
        const QByteArray cifra(1, char('0' + i));
        const QByteArray nomi[] = {"/ABCD1207.B" + cifra + "\xe8",
                                   "/ABCD1207.G" + cifra + "\xc3\xa8"};
        for (const QByteArray& nome : nomi) {
            const QByteArray percorso = cartella + nome;
            FILE* f = std::fopen(percorso.constData(), "w");
            ASSERT_NE(f, nullptr);
            std::fclose(f);
        }
    }
    elenco.Carica(Firmati(), u"*"_s, {});
    ASSERT_EQ(elenco.Conta(), 16);
    for (const RigaFile& r : elenco.Righe()) {
        SCOPED_TRACE(r.nome.toStdString());
        EXPECT_EQ(r.nome.contains(QChar::ReplacementCharacter), r.nome.startsWith(u"ABCD1207.B"_s));
        if (r.nome.startsWith(u"ABCD1207.G"_s)) {
            EXPECT_TRUE(r.nome.endsWith(QChar(0xE8)));
        }
    }
}

// The times of one listing, each with the offset of its own date: winter,
// summer and the seconds either side of the changes.
TEST_F(ElencoFileTest, OrariLocaliDInvernoEDEstate)
{
    const FusoOrarioProva roma("Europe/Rome");
    const struct
    {
        const char* nome;
        QDateTime utc;
        QDateTime locale;
    } casi[] = {
        {"ABCD0115.T01", QDateTime(QDate(2024, 1, 15), QTime(10, 0), Qt::UTC),
         QDateTime(QDate(2024, 1, 15), QTime(11, 0))},
        {"ABCD0715.T01", QDateTime(QDate(2024, 7, 15), QTime(10, 0), Qt::UTC),
         QDateTime(QDate(2024, 7, 15), QTime(12, 0))},
        {"ABCD0331.T01", QDateTime(QDate(2024, 3, 31), QTime(0, 59, 59), Qt::UTC),
         QDateTime(QDate(2024, 3, 31), QTime(1, 59, 59))},
        {"ABCD0331.T02", QDateTime(QDate(2024, 3, 31), QTime(1, 0), Qt::UTC),
         QDateTime(QDate(2024, 3, 31), QTime(3, 0))},
        {"ABCD1027.T01", QDateTime(QDate(2024, 10, 27), QTime(0, 59, 59), Qt::UTC),
         QDateTime(QDate(2024, 10, 27), QTime(2, 59, 59))},
        {"ABCD1027.T02", QDateTime(QDate(2024, 10, 27), QTime(1, 0), Qt::UTC),
         QDateTime(QDate(2024, 10, 27), QTime(2, 0))},
    };
    for (const auto& c : casi)
        File(QString::fromUtf8(c.nome), c.utc, 1);
    elenco.Carica(Firmati(), u"*"_s, {});
    ASSERT_EQ(elenco.Conta(), std::size(casi));
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        const qsizetype i = elenco.Riga(QString::fromUtf8(c.nome));
        ASSERT_GE(i, 0);
        EXPECT_DOUBLE_EQ(elenco[i].data, DataSeriale(c.locale));
        EXPECT_DOUBLE_EQ(elenco[i].data, DataSeriale(c.utc.toLocalTime()));
    }
}

namespace {

// ElencoInvio as the marks make it, read the slow way.
QStringList Attesa(const ElencoFile& e)
{
    QStringList nomi;
    for (const RigaFile& r : e.Righe())
        if (r.Segnata())
            nomi.append(r.nome);
    std::sort(nomi.begin(), nomi.end());
    if (e.ModoInvio() != Crescente)
        std::reverse(nomi.begin(), nomi.end());
    return nomi;
}

} // namespace

// Marks, unmarks, sorts and rows leaving in random order: ElencoInvio read
// name by name, and each row's place in it, always as a full rebuild gives.
TEST_F(ElencoFileTest, ElencoInvioSempreComeUnaRicostruzione)
{
    std::mt19937 caso(11);
    for (int i = 0; i < 60; ++i)
        File(QStringLiteral("ABCD0101.T%1").arg(int(caso() % 1000), 3, 10, QLatin1Char('0')) +
                 QString::number(i),
             Il(2024, 1, 1 + int(caso() % 28)), int(caso() % 500));
    elenco.Carica(Firmati(), u"*"_s, {});
    ASSERT_EQ(elenco.Conta(), 60);
    for (int giro = 0; giro < 400; ++giro) {
        const qsizetype riga = qsizetype(caso() % quint32(elenco.Conta()));
        switch (caso() % 8) {
        case 0:
        case 1:
        case 2:
            elenco.Segna(riga);
            break;
        case 3:
        case 4:
            elenco.Togli(elenco[riga].nome);
            break;
        case 5:
            elenco.Ordina(int(caso() % 4), caso() % 2 ? Decrescente : Crescente);
            break;
        case 6:
            elenco.OrdinaInvio(caso() % 2 ? Decrescente : Crescente);
            break;
        default:
            if (caso() % 4 == 0)
                elenco.TogliRiga(riga);
            else
                elenco.Inverti();
        }
        const QStringList attesa = Attesa(elenco);
        ASSERT_EQ(elenco.ElencoInvio(), attesa) << "giro " << giro;
        ASSERT_EQ(elenco.ContaInvio(), attesa.size());
        for (qsizetype k = 0; k < attesa.size(); ++k)
            ASSERT_EQ(elenco.NomeInvio(k), attesa[k]);
        for (qsizetype r = 0; r < elenco.Conta(); ++r) {
            const qsizetype posto = elenco.PosizioneInvio(r);
            if (elenco[r].Segnata()) {
                ASSERT_EQ(elenco.NomeInvio(posto), elenco[r].nome);
            } else {
                // Where it would go in: after every name that comes before it.
                QStringList con = attesa;
                con.append(elenco[r].nome);
                std::sort(con.begin(), con.end());
                if (elenco.ModoInvio() != Crescente)
                    std::reverse(con.begin(), con.end());
                ASSERT_EQ(con.indexOf(elenco[r].nome), posto);
            }
            ASSERT_EQ(elenco.Riga(elenco[r].nome), r);
        }
    }
}

// A reload keeps ElencoInvio as it was, names filtered out included, until the
// next change of marks rebuilds it from the rows; an unmark of a name no row
// bears is such a change too.
TEST_F(ElencoFileTest, ElencoInvioRestaFinoAlProssimoCambioDiSegni)
{
    for (const QString& n : {u"ABCD0101.T01"_s, u"ABCD0101.T02"_s, u"ABCD0101.I01"_s})
        File(n, Il(2024, 1, 1), 1);
    elenco.Carica(Firmati(), u"*"_s, {});
    elenco.Ordina(ColonnaNome, Crescente);
    elenco.Segna(0); // I01
    elenco.Segna(2); // T02
    ASSERT_EQ(elenco.ElencoInvio(), QStringList({u"ABCD0101.I01"_s, u"ABCD0101.T02"_s}));

    elenco.Carica(Firmati(), u"ABCD0101.T*"_s, elenco.ElencoInvio());
    EXPECT_TRUE(elenco.InvioDaRicostruire());
    EXPECT_EQ(elenco.ElencoInvio(), QStringList({u"ABCD0101.I01"_s, u"ABCD0101.T02"_s}));
    EXPECT_EQ(elenco.NomeInvio(0), u"ABCD0101.I01"_s);
    elenco.Carica(Firmati(), u"ABCD0101.T*"_s, elenco.ElencoInvio());
    EXPECT_TRUE(elenco.InvioDaRicostruire()) << "a second reload changes nothing either";
    EXPECT_EQ(elenco.ContaInvio(), 2);
    elenco.Togli(u"ABCD0101.I01"_s);
    EXPECT_FALSE(elenco.InvioDaRicostruire());
    EXPECT_EQ(elenco.ElencoInvio(), QStringList({u"ABCD0101.T02"_s}));

    // Nothing filtered out: the reloaded marks are ElencoInvio itself.
    elenco.Carica(Firmati(), u"*"_s, elenco.ElencoInvio());
    EXPECT_FALSE(elenco.InvioDaRicostruire());
    elenco.Svuota();
    EXPECT_EQ(elenco.ContaInvio(), 0);
}

TEST_F(ElencoFileTest, UnaRigaCheEsceLasciaGliAltriAlLoroPosto)
{
    for (const QString& n : {u"ABCD0101.T01"_s, u"ABCD0101.T02"_s, u"ABCD0101.T03"_s})
        File(n, Il(2024, 1, 1), 1);
    elenco.Carica(Firmati(), u"*"_s, {u"ABCD0101.T01"_s, u"ABCD0101.T03"_s});
    elenco.Ordina(ColonnaNome, Decrescente); // T03, T02, T01
    elenco.TogliRiga(1);
    EXPECT_EQ(Nomi(), QStringList({u"ABCD0101.T03"_s, u"ABCD0101.T01"_s}));
    EXPECT_EQ(elenco.Riga(u"ABCD0101.T01"_s), 1);
    EXPECT_EQ(elenco.Riga(u"ABCD0101.T02"_s), -1);
    EXPECT_EQ(elenco.ElencoInvio(), QStringList({u"ABCD0101.T01"_s, u"ABCD0101.T03"_s}));
    elenco.TogliRiga(0);
    EXPECT_EQ(elenco.ElencoInvio(), QStringList({u"ABCD0101.T01"_s}));
    elenco.TogliRiga(5); // none: nothing
    EXPECT_EQ(elenco.Conta(), 1);
}
