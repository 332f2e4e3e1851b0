#include "ricezione/RiceviAutomatico.h"

#include "piattaforma/BloccoTrasferimenti.h"
#include "piattaforma/ClienteFtp.h"
#include "piattaforma/Orologio.h"
#include "piattaforma/Percorsi.h"
#include "piattaforma/ProvaTcp.h"
#include "piattaforma/SegnaliTermine.h"
#include "ricezione/NomiRicezione.h"
#include "ricezione/RiceviMessaggi.h"
#include "ricezione/SpostaRicevuti.h"
#include "scambio/EseguiScriptFtp.h"
#include "scambio/RegistroCorsa.h"
#include "scambio/VerificaFirma.h"
#include "shell/Avvio.h"
#include "shell/CartelleLavoro.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/Routine.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {

constexpr int AttesaServerMs = 30000;
constexpr quint16 PortaFtp = 21;

// The client would only print "Not connected" for every line: a server that
// does not answer is said at once, by name.
QString ServerNonRaggiungibile(const QString& hostFtp)
{
    const QStringList parti =
        (hostFtp.trimmed().isEmpty() ? QString(Ini::DefaultHostFtp) : hostFtp.trimmed())
            .split(u' ', Qt::SkipEmptyParts);
    bool ok = true;
    const quint16 porta = parti.size() > 1 ? parti[1].toUShort(&ok) : PortaFtp;
    if (!ok)
        return {};
    const QString errore = ProvaConnessioneTcp(parti[0], porta, AttesaServerMs);
    if (errore.isEmpty())
        return {};
    return u"SERVER DELLA DOGANA NON RAGGIUNGIBILE: "_s + parti.join(u' ') + u" ("_s + errore +
           u')';
}

// The settings' own reasons why no run can start, or "".
QString ParametriMancanti()
{
    if (ParametriEdi.CartellaBase.isEmpty())
        return u"CARTELLA BASE NON IMPOSTATA NEL FILE DELLE IMPOSTAZIONI "_s + FileIni;
    if (ParametriEdi.UtenteFtp.isEmpty())
        return u"CODICE UTENTE DELLA DOGANA (AUTORFTP) NON IMPOSTATO IN "_s + FileIni;
    if (ParametriEdi.PasswordFtp.isEmpty())
        return u"PASSWORD DELLA DOGANA (PASSWFTP) NON IMPOSTATA IN "_s + FileIni;
    if (ClienteFtp::Programma().isEmpty())
        return u"CLIENT FTP (tnftp o ftp) NON TROVATO NEL PATH"_s;
    return {};
}

// What the window's signed-file check does, without the window.
int SbustaSenzaFinestra(const QString& origine, const QString& destino, QString* errore)
{
    QString messaggio;
    const int esito = SbustaFile(origine, destino, &messaggio);
    if (errore)
        *errore = esito == SbustaRiuscito ? QString() : messaggio;
    EsitoOperazione = esito;
    return esito;
}

void Giri(EsitoRiceviAutomatico& esito, const QDate& giorno)
{
    const std::array<QString, 4> campi = {giorno.toString(u"MM"_s), giorno.toString(u"dd"_s),
                                          NormalizzaTipo({}), NormalizzaProgressivo({})};
    QSet<QString> arrivati;
    for (int giro = 1; giro <= GiriMassimi; ++giro) {
        if (TerminazioneRichiesta()) {
            esito.interrotto = true;
            return;
        }
        const EsitoRicezione e = RiceviNuovi(RichiestaDaGlobali(campi), {});
        esito.giri = giro;
        for (const QString& n : e.ricevuti) {
            if (!arrivati.contains(n)) {
                arrivati.insert(n);
                esito.ricevuti.append(n);
            }
            esito.nonRicevuti.removeAll(n);
        }
        for (const QString& n : e.incompleti)
            if (!esito.nonRicevuti.contains(n))
                esito.nonRicevuti.append(n);
        if (TerminazioneRichiesta()) {
            esito.interrotto = true;
            return;
        }
        if (!e.elencoRicevuto) {
            esito.errori.append(u"ELENCO DEI MESSAGGI NON RICEVUTO DAL SERVER DELLA DOGANA"_s);
            esito.codice = giro == 1 ? RicezioneImpossibile : RicezioneParziale;
            return;
        }
        // Done when nothing was left over, or when a round brought nothing:
        // a file that keeps failing waits for the next run.
        if (e.ricevuti.isEmpty() || e.nuovi <= e.richiesti.size())
            break;
    }
    esito.codice = RicezioneFatta;
}

} // namespace

QDate GiornoDaMmgg(const QString& mmgg, const QDate& oggi)
{
    static const QRegularExpression quattroCifre(u"^[0-9]{4}$"_s);
    if (!quattroCifre.match(mmgg).hasMatch())
        return {};
    return QDate(oggi.year(), mmgg.left(2).toInt(), mmgg.right(2).toInt());
}

EsitoRiceviAutomatico RiceviAutomatico(const OpzioniRiceviAutomatico& opzioni)
{
    EsitoRiceviAutomatico esito;
    CartellaProgramma = opzioni.cartellaProgramma;
    if (!QFileInfo(CartellaProgramma).isDir()) {
        esito.errori.append(u"LA CARTELLA DEL PROGRAMMA "_s + CartellaProgramma + u" NON ESISTE"_s);
        return esito;
    }
    ImpostaCartellaProgramma();
    // Unattended, a missing settings file is not made: it is said.
    if (!QFileInfo(FileIni).isFile()) {
        esito.errori.append(u"FILE DELLE IMPOSTAZIONI NON TROVATO: "_s + FileIni);
        return esito;
    }
    CaricaParametriEdi();
    ImpostaPercorsiCartelle();
    if (const QString m = ParametriMancanti(); !m.isEmpty()) {
        esito.errori.append(m);
        return esito;
    }

    // Held from the first listing to the last unwrap; taken before anything
    // is touched.
    const BloccoTrasferimenti blocco(CartellaProgramma);
    if (!blocco.Preso()) {
        esito.errori.append(blocco.Motivo().simplified());
        esito.codice =
            blocco.Stato() == StatoBlocco::AltraCopia ? RicezioneOccupata : RicezioneImpossibile;
        return esito;
    }
    if (!ConnessioneRemotaAttiva()) {
        QString modello = LeggiIni(FileIni, Ini::SezEdi, Ini::Connessione);
        if (modello.isEmpty())
            modello = QString(Ini::DefaultConnessione);
        esito.errori.append(u"CONNESSIONE ALLA DOGANA NON ATTIVA (NESSUNA INTERFACCIA "_s +
                            modello + u" ATTIVA): NESSUN FILE RICHIESTO"_s);
        return esito;
    }
    if (!CreaCartelle()) {
        esito.errori.append(u"IMPOSSIBILE CREARE LE CARTELLE DI LAVORO SOTTO "_s +
                            ParametriEdi.CartellaBase);
        return esito;
    }
    FileComandiFtp = UnisciPercorso(CartellaProgramma, u"Xcmd.txt"_s);
    CartellaTemp = UnisciPercorso(CartellaProgramma, u"TempFile"_s) + QDir::separator();
    if (const QString m = ServerNonRaggiungibile(ParametriEdi.HostFtp); !m.isEmpty()) {
        esito.errori.append(m);
        return esito;
    }

    SegnaCorseAutomatiche(true);
    Giri(esito, opzioni.giorno.isValid() ? opzioni.giorno : Oggi());
    if (opzioni.verifica) {
        for (const QString& nome : esito.ricevuti) {
            if (TerminazioneRichiesta()) {
                esito.interrotto = true;
                break;
            }
            if (VerificaESposta(nome, SbustaSenzaFinestra))
                esito.sbustati.append({nome, NomeLocale(nome)});
            else
                esito.nonSbustati.append(nome);
        }
    }
    SegnaCorseAutomatiche(false);

    for (const QString& n : esito.nonRicevuti)
        esito.errori.append(u"FILE NON RICEVUTO PER INTERO (SARA' RICHIESTO DI NUOVO): "_s + n);
    if (esito.interrotto)
        esito.errori.append(u"RICEZIONE INTERROTTA"_s);
    if (esito.codice == RicezioneFatta &&
        (!esito.nonRicevuti.isEmpty() || !esito.nonSbustati.isEmpty() || esito.interrotto))
        esito.codice = RicezioneParziale;
    if (esito.interrotto && esito.codice == RicezioneImpossibile)
        esito.codice = RicezioneParziale;
    return esito;
}

QString TitoloNuoviMessaggi(int quanti)
{
    return quanti == 1 ? u"1 nuovo messaggio dalla Dogana"_s
                       : QString::number(quanti) + u" nuovi messaggi dalla Dogana"_s;
}
