#include "shell/ui/Aggiorna.h"

#include "piattaforma/RichiestaHttp.h"
#include "piattaforma/ui/Shell.h"
#include "shell/Aggiornamenti.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/Versione.h"
#include "shell/ui/Finestre.h"
#include "shell/ui/ScaricaFile.h"
#include "shell/ui/TastiComuni.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QColor Rosso(255, 0, 0);
const QColor BluScuro(0, 0, 128);

QFrame* Pannello(QWidget* padre, const QString& nome)
{
    auto* f = new QFrame(padre);
    f->setObjectName(nome);
    f->setFrameShape(QFrame::StyledPanel);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

QLabel* Etichetta(QWidget* padre, const QString& nome, const QString& testo = {})
{
    auto* l = new QLabel(testo, padre);
    l->setObjectName(nome);
    // The page's texts are shown as they are: no markup of the page restyles them.
    l->setTextFormat(Qt::PlainText);
    return l;
}

void Colore(QLabel* l, const QColor& c)
{
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, c);
    l->setPalette(p);
}

// The hourglass over every window while the page is fetched.
class Clessidra
{
public:
    Clessidra() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Clessidra() { QApplication::restoreOverrideCursor(); }
};

} // namespace

Aggiorna::Aggiorna(QWidget* padre) : QDialog(padre)
{
    setObjectName(u"Aggiorna"_s);
    setWindowTitle(u"NUOVA VERSIONE"_s);
    setModal(true);
    setMouseTracking(true);

    auto* esterno = new QVBoxLayout(this);
    esterno->setContentsMargins(0, 0, 0, 0);
    contenuto_ = new QWidget(this);
    contenuto_->setMouseTracking(true);
    esterno->addWidget(contenuto_);
    auto* layout = new QVBoxLayout(contenuto_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    lbNome_ = Etichetta(contenuto_, u"lbNome"_s);
    QFont grande = lbNome_->font();
    grande.setBold(true);
    grande.setPointSizeF(grande.pointSizeF() * 1.4);
    lbNome_->setFont(grande);
    lbNome_->setAlignment(Qt::AlignCenter);
    layout->addWidget(lbNome_);

    auto* versioni = new QGridLayout;
    auto* eInUso = Etichetta(contenuto_, u"lbInUso"_s, u"Versione in uso:"_s);
    lbVersione_ = Etichetta(contenuto_, u"lbVersione"_s);
    auto* eUltima = Etichetta(contenuto_, u"lbUltima"_s, u"Ultima versione:"_s);
    lbNuovaVersione_ = Etichetta(contenuto_, u"lbNuovaVersione"_s);
    eInUso->setBuddy(lbVersione_);
    eUltima->setBuddy(lbNuovaVersione_);
    versioni->addWidget(eInUso, 0, 0);
    versioni->addWidget(lbVersione_, 0, 1);
    versioni->addWidget(eUltima, 1, 0);
    versioni->addWidget(lbNuovaVersione_, 1, 1);
    versioni->setColumnStretch(1, 1);
    layout->addLayout(versioni);

    fraErrore_ = Pannello(contenuto_, u"fraErrore"_s);
    auto* lErrore = new QVBoxLayout(fraErrore_);
    auto* lbErrore =
        Etichetta(fraErrore_, u"lbErrore"_s, u"Impossibile verificare nuovi aggiornamenti"_s);
    QFont grassetto = lbErrore->font();
    grassetto.setBold(true);
    lbErrore->setFont(grassetto);
    lbDescrizioneErrore_ = Etichetta(fraErrore_, u"lbDescrizioneErrore"_s);
    lbDescrizioneErrore_->setWordWrap(true);
    lbDescrizioneErrore_->setMinimumWidth(420);
    lbDescrizioneErrore_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lErrore->addWidget(lbErrore);
    lErrore->addWidget(lbDescrizioneErrore_);
    layout->addWidget(fraErrore_);

    fraAggiornato_ = Pannello(contenuto_, u"fraAggiornato"_s);
    auto* lAggiornato = new QVBoxLayout(fraAggiornato_);
    auto* lbAggiornato =
        Etichetta(fraAggiornato_, u"lbAggiornato"_s, u"La versione in uso è la più aggiornata"_s);
    lbAggiornato->setFont(grassetto);
    lbAggiornato->setAlignment(Qt::AlignCenter);
    lAggiornato->addWidget(lbAggiornato);
    layout->addWidget(fraAggiornato_);

    fraElenco_ = Pannello(contenuto_, u"fraElenco"_s);
    fraElenco_->setMouseTracking(true);
    auto* lElenco = new QVBoxLayout(fraElenco_);
    lElenco->setSpacing(1);
    auto* titolo =
        Etichetta(fraElenco_, u"lbTitoloElenco"_s, u"Elenco aggiornamenti disponibili"_s);
    titolo->setFont(grassetto);
    lElenco->addWidget(titolo);
    for (int i = 1; i <= PostiAggiornamenti; ++i) {
        lbAggiornamento_[i] = Etichetta(fraElenco_, u"lbAggiornamento_%1"_s.arg(i));
        lbAggiornamento_[i]->setCursor(Qt::PointingHandCursor);
        lbAggiornamento_[i]->setToolTip(u"Doppio clic per scaricare questo aggiornamento"_s);
        lbAggiornamento_[i]->installEventFilter(this);
        lElenco->addWidget(lbAggiornamento_[i]);
    }
    lbAltri_ = Etichetta(fraElenco_, u"lbAltri"_s);
    lbAltri_->setWordWrap(true);
    lElenco->addWidget(lbAltri_);
    layout->addWidget(fraElenco_);

    auto* riga = new QHBoxLayout;
    cmdAggiorna_ = new QPushButton(u"&AGGIORNA"_s, contenuto_);
    cmdAggiorna_->setObjectName(u"cmdAggiorna"_s);
    cmdSito_ = new QPushButton(u"&VAI AL SITO"_s, contenuto_);
    cmdSito_->setObjectName(u"cmdSito"_s);
    cmdUscita_ = new QPushButton(u"&USCITA"_s, contenuto_);
    cmdUscita_->setObjectName(u"cmdUscita"_s);
    for (QPushButton* b : {cmdAggiorna_, cmdSito_, cmdUscita_}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
    }
    QSizePolicy p = cmdAggiorna_->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    cmdAggiorna_->setSizePolicy(p);
    riga->addWidget(cmdAggiorna_);
    riga->addStretch(1);
    riga->addWidget(cmdSito_);
    riga->addWidget(cmdUscita_);
    layout->addSpacing(6);
    layout->addLayout(riga);
    connect(cmdAggiorna_, &QPushButton::clicked, this, [this]() { Scarica(indirizzi_); });
    connect(cmdSito_, &QPushButton::clicked, this, &Aggiorna::VaiAlSito);
    connect(cmdUscita_, &QPushButton::clicked, this, &QDialog::reject);
    new TastiComuni(this, cmdUscita_);
    contenuto_->installEventFilter(this);
    fraElenco_->installEventFilter(this);
}

void Aggiorna::Carica()
{
    Clessidra clessidra;
    const QString indirizzo = IndirizzoPaginaVersioni();
    const QString nome = NomeProgrammaAggiornamenti();
    lbNome_->setText(nome);
    for (QFrame* f : {fraErrore_, fraAggiornato_, fraElenco_})
        f->hide();
    cmdAggiorna_->hide();
    indirizzi_.clear();
    for (int i = 1; i <= PostiAggiornamenti; ++i) {
        lbAggiornamento_[i]->clear();
        lbAggiornamento_[i]->hide();
    }
    lbAltri_->hide();
    const Versione inUso = VersioneInUso();
    lbVersione_->setText(VersioneDueCifre(inUso));
    lbNuovaVersione_->clear();

    const RispostaHttp risposta = HttpGetSincrono(QUrl(indirizzo));
    EsitoAggiornamento = 0;
    if (!risposta.riuscita) {
        EsitoAggiornamento = risposta.errore;
        MostraErrore(risposta.descrizione);
    } else {
        const AnalisiVersioni a =
            LeggiPaginaVersioni(risposta.testo, nome, NumeroVersione(inUso), SitoAggiornamenti());
        paginaProgramma_ = a.paginaProgramma;
        lbNuovaVersione_->setText(a.testoUltima);
        if (a.aggiornato) {
            setWindowTitle(u"PROGRAMMA AGGIORNATO"_s);
            fraAggiornato_->show();
            EsitoAggiornamento = -1;
        } else {
            setWindowTitle(u"DISPONIBILE NUOVO AGGIORNAMENTO"_s);
            const auto mostrati = std::min<qsizetype>(a.nuovi.size(), PostiAggiornamenti);
            for (qsizetype i = 0; i < mostrati; ++i) {
                QLabel* l = lbAggiornamento_[i + 1];
                l->setText(a.nuovi[i].Etichetta());
                l->setAccessibleDescription(a.nuovi[i].indirizzo);
                l->show();
                indirizzi_.append(a.nuovi[i].indirizzo);
            }
            if (a.nuovi.size() > PostiAggiornamenti) {
                const qsizetype altri = a.nuovi.size() - PostiAggiornamenti;
                lbAltri_->setText(u"... e altri %1 aggiornamenti: scaricare questi, installarli "
                                  "e ripetere la verifica."_s.arg(altri));
                lbAltri_->show();
            }
            ColoraVoci(nullptr);
            fraElenco_->setVisible(!a.nuovi.isEmpty());
            cmdAggiorna_->setVisible(!a.nuovi.isEmpty());
        }
    }
    adjustSize();
    CentraForm(this);
}

void Aggiorna::MostraErrore(const QString& descrizione)
{
    setWindowTitle(u"ERRORE IN CONNESSIONE"_s);
    lbDescrizioneErrore_->setText(descrizione);
    fraErrore_->show();
}

void Aggiorna::ColoraVoci(const QLabel* evidenziata)
{
    for (int i = 1; i <= PostiAggiornamenti; ++i)
        Colore(lbAggiornamento_[i], lbAggiornamento_[i] == evidenziata ? Rosso : BluScuro);
}

bool Aggiorna::eventFilter(QObject* oggetto, QEvent* evento)
{
    for (int i = 1; i <= PostiAggiornamenti; ++i) {
        if (oggetto != lbAggiornamento_[i])
            continue;
        if (evento->type() == QEvent::Enter)
            ColoraVoci(lbAggiornamento_[i]);
        else if (evento->type() == QEvent::MouseButtonDblClick && i <= indirizzi_.size())
            Scarica({indirizzi_[i - 1]});
        return QDialog::eventFilter(oggetto, evento);
    }
    if ((oggetto == contenuto_ || oggetto == fraElenco_) && evento->type() == QEvent::MouseMove)
        ColoraVoci(nullptr);
    return QDialog::eventFilter(oggetto, evento);
}

void Aggiorna::Scarica(const QStringList& indirizzi)
{
    // The window takes no input while the files come down.
    contenuto_->setEnabled(false);
    ScaricaFile(this, indirizzi);
    contenuto_->setEnabled(true);
}

void Aggiorna::VaiAlSito()
{
    // The demo stays on its own pages, off the network.
    QString sito = ProgrammaDemo() ? SitoAggiornamenti() : QString(Ini::DefaultZerpa);
    if (!sito.endsWith(u'/'))
        sito += u'/';
    ApriConShell(IndirizzoSulSito(sito, paginaProgramma_));
}

void CercaAggiornamenti()
{
    QPointer<QWidget> attiva = QApplication::activeWindow();
    const QString didascalia = attiva ? attiva->windowTitle() : QString();
    if (attiva)
        attiva->setWindowTitle(u"Ricerca aggiornamenti di  '"_s + NomeProgrammaAggiornamenti() +
                               u"'  in corso ..."_s);
    {
        Aggiorna finestra(attiva);
        finestra.plAgInforma(true);
        finestra.Carica();
        if (finestra.pgAgInforma() || EsitoAggiornamento == 0)
            finestra.exec();
    }
    if (attiva)
        attiva->setWindowTitle(didascalia);
}
