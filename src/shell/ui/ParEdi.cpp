#include "shell/ui/ParEdi.h"

#include "piattaforma/Messaggi.h"
#include "piattaforma/ui/Dialoghi.h"
#include "piattaforma/ui/Schermo.h"
#include "shell/CartelleLavoro.h"
#include "shell/ChiaviIni.h"
#include "shell/CollegamentoDogana.h"
#include "shell/Global.h"
#include "shell/Ordine.h"
#include "shell/ValoriFtp.h"
#include "shell/ui/CasellaParola.h"
#include "shell/ui/Finestre.h"
#include "shell/ui/PannelloAiuto.h"
#include "shell/ui/TastiComuni.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int Limiti[7] = {0, 40, 4, 10, 40, 2, 2};
constexpr int AltezzaAiuto = 118;

// The focus left or came back with the window (a message box), not by moving
// between fields.
bool CambioFinestra(Qt::FocusReason motivo)
{
    return motivo == Qt::ActiveWindowFocusReason || motivo == Qt::PopupFocusReason;
}

// Room for a value the file holds longer than the box's limit: it is shown and
// written back whole, but nothing can be typed past the larger of the two.
void AdattaLimite(QLineEdit* casella, int limite)
{
    casella->setMaxLength(std::max<int>(limite, casella->text().size()));
}

QButtonGroup* Opzioni(QWidget* padre, QGridLayout* griglia, int riga, int colonna,
                      const QString& nome, int primo, const QStringList& didascalie)
{
    auto* gruppo = new QButtonGroup(padre);
    gruppo->setExclusive(true);
    auto* contenitore = new QWidget(padre);
    auto* l = new QHBoxLayout(contenitore);
    l->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < didascalie.size(); ++i) {
        auto* b = new QRadioButton(didascalie[i], contenitore);
        b->setObjectName(nome + QLatin1Char('_') + QString::number(primo + i));
        gruppo->addButton(b, primo + i);
        l->addWidget(b);
    }
    griglia->addWidget(contenitore, riga, colonna);
    return gruppo;
}

void Spunta(QButtonGroup* gruppo, int indice)
{
    if (QAbstractButton* b = gruppo->button(indice))
        b->setChecked(true);
}

const QString MessaggioCartella =
    QStringLiteral("ERRORE IN FASE DI CREAZIONE CARTELLA 'FIRMAVERIFICA");

} // namespace

ParEdi::ParEdi(QWidget* padre) : QDialog(padre)
{
    setObjectName(QStringLiteral("ParEdi"));
    setWindowTitle(QStringLiteral(" EDI - Parametri Collegamento DOGANA"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);

    auto* fraAccesso = new QGroupBox(QStringLiteral("Autorizzazione EDI"), this);
    auto* formAccesso = new QFormLayout(fraAccesso);
    const char* etichette[] = {nullptr,    "Ambiente FTP",  "Codice Utente",
                               "PassWord", "Denominazione", "Dal progressivo",
                               "al"};
    for (int k = 1; k <= 6; ++k) {
        txt_[k] = new QLineEdit(this);
        txt_[k]->setObjectName(QStringLiteral("txt_%1").arg(k));
        txt_[k]->setMaxLength(Limiti[k]);
        connect(txt_[k], &QLineEdit::textEdited, this, [this, k]() {
            AdattaLimite(txt_[k], Limiti[k]);
            modificato_[k] = true;
        });
    }
    for (int k = 1; k <= 4; ++k) {
        auto* e = new QLabel(QString::fromUtf8(etichette[k]), fraAccesso);
        e->setBuddy(txt_[k]);
        formAccesso->addRow(e, txt_[k]);
    }
    txt_[2]->setMaximumWidth(80);
    txt_[3]->setMaximumWidth(140);
    MascheraParola(txt_[3], QLatin1Char('#'));
    layout->addWidget(fraAccesso);

    lbOrdinamento_ = new QLabel(QStringLiteral("Ordinamento dei files"), this);
    lbOrdinamento_->setObjectName(QStringLiteral("lbOrdinamento"));
    layout->addWidget(lbOrdinamento_);
    auto* fraOrdine = new QFrame(this);
    fraOrdine->setFrameShape(QFrame::StyledPanel);
    auto* griglia = new QGridLayout(fraOrdine);
    const QStringList colonne = {QStringLiteral("NOME"), QStringLiteral("DATA"),
                                 QStringLiteral("DIMENSIONE")};
    const QStringList modi = {QStringLiteral("Ascendente"), QStringLiteral("Discendente")};
    // The buttons' ids are the values kept in the settings: columns from 0,
    // directions as ModoOrdine.
    griglia->addWidget(new QLabel(QStringLiteral("Da Inviare"), fraOrdine), 0, 0);
    optColI_ = Opzioni(fraOrdine, griglia, 0, 1, QStringLiteral("optColI"), 0, colonne);
    optModoI_ = Opzioni(fraOrdine, griglia, 0, 2, QStringLiteral("optModoI"), Crescente, modi);
    griglia->addWidget(new QLabel(QStringLiteral("Ricevuti"), fraOrdine), 1, 0);
    optColR_ = Opzioni(fraOrdine, griglia, 1, 1, QStringLiteral("optColR"), 0, colonne);
    optModoR_ = Opzioni(fraOrdine, griglia, 1, 2, QStringLiteral("optModoR"), Crescente, modi);
    layout->addWidget(fraOrdine);

    auto* rigaBase = new QHBoxLayout;
    command1_ = new QPushButton(QStringLiteral("FIRMAVERIFICA"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    lbFirmaVerif_ = new QLabel(this);
    lbFirmaVerif_->setObjectName(QStringLiteral("lbFirmaVerif"));
    lbFirmaVerif_->setFrameShape(QFrame::Panel);
    lbFirmaVerif_->setFrameShadow(QFrame::Sunken);
    lbFirmaVerif_->setMinimumWidth(260);
    lbFirmaVerif_->setAccessibleName(QStringLiteral("FIRMAVERIFICA"));
    rigaBase->addWidget(command1_);
    rigaBase->addWidget(lbFirmaVerif_, 1);
    layout->addLayout(rigaBase);
    connect(command1_, &QPushButton::clicked, this, &ParEdi::ScegliBase);

    auto* rigaListe = new QHBoxLayout;
    cmbNumFile_ = new QComboBox(this);
    cmbNumFile_->setObjectName(QStringLiteral("cmbNumFile"));
    for (int n = 5; n <= 50; n += 5)
        cmbNumFile_->addItem(QStringLiteral("%1").arg(n, 2));
    auto* eNum =
        new QLabel(QStringLiteral("Massimo numero di nuovi file da importare alla volta"), this);
    eNum->setBuddy(cmbNumFile_);
    cmbDebug_ = new QComboBox(this);
    cmbDebug_->setObjectName(QStringLiteral("cmbDebug"));
    cmbDebug_->addItems({QStringLiteral("NO"), QStringLiteral("SI")});
    auto* eDebug = new QLabel(QStringLiteral("Debug"), this);
    eDebug->setBuddy(cmbDebug_);
    rigaListe->addWidget(eNum);
    rigaListe->addWidget(cmbNumFile_);
    rigaListe->addSpacing(16);
    rigaListe->addWidget(eDebug);
    rigaListe->addWidget(cmbDebug_);
    rigaListe->addStretch();
    layout->addLayout(rigaListe);

    auto* rigaFondo = new QHBoxLayout;
    auto* fraProgr = new QGroupBox(QStringLiteral("Progressivi bolle da ricevere"), this);
    auto* lProgr = new QHBoxLayout(fraProgr);
    for (int k = 5; k <= 6; ++k) {
        auto* e = new QLabel(QString::fromUtf8(etichette[k]), fraProgr);
        e->setBuddy(txt_[k]);
        txt_[k]->setMaximumWidth(40);
        lProgr->addWidget(e);
        lProgr->addWidget(txt_[k]);
    }
    lProgr->addStretch();
    rigaFondo->addWidget(fraProgr, 1);
    auto* annulla = new QPushButton(QStringLiteral("&ANNULLA"), this);
    annulla->setObjectName(QStringLiteral("cmdend_0"));
    auto* conferma = new QPushButton(QStringLiteral("&CONFERMA"), this);
    conferma->setObjectName(QStringLiteral("cmdend_1"));
    for (QPushButton* b : {annulla, conferma, command1_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    rigaFondo->addWidget(annulla, 0, Qt::AlignBottom);
    rigaFondo->addWidget(conferma, 0, Qt::AlignBottom);
    layout->addLayout(rigaFondo);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(conferma, &QPushButton::clicked, this, &ParEdi::Conferma);

    for (int k = 1; k < 6; ++k)
        setTabOrder(txt_[k], txt_[k + 1]);

    // The floating help, above everything else and out of the layout.
    pctHelp_ = new PannelloAiuto(this);
    pctHelp_->EtichettaTesto()->setWordWrap(true);
    pctHelp_->Allinea(Qt::AlignLeft | Qt::AlignTop);

    const QString filiali =
        QStringLiteral("Consente di differenziare le bolle di una stessa ") +
        QStringLiteral("autorizzazione per filiali differenti.") + QLatin1Char('\n') +
        QStringLiteral("Corrispondono agli ultimi 2 caratteri del nome del file");
    titoli_ = {QString(),
               QStringLiteral("AMBIENTE FTP"),
               QStringLiteral("CODICE UTENTE"),
               QStringLiteral("PASSWORD"),
               QStringLiteral("DENOMINAZIONE"),
               QStringLiteral("PROGRESSIVO INIZIALE"),
               QStringLiteral("PROGRESSIVO FINALE"),
               QStringLiteral("ORDINAMENTO FILE"),
               QStringLiteral("FIRMAVERIFICA"),
               QStringLiteral("MASSIMO NUMERO DI FILE")};
    testi_ = {
        QString(),
        QStringLiteral("E' il nome del server FTP del ministero;\nnormalmente vale: ") +
            Ini::DefaultHostFtp + QLatin1Char('\n'),
        QStringLiteral("Codice Utente abilitato al collegamento EDI.\nE' composto da 4 lettere\n"),
        QStringLiteral("PassWord da utilizzare per accedere alle applicazioni.\n") +
            QStringLiteral("E' la seconda delle 2 PassWord indicate nel foglio ") +
            QStringLiteral("in carta chimica rilasciato dal Ministero"),
        QStringLiteral("Ragione Sociale della ditta autorizzata all'accesso.\n") +
            QStringLiteral("Questo campo è puramente descrittivo"),
        QStringLiteral("Indicare il progressivo iniziale delle bolle da ricevere.\n") + filiali,
        QStringLiteral("Indicare il progressivo finale delle bolle da ricevere.\n") + filiali,
        QStringLiteral("Stabilisce per quale elemento si desidera ordinare la ") +
            QStringLiteral("lista dei files da inviare o ricevere dalla dogana."),
        QStringLiteral("Cartella del PC ove è stato installato il programma:\nFirmaVerifica\n") +
            QStringLiteral("Lo standard risulta ") +
            QDir::toNativeSeparators(CartellaBasePredefinita()) + QLatin1Char('\n'),
        QStringLiteral("Indica quanti files alla volta devono essere importati ") +
            QStringLiteral("in caso di selezione globale (estensione = '?\?\?')\n") +
            QStringLiteral("Maggiore è il numero maggiore è il tempo di attesa per ogni ") +
            QStringLiteral("singola importazione, ma occorrono meno importazioni."),
    };

    // The window's values come from the globals, not from the file.
    cmbDebug_->setCurrentIndex(ModoDebug == 0 || ModoDebug == 1 ? ModoDebug : -1);
    cmbNumFile_->setCurrentIndex(PosizioneNumFile(MaxFile));
    const QString valori[] = {
        QString(),          ParametriEdi.HostFtp, ParametriEdi.UtenteFtp, ParametriEdi.PasswordFtp,
        ParametriEdi.Ditta, ParametriEdi.Progr1,  ParametriEdi.Progr2};
    for (int k = 1; k <= 6; ++k) {
        txt_[k]->setMaxLength(std::max<int>(Limiti[k], valori[k].size()));
        txt_[k]->setText(valori[k]);
    }
    lbFirmaVerif_->setText(QDir::toNativeSeparators(ParametriEdi.CartellaBase));
    Spunta(optColI_, OrdinaColInvio);
    Spunta(optModoI_, OrdinaModoInvio);
    Spunta(optColR_, OrdinaColRicevi);
    Spunta(optModoR_, OrdinaModoRicevi);

    // Key preview: every control's keys pass here first.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>())
        if (w->focusPolicy() != Qt::NoFocus)
            w->installEventFilter(this);

    new TastiComuni(this, annulla);
    adjustSize();
    setFixedSize(size());
    PosizionaForm(this);
}

int ParEdi::Campo(const QObject* oggetto) const
{
    for (int k = 1; k <= 6; ++k)
        if (oggetto == txt_[k])
            return k;
    return 0;
}

int ParEdi::AiutoDi(const QObject* oggetto) const
{
    if (const int k = Campo(oggetto))
        return k;
    for (QButtonGroup* g : {optColI_, optModoI_, optColR_, optModoR_})
        for (QAbstractButton* b : g->buttons())
            if (oggetto == b)
                return 7;
    if (oggetto == command1_)
        return 8;
    if (oggetto == cmbNumFile_)
        return 9;
    return 0;
}

void ParEdi::MostraAiuto(int k)
{
    if (pctHelp_->isVisible()) {
        pctHelp_->hide();
        return;
    }
    if (k < 1 || k > 9)
        return;
    const int margine = Pixel(20);
    const int larghezza = width() - 24;
    int alto = 0;
    if (k <= 6) {
        QLineEdit* campo = txt_[k];
        alto = campo->mapTo(this, QPoint(0, 0)).y() + campo->height() + margine;
        if (height() - alto < AltezzaAiuto)
            alto = alto - campo->height() - AltezzaAiuto - Pixel(40);
    } else {
        QWidget* riferimento = k == 7   ? static_cast<QWidget*>(lbOrdinamento_)
                               : k == 8 ? static_cast<QWidget*>(command1_)
                                        : static_cast<QWidget*>(cmbNumFile_);
        alto = riferimento->mapTo(this, QPoint(0, 0)).y() - AltezzaAiuto - margine;
    }
    pctHelp_->Mostra(titoli_[k], testi_[k]);
    pctHelp_->setGeometry((width() - larghezza) / 2, alto, larghezza, AltezzaAiuto);
}

void ParEdi::Vai(int k, int passo)
{
    for (int i = 0; i < 6; ++i) {
        k = (k + passo + 5) % 6 + 1;
        if (txt_[k]->isEnabled()) {
            txt_[k]->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void ParEdi::NormalizzaProgressivo(int k)
{
    txt_[k]->setText(k == 5 ? ProgressivoIniziale(txt_[k]->text())
                            : ProgressivoFinale(txt_[k]->text()));
}

bool ParEdi::ChiediMinuscolo(int k, const QString& testo)
{
    if (k != 2 && k != 3 && k != 5 && k != 6)
        return true;
    if (testo.isEmpty() || testo[0].unicode() <= 90 || testo[0].unicode() == 127)
        return true;
    return Messaggio(QStringLiteral("Carattere minuscolo! confermi?"), Pulsanti::SiNo,
                     Icona::Domanda, QStringLiteral("MAIUSCOLE NON ATTIVE"),
                     Risposta::No) == Risposta::Si;
}

bool ParEdi::eventFilter(QObject* oggetto, QEvent* evento)
{
    const int k = Campo(oggetto);
    switch (evento->type()) {
    case QEvent::FocusIn:
        // Back from a question box the caret stays where it was: a selection
        // would let the next key wipe what was typed.
        if (k && !CambioFinestra(static_cast<QFocusEvent*>(evento)->reason()))
            SelezionaTesto(txt_[k]);
        break;
    case QEvent::FocusOut:
        if ((k == 5 || k == 6) && !CambioFinestra(static_cast<QFocusEvent*>(evento)->reason()))
            NormalizzaProgressivo(k);
        break;
    case QEvent::KeyPress: {
        auto* e = static_cast<QKeyEvent*>(evento);
        const int tasto = e->key();
        if (tasto == Qt::Key_Shift || tasto == Qt::Key_Control || tasto == Qt::Key_Alt ||
            tasto == Qt::Key_Meta || tasto == Qt::Key_AltGr)
            break;
        if (pctHelp_->isVisible()) {
            pctHelp_->hide();
            return true;
        }
        if (tasto == Qt::Key_P && e->modifiers().testFlag(Qt::ControlModifier)) {
            txt_[3]->setEchoMode(txt_[3]->echoMode() == QLineEdit::Password ? QLineEdit::Normal
                                                                            : QLineEdit::Password);
            return true;
        }
        if (tasto == Qt::Key_F1) {
            MostraAiuto(AiutoDi(oggetto));
            return true;
        }
        if (!k)
            break;
        if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter || tasto == Qt::Key_Down) {
            if (k == 6)
                focusNextChild();
            else
                Vai(k, 1);
            return true;
        }
        if (tasto == Qt::Key_Up) {
            Vai(k, -1);
            return true;
        }
        if (!ChiediMinuscolo(k, e->text()))
            return true;
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(oggetto, evento);
}

void ParEdi::ScegliBase()
{
    const QString scelta = ScegliCartella(this, QStringLiteral("Seleziona la Cartella desiderata"),
                                          lbFirmaVerif_->text());
    if (!scelta.trimmed().isEmpty())
        lbFirmaVerif_->setText(QDir::toNativeSeparators(scelta));
}

void ParEdi::Conferma()
{
    // A button pressed from the keyboard may leave a progressive un-normalised.
    for (int k = 5; k <= 6; ++k)
        if (modificato_[k])
            NormalizzaProgressivo(k);
    const QString nonAmmesso =
        ControllaCredenzialiDogana(txt_[1]->text(), txt_[2]->text(), txt_[3]->text());
    if (!nonAmmesso.isEmpty()) {
        Messaggio(nonAmmesso, Pulsanti::Ok, Icona::Avviso);
        return;
    }
    ValoriParEdi v;
    v.host = txt_[1]->text();
    v.utente = txt_[2]->text();
    v.password = txt_[3]->text();
    v.ditta = txt_[4]->text();
    v.progr1 = txt_[5]->text();
    v.progr2 = txt_[6]->text();
    v.colInvio = optColI_->checkedId();
    v.modoInvio = optModoI_->checkedId();
    v.colRicevi = optColR_->checkedId();
    v.modoRicevi = optModoR_->checkedId();
    v.cartellaBase = lbFirmaVerif_->text();
    v.debug = cmbDebug_->currentIndex();
    v.posizioneNumFile = cmbNumFile_->currentIndex();
    if (!ConfermaParametriEdi(v))
        Messaggio(MessaggioCartella);
    accept();
}

void ApriParEdi(QWidget* padre)
{
    ParEdi finestra(padre);
    finestra.exec();
}
