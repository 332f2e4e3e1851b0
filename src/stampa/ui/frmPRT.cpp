#include "stampa/ui/frmPRT.h"

#include "piattaforma/ui/Dialoghi.h"
#include "piattaforma/ui/Schermo.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/ui/Finestre.h"
#include "shell/ui/TastiComuni.h"
#include "stampa/StampantePdf.h"
#include "stampa/ui/SelPrint.h"
#include "stampa/ui/StampanteCorrente.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// A small picture of the pages of a layout: columns × rows, upright or lying.
QIcon Pagine(int colonne, int righe, bool orizzontale)
{
    QPixmap pm(44, 34);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const int w = orizzontale ? 13 : 10;
    const int h = orizzontale ? 10 : 13;
    const int x0 = (44 - colonne * (w + 3)) / 2;
    const int y0 = (34 - righe * (h + 3)) / 2;
    for (int r = 0; r < righe; ++r) {
        for (int c = 0; c < colonne; ++c) {
            const QRect foglio(x0 + c * (w + 3), y0 + r * (h + 3), w, h);
            p.fillRect(foglio, Qt::white);
            p.setPen(Qt::black);
            p.drawRect(foglio);
        }
    }
    return QIcon(pm);
}

} // namespace

QStringList frmPRT::TipiStampa()
{
    return {u"P (su stampante con richiesta)"_s, u"D (su stampante direttamente)"_s,
            u"V (a video)"_s};
}

QStringList frmPRT::Zoom()
{
    return {u" 100%"_s, u"Larghezza"_s, u"Intera"_s, u"  50%"_s, u"  75%"_s};
}

frmPRT::frmPRT(QWidget* padre) : QDialog(padre)
{
    setObjectName(u"frmPRT"_s);
    setWindowTitle(u"GESTIONE DELLE STAMPANTI"_s);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* riga = new QHBoxLayout;
    auto* etichetta = new QLabel(u"Stampante"_s, this);
    Text1_ = new QLineEdit(this);
    Text1_->setObjectName(u"Text1"_s);
    Text1_->setReadOnly(true);
    Text1_->setMinimumWidth(260);
    Text1_->setToolTip(u"Doppio clic: elenco delle stampanti"_s);
    Text1_->installEventFilter(this);
    etichetta->setBuddy(Text1_);
    Command1_ = new QPushButton(u"&MODIFICA"_s, this);
    Command1_->setObjectName(u"Command1"_s);
    riga->addWidget(etichetta);
    riga->addWidget(Text1_, 1);
    riga->addWidget(Command1_);
    layout->addLayout(riga);

    auto* tipo = new QHBoxLayout;
    auto* etichettaTipo = new QLabel(u"Tipo di stampa"_s, this);
    Combo1_ = new QComboBox(this);
    Combo1_->setObjectName(u"Combo1"_s);
    etichettaTipo->setBuddy(Combo1_);
    tipo->addWidget(etichettaTipo);
    tipo->addWidget(Combo1_, 1);
    layout->addLayout(tipo);

    Frame1_ = new QGroupBox(u"Anteprima"_s, this);
    Frame1_->setObjectName(u"Frame1"_s);
    auto* anteprima = new QGridLayout(Frame1_);
    auto* etichettaZoom = new QLabel(u"Zoom"_s, Frame1_);
    cmbZoom_ = new QComboBox(Frame1_);
    cmbZoom_->setObjectName(u"cmbZoom"_s);
    etichettaZoom->setBuddy(cmbZoom_);
    anteprima->addWidget(etichettaZoom, 0, 0);
    anteprima->addWidget(cmbZoom_, 0, 1, 1, 3);
    anteprima->addWidget(new QLabel(u"Dimensioni pagina"_s, Frame1_), 1, 0, 1, 4);
    const int disegni[8][3] = {{1, 1, 0}, {1, 1, 1}, {2, 1, 0}, {2, 1, 1},
                               {2, 2, 0}, {2, 2, 1}, {3, 2, 0}, {3, 3, 0}};
    for (int i = 0; i < 8; ++i) {
        Option1_[i] = new QRadioButton(Frame1_);
        Option1_[i]->setObjectName(u"Option1_%1"_s.arg(i));
        Option1_[i]->setIcon(Pagine(disegni[i][0], disegni[i][1], disegni[i][2] != 0));
        Option1_[i]->setIconSize(QSize(44, 34));
        Option1_[i]->setAccessibleName(u"Dimensioni pagina %1"_s.arg(i + 1));
        anteprima->addWidget(Option1_[i], 2 + i / 4, i % 4);
    }
    layout->addWidget(Frame1_);

    auto* pulsanti = new QHBoxLayout;
    cmds_SI_ = new QPushButton(u"&CONFERMA"_s, this);
    cmds_SI_->setObjectName(u"cmds_SI"_s);
    cmds_NO_ = new QPushButton(u"&USCITA"_s, this);
    cmds_NO_->setObjectName(u"cmds_NO"_s);
    for (QPushButton* b : {Command1_, cmds_SI_, cmds_NO_})
        b->setAutoDefault(false);
    pulsanti->addWidget(cmds_SI_);
    pulsanti->addWidget(cmds_NO_);
    layout->addLayout(pulsanti);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Combo1_->addItems(TipiStampa());
    cmbZoom_->addItems(Zoom());
    const QString sez = Ini::SezStampa;
    const int zoom = LeggiIniNumero(sez, Ini::StampaZoom);
    cmbZoom_->setCurrentIndex(zoom >= 0 && zoom < cmbZoom_->count() ? zoom : 0);
    const int pagine = LeggiIniNumero(sez, Ini::StampaPreview);
    Option1_[pagine >= 0 && pagine < 8 ? pagine : 0]->setChecked(true);
    Text1_->setText(StampanteCorrente());
    const QString lettera = LeggiIni(FileIni, sez, Ini::StampaTipo).left(1);
    Combo1_->setCurrentIndex(-1);
    for (int i = 0; i < Combo1_->count() && !lettera.isEmpty(); ++i) {
        if (Combo1_->itemText(i).startsWith(lettera)) {
            Combo1_->setCurrentIndex(i);
            break;
        }
    }
    Frame1_->setVisible(Combo1_->currentIndex() == 2);
    connect(Combo1_, &QComboBox::currentIndexChanged, this,
            [this](int i) { Frame1_->setVisible(i == 2); });

    connect(Command1_, &QPushButton::clicked, this, &frmPRT::Modifica);
    connect(cmds_SI_, &QPushButton::clicked, this, &frmPRT::Conferma);
    connect(cmds_NO_, &QPushButton::clicked, this, &QDialog::reject);
    new TastiComuni(this, cmds_NO_);
}

void frmPRT::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    if (posizionata_)
        return;
    posizionata_ = true;
    if (top_ != 0 || left_ != 0)
        move(Pixel(left_), Pixel(top_));
    else
        PosizionaForm(this);
}

bool frmPRT::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == Text1_ && evento->type() == QEvent::MouseButtonDblClick) {
        ScegliDaElenco();
        return true;
    }
    return QDialog::eventFilter(oggetto, evento);
}

void frmPRT::Modifica()
{
    QPrinter stampante;
    const QString corrente = StampanteCorrente();
    if (!PdfInterno(corrente))
        stampante.setPrinterName(corrente);
    if (!ScegliStampante(this, stampante))
        return;
    const bool pdf = stampante.outputFormat() == QPrinter::PdfFormat;
    ImpostaStampanteCorrente(pdf ? QString::fromLatin1(NomeStampantePdf) : stampante.printerName());
    Text1_->setText(StampanteCorrente());
}

void frmPRT::ScegliDaElenco()
{
    SelPrint elenco(this);
    elenco.setWindowTitle(u"STAMPANTE PREDEFINITA"_s);
    elenco.plPrinter({});
    elenco.plTopForm(Twip(y()));
    elenco.plLeftForm(Twip(x() + frameGeometry().width()) + 20);
    elenco.exec();
    // The printer picked becomes the one in use; a cancelled list keeps it.
    if (!elenco.pgPrinter().isEmpty()) {
        ImpostaStampanteCorrente(elenco.pgPrinter());
        Text1_->setText(elenco.pgPrinter());
    }
}

void frmPRT::Conferma()
{
    const QString sez = Ini::SezStampa;
    confermata_ = StampanteCorrente();
    ScriviIni(FileIni, sez, Ini::StampaStampante, confermata_);
    ScriviIni(FileIni, sez, Ini::StampaTipo, Combo1_->currentText().left(1));
    int pagine = 0;
    for (int i = 0; i < 8; ++i) {
        if (Option1_[i]->isChecked()) {
            pagine = i;
            break;
        }
    }
    ScriviIni(FileIni, sez, Ini::StampaPreview, QString::number(pagine));
    ScriviIni(FileIni, sez, Ini::StampaZoom,
              QString::number(qMax(0, cmbZoom_->currentIndex())));
    accept();
}
