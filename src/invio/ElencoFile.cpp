#include "invio/ElencoFile.h"

#include "piattaforma/ElencoCartella.h"
#include "piattaforma/MascheraNomi.h"
#include "piattaforma/OraLocale.h"
#include "shell/Conversioni.h"

#include <QSet>

#include <algorithm>
#include <array>
#include <numeric>

namespace {

// One text for every mark: a hundred thousand marked rows share it rather
// than hold a copy each.
const QString& Segno()
{
    static const QString segno = QString::fromLatin1(SegnoInvio);
    return segno;
}

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
            r.segno = Segno();
        QDate giorno;
        QTime ora;
        locale.Scomponi(v.modificaMs, &giorno, &ora);
        r.data = DataSeriale(giorno, ora);
        r.dimensione = v.dimensione;
        righe_.append(std::move(r));
    }
    // The index by name is made when the marks are first asked for: a reload
    // that marks nothing does not pay for it.
    indicizzato_ = false;
    congelato_ = false;
    congelato_ = !invio.isEmpty() && ElencoInvio() != invio;
    congelata_ = congelato_ ? invio : QStringList();
}

void ElencoFile::Indicizza() const
{
    if (indicizzato_)
        return;
    const qsizetype n = righe_.size();
    std::vector<qsizetype> perNome(static_cast<size_t>(n));
    std::iota(perNome.begin(), perNome.end(), 0);
    std::stable_sort(perNome.begin(), perNome.end(),
                     [this](qsizetype a, qsizetype b) { return righe_[a].nome < righe_[b].nome; });
    rango_.assign(size_t(n), 0);
    for (qsizetype posto = 0; posto < n; ++posto)
        rango_[size_t(perNome[size_t(posto)])] = posto;
    indicizzato_ = true;
    Riallinea();
}

void ElencoFile::Riallinea() const
{
    const qsizetype n = righe_.size();
    rigaDi_.assign(size_t(n), 0);
    std::vector<char> segnati(size_t(n), 0);
    perNome_.clear();
    perNome_.reserve(n);
    for (qsizetype riga = 0; riga < n; ++riga) {
        const qsizetype posto = rango_[size_t(riga)];
        rigaDi_[size_t(posto)] = riga;
        segnati[size_t(posto)] = righe_[riga].Segnata() ? 1 : 0;
        perNome_.insert(righe_[riga].nome.trimmed(), posto);
    }
    segni_.Costruisci(segnati);
}

void ElencoFile::Ordina(int colonna, ModoOrdine modo)
{
    const bool crescente = modo == Crescente;
    const qsizetype n = righe_.size();
    std::vector<qsizetype> ordine(static_cast<size_t>(n));
    std::iota(ordine.begin(), ordine.end(), 0);
    std::stable_sort(ordine.begin(), ordine.end(), [&](qsizetype a, qsizetype b) {
        const int c = Confronta(righe_[a], righe_[b], colonna);
        return crescente ? c < 0 : c > 0;
    });
    QList<RigaFile> righe;
    righe.reserve(n);
    for (qsizetype k = 0; k < n; ++k)
        righe.append(std::move(righe_[ordine[size_t(k)]]));
    righe_ = std::move(righe);
    if (!indicizzato_)
        return;
    // The rows keep their places by name; only where they stand changes.
    std::vector<qsizetype> rango(static_cast<size_t>(n));
    for (qsizetype k = 0; k < n; ++k) {
        rango[size_t(k)] = rango_[size_t(ordine[size_t(k)])];
        rigaDi_[size_t(rango[size_t(k)])] = k;
    }
    rango_ = std::move(rango);
}

void ElencoFile::Marca(qsizetype riga, bool segnata)
{
    Indicizza();
    if (segnata)
        righe_[riga].segno = Segno();
    else
        righe_[riga].segno.clear();
    segni_.Imposta(rango_[size_t(riga)], segnata);
}

void ElencoFile::Ricostruito()
{
    congelato_ = false;
    congelata_.clear();
}

void ElencoFile::Segna(qsizetype riga)
{
    if (riga < 0 || riga >= righe_.size() || righe_[riga].nome.trimmed().isEmpty())
        return;
    Marca(riga, true);
    Ricostruito();
}

bool ElencoFile::Togli(const QString& nome)
{
    // A change of marks whether or not a row bears the name: ElencoInvio is
    // rebuilt from the rows, and names filtered out leave it.
    Ricostruito();
    const qsizetype riga = Riga(nome);
    if (riga < 0)
        return false;
    Marca(riga, false);
    return true;
}

void ElencoFile::Tutti()
{
    for (RigaFile& r : righe_)
        r.segno = Segno();
    SegniCambiati();
}

void ElencoFile::Nessuno()
{
    for (RigaFile& r : righe_)
        r.segno.clear();
    SegniCambiati();
}

void ElencoFile::Inverti()
{
    for (RigaFile& r : righe_) {
        if (r.Segnata())
            r.segno.clear();
        else
            r.segno = Segno();
    }
    SegniCambiati();
}

void ElencoFile::SegniCambiati()
{
    if (indicizzato_)
        Riallinea();
    Ricostruito();
}

void ElencoFile::TogliRiga(qsizetype riga)
{
    if (riga < 0 || riga >= righe_.size())
        return;
    Indicizza();
    const qsizetype posto = rango_[size_t(riga)];
    righe_.removeAt(riga);
    rango_.erase(rango_.begin() + riga);
    for (qsizetype& r : rango_)
        if (r > posto)
            --r;
    Riallinea();
}

void ElencoFile::Svuota()
{
    righe_.clear();
    indicizzato_ = false;
    Ricostruito();
}

qsizetype ElencoFile::ContaInvio() const
{
    if (congelato_)
        return congelata_.size();
    Indicizza();
    return segni_.Conta();
}

QString ElencoFile::NomeInvio(qsizetype k) const
{
    if (congelato_)
        return congelata_.value(k);
    Indicizza();
    const qsizetype conta = segni_.Conta();
    if (k < 0 || k >= conta)
        return {};
    const qsizetype posto = segni_.Trova(modoInvio_ == Crescente ? k : conta - 1 - k);
    return righe_[rigaDi_[size_t(posto)]].nome;
}

QStringList ElencoFile::ElencoInvio() const
{
    if (congelato_)
        return congelata_;
    return RicostruisciInvio(modoInvio_);
}

qsizetype ElencoFile::PosizioneInvio(qsizetype riga) const
{
    Indicizza();
    const qsizetype posto = rango_[size_t(riga)];
    const qsizetype prima = segni_.Prima(posto);
    if (modoInvio_ == Crescente)
        return prima;
    const qsizetype conta = segni_.Conta();
    return segni_.Segnato(posto) ? conta - 1 - prima : conta - prima;
}

QStringList ElencoFile::RicostruisciInvio(ModoOrdine modo) const
{
    Indicizza();
    QStringList nomi;
    nomi.reserve(segni_.Conta());
    for (qsizetype posto = 0; posto < segni_.Posizioni(); ++posto)
        if (segni_.Segnato(posto))
            nomi.append(righe_[rigaDi_[size_t(posto)]].nome);
    if (modo == Decrescente)
        std::reverse(nomi.begin(), nomi.end());
    return nomi;
}

qsizetype ElencoFile::Riga(const QString& nome) const
{
    Indicizza();
    qsizetype prima = -1;
    const QString cercato = nome.trimmed();
    for (auto it = perNome_.constFind(cercato); it != perNome_.cend() && it.key() == cercato;
         ++it) {
        const qsizetype riga = rigaDi_[size_t(it.value())];
        if (prima < 0 || riga < prima)
            prima = riga;
    }
    return prima;
}
