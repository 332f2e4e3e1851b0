#include "piattaforma/ui/Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {

std::function<bool(const QString&)>& Seam()
{
    static std::function<bool(const QString&)> s;
    return s;
}

} // namespace

bool ApriConShell(const QString& percorsoOIndirizzo)
{
    if (Seam())
        return Seam()(percorsoOIndirizzo);
    const QUrl url = QFileInfo::exists(percorsoOIndirizzo)
                         ? QUrl::fromLocalFile(QFileInfo(percorsoOIndirizzo).absoluteFilePath())
                         : QUrl::fromUserInput(percorsoOIndirizzo);
    return QDesktopServices::openUrl(url);
}

void ImpostaShell(std::function<bool(const QString&)> apri)
{
    Seam() = std::move(apri);
}
