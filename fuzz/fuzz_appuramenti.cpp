#include "SupportoFuzz.h"
#include "ricezione/Appuramenti.h"

#include <QStringList>

// The clearances files joined: the first file's two headings, then every
// record of every file once, in order, each ended by CR LF, whatever the
// files' own line ends and whether their last record has one.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione)
{
    PreparaFuzz();
    const QByteArray ingresso(reinterpret_cast<const char*>(dati), qsizetype(dimensione));
    const QString cartella = CartellaFuzz();
    const QList<QByteArray> contenuti = PezziFuzz(ingresso).mid(0, MaxAppuramenti);
    QStringList file;
    QList<QByteArray> attese;
    for (qsizetype k = 0; k < contenuti.size(); ++k) {
        file.append(ScriviFileFuzz(QStringLiteral("A%1").arg(k), contenuti[k]));
        QList<QByteArray> righe = contenuti[k].split('\n');
        if (righe.size() > 1 && righe.last().isEmpty())
            righe.removeLast();
        for (qsizetype i = k == 0 ? 0 : 2; i < righe.size(); ++i) {
            QByteArray riga = righe[i];
            if (riga.endsWith('\r'))
                riga.chop(1);
            if (k == 0 && i == 0)
                for (int c = 0; c < 3; ++c)
                    if (25 + c < riga.size())
                        riga[25 + c] = "L01"[c];
            attese.append(riga);
        }
    }
    const QString destino = cartella + QStringLiteral("/unito");
    PROMESSA(UnisciAppuramenti(file, destino), ingresso);
    const QByteArray unito = LeggiFileFuzz(destino);
    PROMESSA(unito.isEmpty() || unito.endsWith("\r\n"), ingresso);
    QList<QByteArray> righe = unito.split('\n');
    righe.removeLast(); // after the last line end
    PROMESSA(righe.size() == attese.size(), ingresso);
    for (qsizetype i = 0; i < righe.size(); ++i) {
        PROMESSA(righe[i].endsWith('\r'), ingresso);
        PROMESSA(righe[i].chopped(1) == attese[i], ingresso);
    }
    return 0;
}
