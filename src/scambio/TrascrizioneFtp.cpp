#include "scambio/TrascrizioneFtp.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStringTokenizer>

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
        // A write that failed here cuts the file whatever the server answered
        // (its 426 and the client's own error reach the pipe in either order).
        if ((f.esito == EsitoFileFtp::Accettato && !TrasferimentoIntegro(t)) ||
            !t.erroreLocale.isEmpty()) {
            f.esito = EsitoFileFtp::Incompleto;
            f.motivo = MotivoIncompleto(t);
        }
    } else if (t.avviato) {
        f.esito = EsitoFileFtp::Rifiutato;
        f.motivo = u"il server non ha confermato il trasferimento"_s;
    } else {
        f.motivo = t.messaggio;
    }
    return f;
}

bool Corrisponde(const QList<QRegularExpression>& modelli, const QString& nome)
{
    for (const QRegularExpression& m : modelli)
        if (m.match(nome).hasMatch() || m.match(QFileInfo(nome).fileName()).hasMatch())
            return true;
    return false;
}

LettoreTrascrizione LetturaIntera(const QStringList& righe, const QString& trascrizione)
{
    LettoreTrascrizione lettore(righe);
    for (const QStringView riga : qTokenize(trascrizione, u'\n'))
        lettore.Leggi(riga.toString());
    lettore.Concludi();
    return lettore;
}

} // namespace

QString ErroreDelClient(const QString& riga)
{
    // The client signs its errors with the name it was started by.
    for (const QLatin1StringView nome : {"tnftp: "_L1, "ftp: "_L1})
        if (riga.startsWith(nome))
            return riga.mid(nome.size()).trimmed();
    return {};
}

QString MotivoIncompleto(const TrasferimentoFtp& t)
{
    if (!t.erroreLocale.isEmpty())
        return t.erroreLocale;
    if (t.annunciati >= 0 && t.byte >= 0 && t.byte != t.annunciati)
        return u"trasferiti %1 byte su %2"_s.arg(t.byte).arg(t.annunciati);
    return {};
}

bool TrasferimentoIntegro(const TrasferimentoFtp& t)
{
    return Confermato(t.codice) && MotivoIncompleto(t).isEmpty();
}

QString AccessoRifiutato(const QString& trascrizione)
{
    static const QRegularExpression risposta(u"^([1-5][0-9][0-9]) "_s);
    for (QStringView riga : qTokenize(trascrizione, u'\n')) {
        if (riga.endsWith(u'\r'))
            riga.chop(1);
        const auto r = risposta.match(riga);
        if (!r.hasMatch())
            continue;
        const int codice = r.capturedView(1).toInt();
        if (codice == 230)
            return {};
        // After "user": 530 refused, 421 and other 4xx/5xx not served.
        if (codice == 530 || (codice >= 400 && codice != 500 && codice != 502))
            return riga.toString();
    }
    return {};
}

LettoreTrascrizione::LettoreTrascrizione(const QStringList& righe) : righe_(righe) {}

void LettoreTrascrizione::Aggiungi(QByteArrayView byte)
{
    qsizetype inizio = 0;
    for (qsizetype fine = byte.indexOf('\n'); fine >= 0; fine = byte.indexOf('\n', inizio)) {
        const QByteArrayView riga = byte.sliced(inizio, fine - inizio);
        if (resto_.isEmpty()) {
            Leggi(QString::fromLocal8Bit(riga));
        } else {
            resto_ += riga;
            Leggi(QString::fromLocal8Bit(resto_));
            resto_.clear();
        }
        inizio = fine + 1;
    }
    resto_ += byte.sliced(inizio);
}

void LettoreTrascrizione::Leggi(QString riga)
{
    static const QRegularExpression annuncio(u"^local: (.*) remote: (.*)$"_s);
    static const QRegularExpression risposta(u"^([1-5][0-9][0-9])[ -]"_s);
    static const QRegularExpression conteggio(u"^([0-9]+) bytes (sent|received) "_s);
    static const QRegularExpression dimensione(u"^(.+)\t([0-9]+)$"_s);
    static const QRegularExpression erroreLocale(u"^[^`]*`(.*)': (.+)$"_s);
    static const QRegularExpression annunciati(u"^150[ -].*\\(([0-9]+) bytes\\)"_s);

    if (riga.endsWith(u'\r'))
        riga.chop(1);
    const auto a = annuncio.match(riga);
    if (a.hasMatch()) {
        TrasferimentoFtp t;
        t.locale = a.captured(1);
        t.remoto = a.captured(2);
        t.annunciati = dimensioni_.value(t.remoto, -1);
        t.erroreLocale = erroriLocali_.take(t.locale);
        dimensioni_.clear();
        trasferimenti_.append(t);
        aperto_ = true;
        Abbina(false);
        return;
    }
    // The answer to "size", before the transfer it announces.
    const auto d = dimensione.match(riga);
    if (d.hasMatch()) {
        dimensioni_.insert(d.captured(1), d.captured(2).toLongLong());
        return;
    }
    // The client's own error on the local file may come before or after the
    // lines of its transfer: it goes by the file's name. Once a later transfer
    // is announced, an earlier one is final: the error waits for the next.
    const QString delClient = ErroreDelClient(riga);
    const auto e = delClient.isEmpty() ? QRegularExpressionMatch() : erroreLocale.match(delClient);
    if (e.hasMatch()) {
        const QString locale = e.captured(1);
        if (trasferimenti_.isEmpty() || trasferimenti_.last().locale != locale)
            erroriLocali_.insert(locale, delClient);
        else if (trasferimenti_.last().erroreLocale.isEmpty())
            trasferimenti_.last().erroreLocale = delClient;
    }
    if (trasferimenti_.isEmpty())
        return;
    TrasferimentoFtp& t = trasferimenti_.last();
    const auto n = annunciati.match(riga);
    if (n.hasMatch() && aperto_)
        t.annunciati = n.captured(1).toLongLong();
    const auto c = conteggio.match(riga);
    if (c.hasMatch()) {
        t.byte = c.captured(1).toLongLong();
        return;
    }
    if (!aperto_)
        return;
    const auto r = risposta.match(riga);
    if (!r.hasMatch()) {
        if (t.messaggio.isEmpty() && !riga.trimmed().isEmpty())
            t.messaggio = riga.trimmed();
        return;
    }
    const int codice = r.captured(1).toInt();
    // The server's good-bye ends the session, not the transfer.
    if (codice == 221) {
        aperto_ = false;
        return;
    }
    t.avviato = true;
    if (Preparazione(codice))
        return;
    // The first other reply is the transfer's own.
    t.codice = codice;
    t.risposta = riga;
    aperto_ = false;
}

void LettoreTrascrizione::Concludi()
{
    if (!resto_.isEmpty()) {
        Leggi(QString::fromLocal8Bit(resto_));
        resto_.clear();
    }
    Abbina(true);
}

FileFtp LettoreTrascrizione::File(qsizetype i) const
{
    const qsizetype t = origine_[i];
    if (t < 0)
        return file_[i];
    FileFtp f = DaTrasferimento(trasferimenti_[t]);
    f.file = file_[i].file;
    f.destinazione = file_[i].destinazione;
    f.direzione = file_[i].direzione;
    f.concluso = t + 1 < trasferimenti_.size();
    return f;
}

void LettoreTrascrizione::Prendi(const QString& nome, const QString& destinazione,
                                 const QString& direzione)
{
    FileFtp f;
    f.file = nome;
    f.destinazione = destinazione;
    f.direzione = direzione;
    file_.append(f);
    origine_.append(prossimo_);
    ++prossimo_;
}

void LettoreTrascrizione::Manca(const QString& nome, const QString& destinazione,
                                const QString& direzione)
{
    FileFtp f;
    f.file = nome;
    f.destinazione = destinazione;
    f.direzione = direzione;
    f.concluso = prossimo_ < trasferimenti_.size();
    file_.append(f);
    origine_.append(-1);
}

// Settles the script's lines in order while the transfers announced so far
// decide them; unless fine, a line waits while the client may still announce
// a transfer for it.
void LettoreTrascrizione::Abbina(bool fine)
{
    const qsizetype totale = trasferimenti_.size();
    for (; riga_ < righe_.size(); ++riga_) {
        const QStringList parole = righe_[riga_].split(u' ', Qt::SkipEmptyParts);
        if (parole.size() < 2)
            continue;
        const QString verbo = parole[0].toLower();
        const bool invio = verbo == u"put"_s || verbo == u"send"_s || verbo == u"mput"_s;
        const bool ricezione = verbo == u"get"_s || verbo == u"recv"_s || verbo == u"mget"_s;
        if (!invio && !ricezione)
            continue;
        const QString direzione = invio ? u"put"_s : u"get"_s;
        // A put goes by its local name, a get by the remote one, as the line names them.
        auto nomeDi = [&](qsizetype t) -> const QString& {
            return invio ? trasferimenti_[t].locale : trasferimenti_[t].remoto;
        };

        if (verbo.startsWith(u'm')) {
            if (rigaModelli_ != riga_) {
                rigaModelli_ = riga_;
                presi_ = 0;
                modelli_.clear();
                for (qsizetype i = 1; i < parole.size(); ++i)
                    modelli_.append(QRegularExpression(
                        QRegularExpression::wildcardToRegularExpression(parole[i])));
            }
            for (; prossimo_ < totale && Corrisponde(modelli_, nomeDi(prossimo_)); ++presi_)
                Prendi(nomeDi(prossimo_), {}, direzione);
            if (prossimo_ == totale && !fine)
                break;
            if (presi_ == 0)
                Manca(parole.mid(1).join(u' '), {}, direzione);
            continue;
        }
        if (prossimo_ == totale && !fine)
            break;
        const QString destinazione = parole.size() > 2 ? parole[2] : QString();
        if (prossimo_ < totale && nomeDi(prossimo_) == parole[1])
            Prendi(parole[1], destinazione, direzione);
        else
            Manca(parole[1], destinazione, direzione);
    }
    // A file is final once the client announced a later transfer.
    for (; conclusi_ < file_.size(); ++conclusi_) {
        const qsizetype t = origine_[conclusi_];
        if (t < 0 ? !file_[conclusi_].concluso : t + 1 >= totale)
            break;
    }
}

QList<TrasferimentoFtp> TrasferimentiFtp(const QString& trascrizione)
{
    return LetturaIntera({}, trascrizione).Trasferimenti();
}

QStringList CaricamentiAccettati(const QString& trascrizione, const QStringList& nomi)
{
    QSet<QString> accettati;
    for (const TrasferimentoFtp& t : TrasferimentiFtp(trascrizione)) {
        if (!TrasferimentoIntegro(t))
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
    const LettoreTrascrizione lettore = LetturaIntera(righe, trascrizione);
    QList<FileFtp> file;
    file.reserve(lettore.NumeroFile());
    for (qsizetype i = 0; i < lettore.NumeroFile(); ++i)
        file.append(lettore.File(i));
    return file;
}
