#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class QTcpServer;
class QTcpSocket;

// A small HTTP server on 127.0.0.1 inside the test program, serving pages that
// the test writes. It answers while the test's event loop runs (the program's
// synchronous requests run one), and stops when the object goes.
class ServerHttp : public QObject
{
    Q_OBJECT

public:
    struct Pagina
    {
        QByteArray corpo;
        QByteArray tipo = "text/html; charset=utf-8";
        int stato = 200;
        bool muta = false; // never answers
    };

    ServerHttp();
    ~ServerHttp() override;

    // False when no port could be opened on 127.0.0.1.
    bool Avvia();
    quint16 Porta() const;
    // "127.0.0.1:port"
    QString Host() const;
    // "http://127.0.0.1:port" + percorso
    QString Indirizzo(const QString& percorso) const;

    void Servi(const QString& percorso, const Pagina& pagina);
    void Servi(const QString& percorso, const QByteArray& corpo) { Servi(percorso, Pagina{corpo}); }

    struct Richiesta
    {
        QByteArray metodo;
        QString percorso;
        QHash<QByteArray, QByteArray> intestazioni; // names in lower case
    };
    const QList<Richiesta>& Richieste() const { return richieste_; }

private:
    void Leggi(QTcpSocket* socket);

    QTcpServer* server_ = nullptr;
    QHash<QString, Pagina> pagine_;
    QList<Richiesta> richieste_;
};
