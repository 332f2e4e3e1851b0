#include "SupportoFuzz.h"
#include "scambio/TrascrizioneFtp.h"

#include <QStringList>

// The client's transcript (the input: the script's lines, a byte 0, then what
// the client printed), read whole and read a byte at a time: the same
// transfers and the same files, and a file the reader has gone past keeps its
// outcome whatever follows.
namespace {

bool Uguali(const TrasferimentoFtp& a, const TrasferimentoFtp& b)
{
    return a.locale == b.locale && a.remoto == b.remoto && a.codice == b.codice &&
           a.risposta == b.risposta && a.avviato == b.avviato && a.byte == b.byte &&
           a.messaggio == b.messaggio && a.annunciati == b.annunciati &&
           a.erroreLocale == b.erroreLocale;
}

bool Uguali(const FileFtp& a, const FileFtp& b)
{
    return a.file == b.file && a.destinazione == b.destinazione && a.direzione == b.direzione &&
           a.byte == b.byte && a.esito == b.esito && a.risposta == b.risposta &&
           a.motivo == b.motivo;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione)
{
    PreparaFuzz();
    const QByteArray ingresso(reinterpret_cast<const char*>(dati), qsizetype(dimensione));
    const qsizetype separatore = ingresso.indexOf('\0');
    const QStringList righe =
        separatore < 0 ? QStringList()
                       : QString::fromUtf8(ingresso.left(separatore)).split(QLatin1Char('\n'));
    const QByteArray testo = separatore < 0 ? ingresso : ingresso.mid(separatore + 1);

    LettoreTrascrizione intero(righe);
    intero.Aggiungi(testo);
    intero.Concludi();

    LettoreTrascrizione aPezzi(righe);
    QList<FileFtp> conclusi;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        aPezzi.Aggiungi(QByteArrayView(testo.constData() + i, 1));
        PROMESSA(aPezzi.Conclusi() >= conclusi.size(), ingresso);
        PROMESSA(aPezzi.Conclusi() <= aPezzi.NumeroFile(), ingresso);
        while (conclusi.size() < aPezzi.Conclusi())
            conclusi.append(aPezzi.File(conclusi.size()));
    }
    aPezzi.Concludi();

    PROMESSA(intero.Trasferimenti().size() == aPezzi.Trasferimenti().size(), ingresso);
    for (qsizetype i = 0; i < intero.Trasferimenti().size(); ++i)
        PROMESSA(Uguali(intero.Trasferimenti()[i], aPezzi.Trasferimenti()[i]), ingresso);
    PROMESSA(intero.NumeroFile() == aPezzi.NumeroFile(), ingresso);
    for (qsizetype i = 0; i < intero.NumeroFile(); ++i)
        PROMESSA(Uguali(intero.File(i), aPezzi.File(i)), ingresso);
    for (qsizetype i = 0; i < conclusi.size(); ++i)
        PROMESSA(Uguali(conclusi[i], aPezzi.File(i)), ingresso);
    return 0;
}
