#include "support/ProcessiRimasti.h"
#include "support/ProvaFirma.h"
#include "support/Risponditore.h"
#include "support/StampaQt.h"

#include "piattaforma/Orologio.h"
#include "scambio/VerificaFirma.h"
#include "shell/CartelleLavoro.h"
#include "shell/Global.h"
#include "shell/RegistroTrasferimenti.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

class VerificaFirmaTest : public ProvaFirma
{
protected:
    // A command of the base folder's own, in place of the reference.
    void SbustaProprio(const QByteArray& corpo)
    {
        ScriviFile(ParametriEdi.CartellaBase + u"/Sbusta.sh"_s, "#!/bin/sh\n" + corpo + "\n");
    }
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

TEST_F(VerificaFirmaTest, ValeSoloUnComandoFinitoConUscita0EDestinoPieno)
{
    const QString origine = Ricevuto(u"ACME1207.X01.P7M"_s, "busta");
    const QString destino = Verificato(u"ACME1207.X01"_s);
    const QString pid = Percorso(u"pid"_s);
    // Stays, deaf to a polite stop, with a child of its own.
    const QByteArray appeso =
        "trap '' TERM; cp \"$1\" \"$2\"; sleep 300 & printf '%s %s' $$ $! > '" + pid.toUtf8() +
        "'; wait";
    const struct
    {
        const char* nome;
        QByteArray corpo;
        int limiteMs;
        int esito;
        QByteArray resta; // the destination afterwards, "" for none
        const char* detto;
    } casi[] = {
        {"copia", "cp \"$1\" \"$2\"", 30000, SbustaRiuscito, "busta", ""},
        {"scrive, si ferma 2 s, scrive ancora",
         "printf uno > \"$2\"; sleep 2; printf due >> \"$2\"", 30000, SbustaRiuscito, "unodue", ""},
        {"scrive poi fallisce", "cp \"$1\" \"$2\"; echo 'Sbusta: guasto' >&2; exit 1", 30000,
         SbustaVerificaFallita, "", "Sbusta: guasto"},
        {"destinazione vuota", ": > \"$2\"", 30000, SbustaVerificaFallita, "", "non ha scritto"},
        {"uscita 0 senza destinazione", "exit 0", 30000, SbustaVerificaFallita, "",
         "non ha scritto"},
        {"aperto dopo la copia", "cp \"$1\" \"$2\"; exec sleep 60", 700, SbustaVerificaFallita, "",
         "tempo scaduto"},
        {"appeso con un figlio", appeso, 700, SbustaVerificaFallita, "", "tempo scaduto"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        QFile::remove(pid);
        SbustaProprio(c.corpo);
        ImpostaLimiteSbusta(c.limiteMs);
        QString detto;
        EXPECT_EQ(SbustaFile(origine, destino, &detto), c.esito);
        EXPECT_EQ(LeggiFile(destino), c.resta);
        EXPECT_TRUE(detto.contains(QLatin1String(c.detto))) << detto.toStdString();
        EXPECT_EQ(QDir(ParametriEdi.CartellaVerificati)
                      .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                      .size(),
                  c.resta.isEmpty() ? 0 : 1);
        EXPECT_EQ(ProcessiRimasti(pid), QStringList()) << "the whole group is stopped";
        const QList<QJsonObject> registro = LeggiRegistro(Adesso().date()).record;
        ASSERT_FALSE(registro.isEmpty());
        const QJsonObject& r = registro.last();
        EXPECT_EQ(r.value(u"operazione"_s).toString(), u"verifica"_s);
        EXPECT_EQ(r.value(u"file"_s).toString(), u"ACME1207.X01.P7M"_s);
        EXPECT_EQ(r.value(u"esito"_s).toString(),
                  c.esito == SbustaRiuscito ? u"accettato"_s : u"rifiutato"_s);
        EXPECT_TRUE(r.value(u"risposta"_s).toString().contains(QLatin1String(c.detto)));
    }
}

TEST_F(VerificaFirmaTest, DestinoSenzaNomeRifiutatoPrimaDelComando)
{
    const QString origine = Ricevuto(u"ACME1207.N01.PDF.P7M"_s, "busta");
    const QString avviato = Percorso(u"avviato"_s);
    SbustaProprio("touch '" + avviato.toUtf8() + "'; cp \"$1\" \"$2\"");
    for (const QString& destino : {QString(), u"Verificati\\"_s, ParametriEdi.CartellaVerificati}) {
        SCOPED_TRACE(destino.toStdString());
        QString detto;
        EXPECT_EQ(SbustaFile(origine, destino, &detto), SbustaVerificaFallita);
        EXPECT_TRUE(detto.contains(u"destinazione"_s)) << detto.toStdString();
    }
    EXPECT_FALSE(QFile::exists(avviato));
    EXPECT_TRUE(QDir(ParametriEdi.CartellaVerificati)
                    .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));

    // No command anywhere.
    QFile::remove(ParametriEdi.CartellaBase + u"/Sbusta.sh"_s);
    QFile::remove(Percorso(u"Sbusta.sh"_s));
    if (ComandoSbusta().isEmpty()) {
        EXPECT_EQ(SbustaFile(origine, Verificato(u"ACME1207.N01"_s)), SbustaVerificaFallita);
    }
}

TEST_F(VerificaFirmaTest, DiscoPienoNominatoEPoiSbustato)
{
    const QString cartella = ParametriEdi.CartellaVerificati;
    if (::geteuid() != 0 ||
        QProcess::execute(u"mount"_s,
                          {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=64k"_s, u"tmpfs"_s, cartella}) != 0)
        GTEST_SKIP() << "a small tmpfs needs root";
    const auto smonta = qScopeGuard([&]() { QProcess::execute(u"umount"_s, {cartella}); });
    QFile pieno(cartella + u"/pieno"_s);
    ASSERT_TRUE(pieno.open(QIODevice::WriteOnly));
    pieno.write(QByteArray(128 * 1024, 'x'));
    pieno.close();

    const QString origine = Ricevuto(u"ACME1207.X01.P7M"_s, busta_.Firma(RispostaFirmata));
    QString detto;
    EXPECT_EQ(SbustaFile(origine, Verificato(u"ACME1207.X01"_s), &detto), SbustaVerificaFallita);
    EXPECT_TRUE(detto.contains(u"SPAZIO SU DISCO ESAURITO"_s)) << detto.toStdString();
    EXPECT_EQ(QDir(cartella).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({u"pieno"_s}));

    QFile::remove(pieno.fileName());
    EXPECT_EQ(SbustaFile(origine, Verificato(u"ACME1207.X01"_s)), SbustaRiuscito);
    EXPECT_EQ(LeggiFile(Verificato(u"ACME1207.X01"_s)), RispostaFirmata);
}
