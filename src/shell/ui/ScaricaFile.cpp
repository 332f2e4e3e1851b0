#include "shell/ui/ScaricaFile.h"

#include "piattaforma/Messaggi.h"
#include "piattaforma/RichiestaHttp.h"
#include "piattaforma/ui/Dialoghi.h"
#include "shell/Aggiornamenti.h"

#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

bool IndirizzoWeb(const QString& indirizzo)
{
    return indirizzo.startsWith(u"http://"_s, Qt::CaseInsensitive) ||
           indirizzo.startsWith(u"https://"_s, Qt::CaseInsensitive);
}

QString& UltimaCartella()
{
    static QString c;
    return c;
}

} // namespace

QStringList ScaricaFile(QWidget* padre, const QStringList& indirizzi)
{
    QStringList validi;
    QStringList falliti;
    for (const QString& indirizzo : indirizzi) {
        const QString a = indirizzo.trimmed();
        if (a.isEmpty())
            continue;
        if (!IndirizzoWeb(a)) {
            Messaggio(u"indirizzo errato"_s);
            continue;
        }
        // A name the page chose must not hide the file or leave the folder.
        const QString nome = QUrl(a).fileName();
        if (const QString motivo = MotivoNomeScaricamento(nome); !motivo.isEmpty()) {
            falliti.append(QUrl(a).toString(QUrl::FullyEncoded) + u": "_s + motivo);
            continue;
        }
        validi.append(a);
    }
    if (validi.isEmpty()) {
        if (!falliti.isEmpty())
            Messaggio(u"Non scaricati:\n"_s + falliti.join(u'\n'), Pulsanti::Ok, Icona::Avviso);
        return {};
    }

    if (UltimaCartella().isEmpty())
        UltimaCartella() = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    const QString cartella =
        ScegliCartella(padre, u"Cartella in cui salvare gli aggiornamenti"_s, UltimaCartella());
    if (cartella.isEmpty())
        return {};
    UltimaCartella() = cartella;

    QStringList scritti;
    QStringList nomiScritti;
    for (const QString& a : validi) {
        const QUrl url(a);
        const QString nome = url.fileName();
        const QString destinazione = QDir(cartella).filePath(nome);
        if (QFileInfo::exists(destinazione) &&
            Messaggio(u"Il file "_s + QDir::toNativeSeparators(destinazione) +
                          u" esiste già.\nLo vuoi sostituire?"_s,
                      Pulsanti::SiNo, Icona::Domanda, {}, Risposta::No) != Risposta::Si)
            continue;

        QProgressDialog avanzamento(u"Scaricamento di "_s + nome + u" ..."_s, u"Annulla"_s, 0, 0,
                                    padre);
        avanzamento.setObjectName(u"Scaricamento"_s);
        avanzamento.setWindowTitle(TitoloPredefinito());
        avanzamento.setWindowModality(Qt::ApplicationModal);
        avanzamento.setMinimumDuration(300);
        const RispostaHttp r =
            ScaricaHttp(url, destinazione, [&avanzamento](qint64 ricevuti, qint64 totale) {
                if (totale > 0) {
                    avanzamento.setMaximum(int(totale / 1024) + 1);
                    avanzamento.setValue(int(ricevuti / 1024));
                }
                return !avanzamento.wasCanceled();
            });
        avanzamento.reset();
        if (r.riuscita) {
            scritti.append(destinazione);
            nomiScritti.append(nome);
        } else
            falliti.append(nome + u": "_s + r.descrizione);
    }

    QString resoconto;
    if (!scritti.isEmpty())
        resoconto = u"Scaricati in "_s + QDir::toNativeSeparators(cartella) + u":\n"_s +
                    nomiScritti.join(u'\n');
    if (!falliti.isEmpty()) {
        if (!resoconto.isEmpty())
            resoconto += u"\n\n"_s;
        resoconto += u"Non scaricati:\n"_s + falliti.join(u'\n');
    }
    if (!resoconto.isEmpty())
        Messaggio(resoconto, Pulsanti::Ok, falliti.isEmpty() ? Icona::Informazione : Icona::Avviso);
    return scritti;
}
