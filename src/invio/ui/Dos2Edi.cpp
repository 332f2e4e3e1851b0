#include "invio/ui/Dos2Edi.h"

#include "invio/Archivio.h"
#include "invio/InvioBolle.h"
#include "invio/NomiFile.h"
#include "invio/ui/ModelliElenco.h"
#include "piattaforma/Messaggi.h"
#include "piattaforma/Orologio.h"
#include "piattaforma/Percorsi.h"
#include "piattaforma/ui/Dialoghi.h"
#include "piattaforma/ui/Schermo.h"
#include "shell/Conversioni.h"
#include "shell/Global.h"
#include "shell/ModuliOpzionali.h"
#include "shell/ui/BloccoInput.h"
#include "shell/ui/Finestre.h"
#include "shell/ui/TastiComuni.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const char Didascalia[] = " INVIA DATI ALLA DOGANA    -    ";
const char TitoloElaborazione[] = "ELABORAZIONE IN CORSO ...";

constexpr int LarghezzaFinestra = 8250; // twips
constexpr int AltezzaMinima = 4560;     // twips
constexpr int AltezzaRiga = 270;        // twips
constexpr int BandaIntestazione = 300;  // twips

QPushButton* Pulsante(const QString& testo, const QString& nome, QWidget* padre)
{
    auto* p = new QPushButton(testo, padre);
    p->setObjectName(nome);
    // Enter belongs to the grids and the filter fields, never to a default button.
    p->setAutoDefault(false);
    p->setDefault(false);
    QSizePolicy sp = p->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    p->setSizePolicy(sp);
    return p;
}

QTableView* Griglia(const QString& nome, const QString& titolo, QWidget* padre)
{
    auto* g = new QTableView(padre);
    g->setObjectName(nome);
    g->setAccessibleName(titolo);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setTabKeyNavigation(false);
    g->setWordWrap(false);
    g->verticalHeader()->hide();
    g->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    g->verticalHeader()->setDefaultSectionSize(Pixel(AltezzaRiga));
    g->horizontalHeader()->setHighlightSections(false);
    g->horizontalHeader()->setSectionsClickable(false);
    g->horizontalHeader()->setFixedHeight(Pixel(BandaIntestazione) - 2);
    g->setContextMenuPolicy(Qt::PreventContextMenu);
    return g;
}

} // namespace

Dos2Edi::Dos2Edi(QWidget* padre) : QDialog(padre)
{
    setObjectName(QStringLiteral("Dos2Edi"));
    CostruisciFinestra();
    TieniDimensioni();
    AllaCornice(this, [this]() { TieniDimensioni(); });

    RipristinaPosizione(this);
    cartellaElenco_ = ParametriEdi.CartellaFirmati;
    ImpostaDidascalia(cartellaElenco_);
    lbUtente_->setText(ParametriEdi.UtenteFtp);
    colonna_ = std::clamp(OrdinaColInvio, 0, 2) + 1;
    modo_ = OrdinaModoInvio == 0 ? 1 : OrdinaModoInvio;
    modoInvio_ = 1;

    const std::array<QString, 4> iniziali = ValoriInizialiFiltro(Oggi());
    caricamento_ = true;
    for (int k = 1; k <= 4; ++k)
        txt_[k]->setText(iniziali[k - 1]);
    caricamento_ = false;

    menu_->hide();
    fraAiuto_->hide();
    fraCartella_->hide();
    elenco_.Svuota();
    invio_.clear();
    CaricaElenco();
}

void Dos2Edi::CostruisciFinestra()
{
    auto* principale = new QVBoxLayout(this);
    principale->setContentsMargins(4, 4, 4, Pixel(60));
    principale->setSpacing(4);

    // Filter frame and the list commands.
    auto* alto = new QHBoxLayout;
    auto* filtro = new QGroupBox(QStringLiteral("Selezione"), this);
    filtro->setObjectName(QStringLiteral("fraFiltro"));
    auto* campi = new QGridLayout(filtro);
    campi->setContentsMargins(6, 4, 6, 4);
    campi->setHorizontalSpacing(6);
    campi->setVerticalSpacing(2);
    const std::array<QString, 5> etichette = {QString(), QStringLiteral("Mese"),
                                              QStringLiteral("Giorno"), QStringLiteral("Tipo"),
                                              QStringLiteral("Progr.")};
    const std::array<int, 5> lunghezze = {0, 2, 2, 1, 2};
    auto* utente = new QLabel(QStringLiteral("Utente"), filtro);
    lbUtente_ = new QLabel(filtro);
    lbUtente_->setObjectName(QStringLiteral("lbUtente"));
    lbUtente_->setFrameShape(QFrame::Panel);
    lbUtente_->setFrameShadow(QFrame::Sunken);
    lbUtente_->setMinimumWidth(48);
    lbUtente_->setAccessibleName(QStringLiteral("Utente"));
    campi->addWidget(utente, 0, 0);
    campi->addWidget(lbUtente_, 1, 0);
    for (int k = 1; k <= 4; ++k) {
        auto* e = new QLabel(etichette[k], filtro);
        auto* t = new QLineEdit(filtro);
        t->setObjectName(QStringLiteral("txt_%1").arg(k));
        t->setMaxLength(lunghezze[k]);
        t->setFixedWidth(34);
        t->setAlignment(Qt::AlignCenter);
        e->setBuddy(t);
        t->setAccessibleName(etichette[k]);
        t->installEventFilter(this);
        campi->addWidget(e, 0, k);
        campi->addWidget(t, 1, k);
        txt_[k] = t;
        connect(t, &QLineEdit::textEdited, this, [this, k](const QString& testo) {
            if (!caricamento_ && testo.size() >= txt_[k]->maxLength())
                focusNextChild();
        });
    }
    optDaInviare_ = new QRadioButton(QStringLiteral("Da inviare"), filtro);
    optDaInviare_->setObjectName(QStringLiteral("optQuali_1"));
    optInviati_ = new QRadioButton(QStringLiteral("Inviati"), filtro);
    optInviati_->setObjectName(QStringLiteral("optQuali_0"));
    optDaInviare_->setChecked(true);
    auto* quali = new QButtonGroup(this);
    quali->addButton(optDaInviare_, 1);
    quali->addButton(optInviati_, 0);
    campi->addWidget(optDaInviare_, 0, 5);
    campi->addWidget(optInviati_, 1, 5);
    connect(optDaInviare_, &QRadioButton::toggled, this, [this](bool attivo) {
        if (attivo)
            ScegliQuali(true);
    });
    connect(optInviati_, &QRadioButton::toggled, this, [this](bool attivo) {
        if (attivo)
            ScegliQuali(false);
    });
    alto->addWidget(filtro, 1);

    auto* comandi = new QGridLayout;
    comandi->setSpacing(4);
    cmdAggiorna_ = Pulsante(QStringLiteral("&AGGIORNA lista"), QStringLiteral("cmdAggiorna"), this);
    cmdOrigine_ = Pulsante(QStringLiteral("&ORIGINE"), QStringLiteral("cmdOrigine"), this);
    cmdUscita_ = Pulsante(QStringLiteral("&USCITA"), QStringLiteral("cmdUscita"), this);
    cmdInvia_ = Pulsante(QStringLiteral("&INVIA"), QStringLiteral("cmdInvia"), this);
    QFont grassetto = cmdInvia_->font();
    grassetto.setBold(true);
    cmdInvia_->setFont(grassetto);
    comandi->addWidget(cmdAggiorna_, 0, 0);
    comandi->addWidget(cmdOrigine_, 1, 0);
    comandi->addWidget(cmdInvia_, 0, 1);
    comandi->addWidget(cmdUscita_, 1, 1);
    alto->addLayout(comandi);
    principale->addLayout(alto);

    auto* selezione = new QHBoxLayout;
    selezione->setSpacing(4);
    const std::array<QString, 3> testiSelez = {QStringLiteral("&Nessuno"), QStringLiteral("&Tutti"),
                                               QStringLiteral("&Inverti")};
    for (int i : {1, 0, 2}) {
        cmdSelez_[i] = Pulsante(testiSelez[i], QStringLiteral("cmdSelez_%1").arg(i), this);
        selezione->addWidget(cmdSelez_[i]);
        connect(cmdSelez_[i], &QPushButton::clicked, this, [this, i]() { Selezione(i); });
    }
    selezione->addStretch(1);
    auto* daInviare = new QLabel(QStringLiteral("File da inviare"), this);
    selezione->addWidget(daInviare);
    principale->addLayout(selezione);

    auto* griglie = new QHBoxLayout;
    griglie->setSpacing(4);
    grdElenco_ =
        Griglia(QStringLiteral("grdElenco"), QStringLiteral("ELENCO FILES TRASFERIRIBILI"), this);
    grdInvio_ =
        Griglia(QStringLiteral("grdInvio"), QStringLiteral("ELENCO FILES DA TRASFERIRE"), this);
    daInviare->setBuddy(grdInvio_);
    modelloElenco_ = new ModelloElencoFile(elenco_, this);
    modelloInvio_ = new ModelloElencoInvio(invio_, this);
    grdElenco_->setModel(modelloElenco_);
    grdInvio_->setModel(modelloInvio_);
    // Columns wide enough for the bold text of a marked row.
    QFont neretto = grdElenco_->font();
    neretto.setBold(true);
    const QFontMetrics fm(neretto);
    const std::array<int, 4> larghezze = {
        fm.horizontalAdvance(QStringLiteral("WW")) + 6,
        fm.horizontalAdvance(QStringLiteral("ABCD0000.T00.P7M")) + 10,
        fm.horizontalAdvance(QStringLiteral("00/00/0000 00:00:00")) + 10,
        fm.horizontalAdvance(QStringLiteral("00.000.000")) + 10};
    grdElenco_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    int totale = 0;
    for (int c = 0; c < 4; ++c) {
        grdElenco_->setColumnWidth(c, larghezze[c]);
        totale += larghezze[c];
    }
    grdElenco_->horizontalHeader()->setStretchLastSection(true);
    grdInvio_->horizontalHeader()->setStretchLastSection(true);
    for (QTableView* g : {grdElenco_, grdInvio_}) {
        g->installEventFilter(this);
        g->viewport()->installEventFilter(this);
        g->horizontalHeader()->viewport()->installEventFilter(this);
    }
    griglie->addWidget(grdElenco_, 0);
    griglie->addWidget(grdInvio_, 1);
    grdElenco_->setFixedWidth(totale +
                              grdElenco_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                              2 * grdElenco_->frameWidth() + 2);
    principale->addLayout(griglie, 1);

    // Folder panel, floating over the grids.
    fraCartella_ = new QFrame(this);
    fraCartella_->setObjectName(QStringLiteral("fraCartella"));
    fraCartella_->setFrameShape(QFrame::Box);
    fraCartella_->setAutoFillBackground(true);
    auto* cartella = new QVBoxLayout(fraCartella_);
    auto* titoloCartella =
        new QLabel(QStringLiteral("IMPOSTAZIONE CARTELLA CON I FILE DA INVIARE"), fraCartella_);
    titoloCartella->setAlignment(Qt::AlignCenter);
    QFont titolo = titoloCartella->font();
    titolo.setBold(true);
    titoloCartella->setFont(titolo);
    lbFirmaVerif_ = new QLabel(fraCartella_);
    lbFirmaVerif_->setObjectName(QStringLiteral("lbFirmaVerif"));
    lbFirmaVerif_->setFrameShape(QFrame::Panel);
    lbFirmaVerif_->setFrameShadow(QFrame::Sunken);
    lbFirmaVerif_->setWordWrap(true);
    lbFirmaVerif_->setAccessibleName(QStringLiteral("Cartella"));
    auto* pulsantiCartella = new QHBoxLayout;
    auto* cmdImposta =
        Pulsante(QStringLiteral("&IMPOSTA Origine"), QStringLiteral("cmdImposta"), fraCartella_);
    auto* cmdChiudi =
        Pulsante(QStringLiteral("&CHIUDI"), QStringLiteral("cmdChiudi"), fraCartella_);
    pulsantiCartella->addWidget(cmdImposta);
    pulsantiCartella->addWidget(cmdChiudi);
    cartella->addWidget(titoloCartella);
    cartella->addWidget(lbFirmaVerif_);
    cartella->addLayout(pulsantiCartella);
    fraCartella_->setFixedSize(420, 120);
    connect(cmdImposta, &QPushButton::clicked, this, &Dos2Edi::ImpostaOrigine);
    connect(cmdChiudi, &QPushButton::clicked, this,
            [this]() { ChiudiOrigine(!cmdInvia_->isHidden()); });

    // Help panel, floating; its title is the handle to drag it.
    fraAiuto_ = new QFrame(this);
    fraAiuto_->setObjectName(QStringLiteral("fraAiuto"));
    fraAiuto_->setFrameShape(QFrame::Box);
    fraAiuto_->setLineWidth(2);
    fraAiuto_->setAutoFillBackground(true);
    auto* aiuto = new QVBoxLayout(fraAiuto_);
    lbTitoloAiuto_ = new QLabel(QString::fromLatin1(TitoloElaborazione), fraAiuto_);
    lbTitoloAiuto_->setObjectName(QStringLiteral("lbTitoloAiuto"));
    lbTitoloAiuto_->setAlignment(Qt::AlignCenter);
    lbTitoloAiuto_->setAutoFillBackground(true);
    QPalette p = lbTitoloAiuto_->palette();
    p.setColor(QPalette::Window, p.color(QPalette::Highlight));
    p.setColor(QPalette::WindowText, p.color(QPalette::HighlightedText));
    lbTitoloAiuto_->setPalette(p);
    lbTitoloAiuto_->setFont(titolo);
    lbTitoloAiuto_->setCursor(Qt::SizeAllCursor);
    lbAiuto_ = new QLabel(fraAiuto_);
    lbAiuto_->setObjectName(QStringLiteral("lbAiuto"));
    lbAiuto_->setWordWrap(false);
    lbAvanzamento_ = new QLabel(fraAiuto_);
    lbAvanzamento_->setObjectName(QStringLiteral("lbAvanzamento"));
    lbAvanzamento_->setAlignment(Qt::AlignCenter);
    lbAvanzamento_->hide();
    aiuto->addWidget(lbTitoloAiuto_);
    aiuto->addWidget(lbAiuto_, 1);
    aiuto->addWidget(lbAvanzamento_);
    fraAiuto_->installEventFilter(this);
    lbAiuto_->installEventFilter(this);
    TrascinaForm(fraAiuto_, lbTitoloAiuto_);

    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("mnuOperazioni"));
    muVisualizza_ = menu_->addAction(QStringLiteral("&Visualizza"));
    muVisualizza_->setObjectName(QStringLiteral("Mu_visualizza"));
    muStorico_ = menu_->addAction(QStringLiteral("&Storicizza"));
    muStorico_->setObjectName(QStringLiteral("Mu_storico"));
    muDaInviare_ = menu_->addAction(QStringLiteral("&Da inviare"));
    muDaInviare_->setObjectName(QStringLiteral("Mu_daInviare"));
    muNonInviare_ = menu_->addAction(QStringLiteral("&Non inviare"));
    muNonInviare_->setObjectName(QStringLiteral("Mu_nonInviare"));
    connect(muVisualizza_, &QAction::triggered, this, &Dos2Edi::Visualizza);
    connect(muStorico_, &QAction::triggered, this, &Dos2Edi::Storicizza);
    connect(muDaInviare_, &QAction::triggered, this, &Dos2Edi::Segna);
    connect(muNonInviare_, &QAction::triggered, this, &Dos2Edi::Togli);

    connect(cmdAggiorna_, &QPushButton::clicked, this, &Dos2Edi::CaricaElenco);
    connect(cmdInvia_, &QPushButton::clicked, this, &Dos2Edi::InviaBolleFinestra);
    connect(cmdUscita_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdOrigine_, &QPushButton::clicked, this, [this]() {
        lbFirmaVerif_->setText(cartellaElenco_);
        fraCartella_->move((width() - fraCartella_->width()) / 2, grdElenco_->y() + 20);
        fraCartella_->show();
        fraCartella_->raise();
    });
    // A press on these buttons means the person is leaving the filter: no
    // validation of the field being left from then on.
    cmdUscita_->installEventFilter(this);
    cmdOrigine_->installEventFilter(this);

    new TastiComuni(this, cmdUscita_);
    resize(Pixel(LarghezzaFinestra), Pixel(AltezzaMinima) + 120);
}

void Dos2Edi::ImpostaDidascalia(const QString& cartella)
{
    setWindowTitle(QString::fromLatin1(Didascalia) + cartella);
}

void Dos2Edi::CaricaElenco()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::array<QString, 4> campi;
    for (int k = 1; k <= 4; ++k)
        campi[k - 1] = txt_[k]->text();
    const QString maschera = MascheraSelezione(ParametriEdi.UtenteFtp, campi);
    elenco_.Carica(cartellaElenco_, maschera, invio_);
    OrdinaElenco(colonna_);
    AggiornaPulsanti();
    QApplication::restoreOverrideCursor();
}

void Dos2Edi::OrdinaElenco(int colonna)
{
    const int riga = grdElenco_->currentIndex().row();
    elenco_.Ordina(colonna, modo_);
    modelloElenco_->Ricarica();
    if (riga >= 0 && elenco_.Conta() > 0)
        ImpostaRigaCorrente(std::min<int>(riga, int(elenco_.Conta()) - 1));
    else
        rigaCorrente_ = -1;
}

void Dos2Edi::ImpostaRigaCorrente(int riga)
{
    rigaCorrente_ = riga;
    if (riga < 0 || riga >= elenco_.Conta())
        return;
    const int colonna = std::max(grdElenco_->currentIndex().column(), 0);
    grdElenco_->setCurrentIndex(modelloElenco_->index(riga, colonna));
}

void Dos2Edi::Segna()
{
    if (nomeCorrente_.trimmed().isEmpty())
        return;
    elenco_.Segna(rigaCorrente_);
    modelloElenco_->SegniCambiati();
    RicostruisciInvio();
}

void Dos2Edi::Togli()
{
    elenco_.Togli(nomeCorrente_);
    modelloElenco_->SegniCambiati();
    RicostruisciInvio();
}

void Dos2Edi::RicostruisciInvio()
{
    const int riga = grdInvio_->currentIndex().row();
    invio_ = elenco_.RicostruisciInvio(modoInvio_);
    modelloInvio_->Ricarica();
    if (riga >= 0 && !invio_.isEmpty())
        grdInvio_->setCurrentIndex(modelloInvio_->index(std::min<int>(riga, invio_.size() - 1), 0));
    AggiornaPulsanti();
}

void Dos2Edi::AggiornaPulsanti()
{
    cmdInvia_->setEnabled(!invio_.isEmpty() && ConnessoRemoto);
    cmdSelez_[0]->setVisible(!invio_.isEmpty());
    cmdSelez_[2]->setVisible(!invio_.isEmpty());
    cmdSelez_[1]->setVisible(elenco_.Conta() > 0);
}

void Dos2Edi::Selezione(int indice)
{
    if (occupato_)
        return;
    switch (indice) {
    case 0:
        elenco_.Nessuno();
        break;
    case 1:
        elenco_.Tutti();
        break;
    default:
        elenco_.Inverti();
    }
    modelloElenco_->SegniCambiati();
    RicostruisciInvio();
}

void Dos2Edi::MostraAiuto(const QString& titolo, const QString& testo, int punti)
{
    lbTitoloAiuto_->setText(titolo);
    QFont f = lbAiuto_->font();
    f.setPointSize(punti);
    lbAiuto_->setFont(f);
    lbAiuto_->setText(testo);
    fraAiuto_->adjustSize();
    if (!fraAiuto_->isVisible())
        fraAiuto_->move(std::max(0, (width() - fraAiuto_->width()) / 2),
                        grdElenco_->y() + grdElenco_->height() / 4);
    fraAiuto_->show();
    fraAiuto_->raise();
}

void Dos2Edi::NascondiAiuto()
{
    fraAiuto_->hide();
}

void Dos2Edi::SpostaGiu(int riga)
{
    if (riga + 1 < elenco_.Conta())
        ImpostaRigaCorrente(riga + 1);
}

bool Dos2Edi::TastoElenco(int tasto)
{
    if (tasto == Qt::Key_F1) {
        MostraAiuto(QStringLiteral("ELENCO FILES TRASFERIRIBILI"),
                    QStringLiteral("- Tasto destro del Mouse per aprire il menu' operazioni\n"
                                   " - Per inviarlo        :  <Invio>  oppure  'S'\n"
                                   " - Per non inviarlo:  'Canc'  oppure  'N'  oppure  'spazio'"),
                    10);
        return true;
    }
    if (fraAiuto_->isVisible())
        NascondiAiuto();
    const bool segna = tasto == Qt::Key_S || tasto == Qt::Key_Return || tasto == Qt::Key_Enter;
    const bool togli = tasto == Qt::Key_Space || tasto == Qt::Key_N || tasto == Qt::Key_Delete;
    if (!segna && !togli)
        return false;
    const int riga = grdElenco_->currentIndex().row();
    rigaCorrente_ = riga;
    if (riga >= 0 && riga < elenco_.Conta()) {
        nomeCorrente_ = elenco_[riga].nome;
        if (segna)
            Segna();
        else
            Togli();
        SpostaGiu(riga);
    }
    return true;
}

bool Dos2Edi::TastoInvio(int tasto)
{
    if (tasto == Qt::Key_F1) {
        MostraAiuto(QStringLiteral("ELENCO FILES DA TRASFERIRE"),
                    QStringLiteral("- Tasto destro del Mouse per aprire il menu' operazioni\n"
                                   " - Per non inviarlo:  'Canc'  oppure  'N'"),
                    10);
        return true;
    }
    if (fraAiuto_->isVisible())
        NascondiAiuto();
    if (tasto != Qt::Key_N && tasto != Qt::Key_Delete)
        return tasto == Qt::Key_S || tasto == Qt::Key_Space;
    const int riga = grdInvio_->currentIndex().row();
    if (riga >= 0 && riga < invio_.size()) {
        nomeCorrente_ = invio_[riga];
        Togli();
    }
    return true;
}

bool Dos2Edi::MouseIntestazione(QTableView* griglia, QMouseEvent* evento)
{
    if (evento->type() == QEvent::MouseButtonPress || evento->type() == QEvent::MouseButtonDblClick)
        return true;
    if (evento->type() != QEvent::MouseButtonRelease)
        return false;
    if (evento->button() != Qt::LeftButton && evento->button() != Qt::RightButton)
        return true;
    const int modo = evento->button() == Qt::LeftButton ? 1 : 2;
    if (griglia == grdElenco_) {
        const int colonna =
            griglia->horizontalHeader()->logicalIndexAt(evento->position().toPoint());
        if (colonna < 0)
            return true;
        modo_ = modo;
        OrdinaElenco(colonna);
    } else {
        modoInvio_ = modo;
        RicostruisciInvio();
    }
    return true;
}

void Dos2Edi::ApriMenu(QTableView* griglia, int riga, bool daElencoInvio)
{
    const QString& nome = nomeCorrente_;
    muVisualizza_->setText(QStringLiteral("&Visualizza  ") + nome);
    muStorico_->setText(QStringLiteral("&Storicizza  ") + nome);
    muDaInviare_->setText(QStringLiteral("&Da inviare ") + nome);
    muNonInviare_->setText(QStringLiteral("&Non inviare  ") + nome);
    if (daElencoInvio) {
        muStorico_->setVisible(true);
        muDaInviare_->setVisible(false);
        muNonInviare_->setVisible(true);
    } else {
        const bool segnata = riga >= 0 && riga < elenco_.Conta() && elenco_[riga].Segnata();
        muStorico_->setVisible(!InCartellaInviati(cartellaElenco_));
        muDaInviare_->setVisible(!segnata);
        muNonInviare_->setVisible(segnata);
    }
    const int visibile = riga - griglia->rowAt(0);
    const QPoint punto(griglia->x(), griglia->y() + Pixel((visibile + 1) * AltezzaRiga + 240));
    menu_->popup(mapToGlobal(punto));
}

void Dos2Edi::Storicizza()
{
    const QString nome = nomeCorrente_;
    if (nome.trimmed().isEmpty())
        return;
    if (Messaggio(QStringLiteral("CONFERMI LA STORICIZZAZIONE DI  '") + nome + QLatin1Char('\''),
                  Pulsanti::SiNo, Icona::Domanda, QStringLiteral("STORICIZZA FIRMATI"),
                  Risposta::No) != Risposta::Si)
        return;
    ArchiviaFile(nome, cartellaElenco_);
    Togli();
    CaricaElenco();
}

void Dos2Edi::Visualizza()
{
    ArgomentoProgramma = QStringLiteral(" ") + UnisciPercorso(cartellaElenco_, nomeCorrente_);
    LanciaApplicazione(QStringLiteral("Varie1"));
}

void Dos2Edi::InviaBolleFinestra()
{
    if (occupato_ || invio_.isEmpty())
        return;
    MostraAiuto(QString::fromLatin1(TitoloElaborazione),
                QStringLiteral("INVIO DELLE BOLLE SELEZIONATE IN DOGANA \nAttendere prego ..."),
                12);
    MostraAvanzamento({});
    lbAvanzamento_->show();
    fraAiuto_->adjustSize();
    occupato_ = true;
    EsitoInvio esito;
    {
        // The run takes its own copies of the names and the folder; nothing the
        // window shows can reach it while it runs.
        const BloccoInput blocco(this);
        esito = InviaBolle(invio_, cartellaElenco_, &occupato_,
                           [this](const AvanzamentoFtp& a) { MostraAvanzamento(a); });
    }
    occupato_ = false;
    lbAvanzamento_->hide();
    NascondiAiuto();
    QCoreApplication::processEvents();
    // Nothing went out when every name was left out: the person can still act on them.
    if (esito.stato == StatoFtp::NonAvviato && esito.scartati.size() == invio_.size())
        return;
    accept();
}

void Dos2Edi::MostraAvanzamento(const AvanzamentoFtp& a)
{
    const QLocale it(QLocale::Italian, QLocale::Italy);
    QString testo;
    if (a.numeroFile == 0) {
        testo = QStringLiteral("COLLEGAMENTO AL SERVER IN CORSO ...");
    } else {
        testo = QStringLiteral("FILE IN TRASFERIMENTO: %1  (%2 DI %3)")
                    .arg(a.file)
                    .arg(a.numeroFile)
                    .arg(a.totaleFile);
        if (a.byteTotali >= 0)
            testo += QStringLiteral("\nINVIATI %1 DI %2 BYTE")
                         .arg(it.toString(a.byte), it.toString(a.byteTotali));
    }
    if (lbAvanzamento_->text() == testo)
        return;
    lbAvanzamento_->setText(testo);
    // A screen reader reads what the label shows.
    lbAvanzamento_->setAccessibleName(testo);
    fraAiuto_->adjustSize();
}

void Dos2Edi::ImpostaOrigine()
{
    const bool invioVisibile = !cmdInvia_->isHidden();
    cmdInvia_->hide();
    const QString scelta =
        ScegliCartella(this, QStringLiteral("Seleziona la Cartella desiderata"), cartellaElenco_)
            .trimmed();
    if (!scelta.isEmpty()) {
        const QString cartella = SenzaSeparatoreFinale(scelta);
        if (cartella != ParametriEdi.CartellaFirmati)
            ParametriEdi.CartellaFirmati = cartella;
        // The new origin is what "Da inviare" lists from now on.
        cartellaElenco_ = cartella;
        {
            const QSignalBlocker blocco(optDaInviare_);
            optDaInviare_->setChecked(true);
        }
        lbFirmaVerif_->setText(cartellaElenco_);
        CaricaElenco();
    }
    ChiudiOrigine(invioVisibile);
}

void Dos2Edi::ChiudiOrigine(bool invioVisibile)
{
    cmdInvia_->setVisible(invioVisibile && ConnessoRemoto);
    fraCartella_->hide();
    ImpostaDidascalia(ParametriEdi.CartellaFirmati);
}

void Dos2Edi::ScegliQuali(bool daInviare)
{
    cartellaElenco_ = daInviare ? ParametriEdi.CartellaFirmati : ParametriEdi.CartellaInviati;
    CaricaElenco();
    ImpostaDidascalia(cartellaElenco_);
}

void Dos2Edi::ControllaCampo(int indice)
{
    if (uscendo_)
        return;
    QLineEdit* campo = txt_[indice];
    const EsitoFiltro esito =
        ControllaFiltro(indice, campo->text(), txt_[1]->text(), LatoFiltro::Invio);
    if (esito.ignorato)
        return;
    if (!esito.valido) {
        Messaggio(esito.messaggio);
        QPointer<QLineEdit> c(campo);
        QMetaObject::invokeMethod(
            this,
            [c]() {
                if (c)
                    c->setFocus(Qt::OtherFocusReason);
            },
            Qt::QueuedConnection);
        return;
    }
    if (campo->text().trimmed() != esito.valore) {
        caricamento_ = true;
        campo->setText(esito.valore);
        caricamento_ = false;
    }
    if (campo->text() != TestoIniziale) {
        TestoIniziale = campo->text();
        CaricaElenco();
    }
}

void Dos2Edi::CampoSuccessivo(int indice, int passo)
{
    for (int i = 1; i <= 4; ++i) {
        const int k = ((indice - 1 + passo * i) % 4 + 4) % 4 + 1;
        if (txt_[k]->isEnabled()) {
            txt_[k]->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

bool Dos2Edi::TastoCampo(int indice, QKeyEvent* evento)
{
    switch (evento->key()) {
    case Qt::Key_Up:
        CampoSuccessivo(indice, -1);
        return true;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        CampoSuccessivo(indice, 1);
        return true;
    default:
        break;
    }
    const QString testo = evento->text();
    if (testo.size() != 1 || testo[0].unicode() < 32 || evento->modifiers() & Qt::ControlModifier)
        return false;
    const int codice = testo[0].unicode();
    const int tenuto = indice <= 2 ? SoloCifre(codice) : Maiuscolo(codice);
    if (tenuto == 0)
        return true;
    if (tenuto != codice) {
        txt_[indice]->insert(QString(QChar(tenuto)));
        emit txt_[indice]->textEdited(txt_[indice]->text());
        return true;
    }
    return false;
}

bool Dos2Edi::eventFilter(QObject* oggetto, QEvent* evento)
{
    const QEvent::Type tipo = evento->type();
    for (int k = 1; k <= 4; ++k) {
        if (oggetto != txt_[k])
            continue;
        if (tipo == QEvent::KeyPress)
            return TastoCampo(k, static_cast<QKeyEvent*>(evento));
        if (tipo == QEvent::FocusIn)
            SelezionaTesto(txt_[k]);
        if (tipo == QEvent::FocusOut) {
            const auto motivo = static_cast<QFocusEvent*>(evento)->reason();
            // A click gives the button the focus before the button sees the press.
            QWidget* verso = QApplication::focusWidget();
            if (motivo == Qt::MouseFocusReason && (verso == cmdUscita_ || verso == cmdOrigine_))
                uscendo_ = true;
            // A box or a menu taking the focus is not the person leaving the field.
            if (motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason)
                ControllaCampo(k);
        }
        return false;
    }
    if ((oggetto == cmdUscita_ || oggetto == cmdOrigine_) && tipo == QEvent::MouseButtonPress) {
        uscendo_ = true;
        return false;
    }
    if (oggetto == fraAiuto_ || oggetto == lbAiuto_) {
        if (tipo == QEvent::MouseButtonPress && !occupato_)
            NascondiAiuto();
        return false;
    }

    for (QTableView* griglia : {grdElenco_, grdInvio_}) {
        if (oggetto == griglia->horizontalHeader()->viewport()) {
            if (tipo != QEvent::MouseButtonPress && tipo != QEvent::MouseButtonRelease &&
                tipo != QEvent::MouseButtonDblClick)
                return false;
            return occupato_ || MouseIntestazione(griglia, static_cast<QMouseEvent*>(evento));
        }
        if (oggetto == griglia && tipo == QEvent::KeyPress) {
            if (occupato_)
                return true;
            const int tasto = static_cast<QKeyEvent*>(evento)->key();
            return griglia == grdElenco_ ? TastoElenco(tasto) : TastoInvio(tasto);
        }
        if (oggetto != griglia->viewport())
            continue;
        if (tipo != QEvent::MouseButtonRelease && tipo != QEvent::MouseButtonDblClick &&
            tipo != QEvent::MouseButtonPress)
            return false;
        if (occupato_)
            return true;
        auto* mouse = static_cast<QMouseEvent*>(evento);
        const QModelIndex indice = griglia->indexAt(mouse->position().toPoint());
        if (tipo == QEvent::MouseButtonPress)
            return false;
        if (!indice.isValid())
            return false;
        if (!griglia->hasFocus())
            griglia->setFocus(Qt::MouseFocusReason);
        griglia->setCurrentIndex(indice);
        const int riga = indice.row();
        if (griglia == grdElenco_) {
            rigaCorrente_ = riga;
            nomeCorrente_ = elenco_[riga].nome;
            if (tipo == QEvent::MouseButtonDblClick) {
                Segna();
                return true;
            }
        } else {
            nomeCorrente_ = invio_[riga];
        }
        if (tipo == QEvent::MouseButtonRelease && mouse->button() == Qt::RightButton)
            ApriMenu(griglia, riga, griglia == grdInvio_);
        return false;
    }
    return QDialog::eventFilter(oggetto, evento);
}

void Dos2Edi::TieniDimensioni()
{
    const QMargins bordo = CorniceFinestra(this);
    const int larghezza = Pixel(LarghezzaFinestra) - bordo.left() - bordo.right();
    const int altezzaMinima = Pixel(AltezzaMinima) - bordo.top() - bordo.bottom();
    if (minimumWidth() != larghezza || maximumWidth() != larghezza)
        setFixedWidth(larghezza);
    if (minimumHeight() != altezzaMinima)
        setMinimumHeight(altezzaMinima);
}

void Dos2Edi::resizeEvent(QResizeEvent* evento)
{
    QDialog::resizeEvent(evento);
    TieniDimensioni();
}

void Dos2Edi::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    TieniDimensioni();
}

void Dos2Edi::keyPressEvent(QKeyEvent* evento)
{
    // Escape does not close the window: "&USCITA" and F2 do.
    if (evento->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(evento);
}

void Dos2Edi::done(int esito)
{
    if (occupato_)
        return;
    SalvaPosizione(this);
    QDialog::done(esito);
}
