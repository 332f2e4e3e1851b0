#include "piattaforma/Associazioni.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

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

// The Exec line of a desktop entry's main group.
QString RigaExec(const QString& fileDesktop)
{
    QFile f(fileDesktop);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream testo(&f);
    bool gruppoPrincipale = false;
    while (!testo.atEnd()) {
        const QString riga = testo.readLine().trimmed();
        if (riga.startsWith(QLatin1Char('[')))
            gruppoPrincipale = riga == QLatin1StringView("[Desktop Entry]");
        else if (gruppoPrincipale && riga.startsWith(QLatin1StringView("Exec=")))
            return riga.mid(5).trimmed();
    }
    return {};
}

// The Exec line as program and arguments: the file and address codes become
// the file (or go), the other codes go, "%%" is a percent sign.
QStringList EspandiExec(const QString& exec, const QString& file)
{
    QStringList comando;
    for (const QString& parola : QProcess::splitCommand(exec)) {
        if (parola == QLatin1StringView("%f") || parola == QLatin1StringView("%F") ||
            parola == QLatin1StringView("%u") || parola == QLatin1StringView("%U")) {
            if (!file.isEmpty())
                comando << file;
            continue;
        }
        QString espansa;
        for (qsizetype i = 0; i < parola.size(); ++i) {
            if (parola[i] != QLatin1Char('%') || i + 1 == parola.size()) {
                espansa += parola[i];
                continue;
            }
            const QChar codice = parola[++i];
            if (codice == QLatin1Char('%'))
                espansa += codice;
        }
        if (!espansa.isEmpty())
            comando << espansa;
    }
    return comando;
}

} // namespace

QStringList ComandoApplicazionePredefinita(const QString& tipoMime, const QString& file)
{
#ifdef Q_OS_UNIX
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return {};
    const auto voci =
        ChiediXdgMime(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), tipoMime});
    if (!voci)
        return {};
    for (const QString& voce : voci->split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        // An entry id with dashes may stand for a sub-folder ("kde-kate.desktop").
        QString desktop = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, voce);
        if (desktop.isEmpty())
            desktop =
                QStandardPaths::locate(QStandardPaths::ApplicationsLocation,
                                       QString(voce).replace(QLatin1Char('-'), QLatin1Char('/')));
        if (desktop.isEmpty())
            continue;
        const QStringList comando = EspandiExec(RigaExec(desktop), file);
        if (!comando.isEmpty() && !QStandardPaths::findExecutable(comando.first()).isEmpty())
            return comando;
    }
#else
    Q_UNUSED(tipoMime);
    Q_UNUSED(file);
#endif
    return {};
}

QStringList ComandoEditorTesti(const QString& file)
{
    QStringList comando = ComandoApplicazionePredefinita(QStringLiteral("text/plain"), file);
    if (!comando.isEmpty())
        return comando;
    // The desktop names none: the editors of the common desktops, the plainest last.
    static const char* const editori[] = {"gnome-text-editor", "gedit", "kwrite", "kate",
                                          "mousepad",          "pluma", "xed",    "featherpad",
                                          "leafpad",           "geany", "xedit"};
    for (const char* editore : editori) {
        const QString trovato = QStandardPaths::findExecutable(QLatin1StringView(editore));
        if (trovato.isEmpty())
            continue;
        comando << trovato;
        if (!file.isEmpty())
            comando << file;
        return comando;
    }
    return {};
}

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
