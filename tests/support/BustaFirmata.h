#pragma once

#include <QByteArray>
#include <QString>

// Signed envelopes as Customs sends them (CMS, content attached), made with
// openssl and a key and self-signed certificate of the test's own.
class BustaFirmata
{
public:
    // Makes the key and certificate in cartella. False when openssl is
    // missing or fails; Motivo() says why.
    bool Prepara(const QString& cartella);
    QString Motivo() const { return motivo_; }
    // The certificate, which also serves as the CA bundle that trusts it.
    QString Certificato() const { return certificato_; }

    // The DER envelope of contenuto ("PEM" for the armoured one).
    QByteArray Firma(const QByteArray& contenuto, const QString& formato = QStringLiteral("DER"));

private:
    QString cartella_;
    QString chiave_;
    QString certificato_;
    QString motivo_;
};

// The reference unwrapping command of the source tree.
QString SbustaRiferimento();

// Prepares b in cartella; skips the test (fails under NORVEL_E2E=1) without openssl.
#define PREPARA_BUSTA_O_SALTA(b, cartella)                                                         \
    do {                                                                                           \
        if (!(b).Prepara(cartella)) {                                                              \
            if (qgetenv("NORVEL_E2E") == "1")                                                      \
                FAIL() << (b).Motivo().toStdString();                                              \
            GTEST_SKIP() << (b).Motivo().toStdString();                                            \
        }                                                                                          \
    } while (false)
