#include "scambio/OsservatoreFtp.h"

#include "piattaforma/Percorsi.h"
#include "scambio/TrascrizioneFtp.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString Verbo(const QString& riga)
{
    return riga.trimmed().section(u' ', 0, 0, QString::SectionSkipEmpty).toLower();
}

bool RigaDiFile(const QString& riga)
{
    static const QSet<QString> verbi = {u"put"_s,  u"get"_s,  u"mget"_s,
                                        u"mput"_s, u"send"_s, u"recv"_s};
    return verbi.contains(Verbo(riga));
}

} // namespace

OsservatoreFtp::OsservatoreFtp(const RichiestaFtp& r)
{
    for (const QString& riga : r.righe) {
        if (!RigaDiFile(riga))
            continue;
        ++totaleFile_;
        const QString verbo = Verbo(riga);
        if (verbo == u"put"_s || verbo == u"send"_s) {
            const QString nome = riga.trimmed().section(u' ', 1, 1, QString::SectionSkipEmpty);
            const qint64 dimensione = QFileInfo(UnisciPercorso(r.cartella, nome)).size();
            dimensioni_.append(dimensione);
            primaDi_.append(primaDi_.last() + qMax<qint64>(dimensione, 0));
        } else {
            soloInvii_ = false;
        }
    }
}

AvanzamentoFtp OsservatoreFtp::Calcola(const LettoreTrascrizione& lettura, const IoProcesso& io,
                                       qint64 pid)
{
    const auto& trasferimenti = lettura.Trasferimenti();
    const int numero = int(trasferimenti.size());
    // Bytes the server has taken: written by the client and no longer queued.
    const qint64 mossi =
        io.Noto() ? (soloInvii_ ? io.scritti - qMax<qint64>(io.inCoda, 0) : io.letti) : -1;
    if (numero != numeroVisto_) {
        numeroVisto_ = numero;
        inizioFile_ = mossi;
    }
    AvanzamentoFtp a;
    a.file = numero > 0 ? QFileInfo(trasferimenti.last().locale).fileName() : QString();
    a.numeroFile = numero;
    a.totaleFile = qMax(totaleFile_, numero);
    a.pid = pid;
    if (soloInvii_) {
        a.byteTotali = primaDi_.last();
        a.byte = primaDi_[std::clamp<qsizetype>(numero - 1, 0, dimensioni_.size())];
        if (numero >= 1 && numero <= dimensioni_.size() && mossi >= 0 && inizioFile_ >= 0)
            a.byte += qBound<qint64>(0, mossi - inizioFile_, dimensioni_[numero - 1]);
    } else if (mossi >= 0) {
        if (inizioRun_ < 0)
            inizioRun_ = mossi;
        a.byte = mossi - inizioRun_;
    }
    return a;
}
