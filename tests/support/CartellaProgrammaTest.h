#pragma once

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

private:
    QTemporaryDir cartella_;
};
