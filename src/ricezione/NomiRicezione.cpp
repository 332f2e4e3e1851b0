#include "ricezione/NomiRicezione.h"

#include "piattaforma/Percorsi.h"
#include "shell/Conversioni.h"
#include "shell/ValoriFtp.h"

#include <QFileInfo>
#include <QSet>

#include <cmath>

namespace {

QString DueCifreCampo(const QString& campo)
{
    return QStringLiteral("%1").arg(static_cast<int>(std::lround(ValoreNumerico(campo))), 2, 10,
                                    QLatin1Char('0'));
}

constexpr qsizetype NomeMassimoByte = 255;
constexpr char PrefissoTemporaneo[] = ".ricezione.";

enum class Presenza
{
    Assente,
    File,
    AltroNome // a link, a folder: something else under the name
};

Presenza Presente(const QString& percorso)
{
    const QFileInfo info(percorso);
    if (info.isSymLink())
        return Presenza::AltroNome;
    if (!info.exists())
        return Presenza::Assente;
    return info.isFile() ? Presenza::File : Presenza::AltroNome;
}

} // namespace

QString NomeLocale(const QString& nome)
{
    if (nome.toUpper().contains(QLatin1String(".PDF")))
        return {};
    QString s = nome.trimmed();
    if (s.right(4).toUpper() == QLatin1String(".P7M"))
        s.chop(4);
    if (s.right(3).left(1).toUpper() == QLatin1String("N"))
        return s + QStringLiteral(".pdf");
    return s;
}

QString NomeFileElenco(const QString& utente, const QDateTime& ora)
{
    return QStringLiteral("LS") + utente + GiornoDueCifre(ora.date()) +
           ora.time().toString(QStringLiteral("hhmmss"));
}

bool NomeRicevibile(const QString& nome)
{
    return MotivoNomeNonRicevibile(nome).isEmpty();
}

QString MotivoNomeNonRicevibile(const QString& nome)
{
    const QString motivo = MotivoNomeNonSemplice(nome);
    if (!motivo.isEmpty())
        return motivo;
    // The fetch writes it first under its temporary name.
    if (nome.toUtf8().size() + qsizetype(sizeof(PrefissoTemporaneo) - 1) > NomeMassimoByte)
        return QStringLiteral("nome troppo lungo");
    if (nome.front() == QLatin1Char('~'))
        return QStringLiteral("inizia con '~'");
    for (const QChar c : nome) {
        switch (c.unicode()) {
        case '*':
        case '?':
        case '[':
        case ']':
        case '{':
        case '}':
            return QStringLiteral("contiene il carattere jolly '") + c + QLatin1Char('\'');
        case '|':
        case '!':
            return QStringLiteral("contiene il carattere '") + c + QLatin1Char('\'');
        case QChar::ReplacementCharacter:
            return QStringLiteral("nome non leggibile");
        default:
            break;
        }
    }
    return {};
}

ElencoLetto LeggiElenco(const QByteArray& contenuto)
{
    ElencoLetto elenco;
    for (QByteArray riga : contenuto.split('\n')) {
        if (riga.endsWith('\r'))
            riga.chop(1);
        if (riga.trimmed().isEmpty())
            continue;
        const QString nome = QString::fromUtf8(riga);
        if (NomeRicevibile(nome))
            elenco.nomi.append(nome);
        else
            elenco.scartati.append(nome);
    }
    return elenco;
}

QString NormalizzaTipo(const QString& tipo)
{
    const QString t = tipo.trimmed();
    return t.isEmpty() || t == QLatin1String("*") ? QStringLiteral("?") : t;
}

QString NormalizzaProgressivo(const QString& progressivo)
{
    QString p = QString(progressivo).replace(QLatin1Char('*'), QLatin1Char('?')).trimmed();
    if (p.isEmpty() || p == QLatin1String("?"))
        return QStringLiteral("??");
    if (p.size() == 1)
        return ValoreNumerico(p) > 0 ? QStringLiteral("0") + p : p + QStringLiteral("?");
    return p;
}

QString ChiaveRicezione(const QString& tipo, const QString& progressivo)
{
    return tipo + progressivo;
}

QString PrefissoGiorno(const QString& utente, const QString& mese, const QString& giorno)
{
    return utente + DueCifreCampo(mese) + DueCifreCampo(giorno);
}

QString ModelloRicezione(const QString& utente, const std::array<QString, 4>& campi)
{
    QString q = campi[3].trimmed();
    if (q == QLatin1String("??") || q == QLatin1String("?*") || q == QLatin1String("*?") ||
        q == QLatin1String("**"))
        q = QStringLiteral("?");
    QString modello = utente + campi[0] + campi[1] + QStringLiteral(".") + campi[2] + q;
    modello.replace(QLatin1String("??"), QLatin1String("?"));
    modello.replace(QLatin1String("?*"), QLatin1String("?"));
    modello.replace(QLatin1Char('?'), QLatin1Char('*'));
    if (!modello.trimmed().endsWith(QLatin1Char('*')))
        modello += QLatin1Char('*');
    return modello;
}

SceltaNuovi ScegliNuovi(const QStringList& nomi, const QString& prefisso,
                        const QString& cartellaRicevuti, const QString& cartellaVerificati,
                        int maxFile, bool appuramenti)
{
    static const QString tipiNuovi = QStringLiteral("LNXWQ");
    SceltaNuovi scelta;
    QSet<QString> scelti;
    for (const QString& nome : nomi) {
        if (nome.right(4).toUpper() == QLatin1String(".LOG"))
            continue;
        const QString locale = NomeLocale(nome);
        if (!appuramenti) {
            if (!nome.startsWith(prefisso))
                continue;
            const QString t = locale.mid(9, 1).toUpper();
            if (t.isEmpty() || !tipiNuovi.contains(t))
                continue;
        }
        const Presenza ricevuto = Presente(UnisciPercorso(cartellaRicevuti, nome));
        if (ricevuto == Presenza::File)
            continue;
        const Presenza sbustato = locale.isEmpty()
                                      ? Presenza::Assente
                                      : Presente(UnisciPercorso(cartellaVerificati, locale));
        if (sbustato == Presenza::File)
            continue;
        if ((ricevuto == Presenza::AltroNome || sbustato == Presenza::AltroNome) &&
            !scelta.collegamenti.contains(nome))
            scelta.collegamenti.append(nome);
        ++scelta.totale;
        if (scelta.nuovi.size() < maxFile && !scelti.contains(nome)) {
            scelti.insert(nome);
            scelta.nuovi.append(nome);
        }
    }
    return scelta;
}

QString NomeTemporaneo(const QString& nome)
{
    return QLatin1String(PrefissoTemporaneo) + nome;
}
