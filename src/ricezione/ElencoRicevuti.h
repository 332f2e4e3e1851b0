#pragma once

#include "shell/Ordine.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// The received files of the receive and clearances windows, with the three
// sort lists the office's program kept: one text line per file and column,
// "name|date key|size key", "date key|name|size key", "size key|name|date
// key", in text order with case ignored. The keys are texts, so a size of
// eight digits or more sorts by its leading digits.

struct RigaRicevuto
{
    QString nome;
    QDateTime data;
    qint64 dimensione = 0;
};

// "00000.0000000000": the date as a serial day number.
QString ChiaveData(const QDateTime& data);
// "0000000": at least seven digits.
QString ChiaveDimensione(qint64 dimensione);

class ElencoRicevuti
{
public:
    // The files of cartella that match maschera.
    void Carica(const QString& cartella, const QString& maschera);
    // Rows from the sort list of colonna (0 name, 1 date, 2 size): in its
    // order ascending, reversed descending.
    void Ordina(int colonna, ModoOrdine modo);
    void Svuota();

    const QList<RigaRicevuto>& Righe() const { return righe_; }
    qsizetype Conta() const { return righe_.size(); }
    const RigaRicevuto& operator[](qsizetype i) const { return righe_[i]; }
    const QStringList& ListaOrdinamento(int colonna) const { return liste_[colonna]; }

private:
    QList<RigaRicevuto> righe_;
    std::array<QStringList, 3> liste_;
};
