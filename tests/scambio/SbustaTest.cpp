#include "support/BustaFirmata.h"
#include "support/CartellaProgrammaTest.h"
#include "support/StampaQt.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

using namespace Qt::StringLiterals;

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
        PREPARA_BUSTA_O_SALTA(busta_, Percorso(u"chiavi"_s));
        QDir().mkpath(Percorso(u"Verificati"_s));
    }

    Esecuzione Sbusta(const QString& origine, const QString& destino, const QString& ca = {})
    {
        QProcess p;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.remove(u"SBUSTA_CA"_s);
        if (!ca.isEmpty())
            ambiente.insert(u"SBUSTA_CA"_s, ca);
        p.setProcessEnvironment(ambiente);
        p.setWorkingDirectory(Cartella());
        p.start(u"/bin/sh"_s, {SbustaRiferimento(), origine, destino});
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromLocal8Bit(p.readAllStandardError())};
    }

    // Nothing but the destination may appear in the destination's folder.
    QStringList InVerificati() const
    {
        return QDir(Percorso(u"Verificati"_s))
            .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    BustaFirmata busta_;
};

} // namespace

TEST_F(SbustaTest, OgniFormaDiBustaDaIlContenutoIdentico)
{
    const QByteArray der = busta_.Firma(RispostaFirmata);
    ASSERT_FALSE(der.isEmpty());
    const QByteArray pem = busta_.Firma(RispostaFirmata, u"PEM"_s);
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
        const QString origine = ScriviFile(u"Ricevuti/ACME1207.N01.P7M"_s, c.busta);
        const QString destino = Percorso(u"Verificati/ACME1207.N01.pdf"_s);
        QFile::remove(destino);
        const Esecuzione e = Sbusta(origine, destino);
        EXPECT_EQ(e.codice, 0) << e.errori.toStdString();
        EXPECT_EQ(LeggiFile(destino), RispostaFirmata);
        EXPECT_TRUE(e.errori.contains(u"SENZA verifica del firmatario"_s))
            << e.errori.toStdString();
        EXPECT_EQ(InVerificati(), QStringList({u"ACME1207.N01.pdf"_s}));
        EXPECT_EQ(LeggiFile(origine), c.busta) << "the envelope stays as it was";
    }
}

TEST_F(SbustaTest, ConLeCaConfigurateVerificaIlFirmatario)
{
    const QString origine =
        ScriviFile(u"Ricevuti/ACME1207.X01.P7M"_s, busta_.Firma(RispostaFirmata));
    const QString destino = Percorso(u"Verificati/ACME1207.X01"_s);

    Esecuzione e = Sbusta(origine, destino, busta_.Certificato());
    EXPECT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_EQ(LeggiFile(destino), RispostaFirmata);
    EXPECT_TRUE(e.errori.contains(u"firma verificata"_s)) << e.errori.toStdString();

    // The bundle in the folder the program runs it from (the base folder).
    QFile::remove(destino);
    QFile::copy(busta_.Certificato(), Percorso(u"CertificatiCA.pem"_s));
    e = Sbusta(origine, destino);
    EXPECT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_TRUE(e.errori.contains(u"firma verificata"_s)) << e.errori.toStdString();
    QFile::remove(Percorso(u"CertificatiCA.pem"_s));

    // A signer that the bundle does not know: nothing passes for the content.
    BustaFirmata altro;
    ASSERT_TRUE(altro.Prepara(Percorso(u"altro"_s)));
    QFile::remove(destino);
    e = Sbusta(origine, destino, altro.Certificato());
    EXPECT_NE(e.codice, 0);
    EXPECT_TRUE(e.errori.contains(u"NON valida"_s)) << e.errori.toStdString();
    EXPECT_TRUE(InVerificati().isEmpty());

    // A bundle named but missing is an error, not a silent unwrap.
    e = Sbusta(origine, destino, Percorso(u"manca.pem"_s));
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
        const QString origine = ScriviFile(u"Ricevuti/ACME1207.L01.P7M"_s, c.busta);
        const Esecuzione e = Sbusta(origine, Percorso(u"Verificati/ACME1207.L01"_s));
        EXPECT_NE(e.codice, 0);
        EXPECT_FALSE(e.errori.isEmpty());
        EXPECT_TRUE(InVerificati().isEmpty()) << InVerificati().join(u' ').toStdString();
    }
}

TEST_F(SbustaTest, ArgomentiSbagliati)
{
    const QString origine =
        ScriviFile(u"Ricevuti/ACME1207.L01.P7M"_s, busta_.Firma(RispostaFirmata));
    EXPECT_NE(Sbusta(origine, u""_s).codice, 0);
    EXPECT_NE(Sbusta(Percorso(u"Ricevuti/manca.P7M"_s), Percorso(u"Verificati/x"_s)).codice, 0);
    EXPECT_NE(Sbusta(origine, Percorso(u"manca/x"_s)).codice, 0);
    // A folder is no destination, with or without its closing slash.
    for (const QString& cartella : {Percorso(u"Verificati"_s), Percorso(u"Verificati/"_s)}) {
        const Esecuzione e = Sbusta(origine, cartella);
        EXPECT_EQ(e.codice, 2);
        EXPECT_TRUE(e.errori.contains(u"cartella"_s)) << e.errori.toStdString();
    }
    EXPECT_TRUE(InVerificati().isEmpty());
}
