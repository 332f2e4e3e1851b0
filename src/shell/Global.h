#pragma once

#include "shell/Ordine.h"

#include <QString>

#include <array>

// The records every window shares: loaded once at start-up, rewritten by the
// parameter windows, read everywhere else.

struct ParametriEdiT
{
    QString CartellaBase;         // settings PC PATH, without a trailing separator
    QString CartellaFirmati;      // signed declarations waiting to be sent
    QString CartellaVerificati;   // content unwrapped from signed files
    QString CartellaDaVerificare; // received signed files once unwrapped
    QString CartellaRicevuti;     // files fetched from Customs
    QString CartellaInviati;      // sent declarations
    QString HostFtp;
    QString UtenteFtp;
    QString PasswordFtp; // clear in memory, scrambled in the settings file
    QString Ditta;
    QString Progr1;
    QString Progr2;
};

struct ParametroWebT
{
    int Vedi = 0;            // "View"
    int Stampa = 0;          // "Print"
    int ChiediStampante = 0; // "ChPrt"
    QString Stampante;       // "Stampante"
    int Salva = 0;           // "Save"
    QString CartellaSalva;   // "DirSave"
};

struct ParametriUnixT
{
    QString Host;
    QString Utente;
    QString Password; // clear in memory
    QString Cartella;
};

inline constexpr int GruppiColore = 9;
inline constexpr int SlotWeb = 3;

extern ParametriEdiT ParametriEdi;
extern ParametriUnixT ParametriUnix;
extern int ModoDebugUnix;
extern std::array<ParametroWebT, SlotWeb> ParametriWeb;
// How pages open in the browser ("IESkede"): 0 single, 1 multiple; one for all modes.
extern int SchedeBrowser;
// Decimal text of an RGB value with red in the low byte, per type group 1..9
// (index 0..8); "0" when none is configured.
extern std::array<QString, GruppiColore> Colori;

extern int OrdinaColInvio;
extern ModoOrdine OrdinaModoInvio;
extern int OrdinaColRicevi;
extern ModoOrdine OrdinaModoRicevi;
extern int ModoDebug; // 0 or 1
extern int MaxFile;   // files per run, 5 to 50

extern std::array<int, 13> GiorniMese; // index 1..12

extern QString CartellaProgramma; // the executable's folder, or the one named by --cartella
extern QString FileIni;
extern QString FileComandiFtp;
extern QString CartellaTemp; // ends with the separator

extern bool ConnessoRemoto;
extern int EsitoOperazione;
// The last update check: 0 new updates may exist, -1 the program is current,
// any other value the error number of a failed fetch.
extern int EsitoAggiornamento;

// The launcher's arguments for the next application started.
extern QString ArgomentoProgramma;
extern int StileFinestra;

// The access password's record as last read from its store; "" or "!" for none.
extern QString ParolaAccesso;

// What a text box held when it got the focus (SelezionaTesto).
extern QString TestoIniziale;

// Where PosizioneTaskbar last found the taskbar: edge 0 bottom, 1 right,
// 2 top, 3 left; sizes in twips.
extern int LatoTaskbar;
extern int AltezzaTaskbar;
extern int LarghezzaTaskbar;

// The caption a window had before Ctrl+F8 replaced it with its name.
extern QString DidascaliaSalvata;

// The web enquiry's mode and the results of the last MRN or VAT enquiry.
extern int ModoInterrogazione;
extern std::array<QString, 20> Esiti;
extern std::array<QString, 8> Titoli;

// The printer chosen in this run ("" until a choice: the print options'
// stored printer, else the system's default).
extern QString StampanteScelta;

// Back to the values of a program that has not started yet (for tests).
void AzzeraGlobali();
