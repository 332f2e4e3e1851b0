#include "shell/ui/RigaFiltro.h"

#include "piattaforma/Messaggi.h"
#include "piattaforma/Orologio.h"
#include "shell/Conversioni.h"
#include "shell/Global.h"
#include "shell/ui/Finestre.h"
#include "shell/ui/ValidatoreTasti.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace {

constexpr std::array<int, 5> Lunghezze = {0, 2, 2, 1, 2};

} // namespace

RigaFiltro::RigaFiltro(LatoFiltro lato, Forma forma, QWidget* padre) : QWidget(padre), lato_(lato)
{
    lbUtente_ = new QLabel(ParametriEdi.UtenteFtp, this);
    lbUtente_->setObjectName(QStringLiteral("lbUtente"));
    lbUtente_->setFrameShape(QFrame::Panel);
    lbUtente_->setFrameShadow(QFrame::Sunken);
    lbUtente_->setAccessibleName(QStringLiteral("Utente"));

    const std::array<QString, 5> nomi = {QString(), QStringLiteral("Mese"),
                                         QStringLiteral("Giorno"), QStringLiteral("Tipo"),
                                         QStringLiteral("Progressivo")};
    const std::array<QString, 4> iniziali = ValoriInizialiFiltro(Oggi());
    for (int k = 1; k <= 4; ++k) {
        auto* t = new QLineEdit(iniziali[size_t(k - 1)], this);
        t->setObjectName(QStringLiteral("txt_%1").arg(k));
        t->setMaxLength(Lunghezze[size_t(k)]);
        t->setAlignment(Qt::AlignCenter);
        t->setFixedWidth(t->fontMetrics().horizontalAdvance(QStringLiteral("WW")) + 14);
        t->setAccessibleName(nomi[size_t(k)]);
        t->setValidator(new ValidatoreTasti(k <= 2 ? SoloCifre : Maiuscolo, t));
        t->installEventFilter(this);
        connect(t, &QLineEdit::textEdited, this, [this, k, t]() {
            if (caricamento_)
                return;
            emit Modificato(k);
            // Full: on to the next control, as a Tab would go.
            if (t->text().size() >= t->maxLength())
                focusNextChild();
        });
        txt_[size_t(k)] = t;
    }

    if (forma == Forma::Colonne) {
        auto* campi = new QGridLayout(this);
        campi->setContentsMargins(0, 0, 0, 0);
        campi->setHorizontalSpacing(6);
        campi->setVerticalSpacing(2);
        lbUtente_->setMinimumWidth(48);
        campi->addWidget(new QLabel(QStringLiteral("Utente"), this), 0, 0);
        campi->addWidget(lbUtente_, 1, 0);
        const std::array<QString, 5> didascalie = {QString(), QStringLiteral("Mese"),
                                                   QStringLiteral("Giorno"), QStringLiteral("Tipo"),
                                                   QStringLiteral("Progr.")};
        for (int k = 1; k <= 4; ++k) {
            auto* e = new QLabel(didascalie[size_t(k)], this);
            e->setBuddy(txt_[size_t(k)]);
            campi->addWidget(e, 0, k);
            campi->addWidget(txt_[size_t(k)], 1, k);
        }
    } else {
        auto* riga = new QHBoxLayout(this);
        riga->setContentsMargins(0, 0, 0, 0);
        riga->setSpacing(3);
        auto* file = new QLabel(QStringLiteral("File"), this);
        file->setBuddy(txt_[1]);
        riga->addWidget(file);
        riga->addWidget(lbUtente_);
        for (int k = 1; k <= 4; ++k) {
            if (k == 3)
                riga->addWidget(new QLabel(QStringLiteral("."), this));
            riga->addWidget(txt_[size_t(k)]);
        }
    }
}

std::array<QString, 4> RigaFiltro::Campi() const
{
    return {txt_[1]->text(), txt_[2]->text(), txt_[3]->text(), txt_[4]->text()};
}

void RigaFiltro::ImpostaCampo(int indice, const QString& testo)
{
    caricamento_ = true;
    txt_[size_t(indice)]->setText(testo);
    caricamento_ = false;
}

void RigaFiltro::SospendiControllo(std::function<bool(Qt::FocusReason)> sospeso)
{
    sospeso_ = std::move(sospeso);
}

void RigaFiltro::Controlla(int indice)
{
    QLineEdit* campo = txt_[size_t(indice)];
    const EsitoFiltro esito = ControllaFiltro(indice, campo->text(), txt_[1]->text(), lato_);
    if (esito.ignorato)
        return;
    if (!esito.valido) {
        // The field gets the focus back and keeps its text; the other fields
        // stay quiet meanwhile.
        inControllo_ = true;
        Messaggio(esito.messaggio);
        QPointer<QLineEdit> c(campo);
        QMetaObject::invokeMethod(
            this,
            [this, c]() {
                if (c)
                    c->setFocus(Qt::OtherFocusReason);
                inControllo_ = false;
            },
            Qt::QueuedConnection);
        return;
    }
    if (campo->text().trimmed() != esito.valore)
        ImpostaCampo(indice, esito.valore);
    const bool cambiato = campo->text() != TestoIniziale;
    if (cambiato)
        TestoIniziale = campo->text();
    emit Controllato(indice, cambiato);
}

void RigaFiltro::Vai(int indice, int passo)
{
    for (int i = 1; i <= 4; ++i) {
        const int k = ((indice - 1 + passo * i) % 4 + 4) % 4 + 1;
        if (txt_[size_t(k)]->isEnabled()) {
            txt_[size_t(k)]->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

bool RigaFiltro::eventFilter(QObject* oggetto, QEvent* evento)
{
    int k = 1;
    while (k <= 4 && oggetto != txt_[size_t(k)])
        ++k;
    if (k > 4)
        return QWidget::eventFilter(oggetto, evento);
    switch (evento->type()) {
    case QEvent::KeyPress:
        switch (static_cast<QKeyEvent*>(evento)->key()) {
        case Qt::Key_Up:
            Vai(k, -1);
            return true;
        case Qt::Key_Down:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Vai(k, 1);
            return true;
        default:
            return false;
        }
    case QEvent::FocusIn:
        if (!inControllo_)
            SelezionaTesto(txt_[size_t(k)]);
        return false;
    case QEvent::FocusOut: {
        const Qt::FocusReason motivo = static_cast<QFocusEvent*>(evento)->reason();
        // A box or a menu taking the focus is not the person leaving the field.
        if (motivo == Qt::ActiveWindowFocusReason || motivo == Qt::PopupFocusReason || inControllo_)
            return false;
        if (sospeso_ && sospeso_(motivo))
            return false;
        Controlla(k);
        return false;
    }
    default:
        return false;
    }
}
