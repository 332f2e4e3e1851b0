#include "stampa/ui/StampanteCorrente.h"

#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "stampa/StampantePdf.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>

using namespace Qt::StringLiterals;

namespace {

bool Installata(const QString& nome)
{
    return StampantiInstallate().contains(nome, Qt::CaseInsensitive);
}

} // namespace

QStringList StampantiInstallate()
{
    QStringList nomi = QPrinterInfo::availablePrinterNames();
    if (!nomi.contains(QLatin1StringView(NomeStampantePdf), Qt::CaseInsensitive))
        nomi.append(QLatin1StringView(NomeStampantePdf));
    return nomi;
}

QString StampanteCorrente()
{
    if (!StampanteScelta.isEmpty())
        return StampanteScelta;
    const QString memorizzata = LeggiIni(FileIni, Ini::SezStampa,
                                         Ini::StampaStampante);
    if (!memorizzata.isEmpty() && Installata(memorizzata))
        return memorizzata;
    const QString predefinita = QPrinterInfo::defaultPrinterName();
    return predefinita.isEmpty() ? QString::fromLatin1(NomeStampantePdf) : predefinita;
}

void ImpostaStampanteCorrente(const QString& nome)
{
    StampanteScelta = nome.trimmed();
}

bool PdfInterno(const QString& nome)
{
    if (!EStampantePdf(nome))
        return false;
    for (const QString& n : QPrinterInfo::availablePrinterNames()) {
        if (EStampantePdf(n))
            return false;
    }
    return true;
}

bool PreparaStampante(QPrinter& stampante, const QString& nome, const QString& nomePdf)
{
    if (PdfInterno(nome)) {
        const QString cartella = CartellaPdfCreator();
        QDir().mkpath(cartella);
        stampante.setOutputFormat(QPrinter::PdfFormat);
        stampante.setOutputFileName(QDir(cartella).filePath(nomePdf));
        return true;
    }
    const QPrinterInfo info = QPrinterInfo::printerInfo(nome);
    if (info.isNull())
        return false;
    stampante.setOutputFormat(QPrinter::NativeFormat);
    stampante.setPrinterName(info.printerName());
    return true;
}
