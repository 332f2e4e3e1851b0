#include "ricezione/Appuramenti.h"

#include <QFile>
#include <QSaveFile>

QString NomeFileAppuramenti(const QString& utenteUnix)
{
    return utenteUnix + QStringLiteral("Irildes");
}

bool UnisciAppuramenti(const QStringList& file, const QString& destino)
{
    QByteArray unito;
    auto scrivi = [&unito](QByteArray riga) {
        // A file that came with CR LF line ends must not get two CRs.
        if (riga.endsWith('\r'))
            riga.chop(1);
        unito += riga + "\r\n";
    };
    for (qsizetype k = 0; k < file.size(); ++k) {
        QFile f(file[k]);
        if (!f.open(QIODevice::ReadOnly))
            return false;
        QList<QByteArray> pezzi = f.readAll().split('\n');
        // What follows the last line feed: empty when the file ends with one.
        if (pezzi.size() > 1 && pezzi.last().isEmpty())
            pezzi.removeLast();
        if (k == 0) {
            QByteArray intestazione = pezzi.value(0);
            static const char codice[] = "L01";
            for (int i = 0; i < 3; ++i)
                if (25 + i < intestazione.size())
                    intestazione[25 + i] = codice[i];
            scrivi(intestazione);
            if (pezzi.size() > 1)
                scrivi(pezzi[1]);
        }
        for (qsizetype i = 2; i < pezzi.size(); ++i)
            scrivi(pezzi[i]);
    }
    QSaveFile uscita(destino);
    if (!uscita.open(QIODevice::WriteOnly))
        return false;
    if (uscita.write(unito) != unito.size()) {
        uscita.cancelWriting();
        return false;
    }
    return uscita.commit();
}
