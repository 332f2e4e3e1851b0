#pragma once

#include <QString>

// One transfer run at a time per program folder, across the copies of the
// program: a run holds an exclusive flock(2) on a file of the folder, which
// the kernel lets go when the holder ends, however it ends. Nobody waits for
// it: a copy that finds it held starts nothing and says so.

// The lock file, in the program folder.
inline constexpr char FileBloccoTrasferimenti[] = "Xblocco";

// What a copy that finds the lock held tells its user.
inline constexpr char MessaggioAltraCopia[] =
    "UN'ALTRA COPIA DEL PROGRAMMA STA TRASFERENDO FILE: RIPROVARE PIU' TARDI";

enum class StatoBlocco
{
    Libero,     // nobody holds it
    Nostro,     // this process holds it
    AltraCopia, // another process holds it
    Errore      // the lock file cannot be opened or locked
};

class BloccoTrasferimenti
{
public:
    // Tries once and never waits. Holds of one process on one folder nest: the
    // first takes the lock, the last one to go lets it go.
    explicit BloccoTrasferimenti(const QString& cartella);
    ~BloccoTrasferimenti();
    BloccoTrasferimenti(const BloccoTrasferimenti&) = delete;
    BloccoTrasferimenti& operator=(const BloccoTrasferimenti&) = delete;

    bool Preso() const { return stato_ == StatoBlocco::Nostro; }
    StatoBlocco Stato() const { return stato_; }
    // For the user, when not held: another copy is transferring, or the lock
    // file could not be used (named, with the system's reason).
    QString Motivo() const;

    // Whether a run could start now, without holding anything: for a window
    // that wants to know beforehand, and for a command that must end at once.
    static StatoBlocco Prova(const QString& cartella);
    static QString Percorso(const QString& cartella);

private:
    QString percorso_;
    QString errore_;
    StatoBlocco stato_ = StatoBlocco::Errore;
};
