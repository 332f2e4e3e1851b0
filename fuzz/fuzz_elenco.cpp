#include "SupportoFuzz.h"
#include "ricezione/NomiRicezione.h"
#include "shell/ValoriFtp.h"

// The server's listing: every name taken is a plain name whose temporary name
// still fits in a file name, and every non-blank line is either taken or set
// aside, never lost.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione)
{
    PreparaFuzz();
    const QByteArray ingresso(reinterpret_cast<const char*>(dati), qsizetype(dimensione));
    const ElencoLetto elenco = LeggiElenco(ingresso);
    for (const QString& nome : elenco.nomi) {
        PROMESSA(NomeFileSemplice(nome), ingresso);
        PROMESSA(NomeRicevibile(nome), ingresso);
        PROMESSA(NomeTemporaneo(nome).toUtf8().size() <= 255, ingresso);
        PROMESSA(!nome.contains(QLatin1Char('/')) && !nome.contains(QChar(0)), ingresso);
    }
    qsizetype righe = 0;
    for (const QByteArray& riga : ingresso.split('\n'))
        righe += riga.trimmed().isEmpty() ? 0 : 1;
    PROMESSA(elenco.nomi.size() + elenco.scartati.size() == righe, ingresso);
    return 0;
}
