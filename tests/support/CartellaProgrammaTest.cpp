#include "support/CartellaProgrammaTest.h"

#include "support/AmbienteTest.h"
#include "support/Risponditore.h"

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
