#pragma once

#include <QString>

// The rules of the Customs connection parameters that need no window.

// "Dal progressivo" on leaving the field: its first character and "0"; an empty
// field gives "00".
QString ProgressivoIniziale(const QString& testo);
// "al": its first character and "Z"; an empty field gives "ZZ".
QString ProgressivoFinale(const QString& testo);

// The list of files fetched at a time offers 5, 10 ... 50: position 0..9 of the
// list for MaxFile, or -1 when MaxFile is none of them (a hand-edited file).
int PosizioneNumFile(int maxFile);

// What the window confirms. A choice of -1 (no option ticked, no list position)
// keeps the value the global has.
struct ValoriParEdi
{
    QString host;
    QString utente;
    QString password;
    QString ditta;
    QString progr1;
    QString progr2;
    int colInvio = -1;
    int modoInvio = -1;
    int colRicevi = -1;
    int modoRicevi = -1;
    QString cartellaBase;
    int debug = -1;
    int posizioneNumFile = -1;
};

// Writes the values to the globals and to sections EDI and PC of the settings
// file, recomputes the working folders from the new base folder and creates the
// missing ones; false when one of them could not be created.
bool ConfermaParametriEdi(const ValoriParEdi& v);
