#pragma once

#include "invio/IndiceSegni.h"
#include "shell/Ordine.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// The outgoing list of the send window: every file of the listed folder that
// matches the mask (ElencoFile) and the names marked for sending (ElencoInvio).
// A mark or an unmark costs O(log n): the marks are kept by name order, so
// ElencoInvio is read from them and never collected or sorted.

// Grid columns of ElencoFile.
enum ColonnaElenco
{
    ColonnaSegno = 0,
    ColonnaNome = 1,
    ColonnaData = 2,
    ColonnaByte = 3
};

inline constexpr char SegnoInvio[] = "S";

struct RigaFile
{
    QString segno; // "S" when marked
    QString nome;
    double data = 0; // last-modified time as a date serial number
    qint64 dimensione = 0;

    bool Segnata() const { return segno == QLatin1String(SegnoInvio); }
};

class ElencoFile
{
public:
    // Lists the files of cartella that match maschera, in directory order;
    // a row is marked when its name is in invio, and invio is ElencoInvio as
    // it stands until the next change of marks. Not sorted.
    void Carica(const QString& cartella, const QString& maschera, const QStringList& invio);
    // Sorts by the grid column. Ties are broken by the other columns, as the
    // office's keys did.
    void Ordina(int colonna, ModoOrdine modo);

    // The changes of marks; each rebuilds ElencoInvio from the rows.
    void Segna(qsizetype riga);
    // Clears the mark of the first row named nome; false when there is none.
    bool Togli(const QString& nome);
    void Tutti();
    void Nessuno();
    void Inverti();
    // The row's file has left the folder.
    void TogliRiga(qsizetype riga);

    // ElencoInvio, by name in its direction.
    qsizetype ContaInvio() const;
    QString NomeInvio(qsizetype k) const;
    QStringList ElencoInvio() const;
    ModoOrdine ModoInvio() const { return modoInvio_; }
    void OrdinaInvio(ModoOrdine modo) { modoInvio_ = modo; }
    // True after a reload while ElencoInvio still holds what the rows do not
    // mark (names filtered out): the next change of marks rebuilds it whole.
    bool InvioDaRicostruire() const { return congelato_; }
    // Where the row's name stands in ElencoInvio as the marks make it: its
    // place when marked, the place it would take when not.
    qsizetype PosizioneInvio(qsizetype riga) const;

    // Marked names, as text in the direction given.
    QStringList RicostruisciInvio(ModoOrdine modo) const;
    // The first row named nome (trimmed), or -1.
    qsizetype Riga(const QString& nome) const;

    const QList<RigaFile>& Righe() const { return righe_; }
    qsizetype Conta() const { return righe_.size(); }
    const RigaFile& operator[](qsizetype i) const { return righe_[i]; }
    void Svuota();

private:
    void Indicizza() const;
    void Riallinea() const;
    void Marca(qsizetype riga, bool segnata);
    void SegniCambiati();
    void Ricostruito();

    QList<RigaFile> righe_;
    // Made on demand: each row's place in name order, the row at each place,
    // the marks by place, the places by trimmed name.
    mutable bool indicizzato_ = false;
    mutable std::vector<qsizetype> rango_;
    mutable std::vector<qsizetype> rigaDi_;
    mutable IndiceSegni segni_;
    mutable QMultiHash<QString, qsizetype> perNome_;
    QStringList congelata_; // ElencoInvio while it waits for a rebuild
    bool congelato_ = false;
    ModoOrdine modoInvio_ = Crescente;
};
