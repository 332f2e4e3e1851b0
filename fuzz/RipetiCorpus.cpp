#include "SupportoFuzz.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

// Without libFuzzer: feeds every file named, or found in a folder named, to
// the target once. The sanitizer build runs the committed corpora this way.
int main(int argc, char** argv)
{
    PreparaFuzz();
    QStringList file;
    for (int i = 1; i < argc; ++i) {
        const QString voce = QString::fromLocal8Bit(argv[i]);
        if (QFileInfo(voce).isDir()) {
            QDirIterator it(voce, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext())
                file.append(it.next());
        } else {
            file.append(voce);
        }
    }
    file.sort();
    if (file.isEmpty()) {
        std::fprintf(stderr, "no input files\n");
        return 1;
    }
    for (const QString& nome : file) {
        QFile f(nome);
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(nome));
            return 1;
        }
        const QByteArray dati = f.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(dati.constData()),
                               static_cast<size_t>(dati.size()));
    }
    std::printf("%lld inputs replayed\n", static_cast<long long>(file.size()));
    return 0;
}
