#include "ricezione/ui/Irildes.h"

#include "piattaforma/Messaggi.h"
#include "ricezione/RiceviMessaggi.h"
#include "ricezione/ui/Edi2Dos.h"
#include "ricezione/ui/GesParUx.h"
#include "ricezione/ui/GrigliaRicevuti.h"
#include "scambio/EseguiScriptFtp.h"
#include "scambio/ui/GesVerif.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/Routine.h"
#include "shell/ui/PannelloAiuto.h"
#include "shell/ui/TastiComuni.h"

#include <QHBoxLayout>
#include <QLabel>
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

Irildes::Irildes(QWidget* padre)
    : FinestraRicevuti(QStringLiteral("Irildes"), LarghezzaFinestra, AltezzaMinima, padre)
{
    setWindowTitle(QStringLiteral("RICEZIONE APPURAMENTI"));

    auto* principale = new QVBoxLayout(Contenuto());
    principale->setContentsMargins(4, 4, 4, 4);
    // The pop-up's move has no action of its own here: "&SPOSTA" moves them all.
    TDBGrid1_->ConSposta(false);
    principale->addWidget(TDBGrid1_, 1);
    auto* pctCommand = new QWidget(Contenuto());
    pctCommand->setObjectName(QStringLiteral("pctCommand"));
    auto* strisce = new QHBoxLayout(pctCommand);
    strisce->setContentsMargins(0, 0, 0, 0);
    const std::array<QString, 2> testi = {QStringLiteral("&USCITA"), QStringLiteral("&SPOSTA")};
    for (int i = 0; i < 2; ++i) {
        cmdIril_[size_t(i)] =
            Pulsante(testi[size_t(i)], QStringLiteral("cmdIril_%1").arg(i), pctCommand);
        strisce->addWidget(cmdIril_[size_t(i)]);
    }
    principale->addWidget(pctCommand);

    connect(cmdIril_[0], &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdIril_[1], &QPushButton::clicked, this, &Irildes::Sposta);
    connect(TDBGrid1_, &GrigliaRicevuti::Visualizza, this,
            [this](const QString& nome) { VisualizzaRicevuto(this, nome, Sbusta()); });

    // The UNIX parameters as the settings hold them; an empty folder becomes
    // "/tmp", written back.
    CaricaParametriUnix();

    AnteprimaTasti();
    new TastiComuni(this, cmdIril_[0]);
    Ripristina(900);
}

void Irildes::showEvent(QShowEvent* evento)
{
    FinestraElenco::showEvent(evento);
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
    const RichiestaRicezione richiesta = RichiestaDaGlobali({});
    if (!Ricevi(TestoRicezione(), {}, [&](const AvvisiRicezione& a, bool* occupato) {
            return RiceviAppuramenti(richiesta, a, occupato);
        }))
        return;
    CaricaAppuramenti();
    Pannello()->hide();
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
    if (Occupato())
        return;
    while (ConnessioneRemotaAttiva()) {
        if (Messaggio(QStringLiteral("OCCORRE DISCONNETTERSI DA 'MINISTERO'\n"
                                     "Chiudere il collegamento con il MODEM"),
                      Pulsanti::OkAnnulla, Icona::Avviso,
                      QStringLiteral("DISCONNETTERSI CON IL MODEM"), Risposta::Ok) != Risposta::Ok)
            return;
    }
    // Held from the first unwrap to the UNIX host's answer; while another copy
    // transfers, the window stays as it is.
    const BloccoTrasferimenti blocco(CartellaBloccoTrasferimenti());
    if (!BloccoPresoOAvvisa(blocco))
        return;
    QStringList nomi;
    for (const RigaRicevuto& r : TDBGrid1_->Elenco().Righe())
        nomi << r.nome;
    Occupa(true);
    SpostaAppuramenti(nomi, Sbusta(), FlagOccupato());
    Occupa(false);
    accept();
}
