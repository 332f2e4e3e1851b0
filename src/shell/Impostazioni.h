#pragma once

#include "piattaforma/FileProfilo.h"

#include <QString>

// The settings file: one value at a time, and the loading of the shared records
// with the defaults and conversions of blank or odd values.

// The value of chiave in sezione of file: what stands before the first "|",
// trimmed; "" when anything is missing.
QString LeggiIni(const QString& file, const QString& sezione, const QString& chiave);
// A stored password (PASSWFTP, PASSWD): everything after the "=" up to the line
// end, with no "|" cut; a scrambled text keeps its trailing blanks.
QString LeggiIniParola(const QString& file, const QString& sezione, const QString& chiave);
// Writes the value as given. A write that fails says so once, naming the file,
// however many keys the same step then fails to write; false on failure.
bool ScriviIni(const QString& file, const QString& sezione, const QString& chiave,
               const QString& valore);
// Several keys of one section in one write of the file, all or none.
bool ScriviIni(const QString& file, const QString& sezione, const VociProfilo& voci);

// The scrambled form of a password kept in the settings file, and back.
QString CodificaParola(const QString& chiaro);
QString DecodificaParola(const QString& memorizzato);

// ValoreNumerico(LeggiIni(FileIni, ...)) narrowed to an integer.
int LeggiIniNumero(const QString& sezione, const QString& chiave);

// Sections PC and EDI into ParametriEdi (the base folder only; the sub-folders
// are the working folders' business), the sort and debug globals and MaxFile.
void CaricaParametriEdi();
// Section WEBPARAM into ParametriWeb.
void CaricaParametriWeb();
// Section COLORI into Colori.
void CaricaColori();
// Sections REMOTO and DEBUG into ParametriUnix and ModoDebugUnix; a blank remote
// folder becomes "/tmp" and is written back.
void CaricaParametriUnix();

// The settings are the demo sandbox's (EDI DEMO=1), not a real connection.
bool ProgrammaDemo();
