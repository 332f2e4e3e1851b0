#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"

#include "invio/EseguiScriptFtp.h"
#include "invio/ListaInvio.h"
#include "shell/Global.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <utility>

namespace {

class ListaInvioTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        ParametriEdi.UtenteFtp = "ABCD";
        ParametriEdi.CartellaFirmati = Percorso("Firmati");
        ParametriEdi.CartellaInviati = Percorso("Inviati");
        QDir().mkpath(ParametriEdi.CartellaFirmati);
        QDir().mkpath(ParametriEdi.CartellaInviati);
    }
    static QStringList Nomi(const ListaInvio& l)
    {
        QStringList n;
        for (const RigaFile& r : l.Elenco().Righe())
            n << r.nome;
        return n;
    }
    const std::array<QString, 4> Oggi{"12", "07", "?", "??"};
};

} // namespace

TEST_F(ListaInvioTest, ApreSuiFirmatiConLOrdineConfigurato)
{
    OrdinaColInvio = 1; // date
    OrdinaModoInvio = Decrescente;
    for (const auto& [nome, giorno] :
         {std::pair{"ABCD1207.T01", 5}, std::pair{"ABCD1207.T02", 3}, std::pair{"ABCD1207.T03", 4},
          std::pair{"ABCD1206.T04", 6}}) {
        QFile f(ScriviFile(QStringLiteral("Firmati/") + QLatin1String(nome), "x"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime(QDate(2024, 12, giorno), QTime(9, 0)),
                      QFileDevice::FileModificationTime);
    }
    ListaInvio lista;
    EXPECT_EQ(lista.Cartella(), Percorso("Firmati"));
    lista.Carica(Oggi);
    EXPECT_EQ(Nomi(lista), QStringList({"ABCD1207.T01", "ABCD1207.T03", "ABCD1207.T02"}));
    lista.OrdinaDaIntestazione(ColonnaNome, Crescente);
    EXPECT_EQ(Nomi(lista), QStringList({"ABCD1207.T01", "ABCD1207.T02", "ABCD1207.T03"}));
    // A reload: the configured column, the direction last chosen.
    lista.Carica(Oggi);
    EXPECT_EQ(Nomi(lista), QStringList({"ABCD1207.T02", "ABCD1207.T03", "ABCD1207.T01"}));
}

TEST_F(ListaInvioTest, OrigineEQualiCartelle)
{
    ListaInvio lista;
    EXPECT_FALSE(lista.ImpostaOrigine("   "));
    EXPECT_EQ(lista.Cartella(), Percorso("Firmati"));
    EXPECT_TRUE(lista.StoricizzaOfferta());

    EXPECT_TRUE(lista.ImpostaOrigine(Percorso("Altrove") + "/"));
    EXPECT_EQ(lista.Cartella(), Percorso("Altrove"));
    EXPECT_EQ(ParametriEdi.CartellaFirmati, Percorso("Altrove")) << "for the rest of the run";

    lista.ScegliQuali(false);
    EXPECT_EQ(lista.Cartella(), Percorso("Inviati"));
    EXPECT_FALSE(lista.StoricizzaOfferta());
    lista.ScegliQuali(true);
    EXPECT_EQ(lista.Cartella(), Percorso("Altrove"));
    EXPECT_EQ(DidascaliaInvio(lista.Cartella()),
              " INVIA DATI ALLA DOGANA    -    " + Percorso("Altrove"));
}

TEST_F(ListaInvioTest, StoricizzaDiceSeIlFileEUscito)
{
    ScriviFile("Firmati/ABCD1207.T01", "nuovo");
    ScriviFile("Inviati/ABCD1207.T01", "vecchio");
    ListaInvio lista;
    using S = ListaInvio::Storico;

    RisponditoreTest().Rispondi(Risposta::No, "CONFERMI LA STORICIZZAZIONE DI  'ABCD1207.T01'");
    EXPECT_EQ(lista.Storicizza("ABCD1207.T01"), S::NonConfermato);
    EXPECT_EQ(LeggiFile("Inviati/ABCD1207.T01"), "vecchio");
    EXPECT_EQ(lista.Storicizza("  "), S::NonConfermato) << "no name, no question";

    RisponditoreTest().Rispondi(Risposta::Si);
    EXPECT_EQ(lista.Storicizza("ABCD1207.T01"), S::Uscito);
    EXPECT_EQ(LeggiFile("Inviati/ABCD1207.T01"), "nuovo");
    EXPECT_FALSE(QFile::exists(Percorso("Firmati/ABCD1207.T01")));

    // A move that fails leaves the file, and says so.
    ScriviFile("Firmati/ABCD1207.T02", "x");
    QDir(Percorso("Inviati")).removeRecursively();
    ScriviFile("Inviati", "not a folder");
    RisponditoreTest().Rispondi(Risposta::Si);
    RisponditoreTest().Rispondi(Risposta::Ok, "ERRORE IN FASE DI STORICIZZAZIONE!");
    EXPECT_EQ(lista.Storicizza("ABCD1207.T02"), S::Rimasto);
    EXPECT_TRUE(QFile::exists(Percorso("Firmati/ABCD1207.T02")));
}

TEST_F(ListaInvioTest, DallaStoriaNonEsceNulla)
{
    ScriviFile("Inviati/ABCD1207.T01", "x");
    ListaInvio lista;
    lista.ScegliQuali(false);
    RisponditoreTest().Rispondi(Risposta::Si);
    EXPECT_EQ(lista.Storicizza("ABCD1207.T01"), ListaInvio::Storico::Rimasto);
    EXPECT_TRUE(QFile::exists(Percorso("Inviati/ABCD1207.T01")));
}

// Every name refused before the client starts: the window stays open on them.
TEST_F(ListaInvioTest, InvioDiNomiTuttiRifiutatiNonChiude)
{
    ScriviFile("Firmati/ABCD1207.T01 bis", "x");
    ListaInvio lista;
    lista.Carica(Oggi);
    ASSERT_EQ(lista.Elenco().Conta(), 1);
    EXPECT_FALSE(lista.Invia(nullptr, {})) << "nothing marked, nothing sent";
    lista.Elenco().Tutti();
    RisponditoreTest().Rispondi(Risposta::Ok, "NOME NON TRASFERIBILE");
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
        {{"ABCD1207.T01", 2, 3, 1500, 768000, 0},
         "FILE IN TRASFERIMENTO: ABCD1207.T01  (2 DI 3)\nINVIATI 1.500 DI 768.000 BYTE"},
        {{"ABCD1207.T01", 1, 1, 0, -1, 0}, "FILE IN TRASFERIMENTO: ABCD1207.T01  (1 DI 1)"},
    };
    for (const Caso& c : casi)
        EXPECT_EQ(TestoAvanzamento(c.a), QString::fromUtf8(c.atteso));
}
