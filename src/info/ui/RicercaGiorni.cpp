#include "info/ui/RicercaGiorni.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QThread>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr unsigned long AttesaChiusuraMs = 5000;

QListWidget* Elenco(const QString& nome, const QString& titolo, QWidget* padre)
{
    auto* l = new QListWidget(padre);
    l->setObjectName(nome);
    l->setAccessibleName(titolo);
    l->setUniformItemSizes(true);
    return l;
}

QString Avvertenze(const RisultatoRegistro& r)
{
    QString testo;
    if (r.illeggibili > 0)
        testo += u" \u2014 "_s + QString::number(r.illeggibili) + u" righe illeggibili saltate"_s;
    if (!r.errori.isEmpty())
        testo += u" \u2014 giorni non leggibili: "_s + QString::number(r.errori.size());
    return testo;
}

} // namespace

RicercaGiorni::RicercaGiorni(QWidget* padre) : QWidget(padre), stato_(std::make_shared<Stato>())
{
    setObjectName(u"RicercaGiorni"_s);
    auto* griglia = new QGridLayout(this);
    griglia->setContentsMargins(0, 0, 0, 0);

    auto* eCerca = new QLabel(u"Cerca in &tutti i giorni:"_s, this);
    txtCercaTutti_ = new QLineEdit(this);
    txtCercaTutti_->setObjectName(u"txtCercaTutti"_s);
    txtCercaTutti_->setPlaceholderText(u"parte del nome del file"_s);
    eCerca->setBuddy(txtCercaTutti_);
    cmdCercaTutti_ = new QPushButton(u"Cerca in tutti i giorni"_s, this);
    cmdCercaTutti_->setObjectName(u"cmdCercaTutti"_s);
    cmdCercaTutti_->setAutoDefault(false);
    auto* riga = new QHBoxLayout;
    riga->addWidget(eCerca);
    riga->addWidget(txtCercaTutti_, 1);
    riga->addWidget(cmdCercaTutti_);
    griglia->addLayout(riga, 0, 0);
    lstRisultati_ = Elenco(u"lstRisultati"_s, u"Cerca in tutti i giorni"_s, this);
    griglia->addWidget(lstRisultati_, 1, 0);

    lblStoria_ = new QLabel(u"Storia del file: selezionare un file"_s, this);
    lblStoria_->setObjectName(u"lblStoria"_s);
    lstStoria_ = Elenco(u"lstStoria"_s, u"Storia del file"_s, this);
    lblStoria_->setBuddy(lstStoria_);
    griglia->addWidget(lblStoria_, 0, 1);
    griglia->addWidget(lstStoria_, 1, 1);
    griglia->setColumnStretch(0, 1);
    griglia->setColumnStretch(1, 1);

    connect(cmdCercaTutti_, &QPushButton::clicked, this,
            [this]() { Cerca(txtCercaTutti_->text()); });
    connect(txtCercaTutti_, &QLineEdit::returnPressed, this,
            [this]() { Cerca(txtCercaTutti_->text()); });
    // A result's file has a story too.
    connect(lstRisultati_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* i) {
        if (i && !i->data(Qt::UserRole).toString().isEmpty())
            MostraStoria(i->data(Qt::UserRole).toString());
    });
}

RicercaGiorni::~RicercaGiorni()
{
    // The readings stop between days; one stuck on a huge day is left to end
    // by itself, its answer finding nobody.
    stato_->chiusura = true;
    for (QThread* filo : std::as_const(fili_))
        if (filo->wait(AttesaChiusuraMs))
            delete filo;
}

void RicercaGiorni::Avvia(std::atomic<int> Stato::*generazione, Lavoro lavoro, Fine fine)
{
    const int mia = ++((*stato_).*generazione);
    auto risultato = std::make_shared<RisultatoRegistro>();
    auto stato = stato_;
    QThread* filo = QThread::create([lavoro, risultato, stato, generazione, mia]() {
        // A newer request, or the window closing, ends this one between days.
        *risultato = lavoro(
            [&]() { return stato->chiusura.load() || ((*stato).*generazione).load() != mia; });
    });
    ++inCorso_;
    fili_.append(filo);
    connect(filo, &QThread::finished, this, [this, filo, generazione, mia, risultato, fine]() {
        --inCorso_;
        fili_.removeOne(filo);
        filo->deleteLater();
        if (((*stato_).*generazione).load() == mia && !risultato->annullata)
            fine(*risultato);
        emit Letto();
    });
    filo->start(QThread::LowPriority);
}

void RicercaGiorni::Cerca(const QString& testo)
{
    const QString cerca = testo.trimmed();
    lstRisultati_->clear();
    if (cerca.isEmpty())
        return;
    lstRisultati_->addItem(u"Ricerca in corso..."_s);
    Avvia(
        &Stato::ricerca,
        [cerca](const std::function<bool()>& fermo) {
            FiltroRegistro filtro;
            filtro.cerca = cerca;
            return CercaRegistro(filtro, fermo);
        },
        [this, cerca](const RisultatoRegistro& r) {
            lstRisultati_->clear();
            // Newest first.
            for (auto it = r.voci.crbegin(); it != r.voci.crend(); ++it) {
                auto* voce = new QListWidgetItem(RigaCronologia(*it), lstRisultati_);
                voce->setData(Qt::UserRole, it->record.value(u"file"_s).toString());
            }
            if (r.voci.isEmpty())
                lstRisultati_->addItem(u"Nessun record per \""_s + cerca + u'"' + Avvertenze(r));
            else if (!Avvertenze(r).isEmpty())
                lstRisultati_->addItem(Avvertenze(r).mid(3));
        });
}

void RicercaGiorni::MostraStoria(const QString& nome)
{
    const QString chiave = ChiaveStoria(nome);
    lstStoria_->clear();
    if (chiave.isEmpty()) {
        lblStoria_->setText(u"Storia del file: selezionare un file"_s);
        ++stato_->storia;
        return;
    }
    lblStoria_->setText(u"Storia del file "_s + chiave + u':');
    Avvia(
        &Stato::storia,
        [nome](const std::function<bool()>& fermo) { return StoriaFile(nome, fermo); },
        [this](const RisultatoRegistro& r) {
            lstStoria_->clear();
            for (const VoceRegistro& v : r.voci)
                lstStoria_->addItem(RigaCronologia(v));
            if (r.voci.isEmpty())
                lstStoria_->addItem(u"Nessun record."_s);
        });
}
