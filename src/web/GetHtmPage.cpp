#include "web/GetHtmPage.h"

#include "piattaforma/RichiestaHttp.h"
#include "shell/FileUtili.h"
#include "shell/Global.h"
#include "web/NazioniCee.h"
#include "web/XCkMrnVat.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype LunghezzaFrammento = 150;

// The characters of Windows-1252 above 0x7F that Latin-1 does not hold.
bool InCodicePagina(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return true;
    switch (c) {
    case 0x20AC:
    case 0x201A:
    case 0x0192:
    case 0x201E:
    case 0x2026:
    case 0x2020:
    case 0x2021:
    case 0x02C6:
    case 0x2030:
    case 0x0160:
    case 0x2039:
    case 0x0152:
    case 0x017D:
    case 0x2018:
    case 0x2019:
    case 0x201C:
    case 0x201D:
    case 0x2022:
    case 0x2013:
    case 0x2014:
    case 0x02DC:
    case 0x2122:
    case 0x0161:
    case 0x203A:
    case 0x0153:
    case 0x017E:
    case 0x0178:
        return true;
    default:
        return false;
    }
}

} // namespace

GetHtmPage::GetHtmPage()
{
    CaricaIndirizziWeb();
}

void GetHtmPage::plMRN(const QString& mrn)
{
    mrn_ = mrn;
    codice_ = mrn;
}

void GetHtmPage::plVAT(const QString& vat)
{
    vat_ = vat;
    codice_ = vat;
}

void GetHtmPage::plTestoPagina(const QString& testo)
{
    pagina_ = testo;
    corpo_ = testo.toUtf8();
}

QString GetHtmPage::pgEsito(int i) const
{
    return i >= 0 && i < int(esiti_.size()) ? esiti_[i].trimmed() : QString();
}

QString GetHtmPage::pgTitolo(int i) const
{
    return i >= 0 && i < int(titoli_.size()) ? titoli_[i].trimmed() : QString();
}

void GetHtmPage::Svuota()
{
    for (int i = 1; i < int(esiti_.size()); ++i)
        esiti_[i].clear();
    for (int i = 1; i < int(titoli_.size()); ++i)
        titoli_[i].clear();
    pagina_.clear();
    corpo_.clear();
}

QString GetHtmPage::TagliaTesto(const QString& pagina) const
{
    QString s = posizione_ > 0 ? pagina.mid(posizione_ - 1, LunghezzaFrammento) : QString();
    const qsizetype lunghezza = s.size();
    for (qsizetype i = 0; i < lunghezza && i < s.size(); ++i) {
        char32_t c = s.at(i).unicode();
        qsizetype larghezza = 1;
        if (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(s.at(i), s.at(i + 1));
            larghezza = 2;
        }
        if (c == U'?' || !InCodicePagina(c))
            s.replace(i, larghezza, u"e' s"_s);
    }
    s.remove(u'\n');
    s.remove(u'\r');
    s.remove(u"<strong>"_s);
    s.remove(u"</strong>"_s);
    s.replace(u"&agrave;"_s, u"à"_s);
    return s.trimmed();
}

bool GetHtmPage::Cerca(const QString& marcatore)
{
    if (posizione_ <= 0)
        throw Guasto();
    const qsizetype trovato = pagina_.indexOf(marcatore, posizione_ - 1);
    posizione_ = trovato < 0 ? 0 : trovato + 1 + marcatore.size();
    return trovato >= 0;
}

bool GetHtmPage::CercaDaInizio(const QString& marcatore)
{
    posizione_ = 1;
    return Cerca(marcatore);
}

QString GetHtmPage::Valore(const QString& fine)
{
    const QString frammento = TagliaTesto(pagina_);
    const qsizetype p = frammento.indexOf(fine);
    if (p < 0)
        throw Guasto();
    return frammento.left(p);
}

void GetHtmPage::Scarica(const QString& indirizzo)
{
    indirizzo_ = indirizzo;
    const QUrl url(indirizzo);
    if (!url.isValid() || url.scheme().isEmpty())
        throw Guasto();
    // Any answer is read: an error page simply holds none of the values.
    const RispostaHttp risposta = HttpGetSincrono(url, TempoMassimoPagina());
    if (risposta.stato == 0)
        throw Guasto();
    pagina_ = risposta.testo;
    corpo_ = risposta.corpo;
}

QString GetHtmPage::xGetPaginaMRN()
{
    Svuota();
    tipo_.clear();
    if (mrn_.trimmed().size() < 18)
        return u"*** Lunghezza numero MRN errata (18 caratteri)"_s;
    const QString export_ = UrlExport + mrn_;
    const QString transito = UrlTransito + mrn_;
    const QChar tipoMrn = mrn_.at(16);
    if (tipoMrn == u'E')
        tipo_ = QLatin1StringView(TipoExport);
    else if (tipoMrn == u'T')
        tipo_ = QLatin1StringView(TipoTransito);
    else
        return u"*** Tipo MRN errato (T=Transito, E=Export)"_s;

    try {
        if (tipoMrn == u'E') {
            Scarica(export_);
            if (xGetEsito(true))
                MostraPagina(export_, tipo_);
        } else {
            Scarica(transito);
            if (xGetTransito())
                MostraPagina(transito, tipo_);
            Scarica(export_);
            if (xGetEsito(false))
                MostraPagina(export_, QLatin1StringView(TipoExport));
        }
    } catch (const Guasto&) {
        return MessaggioNoConnessione();
    }
    return {};
}

bool GetHtmPage::xGetEsito(bool bMess)
{
    const QString etichetta = uR"(class="outexport1">)"_s;
    const QString valore = uR"(class="outexport2">)"_s;
    if (CercaDaInizio(uR"(class="err">)"_s)) {
        const QString messaggio = Valore(u"</div"_s);
        if (bMess) {
            if (messaggio.left(9).toUpper() == u"IN ATTESA"_s)
                titoli_[2] = u"=== "_s + messaggio + u" ==="_s;
            else
                titoli_[2] = u"*** "_s + messaggio + u" ***"_s;
        }
        return false;
    }
    posizione_ = 1;
    for (int k = 0; k < 3; ++k) {
        if (Cerca(etichetta))
            titoli_[5 + k] = Valore(u"&nbsp"_s);
        const bool trovato = Cerca(valore);
        if (!trovato && k == 2)
            return true;
        if (trovato)
            esiti_[17 + k] = Valore(u"<"_s);
    }
    return true;
}

bool GetHtmPage::xGetTransito()
{
    if (CercaDaInizio(uR"(class="err">)"_s)) {
        const QString frammento = TagliaTesto(pagina_);
        const qsizetype fine = frammento.indexOf(u'<');
        if (fine < 0)
            throw Guasto();
        titoli_[2] = frammento.left(fine);
        if (titoli_[2] != u"Per l'MRN: "_s)
            return false;
        const qsizetype p = frammento.indexOf(u"</p>"_s); // -1 when missing, as 0 was
        const qsizetype q = frammento.indexOf(u'<', p + 4);
        if (q < 0 || q < p + 4)
            throw Guasto();
        titoli_[2] = u"*** "_s + titoli_[2] + mrn_ + u" ***"_s;
        titoli_[3] = u"*** "_s + frammento.mid(p + 4, q - (p + 4)) + u" ***"_s;
        return false;
    }
    posizione_ = 1;
    for (int i = 1; i <= 4; ++i) {
        if (!Cerca(uR"(dati1">)"_s))
            break;
        titoli_[i] = Valore(u"<"_s) + u":  "_s;
    }
    posizione_ = 1;
    for (int i = 1; i <= 16; ++i) {
        if (!Cerca(uR"(dati2">)"_s))
            break;
        esiti_[i] = Valore(u"<"_s);
    }
    return true;
}

QString GetHtmPage::xGetPaginaVAT()
{
    Svuota();
    if (vat_.isEmpty())
        return u"*** Codice VAT non indicato "_s;
    tipo_ = QLatin1StringView(TipoVat);
    const QString paese = vat_.left(2);
    const int riga = TrovaNazioneCee(vat_);
    if (riga < 0)
        return u"*** Nazione CEE  '"_s + paese + u"'  inesistente "_s;
    bool buona = false;
    const QString intervalli =
        ControllaLunghezzaVat(RigaNazioneCee(riga), int(vat_.size()) - 2, buona);
    if (!buona)
        return u"*** Lunghezza VAT errata "_s + intervalli;

    const QString indirizzo = UrlVies + paese + UrlPiva + vat_.mid(2);
    try {
        Scarica(indirizzo);
        if (xGetVat(true))
            MostraPagina(indirizzo, tipo_);
    } catch (const Guasto&) {
        return MessaggioNoConnessione();
    }
    return {};
}

bool GetHtmPage::xGetVat(bool bMess)
{
    if (CercaDaInizio(uR"(class="vies_er">)"_s)) {
        if (!bMess)
            return false;
        titoli_[2] = u"*** "_s + Valore(u"</p>"_s);
        return false;
    }
    if (CercaDaInizio(uR"(class="vies_ok">)"_s)) {
        titoli_[1] = u"Esito: "_s;
        esiti_[1] = Valore(u"</p>"_s).trimmed();
    }
    for (int i = 2; i <= 6; ++i) {
        if (Cerca(u"<th>"_s))
            titoli_[i] = Valore(u"</th>"_s).trimmed();
        if (Cerca(u"<td>"_s))
            esiti_[i] = Valore(u"</td>"_s).trimmed();
    }
    if (Cerca(uR"(class="vies_note">)"_s))
        esiti_[7] = Valore(u"</p>"_s).trimmed();
    if (!Cerca(uR"(class="vies_date">)"_s))
        return true;
    const QString frammento = TagliaTesto(pagina_);
    const qsizetype fine = frammento.indexOf(u"</p>"_s);
    if (fine < 22)
        throw Guasto();
    esiti_[8] = frammento.mid(22, fine - 22).trimmed();
    return true;
}

void GetHtmPage::MostraPagina(const QString& indirizzo, const QString& tipo)
{
    const int modo = qBound(0, ModoInterrogazione, SlotWeb - 1);
    const ParametroWebT& p = ParametriWeb[modo];
    bool vedi = p.Vedi != 0;
    const bool salva = p.Salva != 0 && !p.CartellaSalva.trimmed().isEmpty();
    const bool multiple = SchedeBrowser == 1;
    const PresentazionePagine& presenta = Presentazione();

    if ((p.Stampa != 0 || (vedi && multiple)) && presenta.finestra)
        presenta.finestra(indirizzo, codice_, tipo);
    if (multiple)
        vedi = false;
    if (!vedi && !salva)
        return;

    QString file;
    if (salva) {
        QString cartella = p.CartellaSalva.trimmed();
        if (!cartella.endsWith(u'/') && !cartella.endsWith(QDir::separator()))
            cartella += QDir::separator();
        QDir().mkpath(cartella);
        file = cartella + tipo.toUpper() + u'_' + codice_ + u".htm"_s;
    } else {
        QDir().mkpath(CartellaTemp);
        file = QDir(CartellaTemp).filePath(u"tmp_html.htm"_s);
    }
    if (EsisteFile(file))
        QFile::remove(file);
    QFile uscita;
    if (ApriFile(file, uscita, 1, ModoScrittura) != 0) {
        uscita.write(corpo_);
        uscita.write("\r\n");
        uscita.close();
    }
    if (vedi && presenta.apriFile) {
        presenta.apriFile(file);
        QCoreApplication::processEvents();
    }
}
