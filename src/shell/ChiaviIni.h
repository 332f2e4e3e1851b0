#pragma once

#include <QLatin1StringView>

// Sections and keys of the settings file, and the defaults of blank values.
// Settings are read and written only through these names.

namespace Ini {

// Window geometry: section STARTUP (written "StartUp") and one per list window.
inline constexpr QLatin1StringView SezStartUp{"StartUp"};
inline constexpr QLatin1StringView PosX{"POSX"};
inline constexpr QLatin1StringView PosY{"POSY"};
inline constexpr QLatin1StringView DimX{"DIMX"};
inline constexpr QLatin1StringView DimY{"DIMY"};

inline constexpr QLatin1StringView SezPc{"PC"};
inline constexpr QLatin1StringView SezUnix{"UNIX"};
inline constexpr QLatin1StringView Path{"PATH"};
inline constexpr QLatin1StringView DefaultPathUnix{"/tmp/edi"};

inline constexpr QLatin1StringView SezEdi{"EDI"};
inline constexpr QLatin1StringView HostFtp{"HOSTFTP"};
inline constexpr QLatin1StringView AutorFtp{"AUTORFTP"};
inline constexpr QLatin1StringView PasswFtp{"PASSWFTP"};
inline constexpr QLatin1StringView Ditta{"DITTA"};
inline constexpr QLatin1StringView Progr1{"PROGR1"};
inline constexpr QLatin1StringView Progr2{"PROGR2"};
inline constexpr QLatin1StringView ColSortInv{"COLSORTINV"};
inline constexpr QLatin1StringView ModSortInv{"MODSORTINV"};
inline constexpr QLatin1StringView ColSortRic{"COLSORTRIC"};
inline constexpr QLatin1StringView ModSortRic{"MODSORTRIC"};
inline constexpr QLatin1StringView Debug{"DEBUG"};
inline constexpr QLatin1StringView NumFile{"NUMFILE"};
// Interface-name pattern of the link to Customs (an addition of this port).
inline constexpr QLatin1StringView Connessione{"CONNESSIONE"};
// "1" on the demo sandbox's own settings: the captions say so.
inline constexpr QLatin1StringView Demo{"DEMO"};
// Days the transfer log is kept (an addition of this port); 0 keeps it all.
inline constexpr QLatin1StringView GiorniRegistro{"GIORNIREGISTRO"};

inline constexpr QLatin1StringView DefaultHostFtp{"ftp.agenziadogane.it"};
inline constexpr QLatin1StringView DefaultProgr1{"00"};
inline constexpr QLatin1StringView DefaultProgr2{"ZZ"};
inline constexpr QLatin1StringView DefaultConnessione{"ppp*"};

inline constexpr QLatin1StringView SezRemoto{"REMOTO"};
inline constexpr QLatin1StringView Indirizzo{"INDIRIZZO"};
inline constexpr QLatin1StringView Utente{"UTENTE"};
inline constexpr QLatin1StringView Passwd{"PASSWD"};
inline constexpr QLatin1StringView DefaultPathRemoto{"/tmp"};

inline constexpr QLatin1StringView SezDebug{"DEBUG"};
inline constexpr QLatin1StringView Modo{"MODO"};

inline constexpr QLatin1StringView SezApplicativi{"APPLICATIVI"};
inline constexpr QLatin1StringView NomeVarie{"NomeVarie"}; // + 1..11
inline constexpr QLatin1StringView Varie{"Varie"};         // + 1..11
inline constexpr int VociApplicativi = 11;
inline constexpr QLatin1StringView DefaultNomeVarie1{"Editor di testi"};
// The default command of entry 1 here: the desktop's own text editor, looked up
// at every launch (the default application for text/plain).
inline constexpr QLatin1StringView EditorDelDesktop{"xdg-open"};

inline constexpr QLatin1StringView SezColori{"COLORI"};         // keys "0".."8"
inline constexpr QLatin1StringView SezColoriMiei{"COLORIMIEI"}; // keys "0".."63"

inline constexpr QLatin1StringView SezWebParam{"WEBPARAM"}; // keys + slot 0..2
inline constexpr QLatin1StringView View{"View"};
inline constexpr QLatin1StringView Print{"Print"};
inline constexpr QLatin1StringView ChPrt{"ChPrt"};
inline constexpr QLatin1StringView Stampante{"Stampante"};
inline constexpr QLatin1StringView Save{"Save"};
inline constexpr QLatin1StringView DirSave{"DirSave"};
inline constexpr QLatin1StringView IESkede{"IESkede"};

// Addresses of the MRN and VAT pages, each whole; blank keeps the public ones.
inline constexpr QLatin1StringView SezWeb{"WEB"};
inline constexpr QLatin1StringView WebExport{"EXPORT"};
inline constexpr QLatin1StringView WebTransiti{"TRANSITI"};
inline constexpr QLatin1StringView WebVat{"VAT"};
inline constexpr QLatin1StringView WebVatPiva{"VATPIVA"};
inline constexpr QLatin1StringView DefaultUrlExport{
    "http://www.agenziadogane.it/ed/servizi/esportazione/export.htm?mrn="};
inline constexpr QLatin1StringView DefaultUrlTransito{
    "http://www.agenziadogane.it/ed/servizi/ecustoms/transito/mrn/transito.htm?mrn="};
inline constexpr QLatin1StringView DefaultUrlVies{
    "http://www1.agenziaentrate.it/servizi/vies/vies.htm?act=piva&stato="};
inline constexpr QLatin1StringView DefaultUrlPiva{"&piva="};

// The PDF printer's own settings in the per-user store.
inline constexpr QLatin1StringView PdfApplicazione{"PDFCreator"};
inline constexpr QLatin1StringView PdfSezione{"Program"};
inline constexpr QLatin1StringView PdfNomeAutomatico{"AutosaveFilename"};
inline constexpr QLatin1StringView PdfCartellaAutomatica{"AutosaveDirectory"};

inline constexpr QLatin1StringView SezStampa{"STAMPA"};
inline constexpr QLatin1StringView StampaStampante{"STAMPANTE"};
inline constexpr QLatin1StringView StampaTipo{"TIPO"};
inline constexpr QLatin1StringView StampaPreview{"PREVIEW"};
inline constexpr QLatin1StringView StampaZoom{"ZOOM"};

inline constexpr QLatin1StringView SezAggiorna{"AGGIORNA"};
inline constexpr QLatin1StringView Zerpa{"ZERPA"};
inline constexpr QLatin1StringView Aggiornamenti{"AGGIORNAMENTI"};
inline constexpr QLatin1StringView SezAggiornamenti{"AGGIORNAMENTI"}; // keys "+" + update code
inline constexpr QLatin1StringView DefaultZerpa{"https://www.zerpa.it"};

} // namespace Ini
