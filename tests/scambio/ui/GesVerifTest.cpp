#include "support/ProvaFirma.h"
#include "support/StampaQt.h"
#include "support/ui/AmbienteFinestre.h"

#include "scambio/VerificaFirma.h"
#include "scambio/ui/GesVerif.h"
#include "shell/CartelleLavoro.h"
#include "shell/Global.h"

#include <QFile>
#include <QLabel>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

class GesVerifTest : public ProvaFirma
{
};

} // namespace

TEST_F(GesVerifTest, FinestraMostraIPercorsiESiChiudeDaSola)
{
    const QString origine = Ricevuto(u"ACME1207.X01.P7M"_s, busta_.Firma(RispostaFirmata));
    const QString destino = Verificato(u"ACME1207.X01"_s);
    QString titolo;
    QString mostrate;
    QuandoModale([&](QWidget* w) {
        titolo = w->windowTitle();
        mostrate = w->findChild<QLabel*>(u"lbOrigine"_s)->text() + u"|"_s +
                   w->findChild<QLabel*>(u"lbDestino"_s)->text();
    });
    EsitoOperazione = 7;
    QString errore = u"x"_s;
    EXPECT_EQ(VerificaFile(nullptr, origine, destino, &errore), 0);
    EXPECT_EQ(EsitoOperazione, 0);
    EXPECT_TRUE(SenzaVerificaFirmatario(errore)) << "what the command said on the way";
    EXPECT_EQ(titolo, u"VERIFICA DELLA FIRMA ELETTRONICA IN CORSO..."_s);
    EXPECT_EQ(mostrate, origine + u"|"_s + destino);
    EXPECT_EQ(LeggiFile(destino), RispostaFirmata);

    // A failure comes back with the command's own words.
    const QString guasta = Ricevuto(u"ACME1207.X02.P7M"_s, "non firmato");
    EXPECT_EQ(VerificaFile(nullptr, guasta, Verificato(u"ACME1207.X02"_s), &errore), 2);
    EXPECT_EQ(EsitoOperazione, 2);
    EXPECT_TRUE(errore.startsWith(u"Sbusta:"_s)) << errore.toStdString();
}
