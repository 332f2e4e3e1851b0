#include "ricezione/ui/Edi2Dos.h"

#include "invio/NomiFile.h"
#include "invio/VerificaFirma.h"
#include "invio/ui/GesVerif.h"
#include "piattaforma/Messaggi.h"
#include "piattaforma/Orologio.h"
#include "piattaforma/Percorsi.h"
#include "piattaforma/ui/Schermo.h"
#include "ricezione/NomiRicezione.h"
#include "ricezione/RiceviMessaggi.h"
#include "ricezione/ui/GrigliaRicevuti.h"
#include "ricezione/ui/PannelloOccupato.h"
#include "shell/Conversioni.h"
#include "shell/Global.h"
#include "shell/ModuliOpzionali.h"
#include "shell/ui/FileUtiliUi.h"
#include "shell/ui/Finestre.h"
#include "shell/ui/TastiComuni.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int LarghezzaFinestra = 6500; // twips
constexpr int AltezzaMinima = 4500;     // twips

QPushButton* Pulsante(const QString& testo, const QString& nome, QWidget* padre)
{
    auto* p = new QPushButton(testo, padre);
    p->setObjectName(nome);
    p->setAutoDefault(false);
    return p;
}

} // namespace

void VisualizzaRicevuto(QWidget* padre, const QString& nome, const FunzioneSbusta& sbusta)
{
    if (NomeFirmato(nome)) {
        const QString destino = UnisciPercorso(ParametriEdi.CartellaVerificati, NomeLocale(nome));
        sbusta(UnisciPercorso(ParametriEdi.CartellaRicevuti, nome), destino, nullptr);
        if (destino.right(4).toUpper() == QLatin1String(".PDF")) {
            RunFile(padre, destino);
            return;
        }
        ArgomentoProgramma = QLatin1Char(' ') + destino;
    } else {
        ArgomentoProgramma = QLatin1Char(' ') + UnisciPercorso(ParametriEdi.CartellaRicevuti, nome);
    }
    LanciaApplicazione(QStringLiteral("Varie1"));
}

Edi2Dos::Edi2Dos(QWidget* padre) : QDialog(padre)
{
    setObjectName(QStringLiteral("Edi2Dos"));
    setWindowTitle(QStringLiteral("RICEZIONE FILE"));

    auto* esterno = new QVBoxLayout(this);
    esterno->setContentsMargins(0, 0, 0, 0);
    contenuto_ = new QWidget(this);
    esterno->addWidget(contenuto_);
    auto* principale = new QVBoxLayout(contenuto_);
    principale->setContentsMargins(4, 4, 4, Pixel(40));
    principale->setSpacing(4);

    auto* riga = new QHBoxLayout;
    riga->setSpacing(3);
    auto* file = new QLabel(QStringLiteral("File"), contenuto_);
    riga->addWidget(file);
    lbUtente_ = new QLabel(ParametriEdi.UtenteFtp, contenuto_);
    lbUtente_->setObjectName(QStringLiteral("lbUtente"));
    lbUtente_->setFrameShape(QFrame::Panel);
    lbUtente_->setFrameShadow(QFrame::Sunken);
    lbUtente_->setAccessibleName(QStringLiteral("Utente"));
    riga->addWidget(lbUtente_);
    const std::array<int, 5> lunghezze = {0, 2, 2, 1, 2};
    const std::array<QString, 5> nomi = {QString(), QStringLiteral("Mese"),
                                         QStringLiteral("Giorno"), QStringLiteral("Tipo"),
                                         QStringLiteral("Progressivo")};
    for (int k = 1; k <= 4; ++k) {
        if (k == 3)
            riga->addWidget(new QLabel(QStringLiteral("."), contenuto_));
        auto* t = new QLineEdit(contenuto_);
        t->setObjectName(QStringLiteral("txt_%1").arg(k));
        t->setMaxLength(lunghezze[k]);
        t->setAlignment(Qt::AlignCenter);
        t->setFixedWidth(t->fontMetrics().horizontalAdvance(QStringLiteral("WW")) + 14);
        t->setAccessibleName(nomi[k]);
        t->installEventFilter(this);
        connect(t, &QLineEdit::textEdited, this,
                [this, k](const QString& testo) { CampoCambiato(k, testo); });
        riga->addWidget(t);
        txt_[k] = t;
    }
    file->setBuddy(txt_[1]);
    riga->addStretch(1);
    cmdRicevi_ = Pulsante(QStringLiteral("&RICEVI"), QStringLiteral("cmdRicevi"), contenuto_);
    cmdOK_ = Pulsante(QStringLiteral("&ESCI"), QStringLiteral("cmdOK"), contenuto_);
    cmdOK_->setMinimumWidth(cmdOK_->fontMetrics().horizontalAdvance(QStringLiteral("&SPOSTA")) +
                            30);
    riga->addWidget(cmdRicevi_);
    riga->addWidget(cmdOK_);
    principale->addLayout(riga);

    TDBGrid1_ = new GrigliaRicevuti(contenuto_);
    principale->addWidget(TDBGrid1_, 1);
    connect(TDBGrid1_, &GrigliaRicevuti::Visualizza, this, &Edi2Dos::Visualizza);
    connect(TDBGrid1_, &GrigliaRicevuti::Sposta, this, &Edi2Dos::SpostaUno);

    File1_ = new QListWidget(this);
    File1_->setObjectName(QStringLiteral("File1"));
    File1_->setFixedSize(Pixel(3000), Pixel(1500));
    File1_->hide();
    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setInterval(500);
    connect(Timer1_, &QTimer::timeout, this, &Edi2Dos::AggiornaFile1);
    pctHelp_ = new PannelloOccupato(this);

    connect(cmdRicevi_, &QPushButton::clicked, this, &Edi2Dos::Ricevi);
    connect(cmdOK_, &QPushButton::clicked, this, &Edi2Dos::SpostaTutti);

    const std::array<QString, 4> iniziali = ValoriInizialiFiltro(Oggi());
    caricamento_ = true;
    for (int k = 1; k <= 4; ++k)
        txt_[k]->setText(iniziali[k - 1]);
    caricamento_ = false;

    // Keys are seen here first: discarded while the busy panel is up.
    for (QWidget* w : findChildren<QWidget*>())
        if (w->focusPolicy() != Qt::NoFocus)
            w->installEventFilter(this);
    // F2 presses no button here: the exit button moves every listed file.
    new TastiComuni(this, nullptr);
    resize(Pixel(LarghezzaFinestra), Pixel(AltezzaMinima) + 60);
    RipristinaPosizione(this);
    TieniDimensioni();
}

std::array<QString, 4> Edi2Dos::Campi() const
{
    return {txt_[1]->text(), txt_[2]->text(), txt_[3]->text(), txt_[4]->text()};
}

void Edi2Dos::CaricaRicevuti()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    cmdOK_->setText(QStringLiteral("&ESCI"));
    TDBGrid1_->Carica(ParametriEdi.CartellaRicevuti,
                      MascheraSelezione(ParametriEdi.UtenteFtp, Campi()));
    if (TDBGrid1_->Elenco().Conta() > 0)
        cmdOK_->setText(QStringLiteral("&SPOSTA"));
    QApplication::restoreOverrideCursor();
}

void Edi2Dos::Ricevi()
{
    if (!ConnessoRemoto || occupato_ || pctHelp_->isVisible())
        return;
    caricamento_ = true;
    txt_[3]->setText(NormalizzaTipo(txt_[3]->text()));
    txt_[4]->setText(NormalizzaProgressivo(txt_[4]->text()));
    caricamento_ = false;
    const bool elenco = ModoElenco(ChiaveRicezione(txt_[3]->text(), txt_[4]->text()));

    cmdOK_->setText(QStringLiteral("&ESCI"));
    pctHelp_->Mostra(QLatin1String(elenco ? MessaggioListaRicezione : MessaggioRicezioneModello) +
                     QLatin1Char('\n') + QLatin1String(AttenderePrego));
    occupato_ = true;
    contenuto_->setEnabled(false);
    TDBGrid1_->Occupata(true);

    // The run works on its own copy of what the window holds.
    const RichiestaRicezione richiesta = RichiestaDaGlobali(Campi());
    AvvisiRicezione avvisi;
    avvisi.messaggio = [this](const QString& m) { pctHelp_->Mostra(m); };
    avvisi.scarico = [this, richiesta](bool inizio) {
        if (inizio) {
            prefissoFile1_ =
                PrefissoGiorno(richiesta.utente, richiesta.campi[0], richiesta.campi[1]) +
                QStringLiteral(".*");
            AggiornaFile1();
            File1_->move(std::max(0, (width() - File1_->width()) / 2), height() / 2);
            File1_->show();
            File1_->raise();
            Timer1_->start();
        } else {
            Timer1_->stop();
            File1_->hide();
        }
    };
    const EsitoRicezione esito = elenco ? RiceviNuovi(richiesta, avvisi, &occupato_)
                                        : RiceviPerModello(richiesta, avvisi, &occupato_);
    occupato_ = false;
    contenuto_->setEnabled(true);
    TDBGrid1_->Occupata(false);
    // A listing that could not even start leaves the panel up: the person
    // leaves with the mouse.
    if (!esito.elencoRicevuto)
        return;
    CaricaRicevuti();
    pctHelp_->hide();
}

void Edi2Dos::AggiornaFile1()
{
    File1_->clear();
    File1_->addItems(FileCorrispondenti(ParametriEdi.CartellaDaVerificare, prefissoFile1_));
}

FunzioneSbusta Edi2Dos::Sbusta()
{
    return [this](const QString& origine, const QString& destino, QString* errore) {
        inVerifica_ = true;
        const int esito = VerificaFile(this, origine, destino, errore);
        inVerifica_ = false;
        return esito;
    };
}

bool Edi2Dos::Verifica(const QString& nome)
{
    return VerificaESposta(nome, Sbusta());
}

void Edi2Dos::SpostaUno(const QString& nome)
{
    Verifica(nome);
    CaricaRicevuti();
}

void Edi2Dos::SpostaTutti()
{
    if (occupato_)
        return;
    // "&ESCI" is what the person sees: the window closes, nothing moves.
    if (cmdOK_->text() != QLatin1String("&SPOSTA")) {
        accept();
        return;
    }
    QStringList nomi;
    for (const RigaRicevuto& r : TDBGrid1_->Elenco().Righe())
        nomi << r.nome;
    for (const QString& nome : nomi) {
        if (!Verifica(nome)) {
            CaricaRicevuti();
            return;
        }
    }
    accept();
}

void Edi2Dos::Visualizza(const QString& nome)
{
    VisualizzaRicevuto(this, nome, Sbusta());
}

void Edi2Dos::CampoCambiato(int indice, const QString& testo)
{
    if (caricamento_)
        return;
    if (indice == 4 && testo.size() == 1 && IntervalloRistretto()) {
        const QString primo = ParametriEdi.Progr1.left(1);
        const QString ultimo = ParametriEdi.Progr2.left(1);
        if (testo < primo || testo > ultimo) {
            Messaggio(QStringLiteral("PROGRESSIVO ERRATO\n DA '") + ParametriEdi.Progr1 +
                      QStringLiteral("'  A '") + ParametriEdi.Progr2 + QStringLiteral("'"));
            caricamento_ = true;
            txt_[4]->clear();
            caricamento_ = false;
        }
    }
    if (txt_[indice]->text().size() >= txt_[indice]->maxLength())
        CampoSuccessivo(indice, 1);
    else
        CaricaRicevuti();
}

void Edi2Dos::ControllaCampo(int indice)
{
    if (inVerifica_)
        return;
    QLineEdit* campo = txt_[indice];
    const EsitoFiltro esito =
        ControllaFiltro(indice, campo->text(), txt_[1]->text(), LatoFiltro::Ricezione);
    if (esito.ignorato)
        return;
    if (!esito.valido) {
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
    if (campo->text().trimmed() != esito.valore) {
        caricamento_ = true;
        campo->setText(esito.valore);
        caricamento_ = false;
    }
    CaricaRicevuti();
}

void Edi2Dos::CampoSuccessivo(int indice, int passo)
{
    for (int i = 1; i <= 4; ++i) {
        const int k = ((indice - 1 + passo * i) % 4 + 4) % 4 + 1;
        if (txt_[k]->isEnabled()) {
            txt_[k]->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

bool Edi2Dos::TastoCampo(int indice, QKeyEvent* evento)
{
    switch (evento->key()) {
    case Qt::Key_Up:
        CampoSuccessivo(indice, -1);
        return true;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        CampoSuccessivo(indice, 1);
        return true;
    default:
        break;
    }
    const QString testo = evento->text();
    if (testo.size() != 1 || testo[0].unicode() < 32 || evento->modifiers() & Qt::ControlModifier)
        return false;
    const int codice = testo[0].unicode();
    const int tenuto = indice <= 2 ? SoloCifre(codice) : Maiuscolo(codice);
    if (tenuto == 0)
        return true;
    if (tenuto != codice) {
        txt_[indice]->insert(QString(QChar(tenuto)));
        emit txt_[indice]->textEdited(txt_[indice]->text());
        return true;
    }
    return false;
}

bool Edi2Dos::eventFilter(QObject* oggetto, QEvent* evento)
{
    const QEvent::Type tipo = evento->type();
    if (tipo == QEvent::KeyPress && (pctHelp_->isVisible() || occupato_))
        return true;
    for (int k = 1; k <= 4; ++k) {
        if (oggetto != txt_[k])
            continue;
        if (tipo == QEvent::KeyPress)
            return TastoCampo(k, static_cast<QKeyEvent*>(evento));
        if (tipo == QEvent::FocusIn && !inControllo_)
            SelezionaTesto(txt_[k]);
        if (tipo == QEvent::FocusOut && !occupato_) {
            const auto motivo = static_cast<QFocusEvent*>(evento)->reason();
            // A box or a menu taking the focus is not the person leaving the field.
            if (motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason &&
                !inControllo_)
                ControllaCampo(k);
        }
        return false;
    }
    return QDialog::eventFilter(oggetto, evento);
}

void Edi2Dos::TieniDimensioni()
{
    const QSize bordo = frameGeometry().size() - geometry().size();
    const int larghezza = Pixel(LarghezzaFinestra) - bordo.width();
    const int altezzaMinima = Pixel(AltezzaMinima) - bordo.height();
    if (minimumWidth() != larghezza || maximumWidth() != larghezza)
        setFixedWidth(larghezza);
    if (minimumHeight() != altezzaMinima)
        setMinimumHeight(altezzaMinima);
}

void Edi2Dos::resizeEvent(QResizeEvent* evento)
{
    QDialog::resizeEvent(evento);
    TieniDimensioni();
}

void Edi2Dos::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    TieniDimensioni();
}

void Edi2Dos::keyPressEvent(QKeyEvent* evento)
{
    if (evento->key() == Qt::Key_Escape || pctHelp_->isVisible())
        return;
    QDialog::keyPressEvent(evento);
}

void Edi2Dos::done(int esito)
{
    if (occupato_)
        return;
    SalvaPosizione(this);
    QDialog::done(esito);
}
