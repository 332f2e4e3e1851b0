#include "support/BustaFirmata.h"
#include "support/CartellaProgrammaTest.h"
#include "support/StampaQt.h"
#include "support/ui/AmbienteFinestre.h"

#include "invio/ui/GesVerif.h"
#include "shell/CartelleLavoro.h"
#include "shell/Global.h"

#include <QFile>
#include <QLabel>
#include <QWidget>

namespace {

const QByteArray RispostaFirmata =
    QByteArray("ACME1207.X01 ESITO\r\n") + QByteArray(1, '\0') + "\xff\x1a";

class GesVerifTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        ParametriEdi.CartellaBase = Percorso("base");
        ASSERT_TRUE(CreaCartelle());
        ASSERT_TRUE(QFile::copy(SbustaRiferimento(), Percorso("Sbusta.sh")));
        PREPARA_BUSTA_O_SALTA(busta_, Percorso("chiavi"));
    }
    QString Ricevuto(const QString& nome, const QByteArray& contenuto)
    {
        return ScriviFile(ParametriEdi.CartellaRicevuti + "/" + nome, contenuto);
    }
    QString Verificato(const QString& nome) const
    {
        return ParametriEdi.CartellaVerificati + "/" + nome;
    }

    BustaFirmata busta_;
};

} // namespace

TEST_F(GesVerifTest, FinestraMostraIPercorsiESiChiudeDaSola)
{
    const QString origine = Ricevuto("ACME1207.X01.P7M", busta_.Firma(RispostaFirmata));
    const QString destino = Verificato("ACME1207.X01");
    QString titolo;
    QString mostrate;
    QuandoModale([&](QWidget* w) {
        titolo = w->windowTitle();
        mostrate = w->findChild<QLabel*>("lbOrigine")->text() + "|" +
                   w->findChild<QLabel*>("lbDestino")->text();
    });
    EsitoOperazione = 7;
    QString errore = "x";
    EXPECT_EQ(VerificaFile(nullptr, origine, destino, &errore), 0);
    EXPECT_EQ(EsitoOperazione, 0);
    EXPECT_TRUE(errore.isEmpty());
    EXPECT_EQ(titolo, "VERIFICA DELLA FIRMA ELETTRONICA IN CORSO...");
    EXPECT_EQ(mostrate, origine + "|" + destino);
    EXPECT_EQ(LeggiFile(destino), RispostaFirmata);

    // A failure comes back with the command's own words.
    const QString guasta = Ricevuto("ACME1207.X02.P7M", "non firmato");
    EXPECT_EQ(VerificaFile(nullptr, guasta, Verificato("ACME1207.X02"), &errore), 2);
    EXPECT_EQ(EsitoOperazione, 2);
    EXPECT_TRUE(errore.startsWith("Sbusta:")) << errore.toStdString();
}
