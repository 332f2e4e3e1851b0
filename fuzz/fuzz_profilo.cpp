#include "SupportoFuzz.h"
#include "piattaforma/FileProfilo.h"

// A settings file as an office may have it, and one key written to it (the
// input: section, key, value, then the file, separated by bytes 0). The value
// written is the value read back; the file's other lines come back as they
// were, byte for byte, and in their order.
namespace {

// The file's lines, each with its end.
QList<QByteArray> Righe(const QByteArray& dati)
{
    QList<QByteArray> righe;
    qsizetype inizio = 0;
    while (inizio < dati.size()) {
        qsizetype fine = dati.indexOf('\n', inizio);
        fine = fine < 0 ? dati.size() : fine + 1;
        righe.append(dati.mid(inizio, fine - inizio));
        inizio = fine;
    }
    return righe;
}

// The same line, or a last line without an end that got one (a lone CR
// completed to CR LF, never doubled).
bool StessaRiga(const QByteArray& prima, const QByteArray& dopo, bool ultima)
{
    if (prima == dopo)
        return true;
    if (!ultima || prima.endsWith('\n') || !dopo.startsWith(prima))
        return false;
    const QByteArray fine = dopo.mid(prima.size());
    return fine == "\n" || (fine == "\r\n" && !prima.endsWith('\r'));
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
        // A CR inside a value is refused as a line break would be: nothing changes.
        PROMESSA(ScriviProfilo(file, sezione, chiave, letto) || letto.contains(u'\r'), ingresso);
        PROMESSA(LeggiFileFuzz(file) == prima, ingresso);
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
    // line written (replaced, or added with its section), byte for byte.
    const QList<QByteArray> a = Righe(prima);
    const QList<QByteArray> b = Righe(dopo);
    qsizetype testa = 0;
    while (testa < a.size() && testa < b.size() &&
           StessaRiga(a[testa], b[testa], testa == a.size() - 1))
        ++testa;
    qsizetype coda = 0;
    while (coda < a.size() - testa && coda < b.size() - testa &&
           StessaRiga(a[a.size() - 1 - coda], b[b.size() - 1 - coda], coda == 0))
        ++coda;
    PROMESSA(a.size() - testa - coda <= 1, ingresso);
    PROMESSA(b.size() - testa - coda <= 2, ingresso);

    // And read again after the write, the file says the same.
    PROMESSA(ScriviProfilo(file, sezione, chiave, valore), ingresso);
    PROMESSA(LeggiFileFuzz(file) == dopo, ingresso);
    return 0;
}
