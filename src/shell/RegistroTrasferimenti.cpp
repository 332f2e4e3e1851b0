#include "shell/RegistroTrasferimenti.h"

#include "piattaforma/Percorsi.h"
#include "shell/Global.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

const QString FormatoGiorno = u"yyyy-MM-dd"_s;
const QString Estensione = u".jsonl"_s;

QByteArray Json(const QJsonValue& valore)
{
    // A lone value in an array: Qt's own escaping, without the brackets.
    const QByteArray testo = QJsonDocument(QJsonArray{valore}).toJson(QJsonDocument::Compact);
    return testo.mid(1, testo.size() - 2);
}

// Whether the file ends in the middle of a line, as a crash while writing
// leaves it: the next record must start on a line of its own.
bool RigaInterrotta(const QString& percorso)
{
    const QFileInfo info(percorso);
    if (!info.isFile() || info.size() <= 0)
        return false;
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(f.size() - 1))
        return false;
    char ultimo = '\n';
    return f.getChar(&ultimo) && ultimo != '\n';
}

} // namespace

QString CartellaRegistro()
{
    if (CartellaProgramma.isEmpty())
        return {};
    return UnisciPercorso(CartellaProgramma, QLatin1String(NomeCartellaRegistro));
}

QString FileRegistro(const QDate& giorno)
{
    const QString cartella = CartellaRegistro();
    if (cartella.isEmpty() || !giorno.isValid())
        return {};
    return UnisciPercorso(cartella, giorno.toString(FormatoGiorno) + Estensione);
}

QDate GiornoDelFile(const QString& nome)
{
    if (!nome.endsWith(Estensione) || nome.size() != 10 + Estensione.size())
        return {};
    const QDate giorno = QDate::fromString(nome.left(10), FormatoGiorno);
    return giorno.isValid() && giorno.toString(FormatoGiorno) == nome.left(10) ? giorno : QDate();
}

QByteArray RigaRegistro(const CampiRegistro& campi)
{
    QByteArray riga = "{";
    for (const auto& [chiave, valore] : campi) {
        if (riga.size() > 1)
            riga += ',';
        riga += Json(chiave) + ':' + Json(valore);
    }
    return riga + "}\n";
}

ScritturaRegistro::ScritturaRegistro(const QDate& giorno) : percorso_(FileRegistro(giorno)) {}

bool ScritturaRegistro::Apri()
{
    // User codes, hosts and declaration names: for the owner's eyes only.
    const QString cartella = QFileInfo(percorso_).path();
    const auto soloProprietario = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    if (!QFileInfo(cartella).isDir() &&
        !(QDir().mkpath(QFileInfo(cartella).path()) && QDir().mkdir(cartella, soloProprietario))) {
        errore_ = cartella + u"\n(impossibile creare la cartella)"_s;
        return false;
    }
    // A folder an older version left open to everyone is closed again.
    const auto altri = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                       QFile::WriteOther | QFile::ExeOther;
    if (const auto permessi = QFile::permissions(cartella); permessi & altri)
        QFile::setPermissions(cartella, permessi & ~altri);
    nuovo_ = !QFileInfo::exists(percorso_);
    const bool aCapo = RigaInterrotta(percorso_);
    file_.setFileName(percorso_);
    // Unbuffered: each record goes to the system in one write, whole, even
    // when another copy of the program appends to the same day.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered,
                    QFile::ReadOwner | QFile::WriteOwner)) {
        errore_ = percorso_ + u"\n("_s + file_.errorString() + u')';
        return false;
    }
    if (aCapo && file_.write("\n", 1) != 1) {
        errore_ = percorso_ + u"\n("_s + file_.errorString() + u')';
        return false;
    }
    return true;
}

bool ScritturaRegistro::Scrivi(const CampiRegistro& campi)
{
    if (percorso_.isEmpty())
        return true; // no program folder: nowhere to keep a log
    if (Fallita() || (!file_.isOpen() && !Apri()))
        return false;
    const QByteArray riga = RigaRegistro(campi);
    if (file_.write(riga) != riga.size() || !file_.flush()) {
        errore_ = percorso_ + u"\n("_s + file_.errorString() + u')';
        file_.close();
        return false;
    }
    return true;
}

bool ScritturaRegistro::Sincronizza()
{
    if (!file_.isOpen() || Fallita())
        return !Fallita();
#ifdef Q_OS_UNIX
    // On the disk, not in the system's cache: a power cut must not lose the
    // record of what went to Customs. A new day file needs its folder's entry
    // on the disk too.
    if (::fdatasync(file_.handle()) != 0) {
        errore_ = percorso_ + u"\n("_s + QString::fromLocal8Bit(std::strerror(errno)) + u')';
        return false;
    }
    if (nuovo_) {
        const int cartella = ::open(QFile::encodeName(QFileInfo(percorso_).path()).constData(),
                                    O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (cartella >= 0) {
            ::fsync(cartella);
            ::close(cartella);
        }
        nuovo_ = false;
    }
#endif
    return true;
}

QList<QDate> GiorniRegistro()
{
    QList<QDate> giorni;
    const QString cartella = CartellaRegistro();
    if (cartella.isEmpty())
        return giorni;
    for (const QString& nome :
         QDir(cartella).entryList({u"*"_s + Estensione}, QDir::Files | QDir::Readable)) {
        const QDate giorno = GiornoDelFile(nome);
        if (giorno.isValid())
            giorni.append(giorno);
    }
    std::sort(giorni.begin(), giorni.end(), std::greater<>());
    return giorni;
}

GiornoRegistro LeggiRegistro(const QDate& giorno)
{
    GiornoRegistro letto;
    QFile f(FileRegistro(giorno));
    if (!f.open(QIODevice::ReadOnly)) {
        letto.errore = f.fileName() + u"\n("_s + f.errorString() + u')';
        return letto;
    }
    const QList<QByteArray> righe = f.readAll().split('\n');
    for (QByteArray riga : righe) {
        if (riga.endsWith('\r'))
            riga.chop(1);
        if (riga.trimmed().isEmpty())
            continue;
        QJsonParseError errore;
        const QJsonDocument documento = QJsonDocument::fromJson(riga, &errore);
        if (errore.error != QJsonParseError::NoError || !documento.isObject() ||
            !documento.object().value(u"tipo"_s).isString()) {
            ++letto.illeggibili;
            continue;
        }
        letto.record.append(documento.object());
    }
    return letto;
}

QList<QJsonObject> RecordPerCorsa(const QList<QJsonObject>& record)
{
    // Each run's records carry its key; without one, a record belongs to the
    // run last opened.
    QList<QList<QJsonObject>> corse;
    QHash<QString, qsizetype> perChiave;
    qsizetype ultima = -1;
    for (const QJsonObject& r : record) {
        const QString chiave = r.value(u"corsa"_s).toString();
        qsizetype indice = -1;
        if (!chiave.isEmpty()) {
            indice = perChiave.value(chiave, -1);
            if (indice < 0) {
                indice = corse.size();
                perChiave.insert(chiave, indice);
                corse.append(QList<QJsonObject>());
            }
        } else if (r.value(u"tipo"_s).toString() == u"inizio"_s || ultima < 0) {
            indice = corse.size();
            corse.append(QList<QJsonObject>());
        } else {
            indice = ultima;
        }
        corse[indice].append(r);
        ultima = indice;
    }
    QList<QJsonObject> ordinati;
    ordinati.reserve(record.size());
    for (auto it = corse.crbegin(); it != corse.crend(); ++it)
        ordinati += *it;
    return ordinati;
}

int PulisciRegistro(int giorni, const QDate& oggi)
{
    const QString cartella = CartellaRegistro();
    if (giorni <= 0 || cartella.isEmpty() || !oggi.isValid())
        return 0;
    QDir dir(cartella);
    QList<QPair<QDate, QString>> registri;
    for (const QString& nome : dir.entryList({u"*"_s + Estensione}, QDir::Files)) {
        const QDate giorno = GiornoDelFile(nome);
        if (giorno.isValid())
            registri.append({giorno, nome});
    }
    if (registri.isEmpty())
        return 0;
    // A clock set ahead must not empty the log: the days are counted back
    // from the newest day present when today is past it, so the newest stays.
    const QDate piuRecente = std::max_element(registri.cbegin(), registri.cend())->first;
    const QDate riferimento = std::min(oggi, piuRecente);
    int cancellati = 0;
    for (const auto& [giorno, nome] : std::as_const(registri))
        if (giorno.daysTo(riferimento) > giorni && dir.remove(nome))
            ++cancellati;
    return cancellati;
}
