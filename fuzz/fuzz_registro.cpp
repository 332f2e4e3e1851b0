#include "SupportoFuzz.h"
#include "shell/Global.h"
#include "shell/RegistroTrasferimenti.h"

#include <QJsonObject>

// The transfer log after a crash: whatever the day's file holds, each line is
// a record or counted unreadable, and a record appended after it is read back
// whole, never glued to a cut line.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione)
{
    PreparaFuzz();
    const QByteArray ingresso(reinterpret_cast<const char*>(dati), qsizetype(dimensione));
    CartellaProgramma = CartellaFuzz();
    const QDate giorno(2026, 1, 15);
    const QString percorso = FileRegistro(giorno);
    ScriviFileFuzz(percorso.mid(CartellaProgramma.size() + 1), ingresso);

    const GiornoRegistro prima = LeggiRegistro(giorno);
    PROMESSA(prima.errore.isEmpty(), ingresso);
    qsizetype righe = 0;
    for (QByteArray riga : ingresso.split('\n')) {
        if (riga.endsWith('\r'))
            riga.chop(1);
        righe += riga.trimmed().isEmpty() ? 0 : 1;
    }
    PROMESSA(prima.record.size() + prima.illeggibili == righe, ingresso);

    {
        ScritturaRegistro scrittura(giorno);
        PROMESSA(scrittura.Scrivi(
                     {{QStringLiteral("tipo"), QStringLiteral("fuzz")}, {QStringLiteral("n"), 7}}),
                 ingresso);
    }
    const GiornoRegistro dopo = LeggiRegistro(giorno);
    PROMESSA(dopo.record.size() == prima.record.size() + 1, ingresso);
    PROMESSA(dopo.illeggibili == prima.illeggibili, ingresso);
    PROMESSA(dopo.record.mid(0, prima.record.size()) == prima.record, ingresso);
    const QJsonObject ultimo = dopo.record.last();
    PROMESSA(ultimo.size() == 2 &&
                 ultimo.value(QStringLiteral("tipo")).toString() == QStringLiteral("fuzz"),
             ingresso);
    PROMESSA(RecordPerCorsa(dopo.record).size() == dopo.record.size(), ingresso);
    return 0;
}
