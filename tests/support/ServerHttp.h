#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QTcpServer;
class QTcpSocket;

// A small HTTP server on 127.0.0.1 inside the test program, serving pages that
// the test writes (by path and query, or by path alone) or the files of a
// folder. It answers while the test's event loop runs (the program's
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

    // "http://127.0.0.1:port"
    QString Base() const { return QStringLiteral("http://") + Host(); }
    void Ferma();

    void Servi(const QString& percorso, const Pagina& pagina);
    void Metti(const QString& percorso, const QByteArray& corpo,
               const QByteArray& tipo = "text/html; charset=utf-8")
    {
        Servi(percorso, Pagina{corpo, tipo});
    }
    // Files under cartella, by their path in it, for paths not served above.
    void ServiCartella(const QString& cartella) { cartella_ = cartella; }
    // Reads every request and answers none.
    void NonRispondere(bool mai) { maiRispondere_ = mai; }
    void Servi(const QString& percorso, const QByteArray& corpo) { Servi(percorso, Pagina{corpo}); }

    struct Richiesta
    {
        QByteArray metodo;
        QString percorso;
        QHash<QByteArray, QByteArray> intestazioni; // names in lower case
    };
    const QList<Richiesta>& Richieste() const { return richieste_; }
    // The paths (with their queries) requested, in order.
    QStringList Percorsi() const;

private:
    void Leggi(QTcpSocket* socket);

    QTcpServer* server_ = nullptr;
    QHash<QString, Pagina> pagine_;
    QList<Richiesta> richieste_;
    QString cartella_;
    bool maiRispondere_ = false;
};
