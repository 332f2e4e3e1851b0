#include "stampa/StampantePdf.h"

#include "piattaforma/ArchivioUtente.h"
#include "piattaforma/Messaggi.h"
#include "shell/ChiaviIni.h"
#include "shell/FileUtili.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

using namespace Qt::StringLiterals;

bool EStampantePdf(const QString& nomeStampante)
{
    return nomeStampante.trimmed().toUpper() == QLatin1StringView(NomeStampantePdf);
}

QString CartellaPdfCreator()
{
    QString cartella = LeggiValoreUtente(Ini::PdfApplicazione,
                                         Ini::PdfSezione,
                                         Ini::PdfCartellaAutomatica)
                           .trimmed();
    if (cartella.isEmpty())
        cartella = QDir::home().filePath(u"PDF"_s);
    while (cartella.size() > 1 && (cartella.endsWith(u'/') || cartella.endsWith(u'\\')))
        cartella.chop(1);
    return cartella;
}

int LeggiPdfCreator(QString& cartellaPdf)
{
    const QString app = Ini::PdfApplicazione;
    const QString sez = Ini::PdfSezione;
    QString nome = LeggiValoreUtente(app, sez, Ini::PdfNomeAutomatico);
    if (!EsisteValoreUtente(app, sez, Ini::PdfNomeAutomatico))
        nome = u"<Title>"_s;
    if (nome.trimmed() != u"<Title>"_s) {
        Messaggio(u"NOME DEL SALVATAGGIO AUTOMATICO DIVERSO DA <Title>"_s, Pulsanti::Ok);
        return -1;
    }
    const QString cartella = CartellaPdfCreator();
    cartellaPdf = cartella;
    return 0;
}

bool SpostaFilePdf(const QString& fileStampante, const QString& nomeFinale, int attesaMassimaMs)
{
    const QDeadlineTimer scadenza(attesaMassimaMs);
    while (!EsisteFile(fileStampante)) {
        if (scadenza.hasExpired())
            return false;
        QEventLoop giro;
        QTimer::singleShot(100, &giro, &QEventLoop::quit);
        giro.exec();
    }
    CancellaFileAttesa(nomeFinale, 3);
    RinominaFileAttesa(fileStampante, nomeFinale, 3);
    return QFileInfo::exists(nomeFinale);
}
