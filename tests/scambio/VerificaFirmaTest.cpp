#include "support/BustaFirmata.h"
#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"
#include "support/StampaQt.h"

#include "scambio/VerificaFirma.h"
#include "shell/CartelleLavoro.h"
#include "shell/Global.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <chrono>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

const QByteArray RispostaFirmata =
    QByteArray("ACME1207.X01 ESITO\r\n") + QByteArray(1, '\0') + "\xff\x1a";

class VerificaFirmaTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        ParametriEdi.CartellaBase = Percorso(u"base"_s);
        ASSERT_TRUE(CreaCartelle());
        // The reference command, installed beside the program.
        ASSERT_TRUE(QFile::copy(SbustaRiferimento(), Percorso(u"Sbusta.sh"_s)));
        PREPARA_BUSTA_O_SALTA(busta_, Percorso(u"chiavi"_s));
    }
    void TearDown() override
    {
        ImpostaLimiteSbusta(0);
        CartellaProgrammaTest::TearDown();
    }

    QString Ricevuto(const QString& nome, const QByteArray& contenuto)
    {
        return ScriviFile(ParametriEdi.CartellaRicevuti + u"/"_s + nome, contenuto);
    }
    QString Verificato(const QString& nome) const
    {
        return ParametriEdi.CartellaVerificati + u"/"_s + nome;
    }
    // A command of the base folder's own, in place of the reference.
    void SbustaProprio(const QByteArray& corpo)
    {
        ScriviFile(ParametriEdi.CartellaBase + u"/Sbusta.sh"_s, "#!/bin/sh\n" + corpo + "\n");
    }

    BustaFirmata busta_;
};

} // namespace

TEST_F(VerificaFirmaTest, RispostaFirmataEstrattaIdentica)
{
    const struct
    {
        const char* nome;
        const char* file;
        QByteArray busta;
    } casi[] = {
        {"DER", "ACME1207.X01.P7M", busta_.Firma(RispostaFirmata)},
        {"base64", "ACME1207.X02.P7M", busta_.Firma(RispostaFirmata).toBase64()},
        {"p7m minuscolo", "ACME1207.X03.p7m", busta_.Firma(RispostaFirmata)},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        const QString origine = Ricevuto(QString::fromUtf8(c.file), c.busta);
        const QString destino = Verificato(QString::fromUtf8(c.file).chopped(4));
        EXPECT_EQ(SbustaFile(origine, destino), SbustaRiuscito);
        EXPECT_EQ(LeggiFile(destino), RispostaFirmata);
        EXPECT_EQ(LeggiFile(origine), c.busta) << "the signed file stays where it was";
    }
}

TEST_F(VerificaFirmaTest, BustaGuastaEsito2EntroIlLimiteSenzaDestino)
{
    QByteArray guasta = busta_.Firma(RispostaFirmata);
    guasta[guasta.indexOf("ESITO")] = 'X';
    const QString origine = Ricevuto(u"ACME1207.X01.P7M"_s, guasta);
    const QString destino = Verificato(u"ACME1207.X01"_s);
    ScriviFile(destino, "copia vecchia");
    ImpostaLimiteSbusta(30000);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(SbustaFile(origine, destino), SbustaVerificaFallita);
    EXPECT_LT(t.elapsed(), 15000) << "the end of the command ends the wait";
    EXPECT_FALSE(QFile::exists(destino)) << "the old copy went before the work started";
    EXPECT_TRUE(QFile::exists(origine));
}

TEST_F(VerificaFirmaTest, FileNonFirmatoSpostatoNonCopiato)
{
    const QString origine = Ricevuto(u"ACME1207.W01"_s, "contenuto");
    const QString destino = Verificato(u"ACME1207.W01"_s);
    ScriviFile(destino, "vecchio");
    EXPECT_EQ(SbustaFile(origine, destino), SbustaRiuscito);
    EXPECT_FALSE(QFile::exists(origine));
    EXPECT_EQ(LeggiFile(destino), "contenuto");

    // Nothing to move: result 1.
    EXPECT_EQ(SbustaFile(origine, destino), SbustaCopiaFallita);
    EXPECT_FALSE(QFile::exists(destino));

    // An empty file is no copy, and it is not lost either.
    const QString vuoto = Ricevuto(u"ACME1207.W02"_s, "");
    EXPECT_EQ(SbustaFile(vuoto, Verificato(u"ACME1207.W02"_s)), SbustaCopiaFallita);
    EXPECT_TRUE(QFile::exists(vuoto));
    EXPECT_FALSE(QFile::exists(Verificato(u"ACME1207.W02"_s)));
}

TEST_F(VerificaFirmaTest, PercorsiRelativiAllaCartellaBase)
{
    Ricevuto(u"ACME1207.X01.P7M"_s, busta_.Firma(RispostaFirmata));
    EXPECT_EQ(SbustaFile(u"Ricevuti\\ACME1207.X01.P7M"_s, u"Verificati\\ACME1207.X01"_s),
              SbustaRiuscito);
    EXPECT_EQ(LeggiFile(Verificato(u"ACME1207.X01"_s)), RispostaFirmata);
}

TEST_F(VerificaFirmaTest, ComandoDellaCartellaBaseEAttesaLimitata)
{
    const QString origine = Ricevuto(u"ACME1207.X01.P7M"_s, "busta");
    const QString destino = Verificato(u"ACME1207.X01"_s);

    // The office's own command wins over the reference.
    SbustaProprio("cp \"$1\" \"$2\"");
    EXPECT_EQ(SbustaFile(origine, destino), SbustaRiuscito);
    EXPECT_EQ(LeggiFile(destino), "busta");

    // A command that never ends: the bound ends the wait, the command is stopped.
    SbustaProprio("exec sleep 60");
    ImpostaLimiteSbusta(700);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(SbustaFile(origine, destino), SbustaVerificaFallita);
    EXPECT_LT(t.elapsed(), 10000);

    // What the command started goes down with it: a child left running would
    // write the destination after the failure removed it.
    SbustaProprio("sh -c 'sleep 1.5; cp \"$1\" \"$2\"' figlio \"$1\" \"$2\"");
    EXPECT_EQ(SbustaFile(origine, destino), SbustaVerificaFallita);
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    EXPECT_FALSE(QFile::exists(destino));

    // A command that stays open once the content is written: the content is
    // whole once it stops growing.
    ImpostaLimiteSbusta(30000);
    SbustaProprio("cp \"$1\" \"$2\"; exec sleep 60");
    t.restart();
    EXPECT_EQ(SbustaFile(origine, destino), SbustaRiuscito);
    EXPECT_LT(t.elapsed(), 10000);

    // An empty destination counts as a failure and does not stay behind.
    SbustaProprio(": > \"$2\"");
    EXPECT_EQ(SbustaFile(origine, destino), SbustaVerificaFallita);
    EXPECT_FALSE(QFile::exists(destino));

    // No command anywhere.
    QFile::remove(ParametriEdi.CartellaBase + u"/Sbusta.sh"_s);
    QFile::remove(Percorso(u"Sbusta.sh"_s));
    if (ComandoSbusta().isEmpty()) {
        EXPECT_EQ(SbustaFile(origine, destino), SbustaVerificaFallita);
    }
}
