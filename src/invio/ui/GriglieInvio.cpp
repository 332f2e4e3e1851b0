#include "invio/ui/GriglieInvio.h"

#include "invio/ListaInvio.h"
#include "shell/Conversioni.h"
#include "shell/NomiFile.h"
#include "shell/ui/GrigliaElenco.h"
#include "shell/ui/ModelloElenco.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <array>

namespace {

const QList<QKeySequence> TastiSegna = {QKeySequence(Qt::Key_S), QKeySequence(Qt::Key_Return),
                                        QKeySequence(Qt::Key_Enter),
                                        QKeySequence(Qt::KeypadModifier | Qt::Key_Enter)};
const QList<QKeySequence> TastiTogli = {QKeySequence(Qt::Key_Space), QKeySequence(Qt::Key_N),
                                        QKeySequence(Qt::Key_Delete)};

ModoOrdine Modo(Qt::SortOrder verso)
{
    return verso == Qt::AscendingOrder ? Crescente : Decrescente;
}

} // namespace

GriglieInvio::GriglieInvio(ListaInvio& lista, QWidget* padre) : QWidget(padre), lista_(lista)
{
    const ElencoFile& e = lista_.Elenco();
    const QString tipi = QString::fromLatin1(TipiInvio);
    SorgenteElenco file;
    file.conta = [&e]() { return e.Conta(); };
    file.nome = [&e](qsizetype r) { return e[r].nome; };
    file.data = [&e](qsizetype r) { return DaDataSeriale(e[r].data); };
    file.dimensione = [&e](qsizetype r) { return e[r].dimensione; };
    file.segnata = [&e](qsizetype r) { return e[r].Segnata(); };
    using C = ModelloElenco::Contenuto;
    modelloElenco_ = new ModelloElenco({{C::Segno, QString()},
                                        {C::Nome, QStringLiteral("Nome")},
                                        {C::Data, QStringLiteral("Data")},
                                        {C::Dimensione, QStringLiteral("byte")}},
                                       tipi, std::move(file), this);
    SorgenteElenco invio;
    invio.conta = [&e]() { return e.ContaInvio(); };
    invio.nome = [&e](qsizetype k) { return e.NomeInvio(k); };
    modelloInvio_ =
        new ModelloElenco({{C::Nome, QStringLiteral("Nome")}}, tipi, std::move(invio), this);

    grdElenco_ = new GrigliaElenco(QStringLiteral("grdElenco"),
                                   QStringLiteral("ELENCO FILES TRASFERIRIBILI"), this);
    grdInvio_ = new GrigliaElenco(QStringLiteral("grdInvio"),
                                  QStringLiteral("ELENCO FILES DA TRASFERIRE"), this);
    grdElenco_->setModel(modelloElenco_);
    grdInvio_->setModel(modelloInvio_);

    // Columns wide enough for the bold text of a marked row.
    QFont neretto = grdElenco_->font();
    neretto.setBold(true);
    const QFontMetrics fm(neretto);
    const std::array<int, 4> larghezze = {
        fm.horizontalAdvance(QStringLiteral("WW")) + 6,
        fm.horizontalAdvance(QStringLiteral("ABCD0000.T00.P7M")) + 10,
        fm.horizontalAdvance(QStringLiteral("00/00/0000 00:00:00")) + 10,
        fm.horizontalAdvance(QStringLiteral("00.000.000")) + 10};
    grdElenco_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    int totale = 0;
    for (int c = 0; c < 4; ++c) {
        grdElenco_->setColumnWidth(c, larghezze[size_t(c)]);
        totale += larghezze[size_t(c)];
    }
    grdElenco_->horizontalHeader()->setStretchLastSection(true);
    grdInvio_->horizontalHeader()->setStretchLastSection(true);
    grdElenco_->setFixedWidth(totale +
                              grdElenco_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                              2 * grdElenco_->frameWidth() + 2);

    auto* griglie = new QHBoxLayout(this);
    griglie->setContentsMargins(0, 0, 0, 0);
    griglie->setSpacing(4);
    griglie->addWidget(grdElenco_, 0);
    griglie->addWidget(grdInvio_, 1);

    // Upper grid: Enter or "S" marks, space, "N" or Delete unmarks, then one
    // row down; a double click marks.
    grdElenco_->AggiungiTasti({QKeySequence(Qt::Key_F1)}, [this](int) {
        emit Aiuto(QStringLiteral("ELENCO FILES TRASFERIRIBILI"),
                   QStringLiteral("- Tasto destro del Mouse per aprire il menu' operazioni\n"
                                  " - Per inviarlo        :  <Invio>  oppure  'S'\n"
                                  " - Per non inviarlo:  'Canc'  oppure  'N'  oppure  'spazio'"));
    });
    grdElenco_->AggiungiTasti(TastiSegna, [this](int riga) {
        emit Tasto();
        Segna(riga);
        Scendi(riga);
    });
    grdElenco_->AggiungiTasti(TastiTogli, [this](int riga) {
        emit Tasto();
        if (riga < 0)
            return;
        Togli(lista_.Elenco()[riga].nome);
        Scendi(riga);
    });
    connect(grdElenco_, &GrigliaElenco::DoppioClic, this, &GriglieInvio::Segna);
    connect(grdElenco_, &GrigliaElenco::MenuRiga, this, [this](int riga, const QPoint& globale) {
        emit Menu(lista_.Elenco()[riga].nome, riga, globale);
    });
    connect(grdElenco_, &GrigliaElenco::Ordina, this, [this](int colonna, Qt::SortOrder verso) {
        lista_.OrdinaDaIntestazione(colonna, Modo(verso));
        Ricaricate();
    });

    // Lower grid: "N" or Delete unmarks.
    grdInvio_->AggiungiTasti({QKeySequence(Qt::Key_F1)}, [this](int) {
        emit Aiuto(QStringLiteral("ELENCO FILES DA TRASFERIRE"),
                   QStringLiteral("- Tasto destro del Mouse per aprire il menu' operazioni\n"
                                  " - Per non inviarlo:  'Canc'  oppure  'N'"));
    });
    grdInvio_->AggiungiTasti({QKeySequence(Qt::Key_N), QKeySequence(Qt::Key_Delete)},
                             [this](int riga) {
                                 emit Tasto();
                                 if (riga >= 0)
                                     Togli(lista_.Elenco().NomeInvio(riga));
                             });
    connect(grdInvio_, &GrigliaElenco::MenuRiga, this, [this](int riga, const QPoint& globale) {
        emit Menu(lista_.Elenco().NomeInvio(riga), -1, globale);
    });
    connect(grdInvio_, &GrigliaElenco::Ordina, this,
            [this](int, Qt::SortOrder verso) { OrdinaInvio(Modo(verso)); });

    for (GrigliaElenco* g : {grdElenco_, grdInvio_})
        connect(g, &GrigliaElenco::Tasto, this, &GriglieInvio::Tasto);
}

void GriglieInvio::Ricaricate()
{
    const int riga = grdElenco_->RigaCorrente();
    const int rigaInvio = grdInvio_->RigaCorrente();
    modelloElenco_->Ricarica();
    modelloInvio_->Ricarica();
    const int conta = modelloElenco_->rowCount();
    if (riga >= 0 && conta > 0)
        grdElenco_->ImpostaRigaCorrente(std::min(riga, conta - 1));
    const int contaInvio = modelloInvio_->rowCount();
    if (rigaInvio >= 0 && contaInvio > 0)
        grdInvio_->ImpostaRigaCorrente(std::min(rigaInvio, contaInvio - 1));
    emit SegniCambiati();
}

void GriglieInvio::OrdinaInvio(ModoOrdine modo)
{
    const int riga = grdInvio_->RigaCorrente();
    lista_.Elenco().OrdinaInvio(modo);
    modelloInvio_->Ricarica();
    const int conta = modelloInvio_->rowCount();
    if (riga >= 0 && conta > 0)
        grdInvio_->ImpostaRigaCorrente(std::min(riga, conta - 1));
}

void GriglieInvio::Segna(int riga)
{
    ElencoFile& e = lista_.Elenco();
    if (riga < 0 || riga >= e.Conta() || e[riga].nome.trimmed().isEmpty())
        return;
    if (e.InvioDaRicostruire()) {
        e.Segna(riga);
        modelloInvio_->Ricarica();
    } else if (!e[riga].Segnata()) {
        modelloInvio_->InizioInserimento(int(e.PosizioneInvio(riga)));
        e.Segna(riga);
        modelloInvio_->FineInserimento();
    }
    modelloElenco_->RigaCambiata(riga);
    emit SegniCambiati();
}

void GriglieInvio::Togli(const QString& nome)
{
    ElencoFile& e = lista_.Elenco();
    const qsizetype riga = e.Riga(nome);
    if (e.InvioDaRicostruire()) {
        e.Togli(nome);
        modelloInvio_->Ricarica();
    } else if (riga >= 0 && e[riga].Segnata()) {
        modelloInvio_->InizioRimozione(int(e.PosizioneInvio(riga)));
        e.Togli(nome);
        modelloInvio_->FineRimozione();
    }
    modelloElenco_->RigaCambiata(int(riga));
    emit SegniCambiati();
}

void GriglieInvio::Selezione(int indice)
{
    ElencoFile& e = lista_.Elenco();
    switch (indice) {
    case 0:
        e.Nessuno();
        break;
    case 1:
        e.Tutti();
        break;
    default:
        e.Inverti();
    }
    modelloElenco_->TutteCambiate();
    OrdinaInvio(e.ModoInvio());
    emit SegniCambiati();
}

void GriglieInvio::FileUscito(const QString& nome)
{
    Togli(nome);
    ElencoFile& e = lista_.Elenco();
    const qsizetype riga = e.Riga(nome);
    if (riga < 0)
        return;
    modelloElenco_->InizioRimozione(int(riga));
    e.TogliRiga(riga);
    modelloElenco_->FineRimozione();
    emit SegniCambiati();
}

void GriglieInvio::Scendi(int riga)
{
    if (riga >= 0 && riga + 1 < lista_.Elenco().Conta())
        grdElenco_->ImpostaRigaCorrente(riga + 1);
}
