#include "support/ProvaFirma.h"

#include "scambio/VerificaFirma.h"
#include "shell/Global.h"

using namespace Qt::StringLiterals;

const QByteArray ProvaFirma::RispostaFirmata =
    QByteArray("ACME1207.X01 ESITO\r\n") + QByteArray(1, '\0') + "\xff\x1a";

void ProvaFirma::SetUp()
{
    CartellaProgrammaTest::SetUp();
    CartelleUfficio(Percorso(u"base"_s));
    PreparaFirma(busta_);
}

void ProvaFirma::TearDown()
{
    ImpostaLimiteSbusta(0);
    CartellaProgrammaTest::TearDown();
}

QString ProvaFirma::Ricevuto(const QString& nome, const QByteArray& contenuto)
{
    return ScriviFile(ParametriEdi.CartellaRicevuti + u"/"_s + nome, contenuto);
}

QString ProvaFirma::Verificato(const QString& nome) const
{
    return ParametriEdi.CartellaVerificati + u"/"_s + nome;
}
