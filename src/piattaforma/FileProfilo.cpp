#include "piattaforma/FileProfilo.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>

namespace {

const char* const CodificaWindows = "windows-1252";

qint64 scritture = 0;

// The file's lines as they are, each with its own end: a line the writer does
// not change goes back byte for byte, whatever mix of ends the file has.
struct Testo
{
    QStringList righe;
    // "\n" or "\r\n"; the last line may have "" or a lone "\r". Literals: no copy.
    QList<QLatin1StringView> fini;
    bool windows1252 = false;
    bool bom = false;
    QLatin1StringView fineRiga{"\n"}; // for the lines added
};

bool LeggiTesto(const QString& file, Testo& testo)
{
    // No file named (no settings file set yet): nothing to read, the defaults
    // hold; Qt would warn at each key.
    if (file.isEmpty())
        return false;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray dati = f.readAll();

    // The BOM is kept, to be written back.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString contenuto = utf8(dati);
    if (utf8.hasError()) {
        QStringDecoder windows(CodificaWindows);
        contenuto = windows(dati);
        testo.windows1252 = true;
    }
    testo.bom = contenuto.startsWith(QChar(0xFEFF));
    qsizetype inizio = testo.bom ? 1 : 0;
    qsizetype windows = 0;
    while (inizio < contenuto.size()) {
        qsizetype fine = contenuto.indexOf(QLatin1Char('\n'), inizio);
        const bool ultima = fine < 0;
        if (ultima)
            fine = contenuto.size();
        const bool cr = fine > inizio && contenuto[fine - 1] == QLatin1Char('\r');
        testo.righe.append(contenuto.mid(inizio, fine - inizio - (cr ? 1 : 0)));
        testo.fini.append(QLatin1StringView(ultima ? (cr ? "\r" : "") : (cr ? "\r\n" : "\n")));
        windows += cr ? 1 : 0;
        inizio = fine + 1;
    }
    // Lines added take the ends most lines have (a Windows file's on a tie).
    if (windows > 0 && 2 * windows >= testo.righe.size())
        testo.fineRiga = QLatin1StringView("\r\n");
    return true;
}

// Adds riga before the line at dove. After a last line without an end, that
// line gets one and the new line is the last without an end, as the file was.
void Inserisci(Testo& testo, qsizetype dove, const QString& riga)
{
    QLatin1StringView fine = testo.fineRiga;
    if (dove == testo.righe.size() && dove > 0 && !testo.fini.last().endsWith(QLatin1Char('\n'))) {
        // A lone CR becomes a whole CR LF: its byte stays where it was.
        testo.fini.last() =
            testo.fini.last().isEmpty() ? testo.fineRiga : QLatin1StringView("\r\n");
        fine = QLatin1StringView("");
    }
    testo.righe.insert(dove, riga);
    testo.fini.insert(dove, fine);
}

// Whether riga is a section's header; nome receives its name. Views, no
// copies: a settings file is read whole for each key.
bool NomeSezione(QStringView riga, QStringView* nome = nullptr)
{
    const QStringView t = riga.trimmed();
    if (!t.startsWith(u'['))
        return false;
    const qsizetype fine = t.indexOf(u']');
    if (fine < 0)
        return false;
    if (nome)
        *nome = t.mid(1, fine - 1).trimmed();
    return true;
}

bool StessoNome(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index of the header line of sezione, or -1.
qsizetype TrovaSezione(const QStringList& righe, const QString& sezione)
{
    for (qsizetype i = 0; i < righe.size(); ++i) {
        QStringView nome;
        if (NomeSezione(righe[i], &nome) && StessoNome(nome, sezione))
            return i;
    }
    return -1;
}

// Index of the line of chiave in the section whose header is at inizio, or -1;
// fine receives the index of the line after the section's last line.
qsizetype TrovaChiave(const QStringList& righe, qsizetype inizio, const QString& chiave,
                      qsizetype& fine)
{
    qsizetype trovata = -1;
    qsizetype i = inizio + 1;
    for (; i < righe.size(); ++i) {
        if (NomeSezione(righe[i]))
            break;
        const QStringView riga(righe[i]);
        const qsizetype uguale = riga.indexOf(u'=');
        if (trovata < 0 && uguale > 0 && StessoNome(riga.left(uguale).trimmed(), chiave))
            trovata = i;
    }
    fine = i;
    return trovata;
}

} // namespace

QString LeggiProfiloIntero(const QString& file, const QString& sezione, const QString& chiave)
{
    Testo testo;
    if (!LeggiTesto(file, testo))
        return {};
    const qsizetype inizio = TrovaSezione(testo.righe, sezione);
    if (inizio < 0)
        return {};
    qsizetype fine = 0;
    const qsizetype riga = TrovaChiave(testo.righe, inizio, chiave, fine);
    if (riga < 0)
        return {};
    const QString& r = testo.righe[riga];
    return r.mid(r.indexOf(QLatin1Char('=')) + 1);
}

QString LeggiProfilo(const QString& file, const QString& sezione, const QString& chiave)
{
    return LeggiProfiloIntero(file, sezione, chiave).trimmed();
}

bool ScriviProfilo(const QString& file, const QString& sezione, const QString& chiave,
                   const QString& valore)
{
    return ScriviProfilo(file, sezione, VociProfilo{{chiave, valore}});
}

bool ScriviProfilo(const QString& file, const QString& sezione, const VociProfilo& voci)
{
    // A line break would write a second line: a key nobody asked for.
    auto aCapo = [](const QString& t) {
        return t.contains(QLatin1Char('\n')) || t.contains(QLatin1Char('\r'));
    };
    // A name the reader would not find again: each write would add a line.
    auto sezioneIllegibile = [&](const QString& t) {
        return aCapo(t) || t != t.trimmed() || t.contains(QLatin1Char(']'));
    };
    auto chiaveIllegibile = [&](const QString& t) {
        return aCapo(t) || t.isEmpty() || t != t.trimmed() || t.contains(QLatin1Char('=')) ||
               t.startsWith(QLatin1Char('['));
    };
    if (voci.isEmpty())
        return true;
    if (sezioneIllegibile(sezione))
        return false;
    for (const auto& [chiave, valore] : voci)
        if (chiaveIllegibile(chiave) || aCapo(valore))
            return false;
    Testo testo;
    const bool nuovo = !QFile::exists(file);
    if (!nuovo && !LeggiTesto(file, testo))
        return false;

    for (const auto& [chiave, valore] : voci) {
        const QString nuova = chiave + QLatin1Char('=') + valore;
        const qsizetype inizio = TrovaSezione(testo.righe, sezione);
        if (inizio < 0) {
            Inserisci(testo, testo.righe.size(), QLatin1Char('[') + sezione + QLatin1Char(']'));
            Inserisci(testo, testo.righe.size(), nuova);
            continue;
        }
        qsizetype fine = 0;
        const qsizetype riga = TrovaChiave(testo.righe, inizio, chiave, fine);
        if (riga >= 0) {
            const QString& vecchia = testo.righe[riga];
            // Keep the key as the file spells it, blanks included.
            testo.righe[riga] = vecchia.left(vecchia.indexOf(QLatin1Char('=')) + 1) + valore;
        } else {
            // After the section's last non-blank line, before the blank lines
            // that set it off from the next section.
            qsizetype dove = fine;
            while (dove > inizio + 1 && testo.righe[dove - 1].trimmed().isEmpty())
                --dove;
            Inserisci(testo, dove, nuova);
        }
    }

    QString contenuto = testo.bom ? QString(QChar(0xFEFF)) : QString();
    for (qsizetype i = 0; i < testo.righe.size(); ++i)
        contenuto += testo.righe[i] + testo.fini[i];

    QByteArray dati;
    if (testo.windows1252) {
        QStringEncoder windows(CodificaWindows);
        dati = windows(contenuto);
        // A character the file's code page lacks would be written as another.
        QStringDecoder indietro(CodificaWindows);
        if (QString(indietro(dati)) != contenuto)
            return false;
    } else {
        dati = contenuto.toUtf8();
    }

    // The file holds the scrambled passwords: a new one is its owner's alone.
    // Made empty first, so that the copy below takes its mode and the file is
    // never readable by others, not even for a moment.
    if (nuovo) {
        QFile vuoto(file);
        if (!vuoto.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner))
            return false;
    }
    QSaveFile uscita(file);
    // Never fall back to writing in place: a crash would leave half a file.
    uscita.setDirectWriteFallback(false);
    if (!uscita.open(QIODevice::WriteOnly))
        return false;
    // The copy would take the old file's mode: one left readable by others
    // (copied in, or written by hand) becomes its owner's alone at this write.
    if (!uscita.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        uscita.cancelWriting();
        return false;
    }
    uscita.write(dati);
    if (uscita.commit()) {
        ++scritture;
        return true;
    }
    if (nuovo)
        QFile::remove(file);
    return false;
}

qint64 ScrittureProfilo()
{
    return scritture;
}
