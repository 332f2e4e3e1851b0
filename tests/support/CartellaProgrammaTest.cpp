#include "support/CartellaProgrammaTest.h"

#include "support/AmbienteTest.h"
#include "support/Risponditore.h"

#include "shell/Global.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSettings>
#include <QTimer>
#include <QWidget>

void CartellaProgrammaTest::SetUp()
{
    ASSERT_TRUE(cartella_.isValid());
    AzzeraTutto();
    CartellaProgramma = cartella_.path();
    FileIni = Percorso(QStringLiteral("norvel.ini"));
    FileComandiFtp = Percorso(QStringLiteral("Xcmd.txt"));
    CartellaTemp = Percorso(QStringLiteral("TempFile")) + QDir::separator();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       Percorso(QStringLiteral(".config")));
}

void CartellaProgrammaTest::TearDown()
{
    EXPECT_EQ(RisponditoreTest().RisposteInAttesa(), 0) << "scripted answers left unused";
    // A window the test left open would leak into the next test.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            w->close();
    }
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
    const QString script =
        ScriviFile(nome, QString("#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > '" + uscita +
                                 ".tmp' && mv '" + uscita + ".tmp' '" + uscita + "'\n")
                             .toUtf8());
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return script;
}

void QuandoModale(std::function<void(QWidget*)> fn, int entroMs)
{
    auto* timer = new QTimer;
    auto scadenza = std::make_shared<QDeadlineTimer>(entroMs);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, fn, scadenza]() {
        if (QWidget* w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            fn(w);
        } else if (scadenza->hasExpired()) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal window appeared";
        }
    });
    timer->start();
}
