#include "info/ui/ModelloRegistro.h"

#include <QBrush>
#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QLocale>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

// The file is read in aligned blocks: the rows of a run, and the runs next to
// it, mostly lie in the block already read.
constexpr qint64 BloccoRighe = 256 * 1024;
// Rows parsed and kept: a few screens.
constexpr int RigheTenute = 1024;

const QColor SfondoAvviso(0xfd, 0xdc, 0xd5);
const QColor TestoAvviso(0x8a, 0x15, 0x0c);

QString Campo(const QJsonObject& r, const QString& nome)
{
    return r.value(nome).toString();
}

QString OraBreve(const QString& iso)
{
    const QDateTime ora = QDateTime::fromString(iso, Qt::ISODate);
    return ora.isValid() ? ora.toString(u"HH:mm:ss"_s) : iso;
}

QString Valore(const QJsonValue& v)
{
    if (v.isNull() || v.isUndefined())
        return u"-"_s;
    if (v.isString())
        return v.toString();
    if (v.isDouble())
        return QString::number(v.toDouble(), 'g', 15);
    return QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact))
        .mid(1)
        .chopped(1);
}

} // namespace

ModelloRegistro::ModelloRegistro(QObject* padre) : QAbstractTableModel(padre), letti_(RigheTenute)
{
}

ModelloRegistro::~ModelloRegistro()
{
    Annulla();
    for (QThread* lettore : std::as_const(lettori_)) {
        lettore->wait();
        delete lettore;
    }
}

void ModelloRegistro::Annulla()
{
    if (annulla_)
        annulla_->store(true);
    annulla_.reset();
}

void ModelloRegistro::Carica(const QString& percorso)
{
    Annulla();
    beginResetModel();
    righe_.clear();
    indice_ = {};
    letti_.clear();
    file_.close();
    blocco_.clear();
    inizioBlocco_ = -1;
    inCaricamento_ = true;
    endResetModel();
    const quint64 generazione = ++generazione_;
    const auto annulla = annulla_ = std::make_shared<std::atomic<bool>>(false);
    QThread* lettore = QThread::create([this, percorso, annulla, generazione]() {
        IndiceRegistro indice = IndicizzaRegistro(percorso, annulla.get());
        if (annulla->load())
            return;
        QMetaObject::invokeMethod(
            this,
            [this, generazione, percorso, indice = std::move(indice)]() mutable {
                Indicizzato(generazione, percorso, std::move(indice));
            },
            Qt::QueuedConnection);
    });
    lettori_.append(lettore);
    connect(lettore, &QThread::finished, this, [this, lettore]() {
        lettori_.removeOne(lettore);
        lettore->deleteLater();
    });
    lettore->start(QThread::LowPriority);
}

void ModelloRegistro::Indicizzato(quint64 generazione, const QString& percorso,
                                  IndiceRegistro indice)
{
    if (generazione != generazione_)
        return;
    beginResetModel();
    indice_ = std::move(indice);
    file_.setFileName(percorso);
    if (indice_.errore.isEmpty() && !file_.open(QIODevice::ReadOnly)) {
        indice_.errore = percorso + u"\n("_s + file_.errorString() + u')';
        indice_.righe.clear();
    }
    inCaricamento_ = false;
    endResetModel();
    emit Caricato();
}

void ModelloRegistro::Imposta(const QList<QJsonObject>& record)
{
    Annulla();
    ++generazione_;
    beginResetModel();
    indice_ = {};
    letti_.clear();
    file_.close();
    blocco_.clear();
    inizioBlocco_ = -1;
    inCaricamento_ = false;
    righe_.clear();
    QString operazione;
    QString corsa;
    qsizetype inizio = -1; // the current run's start row
    bool finita = false;
    const auto chiudi = [&]() {
        // No end record: the program was killed, or the run is still going.
        if (inizio >= 0 && !finita)
            righe_[inizio].senzaFine = true;
    };
    for (const QJsonObject& r : record) {
        const QString chiave = Campo(r, u"corsa"_s);
        const QString tipo = Campo(r, u"tipo"_s);
        if (tipo == u"inizio"_s) {
            chiudi();
            operazione = Campo(r, u"operazione"_s);
            corsa = chiave;
            inizio = righe_.size();
            finita = false;
        } else if (chiave != corsa) {
            chiudi();
            operazione.clear(); // a run whose start was lost
            corsa = chiave;
            inizio = -1;
        }
        finita = finita || tipo == u"fine"_s;
        // A record of its own (an unwrap) names its operation itself.
        righe_.append(
            {r, r.contains(u"operazione"_s) ? Campo(r, u"operazione"_s) : operazione, false});
    }
    chiudi();
    endResetModel();
}

QByteArray ModelloRegistro::Linea(int riga) const
{
    const RigaIndice& r = indice_.righe[riga];
    const qint64 fine = r.inizio + r.lunghezza;
    if (r.inizio < inizioBlocco_ || fine > inizioBlocco_ + blocco_.size()) {
        const qint64 inizio = r.inizio / BloccoRighe * BloccoRighe;
        blocco_.clear();
        inizioBlocco_ = -1;
        if (!file_.seek(inizio))
            return {};
        blocco_ = file_.read(qMax(BloccoRighe, fine - inizio));
        inizioBlocco_ = inizio;
        if (fine > inizioBlocco_ + blocco_.size())
            return {};
    }
    return blocco_.sliced(r.inizio - inizioBlocco_, r.lunghezza);
}

const ModelloRegistro::Riga& ModelloRegistro::RigaA(int riga) const
{
    if (!righe_.isEmpty())
        return righe_[riga];
    if (const Riga* letta = letti_.object(riga))
        return *letta;
    auto* nuova = new Riga;
    nuova->record = QJsonDocument::fromJson(Linea(riga)).object();
    const qint32 operazione = indice_.righe[riga].operazione;
    if (operazione >= 0 && operazione < indice_.operazioni.size())
        nuova->operazione = indice_.operazioni[operazione];
    nuova->senzaFine = indice_.righe[riga].senzaFine;
    letti_.insert(riga, nuova);
    return *nuova;
}

QJsonObject ModelloRegistro::Record(int riga) const
{
    return riga >= 0 && riga < rowCount() ? RigaA(riga).record : QJsonObject();
}

bool ModelloRegistro::InAvviso(int riga) const
{
    if (riga < 0 || riga >= rowCount())
        return false;
    const Riga& letta = RigaA(riga);
    if (letta.senzaFine)
        return true;
    const QJsonObject& r = letta.record;
    const QString tipo = Campo(r, u"tipo"_s);
    const QString esito = Campo(r, u"esito"_s);
    if (tipo == u"file"_s)
        return esito != u"accettato"_s;
    if (tipo == u"fine"_s)
        return esito != u"completato"_s;
    return false;
}

QString ModelloRegistro::TestoRecord(const QJsonObject& record)
{
    static const QStringList ordine = {
        u"tipo"_s,     u"ora"_s,          u"operazione"_s, u"host"_s,     u"utente"_s,
        u"file"_s,     u"destinazione"_s, u"direzione"_s,  u"byte"_s,     u"esito"_s,
        u"risposta"_s, u"motivo"_s,       u"uscita"_s,     u"durata_s"_s, u"corsa"_s};
    QStringList campi;
    for (const QString& k : ordine)
        if (record.contains(k))
            campi << k;
    for (const QString& k : record.keys())
        if (!ordine.contains(k))
            campi << k;
    QStringList righe;
    for (const QString& k : std::as_const(campi))
        righe << k + u": "_s + Valore(record.value(k));
    return righe.join(u'\n');
}

int ModelloRegistro::rowCount(const QModelIndex& padre) const
{
    if (padre.isValid())
        return 0;
    return static_cast<int>(righe_.isEmpty() ? indice_.righe.size() : righe_.size());
}

int ModelloRegistro::columnCount(const QModelIndex& padre) const
{
    return padre.isValid() ? 0 : Colonne;
}

QString ModelloRegistro::Testo(const Riga& riga, int colonna) const
{
    const QJsonObject& r = riga.record;
    const QString tipo = Campo(r, u"tipo"_s);
    switch (colonna) {
    case ColOra:
        return OraBreve(Campo(r, u"ora"_s));
    case ColOperazione:
        return riga.operazione;
    case ColTipo:
        return tipo;
    case ColFile:
        return Campo(r, u"file"_s);
    case ColDirezione:
        return Campo(r, u"direzione"_s);
    case ColByte:
        return r.value(u"byte"_s).isDouble() ? QString::number(r.value(u"byte"_s).toInteger())
                                             : QString();
    case ColEsito:
        return riga.senzaFine ? u"interrotto"_s : Campo(r, u"esito"_s);
    case ColDettagli:
        if (tipo == u"inizio"_s)
            return u"utente "_s + Campo(r, u"utente"_s) + u" su "_s + Campo(r, u"host"_s) +
                   (riga.senzaFine
                        ? u" \u2014 nessun record di fine: programma chiuso a forza (o corsa "
                          "ancora in atto in un'altra copia)"_s
                        : QString());
        if (tipo == u"fine"_s)
            return u"uscita "_s + QString::number(r.value(u"uscita"_s).toInt()) + u", "_s +
                   QLocale().toString(r.value(u"durata_s"_s).toDouble(), 'f', 1) + u" s"_s;
        return Campo(r, u"risposta"_s).isEmpty() ? Campo(r, u"motivo"_s) : Campo(r, u"risposta"_s);
    default:
        return {};
    }
}

QVariant ModelloRegistro::data(const QModelIndex& indice, int ruolo) const
{
    if (!indice.isValid() || indice.row() >= rowCount() || indice.column() >= Colonne)
        return {};
    const int riga = indice.row();
    switch (ruolo) {
    case Qt::DisplayRole:
        // A search by file name looks at every row: the name alone is read.
        if (indice.column() == ColFile && righe_.isEmpty() && !letti_.contains(riga))
            return CampoRiga(Linea(riga), QLatin1StringView("file"));
        return Testo(RigaA(riga), indice.column());
    case Qt::ToolTipRole:
        return indice.column() == ColDettagli ? Testo(RigaA(riga), ColDettagli) : QVariant();
    case Qt::BackgroundRole:
        return InAvviso(riga) ? QBrush(SfondoAvviso) : QVariant();
    case Qt::ForegroundRole:
        return InAvviso(riga) ? QBrush(TestoAvviso) : QVariant();
    case Qt::FontRole:
        if (Campo(RigaA(riga).record, u"tipo"_s) == u"inizio"_s) {
            // Each run opens with a bold row: the runs stand apart.
            QFont grassetto;
            grassetto.setBold(true);
            return grassetto;
        }
        return {};
    case Qt::TextAlignmentRole:
        return indice.column() == ColByte ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                          : QVariant();
    default:
        return {};
    }
}

QVariant ModelloRegistro::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const
{
    if (orientamento != Qt::Horizontal || ruolo != Qt::DisplayRole)
        return QAbstractTableModel::headerData(sezione, orientamento, ruolo);
    static const QStringList titoli = {
        u"Ora"_s,       u"Operazione"_s, u"Record"_s, u"File"_s,
        u"Direzione"_s, u"Byte"_s,       u"Esito"_s,  u"Risposta del server / motivo"_s};
    return sezione >= 0 && sezione < titoli.size() ? QVariant(titoli[sezione]) : QVariant();
}
