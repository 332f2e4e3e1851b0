#include "shell/CartelleLavoro.h"

#include "piattaforma/Percorsi.h"
#include "shell/Global.h"

#include <QDir>
#include <QFileInfo>

namespace {

// One level only, as the office's program did.
bool CreaSeManca(const QString& cartella)
{
    if (QFileInfo(cartella).isDir())
        return true;
    return !cartella.isEmpty() && QDir().mkdir(cartella);
}

} // namespace

QString CartellaBasePredefinita()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\FirmaVerifica");
#else
    return UnisciPercorso(QDir::homePath(), QStringLiteral("FirmaVerifica"));
#endif
}

void ImpostaPercorsiCartelle()
{
    const QString& base = ParametriEdi.CartellaBase;
    ParametriEdi.CartellaRicevuti = UnisciPercorso(base, QLatin1String(NomeRicevuti));
    ParametriEdi.CartellaInviati = UnisciPercorso(base, QLatin1String(NomeInviati));
    ParametriEdi.CartellaFirmati = UnisciPercorso(base, QLatin1String(NomeFirmati));
    ParametriEdi.CartellaVerificati = UnisciPercorso(base, QLatin1String(NomeVerificati));
    ParametriEdi.CartellaDaVerificare = UnisciPercorso(base, QLatin1String(NomeDaVerificare));
}

bool CreaSottoCartelle()
{
    ImpostaPercorsiCartelle();
    bool riuscito = true;
    for (const QString* c : {&ParametriEdi.CartellaRicevuti, &ParametriEdi.CartellaInviati,
                             &ParametriEdi.CartellaFirmati, &ParametriEdi.CartellaVerificati,
                             &ParametriEdi.CartellaDaVerificare})
        riuscito = CreaSeManca(*c) && riuscito;
    return riuscito;
}

bool CreaCartelle()
{
    const bool base = CreaSeManca(ParametriEdi.CartellaBase);
    return CreaSottoCartelle() && base;
}
