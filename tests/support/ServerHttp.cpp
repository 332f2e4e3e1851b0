#include "support/ServerHttp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

using namespace Qt::StringLiterals;

ServerHttp::ServerHttp() : server_(new QTcpServer(this))
{
    connect(server_, &QTcpServer::newConnection, this, [this]() {
        while (QTcpSocket* s = server_->nextPendingConnection()) {
            connect(s, &QTcpSocket::readyRead, this, [this, s]() { Leggi(s); });
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    });
}

ServerHttp::~ServerHttp()
{
    server_->close();
}

bool ServerHttp::Avvia()
{
    return server_->listen(QHostAddress::LocalHost, 0);
}

quint16 ServerHttp::Porta() const
{
    return server_->serverPort();
}

QString ServerHttp::Host() const
{
    return u"127.0.0.1:"_s + QString::number(Porta());
}

QString ServerHttp::Indirizzo(const QString& percorso) const
{
    return u"http://"_s + Host() + percorso;
}

void ServerHttp::Ferma()
{
    server_->close();
    for (QTcpSocket* s : findChildren<QTcpSocket*>())
        s->abort();
}

QStringList ServerHttp::Percorsi() const
{
    QStringList p;
    for (const Richiesta& r : richieste_)
        p << r.percorso;
    return p;
}

void ServerHttp::Servi(const QString& percorso, const Pagina& pagina)
{
    pagine_.insert(percorso, pagina);
}

void ServerHttp::Leggi(QTcpSocket* socket)
{
    // The whole head first; the requests here have no body.
    if (!socket->property("testa").toByteArray().endsWith("\r\n\r\n")) {
        QByteArray testa = socket->property("testa").toByteArray() + socket->readAll();
        socket->setProperty("testa", testa);
        if (!testa.contains("\r\n\r\n"))
            return;
    }
    const QList<QByteArray> righe = socket->property("testa").toByteArray().split('\n');
    const QList<QByteArray> prima = righe.value(0).trimmed().split(' ');
    Richiesta r;
    r.metodo = prima.value(0);
    r.percorso = QString::fromUtf8(prima.value(1));
    for (qsizetype i = 1; i < righe.size(); ++i) {
        const qsizetype due = righe[i].indexOf(':');
        if (due > 0)
            r.intestazioni.insert(righe[i].left(due).trimmed().toLower(),
                                  righe[i].mid(due + 1).trimmed());
    }
    richieste_.append(r);

    if (maiRispondere_)
        return;
    auto trovata = pagine_.constFind(r.percorso);
    const QString soloPercorso = QUrl(r.percorso).path();
    if (trovata == pagine_.constEnd())
        trovata = pagine_.constFind(soloPercorso);
    Pagina p;
    QFile file(QDir(cartella_).filePath(soloPercorso.mid(1)));
    if (trovata == pagine_.constEnd() && !cartella_.isEmpty() && !soloPercorso.contains(u".."_s) &&
        file.open(QIODevice::ReadOnly)) {
        p.corpo = file.readAll();
        const QString estensione = QFileInfo(soloPercorso).suffix().toLower();
        if (estensione != u"htm"_s && estensione != u"html"_s)
            p.tipo = "application/octet-stream";
    } else if (trovata == pagine_.constEnd()) {
        p.stato = 404;
        p.corpo = "<html><body>Pagina non trovata</body></html>";
    } else {
        p = *trovata;
    }
    if (p.muta)
        return;
    const QByteArray motivo = p.stato == 200 ? "OK" : p.stato == 404 ? "Not Found" : "Error";
    QByteArray risposta = "HTTP/1.1 " + QByteArray::number(p.stato) + ' ' + motivo + "\r\n";
    risposta += "Content-Type: " + p.tipo + "\r\n";
    risposta += "Content-Length: " + QByteArray::number(p.corpo.size()) + "\r\n";
    risposta += "Connection: close\r\n\r\n";
    risposta += p.corpo;
    socket->write(risposta);
    socket->disconnectFromHost();
}
