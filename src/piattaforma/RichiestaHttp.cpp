#include "piattaforma/RichiestaHttp.h"

#include "piattaforma/ModuloRete.h"

#include <QStringDecoder>

#include <cctype>

using namespace Qt::StringLiterals;

namespace {

constexpr int LimitePredefinito = 20000;
int limite = LimitePredefinito;

QString CharsetDichiarato(const QByteArray& testo)
{
    const qsizetype i = testo.toLower().indexOf("charset=");
    if (i < 0)
        return {};
    qsizetype inizio = i + 8;
    while (inizio < testo.size() &&
           (testo[inizio] == '"' || testo[inizio] == '\'' || testo[inizio] == ' '))
        ++inizio;
    qsizetype fine = inizio;
    while (fine < testo.size() && (std::isalnum(static_cast<unsigned char>(testo[fine])) ||
                                   QByteArrayView("._:-").contains(testo[fine])))
        ++fine;
    return QString::fromLatin1(testo.mid(inizio, fine - inizio));
}

} // namespace

QString TestoHttp(const QByteArray& corpo, const QByteArray& tipoContenuto)
{
    // The header's charset first, then the page's own meta tag.
    for (const QString& nome :
         {CharsetDichiarato(tipoContenuto), CharsetDichiarato(corpo.left(1024))}) {
        if (nome.isEmpty())
            continue;
        QStringDecoder dichiarato(nome.toLatin1().constData());
        if (dichiarato.isValid())
            return dichiarato.decode(corpo);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString testo = utf8.decode(corpo);
    if (!utf8.hasError())
        return testo;
    // Pages from older servers: the Western Windows code page.
    QStringDecoder windows("windows-1252");
    return windows.isValid() ? windows.decode(corpo) : QString::fromLatin1(corpo);
}

void ImpostaLimiteHttp(int millisecondi)
{
    limite = millisecondi > 0 ? millisecondi : LimitePredefinito;
}

int LimiteHttp()
{
    return limite;
}

namespace {

RispostaHttp SenzaModulo(const QString& errore)
{
    RispostaHttp r;
    r.errore = -1;
    r.descrizione = errore;
    return r;
}

} // namespace

RispostaHttp HttpGetSincrono(const QUrl& indirizzo, int limiteMs)
{
    QString errore;
    const InterfacciaRete* rete = ModuloRete(&errore);
    if (!rete)
        return SenzaModulo(errore);
    QByteArray tipoContenuto;
    RispostaHttp r = rete->get(indirizzo, limiteMs > 0 ? limiteMs : limite, &tipoContenuto);
    r.testo = TestoHttp(r.corpo, tipoContenuto);
    return r;
}

RispostaHttp ScaricaHttp(const QUrl& indirizzo, const QString& destinazione,
                         const std::function<bool(qint64, qint64)>& progresso)
{
    QString errore;
    const InterfacciaRete* rete = ModuloRete(&errore);
    if (!rete)
        return SenzaModulo(errore);
    return rete->scarica(indirizzo, destinazione, limite, progresso);
}
