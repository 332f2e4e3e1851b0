// The module norvel-rete.so: the HTTP requests on Qt's network library. It is
// loaded by ModuloRete on the first request and uses nothing of the program
// but the interface's types.
#include "piattaforma/ModuloRete.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

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

// Runs the reply to its end; scaduto tells the time limit apart from a stop.
// A download that the person can stop counts the limit from the last data;
// a page request has it for the whole answer, so a server that drips never
// keeps the window waiting.
void Attendi(QNetworkReply* risposta, bool scaricamento, int limiteMs, bool& scaduto)
{
    QEventLoop ciclo;
    QTimer limiteTempo;
    limiteTempo.setSingleShot(true);
    QObject::connect(&limiteTempo, &QTimer::timeout, risposta, [&]() {
        scaduto = true;
        risposta->abort();
    });
    if (scaricamento)
        QObject::connect(risposta, &QNetworkReply::downloadProgress, &limiteTempo,
                         [&limiteTempo]() { limiteTempo.start(); });
    QObject::connect(risposta, &QNetworkReply::finished, &ciclo, &QEventLoop::quit);
    limiteTempo.start(limiteMs);
    if (!risposta->isFinished())
        ciclo.exec(scaricamento ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
}

void Esito(QNetworkReply* risposta, bool scaduto, int limiteMs, RispostaHttp& r)
{
    r.stato = risposta->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (scaduto) {
        r.errore = QNetworkReply::TimeoutError;
        r.descrizione = u"Nessuna risposta da "_s + risposta->url().host() + u" in "_s +
                        QString::number(limiteMs / 1000.0) + u" secondi"_s;
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

RispostaHttp Get(const QUrl& indirizzo, int limiteMs, QByteArray* tipoContenuto)
{
    RispostaHttp r;
    QNetworkAccessManager rete;
    QNetworkReply* risposta = rete.get(Richiesta(indirizzo));
    bool scaduto = false;
    Attendi(risposta, false, limiteMs, scaduto);
    Esito(risposta, scaduto, limiteMs, r);
    if (risposta->isOpen())
        r.corpo = risposta->readAll();
    *tipoContenuto = risposta->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    risposta->deleteLater();
    return r;
}

RispostaHttp Scarica(const QUrl& indirizzo, const QString& destinazione, int limiteMs,
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
    Attendi(risposta, true, limiteMs, scaduto);
    if (!scrittoMale && !fermato && risposta->isOpen())
        file.write(risposta->readAll());
    Esito(risposta, scaduto, limiteMs, r);
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

const InterfacciaRete Interfaccia{VersioneInterfacciaRete, &Get, &Scarica};

} // namespace

extern "C" Q_DECL_EXPORT const InterfacciaRete* NorvelInterfacciaRete()
{
    return &Interfaccia;
}
