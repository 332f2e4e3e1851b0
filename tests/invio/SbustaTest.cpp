#include "support/BustaFirmata.h"
#include "support/CartellaProgrammaTest.h"
#include "support/StampaQt.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

// A reply with the bytes that a text-mode copy would spoil.
const QByteArray RispostaFirmata = QByteArray("ACME1207.N01 ESITO OK\r\nRIGA 2\n") +
                                   QByteArray(1, '\0') + QByteArray("\x1a\xff\r\xfe fine", 9);

struct Esecuzione
{
    int codice = -1;
    QString errori;
};

class SbustaTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        PREPARA_BUSTA_O_SALTA(busta_, Percorso("chiavi"));
        QDir().mkpath(Percorso("Verificati"));
    }

    Esecuzione Sbusta(const QString& origine, const QString& destino, const QString& ca = {})
    {
        QProcess p;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.remove("SBUSTA_CA");
        if (!ca.isEmpty())
            ambiente.insert("SBUSTA_CA", ca);
        p.setProcessEnvironment(ambiente);
        p.setWorkingDirectory(Cartella());
        p.start("/bin/sh", {SbustaRiferimento(), origine, destino});
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromLocal8Bit(p.readAllStandardError())};
    }

    // Nothing but the destination may appear in the destination's folder.
    QStringList InVerificati() const
    {
        return QDir(Percorso("Verificati"))
            .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    BustaFirmata busta_;
};

} // namespace

TEST_F(SbustaTest, OgniFormaDiBustaDaIlContenutoIdentico)
{
    const QByteArray der = busta_.Firma(RispostaFirmata);
    ASSERT_FALSE(der.isEmpty());
    const QByteArray pem = busta_.Firma(RispostaFirmata, "PEM");
    ASSERT_TRUE(pem.startsWith("-----BEGIN"));
    QByteArray aCapo = der.toBase64();
    for (qsizetype i = 64; i < aCapo.size(); i += 66)
        aCapo.insert(i, "\r\n");
    const struct
    {
        const char* nome;
        QByteArray busta;
    } casi[] = {
        {"der", der},
        {"pem", pem},
        {"base64", der.toBase64()},
        {"base64 a righe CR LF", aCapo},
        {"base64 di un base64", der.toBase64().toBase64()},
        {"base64 di un PEM", pem.toBase64()},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        const QString origine = ScriviFile("Ricevuti/ACME1207.N01.P7M", c.busta);
        const QString destino = Percorso("Verificati/ACME1207.N01.pdf");
        QFile::remove(destino);
        const Esecuzione e = Sbusta(origine, destino);
        EXPECT_EQ(e.codice, 0) << e.errori.toStdString();
        EXPECT_EQ(LeggiFile(destino), RispostaFirmata);
        EXPECT_TRUE(e.errori.contains("SENZA verifica del firmatario")) << e.errori.toStdString();
        EXPECT_EQ(InVerificati(), QStringList({"ACME1207.N01.pdf"}));
        EXPECT_EQ(LeggiFile(origine), c.busta) << "the envelope stays as it was";
    }
}

TEST_F(SbustaTest, ConLeCaConfigurateVerificaIlFirmatario)
{
    const QString origine = ScriviFile("Ricevuti/ACME1207.X01.P7M", busta_.Firma(RispostaFirmata));
    const QString destino = Percorso("Verificati/ACME1207.X01");

    Esecuzione e = Sbusta(origine, destino, busta_.Certificato());
    EXPECT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_EQ(LeggiFile(destino), RispostaFirmata);
    EXPECT_TRUE(e.errori.contains("firma verificata")) << e.errori.toStdString();

    // The bundle in the folder the program runs it from (the base folder).
    QFile::remove(destino);
    QFile::copy(busta_.Certificato(), Percorso("CertificatiCA.pem"));
    e = Sbusta(origine, destino);
    EXPECT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_TRUE(e.errori.contains("firma verificata")) << e.errori.toStdString();
    QFile::remove(Percorso("CertificatiCA.pem"));

    // A signer that the bundle does not know: nothing passes for the content.
    BustaFirmata altro;
    ASSERT_TRUE(altro.Prepara(Percorso("altro")));
    QFile::remove(destino);
    e = Sbusta(origine, destino, altro.Certificato());
    EXPECT_NE(e.codice, 0);
    EXPECT_TRUE(e.errori.contains("NON valida")) << e.errori.toStdString();
    EXPECT_TRUE(InVerificati().isEmpty());

    // A bundle named but missing is an error, not a silent unwrap.
    e = Sbusta(origine, destino, Percorso("manca.pem"));
    EXPECT_NE(e.codice, 0);
    EXPECT_TRUE(InVerificati().isEmpty());
}

TEST_F(SbustaTest, BustaGuastaNessunDestino)
{
    const QByteArray der = busta_.Firma(RispostaFirmata);
    QByteArray contenutoAlterato = der;
    const qsizetype i = contenutoAlterato.indexOf("ESITO OK");
    ASSERT_GT(i, 0);
    contenutoAlterato[i] = 'X';
    QByteArray base64Troppo = der;
    for (int k = 0; k < 5; ++k)
        base64Troppo = base64Troppo.toBase64();
    const struct
    {
        const char* nome;
        QByteArray busta;
    } casi[] = {
        {"contenuto alterato", contenutoAlterato},
        {"troncata", der.left(der.size() - 200)},
        {"testo qualsiasi", "questa non e' una busta firmata\n"},
        {"vuota", ""},
        {"base64 rotto", "MIIG###!!!\n"},
        {"troppi strati di base64", base64Troppo},
        {"PEM senza corpo", "-----BEGIN PKCS7-----\n-----END PKCS7-----\n"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        const QString origine = ScriviFile("Ricevuti/ACME1207.L01.P7M", c.busta);
        const Esecuzione e = Sbusta(origine, Percorso("Verificati/ACME1207.L01"));
        EXPECT_NE(e.codice, 0);
        EXPECT_FALSE(e.errori.isEmpty());
        EXPECT_TRUE(InVerificati().isEmpty()) << InVerificati().join(' ').toStdString();
    }
}

TEST_F(SbustaTest, ArgomentiSbagliati)
{
    const QString origine = ScriviFile("Ricevuti/ACME1207.L01.P7M", busta_.Firma(RispostaFirmata));
    EXPECT_NE(Sbusta(origine, "").codice, 0);
    EXPECT_NE(Sbusta(Percorso("Ricevuti/manca.P7M"), Percorso("Verificati/x")).codice, 0);
    EXPECT_NE(Sbusta(origine, Percorso("manca/x")).codice, 0);
    EXPECT_TRUE(InVerificati().isEmpty());
}
