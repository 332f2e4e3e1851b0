#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

// Text, number and date conversions shared by the windows.

// Null or blank → 0; text with a "/" and another "/" after it → the date's
// serial day number; a number in the system's notation (or the plain one) → its
// value; anything else → 0.
double ValoreNumerico(const QVariant& valore);
double ValoreNumerico(const QString& valore);

// Serial date numbers: days since 30 December 1899, the time as the fraction.
double DataSeriale(const QDateTime& momento);
double DataSeriale(const QDate& giorno);
double DataSeriale(const QDate& giorno, const QTime& ora);
QDateTime DaDataSeriale(double seriale);

// The value, or the default (" " when blank) for a null, blank or NUL-led value.
QString TestoODefault(const QVariant& valore, const QString& predefinito = {});

// "1.234,50" → "000123450": separators dropped, left-padded to 9, rightmost 9 kept.
QString ImportoNoveCifre(const QString& importo);

// The text before the last separator; "" when there is none.
QString CartellaPadre(const QString& percorso);

QString GiornoDueCifre(const QDate& data);
QString MeseDueCifre(const QDate& data);

// Key filters on a character code: the code to keep, or 0 to discard the key.
int SoloCifre(int codice);
int Maiuscolo(int codice);
