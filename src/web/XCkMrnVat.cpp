#include "web/XCkMrnVat.h"

#include "piattaforma/RichiestaHttp.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "web/GetHtmPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrl>

#include <memory>

using namespace Qt::StringLiterals;

QString UrlExport;
QString UrlTransito;
QString UrlVies;
QString UrlPiva;
GetHtmPage* PaginaWeb = nullptr;

namespace {

// A public page that has not come in 20 s will not come.
constexpr int TempoMassimoPredefinitoMs = 20000;
int tempoMassimo = TempoMassimoPredefinitoMs;

PresentazionePagine& PresentazioneInstallata()
{
    static PresentazionePagine p;
    return p;
}

QString Indirizzo(QLatin1StringView chiave, QLatin1StringView predefinito)
{
    const QString v = LeggiIni(FileIni, Ini::SezWeb, chiave);
    return v.isEmpty() ? QString(predefinito) : v;
}

} // namespace

QString MessaggioNoConnessione()
{
    return u"# Connessione INTERNET non attiva #"_s;
}

void CaricaIndirizziWeb()
{
    UrlExport = Indirizzo(Ini::WebExport, Ini::DefaultUrlExport);
    UrlTransito = Indirizzo(Ini::WebTransiti, Ini::DefaultUrlTransito);
    UrlVies = Indirizzo(Ini::WebVat, Ini::DefaultUrlVies);
    UrlPiva = Indirizzo(Ini::WebVatPiva, Ini::DefaultUrlPiva);
}

int TempoMassimoPagina()
{
    return tempoMassimo;
}

void ImpostaTempoMassimoPagina(int millisecondi)
{
    tempoMassimo = millisecondi > 0 ? millisecondi : TempoMassimoPredefinitoMs;
}

int InterrogaCodice(const QString& codice)
{
    for (int i = 1; i < int(Esiti.size()); ++i)
        Esiti[i].clear();
    for (int i = 1; i < int(Titoli.size()); ++i)
        Titoli[i].clear();

    std::unique_ptr<GetHtmPage> propria;
    GetHtmPage* pagina = PaginaWeb;
    if (!pagina) {
        propria = std::make_unique<GetHtmPage>();
        pagina = propria.get();
    }

    QString messaggio;
    if (codice.size() > 17) {
        pagina->plMRN(codice.toUpper());
        messaggio = pagina->xGetPaginaMRN();
    } else {
        pagina->plVAT(codice.toUpper());
        messaggio = pagina->xGetPaginaVAT();
    }

    int risultato = 0;
    if (!messaggio.trimmed().isEmpty()) {
        Titoli[2] = messaggio;
        risultato = messaggio.startsWith(u'#') ? 9 : 1;
    } else {
        for (int i = 1; i < int(Esiti.size()); ++i)
            Esiti[i] = pagina->pgEsito(i);
        for (int i = 1; i < int(Titoli.size()); ++i)
            Titoli[i] = pagina->pgTitolo(i);
    }
    QCoreApplication::processEvents();
    CancellaCache(codice);
    return risultato;
}

void CancellaCache(const QString&) {}

void ImpostaPresentazionePagine(const PresentazionePagine& presentazione)
{
    PresentazioneInstallata() = presentazione;
}

const PresentazionePagine& Presentazione()
{
    return PresentazioneInstallata();
}

QString NomeFinalePdf(const QString& cartellaPdf, const QString& tipo, const QString& codice)
{
    const QString nome =
        tipo == QLatin1StringView(TipoExport) || tipo == QLatin1StringView(TipoTransito)
            ? tipo.toUpper() + u'_' + codice + u".pdf"_s
            : codice.left(2) + u'_' + codice.mid(2) + u".pdf"_s;
    return QDir(cartellaPdf).filePath(nome);
}

QString NomeFileStampantePdf(const QString& tipo)
{
    CaricaIndirizziWeb();
    if (tipo == QLatin1StringView(TipoExport))
        return u"http___"_s + QUrl(UrlExport).host() + u"_ed_servizi_esportazione_export.pdf"_s;
    if (tipo == QLatin1StringView(TipoTransito))
        return u"http___"_s + QUrl(UrlTransito).host() + u"_ed_servizi_transito_mrn_transito.pdf"_s;
    return u"http___"_s + QUrl(UrlVies).host() + u"_servizi_vies_vies.htm_act=piva&st.pdf"_s;
}
