#include "web/RichiestaPagina.h"

#include "web/XCkMrnVat.h"

#include <QCommandLineParser>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

QString Flag(bool v)
{
    return v ? u"1"_s : u"0"_s;
}

// "0" or "1"; anything else is a mistake of the caller.
std::optional<bool> LeggiFlag(const QCommandLineParser& opzioni, const QString& nome)
{
    const QString v = opzioni.value(nome);
    if (v == u"0"_s)
        return false;
    if (v == u"1"_s)
        return true;
    return std::nullopt;
}

} // namespace

QStringList ArgomentiPagina(const RichiestaPagina& r)
{
    QStringList a = {u"--indirizzo"_s, r.indirizzo,    u"--codice"_s, r.codice,
                     u"--tipo"_s,      r.tipo,         u"--modo"_s,   QString::number(r.modo),
                     u"--vedi"_s,      Flag(r.vedi),   u"--stampa"_s, Flag(r.stampa),
                     u"--chiedi"_s,    Flag(r.chiedi), u"--ini"_s,    r.fileIni};
    if (!r.stampante.isEmpty())
        a << u"--stampante"_s << r.stampante;
    if (r.attesaMs > 0)
        a << u"--attesa"_s << QString::number(r.attesaMs);
    return a;
}

void AggiungiOpzioniPagina(QCommandLineParser& opzioni)
{
    opzioni.addOptions({
        {u"indirizzo"_s, u"Indirizzo della pagina (http, https o file)."_s, u"URL"_s},
        {u"codice"_s, u"Codice interrogato (MRN o partita IVA)."_s, u"CODICE"_s},
        {u"tipo"_s, u"Tipo della pagina: ex, tr o pi."_s, u"TIPO"_s},
        {u"modo"_s, u"Modo dell'interrogazione, 0..2 (0: finestra ridotta)."_s, u"N"_s, u"1"_s},
        {u"vedi"_s, u"1: la pagina resta a video."_s, u"0|1"_s, u"0"_s},
        {u"stampa"_s, u"1: la pagina viene stampata."_s, u"0|1"_s, u"0"_s},
        {u"chiedi"_s, u"1: stampa con la richiesta della stampante."_s, u"0|1"_s, u"0"_s},
        {u"stampante"_s, u"Stampante corrente del programma."_s, u"NOME"_s},
        {u"ini"_s, u"File delle impostazioni del programma."_s, u"FILE"_s},
        {u"attesa"_s, u"Millisecondi prima di chiedere se attendere ancora."_s, u"MS"_s, u"0"_s},
    });
}

std::optional<RichiestaPagina> LeggiOpzioniPagina(const QCommandLineParser& opzioni,
                                                  QString& errore)
{
    RichiestaPagina r;
    r.indirizzo = opzioni.value(u"indirizzo"_s).trimmed();
    const QUrl url(r.indirizzo, QUrl::StrictMode);
    const QString schema = url.scheme().toLower();
    if (r.indirizzo.isEmpty() || !url.isValid() ||
        (schema != u"http"_s && schema != u"https"_s && schema != u"file"_s)) {
        errore = u"Indirizzo della pagina non valido: '"_s + r.indirizzo + u"'"_s;
        return std::nullopt;
    }
    r.tipo = opzioni.value(u"tipo"_s);
    if (r.tipo != QLatin1StringView(TipoExport) && r.tipo != QLatin1StringView(TipoTransito) &&
        r.tipo != QLatin1StringView(TipoVat)) {
        errore = u"Tipo della pagina non valido: '"_s + r.tipo + u"' (ex, tr o pi)"_s;
        return std::nullopt;
    }
    r.codice = opzioni.value(u"codice"_s).trimmed();
    bool ok = false;
    r.modo = opzioni.value(u"modo"_s).toInt(&ok);
    if (!ok || r.modo < 0 || r.modo > 2) {
        errore = u"Modo non valido: '"_s + opzioni.value(u"modo"_s) + u"' (0, 1 o 2)"_s;
        return std::nullopt;
    }
    for (const auto& [nome, campo] :
         {std::pair{u"vedi"_s, &r.vedi}, std::pair{u"stampa"_s, &r.stampa},
          std::pair{u"chiedi"_s, &r.chiedi}}) {
        const std::optional<bool> v = LeggiFlag(opzioni, nome);
        if (!v) {
            errore = u"Valore di --"_s + nome + u" non valido: '"_s + opzioni.value(nome) +
                     u"' (0 o 1)"_s;
            return std::nullopt;
        }
        *campo = *v;
    }
    r.attesaMs = opzioni.value(u"attesa"_s).toInt(&ok);
    if (!ok || r.attesaMs < 0) {
        errore = u"Attesa non valida: '"_s + opzioni.value(u"attesa"_s) + u"'"_s;
        return std::nullopt;
    }
    r.stampante = opzioni.value(u"stampante"_s).trimmed();
    r.fileIni = opzioni.value(u"ini"_s);
    return r;
}

QString RigaEsito(const EsitoPagina& esito)
{
    QString riga = u"stato="_s + QString::number(esito.stato) + u" stampa="_s + esito.stampa;
    if (!esito.file.isEmpty())
        riga += u" file="_s + esito.file;
    return riga;
}

std::optional<EsitoPagina> LeggiRigaEsito(const QString& riga)
{
    QString resto = riga.trimmed();
    EsitoPagina e;
    const qsizetype file = resto.indexOf(u" file="_s);
    if (file >= 0) {
        e.file = resto.mid(file + 6);
        resto.truncate(file);
    }
    const QStringList campi = resto.split(u' ', Qt::SkipEmptyParts);
    if (campi.size() != 2 || !campi[0].startsWith(u"stato="_s) ||
        !campi[1].startsWith(u"stampa="_s))
        return std::nullopt;
    bool ok = false;
    e.stato = campi[0].mid(6).toInt(&ok);
    e.stampa = campi[1].mid(7);
    if (!ok || e.stampa.isEmpty())
        return std::nullopt;
    return e;
}

int CodiceUscita(const EsitoPagina& esito)
{
    if (esito.stato != 6)
        return PaginaNonRicevuta;
    return esito.stampa == u"fallita"_s ? PaginaNonStampata : PaginaMostrata;
}
