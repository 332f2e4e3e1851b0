#include "web/ui/FrmWeb.h"

#include "piattaforma/Messaggi.h"
#include "piattaforma/ui/Dialoghi.h"
#include "piattaforma/ui/Schermo.h"
#include "piattaforma/ui/Shell.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/ui/TastiComuni.h"
#include "stampa/StampantePdf.h"
#include "stampa/ui/StampanteCorrente.h"
#include "web/XCkMrnVat.h"

#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QPageLayout>
#include <QPageRanges>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

namespace {

int attesaPagina = 20000;
// A print that never reports its end stops being waited for.
constexpr int AttesaStampaMs = 120000;
constexpr int AttesaPdfEsternoMs = 120000;

} // namespace

void FrmWeb::ImpostaAttesaPagina(int millisecondi)
{
    attesaPagina = millisecondi > 0 ? millisecondi : 20000;
}

FrmWeb::FrmWeb(QWidget* padre) : QDialog(padre)
{
    setObjectName(u"FrmWeb"_s);
    setWindowTitle(u"Pagina WEB"_s);
    setModal(true);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    WebBrowser1_ = new QWebEngineView(this);
    WebBrowser1_->setObjectName(u"WebBrowser1"_s);
    Command1_ = new QPushButton(u"&USCITA"_s, this);
    Command1_->setObjectName(u"Command1"_s);
    Command1_->setAutoDefault(false);
    connect(Command1_, &QPushButton::clicked, this, &QDialog::accept);
    new TastiComuni(this, Command1_);
    modo_ = qBound(0, ModoInterrogazione, SlotWeb - 1);
}

FrmWeb::~FrmWeb()
{
    // A print still running paints into stampante_: the browser goes first.
    delete WebBrowser1_;
    WebBrowser1_ = nullptr;
}

void FrmWeb::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    if (avviata_)
        return;
    avviata_ = true;
    Posiziona();
    QTimer::singleShot(0, this, &FrmWeb::Carica);
}

void FrmWeb::Posiziona()
{
    const ParametroWebT& p = ParametriWeb[modo_];
    if (p.Vedi == 1) {
        const QString sez = objectName();
        int y = LeggiIniNumero(sez, Ini::PosY);
        int x = LeggiIniNumero(sez, Ini::PosX);
        int h = LeggiIniNumero(sez, Ini::DimY);
        int w = LeggiIniNumero(sez, Ini::DimX);
        const QRect schermo = GeometriaSchermo();
        const int altezza = Twip(schermo.height());
        const int larghezza = Twip(schermo.width());
        if (!(y >= 0 && y < altezza - 400))
            y = 0;
        if (!(x >= 0 && x < larghezza - 600))
            x = 0;
        if (!(h >= 1 && h < altezza))
            h = 4000;
        if (!(w >= 1 && w < larghezza))
            w = 6000;
        if (modo_ == 0) {
            showMinimized();
        } else {
            move(Pixel(x), Pixel(y));
            resize(Pixel(w), Pixel(h));
        }
    } else {
        move(0, 0);
        resize(Pixel(1800), Pixel(1200));
    }
}

void FrmWeb::Carica()
{
    inCorso_ = true;
    AttendiPagina();
    if (stato_ == 6) {
        if (tipo_ == QLatin1StringView(TipoExport))
            setWindowTitle(u"MRN Esportazione '"_s + codice_ + u"'"_s);
        else if (tipo_ == QLatin1StringView(TipoTransito))
            setWindowTitle(u"MRN Transito '"_s + codice_ + u"'"_s);
        else if (tipo_ == QLatin1StringView(TipoVat))
            setWindowTitle(u"P.IVA Comunitaria '"_s + codice_ + u"'"_s);
        else
            setWindowTitle(u"  ERRORE"_s);
        if (ParametriWeb[modo_].Stampa != 0)
            StampaPagina();
    }
    inCorso_ = false;
    if (stato_ == 7)
        stato_ = ApriConShell(url_) ? 42 : 0;
    // Opened only to print: done.
    if (ParametriWeb[modo_].Vedi == 0 || chiusuraRimandata_)
        accept();
}

void FrmWeb::AttendiPagina()
{
    stato_ = 6;
    bool finita = false;
    QEventLoop attesa;
    auto collegamento = connect(WebBrowser1_, &QWebEngineView::loadFinished, &attesa, [&]() {
        finita = true;
        attesa.quit();
    });
    QTimer limite;
    limite.setSingleShot(true);
    connect(&limite, &QTimer::timeout, &attesa, &QEventLoop::quit);
    WebBrowser1_->load(QUrl(url_));
    while (!finita) {
        limite.start(attesaPagina);
        attesa.exec();
        if (finita)
            break;
        const QString oggetto = tipo_ == QLatin1StringView(TipoVat)
                                    ? u"Pagina WEB per VAT  "_s + codice_
                                    : u"Pagina WEB per MRN "_s + codice_;
        const Risposta r = Messaggio(oggetto + u"\nnon ricevuta\nAttendi ancora?"_s, Pulsanti::SiNo,
                                     Icona::Domanda, u"ATTESA PAGINA WEB"_s, Risposta::No);
        if (finita)
            break;
        if (r != Risposta::Si) {
            // Given up: the desktop's browser gets the address instead.
            stato_ = 7;
            WebBrowser1_->stop();
            break;
        }
    }
    disconnect(collegamento);
}

void FrmWeb::StampaPagina()
{
    // The page goes where the office prints now (the printer chosen in this
    // run or in the print options), not to one kept per kind of page.
    const QString scelta = StampanteCorrente();
    const QString nomeStampante = scelta.toUpper();
    const bool chiedi = ParametriWeb[modo_].ChiediStampante >= 1;
    QString cartellaPdf;
    if (EStampantePdf(nomeStampante))
        LeggiPdfCreator(cartellaPdf);

    stampante_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (PdfInterno(nomeStampante)) {
        // Qt's own writer puts the page straight under its final name.
        const QString file = cartellaPdf.isEmpty()
                                 ? QDir(CartellaPdfCreator()).filePath(NomeFileStampantePdf(tipo_))
                                 : NomeFinalePdf(cartellaPdf, tipo_, codice_);
        if (!chiedi) {
            stampante_.reset();
            ScriviPdf(file, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, {}), {});
            return;
        }
        stampante_->setOutputFormat(QPrinter::PdfFormat);
        stampante_->setOutputFileName(file);
    } else if (!PreparaStampante(*stampante_, scelta, {})) {
        stampante_.reset();
        esitoStampa_ = u"fallita"_s;
        return;
    }
    if (chiedi && !ScegliStampante(this, *stampante_)) {
        stampante_.reset();
        esitoStampa_ = u"annullata"_s;
        return;
    }
    if (stampante_->outputFormat() == QPrinter::PdfFormat) {
        // A file stays one with text in it: the engine writes it itself, on
        // the paper and pages chosen, rather than painting page images.
        const QString file = stampante_->outputFileName();
        const QPageLayout pagina = stampante_->pageLayout();
        const QPageRanges pagine = stampante_->pageRanges();
        stampante_.reset();
        ScriviPdf(file, pagina, pagine);
        return;
    }
    if (!StampaSuStampante())
        return;
    if (EStampantePdf(nomeStampante) && !cartellaPdf.isEmpty()) {
        const QString finale = NomeFinalePdf(cartellaPdf, tipo_, codice_);
        if (SpostaFilePdf(QDir(cartellaPdf).filePath(NomeFileStampantePdf(tipo_)), finale,
                          AttesaPdfEsternoMs))
            filePdf_ = finale;
        else
            esitoStampa_ = u"fallita"_s;
    }
}

void FrmWeb::ScriviPdf(const QString& file, const QPageLayout& pagina, const QPageRanges& pagine)
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    QEventLoop attesa;
    bool riuscita = false;
    connect(WebBrowser1_, &QWebEngineView::pdfPrintingFinished, &attesa,
            [&](const QString&, bool esito) {
                riuscita = esito;
                attesa.quit();
            });
    QTimer::singleShot(AttesaStampaMs, &attesa, &QEventLoop::quit);
    WebBrowser1_->printToPdf(file, pagina, pagine);
    attesa.exec();
    esitoStampa_ = riuscita ? u"eseguita"_s : u"fallita"_s;
    if (riuscita)
        filePdf_ = file;
}

bool FrmWeb::StampaSuStampante()
{
    stampante_->setDocName(windowTitle());
    // The engine paints into the printer until it says it is done, however
    // long after the wait below gave up: the printer is let go only once
    // the engine has said so and returned.
    connect(
        WebBrowser1_, &QWebEngineView::printFinished, this,
        [this]() { QTimer::singleShot(0, this, [this]() { stampante_.reset(); }); },
        Qt::SingleShotConnection);
    QEventLoop attesa;
    bool finita = false;
    bool riuscita = false;
    connect(WebBrowser1_, &QWebEngineView::printFinished, &attesa, [&](bool esito) {
        finita = true;
        riuscita = esito;
        attesa.quit();
    });
    QTimer::singleShot(AttesaStampaMs, &attesa, &QEventLoop::quit);
    WebBrowser1_->print(stampante_.get());
    if (!finita)
        attesa.exec();
    esitoStampa_ = riuscita ? u"eseguita"_s : u"fallita"_s;
    return riuscita;
}

EsitoPagina FrmWeb::pgEsito() const
{
    return {stato_, esitoStampa_, filePdf_};
}

void FrmWeb::resizeEvent(QResizeEvent* evento)
{
    QDialog::resizeEvent(evento);
    if (isMinimized())
        return;
    const int h = Command1_->sizeHint().height();
    Command1_->setGeometry(0, height() - h, qMax(0, width() - Pixel(280)), h);
    WebBrowser1_->setGeometry(0, 0, qMax(0, width() - Pixel(20)),
                              qMax(0, height() - h - Pixel(40)));
}

void FrmWeb::done(int risultato)
{
    // Closing while the page loads or prints would pull the browser from
    // under it: the window closes once that is over.
    if (inCorso_) {
        chiusuraRimandata_ = true;
        return;
    }
    SalvaGeometria();
    QDialog::done(risultato);
}

void FrmWeb::closeEvent(QCloseEvent* evento)
{
    if (inCorso_) {
        chiusuraRimandata_ = true;
        evento->ignore();
        return;
    }
    QDialog::closeEvent(evento);
}

void FrmWeb::SalvaGeometria()
{
    if (ParametriWeb[modo_].Vedi != 1 || isMinimized() || isMaximized() || !isVisible())
        return;
    const QString sez = objectName();
    const QRect schermo = GeometriaSchermo();
    const QRect g = geometry();
    const int y = qMax(0, Twip(this->y()));
    const int x = qMax(0, Twip(this->x()));
    VociProfilo voci;
    if (y < Twip(schermo.height()))
        voci.append({Ini::PosY, QString::number(y)});
    if (x < Twip(schermo.width()))
        voci.append({Ini::PosX, QString::number(x)});
    voci.append({Ini::DimX, QString::number(Twip(g.width()))});
    voci.append({Ini::DimY, QString::number(Twip(g.height()))});
    // One write: the settings file is rewritten and synced once.
    ScriviIni(FileIni, sez, voci);
}
