#include "scambio/ui/GesVerif.h"

#include "scambio/VerificaFirma.h"
#include "shell/Global.h"
#include "shell/ui/Finestre.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QTimer>

namespace {

QLabel* Etichetta(const QString& testo, QWidget* padre)
{
    auto* l = new QLabel(testo, padre);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QLabel* Percorso(const QString& nome, QWidget* padre)
{
    auto* l = new QLabel(padre);
    l->setObjectName(nome);
    l->setFrameShape(QFrame::StyledPanel);
    l->setTextInteractionFlags(Qt::NoTextInteraction);
    l->setMinimumWidth(420);
    l->setWordWrap(true);
    return l;
}

} // namespace

GesVerif::GesVerif(QWidget* padre) : QDialog(padre)
{
    setObjectName(QStringLiteral("GesVerif"));
    setWindowTitle(QStringLiteral("VERIFICA DELLA FIRMA ELETTRONICA IN CORSO..."));
    setModal(true);

    auto* griglia = new QGridLayout(this);
    lbOrigine_ = Percorso(QStringLiteral("lbOrigine"), this);
    lbDestino_ = Percorso(QStringLiteral("lbDestino"), this);
    QLabel* origine = Etichetta(QStringLiteral("Origine"), this);
    QLabel* destino = Etichetta(QStringLiteral("Destino"), this);
    origine->setBuddy(lbOrigine_);
    destino->setBuddy(lbDestino_);
    lbOrigine_->setAccessibleName(QStringLiteral("Origine"));
    lbDestino_->setAccessibleName(QStringLiteral("Destino"));
    griglia->addWidget(origine, 0, 0);
    griglia->addWidget(lbOrigine_, 0, 1);
    griglia->addWidget(destino, 1, 0);
    griglia->addWidget(lbDestino_, 1, 1);
    griglia->setColumnStretch(1, 1);

    RipristinaPosizione(this);
}

void GesVerif::plFileP7M(const QString& percorso)
{
    fileP7M_ = percorso;
    lbOrigine_->setText(percorso);
}

void GesVerif::plFileTXT(const QString& percorso)
{
    fileTXT_ = percorso;
    lbDestino_->setText(percorso);
}

void GesVerif::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    if (!avviata_) {
        avviata_ = true;
        // Once the window is on screen, as the person expects to see it.
        QTimer::singleShot(0, this, &GesVerif::Avvia);
    }
}

void GesVerif::Avvia()
{
    EsitoOperazione = 0;
    messaggio_.clear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    verifica_ = new VerificaFirma(fileP7M_, fileTXT_, this);
    connect(verifica_, &VerificaFirma::Terminata, this, &GesVerif::Terminata);
    verifica_->Avvia();
}

void GesVerif::Terminata(int esito)
{
    // Only the run this window is waiting for, and only once.
    auto* verifica = qobject_cast<VerificaFirma*>(sender());
    if (!verifica || verifica != verifica_)
        return;
    verifica_ = nullptr;
    disconnect(verifica, nullptr, this, nullptr);
    QApplication::restoreOverrideCursor();
    EsitoOperazione = esito;
    messaggio_ = esito == 0 ? verifica->MessaggioComando() : verifica->Errore();
    verifica->deleteLater();
    accept();
}

// The window closes by itself when the run ends, never before.
void GesVerif::reject()
{
    if (!verifica_)
        QDialog::reject();
}

void GesVerif::closeEvent(QCloseEvent* evento)
{
    if (verifica_)
        evento->ignore();
    else
        QDialog::closeEvent(evento);
}

int VerificaFile(QWidget* padre, const QString& origine, const QString& destino, QString* messaggio)
{
    GesVerif finestra(padre);
    finestra.plFileP7M(origine);
    finestra.plFileTXT(destino);
    finestra.exec();
    if (messaggio)
        *messaggio = finestra.Descrizione();
    return EsitoOperazione;
}
