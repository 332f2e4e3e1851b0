#include "strumenti/Applicativi.h"

#include "shell/ChiaviIni.h"
#include "shell/Conversioni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

QString Sezione()
{
    return Ini::SezApplicativi;
}

QString ChiaveNome(int n)
{
    return Ini::NomeVarie + QString::number(n);
}

QString ChiaveComando(int n)
{
    return Ini::Varie + QString::number(n);
}

bool HaSeparatore(const QString& percorso)
{
    return percorso.contains(u'/') || percorso.contains(QDir::separator());
}

bool ProgrammaEsistente(const QString& programma)
{
    if (programma.isEmpty())
        return false;
    if (HaSeparatore(programma))
        return QFileInfo(programma).isFile();
    return !QStandardPaths::findExecutable(programma).isEmpty();
}

} // namespace

VociApplicativi LeggiApplicativi()
{
    VociApplicativi voci;
    for (int n = 1; n <= Ini::VociApplicativi; ++n) {
        voci[n].nome = LeggiIni(FileIni, Sezione(), ChiaveNome(n)).trimmed();
        voci[n].comando = LeggiIni(FileIni, Sezione(), ChiaveComando(n)).trimmed();
    }
    return voci;
}

void ScriviApplicativi(const VociApplicativi& voci)
{
    for (int n = 1; n <= Ini::VociApplicativi; ++n) {
        ScriviIni(FileIni, Sezione(), ChiaveNome(n), voci[n].nome.trimmed());
        ScriviIni(FileIni, Sezione(), ChiaveComando(n), voci[n].comando.trimmed());
    }
}

bool ComandoEsistente(const QString& comando)
{
    const QString testo = comando.trimmed();
    // The launcher finds the desktop's editor itself, even without the opener.
    if (testo.isEmpty() || testo == Ini::EditorDelDesktop)
        return true;
    // A path with blanks typed without quotes is still one program.
    if (HaSeparatore(testo) && QFileInfo(testo).isFile())
        return true;
    const QStringList parti = QProcess::splitCommand(testo);
    return !parti.isEmpty() && ProgrammaEsistente(parti.first());
}

int PrimoErroreApplicativi(const VociApplicativi& voci)
{
    for (int n = 1; n <= Ini::VociApplicativi; ++n) {
        if (voci[n].comando.trimmed().isEmpty())
            continue;
        if (voci[n].nome.trimmed().isEmpty())
            return n;
        if (!ComandoEsistente(voci[n].comando))
            return n + Ini::VociApplicativi;
    }
    return 0;
}

QString TestoErroreApplicativi(int numero)
{
    if (numero >= 1 && numero <= Ini::VociApplicativi)
        return u"INDICARE IL NOME DEL PROGRAMMA\nDA VISUALIZZARE NEL MENU"_s;
    return u"IL PERCORSO INDICATO NON ESISTE"_s;
}

QString CartellaRicercaComando(const QString& comando)
{
    QString programma = comando.trimmed();
    if (!(HaSeparatore(programma) && QFileInfo(programma).isFile())) {
        const QStringList parti = QProcess::splitCommand(programma);
        programma = parti.isEmpty() ? QString() : parti.first();
    }
    const QString cartella = CartellaPadre(QDir::toNativeSeparators(programma));
    if (!cartella.isEmpty())
        return cartella;
#ifdef Q_OS_WIN
    return FileIni.left(3) + u"Programmi"_s;
#else
    return u"/usr/bin"_s;
#endif
}

QString ComandoDaFile(const QString& percorso)
{
    const QString nativo = QDir::toNativeSeparators(percorso);
    if (nativo.contains(u' '))
        return u'"' + nativo + u'"';
    return nativo;
}
