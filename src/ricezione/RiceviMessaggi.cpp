#include "ricezione/RiceviMessaggi.h"

#include "piattaforma/Messaggi.h"
#include "piattaforma/Orologio.h"
#include "piattaforma/Percorsi.h"
#include "ricezione/NomiRicezione.h"
#include "scambio/RegistroCorsa.h"
#include "shell/Global.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

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

ElencoRemoto RiceviElenco(const RichiestaRicezione& richiesta, const QString& maschera,
                          bool* occupato)
{
    ElencoRemoto elenco;
    const QString nomeElenco = NomeFileElenco(richiesta.utente, richiesta.ora);
    const QString percorsoElenco = UnisciPercorso(richiesta.cartellaRicevuti, nomeElenco);
    QFile::remove(percorsoElenco);

    RichiestaFtp f = RichiestaBase(richiesta);
    f.righe = {QStringLiteral("ascii "),
               QStringLiteral("ls ") + maschera + QLatin1Char(' ') + nomeElenco};
    f.prefissoComando = QStringLiteral("ftp -n -i -s:");
    f.messaggioAvvio = QString::fromLatin1(ErroreRicezioneLista);
    f.operazione = QStringLiteral("elenco");
    const EsitoFtp esito = EseguiScriptFtp(f, occupato);
    elenco.eseguito = esito.eseguito;

    QFile file(percorsoElenco);
    if (file.open(QIODevice::ReadOnly)) {
        elenco.presente = true;
        const ElencoLetto letto = LeggiElenco(file.readAll());
        file.close();
        elenco.nomi = letto.nomi;
        elenco.scartati = letto.scartati;
    }
    QFile::remove(percorsoElenco);
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
        f.righe.append(QStringLiteral("get ") + n + QLatin1Char(' ') + temporanei.last());
    }
    f.prefissoComando = QStringLiteral("ftp -v -n -i -s:");
    f.messaggioAvvio = QString::fromLatin1(ErroreRicezioneMessaggi);
    const EsitoFtp esito = EseguiScriptFtp(f, occupato);
    scarico.eseguito = esito.eseguito;

    const QStringList confermati = CaricamentiAccettati(esito.trascrizione, temporanei);
    const QSet<QString> completi(confermati.cbegin(), confermati.cend());
    for (qsizetype i = 0; i < nomi.size(); ++i) {
        const QString temporaneo = UnisciPercorso(richiesta.cartellaRicevuti, temporanei[i]);
        const QString finale = UnisciPercorso(richiesta.cartellaRicevuti, nomi[i]);
        if (completi.contains(temporanei[i]) && QFileInfo(temporaneo).isFile()) {
            QFile::remove(finale);
            if (QFile::rename(temporaneo, finale)) {
                scarico.ricevuti.append(nomi[i]);
                continue;
            }
        }
        QFile::remove(temporaneo);
        scarico.incompleti.append(nomi[i]);
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

void SegnalaRicezione(const QStringList& scartati, const QStringList& incompleti)
{
    QStringList parti;
    if (!incompleti.isEmpty())
        parti.append(QStringLiteral("ATTENZIONE! I SEGUENTI FILE NON SONO STATI RICEVUTI PER "
                                    "INTERO E SARANNO RICHIESTI DI NUOVO:\n") +
                     Elenco(incompleti));
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
    esito.ricevuti = scarico.ricevuti;
    esito.incompleti = scarico.incompleti;
    SegnalaRicezione(esito.scartati, esito.incompleti);
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
    esito.scartati = elenco.scartati;
    esito.richiesti = elenco.nomi;
    esito.richiesti.removeDuplicates();
    esito.nuovi = static_cast<int>(esito.richiesti.size());
    if (avvisi.messaggio && !esito.scartati.isEmpty())
        avvisi.messaggio(QLatin1String(MessaggioRicezioneModello) + QLatin1Char('\n') +
                         QString::number(esito.scartati.size()) +
                         QStringLiteral(" NOMI NON VALIDI IGNORATI\n") +
                         QLatin1String(AttenderePrego));
    if (!esito.richiesti.isEmpty()) {
        const EsitoScarico scarico =
            ScaricaNuovi(richiesta, esito.richiesti, occupato, esito.scartati);
        esito.ricevuti = scarico.ricevuti;
        esito.incompleti = scarico.incompleti;
    } else if (!esito.scartati.isEmpty()) {
        RichiestaFtp f = RichiestaBase(richiesta);
        f.operazione = richiesta.operazione;
        Escludi(f, esito.scartati);
        RegistraCorsaSenzaFile(f);
    }
    SegnalaRicezione(esito.scartati, esito.incompleti);
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
    if (!elenco.presente)
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
    esito.ricevuti = scarico.ricevuti;
    esito.incompleti = scarico.incompleti;
    SegnalaRicezione(esito.scartati, esito.incompleti);
    return esito;
}
