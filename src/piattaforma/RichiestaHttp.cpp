#include "piattaforma/RichiestaHttp.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

constexpr int LimitePredefinito = 20000;
int limite = LimitePredefinito;

QNetworkRequest Richiesta(const QUrl& indirizzo)
{
    QNetworkRequest r(indirizzo);
    r.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    r.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    r.setRawHeader("Cache-Control", "no-cache");
    r.setRawHeader("Pragma", "no-cache");
    r.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                   QNetworkRequest::NoLessSafeRedirectPolicy);
    return r;
}

QString Testo(const QByteArray& corpo, const QByteArray& tipo)
{
    const qsizetype i = tipo.toLower().indexOf("charset=");
    if (i >= 0) {
        QByteArray nome = tipo.mid(i + 8).trimmed();
        if (const qsizetype fine = nome.indexOf(';'); fine >= 0)
            nome.truncate(fine);
        nome.replace('"', QByteArray());
        QStringDecoder decodifica(nome.constData());
        if (decodifica.isValid())
            return decodifica.decode(corpo);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString testo = utf8.decode(corpo);
    if (!utf8.hasError())
        return testo;
    // Pages from older servers: the Western Windows code page.
    QStringDecoder windows("windows-1252");
    return windows.isValid() ? windows.decode(corpo) : QString::fromLatin1(corpo);
}

// Runs the reply to its end; scaduto tells the time limit apart from a stop.
void Attendi(QNetworkReply* risposta, bool bloccaInput, bool& scaduto)
{
    QEventLoop ciclo;
    QTimer limiteTempo;
    limiteTempo.setSingleShot(true);
    QObject::connect(&limiteTempo, &QTimer::timeout, risposta, [&]() {
        scaduto = true;
        risposta->abort();
    });
    // Any data coming in starts the limit again: a slow download is no hang.
    QObject::connect(risposta, &QNetworkReply::downloadProgress, &limiteTempo,
                     [&limiteTempo]() { limiteTempo.start(); });
    QObject::connect(risposta, &QNetworkReply::finished, &ciclo, &QEventLoop::quit);
    limiteTempo.start(limite);
    if (!risposta->isFinished())
        ciclo.exec(bloccaInput ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
}

void Esito(QNetworkReply* risposta, bool scaduto, RispostaHttp& r)
{
    r.stato = risposta->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (scaduto) {
        r.errore = QNetworkReply::TimeoutError;
        r.descrizione = u"Nessuna risposta da "_s + risposta->url().host() + u" in "_s +
                        QString::number(limite / 1000.0) + u" secondi"_s;
    } else if (r.stato >= 400) {
        r.errore = r.stato;
        r.descrizione = u"Il server ha risposto "_s + QString::number(r.stato) + u' ' +
                        risposta->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString() +
                        u" per "_s + risposta->url().toDisplayString();
    } else if (risposta->error() != QNetworkReply::NoError) {
        r.errore = risposta->error();
        r.descrizione = risposta->errorString();
    }
    r.riuscita = r.errore == 0;
}

} // namespace

void ImpostaLimiteHttp(int millisecondi)
{
    limite = millisecondi > 0 ? millisecondi : LimitePredefinito;
}

int LimiteHttp()
{
    return limite;
}

RispostaHttp HttpGetSincrono(const QUrl& indirizzo)
{
    RispostaHttp r;
    QNetworkAccessManager rete;
    QNetworkReply* risposta = rete.get(Richiesta(indirizzo));
    bool scaduto = false;
    Attendi(risposta, true, scaduto);
    Esito(risposta, scaduto, r);
    if (risposta->isOpen())
        r.corpo = risposta->readAll();
    r.testo = Testo(r.corpo, risposta->header(QNetworkRequest::ContentTypeHeader).toByteArray());
    risposta->deleteLater();
    return r;
}

RispostaHttp ScaricaHttp(const QUrl& indirizzo, const QString& destinazione,
                         const std::function<bool(qint64, qint64)>& progresso)
{
    RispostaHttp r;
    QSaveFile file(destinazione);
    if (!file.open(QIODevice::WriteOnly)) {
        r.errore = -1;
        r.descrizione = file.errorString();
        return r;
    }
    QNetworkAccessManager rete;
    QNetworkReply* risposta = rete.get(Richiesta(indirizzo));
    bool scrittoMale = false;
    QObject::connect(risposta, &QNetworkReply::readyRead, risposta, [&]() {
        if (file.write(risposta->readAll()) < 0 && !scrittoMale) {
            scrittoMale = true;
            risposta->abort();
        }
    });
    bool fermato = false;
    QObject::connect(risposta, &QNetworkReply::downloadProgress, risposta,
                     [&](qint64 ricevuti, qint64 totale) {
                         if (progresso && !fermato && !progresso(ricevuti, totale)) {
                             fermato = true;
                             risposta->abort();
                         }
                     });
    bool scaduto = false;
    Attendi(risposta, false, scaduto);
    if (!scrittoMale && !fermato && risposta->isOpen())
        file.write(risposta->readAll());
    Esito(risposta, scaduto, r);
    if (scrittoMale) {
        r.errore = -1;
        r.descrizione = file.errorString();
    } else if (fermato) {
        r.errore = QNetworkReply::OperationCanceledError;
        r.descrizione = u"Scaricamento interrotto"_s;
    }
    r.riuscita = r.errore == 0;
    if (r.riuscita && !file.commit()) {
        r.riuscita = false;
        r.errore = -1;
        r.descrizione = file.errorString();
    }
    risposta->deleteLater();
    return r;
}
