#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QCommandLineParser;

// The page program ("norvel-pagina") shows one fetched page in its own
// process, so that the browser engine is loaded only when a page is shown.
// The program asks it on its command line and it answers with its exit
// status and one line on its standard output.

inline constexpr char NomeProgrammaPagina[] = "norvel-pagina";

struct RichiestaPagina
{
    QString indirizzo;
    QString codice;
    QString tipo;      // "ex", "tr" or "pi"
    int modo = 1;      // the enquiry mode, 0..2
    bool vedi = false; // the page stays on screen for the person
    bool stampa = false;
    bool chiedi = false; // the printer dialog before printing
    QString stampante;   // the current printer of the program
    QString fileIni;     // the settings file (page addresses, window position)
    int attesaMs = 0;    // before "Attendi ancora?"; 0 keeps the window's own
};

QStringList ArgomentiPagina(const RichiestaPagina& richiesta);

// The options of the page program, for its parser (and its --help).
void AggiungiOpzioniPagina(QCommandLineParser& opzioni);
// The request the parsed options make, or an Italian message in errore.
std::optional<RichiestaPagina> LeggiOpzioniPagina(const QCommandLineParser& opzioni,
                                                  QString& errore);

// Exit statuses of the page program.
inline constexpr int PaginaMostrata = 0;    // shown, and printed when asked
inline constexpr int PaginaNonPartita = 1;  // no window could be opened
inline constexpr int PaginaRigaErrata = 2;  // a wrong command line
inline constexpr int PaginaNonRicevuta = 3; // given up, handed to the desktop
inline constexpr int PaginaNonStampata = 4; // the print failed or never ended

// What became of the print: "nessuna" (not asked), "eseguita", "annullata"
// (the person cancelled the dialog), "fallita".
struct EsitoPagina
{
    int stato = 6; // 6 waited normally; else what the desktop said (0 failed)
    QString stampa = QStringLiteral("nessuna");
    QString file; // the PDF written, when known
};

// "stato=6 stampa=eseguita file=/path/EX_x.pdf" (file last, spaces allowed).
QString RigaEsito(const EsitoPagina& esito);
std::optional<EsitoPagina> LeggiRigaEsito(const QString& riga);
int CodiceUscita(const EsitoPagina& esito);
