#pragma once

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class BustaFirmata;

// A test with its own empty program folder: FileIni, FileComandiFtp and
// CartellaTemp point into it, the per-user store too, and every scripted box
// must have been shown by the end of the test.
class CartellaProgrammaTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QString Cartella() const { return cartella_.path(); }
    QString Percorso(const QString& nome) const;
    // Writes a file (folders created as needed) and returns its path.
    QString ScriviFile(const QString& nome, const QByteArray& contenuto);
    QByteArray LeggiFile(const QString& nome) const;
    // An executable script that writes its arguments, one a line, into uscita
    // (all at once, so that a test waiting for uscita reads it whole).
    QString ScriptRegistra(const QString& nome, const QString& uscita);

    // The program's clock stopped at 7 December 2024, 9:00.
    static void GiornoProve();
    // The working folders straight under the program folder, created: those
    // of sending (Firmati, Inviati) and of receiving (Ricevuti, Verificati,
    // and at most 50 files a run).
    void CartelleInvio();
    void CartelleRicezione();
    // The office's folders under base, as the program creates them.
    void CartelleUfficio(const QString& base);
    // Signed replies: the reference unwrapping command in dove (beside the
    // program by default) and the signer's key in "chiavi". The test is
    // skipped without openssl (failed under NORVEL_E2E=1).
    void PreparaFirma(BustaFirmata& busta, const QString& dove = {});

private:
    QTemporaryDir cartella_;
};
