#include "shell/ArchivioParola.h"

#include "piattaforma/ArchivioUtente.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QStringList>

namespace {

// Fixed names: a copy of the executable under another name must not find an
// empty store and skip the request.
const char* const Applicazione = "norvel";
const char* const Sezione = "Accesso";
const char* const Chiave = "Parola";

const char* const Schema = "pbkdf2-sha256";
constexpr int Iterazioni = 100000;
constexpr int LunghezzaSale = 16;
constexpr int LunghezzaChiave = 32;

struct Record
{
    int iterazioni = 0;
    QByteArray sale;
    QByteArray chiave;
};

// PBKDF2 with HMAC-SHA-256 (RFC 8018), on Qt's core library alone: the
// network library, which has one too, is not loaded at start-up.
QByteArray Deriva(const QString& parola, const QByteArray& sale, int iterazioni)
{
    QMessageAuthenticationCode hmac(QCryptographicHash::Sha256, parola.toUtf8());
    QByteArray chiave;
    for (quint32 blocco = 1; chiave.size() < LunghezzaChiave; ++blocco) {
        const char numero[4] = {char(blocco >> 24), char(blocco >> 16), char(blocco >> 8),
                                char(blocco)};
        hmac.reset();
        hmac.addData(sale);
        hmac.addData(numero, sizeof numero);
        QByteArray u = hmac.result();
        QByteArray t = u;
        for (int i = 1; i < iterazioni; ++i) {
            hmac.reset();
            hmac.addData(u);
            u = hmac.result();
            for (qsizetype j = 0; j < t.size(); ++j)
                t[j] = char(t[j] ^ u[j]);
        }
        chiave += t;
    }
    return chiave.left(LunghezzaChiave);
}

// "schema$iterations$salt$key", salt and key in base 64.
bool Leggi(const QString& testo, Record& r)
{
    const QStringList parti = testo.split(QLatin1Char('$'));
    if (parti.size() != 4 || parti[0] != QLatin1String(Schema))
        return false;
    bool ok = false;
    r.iterazioni = parti[1].toInt(&ok);
    if (!ok || r.iterazioni < 1)
        return false;
    const auto sale = QByteArray::fromBase64Encoding(parti[2].toLatin1(),
                                                     QByteArray::AbortOnBase64DecodingErrors);
    const auto chiave = QByteArray::fromBase64Encoding(parti[3].toLatin1(),
                                                       QByteArray::AbortOnBase64DecodingErrors);
    if (!sale || !chiave || sale.decoded.isEmpty() || chiave.decoded.size() != LunghezzaChiave)
        return false;
    r.sale = sale.decoded;
    r.chiave = chiave.decoded;
    return true;
}

} // namespace

bool ParolaValida(const QString& testo)
{
    if (testo.isEmpty())
        return false;
    for (const QChar c : testo.toUpper()) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z')))
            return false;
    }
    return true;
}

QString LeggiParolaAccesso()
{
    const QString testo = LeggiValoreUtente(QLatin1String(Applicazione), QLatin1String(Sezione),
                                            QLatin1String(Chiave));
    Record r;
    return Leggi(testo, r) ? testo : QString();
}

void ScriviParolaAccesso(const QString& testo)
{
    const QString parola = testo.trimmed().toUpper();
    if (!ParolaValida(parola)) {
        CancellaValoreUtente(QLatin1String(Applicazione), QLatin1String(Sezione),
                             QLatin1String(Chiave));
        return;
    }
    QByteArray sale(LunghezzaSale, Qt::Uninitialized);
    QRandomGenerator::system()->generate(sale.begin(), sale.end());
    const QString record = QLatin1String(Schema) + QLatin1Char('$') + QString::number(Iterazioni) +
                           QLatin1Char('$') + QLatin1String(sale.toBase64()) + QLatin1Char('$') +
                           QLatin1String(Deriva(parola, sale, Iterazioni).toBase64());
    ScriviValoreUtente(QLatin1String(Applicazione), QLatin1String(Sezione), QLatin1String(Chiave),
                       record);
}

bool ParolaCorrisponde(const QString& digitata, const QString& memorizzata)
{
    if (memorizzata == QLatin1String(NessunaParola))
        return digitata == memorizzata;
    Record r;
    if (!Leggi(memorizzata, r))
        return false;
    const QByteArray prova = Deriva(digitata.toUpper(), r.sale, r.iterazioni);
    // Compared in full whatever the first difference, so the time says nothing.
    unsigned char diversi = 0;
    for (int i = 0; i < LunghezzaChiave; ++i)
        diversi |= static_cast<unsigned char>(prova[i] ^ r.chiave[i]);
    return diversi == 0;
}
