#include "ricezione/ui/Irildes.h"

#include "invio/ui/GesVerif.h"
#include "piattaforma/Messaggi.h"
#include "piattaforma/ui/Schermo.h"
#include "ricezione/RiceviMessaggi.h"
#include "ricezione/ui/Edi2Dos.h"
#include "ricezione/ui/GesParUx.h"
#include "ricezione/ui/GrigliaRicevuti.h"
#include "ricezione/ui/PannelloOccupato.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/Routine.h"
#include "shell/ui/Finestre.h"
#include "shell/ui/TastiComuni.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int LarghezzaFinestra = 6510; // twips
constexpr int AltezzaMinima = 4500;     // twips

QString TestoRicezione()
{
    return QLatin1String(MessaggioListaAppuramenti) + QLatin1Char('\n') +
           QLatin1String(AttenderePrego);
}

} // namespace

bool ParametriUnixCompleti()
{
    return !ParametriUnix.Host.trimmed().isEmpty() && !ParametriUnix.Utente.trimmed().isEmpty() &&
           !ParametriUnix.Password.trimmed().isEmpty();
}

Irildes::Irildes(QWidget* padre) : QDialog(padre)
{
    setObjectName(QStringLiteral("Irildes"));
    setWindowTitle(QStringLiteral("RICEZIONE APPURAMENTI"));

    auto* esterno = new QVBoxLayout(this);
    esterno->setContentsMargins(0, 0, 0, 0);
    contenuto_ = new QWidget(this);
    esterno->addWidget(contenuto_);
    auto* principale = new QVBoxLayout(contenuto_);
    principale->setContentsMargins(4, 4, 4, 4);
    TDBGrid1_ = new GrigliaRicevuti(contenuto_);
    // The pop-up's move has no action of its own here: "&SPOSTA" moves them all.
    TDBGrid1_->ConSposta(false);
    principale->addWidget(TDBGrid1_, 1);
    auto* pctCommand = new QWidget(contenuto_);
    pctCommand->setObjectName(QStringLiteral("pctCommand"));
    auto* strisce = new QHBoxLayout(pctCommand);
    strisce->setContentsMargins(0, 0, 0, 0);
    const std::array<QString, 2> testi = {QStringLiteral("&USCITA"), QStringLiteral("&SPOSTA")};
    for (int i = 0; i < 2; ++i) {
        cmdIril_[i] = new QPushButton(testi[i], pctCommand);
        cmdIril_[i]->setObjectName(QStringLiteral("cmdIril_%1").arg(i));
        cmdIril_[i]->setAutoDefault(false);
        strisce->addWidget(cmdIril_[i]);
    }
    principale->addWidget(pctCommand);
    pctHelp_ = new PannelloOccupato(this);

    connect(cmdIril_[0], &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdIril_[1], &QPushButton::clicked, this, &Irildes::Sposta);
    connect(TDBGrid1_, &GrigliaRicevuti::Visualizza, this,
            [this](const QString& nome) { VisualizzaRicevuto(this, nome, Sbusta()); });

    // The UNIX parameters as the settings hold them; an empty folder becomes
    // "/tmp", written back.
    CaricaParametriUnix();

    for (QWidget* w : findChildren<QWidget*>())
        if (w->focusPolicy() != Qt::NoFocus)
            w->installEventFilter(this);
    new TastiComuni(this, cmdIril_[0]);
    resize(Pixel(LarghezzaFinestra), Pixel(AltezzaMinima) + 60);
    RipristinaPosizione(this);
    TieniDimensioni();
}

void Irildes::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    TieniDimensioni();
    if (primaAttivazione_) {
        primaAttivazione_ = false;
        QTimer::singleShot(0, this, &Irildes::PrimaAttivazione);
    }
}

void Irildes::PrimaAttivazione()
{
    if (!isVisible())
        return;
    if (!ParametriUnixCompleti())
        ApriGesParUx(this);
    if (!ParametriUnixCompleti()) {
        reject();
        return;
    }
    RiceviAppuramentiFinestra();
}

void Irildes::RiceviAppuramentiFinestra()
{
    pctHelp_->Mostra(TestoRicezione());
    occupato_ = true;
    contenuto_->setEnabled(false);
    TDBGrid1_->Occupata(true);
    const RichiestaRicezione richiesta = RichiestaDaGlobali({});
    AvvisiRicezione avvisi;
    avvisi.messaggio = [this](const QString& m) { pctHelp_->Mostra(m); };
    const EsitoRicezione esito = RiceviAppuramenti(richiesta, avvisi, &occupato_);
    occupato_ = false;
    contenuto_->setEnabled(true);
    TDBGrid1_->Occupata(false);
    if (!esito.elencoRicevuto)
        return;
    CaricaAppuramenti();
    pctHelp_->hide();
}

void Irildes::CaricaAppuramenti()
{
    TDBGrid1_->Carica(ParametriEdi.CartellaRicevuti,
                      ParametriEdi.UtenteFtp + QStringLiteral("*.L*"));
}

FunzioneSbusta Irildes::Sbusta()
{
    return [this](const QString& origine, const QString& destino, QString* errore) {
        return VerificaFile(this, origine, destino, errore);
    };
}

void Irildes::Sposta()
{
    if (occupato_)
        return;
    while (ConnessioneRemotaAttiva()) {
        if (Messaggio(QStringLiteral("OCCORRE DISCONNETTERSI DA 'MINISTERO'\n"
                                     "Chiudere il collegamento con il MODEM"),
                      Pulsanti::OkAnnulla, Icona::Avviso,
                      QStringLiteral("DISCONNETTERSI CON IL MODEM"), Risposta::Ok) != Risposta::Ok)
            return;
    }
    QStringList nomi;
    for (const RigaRicevuto& r : TDBGrid1_->Elenco().Righe())
        nomi << r.nome;
    occupato_ = true;
    contenuto_->setEnabled(false);
    SpostaAppuramenti(nomi, Sbusta(), &occupato_);
    occupato_ = false;
    contenuto_->setEnabled(true);
    accept();
}

bool Irildes::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (evento->type() == QEvent::KeyPress && (pctHelp_->isVisible() || occupato_))
        return true;
    return QDialog::eventFilter(oggetto, evento);
}

void Irildes::TieniDimensioni()
{
    const QSize bordo = frameGeometry().size() - geometry().size();
    const int larghezza = Pixel(LarghezzaFinestra) - bordo.width();
    const int altezzaMinima = Pixel(AltezzaMinima) - bordo.height();
    if (minimumWidth() != larghezza || maximumWidth() != larghezza)
        setFixedWidth(larghezza);
    if (minimumHeight() != altezzaMinima)
        setMinimumHeight(altezzaMinima);
}

void Irildes::resizeEvent(QResizeEvent* evento)
{
    QDialog::resizeEvent(evento);
    TieniDimensioni();
}

void Irildes::keyPressEvent(QKeyEvent* evento)
{
    if (evento->key() == Qt::Key_Escape || pctHelp_->isVisible())
        return;
    QDialog::keyPressEvent(evento);
}

void Irildes::done(int esito)
{
    if (occupato_)
        return;
    SalvaPosizione(this);
    QDialog::done(esito);
}
