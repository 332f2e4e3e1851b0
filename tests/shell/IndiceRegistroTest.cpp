#include "support/CartellaProgrammaTest.h"

#include "shell/IndiceRegistro.h"

using namespace Qt::StringLiterals;

namespace {

using IndiceRegistroTest = CartellaProgrammaTest;

const QByteArray Inizio = R"({"tipo":"inizio","operazione":"invio","corsa":"a"})";
const QByteArray File =
    R"({"tipo":"file","file":"ACME1207.T01","extra":{"a":[1,"}"]},"corsa":"a"})";

} // namespace

// Every line that is not one whole record is counted, wherever the crash cut
// it; blank lines are not lines.
TEST_F(IndiceRegistroTest, OgniRigaTroncataVieneContata)
{
    struct Caso
    {
        const char* nome;
        QByteArray testo;
        int record;
        int illeggibili;
    };
    const QList<Caso> casi = {
        {"whole", Inizio + "\n" + File + "\r\n\n  \n", 2, 0},
        {"cut last, no line end", Inizio + "\n" + File.left(30), 1, 1},
        {"cut in the middle", Inizio.left(20) + "\n" + File + "\n", 1, 1},
        {"cut after an inner brace", Inizio + "\n" + File.left(File.indexOf("]}") + 2) + "\n", 1,
         1},
        {"cut inside a string with a brace",
         R"({"tipo":"file","file":"a}")"
         "\n" +
             Inizio,
         1, 1},
        {"no tipo, or not a string",
         R"({"file":"x"})"
         "\n"
         R"({"tipo":3})"
         "\n" +
             Inizio,
         1, 2},
        {"not an object", "[1]\n\"x\"\n{}\n" + Inizio, 1, 3},
        {"something after the object", Inizio + " x\n" + Inizio + "}\n" + Inizio, 1, 2},
        {"brackets that do not match",
         R"({"tipo":"x","a":[}])"
         "\n" +
             Inizio,
         1, 1},
    };
    for (const Caso& c : casi) {
        const QString percorso = ScriviFile(u"giorno.jsonl"_s, c.testo);
        const IndiceRegistro indice = IndicizzaRegistro(percorso);
        EXPECT_EQ(indice.righe.size(), c.record) << c.nome;
        EXPECT_EQ(indice.illeggibili, c.illeggibili) << c.nome;
        EXPECT_TRUE(indice.errore.isEmpty()) << c.nome;
    }
    EXPECT_FALSE(IndicizzaRegistro(Percorso(u"manca.jsonl"_s)).errore.isEmpty());
}

// Rows point at their lines, newest run first; lines longer than a read; the
// start of a run without an end record is marked.
TEST_F(IndiceRegistroTest, RighePerCorsaConLaLoroOperazione)
{
    const QByteArray lunga(3 << 20, 'x');
    const QByteArray testo = Inizio + "\n" +
                             R"({"tipo":"inizio","operazione":"ricezione","corsa":"b"})"
                             "\n" +
                             R"({"tipo":"file","file":")" + lunga +
                             R"(","corsa":"b"})"
                             "\n" +
                             File + "\n" +
                             R"({"tipo":"fine","esito":"completato","corsa":"b"})"
                             "\n" +
                             R"({"tipo":"file","operazione":"verifica\u0021","corsa":"c"})"
                             "\n";
    const QString percorso = ScriviFile(u"giorno.jsonl"_s, testo);
    const IndiceRegistro indice = IndicizzaRegistro(percorso);
    ASSERT_EQ(indice.righe.size(), 6);
    QStringList visti;
    for (const RigaIndice& r : indice.righe) {
        const QByteArrayView riga = QByteArrayView(testo).sliced(r.inizio, r.lunghezza);
        visti << CampoRiga(riga, QLatin1StringView("tipo")) + u' ' +
                     (r.operazione >= 0 ? indice.operazioni[r.operazione] : u"-"_s) + u' ' +
                     CampoRiga(riga, QLatin1StringView("file")).left(3) +
                     (r.senzaFine ? u" senza fine"_s : QString());
    }
    EXPECT_EQ(visti, QStringList({u"file verifica! "_s, u"inizio ricezione "_s,
                                  u"file ricezione xxx"_s, u"fine ricezione "_s,
                                  u"inizio invio  senza fine"_s, u"file invio ACM"_s}));
    std::atomic<bool> annulla{true};
    EXPECT_TRUE(IndicizzaRegistro(percorso, &annulla).annullato);
    EXPECT_TRUE(CampoRiga(File.left(30), QLatin1StringView("file")).isNull());
}
