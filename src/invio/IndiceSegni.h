#pragma once

#include <QtGlobal>

#include <vector>

// Marks on the positions 0..n-1 of an ordered list: setting one, counting the
// marks before a position and finding the k-th mark each cost O(log n), so
// that the marked names can be read in order without ever being collected.
class IndiceSegni
{
public:
    // n positions; segnati[i] tells whether position i starts marked. O(n).
    void Costruisci(const std::vector<char>& segnati);

    qsizetype Posizioni() const { return qsizetype(segni_.size()); }
    qsizetype Conta() const { return conta_; }
    bool Segnato(qsizetype posizione) const { return segni_[size_t(posizione)] != 0; }
    // False when the position already was as asked.
    bool Imposta(qsizetype posizione, bool segnato);
    // Marks at the positions before posizione.
    qsizetype Prima(qsizetype posizione) const;
    // The position of the k-th mark, from 0; k below Conta().
    qsizetype Trova(qsizetype k) const;

private:
    std::vector<qsizetype> albero_; // Fenwick sums, from 1
    std::vector<char> segni_;
    qsizetype conta_ = 0;
    qsizetype passo_ = 0; // the highest power of two not above the size
};
