#include "invio/ElencoFile.h"

#include "piattaforma/ElencoCartella.h"
#include "piattaforma/MascheraNomi.h"
#include "piattaforma/OraLocale.h"
#include "shell/Conversioni.h"

#include <QSet>

#include <algorithm>
#include <tuple>

namespace {

// The order of the office's text keys "col|a|b|c": the sort column first, then
// the others in a fixed order. Dates and sizes were fixed-width digits, so
// comparing them as numbers gives the same order.
int Confronta(const RigaFile& a, const RigaFile& b, int colonna)
{
    auto testo = [](const QString& x, const QString& y) { return x.compare(y); };
    auto numero = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
    const int segno = testo(a.segno, b.segno);
    const int nome = testo(a.nome, b.nome);
    const int data = numero(a.data, b.data);
    const int byte = numero(a.dimensione, b.dimensione);
    std::array<int, 4> ordine{};
    switch (colonna) {
    case ColonnaSegno:
        ordine = {segno, nome, data, byte};
        break;
    case ColonnaData:
        ordine = {data, nome, byte, segno};
        break;
    case ColonnaByte:
        ordine = {byte, nome, data, segno};
        break;
    default:
        ordine = {nome, data, byte, segno};
    }
    for (int c : ordine)
        if (c != 0)
            return c;
    return 0;
}

} // namespace

void ElencoFile::Carica(const QString& cartella, const QString& maschera, const QStringList& invio)
{
    QSet<QString> segnati;
    segnati.reserve(invio.size());
    for (const QString& n : invio)
        segnati.insert(n.trimmed());

    righe_.clear();
    // Every name the folder holds, an undecodable one too: the list names it
    // and the send refuses it, rather than it vanishing without a word.
    const MascheraNomi filtro(maschera);
    const OraLocale locale;
    const QList<VoceCartella> voci = FileDellaCartella(cartella);
    righe_.reserve(voci.size());
    for (const VoceCartella& v : voci) {
        if (v.nome.startsWith(QLatin1Char('.')) || !filtro.Corrisponde(v.nome))
            continue;
        RigaFile r;
        r.nome = v.nome;
        if (segnati.contains(r.nome.trimmed()))
            r.segno = QLatin1String(SegnoInvio);
        QDate giorno;
        QTime ora;
        locale.Scomponi(v.modificaMs, &giorno, &ora);
        r.data = DataSeriale(giorno, ora);
        r.dimensione = v.dimensione;
        righe_.append(std::move(r));
    }
}

void ElencoFile::Ordina(int colonna, int modo)
{
    const bool crescente = modo == 1;
    std::stable_sort(righe_.begin(), righe_.end(),
                     [colonna, crescente](const RigaFile& a, const RigaFile& b) {
                         const int c = Confronta(a, b, colonna);
                         return crescente ? c < 0 : c > 0;
                     });
}

void ElencoFile::Segna(qsizetype riga)
{
    if (riga >= 0 && riga < righe_.size() && !righe_[riga].nome.trimmed().isEmpty())
        righe_[riga].segno = QLatin1String(SegnoInvio);
}

bool ElencoFile::Togli(const QString& nome)
{
    const qsizetype i = Riga(nome);
    if (i < 0)
        return false;
    righe_[i].segno.clear();
    return true;
}

void ElencoFile::Tutti()
{
    for (RigaFile& r : righe_)
        r.segno = QLatin1String(SegnoInvio);
}

void ElencoFile::Nessuno()
{
    for (RigaFile& r : righe_)
        r.segno.clear();
}

void ElencoFile::Inverti()
{
    for (RigaFile& r : righe_) {
        if (r.Segnata())
            r.segno.clear();
        else
            r.segno = QLatin1String(SegnoInvio);
    }
}

QStringList ElencoFile::RicostruisciInvio(int modo) const
{
    QStringList nomi;
    for (const RigaFile& r : righe_)
        if (r.Segnata())
            nomi.append(r.nome);
    std::sort(nomi.begin(), nomi.end());
    if (modo != 1)
        std::reverse(nomi.begin(), nomi.end());
    return nomi;
}

qsizetype ElencoFile::Riga(const QString& nome) const
{
    const QString cercato = nome.trimmed();
    for (qsizetype i = 0; i < righe_.size(); ++i)
        if (righe_[i].nome.trimmed() == cercato)
            return i;
    return -1;
}
