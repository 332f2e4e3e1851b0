#include "scambio/RegistroCorsa.h"

#include "piattaforma/Messaggi.h"
#include "piattaforma/Orologio.h"
#include "shell/ChiaviIni.h"

#include <QCoreApplication>
#include <QJsonValue>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

bool corseAutomatiche = false;

// Local time with its offset from UTC, to the second; "+00:00" rather than
// "Z", which would read as not local.
QString OraIso(const QDateTime& ora)
{
    const int scarto = ora.offsetFromUtc();
    const int minuti = qAbs(scarto) / 60;
    return ora.toString(u"yyyy-MM-ddTHH:mm:ss"_s) + (scarto < 0 ? u'-' : u'+') +
           u"%1:%2"_s.arg(minuti / 60, 2, 10, QLatin1Char('0'))
               .arg(minuti % 60, 2, 10, QLatin1Char('0'));
}

QString ChiaveCorsa(const QDateTime& inizio)
{
    static int corse = 0;
    return inizio.toString(u"HHmmss"_s) + u'-' +
           QString::number(QCoreApplication::applicationPid()) + u'-' + QString::number(++corse);
}

QJsonValue TestoONull(const QString& testo)
{
    return testo.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(testo);
}

QString Esito(EsitoFileFtp esito)
{
    switch (esito) {
    case EsitoFileFtp::Accettato:
        return u"accettato"_s;
    case EsitoFileFtp::Rifiutato:
        return u"rifiutato"_s;
    case EsitoFileFtp::Incompleto:
        return u"incompleto"_s;
    case EsitoFileFtp::NonTentato:
        break;
    }
    return u"non tentato"_s;
}

QString Esito(StatoFtp stato)
{
    switch (stato) {
    case StatoFtp::Completato:
        return u"completato"_s;
    case StatoFtp::Interrotto:
        return u"interrotto"_s;
    case StatoFtp::NonAvviato:
        break;
    }
    return u"non avviato"_s;
}

// Why a file the transcript does not show was left, from how the run ended.
QString MotivoNonTentato(StatoFtp stato)
{
    switch (stato) {
    case StatoFtp::Completato:
        return u"il client non ha avviato il trasferimento"_s;
    case StatoFtp::Interrotto:
        return u"trasferimento interrotto prima di questo file"_s;
    case StatoFtp::NonAvviato:
        break;
    }
    return u"trasferimento non avviato"_s;
}

} // namespace

RegistroCorsa::RegistroCorsa(const RichiestaFtp& richiesta, const QDateTime& inizio)
    : righe_(richiesta.righe), password_(richiesta.password), rifiuto_(richiesta.rifiuto),
      corsa_(ChiaveCorsa(inizio)), scrittura_(inizio.date())
{
    const QString host = richiesta.host.trimmed().isEmpty() ? QString(Ini::DefaultHostFtp)
                                                            : richiesta.host.trimmed();
    CampiRegistro campi = {{u"tipo"_s, u"inizio"_s},
                           {u"ora"_s, OraIso(inizio)},
                           {u"operazione"_s, TestoONull(richiesta.operazione)},
                           {u"host"_s, host},
                           {u"utente"_s, richiesta.utente}};
    if (corseAutomatiche)
        campi.append({u"automatico"_s, true});
    Scrivi(campi);
    for (const NomeEscluso& e : richiesta.esclusi) {
        FileFtp f;
        f.file = e.nome;
        f.direzione = e.direzione;
        f.motivo = e.motivo;
        ScriviFile(f);
    }
}

void RegistroCorsa::Aggiorna(const LettoreTrascrizione& lettura)
{
    for (; scritti_ < lettura.Conclusi(); ++scritti_)
        ScriviFile(lettura.File(scritti_));
}

void RegistroCorsa::Chiudi(const EsitoFtp& esito)
{
    const QList<FileFtp> file = FileDellaTrascrizione(righe_, esito.trascrizione);
    for (; scritti_ < file.size(); ++scritti_) {
        FileFtp f = file[scritti_];
        if (f.esito == EsitoFileFtp::NonTentato && f.motivo.isEmpty())
            f.motivo = MotivoNonTentato(esito.stato);
        ScriviFile(f);
    }
    // A client that ran to its end may still have been turned away.
    QString rifiuto;
    if (esito.stato == StatoFtp::Completato) {
        rifiuto = AccessoRifiutato(esito.trascrizione);
        if (rifiuto.isEmpty() && rifiuto_)
            rifiuto = rifiuto_(esito.trascrizione);
    }
    CampiRegistro fine = {{u"tipo"_s, u"fine"_s},
                          {u"ora"_s, OraIso(Adesso())},
                          {u"uscita"_s, esito.uscita},
                          {u"durata_s"_s, std::round(esito.durata * 1000) / 1000},
                          {u"esito"_s, rifiuto.isEmpty() ? Esito(esito.stato) : u"rifiutato"_s}};
    if (!rifiuto.isEmpty())
        fine.append({u"motivo"_s, rifiuto});
    Scrivi(fine);
}

void RegistroCorsa::AvvisaErrore()
{
    if (avvisato_ || !scrittura_.Fallita())
        return;
    avvisato_ = true;
    Messaggio(QLatin1String(ErroreRegistro) + u'\n' + scrittura_.Errore() +
                  u"\nIL TRASFERIMENTO PROSEGUE NORMALMENTE, MA NEL REGISTRO NON RISULTA PER "
                  "INTERO."_s,
              Pulsanti::Ok, Icona::Avviso);
}

void RegistroCorsa::ScriviFile(const FileFtp& f)
{
    CampiRegistro campi = {
        {u"tipo"_s, u"file"_s}, {u"ora"_s, OraIso(Adesso())}, {u"file"_s, f.file}};
    if (!f.destinazione.isEmpty())
        campi.append({u"destinazione"_s, f.destinazione});
    campi.append({u"direzione"_s, f.direzione});
    campi.append({u"byte"_s, f.byte < 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(f.byte)});
    campi.append({u"esito"_s, Esito(f.esito)});
    campi.append({u"risposta"_s, TestoONull(f.risposta)});
    if (!f.motivo.isEmpty())
        campi.append({u"motivo"_s, f.motivo});
    Scrivi(campi);
}

void RegistroCorsa::Scrivi(CampiRegistro campi)
{
    campi.append({u"corsa"_s, corsa_});
    // Whatever a name or a reply may echo, the password stays out.
    if (!password_.isEmpty())
        for (auto& campo : campi)
            if (campo.second.isString() && campo.second.toString().contains(password_))
                campo.second = campo.second.toString().replace(password_, u"********"_s);
    scrittura_.Scrivi(campi);
}

void SegnaCorseAutomatiche(bool automatiche)
{
    corseAutomatiche = automatiche;
}

void RegistraCorsaSenzaFile(const RichiestaFtp& richiesta)
{
    RichiestaFtp senzaRighe = richiesta;
    senzaRighe.righe.clear();
    RegistroCorsa registro(senzaRighe, Adesso());
    registro.Chiudi({});
    registro.AvvisaErrore();
}

bool RegistraVerifica(const QString& file, const QString& destinazione, bool riuscita,
                      const QString& messaggio, QString* errore)
{
    const QDateTime ora = Adesso();
    ScritturaRegistro scrittura(ora.date());
    CampiRegistro campi = {{u"tipo"_s, u"file"_s},
                           {u"ora"_s, OraIso(ora)},
                           {u"operazione"_s, u"verifica"_s},
                           {u"file"_s, file}};
    if (!destinazione.isEmpty())
        campi.append({u"destinazione"_s, destinazione});
    campi.append({u"esito"_s, riuscita ? u"accettato"_s : u"rifiutato"_s});
    campi.append({u"risposta"_s, TestoONull(messaggio)});
    campi.append({u"corsa"_s, ChiaveCorsa(ora)});
    if (scrittura.Scrivi(campi))
        return true;
    if (errore)
        *errore = scrittura.Errore();
    return false;
}
