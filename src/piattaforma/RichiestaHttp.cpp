#include "piattaforma/RichiestaHttp.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTimer>

#include <cctype>

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

QString CharsetDichiarato(const QByteArray& testo)
{
    const qsizetype i = testo.toLower().indexOf("charset=");
    if (i < 0)
        return {};
    qsizetype inizio = i + 8;
    while (inizio < testo.size() &&
           (testo[inizio] == '"' || testo[inizio] == '\'' || testo[inizio] == ' '))
        ++inizio;
    qsizetype fine = inizio;
    while (fine < testo.size() && (std::isalnum(static_cast<unsigned char>(testo[fine])) ||
                                   QByteArrayView("._:-").contains(testo[fine])))
        ++fine;
    return QString::fromLatin1(testo.mid(inizio, fine - inizio));
}

} // namespace

QString TestoHttp(const QByteArray& corpo, const QByteArray& tipoContenuto)
{
    // The header's charset first, then the page's own meta tag.
    for (const QString& nome :
         {CharsetDichiarato(tipoContenuto), CharsetDichiarato(corpo.left(1024))}) {
        if (nome.isEmpty())
            continue;
        QStringDecoder dichiarato(nome.toLatin1().constData());
        if (dichiarato.isValid())
            return dichiarato.decode(corpo);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString testo = utf8.decode(corpo);
    if (!utf8.hasError())
        return testo;
    // Pages from older servers: the Western Windows code page.
    QStringDecoder windows("windows-1252");
    return windows.isValid() ? windows.decode(corpo) : QString::fromLatin1(corpo);
}

namespace {

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

} // namespace

void ImpostaLimiteHttp(int millisecondi)
{
    limite = millisecondi > 0 ? millisecondi : LimitePredefinito;
}

int LimiteHttp()
{
    return limite;
}

RispostaHttp HttpGetSincrono(const QUrl& indirizzo, int limiteMs)
{
    if (limiteMs <= 0)
        limiteMs = limite;
    RispostaHttp r;
    QNetworkAccessManager rete;
    QNetworkReply* risposta = rete.get(Richiesta(indirizzo));
    bool scaduto = false;
    Attendi(risposta, false, limiteMs, scaduto);
    Esito(risposta, scaduto, limiteMs, r);
    if (risposta->isOpen())
        r.corpo = risposta->readAll();
    r.testo =
        TestoHttp(r.corpo, risposta->header(QNetworkRequest::ContentTypeHeader).toByteArray());
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
    Attendi(risposta, true, limite, scaduto);
    if (!scrittoMale && !fermato && risposta->isOpen())
        file.write(risposta->readAll());
    Esito(risposta, scaduto, limite, r);
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
