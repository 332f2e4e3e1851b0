#include "app/RigaNuoviMessaggi.h"

#include "piattaforma/ArchivioUtente.h"
#include "piattaforma/Orologio.h"
#include "shell/RegistroTrasferimenti.h"
#include "shell/RicercaRegistro.h"
#include "shell/Routine.h"

#include <QFileInfo>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

constexpr int IntervalloMs = 5000;
const QString Sezione = u"Setting"_s;
const QString Chiave = u"RicevutiVisti"_s;

} // namespace

RigaNuoviMessaggi::RigaNuoviMessaggi(QWidget* padre) : QLabel(padre)
{
    setObjectName(u"lbNuovi"_s);
    setAlignment(Qt::AlignCenter);
    QFont grassetto = font();
    grassetto.setBold(true);
    setFont(grassetto);
    controllo_ = new QTimer(this);
    controllo_->setInterval(IntervalloMs);
    connect(controllo_, &QTimer::timeout, this, &RigaNuoviMessaggi::Aggiorna);
}

void RigaNuoviMessaggi::Aggiorna()
{
    if (!controllo_->isActive())
        controllo_->start();
    if (!visti_.isValid()) {
        visti_ = QDateTime::fromString(LeggiValoreUtente(NomeEseguibile(), Sezione, Chiave),
                                       Qt::ISODate);
        // The first start counts from now, not the whole log.
        if (!visti_.isValid())
            SegnaVisti();
    }
    const QFileInfo oggi(FileRegistro(Oggi()));
    const QString stato = oggi.filePath() + QString::number(oggi.size()) +
                          oggi.lastModified().toString(Qt::ISODateWithMs) +
                          visti_.toString(Qt::ISODate);
    if (stato == statoRegistro_)
        return;
    statoRegistro_ = stato;
    nuovi_ = RicevutiAutomatici(visti_);
    setText(nuovi_ > 0 ? u"Nuovi messaggi: "_s + QString::number(nuovi_) : QString());
    setAccessibleName(text());
}

void RigaNuoviMessaggi::SegnaVisti()
{
    visti_ = Adesso();
    ScriviValoreUtente(NomeEseguibile(), Sezione, Chiave, visti_.toString(Qt::ISODate));
    Aggiorna();
}
