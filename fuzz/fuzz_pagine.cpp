#include "SupportoFuzz.h"
#include "web/GetHtmPage.h"

// The pages of the MRN and VAT enquiries: any page ends in its results or in
// the reader's own failure, and every result is a piece of the page.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione)
{
    PreparaFuzz();
    if (dimensione == 0)
        return 0;
    const QByteArray ingresso(reinterpret_cast<const char*>(dati), qsizetype(dimensione));
    const QString pagina = QString::fromUtf8(ingresso.mid(1));
    GetHtmPage lettore;
    lettore.plTestoPagina(pagina);
    try {
        switch (dati[0] % 3) {
        case 0:
            lettore.xGetEsito(false);
            break;
        case 1:
            lettore.xGetTransito();
            break;
        default:
            lettore.xGetVat(false);
            break;
        }
    } catch (const GetHtmPage::Guasto&) {
    }
    // A snippet is at most 150 characters of the page, each grown to at most
    // four, plus a label's own few.
    const qsizetype massimo = 4 * 150 + 16;
    for (int i = 0; i < 20; ++i)
        PROMESSA(lettore.pgEsito(i).size() <= massimo, ingresso);
    for (int i = 0; i < 8; ++i)
        PROMESSA(lettore.pgTitolo(i).size() <= massimo, ingresso);
    lettore.TagliaTesto(pagina);
    return 0;
}
