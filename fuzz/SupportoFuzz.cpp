#include "SupportoFuzz.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<QTemporaryDir> cartella;

} // namespace

void PreparaFuzz()
{
    static bool fatto = false;
    if (fatto)
        return;
    fatto = true;
    static int argc = 1;
    static char nome[] = "fuzz";
    static char* argv[] = {nome, nullptr};
    new QCoreApplication(argc, argv); // lives as long as the process
    // Memory-backed when the system has it: every input is a file written.
    const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    cartella = std::make_unique<QTemporaryDir>(base + QStringLiteral("/norvel-fuzz-XXXXXX"));
    if (!cartella->isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        std::abort();
    }
}

QString CartellaFuzz()
{
    PreparaFuzz();
    QDir dir(cartella->path());
    for (const QString& voce :
         dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        QFileInfo(dir.filePath(voce)).isDir() ? QDir(dir.filePath(voce)).removeRecursively()
                                              : dir.remove(voce);
    return cartella->path();
}

QString ScriviFileFuzz(const QString& nome, const QByteArray& dati)
{
    const QString percorso = cartella->path() + QLatin1Char('/') + nome;
    QDir().mkpath(QFileInfo(percorso).path());
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(dati) != dati.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(percorso));
        std::abort();
    }
    return percorso;
}

QByteArray LeggiFileFuzz(const QString& percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QList<QByteArray> PezziFuzz(const QByteArray& dati)
{
    return dati.split('\0');
}

void PromessaMancata(const char* promessa, const QByteArray& ingresso)
{
    std::fprintf(stderr, "promise broken: %s\ninput (%lld bytes): %s\n", promessa,
                 static_cast<long long>(ingresso.size()), ingresso.toPercentEncoding().constData());
    std::abort();
}
