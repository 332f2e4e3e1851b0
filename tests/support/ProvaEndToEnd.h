#pragma once

#include "support/CartellaProgrammaTest.h"

#include <QString>

class ServerDiProva;

// An end-to-end test: a program folder and a FTP server of the tests running
// beside it. When the server cannot be started the test is skipped with the
// reason, or fails when NORVEL_E2E=1.
class ProvaEndToEnd : public CartellaProgrammaTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The test's own set-up, once the server is up.
    virtual void Prepara() {}
    virtual ServerDiProva& Server() = 0;
    // False with the reason in Server().Motivo().
    virtual bool AvviaServer() = 0;
    virtual QString PasswordDogana() const;

    // Customs as the program finds it in its globals: this server, its user.
    void CollegaDogana();
    // The same in a settings file, for a copy of the program of its own on
    // the base folder, with the loopback as the link it watches.
    void ScriviIniDogana(const QString& ini, const QString& base);
};
