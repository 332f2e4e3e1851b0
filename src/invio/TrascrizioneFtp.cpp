#include "invio/TrascrizioneFtp.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {

// Replies that only set up the data connection, or a passive mode the server
// does not know before the client falls back to another.
bool Preparazione(int codice)
{
    static const QSet<int> codici = {200, 227, 228, 229, 500, 502};
    return codice < 200 || codici.contains(codice);
}

bool Confermato(int codice)
{
    return codice == 226 || codice == 250;
}

FileFtp DaTrasferimento(const TrasferimentoFtp& t)
{
    FileFtp f;
    f.byte = t.byte;
    if (t.codice != 0) {
        f.esito = Confermato(t.codice) ? EsitoFileFtp::Accettato : EsitoFileFtp::Rifiutato;
        f.risposta = t.risposta;
    } else if (t.avviato) {
        f.esito = EsitoFileFtp::Rifiutato;
        f.motivo = u"il server non ha confermato il trasferimento"_s;
    } else {
        f.motivo = t.messaggio;
    }
    return f;
}

} // namespace

QList<TrasferimentoFtp> TrasferimentiFtp(const QString& trascrizione)
{
    static const QRegularExpression annuncio(u"^local: (.*) remote: (.*)$"_s);
    static const QRegularExpression risposta(u"^([1-5][0-9][0-9])[ -]"_s);
    static const QRegularExpression conteggio(u"^([0-9]+) bytes (sent|received) "_s);

    QList<TrasferimentoFtp> trasferimenti;
    bool aperto = false; // the last transfer still waits for its own reply
    const QStringList righe = trascrizione.split(u'\n');
    for (QString riga : righe) {
        if (riga.endsWith(u'\r'))
            riga.chop(1);
        const auto a = annuncio.match(riga);
        if (a.hasMatch()) {
            TrasferimentoFtp t;
            t.locale = a.captured(1);
            t.remoto = a.captured(2);
            trasferimenti.append(t);
            aperto = true;
            continue;
        }
        if (trasferimenti.isEmpty())
            continue;
        TrasferimentoFtp& t = trasferimenti.last();
        const auto c = conteggio.match(riga);
        if (c.hasMatch()) {
            t.byte = c.captured(1).toLongLong();
            continue;
        }
        if (!aperto)
            continue;
        const auto r = risposta.match(riga);
        if (!r.hasMatch()) {
            if (t.messaggio.isEmpty() && !riga.trimmed().isEmpty())
                t.messaggio = riga.trimmed();
            continue;
        }
        const int codice = r.captured(1).toInt();
        // The server's good-bye ends the session, not the transfer.
        if (codice == 221) {
            aperto = false;
            continue;
        }
        t.avviato = true;
        if (Preparazione(codice))
            continue;
        // The first other reply is the transfer's own.
        t.codice = codice;
        t.risposta = riga;
        aperto = false;
    }
    return trasferimenti;
}

QStringList CaricamentiAccettati(const QString& trascrizione, const QStringList& nomi)
{
    QSet<QString> accettati;
    for (const TrasferimentoFtp& t : TrasferimentiFtp(trascrizione)) {
        if (!Confermato(t.codice))
            continue;
        accettati.insert(t.locale);
        accettati.insert(t.remoto);
        accettati.insert(QFileInfo(t.locale).fileName());
    }
    QStringList esito;
    for (const QString& n : nomi)
        if (accettati.contains(n))
            esito << n;
    return esito;
}

QList<FileFtp> FileDellaTrascrizione(const QStringList& righe, const QString& trascrizione)
{
    const QList<TrasferimentoFtp> trasferimenti = TrasferimentiFtp(trascrizione);
    const qsizetype totale = trasferimenti.size();
    qsizetype prossimo = 0;
    QList<FileFtp> file;

    auto prendi = [&](const QString& nome, const QString& direzione) {
        FileFtp f = DaTrasferimento(trasferimenti[prossimo]);
        f.file = nome;
        f.direzione = direzione;
        ++prossimo;
        f.concluso = prossimo < totale;
        file.append(f);
    };
    auto mancante = [&](const QString& nome, const QString& destinazione,
                        const QString& direzione) {
        FileFtp f;
        f.file = nome;
        f.destinazione = destinazione;
        f.direzione = direzione;
        f.concluso = prossimo < totale;
        file.append(f);
    };

    for (const QString& riga : righe) {
        const QStringList parole = riga.split(u' ', Qt::SkipEmptyParts);
        if (parole.size() < 2)
            continue;
        const QString verbo = parole[0].toLower();
        const bool invio = verbo == u"put"_s || verbo == u"send"_s || verbo == u"mput"_s;
        const bool ricezione = verbo == u"get"_s || verbo == u"recv"_s || verbo == u"mget"_s;
        if (!invio && !ricezione)
            continue;
        const QString direzione = invio ? u"put"_s : u"get"_s;
        // A put goes by its local name, a get by the remote one, as the line names them.
        auto nomeDi = [invio](const TrasferimentoFtp& t) { return invio ? t.locale : t.remoto; };

        if (verbo.startsWith(u'm')) {
            QList<QRegularExpression> modelli;
            for (qsizetype i = 1; i < parole.size(); ++i)
                modelli.append(
                    QRegularExpression(QRegularExpression::wildcardToRegularExpression(parole[i])));
            auto corrisponde = [&](const TrasferimentoFtp& t) {
                for (const QRegularExpression& m : modelli)
                    if (m.match(nomeDi(t)).hasMatch() ||
                        m.match(QFileInfo(nomeDi(t)).fileName()).hasMatch())
                        return true;
                return false;
            };
            const qsizetype prima = file.size();
            while (prossimo < totale && corrisponde(trasferimenti[prossimo]))
                prendi(nomeDi(trasferimenti[prossimo]), direzione);
            if (file.size() == prima)
                mancante(parole.mid(1).join(u' '), {}, direzione);
            continue;
        }
        const QString destinazione = parole.size() > 2 ? parole[2] : QString();
        if (prossimo < totale && nomeDi(trasferimenti[prossimo]) == parole[1]) {
            prendi(parole[1], direzione);
            file.last().destinazione = destinazione;
        } else {
            mancante(parole[1], destinazione, direzione);
        }
    }
    return file;
}
