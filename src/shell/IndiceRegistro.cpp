#include "shell/IndiceRegistro.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 BloccoLettura = 1 << 20;

// A top-level field met in a line: its name and, when it is a string, its
// value, both as written (escapes kept).
struct Campo
{
    QByteArrayView nome;
    QByteArrayView valore;
    bool stringa = false;
    bool escape = false; // the value holds a backslash
};

QByteArrayView Pulita(QByteArrayView riga)
{
    qsizetype inizio = 0;
    qsizetype fine = riga.size();
    auto vuoto = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (inizio < fine && vuoto(riga[inizio]))
        ++inizio;
    while (fine > inizio && vuoto(riga[fine - 1]))
        --fine;
    return riga.sliced(inizio, fine - inizio);
}

// Walks a line once: true when it is one whole JSON object (brackets
// balanced and matched outside strings, nothing after the last brace), and
// campo() is told each top-level field. Enough to tell a record from a line
// a crash cut, at a fraction of a full parse.
template <typename F> bool Esamina(QByteArrayView riga, F&& campo)
{
    const qsizetype n = riga.size();
    if (n < 2 || riga[0] != '{' || riga[n - 1] != '}')
        return false;
    quint64 pila = 0; // one bit a level: 1 for an object
    int livello = 0;
    bool inStringa = false;
    bool escape = false;
    bool conEscape = false;
    bool attesaNome = true;
    qsizetype inizioStringa = 0;
    QByteArrayView nome;
    bool nomeValido = false;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = riga[i];
        if (inStringa) {
            if (escape) {
                escape = false;
            } else if (c == '\\') {
                escape = conEscape = true;
            } else if (c == '"') {
                inStringa = false;
                if (livello == 1) {
                    const QByteArrayView testo = riga.sliced(inizioStringa, i - inizioStringa);
                    if (attesaNome) {
                        nome = testo;
                        nomeValido = true;
                    } else if (nomeValido) {
                        campo(Campo{nome, testo, true, conEscape});
                        nomeValido = false;
                    }
                }
            } else if (static_cast<unsigned char>(c) < 0x20) {
                return false;
            }
            continue;
        }
        switch (c) {
        case '"':
            inStringa = true;
            conEscape = false;
            inizioStringa = i + 1;
            break;
        case '{':
        case '[':
            if (livello == 1 && nomeValido) {
                campo(Campo{nome, {}, false, false});
                nomeValido = false;
            }
            if (++livello > 64)
                return false;
            pila = (pila << 1) | (c == '{' ? 1u : 0u);
            if (livello == 1)
                attesaNome = true;
            break;
        case '}':
        case ']':
            if (livello == 0 || (pila & 1u) != (c == '}' ? 1u : 0u))
                return false;
            if (livello == 1 && nomeValido) {
                campo(Campo{nome, {}, false, false});
                nomeValido = false;
            }
            pila >>= 1;
            if (--livello == 0 && i != n - 1)
                return false;
            break;
        case ':':
            if (livello == 1)
                attesaNome = false;
            break;
        case ',':
            if (livello == 1) {
                if (nomeValido)
                    campo(Campo{nome, {}, false, false});
                nomeValido = false;
                attesaNome = true;
            }
            break;
        default:
            break;
        }
    }
    return livello == 0 && !inStringa;
}

QString Testo(QByteArrayView grezzo, bool escape)
{
    if (!escape)
        return QString::fromUtf8(grezzo);
    const QByteArray json = "[\"" + grezzo.toByteArray() + "\"]";
    return QJsonDocument::fromJson(json).array().at(0).toString();
}

// What the index needs of one record.
struct Letto
{
    qint64 inizio = 0;
    qint32 lunghezza = 0;
    qint32 corsa = -1;
    qint32 operazione = -2; // -2 the record names none
    bool apre = false;      // "tipo" is "inizio"
    bool chiude = false;    // "tipo" is "fine"
};

} // namespace

QString CampoRiga(QByteArrayView riga, QLatin1StringView nome)
{
    QString trovato;
    bool tipo = false;
    const bool record = Esamina(Pulita(riga), [&](const Campo& c) {
        if (c.stringa && c.nome == QByteArrayView(nome.data(), nome.size()))
            trovato = Testo(c.valore, c.escape);
        tipo = tipo || (c.stringa && c.nome == "tipo");
    });
    return record && tipo ? trovato : QString();
}

IndiceRegistro IndicizzaRegistro(const QString& percorso, const std::atomic<bool>* annulla)
{
    IndiceRegistro indice;
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) {
        indice.errore = f.fileName() + u"\n("_s + f.errorString() + u')';
        return indice;
    }
    QList<Letto> letti;
    QHash<QByteArray, qint32> corse;
    QHash<QByteArray, qint32> operazioni;
    auto numero = [](QHash<QByteArray, qint32>& tabella, QByteArrayView chiave) {
        const QByteArray k = chiave.toByteArray();
        auto it = tabella.constFind(k);
        if (it == tabella.constEnd())
            it = tabella.insert(k, qint32(tabella.size()));
        return it.value();
    };
    auto esamina = [&](QByteArrayView riga, qint64 inizio) {
        if (Pulita(riga).isEmpty())
            return;
        Letto l;
        l.inizio = inizio;
        l.lunghezza = qint32(riga.size());
        bool tipo = false;
        const bool record = Esamina(Pulita(riga), [&](const Campo& c) {
            if (c.nome == "tipo") {
                tipo = c.stringa;
                l.apre = c.stringa && c.valore == "inizio";
                l.chiude = c.stringa && c.valore == "fine";
            } else if (c.nome == "corsa") {
                l.corsa = c.stringa && !c.valore.isEmpty() ? numero(corse, c.valore) : -1;
            } else if (c.nome == "operazione") {
                // Escapes kept: two spellings of one name are two entries, read alike.
                l.operazione = c.stringa ? numero(operazioni, c.valore) : -1;
            }
        });
        if (record && tipo)
            letti.append(l);
        else
            ++indice.illeggibili;
    };

    QByteArray resto;
    qint64 posizione = 0; // of resto's first byte
    for (;;) {
        if (annulla && annulla->load(std::memory_order_relaxed)) {
            indice.annullato = true;
            return indice;
        }
        const QByteArray blocco = f.read(BloccoLettura);
        if (blocco.isEmpty()) {
            if (f.error() != QFileDevice::NoError) {
                indice.errore = f.fileName() + u"\n("_s + f.errorString() + u')';
                return indice;
            }
            break;
        }
        resto += blocco;
        qsizetype da = 0;
        for (;;) {
            const void* a = std::memchr(resto.constData() + da, '\n', size_t(resto.size() - da));
            if (!a)
                break;
            const qsizetype fine = static_cast<const char*>(a) - resto.constData();
            esamina(QByteArrayView(resto).sliced(da, fine - da), posizione + da);
            da = fine + 1;
        }
        resto.remove(0, da);
        posizione += da;
    }
    if (!resto.isEmpty())
        esamina(resto, posizione);

    // Each run's records carry its key; without one, a record belongs to the
    // run last opened. Newest run first.
    QList<QList<qsizetype>> gruppi;
    QList<qsizetype> gruppoDellaCorsa(corse.size(), -1);
    qsizetype ultimo = -1;
    for (qsizetype i = 0; i < letti.size(); ++i) {
        const Letto& l = letti[i];
        qsizetype g = -1;
        if (l.corsa >= 0) {
            g = gruppoDellaCorsa[l.corsa];
            if (g < 0) {
                g = gruppoDellaCorsa[l.corsa] = gruppi.size();
                gruppi.append(QList<qsizetype>());
            }
        } else if (l.apre || ultimo < 0) {
            g = gruppi.size();
            gruppi.append(QList<qsizetype>());
        } else {
            g = ultimo;
        }
        gruppi[g].append(i);
        ultimo = g;
    }
    indice.operazioni.resize(operazioni.size());
    for (auto it = operazioni.cbegin(); it != operazioni.cend(); ++it)
        indice.operazioni[it.value()] = Testo(it.key(), it.key().contains('\\'));
    // A file's row shows the operation its run opened with; a record of its
    // own names its operation itself.
    indice.righe.reserve(letti.size());
    qint32 operazione = -1;
    qint32 corsa = -1;
    qsizetype inizio = -1; // the current run's start row
    bool finita = false;
    const auto chiudi = [&]() {
        if (inizio >= 0 && !finita)
            indice.righe[inizio].senzaFine = 1;
    };
    for (auto g = gruppi.crbegin(); g != gruppi.crend(); ++g) {
        for (const qsizetype i : *g) {
            const Letto& l = letti[i];
            if (l.apre) {
                chiudi();
                operazione = l.operazione >= 0 ? l.operazione : -1;
                corsa = l.corsa;
                inizio = indice.righe.size();
                finita = false;
            } else if (l.corsa != corsa) {
                chiudi();
                operazione = -1; // a run whose start was lost
                corsa = l.corsa;
                inizio = -1;
            }
            finita = finita || l.chiude;
            RigaIndice riga;
            riga.inizio = l.inizio;
            riga.lunghezza = l.lunghezza;
            riga.operazione = l.operazione != -2 ? l.operazione : operazione;
            indice.righe.append(riga);
        }
    }
    chiudi();
    return indice;
}
