#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <functional>

// The HTTP request object of the office's program: a GET that returns when the
// answer is there, the transfer fails or the time limit passes. No cache is
// read or written on the way. While it waits, events run but the person's
// input waits in the queue.

struct RispostaHttp
{
    bool riuscita = false;
    int stato = 0;       // HTTP status, 0 when no answer came
    QByteArray corpo;    // the answer's bytes
    QString testo;       // the answer as text, in the charset it declares
    int errore = 0;      // 0, or the number of the failure
    QString descrizione; // what went wrong, for the person
};

// The limit of a request that never ends (20 s unless a test sets another);
// 0 restores the default.
void ImpostaLimiteHttp(int millisecondi);
int LimiteHttp();

// A status of 400 or more is a failure too: an error page is not the page;
// stato still tells whether the server answered. limiteMs bounds the whole
// request (0: the limit above).
RispostaHttp HttpGetSincrono(const QUrl& indirizzo, int limiteMs = 0);

// An answer's bytes as text: the charset of the Content-Type header, else the
// page's own meta tag, else UTF-8 when valid, else Windows-1252.
QString TestoHttp(const QByteArray& corpo, const QByteArray& tipoContenuto);

// Downloads indirizzo into the file destinazione (replaced whole only when the
// download is complete). progresso is told the bytes received and the total
// (-1 when unknown) and may return false to stop. A download that receives
// nothing for the time limit fails.
RispostaHttp ScaricaHttp(const QUrl& indirizzo, const QString& destinazione,
                         const std::function<bool(qint64, qint64)>& progresso = {});
