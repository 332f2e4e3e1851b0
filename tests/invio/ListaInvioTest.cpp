#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"

#include "invio/ListaInvio.h"
#include "scambio/EseguiScriptFtp.h"
#include "shell/Global.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

class ListaInvioTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        ParametriEdi.UtenteFtp = u"ABCD"_s;
        CartelleInvio();
    }
    static QStringList Nomi(const ListaInvio& l)
    {
        QStringList n;
        for (const RigaFile& r : l.Elenco().Righe())
            n << r.nome;
        return n;
    }
    const std::array<QString, 4> Oggi{u"12"_s, u"07"_s, u"?"_s, u"??"_s};
};

} // namespace

TEST_F(ListaInvioTest, ApreSuiFirmatiConLOrdineConfigurato)
{
    OrdinaColInvio = 1; // date
    OrdinaModoInvio = Decrescente;
    for (const auto& [nome, giorno] :
         {std::pair{u"ABCD1207.T01"_s, 5}, std::pair{u"ABCD1207.T02"_s, 3},
          std::pair{u"ABCD1207.T03"_s, 4}, std::pair{u"ABCD1206.T04"_s, 6}}) {
        QFile f(ScriviFile(QStringLiteral("Firmati/") + nome, "x"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime(QDate(2024, 12, giorno), QTime(9, 0)),
                      QFileDevice::FileModificationTime);
    }
    ListaInvio lista;
    EXPECT_EQ(lista.Cartella(), Percorso(u"Firmati"_s));
    lista.Carica(Oggi);
    EXPECT_EQ(Nomi(lista), QStringList({u"ABCD1207.T01"_s, u"ABCD1207.T03"_s, u"ABCD1207.T02"_s}));
    lista.OrdinaDaIntestazione(ColonnaNome, Crescente);
    EXPECT_EQ(Nomi(lista), QStringList({u"ABCD1207.T01"_s, u"ABCD1207.T02"_s, u"ABCD1207.T03"_s}));
    // A reload: the configured column, the direction last chosen.
    lista.Carica(Oggi);
    EXPECT_EQ(Nomi(lista), QStringList({u"ABCD1207.T02"_s, u"ABCD1207.T03"_s, u"ABCD1207.T01"_s}));
}

TEST_F(ListaInvioTest, OrigineEQualiCartelle)
{
    ListaInvio lista;
    EXPECT_FALSE(lista.ImpostaOrigine(u"   "_s));
    EXPECT_EQ(lista.Cartella(), Percorso(u"Firmati"_s));
    EXPECT_TRUE(lista.StoricizzaOfferta());

    EXPECT_TRUE(lista.ImpostaOrigine(Percorso(u"Altrove"_s) + u"/"_s));
    EXPECT_EQ(lista.Cartella(), Percorso(u"Altrove"_s));
    EXPECT_EQ(ParametriEdi.CartellaFirmati, Percorso(u"Altrove"_s)) << "for the rest of the run";

    lista.ScegliQuali(false);
    EXPECT_EQ(lista.Cartella(), Percorso(u"Inviati"_s));
    EXPECT_FALSE(lista.StoricizzaOfferta());
    lista.ScegliQuali(true);
    EXPECT_EQ(lista.Cartella(), Percorso(u"Altrove"_s));
    EXPECT_EQ(DidascaliaInvio(lista.Cartella()),
              u" INVIA DATI ALLA DOGANA    -    "_s + Percorso(u"Altrove"_s));
}

TEST_F(ListaInvioTest, StoricizzaDiceSeIlFileEUscito)
{
    ScriviFile(u"Firmati/ABCD1207.T01"_s, "nuovo");
    ScriviFile(u"Inviati/ABCD1207.T01"_s, "vecchio");
    ListaInvio lista;
    using S = ListaInvio::Storico;

    RisponditoreTest().Rispondi(Risposta::No, u"CONFERMI LA STORICIZZAZIONE DI  'ABCD1207.T01'"_s);
    EXPECT_EQ(lista.Storicizza(u"ABCD1207.T01"_s), S::NonConfermato);
    EXPECT_EQ(LeggiFile(u"Inviati/ABCD1207.T01"_s), "vecchio");
    EXPECT_EQ(lista.Storicizza(u"  "_s), S::NonConfermato) << "no name, no question";

    RisponditoreTest().Rispondi(Risposta::Si);
    EXPECT_EQ(lista.Storicizza(u"ABCD1207.T01"_s), S::Uscito);
    EXPECT_EQ(LeggiFile(u"Inviati/ABCD1207.T01"_s), "nuovo");
    EXPECT_FALSE(QFile::exists(Percorso(u"Firmati/ABCD1207.T01"_s)));

    // A move that fails leaves the file, and says so.
    ScriviFile(u"Firmati/ABCD1207.T02"_s, "x");
    QDir(Percorso(u"Inviati"_s)).removeRecursively();
    ScriviFile(u"Inviati"_s, "not a folder");
    RisponditoreTest().Rispondi(Risposta::Si);
    RisponditoreTest().Rispondi(Risposta::Ok, u"ERRORE IN FASE DI STORICIZZAZIONE!"_s);
    EXPECT_EQ(lista.Storicizza(u"ABCD1207.T02"_s), S::Rimasto);
    EXPECT_TRUE(QFile::exists(Percorso(u"Firmati/ABCD1207.T02"_s)));
}

TEST_F(ListaInvioTest, DallaStoriaNonEsceNulla)
{
    ScriviFile(u"Inviati/ABCD1207.T01"_s, "x");
    ListaInvio lista;
    lista.ScegliQuali(false);
    RisponditoreTest().Rispondi(Risposta::Si);
    EXPECT_EQ(lista.Storicizza(u"ABCD1207.T01"_s), ListaInvio::Storico::Rimasto);
    EXPECT_TRUE(QFile::exists(Percorso(u"Inviati/ABCD1207.T01"_s)));
}

// Every name refused before the client starts: the window stays open on them.
TEST_F(ListaInvioTest, InvioDiNomiTuttiRifiutatiNonChiude)
{
    ScriviFile(u"Firmati/ABCD1207.T01 bis"_s, "x");
    ListaInvio lista;
    lista.Carica(Oggi);
    ASSERT_EQ(lista.Elenco().Conta(), 1);
    EXPECT_FALSE(lista.Invia(nullptr, {})) << "nothing marked, nothing sent";
    lista.Elenco().Tutti();
    RisponditoreTest().Rispondi(Risposta::Ok, u"NOME NON TRASFERIBILE"_s);
    EXPECT_FALSE(lista.Invia(nullptr, {}));
}

TEST_F(ListaInvioTest, TestoDellAvanzamento)
{
    struct Caso
    {
        AvanzamentoFtp a;
        const char* atteso;
    };
    const Caso casi[] = {
        {{}, "COLLEGAMENTO AL SERVER IN CORSO ..."},
        {{u"ABCD1207.T01"_s, 2, 3, 1500, 768000, 0},
         "FILE IN TRASFERIMENTO: ABCD1207.T01  (2 DI 3)\nINVIATI 1.500 DI 768.000 BYTE"},
        {{u"ABCD1207.T01"_s, 1, 1, 0, -1, 0}, "FILE IN TRASFERIMENTO: ABCD1207.T01  (1 DI 1)"},
    };
    for (const Caso& c : casi)
        EXPECT_EQ(TestoAvanzamento(c.a), QString::fromUtf8(c.atteso));
}
