#include "ricezione/ui/Edi2Dos.h"

#include "piattaforma/Messaggi.h"
#include "piattaforma/Percorsi.h"
#include "piattaforma/ui/Schermo.h"
#include "ricezione/NomiRicezione.h"
#include "ricezione/RiceviMessaggi.h"
#include "ricezione/ui/GrigliaRicevuti.h"
#include "scambio/VerificaFirma.h"
#include "scambio/ui/GesVerif.h"
#include "shell/Global.h"
#include "shell/ModuliOpzionali.h"
#include "shell/NomiFile.h"
#include "shell/ui/FileUtiliUi.h"
#include "shell/ui/PannelloAiuto.h"
#include "shell/ui/RigaFiltro.h"
#include "shell/ui/TastiComuni.h"

#include <QApplication>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int LarghezzaFinestra = 6500; // twips
constexpr int AltezzaMinima = 4500;     // twips

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

Edi2Dos::Edi2Dos(QWidget* padre)
    : FinestraRicevuti(QStringLiteral("Edi2Dos"), LarghezzaFinestra, AltezzaMinima, padre)
{
    setWindowTitle(QStringLiteral("RICEZIONE FILE"));

    auto* principale = new QVBoxLayout(Contenuto());
    principale->setContentsMargins(4, 4, 4, Pixel(40));
    principale->setSpacing(4);

    auto* riga = new QHBoxLayout;
    riga->setSpacing(3);
    filtro_ = new RigaFiltro(LatoFiltro::Ricezione, RigaFiltro::Forma::Riga, Contenuto());
    // No check while a run goes or an unwrap window opened from here is up.
    filtro_->SospendiControllo([this](Qt::FocusReason) { return inVerifica_ || Occupato(); });
    connect(filtro_, &RigaFiltro::Controllato, this, &Edi2Dos::CaricaRicevuti);
    connect(filtro_, &RigaFiltro::Modificato, this, &Edi2Dos::CampoModificato);
    riga->addWidget(filtro_);
    riga->addStretch(1);
    cmdRicevi_ = Pulsante(QStringLiteral("&RICEVI"), QStringLiteral("cmdRicevi"), Contenuto());
    cmdOK_ = Pulsante(QStringLiteral("&ESCI"), QStringLiteral("cmdOK"), Contenuto());
    cmdOK_->setMinimumWidth(cmdOK_->fontMetrics().horizontalAdvance(QStringLiteral("&SPOSTA")) +
                            30);
    riga->addWidget(cmdRicevi_);
    riga->addWidget(cmdOK_);
    principale->addLayout(riga);

    principale->addWidget(TDBGrid1_, 1);
    // The window opens on the month, as it reads: fields, buttons, grid.
    filtro_->Campo(1)->setFocus();
    connect(TDBGrid1_, &GrigliaRicevuti::Visualizza, this, &Edi2Dos::Visualizza);
    connect(TDBGrid1_, &GrigliaRicevuti::Sposta, this, &Edi2Dos::SpostaUno);

    File1_ = new QListWidget(this);
    File1_->setObjectName(QStringLiteral("File1"));
    File1_->setFixedSize(Pixel(3000), Pixel(1500));
    File1_->hide();
    // The fetched files' list follows the folder: a burst of arrivals is one
    // refresh, and nothing runs while nothing arrives.
    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setSingleShot(true);
    Timer1_->setInterval(100);
    connect(Timer1_, &QTimer::timeout, this, &Edi2Dos::AggiornaFile1);
    osservaScarico_ = new QFileSystemWatcher(this);
    connect(osservaScarico_, &QFileSystemWatcher::directoryChanged, this, [this]() {
        if (!Timer1_->isActive())
            Timer1_->start();
    });

    connect(cmdRicevi_, &QPushButton::clicked, this, &Edi2Dos::RiceviMessaggi);
    connect(cmdOK_, &QPushButton::clicked, this, &Edi2Dos::SpostaTutti);

    AnteprimaTasti();
    // F2 presses no button here: the exit button moves every listed file.
    new TastiComuni(this, nullptr);
    Ripristina(900);
}

void Edi2Dos::CaricaRicevuti()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    cmdOK_->setText(QStringLiteral("&ESCI"));
    TDBGrid1_->Carica(ParametriEdi.CartellaRicevuti,
                      MascheraSelezione(ParametriEdi.UtenteFtp, filtro_->Campi()));
    if (TDBGrid1_->Elenco().Conta() > 0)
        cmdOK_->setText(QStringLiteral("&SPOSTA"));
    QApplication::restoreOverrideCursor();
}

void Edi2Dos::RiceviMessaggi()
{
    if (!ConnessoRemoto || Occupato() || Pannello()->isVisible())
        return;
    const std::array<QString, 4> campi = filtro_->Campi();
    filtro_->ImpostaCampo(3, NormalizzaTipo(campi[2]));
    filtro_->ImpostaCampo(4, NormalizzaProgressivo(campi[3]));
    const bool elenco = ModoElenco(ChiaveRicezione(filtro_->Campi()[2], filtro_->Campi()[3]));

    cmdOK_->setText(QStringLiteral("&ESCI"));
    // The run works on its own copy of what the window holds.
    const RichiestaRicezione richiesta = RichiestaDaGlobali(filtro_->Campi());
    AvvisiRicezione avvisi;
    avvisi.scarico = [this, richiesta](bool inizio) {
        if (inizio) {
            prefissoFile1_ =
                PrefissoGiorno(richiesta.utente, richiesta.campi[0], richiesta.campi[1]) +
                QStringLiteral(".*");
            AggiornaFile1();
            File1_->move(std::max(0, (width() - File1_->width()) / 2), height() / 2);
            File1_->show();
            File1_->raise();
            osservaScarico_->addPath(ParametriEdi.CartellaDaVerificare);
        } else {
            if (!osservaScarico_->directories().isEmpty())
                osservaScarico_->removePaths(osservaScarico_->directories());
            Timer1_->stop();
            File1_->hide();
        }
    };
    const QString messaggio =
        QLatin1String(elenco ? MessaggioListaRicezione : MessaggioRicezioneModello) +
        QLatin1Char('\n') + QLatin1String(AttenderePrego);
    if (!Ricevi(messaggio, avvisi, [&](const AvvisiRicezione& a, bool* occupato) {
            return elenco ? RiceviNuovi(richiesta, a, occupato)
                          : RiceviPerModello(richiesta, a, occupato);
        }))
        return;
    CaricaRicevuti();
    Pannello()->hide();
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

bool Edi2Dos::Verifica(const QString& nome, int* senzaFirmatario)
{
    return VerificaESposta(nome, Sbusta(), senzaFirmatario);
}

void Edi2Dos::SpostaUno(const QString& nome)
{
    int senzaFirmatario = 0;
    Verifica(nome, &senzaFirmatario);
    AvvisaSenzaFirmatario(senzaFirmatario);
    CaricaRicevuti();
}

void Edi2Dos::SpostaTutti()
{
    if (Occupato())
        return;
    // "&ESCI" is what the person sees: the window closes, nothing moves.
    if (cmdOK_->text() != QLatin1String("&SPOSTA")) {
        accept();
        return;
    }
    QStringList nomi;
    for (const RigaRicevuto& r : TDBGrid1_->Elenco().Righe())
        nomi << r.nome;
    // Said once for the whole move, whether it went to the end or not.
    int senzaFirmatario = 0;
    for (const QString& nome : nomi) {
        if (!Verifica(nome, &senzaFirmatario)) {
            AvvisaSenzaFirmatario(senzaFirmatario);
            CaricaRicevuti();
            return;
        }
    }
    AvvisaSenzaFirmatario(senzaFirmatario);
    accept();
}

void Edi2Dos::Visualizza(const QString& nome)
{
    VisualizzaRicevuto(this, nome, Sbusta());
}

void Edi2Dos::CampoModificato(int indice)
{
    QLineEdit* campo = filtro_->Campo(indice);
    const QString testo = campo->text();
    if (indice == 4 && testo.size() == 1 && IntervalloRistretto()) {
        const QString primo = ParametriEdi.Progr1.left(1);
        const QString ultimo = ParametriEdi.Progr2.left(1);
        if (testo < primo || testo > ultimo) {
            Messaggio(QStringLiteral("PROGRESSIVO ERRATO\n DA '") + ParametriEdi.Progr1 +
                      QStringLiteral("'  A '") + ParametriEdi.Progr2 + QStringLiteral("'"));
            filtro_->ImpostaCampo(4, QString());
        }
    }
    // A full field moves on, and is checked as it is left.
    if (campo->text().size() < campo->maxLength())
        CaricaRicevuti();
}
