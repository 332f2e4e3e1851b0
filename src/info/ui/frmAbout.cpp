#include "info/ui/frmAbout.h"

#include "info/ui/InfZerpa.h"
#include "piattaforma/Messaggi.h"
#include "shell/FileUtili.h"
#include "shell/Versione.h"
#include "shell/ui/Aggiorna.h"
#include "shell/ui/Finestre.h"
#include "shell/ui/TastiComuni.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QLabel* Etichetta(QWidget* padre, const QString& nome, const QString& testo)
{
    auto* l = new QLabel(testo, padre);
    l->setObjectName(nome);
    return l;
}

// A label that acts on a click, and on Space or Enter once it has the focus.
void Cliccabile(QLabel* l, QObject* filtro, const QString& cosaFa)
{
    l->setCursor(Qt::PointingHandCursor);
    l->setFocusPolicy(Qt::StrongFocus);
    l->setToolTip(cosaFa);
    l->setAccessibleDescription(cosaFa);
    l->installEventFilter(filtro);
}

bool Attivata(QEvent* evento)
{
    if (evento->type() == QEvent::MouseButtonRelease)
        return static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton;
    if (evento->type() == QEvent::KeyPress) {
        const int tasto = static_cast<QKeyEvent*>(evento)->key();
        return tasto == Qt::Key_Space || tasto == Qt::Key_Return || tasto == Qt::Key_Enter;
    }
    return false;
}

} // namespace

QString frmAbout::Descrizione()
{
    QString testo;
    for (const QString& riga : {u"Gestione EDI: invio e ricezione dati con la Dogana "_s,
                                u"I file gestiti sono:"_s, u"   - Risposte di controllo"_s,
                                u"   - Esiti "_s, u"   - NCTS "_s, u"   - Conformità "_s})
        testo += riga + u'\n';
    return testo;
}

QString frmAbout::AvvisoLegale()
{
    return u"Attenzione: questo programma è tutelato dalle leggi sul diritto d'autore e dai "
           "trattati internazionali. "_s +
           u"Ne è consentito l'uso alle sole condizioni della licenza concessa."_s + u'\n' +
           u"La riproduzione o la distribuzione non autorizzata, anche parziale, è vietata e "
           "comporta il risarcimento dei danni in sede civile. "_s +
           u"Chi la compie è inoltre perseguibile penalmente nella misura massima prevista "
           "dalla legge."_s;
}

frmAbout::frmAbout(QWidget* padre) : QDialog(padre)
{
    setObjectName(u"frmAbout"_s);
    setModal(true);
    const QString titolo = TitoloPredefinito();
    setWindowTitle(u" Informazioni su "_s + titolo);

    auto* layout = new QVBoxLayout(this);
    auto* alto = new QHBoxLayout;
    picIcon_ = Etichetta(this, u"picIcon"_s, {});
    picIcon_->setPixmap(QPixmap(u":/icone/norvel.png"_s));
    picIcon_->setFixedSize(64, 64);
    picIcon_->setAccessibleName(u"Icona del programma"_s);
    alto->addWidget(picIcon_, 0, Qt::AlignTop);
    alto->addSpacing(10);

    auto* testi = new QVBoxLayout;
    lblTitle_ = Etichetta(this, u"lblTitle"_s, titolo);
    QFont grande = lblTitle_->font();
    grande.setBold(true);
    grande.setPointSizeF(grande.pointSizeF() * 1.8);
    lblTitle_->setFont(grande);
    lblVersion_ =
        Etichetta(this, u"lblVersion"_s, u"Versione "_s + VersioneEstesa(VersioneInUso()));
    Cliccabile(lblVersion_, this, u"Verifica aggiornamenti"_s);
    lblDescription_ = Etichetta(this, u"lblDescription"_s, Descrizione().chopped(1));
    testi->addWidget(lblTitle_);
    testi->addWidget(lblVersion_);
    testi->addSpacing(8);
    testi->addWidget(lblDescription_);
    alto->addLayout(testi, 1);
    layout->addLayout(alto);

    auto* linea = new QFrame(this);
    linea->setFrameShape(QFrame::HLine);
    linea->setFrameShadow(QFrame::Sunken);
    layout->addWidget(linea);

    Lb_cr_ = Etichetta(this, u"Lb_cr"_s, AvvisoLegale());
    QFont piccolo = Lb_cr_->font();
    piccolo.setPointSize(7);
    Lb_cr_->setFont(piccolo);
    Lb_cr_->setWordWrap(true);
    layout->addWidget(Lb_cr_);

    auto* riga = new QHBoxLayout;
    Label1_ = Etichetta(this, u"Label1"_s, u"ZERPA"_s);
    QFont marchio = Label1_->font();
    marchio.setBold(true);
    marchio.setUnderline(true);
    Label1_->setFont(marchio);
    Cliccabile(Label1_, this, u"Informazioni sul produttore"_s);
    cmdOK_ = new QPushButton(u"OK"_s, this);
    cmdOK_->setObjectName(u"cmdOK"_s);
    cmdOK_->setDefault(true);
    cmdSysInfo_ = new QPushButton(u"&System Info..."_s, this);
    cmdSysInfo_->setObjectName(u"cmdSysInfo"_s);
    cmdSysInfo_->setAutoDefault(false);
    for (QPushButton* b : {cmdOK_, cmdSysInfo_})
        b->setMinimumWidth(110);
    riga->addWidget(Label1_, 0, Qt::AlignBottom);
    riga->addStretch(1);
    auto* pulsanti = new QVBoxLayout;
    pulsanti->addWidget(cmdOK_);
    pulsanti->addWidget(cmdSysInfo_);
    riga->addLayout(pulsanti);
    layout->addLayout(riga);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo_, &QPushButton::clicked, this, []() { InfoSistema(); });
    new TastiComuni(this, cmdOK_);

    setMinimumWidth(480);
    adjustSize();
    PosizionaForm(this);
}

bool frmAbout::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == lblVersion_ && Attivata(evento)) {
        CercaAggiornamenti();
        return true;
    }
    if (oggetto == Label1_ && Attivata(evento)) {
        InfZerpa produttore(this);
        produttore.exec();
        return true;
    }
    return QDialog::eventFilter(oggetto, evento);
}
