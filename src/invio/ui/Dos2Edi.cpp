#include "invio/ui/Dos2Edi.h"

#include "invio/ui/GriglieInvio.h"
#include "piattaforma/ui/Dialoghi.h"
#include "piattaforma/ui/Schermo.h"
#include "scambio/EseguiScriptFtp.h"
#include "shell/Global.h"
#include "shell/ui/BloccoInput.h"
#include "shell/ui/GrigliaElenco.h"
#include "shell/ui/PannelloAiuto.h"
#include "shell/ui/RigaFiltro.h"
#include "shell/ui/TastiComuni.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int LarghezzaFinestra = 8250; // twips
constexpr int AltezzaMinima = 4560;     // twips

} // namespace

Dos2Edi::Dos2Edi(QWidget* padre)
    : FinestraElenco(QStringLiteral("Dos2Edi"), LarghezzaFinestra, AltezzaMinima, padre)
{
    auto* principale = new QVBoxLayout(Contenuto());
    // The grids end 60 twips above the bottom of the window.
    principale->setContentsMargins(4, 4, 4, Pixel(60));
    principale->setSpacing(4);

    auto* alto = new QHBoxLayout;
    CostruisciFiltro(alto);
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
        cmdSelez_[size_t(i)] =
            Pulsante(testiSelez[size_t(i)], QStringLiteral("cmdSelez_%1").arg(i), this);
        selezione->addWidget(cmdSelez_[size_t(i)]);
        connect(cmdSelez_[size_t(i)], &QPushButton::clicked, this, [this, i]() {
            if (!Occupato())
                griglie_->Selezione(i);
        });
    }
    selezione->addStretch(1);
    auto* daInviare = new QLabel(QStringLiteral("File da inviare"), this);
    selezione->addWidget(daInviare);
    principale->addLayout(selezione);

    griglie_ = new GriglieInvio(lista_, this);
    daInviare->setBuddy(griglie_->Invio());
    principale->addWidget(griglie_, 1);
    connect(griglie_, &GriglieInvio::SegniCambiati, this, &Dos2Edi::AggiornaPulsanti);
    connect(
        griglie_, &GriglieInvio::Aiuto, this,
        [this](const QString& titolo, const QString& testo) { MostraAiuto(titolo, testo, 10); });
    connect(griglie_, &GriglieInvio::Tasto, this, [this]() { Pannello()->hide(); });
    connect(griglie_, &GriglieInvio::Menu, this, &Dos2Edi::ApriMenu);

    CostruisciCartella();
    lbAvanzamento_ = new QLabel(this);
    lbAvanzamento_->setObjectName(QStringLiteral("lbAvanzamento"));
    lbAvanzamento_->setAlignment(Qt::AlignCenter);
    Pannello()->Aggiungi(lbAvanzamento_);
    lbAvanzamento_->hide();
    CostruisciMenu();

    connect(cmdAggiorna_, &QPushButton::clicked, this, &Dos2Edi::CaricaElenco);
    connect(cmdInvia_, &QPushButton::clicked, this, &Dos2Edi::InviaBolleFinestra);
    connect(cmdUscita_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdOrigine_, &QPushButton::clicked, this, [this]() {
        lbFirmaVerif_->setText(lista_.Cartella());
        fraCartella_->move((width() - fraCartella_->width()) / 2, griglie_->y() + 20);
        fraCartella_->show();
        fraCartella_->raise();
    });
    // A mouse press on these buttons means the person is leaving the filter:
    // no field is checked from then on.
    for (QPushButton* b : {cmdUscita_, cmdOrigine_})
        connect(b, &QPushButton::pressed, this, [this]() {
            if (QGuiApplication::mouseButtons() & Qt::LeftButton)
                uscendo_ = true;
        });

    new TastiComuni(this, cmdUscita_);
    Ripristina(1800);
    ImpostaDidascalia(lista_.Cartella());
    CaricaElenco();
}

void Dos2Edi::CostruisciFiltro(QBoxLayout* alto)
{
    auto* cornice = new QGroupBox(QStringLiteral("Selezione"), this);
    cornice->setObjectName(QStringLiteral("fraFiltro"));
    auto* riga = new QHBoxLayout(cornice);
    riga->setContentsMargins(6, 4, 6, 4);
    filtro_ = new RigaFiltro(LatoFiltro::Invio, RigaFiltro::Forma::Colonne, cornice);
    filtro_->SospendiControllo([this](Qt::FocusReason motivo) {
        // A click gives the button the focus before the button sees the press.
        QWidget* verso = QApplication::focusWidget();
        if (motivo == Qt::MouseFocusReason && (verso == cmdUscita_ || verso == cmdOrigine_))
            uscendo_ = true;
        return uscendo_;
    });
    connect(filtro_, &RigaFiltro::Controllato, this, [this](int, bool cambiato) {
        if (cambiato)
            CaricaElenco();
    });
    riga->addWidget(filtro_);

    auto* quali = new QVBoxLayout;
    quali->setSpacing(2);
    optDaInviare_ = new QRadioButton(QStringLiteral("Da inviare"), cornice);
    optDaInviare_->setObjectName(QStringLiteral("optQuali_1"));
    auto* optInviati = new QRadioButton(QStringLiteral("Inviati"), cornice);
    optInviati->setObjectName(QStringLiteral("optQuali_0"));
    optDaInviare_->setChecked(true);
    auto* gruppo = new QButtonGroup(this);
    gruppo->addButton(optDaInviare_, 1);
    gruppo->addButton(optInviati, 0);
    quali->addWidget(optDaInviare_);
    quali->addWidget(optInviati);
    riga->addLayout(quali);
    connect(optDaInviare_, &QRadioButton::toggled, this, [this](bool attivo) {
        if (attivo)
            ScegliQuali(true);
    });
    connect(optInviati, &QRadioButton::toggled, this, [this](bool attivo) {
        if (attivo)
            ScegliQuali(false);
    });
    alto->addWidget(cornice, 1);
}

void Dos2Edi::CostruisciCartella()
{
    // The folder panel, floating over the grids.
    fraCartella_ = new QFrame(this);
    fraCartella_->setObjectName(QStringLiteral("fraCartella"));
    fraCartella_->setFrameShape(QFrame::Box);
    fraCartella_->setAutoFillBackground(true);
    auto* cartella = new QVBoxLayout(fraCartella_);
    auto* titolo =
        new QLabel(QStringLiteral("IMPOSTAZIONE CARTELLA CON I FILE DA INVIARE"), fraCartella_);
    titolo->setAlignment(Qt::AlignCenter);
    QFont grassetto = titolo->font();
    grassetto.setBold(true);
    titolo->setFont(grassetto);
    lbFirmaVerif_ = new QLabel(fraCartella_);
    lbFirmaVerif_->setObjectName(QStringLiteral("lbFirmaVerif"));
    lbFirmaVerif_->setFrameShape(QFrame::Panel);
    lbFirmaVerif_->setFrameShadow(QFrame::Sunken);
    lbFirmaVerif_->setWordWrap(true);
    lbFirmaVerif_->setAccessibleName(QStringLiteral("Cartella"));
    auto* pulsanti = new QHBoxLayout;
    auto* cmdImposta =
        Pulsante(QStringLiteral("&IMPOSTA Origine"), QStringLiteral("cmdImposta"), fraCartella_);
    auto* cmdChiudi =
        Pulsante(QStringLiteral("&CHIUDI"), QStringLiteral("cmdChiudi"), fraCartella_);
    pulsanti->addWidget(cmdImposta);
    pulsanti->addWidget(cmdChiudi);
    cartella->addWidget(titolo);
    cartella->addWidget(lbFirmaVerif_);
    cartella->addLayout(pulsanti);
    fraCartella_->setFixedSize(420, 120);
    fraCartella_->hide();
    connect(cmdImposta, &QPushButton::clicked, this, &Dos2Edi::ImpostaOrigine);
    connect(cmdChiudi, &QPushButton::clicked, this,
            [this]() { ChiudiOrigine(!cmdInvia_->isHidden()); });
}

void Dos2Edi::CostruisciMenu()
{
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
    connect(muVisualizza_, &QAction::triggered, this,
            [this]() { lista_.Visualizza(nomeCorrente_); });
    connect(muStorico_, &QAction::triggered, this, &Dos2Edi::Storicizza);
    connect(muDaInviare_, &QAction::triggered, this, [this]() {
        if (!nomeCorrente_.trimmed().isEmpty())
            griglie_->Segna(rigaCorrente_);
    });
    connect(muNonInviare_, &QAction::triggered, this, [this]() { griglie_->Togli(nomeCorrente_); });
}

void Dos2Edi::ImpostaDidascalia(const QString& cartella)
{
    setWindowTitle(DidascaliaInvio(cartella));
}

void Dos2Edi::CaricaElenco()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    lista_.Carica(filtro_->Campi());
    griglie_->Ricaricate();
    QApplication::restoreOverrideCursor();
}

void Dos2Edi::AggiornaPulsanti()
{
    const bool daInviare = lista_.Elenco().ContaInvio() > 0;
    cmdInvia_->setEnabled(daInviare && ConnessoRemoto);
    cmdSelez_[0]->setVisible(daInviare);
    cmdSelez_[2]->setVisible(daInviare);
    cmdSelez_[1]->setVisible(lista_.Elenco().Conta() > 0);
}

void Dos2Edi::MostraAiuto(const QString& titolo, const QString& testo, int punti)
{
    const bool visibile = Pannello()->isVisible();
    Pannello()->Mostra(titolo, testo, punti);
    if (!visibile)
        Pannello()->Centra(griglie_->y() + griglie_->height() / 4);
}

void Dos2Edi::ApriMenu(const QString& nome, int riga, const QPoint& globale)
{
    if (Occupato())
        return;
    nomeCorrente_ = nome;
    rigaCorrente_ = riga;
    muVisualizza_->setText(QStringLiteral("&Visualizza  ") + nome);
    muStorico_->setText(QStringLiteral("&Storicizza  ") + nome);
    muDaInviare_->setText(QStringLiteral("&Da inviare ") + nome);
    muNonInviare_->setText(QStringLiteral("&Non inviare  ") + nome);
    const bool daInvio = riga < 0;
    const bool segnata = daInvio || lista_.Elenco()[riga].Segnata();
    muStorico_->setVisible(daInvio || lista_.StoricizzaOfferta());
    muDaInviare_->setVisible(!segnata);
    muNonInviare_->setVisible(segnata);
    menu_->popup(globale);
}

void Dos2Edi::Storicizza()
{
    const QString nome = nomeCorrente_;
    switch (lista_.Storicizza(nome)) {
    case ListaInvio::Storico::NonConfermato:
        return;
    case ListaInvio::Storico::Rimasto:
        griglie_->Togli(nome);
        return;
    case ListaInvio::Storico::Uscito:
        griglie_->FileUscito(nome);
        return;
    }
}

void Dos2Edi::InviaBolleFinestra()
{
    if (Occupato() || lista_.Elenco().ContaInvio() == 0)
        return;
    const bool visibile = Pannello()->isVisible();
    Pannello()->MostraAttesa(
        QStringLiteral("INVIO DELLE BOLLE SELEZIONATE IN DOGANA \nAttendere prego ..."), 12);
    if (!visibile)
        Pannello()->Centra(griglie_->y() + griglie_->height() / 4);
    MostraAvanzamento({});
    lbAvanzamento_->show();
    Pannello()->adjustSize();
    *FlagOccupato() = true;
    bool chiudi = false;
    {
        // Nothing the window shows can reach the run while it goes.
        const BloccoInput blocco(this);
        chiudi =
            lista_.Invia(FlagOccupato(), [this](const AvanzamentoFtp& a) { MostraAvanzamento(a); });
    }
    *FlagOccupato() = false;
    lbAvanzamento_->hide();
    Pannello()->hide();
    QCoreApplication::processEvents();
    if (chiudi)
        accept();
}

void Dos2Edi::MostraAvanzamento(const AvanzamentoFtp& a)
{
    const QString testo = TestoAvanzamento(a);
    if (lbAvanzamento_->text() == testo)
        return;
    lbAvanzamento_->setText(testo);
    // A screen reader reads what the label shows.
    lbAvanzamento_->setAccessibleName(testo);
    Pannello()->adjustSize();
}

void Dos2Edi::ImpostaOrigine()
{
    const bool invioVisibile = !cmdInvia_->isHidden();
    cmdInvia_->hide();
    const QString scelta =
        ScegliCartella(this, QStringLiteral("Seleziona la Cartella desiderata"), lista_.Cartella());
    if (lista_.ImpostaOrigine(scelta)) {
        {
            // The new origin is what "Da inviare" lists from now on.
            const QSignalBlocker blocco(optDaInviare_);
            optDaInviare_->setChecked(true);
        }
        lbFirmaVerif_->setText(lista_.Cartella());
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
    lista_.ScegliQuali(daInviare);
    CaricaElenco();
    ImpostaDidascalia(lista_.Cartella());
}
