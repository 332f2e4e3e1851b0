#include "stampa/ui/SelPrint.h"

#include "piattaforma/ui/Schermo.h"
#include "shell/ui/TastiComuni.h"
#include "stampa/ui/StampanteCorrente.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int PrimaOpzione = 360; // twips from the frame's top
constexpr int MargineOpzione = 240;

} // namespace

SelPrint::SelPrint(QWidget* padre) : QDialog(padre)
{
    setObjectName(u"SelPrint"_s);
    setWindowTitle(u"GESTIONE DELLE STAMPANTI"_s);
    setModal(true);
    Frame1_ = new QGroupBox(u" SELEZIONA LA STAMPANTE DESIDERATA"_s, this);
    Frame1_->setObjectName(u"Frame1"_s);
    conferma_ = new QPushButton(u"&CONFERMA"_s, this);
    conferma_->setObjectName(u"Command1_0"_s);
    annulla_ = new QPushButton(u"&ANNULLA"_s, this);
    annulla_->setObjectName(u"Command1_1"_s);
    for (QPushButton* b : {conferma_, annulla_}) {
        b->setAutoDefault(false);
        b->resize(b->sizeHint().expandedTo(QSize(Pixel(1200), Pixel(375))));
    }
    connect(conferma_, &QPushButton::clicked, this, [this]() {
        scelta_ = preselezionata_;
        accept();
    });
    connect(annulla_, &QPushButton::clicked, this, [this]() {
        scelta_.clear();
        reject();
    });
    new TastiComuni(this, annulla_);
    resize(Pixel(4200), Pixel(1500));
}

void SelPrint::showEvent(QShowEvent* evento)
{
    if (!caricata_) {
        caricata_ = true;
        Carica();
    }
    QDialog::showEvent(evento);
}

void SelPrint::Carica()
{
    caricamento_ = true;
    if (preselezionata_.isEmpty())
        preselezionata_ = StampanteCorrente();
    const QStringList nomi = StampantiInstallate();
    const QFontMetrics m(font());
    int larghezza = 0;
    for (int i = 0; i < nomi.size(); ++i) {
        auto* o = new QRadioButton(nomi.at(i), Frame1_);
        o->setObjectName(u"Option1_%1"_s.arg(i));
        o->move(Pixel(MargineOpzione), Pixel(PrimaOpzione + i * PassoOpzioni));
        o->resize(o->sizeHint());
        o->setChecked(nomi.at(i) == preselezionata_);
        o->show();
        larghezza = qMax(larghezza, o->width());
        connect(o, &QRadioButton::clicked, this, [this, o]() {
            if (caricamento_)
                return;
            scelta_ = o->text();
            accept();
        });
        Option1_.append(o);
        fondoOpzioni_ = PrimaOpzione + i * PassoOpzioni + 350;
    }
    // Held on every resize, so that no option or button is ever cut.
    setMinimumSize(std::max(Pixel(2 * Twip(conferma_->width()) + 280),
                            larghezza + Pixel(2 * MargineOpzione) + 8),
                   Pixel(fondoOpzioni_ + 450) + conferma_->height() + 8);
    resize(size().expandedTo(minimumSize()));

    // Kept on the screen: moved left when its right edge would leave it.
    const int schermo = GeometriaSchermo().right() + 1;
    int sinistra = Pixel(left_);
    if (sinistra + frameGeometry().width() > schermo)
        sinistra = schermo - frameGeometry().width();
    move(sinistra, Pixel(top_));
    caricamento_ = false;
}

void SelPrint::resizeEvent(QResizeEvent* evento)
{
    QDialog::resizeEvent(evento);
    Disponi();
}

void SelPrint::Disponi()
{
    const int margine = Pixel(20);
    const int y = height() - conferma_->height() - margine;
    conferma_->move(margine + Pixel(40), y);
    annulla_->move(width() - annulla_->width() - margine - Pixel(40), y);
    Frame1_->setGeometry(Pixel(40), Pixel(40), width() - Pixel(80),
                         qMax(Pixel(fondoOpzioni_), y - Pixel(80)));
}
