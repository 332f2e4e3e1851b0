#include "ricezione/RiceviMessaggi.h"

#include "piattaforma/MascheraNomi.h"
#include "piattaforma/Messaggi.h"
#include "piattaforma/Orologio.h"
#include "piattaforma/Percorsi.h"
#include "piattaforma/SpazioDisco.h"
#include "piattaforma/SpostaFile.h"
#include "ricezione/NomiRicezione.h"
#include "scambio/RegistroCorsa.h"
#include "shell/Global.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {

// Control characters would break the message's lines.
QString NomeLeggibile(const QString& nome)
{
    QString n = nome.left(80);
    for (QChar& c : n)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            c = QLatin1Char('?');
    return nome.size() > 80 ? n + QStringLiteral("...") : n;
}

constexpr int NomiMostrati = 10;

QString Elenco(const QStringList& nomi)
{
    QStringList righe;
    for (qsizetype i = 0; i < nomi.size() && i < NomiMostrati; ++i)
        righe.append(QStringLiteral("    ") + NomeLeggibile(nomi[i]));
    if (nomi.size() > NomiMostrati)
        righe.append(QStringLiteral("    ... e altri %1").arg(nomi.size() - NomiMostrati));
    return righe.join(QLatin1Char('\n'));
}

RichiestaFtp RichiestaBase(const RichiestaRicezione& r)
{
    RichiestaFtp f;
    f.cartella = r.cartellaRicevuti;
    f.host = r.host;
    f.utente = r.utente;
    f.password = r.password;
    return f;
}

// The listing's lines that are no name to fetch, for the transfer log.
void Escludi(RichiestaFtp& f, const QStringList& scartati)
{
    for (const QString& n : scartati)
        f.esclusi.append({n, MotivoNomeNonRicevibile(n), QStringLiteral("get")});
}

} // namespace

RichiestaRicezione RichiestaDaGlobali(const std::array<QString, 4>& campi)
{
    RichiestaRicezione r;
    r.cartellaRicevuti = ParametriEdi.CartellaRicevuti;
    r.cartellaVerificati = ParametriEdi.CartellaVerificati;
    r.host = ParametriEdi.HostFtp;
    r.utente = ParametriEdi.UtenteFtp;
    r.password = ParametriEdi.PasswordFtp;
    r.campi = campi;
    r.maxFile = qBound(1, MaxFile, 50);
    r.ora = Adesso();
    return r;
}

namespace {

// The reply that ended the listing: the first after the log-in that is no
// step of the data connection; 0 when none came.
struct RispostaElenco
{
    int codice = 0;
    QString riga;
};

RispostaElenco LeggiRispostaElenco(const QString& trascrizione)
{
    static const QRegularExpression risposta(u"^([1-5][0-9][0-9]) "_s);
    static const QSet<int> preparazione = {200, 220, 227, 228, 229, 230, 331, 500, 502};
    RispostaElenco r;
    for (QString riga : trascrizione.split(u'\n')) {
        if (riga.endsWith(u'\r'))
            riga.chop(1);
        const auto m = risposta.match(riga);
        if (!m.hasMatch())
            continue;
        const int codice = m.captured(1).toInt();
        if (codice < 200 || preparazione.contains(codice))
            continue;
        if (codice == 221)
            break;
        r.codice = codice;
        r.riga = riga;
        break;
    }
    return r;
}

// The client's own error on the listing file ("Writing `LS...': ..."), or "".
QString ErroreFileElenco(const QString& trascrizione, const QString& nomeElenco)
{
    const QString segno = u"`"_s + nomeElenco + u"'"_s;
    for (const QString& riga : trascrizione.split(u'\n'))
        if (const QString errore = ErroreDelClient(riga); errore.contains(segno))
            return errore;
    return {};
}

bool Confermata(int codice)
{
    return codice == 226 || codice == 250;
}

// A listing with a pattern that the server refuses for good, as some servers
// refuse any pattern, is asked again without one.
bool DaRipetereSenzaModello(int codice)
{
    return codice >= 500;
}

// "No file matches": 450 from servers that say so instead of listing nothing.
bool ElencoVuoto(int codice)
{
    return codice == 450;
}

// One listing transfer: "ls " + remoto + " " + listing file.
struct CorsaElenco
{
    EsitoFtp ftp;
    bool presente = false;
    QByteArray contenuto;
    QString erroreFile;
    RispostaElenco risposta;
    bool righeSpezzate = false;
};

CorsaElenco EseguiElenco(const RichiestaRicezione& richiesta, const QString& remoto, bool* occupato,
                         bool ultima)
{
    CorsaElenco corsa;
    const QString nomeElenco = NomeFileElenco(richiesta.utente, richiesta.ora);
    const QString percorsoElenco = UnisciPercorso(richiesta.cartellaRicevuti, nomeElenco);
    QFile::remove(percorsoElenco);

    RichiestaFtp f = RichiestaBase(richiesta);
    f.righe = {QStringLiteral("ascii "),
               QStringLiteral("ls ") + remoto + QLatin1Char(' ') + nomeElenco};
    f.prefissoComando = QStringLiteral("ftp -n -i -s:");
    f.messaggioAvvio = QString::fromLatin1(ErroreRicezioneLista);
    f.operazione = QStringLiteral("elenco");
    f.rifiuto = [ultima, nomeElenco](const QString& trascrizione) -> QString {
        const QString errore = ErroreFileElenco(trascrizione, nomeElenco);
        if (!errore.isEmpty())
            return errore;
        const RispostaElenco r = LeggiRispostaElenco(trascrizione);
        if (r.codice == 0 || Confermata(r.codice) || ElencoVuoto(r.codice) ||
            (!ultima && DaRipetereSenzaModello(r.codice)))
            return {};
        return r.riga;
    };
    corsa.ftp = EseguiScriptFtp(f, occupato);
    corsa.risposta = LeggiRispostaElenco(corsa.ftp.trascrizione);
    corsa.erroreFile = ErroreFileElenco(corsa.ftp.trascrizione, nomeElenco);
    // The client's word for a line feed without its carriage return: inside a name.
    corsa.righeSpezzate = corsa.ftp.trascrizione.contains(u"bare linefeeds received"_s);
    QFile file(percorsoElenco);
    if (file.open(QIODevice::ReadOnly)) {
        corsa.presente = true;
        corsa.contenuto = file.readAll();
    }
    QFile::remove(percorsoElenco);
    return corsa;
}

// A listing that cannot be trusted ends the run, said to the user.
bool Rifiutato(const ElencoRemoto& elenco, EsitoRicezione& esito)
{
    if (elenco.rifiuto.isEmpty())
        return false;
    esito.rifiuto = elenco.rifiuto;
    Messaggio(elenco.rifiuto, Pulsanti::Ok, Icona::Critico);
    return true;
}

// The pieces of a name with a line break: the listing showed them as names,
// the server has no file by them. They are refused names, not fetches to
// ask for again.
void Spezzati(const ElencoRemoto& elenco, const EsitoScarico& scarico, EsitoRicezione& esito)
{
    esito.ricevuti = scarico.ricevuti;
    esito.incompleti = scarico.incompleti;
    if (!elenco.righeSpezzate)
        return;
    for (const QString& n : scarico.inesistenti) {
        esito.incompleti.removeOne(n);
        esito.scartati.append(n + QStringLiteral("  (parte di un nome che contiene un a capo, "
                                                 "carattere di controllo)"));
    }
}

QString MessaggioElencoRifiutato(const QString& causa)
{
    return QStringLiteral("IMPOSSIBILE RICEVERE LA LISTA DEI MESSAGGI DALLA DOGANA:\n") + causa +
           QStringLiteral("\nNESSUN FILE E' STATO RICEVUTO.");
}

} // namespace

ElencoRemoto RiceviElenco(const RichiestaRicezione& richiesta, const QString& maschera,
                          bool* occupato)
{
    ElencoRemoto elenco;
    CorsaElenco corsa = EseguiElenco(richiesta, maschera, occupato, false);
    elenco.eseguito = corsa.ftp.eseguito;
    if (!elenco.eseguito)
        return elenco;
    const QString accesso = AccessoRifiutato(corsa.ftp.trascrizione);
    if (!accesso.isEmpty()) {
        elenco.rifiuto = QStringLiteral("ACCESSO RIFIUTATO DAL SERVER DELLA DOGANA:\n") + accesso +
                         QStringLiteral("\nCONTROLLARE UTENTE E PASSWORD NEI PARAMETRI DI "
                                        "COLLEGAMENTO.\nNESSUN FILE E' STATO RICEVUTO.");
        return elenco;
    }
    bool senzaModello = false;
    if (DaRipetereSenzaModello(corsa.risposta.codice) && corsa.erroreFile.isEmpty()) {
        corsa = EseguiElenco(richiesta, QStringLiteral("."), occupato, true);
        elenco.eseguito = corsa.ftp.eseguito;
        if (!elenco.eseguito)
            return elenco;
        senzaModello = true;
    }

    const QString spazio = CausaSpazioEsaurito(richiesta.cartellaRicevuti, 64 * 1024);
    if (!corsa.erroreFile.isEmpty()) {
        // A listing cut short would offer cut names.
        elenco.rifiuto = MessaggioElencoRifiutato(spazio.isEmpty() ? corsa.erroreFile : spazio);
        return elenco;
    }
    const int codice = corsa.risposta.codice;
    if (ElencoVuoto(codice))
        return elenco;
    if (!Confermata(codice) && (codice != 0 || !corsa.presente)) {
        QString causa = corsa.risposta.riga;
        if (causa.isEmpty())
            causa = spazio.isEmpty() ? QStringLiteral("NESSUNA RISPOSTA DAL SERVER") : spazio;
        elenco.rifiuto = MessaggioElencoRifiutato(causa);
        return elenco;
    }
    elenco.presente = corsa.presente;
    elenco.righeSpezzate = corsa.righeSpezzate;
    QByteArray contenuto = corsa.contenuto;
    if (senzaModello) {
        // Some servers name the folder's files "./name" when asked for ".".
        QByteArrayList righe = contenuto.split('\n');
        for (QByteArray& riga : righe)
            if (riga.startsWith("./"))
                riga.remove(0, 2);
        contenuto = righe.join('\n');
    }
    ElencoLetto letto = LeggiElenco(contenuto);
    if (senzaModello) {
        // The server's names, filtered here by the pattern it would not take.
        const MascheraNomi filtro(maschera);
        auto tieni = [&](QStringList& nomi) {
            nomi.removeIf([&](const QString& n) { return !filtro.Corrisponde(n); });
        };
        tieni(letto.nomi);
        tieni(letto.scartati);
    }
    elenco.nomi = letto.nomi;
    elenco.scartati = letto.scartati;
    return elenco;
}

EsitoScarico ScaricaNuovi(const RichiestaRicezione& richiesta, const QStringList& nomi,
                          bool* occupato, const QStringList& scartati)
{
    EsitoScarico scarico;
    QStringList temporanei;
    RichiestaFtp f = RichiestaBase(richiesta);
    f.operazione = richiesta.operazione;
    Escludi(f, scartati);
    f.righe = {QStringLiteral("binary ")};
    for (const QString& n : nomi) {
        temporanei.append(NomeTemporaneo(n));
        QFile::remove(UnisciPercorso(richiesta.cartellaRicevuti, temporanei.last()));
        // The size the server gives is what must arrive, whatever its 150 says.
        f.righe.append(QStringLiteral("size ") + n);
        f.righe.append(QStringLiteral("get ") + n + QLatin1Char(' ') + temporanei.last());
    }
    f.prefissoComando = QStringLiteral("ftp -v -n -i -s:");
    f.messaggioAvvio = QString::fromLatin1(ErroreRicezioneMessaggi);
    const EsitoFtp esito = EseguiScriptFtp(f, occupato);
    scarico.eseguito = esito.eseguito;

    QHash<QString, TrasferimentoFtp> trasferimenti;
    for (const TrasferimentoFtp& t : TrasferimentiFtp(esito.trascrizione))
        trasferimenti.insert(t.locale, t);
    for (qsizetype i = 0; i < nomi.size(); ++i) {
        const QString temporaneo = UnisciPercorso(richiesta.cartellaRicevuti, temporanei[i]);
        const QString finale = UnisciPercorso(richiesta.cartellaRicevuti, nomi[i]);
        const QFileInfo info(temporaneo);
        const auto t = trasferimenti.constFind(temporanei[i]);
        if (t != trasferimenti.cend() && info.isFile() && !info.isSymLink()) {
            // Whole: confirmed, nothing lost on the way, and on disk every
            // byte the client took.
            const bool integro = TrasferimentoIntegro(*t) && t->byte >= 0 && info.size() == t->byte;
            if (integro && SpostaFile(temporaneo, finale).isEmpty()) {
                scarico.ricevuti.append(nomi[i]);
                continue;
            }
            if (!integro && scarico.causa.isEmpty()) {
                const qint64 attesi = t->annunciati >= 0 ? t->annunciati : t->byte;
                scarico.causa = CausaSpazioEsaurito(richiesta.cartellaRicevuti,
                                                    qMax<qint64>(1, attesi - info.size()));
                if (scarico.causa.isEmpty() && t->erroreLocale.contains(u"No space left"_s))
                    scarico.causa = QLatin1String(SpazioEsaurito);
            }
        }
        QFile::remove(temporaneo);
        scarico.incompleti.append(nomi[i]);
        if (t != trasferimenti.cend() && t->codice == 550)
            scarico.inesistenti.append(nomi[i]);
    }
    return scarico;
}

QString MessaggioNuovi(int nuovi, int ricevuti, int scartati)
{
    QString testo = QStringLiteral("CI SONO ") + QString::number(nuovi) +
                    QStringLiteral(" FILES NUOVI DALLA DOGANA \nRICEZIONE DI  ") +
                    QString::number(ricevuti) + QStringLiteral("  FILES\n");
    if (scartati > 0)
        testo += QString::number(scartati) + QStringLiteral(" NOMI NON VALIDI IGNORATI\n");
    return testo + QLatin1String(AttenderePrego);
}

void SegnalaRicezione(const QStringList& scartati, const QStringList& incompleti,
                      const QString& causa, const QStringList& collegamenti)
{
    QStringList parti;
    if (!incompleti.isEmpty())
        parti.append(QStringLiteral("ATTENZIONE! I SEGUENTI FILE NON SONO STATI RICEVUTI PER "
                                    "INTERO E SARANNO RICHIESTI DI NUOVO:\n") +
                     Elenco(incompleti) +
                     (causa.isEmpty() ? QString()
                                      : QStringLiteral("\nCAUSA: ") + causa +
                                            QStringLiteral("\nLIBERARE SPAZIO E RIPETERE LA "
                                                           "RICEZIONE.")));
    if (!collegamenti.isEmpty())
        parti.append(QStringLiteral("NELLA CARTELLA DEI FILE RICEVUTI C'ERANO, AL POSTO DI FILE "
                                    "DELLA DOGANA, COLLEGAMENTI O CARTELLE CON IL LORO NOME; "
                                    "I FILE SONO STATI RICHIESTI AL SERVER:\n") +
                     Elenco(collegamenti));
    if (!scartati.isEmpty())
        parti.append(QString::number(scartati.size()) +
                     QStringLiteral(" RIGHE DELL'ELENCO DELLA DOGANA NON SONO NOMI DI FILE "
                                    "VALIDI E SONO STATE IGNORATE:\n") +
                     Elenco(scartati));
    if (!parti.isEmpty())
        Messaggio(parti.join(QStringLiteral("\n\n")), Pulsanti::Ok, Icona::Avviso);
}

EsitoRicezione RiceviNuovi(const RichiestaRicezione& richiesta, const AvvisiRicezione& avvisi,
                           bool* occupato)
{
    EsitoRicezione esito;
    const ElencoRemoto elenco =
        RiceviElenco(richiesta, richiesta.utente + QStringLiteral("*.*"), occupato);
    if (!elenco.eseguito)
        return esito;
    esito.elencoRicevuto = true;
    if (Rifiutato(elenco, esito))
        return esito;
    esito.scartati = elenco.scartati;
    const SceltaNuovi scelta = ScegliNuovi(
        elenco.nomi, PrefissoGiorno(richiesta.utente, richiesta.campi[0], richiesta.campi[1]),
        richiesta.cartellaRicevuti, richiesta.cartellaVerificati, richiesta.maxFile);
    esito.nuovi = scelta.totale;
    esito.richiesti = scelta.nuovi;
    if (avvisi.messaggio)
        avvisi.messaggio(MessaggioNuovi(scelta.totale, static_cast<int>(scelta.nuovi.size()),
                                        static_cast<int>(elenco.scartati.size())));
    if (avvisi.scarico)
        avvisi.scarico(true);
    const EsitoScarico scarico = ScaricaNuovi(richiesta, scelta.nuovi, occupato, elenco.scartati);
    if (avvisi.scarico)
        avvisi.scarico(false);
    Spezzati(elenco, scarico, esito);
    SegnalaRicezione(esito.scartati, esito.incompleti, scarico.causa, scelta.collegamenti);
    return esito;
}

EsitoRicezione RiceviPerModello(const RichiestaRicezione& richiesta, const AvvisiRicezione& avvisi,
                                bool* occupato)
{
    EsitoRicezione esito;
    // The server's names come back through a listing, so that each passes the
    // plain-name rule before the client writes it.
    const ElencoRemoto elenco =
        RiceviElenco(richiesta, ModelloRicezione(richiesta.utente, richiesta.campi), occupato);
    if (!elenco.eseguito)
        return esito;
    esito.elencoRicevuto = true;
    if (Rifiutato(elenco, esito))
        return esito;
    esito.scartati = elenco.scartati;
    esito.richiesti = elenco.nomi;
    esito.richiesti.removeDuplicates();
    esito.nuovi = static_cast<int>(esito.richiesti.size());
    if (avvisi.messaggio && !esito.scartati.isEmpty())
        avvisi.messaggio(QLatin1String(MessaggioRicezioneModello) + QLatin1Char('\n') +
                         QString::number(esito.scartati.size()) +
                         QStringLiteral(" NOMI NON VALIDI IGNORATI\n") +
                         QLatin1String(AttenderePrego));
    QString causa;
    if (!esito.richiesti.isEmpty()) {
        const EsitoScarico scarico =
            ScaricaNuovi(richiesta, esito.richiesti, occupato, esito.scartati);
        Spezzati(elenco, scarico, esito);
        causa = scarico.causa;
    } else if (!esito.scartati.isEmpty()) {
        RichiestaFtp f = RichiestaBase(richiesta);
        f.operazione = richiesta.operazione;
        Escludi(f, esito.scartati);
        RegistraCorsaSenzaFile(f);
    }
    SegnalaRicezione(esito.scartati, esito.incompleti, causa);
    return esito;
}

EsitoRicezione RiceviAppuramenti(const RichiestaRicezione& richiesta, const AvvisiRicezione& avvisi,
                                 bool* occupato)
{
    EsitoRicezione esito;
    const ElencoRemoto elenco =
        RiceviElenco(richiesta, richiesta.utente + QStringLiteral("*.L*"), occupato);
    if (!elenco.eseguito)
        return esito;
    esito.elencoRicevuto = true;
    if (Rifiutato(elenco, esito) || !elenco.presente)
        return esito;
    esito.scartati = elenco.scartati;
    const SceltaNuovi scelta = ScegliNuovi(elenco.nomi, {}, richiesta.cartellaRicevuti,
                                           richiesta.cartellaVerificati, richiesta.maxFile, true);
    esito.nuovi = scelta.totale;
    esito.richiesti = scelta.nuovi;
    if (avvisi.messaggio)
        avvisi.messaggio(MessaggioNuovi(scelta.totale, static_cast<int>(scelta.nuovi.size()),
                                        static_cast<int>(elenco.scartati.size())));
    RichiestaRicezione appuramenti = richiesta;
    appuramenti.operazione = QStringLiteral("appuramenti");
    const EsitoScarico scarico = ScaricaNuovi(appuramenti, scelta.nuovi, occupato, elenco.scartati);
    Spezzati(elenco, scarico, esito);
    SegnalaRicezione(esito.scartati, esito.incompleti, scarico.causa, scelta.collegamenti);
    return esito;
}
