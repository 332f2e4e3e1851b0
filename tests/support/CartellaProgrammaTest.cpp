#include "support/CartellaProgrammaTest.h"

#include "support/AmbienteTest.h"
#include "support/BustaFirmata.h"
#include "support/Risponditore.h"

#include "piattaforma/Orologio.h"
#include "shell/CartelleLavoro.h"
#include "shell/Global.h"
#include "shell/Routine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

using namespace Qt::StringLiterals;

void CartellaProgrammaTest::SetUp()
{
    ASSERT_TRUE(cartella_.isValid());
    AzzeraTutto();
    CartellaProgramma = cartella_.path();
    // As the program names it: after the executable, here the test program.
    FileIni = Percorso(NomeEseguibile() + QStringLiteral(".ini"));
    FileComandiFtp = Percorso(QStringLiteral("Xcmd.txt"));
    CartellaTemp = Percorso(QStringLiteral("TempFile")) + QDir::separator();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       Percorso(QStringLiteral(".config")));
}

void CartellaProgrammaTest::TearDown()
{
    EXPECT_EQ(RisponditoreTest().RisposteInAttesa(), 0) << "scripted answers left unused";
    FineProva();
}

QString CartellaProgrammaTest::Percorso(const QString& nome) const
{
    return cartella_.filePath(nome);
}

QString CartellaProgrammaTest::ScriviFile(const QString& nome, const QByteArray& contenuto)
{
    const QString percorso = QFileInfo(nome).isAbsolute() ? nome : Percorso(nome);
    QDir().mkpath(QFileInfo(percorso).path());
    QFile f(percorso);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << percorso.toStdString();
    f.write(contenuto);
    return percorso;
}

QByteArray CartellaProgrammaTest::LeggiFile(const QString& nome) const
{
    QFile f(QFileInfo(nome).isAbsolute() ? nome : Percorso(nome));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QString CartellaProgrammaTest::ScriptRegistra(const QString& nome, const QString& uscita)
{
    const QString script = ScriviFile(
        nome, QString(u"#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > '"_s + uscita +
                      u".tmp' && mv '"_s + uscita + u".tmp' '"_s + uscita + u"'\n"_s)
                  .toUtf8());
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return script;
}

void CartellaProgrammaTest::GiornoProve()
{
    ImpostaOrologio([] { return QDateTime(QDate(2024, 12, 7), QTime(9, 0)); });
}

void CartellaProgrammaTest::CartelleInvio()
{
    ParametriEdi.CartellaFirmati = Percorso(u"Firmati"_s);
    ParametriEdi.CartellaInviati = Percorso(u"Inviati"_s);
    ASSERT_TRUE(QDir().mkpath(ParametriEdi.CartellaFirmati));
    ASSERT_TRUE(QDir().mkpath(ParametriEdi.CartellaInviati));
}

void CartellaProgrammaTest::CartelleRicezione()
{
    ParametriEdi.CartellaRicevuti = Percorso(u"Ricevuti"_s);
    ParametriEdi.CartellaVerificati = Percorso(u"Verificati"_s);
    ASSERT_TRUE(QDir().mkpath(ParametriEdi.CartellaRicevuti));
    ASSERT_TRUE(QDir().mkpath(ParametriEdi.CartellaVerificati));
    MaxFile = 50;
}

void CartellaProgrammaTest::CartelleUfficio(const QString& base)
{
    ParametriEdi.CartellaBase = base;
    ASSERT_TRUE(CreaCartelle());
}

void CartellaProgrammaTest::PreparaFirma(BustaFirmata& busta, const QString& dove)
{
    ASSERT_TRUE(QFile::copy(SbustaRiferimento(), dove.isEmpty() ? Percorso(u"Sbusta.sh"_s) : dove));
    PREPARA_BUSTA_O_SALTA(busta, Percorso(u"chiavi"_s));
}
