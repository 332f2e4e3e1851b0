#include "shell/ui/GesPasWd.h"

#include "piattaforma/Messaggi.h"
#include "shell/ArchivioParola.h"
#include "shell/Global.h"
#include "shell/Routine.h"
#include "shell/ui/CasellaParola.h"
#include "shell/ui/Finestre.h"
#include "shell/ui/TastiComuni.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int LunghezzaParola = 12;

bool CambioFinestra(Qt::FocusReason motivo)
{
    // Another window (a message box, another program) took the focus for a
    // while: the box keeps its text and nothing is checked.
    return motivo == Qt::ActiveWindowFocusReason || motivo == Qt::PopupFocusReason;
}

} // namespace

GesPasWd::GesPasWd(Modo modo, QWidget* padre) : QDialog(padre), modo_(modo)
{
    setObjectName(QStringLiteral("GesPasWd"));
    setWindowTitle(QStringLiteral("  GESTIONE DELLA PASSWORD"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    const char* didascalie[] = {"PassWord", "Nuova  PassWord", "Riperi  nuova  PassWord"};
    for (int i = 0; i < 3; ++i) {
        fraPasswd_[i] = new QGroupBox(QString::fromUtf8(didascalie[i]), this);
        fraPasswd_[i]->setObjectName(QStringLiteral("fraPasswd_%1").arg(i));
        txtPasswd_[i] = new QLineEdit(fraPasswd_[i]);
        txtPasswd_[i]->setObjectName(QStringLiteral("txtPasswd_%1").arg(i));
        txtPasswd_[i]->setMaxLength(LunghezzaParola);
        txtPasswd_[i]->setMinimumWidth(200);
        MascheraParola(txtPasswd_[i], QLatin1Char('&'));
        txtPasswd_[i]->installEventFilter(this);
        auto* l = new QVBoxLayout(fraPasswd_[i]);
        l->addWidget(txtPasswd_[i]);
        layout->addWidget(fraPasswd_[i]);
    }

    abbandona_ = new QPushButton(QStringLiteral("&ABBANDONA"), this);
    abbandona_->setObjectName(QStringLiteral("Command2_0"));
    conferma_ = new QPushButton(QStringLiteral("&CONFERMA"), this);
    conferma_->setObjectName(QStringLiteral("Command2_1"));
    for (QPushButton* b : {abbandona_, conferma_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(abbandona_);
    pulsanti->addWidget(conferma_);
    layout->addLayout(pulsanti);
    connect(abbandona_, &QPushButton::clicked, this, &QDialog::reject);
    connect(conferma_, &QPushButton::clicked, this, &GesPasWd::Conferma);

    // Where the focus goes when the request box is left: takes keys, shows nothing.
    fuoco_ = new QWidget(this);
    fuoco_->setObjectName(QStringLiteral("picFuoco"));
    fuoco_->setFocusPolicy(Qt::StrongFocus);
    fuoco_->setGeometry(-100, -100, 1, 1);
    fuoco_->hide();

    setTabOrder(txtPasswd_[0], txtPasswd_[1]);
    setTabOrder(txtPasswd_[1], txtPasswd_[2]);
    setTabOrder(txtPasswd_[2], conferma_);
    setTabOrder(conferma_, abbandona_);
    setTabOrder(abbandona_, fuoco_);

    for (QLineEdit* t : txtPasswd_)
        t->clear();
    if (modo_ == Modo::Richiesta) {
        fraPasswd_[0]->setTitle(QStringLiteral("PassWord"));
        fraPasswd_[1]->hide();
        fraPasswd_[2]->hide();
        abbandona_->hide();
        conferma_->hide();
        fuoco_->show();
        setWindowTitle(QStringLiteral("RICHIESTA DELLA PASSWORD"));
    } else if (ParolaAccesso != QLatin1String(NessunaParola)) {
        fraPasswd_[0]->setTitle(QStringLiteral("Vecchia  PassWord"));
        setWindowTitle(QStringLiteral("MODIFICA DELLA PASSWORD"));
    } else {
        txtPasswd_[0]->setText(QLatin1String(NessunaParola));
        fraPasswd_[0]->hide();
        setWindowTitle(QStringLiteral("PRIMA IMPOSTAZIONE PASSWORD"));
    }
    for (int i = 0; i < 3; ++i)
        txtPasswd_[i]->setAccessibleName(fraPasswd_[i]->title());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();

    // F2 presses "&ABBANDONA"; the request has no way out but the password.
    new TastiComuni(this, modo_ == Modo::Richiesta ? nullptr : abbandona_);

    // At start-up the main window is not on screen yet: the request goes in the middle.
    if (FinestraPrincipale() && FinestraPrincipale()->isVisible())
        PosizionaForm(this);
    else
        CentraForm(this);
}

bool GesPasWd::eventFilter(QObject* oggetto, QEvent* evento)
{
    auto* casella = qobject_cast<QLineEdit*>(oggetto);
    if (!casella)
        return QDialog::eventFilter(oggetto, evento);
    switch (evento->type()) {
    case QEvent::FocusIn:
        if (!CambioFinestra(static_cast<QFocusEvent*>(evento)->reason()))
            casella->clear();
        break;
    case QEvent::FocusOut:
        if (casella == txtPasswd_[0] && fraPasswd_[1]->isHidden() &&
            !CambioFinestra(static_cast<QFocusEvent*>(evento)->reason()))
            // After the focus has settled, not in the middle of its move.
            QTimer::singleShot(0, this, &GesPasWd::ControllaRichiesta);
        break;
    case QEvent::KeyPress: {
        const int tasto = static_cast<QKeyEvent*>(evento)->key();
        if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(oggetto, evento);
}

void GesPasWd::ControllaRichiesta()
{
    if (terminato_ || !isVisible())
        return;
    if (ParolaCorrisponde(txtPasswd_[0]->text(), ParolaAccesso)) {
        accept();
        return;
    }
    if (Errore(QStringLiteral("PASSWORD ERRATA")))
        txtPasswd_[0]->setFocus(Qt::OtherFocusReason);
}

void GesPasWd::Conferma()
{
    if (terminato_)
        return;
    if (!ParolaCorrisponde(txtPasswd_[0]->text(), ParolaAccesso)) {
        if (Errore(QStringLiteral("VECCHIA PASSWORD ERRATA")))
            txtPasswd_[0]->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (txtPasswd_[1]->text() != txtPasswd_[2]->text()) {
        Messaggio(QStringLiteral("LA NUOVA PASSWORD E LA SUA CONFERMA NON COINCIDONO"));
        txtPasswd_[1]->clear();
        txtPasswd_[2]->clear();
        txtPasswd_[1]->setFocus(Qt::OtherFocusReason);
        return;
    }
    ScriviParolaAccesso(txtPasswd_[1]->text());
    accept();
}

bool GesPasWd::Errore(const QString& messaggio)
{
    Messaggio(messaggio);
    if (fallimenti_ >= 2) {
        terminato_ = true;
        TerminaSubito(1);
        done(QDialog::Rejected);
        return false;
    }
    ++fallimenti_;
    return true;
}

void GesPasWd::reject()
{
    // Escape does not get round the request.
    if (modo_ == Modo::Richiesta && !terminato_)
        return;
    QDialog::reject();
}

void GesPasWd::closeEvent(QCloseEvent* evento)
{
    if (modo_ == Modo::Richiesta && !terminato_) {
        // Closing the request by its frame is a refusal, as the third wrong answer.
        terminato_ = true;
        TerminaSubito(1);
        QDialog::done(QDialog::Rejected);
        evento->accept();
        return;
    }
    QDialog::closeEvent(evento);
}

bool RichiediParolaAccesso()
{
    ParolaAccesso = LeggiParolaAccesso();
    if (ParolaAccesso.isEmpty())
        return true;
    GesPasWd finestra(GesPasWd::Modo::Richiesta);
    return finestra.exec() == QDialog::Accepted;
}

void GestisciParolaAccesso(QWidget* padre)
{
    ParolaAccesso = LeggiParolaAccesso();
    if (ParolaAccesso.isEmpty())
        ParolaAccesso = QLatin1String(NessunaParola);
    GesPasWd finestra(GesPasWd::Modo::Gestione, padre);
    finestra.exec();
}
