#include "support/ProvaEndToEnd.h"

#include "support/ServerDiProva.h"

#include "scambio/EseguiScriptFtp.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QStandardPaths>

#include <iostream>

using namespace Qt::StringLiterals;

void ProvaEndToEnd::SetUp()
{
    CartellaProgrammaTest::SetUp();
    if (HasFatalFailure())
        return;
    const bool obbligatorio = qgetenv("NORVEL_E2E") == "1";
    if (QStandardPaths::findExecutable(u"ftp"_s).isEmpty()) {
        if (obbligatorio)
            FAIL() << "no ftp client on PATH (tnftp)";
        GTEST_SKIP() << "no ftp client on PATH (tnftp)";
    }
    if (!AvviaServer()) {
        if (obbligatorio)
            FAIL() << "FTP server not started: " << Server().Motivo().toStdString();
        GTEST_SKIP() << "FTP server not started: " << Server().Motivo().toStdString();
    }
    Prepara();
}

void ProvaEndToEnd::TearDown()
{
    if (HasFailure())
        std::cerr << "server log:\n" << Server().Registro().toStdString();
    Server().Ferma();
    ImpostaLimiteAttesaFtp(0);
    CartellaProgrammaTest::TearDown();
}

QString ProvaEndToEnd::PasswordDogana() const
{
    return ServerDiProva::PasswordDogana;
}

void ProvaEndToEnd::CollegaDogana()
{
    ParametriEdi.HostFtp = Server().Host();
    ParametriEdi.UtenteFtp = ServerDiProva::UtenteDogana;
    ParametriEdi.PasswordFtp = PasswordDogana();
}

void ProvaEndToEnd::ScriviIniDogana(const QString& ini, const QString& base)
{
    ASSERT_TRUE(ScriviIni(ini, u"PC"_s, u"PATH"_s, base));
    ASSERT_TRUE(ScriviIni(ini, u"EDI"_s, u"HOSTFTP"_s, Server().Host()));
    ASSERT_TRUE(ScriviIni(ini, u"EDI"_s, u"AUTORFTP"_s, ServerDiProva::UtenteDogana));
    ASSERT_TRUE(ScriviIni(ini, u"EDI"_s, u"PASSWFTP"_s, CodificaParola(PasswordDogana())));
    ASSERT_TRUE(ScriviIni(ini, u"EDI"_s, u"CONNESSIONE"_s, u"lo"_s));
}
