#include "strumenti/ui/gesColor.h"

#include "shell/Global.h"
#include "shell/ui/Finestre.h"
#include "shell/ui/TastiComuni.h"
#include "strumenti/ui/ScegliColore.h"
#include "strumenti/ui/SubColor.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

struct Coppia
{
    const char16_t* tipo;
    const char16_t* codici;
};

constexpr Coppia Gruppi[] = {
    {u"Dichiarazioni doganali e richieste di T.C.", u"T A W"},
    {u"Dichiarazioni INTRASTAT", u"I G H"},
    {u"Interrogazione del Conto di debito", u"S F E"},
    {u"Dichiarazioni Dog.li con svincolo telematico", u"R U X N L"},
    {u"Dichiarazioni in materia di Accise", u"C D J"},
    {u"Manifesto delle merci arrivate", u"M B P"},
    {u"Manifesto delle merci in partenza", u"V Y Z"},
    {u"Partite", u"Q 0 1"},
    {u"Scarichi", u"O 2 3"},
    {u"Magazzino", u"4 5 6"},
};

} // namespace

gesColor::gesColor(QWidget* padre) : QDialog(padre)
{
    setObjectName(u"gesColor"_s);
    setWindowTitle(u"GESTIONE DEI COLORI"_s);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* spiegazione =
        new QLabel(u"Fare clic sul nome di un gruppo per sceglierne il colore."_s, this);
    spiegazione->setObjectName(u"lbSpiegazione"_s);
    layout->addWidget(spiegazione);

    auto* cornice = new QFrame(this);
    cornice->setFrameShape(QFrame::StyledPanel);
    auto* griglia = new QGridLayout(cornice);
    griglia->setHorizontalSpacing(24);
    griglia->setVerticalSpacing(6);
    for (int k = 0; k < Coppie; ++k) {
        lbTipo_[k] = new QLabel(QString::fromUtf16(Gruppi[k].tipo), cornice);
        lbTipo_[k]->setObjectName(u"lbTipo_%1"_s.arg(k));
        lbCodici_[k] = new QLabel(QString::fromUtf16(Gruppi[k].codici), cornice);
        lbCodici_[k]->setObjectName(u"lbCodici_%1"_s.arg(k));
        QFont grassetto = lbTipo_[k]->font();
        grassetto.setBold(true);
        lbTipo_[k]->setFont(grassetto);
        lbCodici_[k]->setFont(grassetto);
        // Reachable from the keyboard too: Tab to a name, then Space or Enter.
        lbTipo_[k]->setFocusPolicy(Qt::StrongFocus);
        lbTipo_[k]->setCursor(Qt::PointingHandCursor);
        lbTipo_[k]->setAccessibleDescription(u"Scegli il colore del gruppo"_s);
        lbTipo_[k]->installEventFilter(this);
        lbTipo_[k]->setBuddy(lbCodici_[k]);
        griglia->addWidget(lbTipo_[k], k, 0);
        griglia->addWidget(lbCodici_[k], k, 1);
        colori_[k] = lbTipo_[k]->palette().color(QPalette::WindowText);
    }
    layout->addWidget(cornice);

    Command1_ = new QPushButton(u"&USCITA"_s, this);
    Command1_->setObjectName(u"Command1"_s);
    Command1_->setAutoDefault(false);
    Command1_->setMinimumWidth(110);
    auto* riga = new QHBoxLayout;
    riga->addStretch(1);
    riga->addWidget(Command1_);
    riga->addStretch(1);
    layout->addLayout(riga);
    connect(Command1_, &QPushButton::clicked, this, &QDialog::accept);
    new TastiComuni(this, Command1_);

    for (int k = 0; k < GruppiColore; ++k)
        Colora(k, ColoreDaTesto(Colori[k]));
    adjustSize();
    PosizionaForm(this);
}

void gesColor::Colora(int k, const QColor& colore)
{
    colori_[k] = colore;
    for (QLabel* l : {lbTipo_[k], lbCodici_[k]}) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, colore);
        l->setPalette(p);
    }
}

void gesColor::ScegliPerGruppo(int k)
{
    if (k < 0 || k >= Coppie)
        return;
    const QString scelto = ScegliColore(this);
    if (!scelto.isEmpty())
        Colora(k, ColoreDaTesto(scelto));
}

bool gesColor::eventFilter(QObject* oggetto, QEvent* evento)
{
    for (int k = 0; k < Coppie; ++k) {
        if (oggetto != lbTipo_[k])
            continue;
        if (evento->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton &&
            lbTipo_[k]->rect().contains(static_cast<QMouseEvent*>(evento)->position().toPoint())) {
            ScegliPerGruppo(k);
            return true;
        }
        if (evento->type() == QEvent::KeyPress) {
            const int tasto = static_cast<QKeyEvent*>(evento)->key();
            if (tasto == Qt::Key_Space || tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
                ScegliPerGruppo(k);
                return true;
            }
        }
        if (evento->type() == QEvent::FocusIn || evento->type() == QEvent::FocusOut) {
            // Where the keyboard stands, without touching the group's colour.
            lbTipo_[k]->setFrameShape(evento->type() == QEvent::FocusIn ? QFrame::Box
                                                                        : QFrame::NoFrame);
        }
        break;
    }
    return QDialog::eventFilter(oggetto, evento);
}

void gesColor::done(int risultato)
{
    // No cancel: whatever way the window is left, the colours shown are kept.
    if (!salvato_) {
        salvato_ = true;
        for (int k = 0; k < GruppiColore; ++k)
            Colori[k] = TestoDaColore(colori_[k]);
        ScriviColori();
    }
    QDialog::done(risultato);
}
