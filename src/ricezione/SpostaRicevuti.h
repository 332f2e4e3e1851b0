#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Moving received files on: each is unwrapped into CartellaVerificati (a
// signed one through the signature software, an unsigned one moved), then
// leaves the received folder.

// Unwraps origine into destino and returns 0, 1 or 2 as EsitoOperazione does;
// messaggio gets the failure's description, or after a success what the
// command said. The windows pass the signed-file window, tests the bare run.
using FunzioneSbusta =
    std::function<int(const QString& origine, const QString& destino, QString* messaggio)>;

// "ERRORE IN FASE DI COPIA!" (1) or "ERRORE IN FASE DI VERIFICA!" (2), the
// file, "    in", its local name and the error's description, a line each.
QString MessaggioSbusta(int esito, const QString& nome, const QString& locale,
                        const QString& errore);

// The receive window's move of one file: unwrapped, then moved from
// CartellaRicevuti into CartellaDaVerificare (replacing an older copy). A
// failure is said in a message and the file stays; so is a name with no local
// name (one containing ".PDF"), before anything starts. True when it went.
// senzaFirmatario, when given, counts the unwraps whose signer nobody checked.
bool VerificaESposta(const QString& nome, const FunzioneSbusta& sbusta,
                     int* senzaFirmatario = nullptr);

// Says once, for a whole "&SPOSTA", that quanti files were unwrapped without a
// check of their signer, and where the CA bundle goes. Nothing when 0.
void AvvisaSenzaFirmatario(int quanti);

struct EsitoSpostaAppuramenti
{
    QStringList sbustati; // unwrapped, received file deleted
    QStringList falliti;  // left in the received folder, said in a message
    QStringList uniti;    // local names sent (at most MaxAppuramenti)
    QString inviato;      // the file handed to the UNIX host, "" when none
    bool accettato = false;
};

// "&SPOSTA" of the clearances window for the listed names: every one
// unwrapped (the received file deleted on success, a message on failure and on
// with the next), then sent to the UNIX host with what an earlier run could
// not deliver (InviaAppuramenti).
EsitoSpostaAppuramenti SpostaAppuramenti(const QStringList& nomi, const FunzioneSbusta& sbusta,
                                         bool* occupato = nullptr);
