#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The outgoing list of the send window: every file of the listed folder that
// matches the mask (ElencoFile) and the names marked for sending (ElencoInvio).

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
    // a row is marked when its name is in invio. Not sorted.
    void Carica(const QString& cartella, const QString& maschera, const QStringList& invio);
    // Sorts by the grid column; modo 1 ascending, anything else descending.
    // Ties are broken by the other columns, as the office's keys did.
    void Ordina(int colonna, int modo);

    void Segna(qsizetype riga);
    // Clears the mark of the first row named nome; false when there is none.
    bool Togli(const QString& nome);
    void Tutti();
    void Nessuno();
    void Inverti();

    // Marked names, as text ascending (modo 1) or descending.
    QStringList RicostruisciInvio(int modo) const;
    // The first row named nome, or -1.
    qsizetype Riga(const QString& nome) const;

    const QList<RigaFile>& Righe() const { return righe_; }
    qsizetype Conta() const { return righe_.size(); }
    const RigaFile& operator[](qsizetype i) const { return righe_[i]; }
    void Svuota() { righe_.clear(); }

private:
    QList<RigaFile> righe_;
};
