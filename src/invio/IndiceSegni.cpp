#include "invio/IndiceSegni.h"

void IndiceSegni::Costruisci(const std::vector<char>& segnati)
{
    segni_ = segnati;
    const size_t n = segni_.size();
    albero_.assign(n + 1, 0);
    conta_ = 0;
    for (size_t i = 1; i <= n; ++i) {
        const qsizetype s = segni_[i - 1] ? 1 : 0;
        conta_ += s;
        albero_[i] += s;
        // Each node passes its sum on to its parent once: linear construction.
        if (const size_t padre = i + (i & (~i + 1)); padre <= n)
            albero_[padre] += albero_[i];
    }
    passo_ = 1;
    while (size_t(passo_) * 2 <= n)
        passo_ *= 2;
    if (n == 0)
        passo_ = 0;
}

bool IndiceSegni::Imposta(qsizetype posizione, bool segnato)
{
    char& s = segni_[size_t(posizione)];
    if ((s != 0) == segnato)
        return false;
    s = segnato ? 1 : 0;
    const qsizetype delta = segnato ? 1 : -1;
    conta_ += delta;
    for (size_t i = size_t(posizione) + 1; i < albero_.size(); i += i & (~i + 1))
        albero_[i] += delta;
    return true;
}

qsizetype IndiceSegni::Prima(qsizetype posizione) const
{
    qsizetype somma = 0;
    for (size_t i = size_t(posizione); i > 0; i -= i & (~i + 1))
        somma += albero_[i];
    return somma;
}

qsizetype IndiceSegni::Trova(qsizetype k) const
{
    // Down the tree: the largest prefix holding k marks or fewer.
    size_t posizione = 0;
    qsizetype resto = k + 1;
    for (size_t passo = size_t(passo_); passo > 0; passo /= 2) {
        const size_t prossima = posizione + passo;
        if (prossima < albero_.size() && albero_[prossima] < resto) {
            posizione = prossima;
            resto -= albero_[prossima];
        }
    }
    return qsizetype(posizione);
}
