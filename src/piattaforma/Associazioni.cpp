#include "piattaforma/Associazioni.h"

#include <QProcess>
#include <QStandardPaths>

#include <optional>

namespace {

// One answer of xdg-mime; none when it could not be had.
std::optional<QString> ChiediXdgMime(const QString& programma, const QStringList& argomenti)
{
    QProcess p;
    p.start(programma, argomenti);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished(1000);
        return std::nullopt;
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

} // namespace

bool HaApplicazioneAssociata(const QString& file)
{
#ifdef Q_OS_UNIX
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return true;
    const auto tipo =
        ChiediXdgMime(xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), file});
    if (!tipo || tipo->isEmpty())
        return true;
    const auto applicazione =
        ChiediXdgMime(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), *tipo});
    return !applicazione || !applicazione->isEmpty();
#else
    Q_UNUSED(file);
    return true;
#endif
}
