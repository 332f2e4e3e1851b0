#include "shell/CollegamentoDogana.h"

#include "piattaforma/Percorsi.h"
#include "shell/CartelleLavoro.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

namespace {

void ScriviEdi(QLatin1StringView chiave, const QString& valore)
{
    ScriviIni(FileIni, Ini::SezEdi, chiave, valore);
}

void ScriviEdi(QLatin1StringView chiave, int valore)
{
    ScriviEdi(chiave, QString::number(valore));
}

} // namespace

// Blanks alone count as an empty field.
QString ProgressivoIniziale(const QString& testo)
{
    const QString t = testo.trimmed();
    return t.isEmpty() ? QStringLiteral("00") : t.left(1) + QLatin1Char('0');
}

QString ProgressivoFinale(const QString& testo)
{
    const QString t = testo.trimmed();
    return t.isEmpty() ? QStringLiteral("ZZ") : t.left(1) + QLatin1Char('Z');
}

int PosizioneNumFile(int maxFile)
{
    if (maxFile < 5 || maxFile > 50 || maxFile % 5 != 0)
        return -1;
    return maxFile / 5 - 1;
}

bool ConfermaParametriEdi(const ValoriParEdi& v)
{
    ParametriEdi.HostFtp = v.host.trimmed();
    ParametriEdi.UtenteFtp = v.utente.trimmed();
    ParametriEdi.PasswordFtp = v.password.trimmed();
    ParametriEdi.Ditta = v.ditta.trimmed();
    ParametriEdi.Progr1 = v.progr1.trimmed();
    ParametriEdi.Progr2 = v.progr2.trimmed();
    if (v.colInvio >= 0)
        OrdinaColInvio = v.colInvio;
    if (v.modoInvio >= 0)
        OrdinaModoInvio = ModoOrdineDaValore(v.modoInvio);
    if (v.colRicevi >= 0)
        OrdinaColRicevi = v.colRicevi;
    if (v.modoRicevi >= 0)
        OrdinaModoRicevi = ModoOrdineDaValore(v.modoRicevi);
    ParametriEdi.CartellaBase = SenzaSeparatoreFinale(v.cartellaBase);
    if (v.debug >= 0)
        ModoDebug = v.debug;
    // A value the list does not offer stays as the file had it.
    const int n = v.posizioneNumFile >= 0 ? v.posizioneNumFile + 1 : MaxFile / 5;

    ScriviEdi(Ini::HostFtp, ParametriEdi.HostFtp);
    ScriviEdi(Ini::AutorFtp, ParametriEdi.UtenteFtp);
    ScriviEdi(Ini::PasswFtp, CodificaParola(ParametriEdi.PasswordFtp));
    ScriviEdi(Ini::Ditta, ParametriEdi.Ditta);
    ScriviEdi(Ini::Progr1, ParametriEdi.Progr1);
    ScriviEdi(Ini::Progr2, ParametriEdi.Progr2);
    ScriviEdi(Ini::ColSortInv, OrdinaColInvio);
    ScriviEdi(Ini::ModSortInv, int(OrdinaModoInvio));
    ScriviEdi(Ini::ColSortRic, OrdinaColRicevi);
    ScriviEdi(Ini::ModSortRic, int(OrdinaModoRicevi));
    ScriviEdi(Ini::Debug, ModoDebug);
    ScriviEdi(Ini::NumFile, n);
    if (v.posizioneNumFile >= 0)
        MaxFile = 5 * n;
    ScriviIni(FileIni, Ini::SezPc, Ini::Path, ParametriEdi.CartellaBase);

    // No base folder, no tree: the sub-folders would land in the current folder.
    return ParametriEdi.CartellaBase.isEmpty() || CreaSottoCartelle();
}
