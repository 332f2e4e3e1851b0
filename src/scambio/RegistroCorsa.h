#pragma once

#include "scambio/EseguiScriptFtp.h"
#include "scambio/TrascrizioneFtp.h"
#include "shell/RegistroTrasferimenti.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

// The first line of what a run says, once, when its log cannot be written.
inline constexpr char ErroreRegistro[] =
    "ATTENZIONE! IMPOSSIBILE SCRIVERE NEL REGISTRO DEI TRASFERIMENTI:";

// The records of one run of the FTP runner in the log of the day it started:
// its start, one record for each file of the script and each name kept out of
// it, its end. The password goes into none of them.
class RegistroCorsa
{
public:
    // Writes the start and the names kept out.
    RegistroCorsa(const RichiestaFtp& richiesta, const QDateTime& inizio);
    RegistroCorsa(const RegistroCorsa&) = delete;
    RegistroCorsa& operator=(const RegistroCorsa&) = delete;

    // Writes the files the client has gone past, so that a crash of the
    // program loses little. lettura: this run's transcript so far, read with
    // the run's lines.
    void Aggiorna(const LettoreTrascrizione& lettura);
    // Writes the other files and the end.
    void Chiudi(const EsitoFtp& esito);
    // Says that the log could not be written, at most once; the run goes on
    // as it was.
    void AvvisaErrore();

private:
    void Scrivi(CampiRegistro campi);
    void ScriviFile(const FileFtp& file);

    QStringList righe_;
    QString password_;
    std::function<QString(const QString&)> rifiuto_;
    QString corsa_;
    ScritturaRegistro scrittura_;
    qsizetype scritti_ = 0;
    bool avvisato_ = false;
};

// The runs of this process from now on are unattended (a timer's receive):
// their start records say so ("automatico": true).
void SegnaCorseAutomatiche(bool automatiche);

// A run that never started its client because every name was kept out: the
// start, those names and an end "non avviato".
void RegistraCorsaSenzaFile(const RichiestaFtp& richiesta);

// One unwrap of a received file, a record of its own: operation "verifica",
// the file and its copy, "accettato" or "rifiutato", and what the command
// said (the reason, for a failure). False, with the file and the reason in
// errore, when the log could not be written.
bool RegistraVerifica(const QString& file, const QString& destinazione, bool riuscita,
                      const QString& messaggio, QString* errore = nullptr);
