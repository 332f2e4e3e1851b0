#include "shell/RicercaRegistro.h"

#include "shell/RegistroTrasferimenti.h"

#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString Campo(const QJsonObject& r, const QString& nome)
{
    const QJsonValue v = r.value(nome);
    if (v.isString())
        return v.toString();
    if (v.isDouble())
        return QString::number(v.toDouble());
    return {};
}

bool NominaFile(const QJsonObject& r, const QString& testo)
{
    return Campo(r, u"file"_s).contains(testo, Qt::CaseInsensitive) ||
           Campo(r, u"destinazione"_s).contains(testo, Qt::CaseInsensitive);
}

// One day's records with their run's operation; a record without a run key
// belongs to the run last opened, as the log window reads it.
void LeggiGiorno(const QDate& giorno, const FiltroRegistro& filtro, RisultatoRegistro& esito)
{
    QFile f(FileRegistro(giorno));
    if (!f.open(QIODevice::ReadOnly)) {
        esito.errori.append(f.fileName() + u" ("_s + f.errorString() + u')');
        return;
    }
    QHash<QString, QString> operazioni;
    QString ultima;
    while (!f.atEnd()) {
        QByteArray riga = f.readLine();
        while (riga.endsWith('\n') || riga.endsWith('\r'))
            riga.chop(1);
        if (riga.trimmed().isEmpty())
            continue;
        QJsonParseError errore;
        const QJsonDocument documento = QJsonDocument::fromJson(riga, &errore);
        if (errore.error != QJsonParseError::NoError || !documento.isObject() ||
            !documento.object().value(u"tipo"_s).isString()) {
            ++esito.illeggibili;
            continue;
        }
        const QJsonObject r = documento.object();
        const QString corsa = Campo(r, u"corsa"_s);
        if (Campo(r, u"tipo"_s) == u"inizio"_s) {
            ultima = Campo(r, u"operazione"_s);
            operazioni.insert(corsa, ultima);
        }
        const QString operazione = corsa.isEmpty() ? ultima : operazioni.value(corsa);
        if (!filtro.operazione.isEmpty() &&
            operazione.compare(filtro.operazione, Qt::CaseInsensitive) != 0)
            continue;
        if (!filtro.cerca.isEmpty() && !NominaFile(r, filtro.cerca))
            continue;
        esito.voci.append({giorno, r, riga, operazione});
    }
}

} // namespace

RisultatoRegistro CercaRegistro(const FiltroRegistro& filtro, const std::function<bool()>& fermo)
{
    RisultatoRegistro esito;
    QList<QDate> giorni = GiorniRegistro();
    std::reverse(giorni.begin(), giorni.end());
    for (const QDate& g : std::as_const(giorni)) {
        if ((filtro.dal.isValid() && g < filtro.dal) || (filtro.al.isValid() && g > filtro.al))
            continue;
        if (fermo && fermo()) {
            esito.annullata = true;
            break;
        }
        LeggiGiorno(g, filtro, esito);
    }
    return esito;
}

QString RigaCronologia(const VoceRegistro& voce)
{
    const QJsonObject& r = voce.record;
    const QString tipo = Campo(r, u"tipo"_s);
    QString ora = Campo(r, u"ora"_s).left(19).replace(u'T', u' ');
    if (ora.isEmpty())
        ora = voce.giorno.toString(u"yyyy-MM-dd"_s) + u" --:--:--"_s;
    QString file = u"-"_s;
    QString esito = tipo;
    QString risposta;
    if (tipo == u"file"_s) {
        file = Campo(r, u"file"_s);
        if (const QString d = Campo(r, u"destinazione"_s); !d.isEmpty())
            file += u" -> "_s + d;
        esito = Campo(r, u"esito"_s);
        risposta = Campo(r, u"risposta"_s);
        if (const QString m = Campo(r, u"motivo"_s); !m.isEmpty())
            risposta = risposta.isEmpty() ? m : risposta + u" ("_s + m + u')';
    } else if (tipo == u"inizio"_s) {
        risposta = Campo(r, u"utente"_s) + u'@' + Campo(r, u"host"_s);
        if (r.value(u"automatico"_s).toBool())
            risposta += u" (automatico)"_s;
    } else if (tipo == u"fine"_s) {
        esito = u"fine: "_s + Campo(r, u"esito"_s);
    }
    const QString operazione = voce.operazione.isEmpty() ? u"-"_s : voce.operazione;
    QStringList campi = {ora, operazione, file, esito, risposta.isEmpty() ? u"-"_s : risposta};
    // A reply with a line break must not make two lines.
    for (QString& c : campi)
        c = c.simplified();
    return campi.join(u"  "_s);
}

QString ChiaveStoria(const QString& nome)
{
    static const QRegularExpression dichiarazione(u"^[^.]{8}\\.[A-Za-z0-9][A-Za-z0-9?]{2}"_s);
    // The unwrap names its files from the base folder ("Ricevuti\\nome").
    const QString n = nome.mid(qMax(nome.lastIndexOf(u'/'), nome.lastIndexOf(u'\\')) + 1).trimmed();
    if (const auto m = dichiarazione.match(n); m.hasMatch())
        return m.captured(0);
    return n.endsWith(u".P7M"_s, Qt::CaseInsensitive) ? n.chopped(4) : n;
}

RisultatoRegistro StoriaFile(const QString& nome, const std::function<bool()>& fermo)
{
    FiltroRegistro filtro;
    filtro.cerca = ChiaveStoria(nome);
    if (filtro.cerca.isEmpty())
        return {};
    return CercaRegistro(filtro, fermo);
}

int RicevutiAutomatici(const QDateTime& dal)
{
    FiltroRegistro filtro;
    filtro.dal = dal.date().addDays(-1); // a run that started before midnight
    filtro.operazione = u"ricezione"_s;
    QSet<QString> automatiche;
    int quanti = 0;
    for (const VoceRegistro& v : CercaRegistro(filtro).voci) {
        const QString tipo = Campo(v.record, u"tipo"_s);
        const QString corsa = v.giorno.toString(Qt::ISODate) + Campo(v.record, u"corsa"_s);
        if (tipo == u"inizio"_s && v.record.value(u"automatico"_s).toBool())
            automatiche.insert(corsa);
        else if (tipo == u"file"_s && automatiche.contains(corsa) &&
                 Campo(v.record, u"direzione"_s) == u"get"_s &&
                 Campo(v.record, u"esito"_s) == u"accettato"_s &&
                 QDateTime::fromString(Campo(v.record, u"ora"_s), Qt::ISODate) > dal)
            ++quanti;
    }
    return quanti;
}
