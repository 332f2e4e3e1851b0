#include "info/ui/FrmRegistro.h"

#include "info/ui/ModelloRegistro.h"
#include "info/ui/RicercaGiorni.h"
#include "piattaforma/Messaggi.h"
#include "shell/RegistroTrasferimenti.h"
#include "shell/ui/Finestre.h"
#include "shell/ui/TastiComuni.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QString Titolo = u"Registro trasferimenti"_s;

QPushButton* Pulsante(QWidget* padre, const QString& nome, const QString& testo)
{
    auto* p = new QPushButton(testo, padre);
    p->setObjectName(nome);
    p->setAutoDefault(false);
    return p;
}

QString Righe(int n, const char* una, const char* molte)
{
    return QString::number(n) + u' ' + QLatin1String(n == 1 ? una : molte);
}

} // namespace

FrmRegistro::FrmRegistro(QWidget* padre) : QDialog(padre)
{
    setObjectName(u"FrmRegistro"_s);
    setModal(true);
    setWindowTitle(Titolo);
    resize(980, 700);

    auto* layout = new QVBoxLayout(this);
    auto* alto = new QHBoxLayout;
    auto* eGiorno = new QLabel(u"&Giorno:"_s, this);
    cmbGiorno_ = new QComboBox(this);
    cmbGiorno_->setObjectName(u"cmbGiorno"_s);
    cmbGiorno_->setMinimumContentsLength(10);
    eGiorno->setBuddy(cmbGiorno_);
    auto* eCerca = new QLabel(u"&Cerca file:"_s, this);
    txtCerca_ = new QLineEdit(this);
    txtCerca_->setObjectName(u"txtCerca"_s);
    txtCerca_->setPlaceholderText(u"parte del nome"_s);
    txtCerca_->setClearButtonEnabled(true);
    eCerca->setBuddy(txtCerca_);
    cmdAggiorna_ = Pulsante(this, u"cmdAggiorna"_s, u"&Aggiorna"_s);
    alto->addWidget(eGiorno);
    alto->addWidget(cmbGiorno_);
    alto->addSpacing(16);
    alto->addWidget(eCerca);
    alto->addWidget(txtCerca_, 1);
    alto->addSpacing(16);
    alto->addWidget(cmdAggiorna_);
    layout->addLayout(alto);

    modello_ = new ModelloRegistro(this);
    filtro_ = new QSortFilterProxyModel(this);
    filtro_->setSourceModel(modello_);
    filtro_->setFilterKeyColumn(ModelloRegistro::ColFile);
    filtro_->setFilterCaseSensitivity(Qt::CaseInsensitive);

    grdRegistro_ = new QTableView(this);
    grdRegistro_->setObjectName(u"grdRegistro"_s);
    grdRegistro_->setAccessibleName(Titolo);
    grdRegistro_->setModel(filtro_);
    grdRegistro_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdRegistro_->setSelectionMode(QAbstractItemView::SingleSelection);
    grdRegistro_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdRegistro_->setWordWrap(false);
    grdRegistro_->verticalHeader()->hide();
    grdRegistro_->verticalHeader()->setDefaultSectionSize(grdRegistro_->fontMetrics().height() + 6);
    grdRegistro_->horizontalHeader()->setStretchLastSection(true);
    grdRegistro_->horizontalHeader()->setHighlightSections(false);
    layout->addWidget(grdRegistro_, 2);
    ricerca_ = new RicercaGiorni(this);
    layout->addWidget(ricerca_, 1);

    auto* basso = new QHBoxLayout;
    lblStato_ = new QLabel(this);
    lblStato_->setObjectName(u"lblStato"_s);
    lblStato_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cmdChiudi_ = Pulsante(this, u"cmdChiudi"_s, u"&Chiudi"_s);
    basso->addWidget(lblStato_, 1);
    basso->addWidget(cmdChiudi_);
    layout->addLayout(basso);

    connect(modello_, &ModelloRegistro::Caricato, this, &FrmRegistro::Caricato);
    connect(cmbGiorno_, &QComboBox::currentIndexChanged, this, [this]() { Carica(); });
    connect(txtCerca_, &QLineEdit::textChanged, this, [this](const QString& testo) {
        filtro_->setFilterFixedString(testo.trimmed());
        MostraStato();
    });
    connect(cmdAggiorna_, &QPushButton::clicked, this, &FrmRegistro::Aggiorna);
    connect(cmdChiudi_, &QPushButton::clicked, this, &QDialog::reject);
    connect(grdRegistro_, &QAbstractItemView::activated, this, &FrmRegistro::MostraRecord);
    // The selected row's file: its story across the days.
    connect(grdRegistro_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& indice) {
                if (indice.isValid())
                    ricerca_->MostraStoria(modello_->Record(filtro_->mapToSource(indice).row())
                                               .value(u"file"_s)
                                               .toString());
            });
    new TastiComuni(this, cmdChiudi_);

    Aggiorna();
    txtCerca_->setFocus();
    RipristinaPosizione(this);
}

QDate FrmRegistro::Giorno() const
{
    return cmbGiorno_->currentData().toDate();
}

void FrmRegistro::MostraGiorno(const QDate& giorno)
{
    const int i = cmbGiorno_->findData(giorno);
    if (i >= 0)
        cmbGiorno_->setCurrentIndex(i);
}

void FrmRegistro::Aggiorna()
{
    const QDate prima = Giorno();
    {
        const QSignalBlocker blocco(cmbGiorno_);
        cmbGiorno_->clear();
        for (const QDate& g : GiorniRegistro())
            cmbGiorno_->addItem(g.toString(u"dd/MM/yyyy"_s), g);
        const int i = cmbGiorno_->findData(prima);
        cmbGiorno_->setCurrentIndex(i >= 0 ? i : 0);
    }
    cmbGiorno_->setEnabled(cmbGiorno_->count() > 0);
    Carica();
}

void FrmRegistro::Carica()
{
    const QDate giorno = Giorno();
    if (giorno.isValid())
        modello_->Carica(FileRegistro(giorno));
    else
        modello_->Imposta({});
    MostraStato();
}

void FrmRegistro::Caricato()
{
    grdRegistro_->resizeColumnsToContents();
    // A long reply must not push the others out of sight.
    for (int c = 0; c < ModelloRegistro::ColDettagli; ++c)
        grdRegistro_->setColumnWidth(c, qMin(grdRegistro_->columnWidth(c), 260));
    MostraStato();
}

void FrmRegistro::MostraStato()
{
    if (!Giorno().isValid()) {
        lblStato_->setText(u"Nessun trasferimento registrato."_s);
        return;
    }
    if (modello_->InCaricamento()) {
        lblStato_->setText(u"Lettura del registro..."_s);
        return;
    }
    if (!modello_->Errore().isEmpty()) {
        lblStato_->setText(u"Impossibile leggere il registro: "_s +
                           QString(modello_->Errore()).replace(u'\n', u' '));
        return;
    }
    const int tutte = modello_->rowCount();
    QString testo =
        filtro_->filterRegularExpression().pattern().isEmpty()
            ? Righe(tutte, "record", "record")
            : QString::number(filtro_->rowCount()) + u" di "_s + Righe(tutte, "record", "record");
    const int illeggibili = modello_->Illeggibili();
    if (illeggibili > 0)
        testo += u" \u2014 "_s +
                 Righe(illeggibili, "riga illeggibile saltata", "righe illeggibili saltate") +
                 u" (scrittura interrotta)"_s;
    lblStato_->setText(testo);
}

void FrmRegistro::MostraRecord(const QModelIndex& indice)
{
    if (!indice.isValid())
        return;
    const QJsonObject record = modello_->Record(filtro_->mapToSource(indice).row());
    Messaggio(ModelloRegistro::TestoRecord(record), Pulsanti::Ok, Icona::Informazione, Titolo);
}

void FrmRegistro::done(int esito)
{
    SalvaPosizione(this);
    QDialog::done(esito);
}
