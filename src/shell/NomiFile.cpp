#include "shell/NomiFile.h"

#include "shell/ChiaviIni.h"
#include "shell/Conversioni.h"
#include "shell/Global.h"

#include <QDir>
#include <QRegularExpression>

#include <cmath>

namespace {

// A blank setting is the full range, as the settings file's defaults say.
QString PrimoProgressivo()
{
    return ParametriEdi.Progr1.isEmpty() ? QString(Ini::DefaultProgr1)
                                         : ParametriEdi.Progr1;
}

QString UltimoProgressivo()
{
    return ParametriEdi.Progr2.isEmpty() ? QString(Ini::DefaultProgr2)
                                         : ParametriEdi.Progr2;
}

QString Intervallo()
{
    return QStringLiteral(" DA '") + PrimoProgressivo() + QStringLiteral("'  A '") +
           UltimoProgressivo() + QStringLiteral("'");
}

// The whole number a field holds, or -1 when it holds anything else.
int Intero(const QString& testo)
{
    const double n = ValoreNumerico(testo);
    if (n < 0 || n != std::floor(n) || n > 9999)
        return -1;
    return static_cast<int>(n);
}

QString DueCifre(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

EsitoFiltro Valido(const QString& valore)
{
    return {true, valore, {}, false};
}

EsitoFiltro Errato(const QString& messaggio)
{
    return {false, {}, messaggio, false};
}

} // namespace

int GruppoTipo(const QString& lettera, const QString& tabella)
{
    const qsizetype posizione = tabella.indexOf(lettera, 0, Qt::CaseSensitive) + 1;
    return static_cast<int>(posizione % 10);
}

bool IntervalloRistretto()
{
    return PrimoProgressivo() > Ini::DefaultProgr1 ||
           UltimoProgressivo() < Ini::DefaultProgr2;
}

EsitoFiltro ControllaFiltro(int indice, const QString& testo, const QString& meseCampo,
                            LatoFiltro lato)
{
    QString v = testo.trimmed();
    switch (indice) {
    case 1: {
        const int n = Intero(v);
        if (n < 1 || n > 12)
            return Errato(QStringLiteral("MESE ERRATO"));
        return Valido(DueCifre(n));
    }
    case 2: {
        const int mese = Intero(meseCampo.trimmed());
        if (mese < 1 || mese > 12) {
            EsitoFiltro e = Valido(testo);
            e.ignorato = true;
            return e;
        }
        const int n = Intero(v);
        if (n < 1 || n > GiorniMese[mese])
            return Errato(QStringLiteral("GIORNO ERRATO"));
        return Valido(DueCifre(n));
    }
    case 3: {
        v = v.toUpper();
        if (v.isEmpty() || v == QLatin1String("*"))
            v = QStringLiteral("?");
        const bool noto = lato == LatoFiltro::Invio
                              ? QString::fromLatin1(TipiInvio).contains(v.at(0))
                              : QString::fromLatin1(TipiRisposta).contains(v);
        if (!noto)
            return Errato(QStringLiteral("TIPO ERRATO"));
        return Valido(v);
    }
    case 4: {
        v = v.toUpper().replace(QLatin1Char('*'), QLatin1Char('?'));
        if (v.isEmpty())
            v = QStringLiteral("??");
        else if (v.size() == 1)
            v = ValoreNumerico(v) > 0 ? QStringLiteral("0") + v : v + QStringLiteral("?");
        if (IntervalloRistretto()) {
            if (v.startsWith(QLatin1Char('?')))
                return Errato(QStringLiteral("INDICARE PRIMO CARATTERE DEL PROGRESSIVO\n") +
                              Intervallo());
            const QString w = QString(v).replace(QLatin1Char('?'), QLatin1Char('0'));
            if (w > UltimoProgressivo() || w < PrimoProgressivo())
                return Errato(QStringLiteral("PROGRESSIVO ERRATO\n") + Intervallo());
        }
        return Valido(v);
    }
    default:
        return Valido(testo);
    }
}

std::array<QString, 4> ValoriInizialiFiltro(const QDate& oggi)
{
    const QString progressivo = IntervalloRistretto()
                                    ? PrimoProgressivo().left(1) + QStringLiteral("?")
                                    : QStringLiteral("??");
    return {MeseDueCifre(oggi), GiornoDueCifre(oggi), QStringLiteral("?"), progressivo};
}

QString MascheraSelezione(const QString& utente, const std::array<QString, 4>& campi)
{
    auto numero = [](const QString& campo) {
        return DueCifre(static_cast<int>(std::lround(ValoreNumerico(campo))));
    };
    const QString tipo = QString(campi[2].trimmed() + QStringLiteral("?")).left(1);
    QString progressivo = QString(campi[3].trimmed() + QStringLiteral("??")).left(2);
    if (progressivo.startsWith(QLatin1Char('?')) && IntervalloRistretto())
        progressivo = PrimoProgressivo().left(1) + QStringLiteral("?");
    return utente + numero(campi[0]) + numero(campi[1]) + QStringLiteral(".") + tipo + progressivo +
           QStringLiteral("*");
}

bool CorrispondeMaschera(const QString& nome, const QString& maschera)
{
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(maschera),
                                QRegularExpression::CaseInsensitiveOption);
    return re.match(nome).hasMatch();
}

QStringList FileCorrispondenti(const QString& cartella, const QString& maschera)
{
    if (cartella.isEmpty())
        return {};
    return QDir(cartella).entryList({maschera}, QDir::Files | QDir::Hidden,
                                    QDir::Name | QDir::IgnoreCase);
}
