#include "web/ui/GWebPar.h"

#include "piattaforma/ui/Schermo.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/ui/FileUtiliUi.h"
#include "shell/ui/Finestre.h"
#include "shell/ui/TastiComuni.h"
#include "stampa/ui/frmPRT.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// A text the person clicks to change, shown as a sunken field.
QPushButton* CampoCliccabile(const QString& nome, QWidget* padre)
{
    auto* b = new QPushButton(padre);
    b->setObjectName(nome);
    b->setFlat(true);
    b->setAutoDefault(false);
    b->setStyleSheet(u"text-align: left; padding: 3px; border: 1px inset gray;"_s);
    b->setMinimumWidth(260);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

} // namespace

QString GWebPar::TitoloModo(int modo)
{
    switch (modo) {
    case 0:
        return u"INTERROGA ELENCO DA DATABASE"_s;
    case 1:
        return u"INTERROGAZIONE SINGOLO ELEMENTO"_s;
    default:
        return u"INTERROGA ELENCO MANUALE"_s;
    }
}

GWebPar::GWebPar(QWidget* padre) : QDialog(padre)
{
    setObjectName(u"GWebPar"_s);
    setWindowTitle(u"GESTIONE PAGINE WEB"_s);
    setModal(true);
    modo_ = qBound(0, ModoInterrogazione, SlotWeb - 1);
    const ParametroWebT& p = ParametriWeb[modo_];

    auto* layout = new QVBoxLayout(this);
    Label1_ = new QLabel(TitoloModo(modo_), this);
    Label1_->setObjectName(u"Label1"_s);
    Label1_->setAlignment(Qt::AlignCenter);
    QFont grassetto = Label1_->font();
    grassetto.setBold(true);
    Label1_->setFont(grassetto);
    layout->addWidget(Label1_);

    const char* caselle[] = {"Visualizza le pagine", "Stampa le pagine", "Salva le pagine HTML"};
    for (int i = 0; i < 3; ++i) {
        Check1_[i] = new QCheckBox(QString::fromUtf8(caselle[i]), this);
        Check1_[i]->setObjectName(u"Check1_%1"_s.arg(i));
        layout->addWidget(Check1_[i]);
    }

    frmIEskede_ = new QGroupBox(u"Schede di Internet Explorer"_s, this);
    frmIEskede_->setObjectName(u"frmIEskede"_s);
    auto* schede = new QHBoxLayout(frmIEskede_);
    optSkede_[0] = new QRadioButton(u"Singola"_s, frmIEskede_);
    optSkede_[1] = new QRadioButton(u"Multiple"_s, frmIEskede_);
    for (int i = 0; i < 2; ++i) {
        optSkede_[i]->setObjectName(u"optSkede_%1"_s.arg(i));
        schede->addWidget(optSkede_[i]);
    }
    layout->addWidget(frmIEskede_);

    frmPrint_ = new QGroupBox(u"Stampante"_s, this);
    frmPrint_->setObjectName(u"frmPrint"_s);
    auto* stampa = new QVBoxLayout(frmPrint_);
    lbPrinter_ = CampoCliccabile(u"lbPrinter"_s, frmPrint_);
    lbPrinter_->setAccessibleName(u"Stampante"_s);
    stampa->addWidget(lbPrinter_);
    layout->addWidget(frmPrint_);
    chkChiedi_ = new QCheckBox(u"Con richiesta"_s, this);
    chkChiedi_->setObjectName(u"chkChiedi"_s);
    layout->addWidget(chkChiedi_);

    frmPath_ = new QGroupBox(u"Cartella"_s, this);
    frmPath_->setObjectName(u"frmPath"_s);
    auto* cartella = new QVBoxLayout(frmPath_);
    lbPath_ = CampoCliccabile(u"lbPath"_s, frmPath_);
    lbPath_->setAccessibleName(u"Cartella"_s);
    cartella->addWidget(lbPath_);
    layout->addWidget(frmPath_);
    layout->addStretch();

    auto* pulsanti = new QHBoxLayout;
    Command1_[0] = new QPushButton(u"&ANNULLA"_s, this);
    Command1_[1] = new QPushButton(u"&CONFERMA"_s, this);
    for (int i = 0; i < 2; ++i) {
        Command1_[i]->setObjectName(u"Command1_%1"_s.arg(i));
        Command1_[i]->setAutoDefault(false);
        pulsanti->addWidget(Command1_[i]);
    }
    layout->addLayout(pulsanti);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    optSkede_[SchedeBrowser == 1 ? 1 : 0]->setChecked(true);
    Check1_[0]->setChecked(p.Vedi != 0);
    Check1_[1]->setChecked(p.Stampa != 0);
    Check1_[2]->setChecked(p.Salva != 0);
    chkChiedi_->setChecked(p.ChiediStampante != 0);
    lbPrinter_->setText(p.Stampante);
    QString salva = p.CartellaSalva;
    if ((modo_ == 1 || modo_ == 2) && salva.trimmed().isEmpty())
        salva = ParametriWeb[modo_ == 1 ? 2 : 1].CartellaSalva;
    lbPath_->setText(salva);
    Visibilita();

    for (int i = 0; i < 3; ++i)
        connect(Check1_[i], &QCheckBox::toggled, this, [this, i]() { CasellaCambiata(i); });
    connect(lbPath_, &QPushButton::clicked, this, &GWebPar::ScegliCartellaSalva);
    connect(lbPrinter_, &QPushButton::clicked, this, &GWebPar::ScegliStampante);
    connect(Command1_[0], &QPushButton::clicked, this, &QDialog::reject);
    connect(Command1_[1], &QPushButton::clicked, this, &GWebPar::Conferma);
    new TastiComuni(this, Command1_[0]);
    PosizionaForm(this);
}

void GWebPar::Visibilita()
{
    frmIEskede_->setVisible(Check1_[0]->isChecked());
    frmPrint_->setVisible(Check1_[1]->isChecked());
    chkChiedi_->setVisible(Check1_[1]->isChecked());
    frmPath_->setVisible(Check1_[2]->isChecked());
}

void GWebPar::CasellaCambiata(int indice)
{
    // Printing and saving exclude each other.
    if (indice > 0 && Check1_[1]->isChecked() && Check1_[2]->isChecked())
        Check1_[indice == 1 ? 2 : 1]->setChecked(false);
    Visibilita();
}

void GWebPar::ScegliCartellaSalva()
{
    const QString scelta =
        SceltaCartella(this, lbPath_->text(), u"Cartella salvataggio pagine HTML"_s);
    if (!scelta.isEmpty())
        lbPath_->setText(scelta);
}

void GWebPar::ScegliStampante()
{
    ParametriWeb[modo_].Stampante = lbPrinter_->text();
    frmPRT opzioni(this);
    opzioni.setWindowTitle(TitoloModo(modo_));
    opzioni.plTopForm(Twip(y()));
    opzioni.plLeftForm(Twip(x()) + 6000);
    opzioni.exec();
    if (!opzioni.pgStampante().isEmpty())
        ParametriWeb[modo_].Stampante = opzioni.pgStampante();
    if (!ParametriWeb[modo_].Stampante.trimmed().isEmpty())
        lbPrinter_->setText(ParametriWeb[modo_].Stampante);
}

void GWebPar::Conferma()
{
    ParametroWebT& p = ParametriWeb[modo_];
    SchedeBrowser = optSkede_[1]->isChecked() ? 1 : 0;
    p.Vedi = Check1_[0]->isChecked() ? 1 : 0;
    p.Stampa = Check1_[1]->isChecked() ? 1 : 0;
    p.Salva = Check1_[2]->isChecked() ? 1 : 0;
    p.ChiediStampante = chkChiedi_->isChecked() ? 1 : 0;
    p.CartellaSalva = lbPath_->text().trimmed();

    const QString sez = Ini::SezWebParam;
    const QString m = QString::number(modo_);
    const auto scrivi = [&sez](QLatin1StringView chiave, const QString& dopo,
                               const QString& valore) {
        ScriviIni(FileIni, sez, chiave + dopo, valore);
    };
    scrivi(Ini::IESkede, {}, QString::number(SchedeBrowser));
    scrivi(Ini::View, m, QString::number(p.Vedi));
    scrivi(Ini::Save, m, QString::number(p.Salva));
    scrivi(Ini::DirSave, m, p.CartellaSalva);
    scrivi(Ini::Print, m, QString::number(p.Stampa));
    scrivi(Ini::ChPrt, m, QString::number(p.ChiediStampante));
    scrivi(Ini::Stampante, m, p.Stampante);
    accept();
}
