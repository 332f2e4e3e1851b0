#include "ricezione/ui/GrigliaRicevuti.h"

#include "shell/Global.h"
#include "shell/NomiFile.h"
#include "shell/ui/ModelloElenco.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>

#include <algorithm>

GrigliaRicevuti::GrigliaRicevuti(QWidget* padre)
    : GrigliaElenco(QStringLiteral("TDBGrid1"), QStringLiteral("Nome"), padre)
{
    SorgenteElenco sorgente;
    sorgente.conta = [this]() { return elenco_.Conta(); };
    sorgente.nome = [this](qsizetype r) { return elenco_[r].nome; };
    sorgente.data = [this](qsizetype r) { return elenco_[r].data; };
    sorgente.dimensione = [this](qsizetype r) { return elenco_[r].dimensione; };
    using C = ModelloElenco::Contenuto;
    modello_ = new ModelloElenco({{C::Nome, QStringLiteral("Nome")},
                                  {C::Data, QStringLiteral("Data")},
                                  {C::Dimensione, QStringLiteral("Dimens.")},
                                  {C::Vuota, QString()}},
                                 QString::fromLatin1(TipiRisposta), std::move(sorgente), this);
    setModel(modello_);
    horizontalHeader()->setMinimumSectionSize(8);
    // The window's width is fixed and the columns fit in it.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalHeader()->setStretchLastSection(true);
    const QFontMetrics fm(font());
    setColumnWidth(0, fm.horizontalAdvance(QStringLiteral("ABCD0000.T00.P7M")) + 12);
    setColumnWidth(1, fm.horizontalAdvance(QStringLiteral("00/00/0000 00:00:00")) + 12);
    setColumnWidth(2, fm.horizontalAdvance(QStringLiteral("00.000.000")) + 12);

    colonna_ = std::clamp(OrdinaColRicevi, 0, 2);
    modo_ = OrdinaModoRicevi;

    Mu_base_ = new QMenu(QStringLiteral("Base"), this);
    Mu_base_->setObjectName(QStringLiteral("Mu_base"));
    Mu_storico_ = Mu_base_->addAction(QStringLiteral("&Storicizza"));
    Mu_storico_->setObjectName(QStringLiteral("Mu_storico"));
    Mu_vedi_ = Mu_base_->addAction(QStringLiteral("&Visualizza"));
    Mu_vedi_->setObjectName(QStringLiteral("Mu_vedi"));
    connect(Mu_storico_, &QAction::triggered, this, [this]() {
        if (const QString f = FileCorrente(); !f.trimmed().isEmpty())
            emit Sposta(f);
    });
    connect(Mu_vedi_, &QAction::triggered, this, [this]() {
        if (const QString f = FileCorrente(); !f.trimmed().isEmpty())
            emit Visualizza(f);
    });

    connect(this, &GrigliaElenco::Ordina, this, [this](int colonna, Qt::SortOrder verso) {
        if (colonna > 2)
            return;
        // Not remembered: the next reload sorts by the configured column.
        modo_ = verso == Qt::AscendingOrder ? Crescente : Decrescente;
        OrdinaGriglia(colonna);
    });
    connect(this, &GrigliaElenco::MenuRiga, this, &GrigliaRicevuti::ApriMenu);
    connect(this, &GrigliaElenco::DoppioClic, this, [this](int riga) {
        if (!elenco_[riga].nome.trimmed().isEmpty())
            emit Visualizza(elenco_[riga].nome);
    });
    AggiungiTasti({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
                   QKeySequence(Qt::KeypadModifier | Qt::Key_Enter)},
                  [this](int riga) {
                      if (riga >= 0 && riga < elenco_.Conta())
                          emit Visualizza(elenco_[riga].nome);
                  });
}

QString GrigliaRicevuti::FileCorrente() const
{
    const int riga = RigaCorrente();
    return riga >= 0 && riga < elenco_.Conta() ? elenco_[riga].nome : QString();
}

void GrigliaRicevuti::Carica(const QString& cartella, const QString& maschera)
{
    elenco_.Carica(cartella, maschera);
    OrdinaGriglia(colonna_);
}

void GrigliaRicevuti::Svuota()
{
    elenco_.Svuota();
    modello_->Ricarica();
}

void GrigliaRicevuti::OrdinaGriglia(int colonna)
{
    const int riga = RigaCorrente();
    elenco_.Ordina(colonna, modo_);
    modello_->Ricarica();
    // The current row stays inside the refilled table.
    if (riga >= 0 && elenco_.Conta() > 0)
        ImpostaRigaCorrente(std::min<int>(riga, int(elenco_.Conta()) - 1));
}

void GrigliaRicevuti::ApriMenu(int riga, const QPoint& globale)
{
    const QString nome = elenco_[riga].nome;
    Mu_storico_->setText(QStringLiteral("&Sposta  ") + nome);
    Mu_vedi_->setText(QStringLiteral("&Visualizza  ") + nome);
    Mu_storico_->setVisible(conSposta_);
    Mu_vedi_->setVisible(true);
    Mu_base_->popup(globale);
}
