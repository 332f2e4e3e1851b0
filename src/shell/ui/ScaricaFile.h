#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Downloads the update packages at these addresses into a folder the person
// chooses, with a progress window, and says at the end what came down and what
// did not. Blank addresses are skipped; one that is not a web address gets
// "indirizzo errato". Returns the files written.
QStringList ScaricaFile(QWidget* padre, const QStringList& indirizzi);
inline QStringList ScaricaFile(QWidget* padre, const QString& indirizzo)
{
    return ScaricaFile(padre, QStringList{indirizzo});
}
