#include "SupportoFuzz.h"
#include "shell/Aggiornamenti.h"

// The update site's versions page: any page gives an answer, consistent with
// itself, and no more updates than the page names.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione)
{
    PreparaFuzz();
    const QByteArray ingresso(reinterpret_cast<const char*>(dati), qsizetype(dimensione));
    const QString pagina = QString::fromUtf8(ingresso);
    const QString nome = QStringLiteral("NORVEL");
    for (const int inUso : {0, 10203}) {
        const AnalisiVersioni a =
            LeggiPaginaVersioni(pagina, nome, inUso, QStringLiteral("http://sito.invalid/"));
        PROMESSA(!a.paginaProgramma.isNull(), ingresso);
        PROMESSA(a.aggiornato == (inUso >= a.versioneUltima), ingresso);
        PROMESSA(!a.aggiornato || a.nuovi.isEmpty(), ingresso);
        PROMESSA(a.nuovi.size() <= pagina.count(nome + QLatin1Char(':')), ingresso);
        for (const VoceAggiornamento& v : a.nuovi) {
            PROMESSA(v.timbro >= 0.99, ingresso);
            PROMESSA(v.indirizzo.startsWith(QStringLiteral("http://")), ingresso);
            v.Etichetta();
        }
    }
    return 0;
}
