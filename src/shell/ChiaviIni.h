#pragma once

// Sections and keys of the settings file, and the defaults of blank values.
// Settings are read and written only through these names.

namespace Ini {

// Window geometry: section STARTUP (written "StartUp") and one per list window.
inline constexpr char SezStartUp[] = "StartUp";
inline constexpr char PosX[] = "POSX";
inline constexpr char PosY[] = "POSY";
inline constexpr char DimX[] = "DIMX";
inline constexpr char DimY[] = "DIMY";

inline constexpr char SezPc[] = "PC";
inline constexpr char SezUnix[] = "UNIX";
inline constexpr char Path[] = "PATH";
inline constexpr char DefaultPathUnix[] = "/tmp/edi";

inline constexpr char SezEdi[] = "EDI";
inline constexpr char HostFtp[] = "HOSTFTP";
inline constexpr char AutorFtp[] = "AUTORFTP";
inline constexpr char PasswFtp[] = "PASSWFTP";
inline constexpr char Ditta[] = "DITTA";
inline constexpr char Progr1[] = "PROGR1";
inline constexpr char Progr2[] = "PROGR2";
inline constexpr char ColSortInv[] = "COLSORTINV";
inline constexpr char ModSortInv[] = "MODSORTINV";
inline constexpr char ColSortRic[] = "COLSORTRIC";
inline constexpr char ModSortRic[] = "MODSORTRIC";
inline constexpr char Debug[] = "DEBUG";
inline constexpr char NumFile[] = "NUMFILE";
// Interface-name pattern of the link to Customs (an addition of this port).
inline constexpr char Connessione[] = "CONNESSIONE";
// "1" on the demo sandbox's own settings: the captions say so.
inline constexpr char Demo[] = "DEMO";
// Days the transfer log is kept (an addition of this port); 0 keeps it all.
inline constexpr char GiorniRegistro[] = "GIORNIREGISTRO";

inline constexpr char DefaultHostFtp[] = "ftp.agenziadogane.it";
inline constexpr char DefaultProgr1[] = "00";
inline constexpr char DefaultProgr2[] = "ZZ";
inline constexpr char DefaultConnessione[] = "ppp*";

inline constexpr char SezRemoto[] = "REMOTO";
inline constexpr char Indirizzo[] = "INDIRIZZO";
inline constexpr char Utente[] = "UTENTE";
inline constexpr char Passwd[] = "PASSWD";
inline constexpr char DefaultPathRemoto[] = "/tmp";

inline constexpr char SezDebug[] = "DEBUG";
inline constexpr char Modo[] = "MODO";

inline constexpr char SezApplicativi[] = "APPLICATIVI";
inline constexpr char NomeVarie[] = "NomeVarie"; // + 1..11
inline constexpr char Varie[] = "Varie";         // + 1..11
inline constexpr int VociApplicativi = 11;
inline constexpr char DefaultNomeVarie1[] = "Editor di testi";
// The default command of entry 1 here: the desktop's own text editor, looked up
// at every launch (the default application for text/plain).
inline constexpr char EditorDelDesktop[] = "xdg-open";

inline constexpr char SezColori[] = "COLORI";         // keys "0".."8"
inline constexpr char SezColoriMiei[] = "COLORIMIEI"; // keys "0".."63"

inline constexpr char SezWebParam[] = "WEBPARAM"; // keys + slot 0..2
inline constexpr char View[] = "View";
inline constexpr char Print[] = "Print";
inline constexpr char ChPrt[] = "ChPrt";
inline constexpr char Stampante[] = "Stampante";
inline constexpr char Save[] = "Save";
inline constexpr char DirSave[] = "DirSave";
inline constexpr char IESkede[] = "IESkede";

// Addresses of the MRN and VAT pages, each whole; blank keeps the public ones.
inline constexpr char SezWeb[] = "WEB";
inline constexpr char WebExport[] = "EXPORT";
inline constexpr char WebTransiti[] = "TRANSITI";
inline constexpr char WebVat[] = "VAT";
inline constexpr char WebVatPiva[] = "VATPIVA";
inline constexpr char DefaultUrlExport[] =
    "http://www.agenziadogane.it/ed/servizi/esportazione/export.htm?mrn=";
inline constexpr char DefaultUrlTransito[] =
    "http://www.agenziadogane.it/ed/servizi/ecustoms/transito/mrn/transito.htm?mrn=";
inline constexpr char DefaultUrlVies[] =
    "http://www1.agenziaentrate.it/servizi/vies/vies.htm?act=piva&stato=";
inline constexpr char DefaultUrlPiva[] = "&piva=";

// The PDF printer's own settings in the per-user store.
inline constexpr char PdfApplicazione[] = "PDFCreator";
inline constexpr char PdfSezione[] = "Program";
inline constexpr char PdfNomeAutomatico[] = "AutosaveFilename";
inline constexpr char PdfCartellaAutomatica[] = "AutosaveDirectory";

inline constexpr char SezStampa[] = "STAMPA";
inline constexpr char StampaStampante[] = "STAMPANTE";
inline constexpr char StampaTipo[] = "TIPO";
inline constexpr char StampaPreview[] = "PREVIEW";
inline constexpr char StampaZoom[] = "ZOOM";

inline constexpr char SezAggiorna[] = "AGGIORNA";
inline constexpr char Zerpa[] = "ZERPA";
inline constexpr char Aggiornamenti[] = "AGGIORNAMENTI";
inline constexpr char SezAggiornamenti[] = "AGGIORNAMENTI"; // keys "+" + update code
inline constexpr char DefaultZerpa[] = "https://www.zerpa.it";

} // namespace Ini
