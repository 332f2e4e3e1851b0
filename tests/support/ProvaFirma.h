#pragma once

#include "support/BustaFirmata.h"
#include "support/CartellaProgrammaTest.h"

#include <QByteArray>
#include <QString>

// A test of the signature check: the office's folders under "base", the
// reference unwrapping command beside the program and a signer of its own.
class ProvaFirma : public CartellaProgrammaTest
{
protected:
    // A reply as Customs signs it: binary, with CR, LF, NUL and 0x1A bytes.
    static const QByteArray RispostaFirmata;

    void SetUp() override;
    void TearDown() override;

    // A file in the received folder; its path.
    QString Ricevuto(const QString& nome, const QByteArray& contenuto);
    // The path of a name in the checked folder.
    QString Verificato(const QString& nome) const;

    BustaFirmata busta_;
};
