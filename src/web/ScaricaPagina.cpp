#include "web/ScaricaPagina.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTimer>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

QString Decodifica(const QByteArray& corpo, const QString& tipoContenuto)
{
    static const QRegularExpression charset(u"charset\\s*=\\s*\"?([A-Za-z0-9._:-]+)"_s,
                                            QRegularExpression::CaseInsensitiveOption);
    const auto m = charset.match(tipoContenuto);
    if (m.hasMatch()) {
        QStringDecoder dichiarato(m.captured(1).toLatin1().constData());
        if (dichiarato.isValid())
            return dichiarato.decode(corpo);
    }
    QStringDecoder html = QStringDecoder::decoderForHtml(corpo);
    if (html.isValid())
        return html.decode(corpo);
    return QString::fromUtf8(corpo);
}

} // namespace

EsitoScarico ScaricaPagina(const QString& indirizzo, int tempoMassimoMs)
{
    EsitoScarico esito;
    const QUrl url(indirizzo);
    if (!url.isValid() || url.scheme().isEmpty()) {
        esito.errore = u"Indirizzo non valido: "_s + indirizzo;
        return esito;
    }

    QNetworkAccessManager rete;
    rete.setCache(nullptr);
    QNetworkRequest richiesta(url);
    richiesta.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                           QNetworkRequest::AlwaysNetwork);
    richiesta.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    richiesta.setRawHeader("Cache-Control", "no-cache");
    richiesta.setRawHeader("Pragma", "no-cache");
    richiesta.setTransferTimeout(tempoMassimoMs);

    QNetworkReply* risposta = rete.get(richiesta);
    QEventLoop attesa;
    QTimer limite;
    limite.setSingleShot(true);
    bool scaduto = false;
    QObject::connect(&limite, &QTimer::timeout, &attesa, [&]() {
        scaduto = true;
        risposta->abort();
    });
    QObject::connect(risposta, &QNetworkReply::finished, &attesa, &QEventLoop::quit);
    limite.start(tempoMassimoMs);
    if (!risposta->isFinished())
        attesa.exec(QEventLoop::ExcludeUserInputEvents);
    limite.stop();

    const QVariant stato = risposta->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!scaduto && stato.isValid()) {
        esito.ricevuta = true;
        esito.statoHttp = stato.toInt();
        esito.corpo = risposta->readAll();
        esito.testo = Decodifica(esito.corpo,
                                 risposta->header(QNetworkRequest::ContentTypeHeader).toString());
    } else {
        esito.errore =
            scaduto ? u"Nessuna risposta entro il tempo massimo"_s : risposta->errorString();
    }
    delete risposta;
    return esito;
}
