#include "support/CartellaProgrammaTest.h"

#include "piattaforma/Orologio.h"
#include "shell/Avvio.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/RegistroTrasferimenti.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>

using namespace Qt::StringLiterals;

namespace {

using RegistroTest = CartellaProgrammaTest;

const QDate Giorno(2024, 12, 7);

CampiRegistro Record(const QString& tipo, const QString& corsa, const QString& file = {})
{
    CampiRegistro c = {{u"tipo"_s, tipo}};
    if (!file.isEmpty())
        c.append({u"file"_s, file});
    c.append({u"corsa"_s, corsa});
    return c;
}

QStringList Descrivi(const QList<QJsonObject>& record)
{
    QStringList d;
    for (const QJsonObject& r : record)
        d << r.value(u"corsa"_s).toString() + u':' + r.value(u"tipo"_s).toString() +
                 (r.contains(u"file"_s) ? u':' + r.value(u"file"_s).toString() : QString());
    return d;
}

} // namespace

TEST_F(RegistroTest, UnaRigaPerRecordConICampiNellOrdineDato)
{
    const CampiRegistro campi = {{u"tipo"_s, u"file"_s},
                                 {u"file"_s, u"A\"B\\C\n\u0001è€"_s},
                                 {u"byte"_s, QJsonValue(qint64(5000000000))},
                                 {u"risposta"_s, QJsonValue(QJsonValue::Null)},
                                 {u"durata_s"_s, 1.25}};
    const QByteArray riga = RigaRegistro(campi);
    EXPECT_TRUE(riga.startsWith(R"({"tipo":"file","file":"A\"B\\C\n\u0001)")) << riga.data();
    EXPECT_TRUE(riga.endsWith(R"(","byte":5000000000,"risposta":null,"durata_s":1.25})"
                              "\n"))
        << riga.data();
    EXPECT_EQ(riga.count('\n'), 1) << "a line feed in a value stays escaped";
    EXPECT_TRUE(riga.contains("è€")) << "UTF-8 as it is";

    ScritturaRegistro scrittura(Giorno);
    ASSERT_TRUE(scrittura.Scrivi(campi));
    ASSERT_TRUE(scrittura.Scrivi(Record(u"fine"_s, u"1"_s)));
    EXPECT_EQ(scrittura.Percorso(), Percorso(u"Registro/2024-12-07.jsonl"_s));
    const GiornoRegistro letto = LeggiRegistro(Giorno);
    ASSERT_EQ(letto.record.size(), 2);
    EXPECT_EQ(letto.illeggibili, 0);
    EXPECT_EQ(letto.record[0].value(u"file"_s).toString(), u"A\"B\\C\n\u0001è€"_s);
    EXPECT_EQ(letto.record[0].value(u"byte"_s).toInteger(), 5000000000);
    EXPECT_TRUE(letto.record[0].value(u"risposta"_s).isNull());
}

// A crash in the middle of a record leaves a line without its end: the reader
// skips and counts it, and the next run's records start on a line of their own.
TEST_F(RegistroTest, UnaRigaTroncataNonRovinaLeSuccessive)
{
    const QByteArray intera = RigaRegistro(Record(u"inizio"_s, u"1"_s));
    ScriviFile(u"Registro/2024-12-07.jsonl"_s, intera + R"({"tipo":"file","file":"ACME12)");
    {
        ScritturaRegistro scrittura(Giorno);
        ASSERT_TRUE(scrittura.Scrivi(Record(u"inizio"_s, u"2"_s)));
        ASSERT_TRUE(scrittura.Scrivi(Record(u"fine"_s, u"2"_s)));
    }
    const GiornoRegistro letto = LeggiRegistro(Giorno);
    EXPECT_EQ(letto.illeggibili, 1);
    EXPECT_EQ(Descrivi(letto.record), QStringList({u"1:inizio"_s, u"2:inizio"_s, u"2:fine"_s}));

    // Cut at the very end, with lines that are no record in between.
    ScriviFile(u"Registro/2024-12-06.jsonl"_s,
               intera + "\r\n\n[1,2]\n{\"senza\":\"tipo\"}\n" + intera.left(intera.size() - 3));
    const GiornoRegistro tagliato = LeggiRegistro(Giorno.addDays(-1));
    EXPECT_EQ(tagliato.record.size(), 1);
    EXPECT_EQ(tagliato.illeggibili, 3);
    EXPECT_TRUE(tagliato.errore.isEmpty());
    EXPECT_FALSE(LeggiRegistro(Giorno.addDays(-2)).errore.isEmpty());
}

// A folder where the log should be, or a full disk: the write says so and
// nothing more is written afterwards.
TEST_F(RegistroTest, UnaScritturaCheFallisceLoDice)
{
    struct Caso
    {
        const char* nome;
        std::function<void()> prepara;
    };
    const Caso casi[] = {
        {"Registro is a file", [&] { ScriviFile(u"Registro"_s, "x"); }},
        {"disk full",
         [&] {
             QDir().mkpath(Percorso(u"Registro"_s));
             ASSERT_TRUE(QFile::link(u"/dev/full"_s, Percorso(u"Registro/2024-12-07.jsonl"_s)));
         }},
        {"day file is a folder", [&] { QDir().mkpath(Percorso(u"Registro/2024-12-07.jsonl"_s)); }},
        // Written, but never on a disk: the sync says so.
        {"device that keeps nothing",
         [&] {
             QDir().mkpath(Percorso(u"Registro"_s));
             ASSERT_TRUE(QFile::link(u"/dev/null"_s, Percorso(u"Registro/2024-12-07.jsonl"_s)));
         }},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.nome);
        QFile::remove(Percorso(u"Registro"_s));
        QDir(Percorso(u"Registro"_s)).removeRecursively();
        caso.prepara();
        ScritturaRegistro scrittura(Giorno);
        EXPECT_FALSE(scrittura.Scrivi(Record(u"inizio"_s, u"1"_s)) && scrittura.Sincronizza());
        EXPECT_TRUE(scrittura.Fallita());
        EXPECT_TRUE(scrittura.Errore().contains(u"Registro"_s)) << scrittura.Errore().toStdString();
        EXPECT_FALSE(scrittura.Scrivi(Record(u"fine"_s, u"1"_s)));
    }
}

TEST_F(RegistroTest, GiorniDalPiuRecenteEOrdineDelleCorse)
{
    EXPECT_TRUE(GiorniRegistro().isEmpty());
    for (const QString& nome :
         {u"2024-12-06.jsonl"_s, u"2024-12-07.jsonl"_s, u"2023-01-31.jsonl"_s,
          u"2024-13-01.jsonl"_s, u"2024-1-01.jsonl"_s, u"note.txt"_s, u"2024-12-05.jsonl.bak"_s})
        ScriviFile(u"Registro/"_s + nome, "");
    EXPECT_EQ(GiorniRegistro(), QList<QDate>({Giorno, Giorno.addDays(-1), QDate(2023, 1, 31)}));

    // Two copies of the program wrote at once; one record lost its run's key.
    QList<QJsonObject> record;
    const std::pair<QString, QString> righe[] = {
        {u"a"_s, u"inizio"_s}, {u"b"_s, u"inizio"_s}, {u"a"_s, u"file"_s},  {u"b"_s, u"file"_s},
        {u"a"_s, u"fine"_s},   {u"b"_s, u"fine"_s},   {u""_s, u"inizio"_s}, {u""_s, u"fine"_s}};
    for (const auto& [corsa, tipo] : righe) {
        QJsonObject r{{u"tipo"_s, tipo}};
        if (!corsa.isEmpty())
            r.insert(u"corsa"_s, corsa);
        record << r;
    }
    EXPECT_EQ(Descrivi(RecordPerCorsa(record)),
              QStringList({u":inizio"_s, u":fine"_s, u"b:inizio"_s, u"b:file"_s, u"b:fine"_s,
                           u"a:inizio"_s, u"a:file"_s, u"a:fine"_s}));
}

// GIORNIREGISTRO of section EDI at start-up: a log is deleted once it is more
// than that many days old; only the log files themselves.
TEST_F(RegistroTest, LaPuliziaAllAvvioTieneIGiorniImpostati)
{
    ImpostaOrologio([] { return QDateTime(QDate(2025, 12, 7), QTime(9, 0)); });
    const QStringList registri = {u"2025-12-07.jsonl"_s, u"2025-11-07.jsonl"_s,
                                  u"2024-12-07.jsonl"_s, u"2024-12-06.jsonl"_s,
                                  u"2020-01-01.jsonl"_s};
    const QStringList altri = {u"2020-01-01.txt"_s, u"vecchio.jsonl"_s};
    struct Caso
    {
        const char* valore; // nullptr: key missing
        QStringList restano;
    };
    const Caso casi[] = {
        {nullptr, registri.mid(0, 3)},
        {"", registri.mid(0, 3)},
        {"30", registri.mid(0, 2)},
        {"29", registri.mid(0, 1)},
        {"0", registri},
        {"-5", registri},
        {"tanti", registri},
        {"100000000000", registri},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.valore ? caso.valore : "(missing)");
        QDir(Percorso(u"Registro"_s)).removeRecursively();
        for (const QString& n : registri + altri)
            ScriviFile(u"Registro/"_s + n, "{}\n");
        QFile::remove(FileIni);
        if (caso.valore)
            ScriviIni(FileIni, Ini::SezEdi, Ini::GiorniRegistro, QLatin1String(caso.valore));
        EXPECT_EQ(PulisciRegistroScaduto(), registri.size() - caso.restano.size());
        QStringList attesi = caso.restano + altri;
        attesi.sort();
        EXPECT_EQ(QDir(Percorso(u"Registro"_s)).entryList(QDir::Files, QDir::Name), attesi);
    }
    QDir(Percorso(u"Registro"_s)).removeRecursively();
    EXPECT_EQ(PulisciRegistroScaduto(), 0);
    EXPECT_FALSE(QDir(Cartella()).exists(u"Registro"_s)) << "clean-up creates nothing";
}

// A clock set ahead deletes no more than the days before the newest one
// present, counted back by the keep period; the newest day always stays.
TEST_F(RegistroTest, LaPuliziaNonSegueUnOrologioAvanti)
{
    const QStringList registri = {u"2025-12-07.jsonl"_s, u"2025-11-30.jsonl"_s,
                                  u"2025-11-01.jsonl"_s};
    const struct
    {
        QDate oggi;
        int giorni, restano; // the newest this many stay
    } casi[] = {{QDate(2025, 12, 8), 30, 2}, {QDate(2031, 1, 1), 30, 2}, {QDate(2031, 1, 1), 7, 2},
                {QDate(2031, 1, 1), 6, 1},   {QDate(2025, 12, 1), 1, 2}, {QDate(2020, 1, 1), 1, 3}};
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.oggi.toString(Qt::ISODate).toStdString() + " " +
                     std::to_string(caso.giorni));
        QDir(Percorso(u"Registro"_s)).removeRecursively();
        for (const QString& n : registri)
            ScriviFile(u"Registro/"_s + n, "{}\n");
        EXPECT_EQ(PulisciRegistro(caso.giorni, caso.oggi), registri.size() - caso.restano);
        EXPECT_EQ(GiorniRegistro().size(), caso.restano);
        EXPECT_TRUE(QFile::exists(Percorso(u"Registro/"_s + registri[0])));
    }
}

// The log is its owner's only: a new folder and a new day file, and a folder
// left open by an older version.
TEST_F(RegistroTest, CartellaEFileSoloDelProprietario)
{
    const auto altri = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                       QFile::WriteOther | QFile::ExeOther;
    for (const bool vecchia : {false, true}) {
        QDir(Percorso(u"Registro"_s)).removeRecursively();
        if (vecchia) { // 0755
            ScriviFile(u"Registro/appunti.txt"_s, "");
            QFile::setPermissions(Percorso(u"Registro"_s), QFile::Permissions(0x7755));
        }
        ScritturaRegistro scrittura(Giorno);
        ASSERT_TRUE(scrittura.Scrivi(Record(u"inizio"_s, u"1"_s)) && scrittura.Sincronizza());
        EXPECT_EQ(QFile::permissions(Percorso(u"Registro"_s)) & altri, QFile::Permissions())
            << vecchia;
        EXPECT_EQ(QFile::permissions(FileRegistro(Giorno)) & altri, QFile::Permissions())
            << vecchia;
    }
}
