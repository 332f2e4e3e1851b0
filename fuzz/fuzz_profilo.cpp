#include "SupportoFuzz.h"
#include "piattaforma/FileProfilo.h"

// A settings file as an office may have it, and one key written to it (the
// input: section, key, value, then the file, separated by bytes 0). The value
// written is the value read back; the file's other lines come back as they
// were, byte for byte, and in their order.
namespace {

// The file's lines without their ends; with ends when every line has the same.
QList<QByteArray> Righe(const QByteArray& dati, bool conFine)
{
    QList<QByteArray> righe = dati.split('\n');
    if (!righe.isEmpty() && righe.last().isEmpty())
        righe.removeLast();
    if (!conFine)
        for (QByteArray& r : righe)
            if (r.endsWith('\r'))
                r.chop(1);
    return righe;
}

bool FineUniforme(const QByteArray& dati)
{
    const qsizetype lf = dati.count('\n');
    const qsizetype crlf = dati.count("\r\n");
    return crlf == 0 || crlf == lf;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione)
{
    PreparaFuzz();
    const QByteArray ingresso(reinterpret_cast<const char*>(dati), qsizetype(dimensione));
    const QList<QByteArray> pezzi = PezziFuzz(ingresso);
    if (pezzi.size() < 4)
        return 0;
    const QString sezione = QString::fromUtf8(pezzi[0]);
    const QString chiave = QString::fromUtf8(pezzi[1]);
    const QString valore = QString::fromUtf8(pezzi[2]);
    const QByteArray prima = ingresso.mid(pezzi[0].size() + pezzi[1].size() + pezzi[2].size() + 3);
    CartellaFuzz();
    const QString file = ScriviFileFuzz(QStringLiteral("norvel.ini"), prima);

    const QString letto = LeggiProfiloIntero(file, sezione, chiave);
    // Writing back what was read changes nothing at all.
    if (!letto.isEmpty()) {
        PROMESSA(ScriviProfilo(file, sezione, chiave, letto), ingresso);
        PROMESSA(LeggiFileFuzz(file) == prima || !FineUniforme(prima), ingresso);
        ScriviFileFuzz(QStringLiteral("norvel.ini"), prima);
    }

    if (!ScriviProfilo(file, sezione, chiave, valore)) {
        PROMESSA(LeggiFileFuzz(file) == prima, ingresso);
        return 0;
    }
    PROMESSA(LeggiProfiloIntero(file, sezione, chiave) == valore, ingresso);
    PROMESSA(LeggiProfilo(file, sezione, chiave) == valore.trimmed(), ingresso);
    const QByteArray dopo = LeggiFileFuzz(file);

    // Once the common head and tail are set aside, what is left is the one
    // line written (replaced, or added with its section).
    const bool conFine = FineUniforme(prima) && prima.endsWith('\n');
    const QList<QByteArray> a = Righe(prima, conFine);
    const QList<QByteArray> b = Righe(dopo, conFine);
    qsizetype testa = 0;
    while (testa < a.size() && testa < b.size() && a[testa] == b[testa])
        ++testa;
    qsizetype coda = 0;
    while (coda < a.size() - testa && coda < b.size() - testa &&
           a[a.size() - 1 - coda] == b[b.size() - 1 - coda])
        ++coda;
    PROMESSA(a.size() - testa - coda <= 1, ingresso);
    PROMESSA(b.size() - testa - coda <= 2, ingresso);

    // And read again after the write, the file says the same.
    PROMESSA(ScriviProfilo(file, sezione, chiave, valore), ingresso);
    PROMESSA(LeggiFileFuzz(file) == dopo, ingresso);
    return 0;
}
