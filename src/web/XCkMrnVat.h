#pragma once

#include <QString>

#include <functional>

class GetHtmPage;

// The enquiry of one code, with its results in the globals Esiti and Titoli,
// the addresses of the pages it reads and the names a printed page takes.

// Kinds of page: export MRN, transit MRN, VIES VAT.
inline constexpr char TipoExport[] = "ex";
inline constexpr char TipoTransito[] = "tr";
inline constexpr char TipoVat[] = "pi";

// The message of every fetch or reading failure.
QString MessaggioNoConnessione();

// The addresses of the pages: the code (or the country code, then the number
// for VIES) is appended to them. Section WEB of the settings file can name
// others, whole; blank keys keep the public servers.
extern QString UrlExport;
extern QString UrlTransito;
extern QString UrlVies;
extern QString UrlPiva;
void CaricaIndirizziWeb();

// Where a printed page ends: folder + "EX_"/"TR_" + code + ".pdf", or for a
// VAT page the country code, "_" and the number.
QString NomeFinalePdf(const QString& cartellaPdf, const QString& tipo, const QString& codice);

// The name an outside PDF printer gives the page, from its title: the address
// with its host, as "http___host_ed_servizi_esportazione_export.pdf".
QString NomeFileStampantePdf(const QString& tipo);

// The time a page may take to come, in milliseconds.
int TempoMassimoPagina();
void ImpostaTempoMassimoPagina(int millisecondi);

// The enquiry object the enquiry window creates before each enquiry and
// releases after it; InterrogaCodice makes one of its own when it is null.
extern GetHtmPage* PaginaWeb;

// 0 pages read, 1 a message (in Titoli[2]), 9 no connection.
int InterrogaCodice(const QString& codice);
// The fetch bypasses every cache, so there is nothing to delete.
void CancellaCache(const QString& codice);

// How a fetched page is shown: the page window (modal) and the desktop's
// opening of a saved file. The windows' side installs them; without them the
// page is only saved.
struct PresentazionePagine
{
    std::function<void(const QString& indirizzo, const QString& codice, const QString& tipo)>
        finestra;
    std::function<void(const QString& file)> apriFile;
};
void ImpostaPresentazionePagine(const PresentazionePagine& presentazione);
const PresentazionePagine& Presentazione();
