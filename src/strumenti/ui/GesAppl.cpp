#include "strumenti/ui/GesAppl.h"

#include "piattaforma/Messaggi.h"
#include "piattaforma/ui/Dialoghi.h"
#include "shell/ChiaviIni.h"
#include "shell/ui/Finestre.h"
#include "shell/ui/TastiComuni.h"
#include "strumenti/Applicativi.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int Voci = Ini::VociApplicativi;

} // namespace

GesAppl::GesAppl(QWidget* padre) : QDialog(padre)
{
    setObjectName(u"GesAppl"_s);
    setWindowTitle(u" GESTIONE APPLICATIVI"_s);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* griglia = new QGridLayout;
    griglia->setHorizontalSpacing(6);
    griglia->setVerticalSpacing(4);
    auto* titoloNome = new QLabel(u"Nome nel menu"_s, this);
    auto* titoloComando = new QLabel(u"Comando (programma ed eventuali argomenti)"_s, this);
    QFont grassetto = titoloNome->font();
    grassetto.setBold(true);
    titoloNome->setFont(grassetto);
    titoloComando->setFont(grassetto);
    griglia->addWidget(titoloNome, 0, 1);
    griglia->addWidget(titoloComando, 0, 2, 1, 2);

    for (int n = 1; n <= Voci; ++n) {
        auto* numero = new QLabel(QString::number(n), this);
        numero->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        griglia->addWidget(numero, n, 0);

        txt_[n] = new QLineEdit(this);
        txt_[n]->setObjectName(u"txt_%1"_s.arg(n));
        txt_[n]->setAccessibleName(u"Nome %1"_s.arg(n));
        txt_[n]->setMinimumWidth(170);
        griglia->addWidget(txt_[n], n, 1);

        const int k = n + Voci;
        txt_[k] = new QLineEdit(this);
        txt_[k]->setObjectName(u"txt_%1"_s.arg(k));
        txt_[k]->setAccessibleName(u"Comando %1"_s.arg(n));
        txt_[k]->setMinimumWidth(340);
        griglia->addWidget(txt_[k], n, 2);

        cmdTrova_[n] = new QPushButton(u"?"_s, this);
        cmdTrova_[n]->setObjectName(u"cmdTrova_%1"_s.arg(n));
        cmdTrova_[n]->setAccessibleName(u"Cerca il programma %1"_s.arg(n));
        cmdTrova_[n]->setToolTip(u"Cerca il programma"_s);
        cmdTrova_[n]->setAutoDefault(false);
        cmdTrova_[n]->setFixedWidth(28);
        // Keeps its place in the grid while hidden.
        QSizePolicy p = cmdTrova_[n]->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        cmdTrova_[n]->setSizePolicy(p);
        griglia->addWidget(cmdTrova_[n], n, 3);
        connect(cmdTrova_[n], &QPushButton::clicked, this, [this, n]() { Sfoglia(n); });
        cmdTrova_[n]->installEventFilter(this);
    }
    griglia->setColumnStretch(2, 1);
    layout->addLayout(griglia);

    auto* riga = new QHBoxLayout;
    riga->addStretch(1);
    const QString didascalie[] = {u"&CONFERMA"_s, u"&RIPRISTINA"_s, u"&USCITA"_s};
    for (int i = 0; i < 3; ++i) {
        Command1_[i] = new QPushButton(didascalie[i], this);
        Command1_[i]->setObjectName(u"Command1_%1"_s.arg(i));
        Command1_[i]->setAutoDefault(false);
        Command1_[i]->setMinimumWidth(110);
        riga->addWidget(Command1_[i]);
    }
    riga->addStretch(1);
    layout->addSpacing(6);
    layout->addLayout(riga);
    for (QPushButton* b : Command1_)
        b->installEventFilter(this);
    connect(Command1_[0], &QPushButton::clicked, this, &GesAppl::Conferma);
    connect(Command1_[1], &QPushButton::clicked, this, [this]() {
        CaricaVoci();
        premendoPulsante_ = false;
    });
    connect(Command1_[2], &QPushButton::clicked, this, &QDialog::reject);

    for (int k = 1; k <= 2 * Voci; ++k)
        txt_[k]->installEventFilter(this);
    new TastiComuni(this, Command1_[2]);

    adjustSize();
    CentraForm(this);
}

void GesAppl::showEvent(QShowEvent* evento)
{
    if (!caricato_) {
        caricato_ = true;
        CaricaVoci();
    }
    QDialog::showEvent(evento);
}

void GesAppl::CaricaVoci()
{
    const VociApplicativi voci = LeggiApplicativi();
    for (int n = 1; n <= Voci; ++n) {
        txt_[n]->setText(voci[n].nome);
        txt_[n + Voci]->setText(voci[n].comando);
        cmdTrova_[n]->setVisible(!voci[n].comando.isEmpty());
        if (!voci[n].comando.isEmpty() || n == 1) {
            emit VoceMenu(n, voci[n].nome, true);
        } else {
            if (txt_[n]->isEnabled())
                txt_[n]->clear();
            emit VoceMenu(n, QString(), false);
        }
    }
}

int GesAppl::Campo(const QObject* oggetto) const
{
    for (int k = 1; k <= 2 * Voci; ++k) {
        if (txt_[k] == oggetto)
            return k;
    }
    return 0;
}

bool GesAppl::eventFilter(QObject* oggetto, QEvent* evento)
{
    const int k = Campo(oggetto);
    switch (evento->type()) {
    case QEvent::MouseButtonPress:
        // Leaving a command field for these buttons raises no message.
        if (k == 0 && oggetto != Command1_[0])
            premendoPulsante_ = true;
        break;
    case QEvent::MouseButtonRelease:
        if (k == 0 && oggetto != Command1_[0]) {
            // After the button's own click, which may still need the flag.
            QTimer::singleShot(0, this, [this]() { premendoPulsante_ = false; });
        }
        break;
    case QEvent::FocusIn:
        if (k > 0 && !dopoErrore_)
            SelezionaTesto(txt_[k]);
        break;
    case QEvent::FocusOut: {
        const auto motivo = static_cast<QFocusEvent*>(evento)->reason();
        // Another window taking the focus is not leaving the field.
        if (k > 0 && motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason) {
            // Checked once the press that moved the focus has set the flag.
            QTimer::singleShot(0, this, [this, k]() { Lasciato(k); });
        }
        break;
    }
    case QEvent::KeyPress: {
        // Enter is a Tab everywhere in the window, on the buttons too.
        const int tasto = static_cast<QKeyEvent*>(evento)->key();
        if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter || (k > 0 && tasto == Qt::Key_Down)) {
            focusNextChild();
            return true;
        }
        if (k > 0 && tasto == Qt::Key_Up) {
            focusPreviousChild();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(oggetto, evento);
}

void GesAppl::Lasciato(int k)
{
    if (premendoPulsante_ || !isVisible())
        return;
    if (k <= Voci) {
        cmdTrova_[k]->setVisible(!txt_[k]->text().trimmed().isEmpty());
        return;
    }
    if (ComandoEsistente(txt_[k]->text()))
        return;
    Messaggio(u"PERCORSO INESISTENTE"_s);
    txt_[k]->setFocus(Qt::OtherFocusReason);
}

void GesAppl::Sfoglia(int n)
{
    premendoPulsante_ = true;
    const QString comando = txt_[n + Voci]->text().trimmed();
    const QString scelto = ScegliEseguibile(this, txt_[n]->text().trimmed().toUpper(),
                                            CartellaRicercaComando(comando), comando);
    if (!scelto.isEmpty())
        txt_[n + Voci]->setText(ComandoDaFile(scelto));
    premendoPulsante_ = false;
}

void GesAppl::Conferma()
{
    dopoErrore_ = false;
    VociApplicativi voci;
    for (int n = 1; n <= Voci; ++n) {
        voci[n].nome = txt_[n]->text().trimmed();
        voci[n].comando = txt_[n + Voci]->text().trimmed();
    }
    if (const int errore = PrimoErroreApplicativi(voci); errore != 0) {
        dopoErrore_ = true;
        Messaggio(TestoErroreApplicativi(errore), Pulsanti::Ok, Icona::Critico,
                  u"ERRORE N. "_s + QString::number(errore));
        // The focus moves to a field found faulty: no second message for it.
        premendoPulsante_ = true;
        txt_[errore]->setFocus(Qt::OtherFocusReason);
        QTimer::singleShot(0, this, [this]() { premendoPulsante_ = false; });
        return;
    }
    ScriviApplicativi(voci);
    for (int n = 1; n <= Voci; ++n)
        emit VoceMenu(n, voci[n].nome, !voci[n].comando.isEmpty());
    accept();
}
