#include "invio/InvioBolle.h"

#include "invio/Archivio.h"
#include "piattaforma/Messaggi.h"
#include "scambio/RegistroCorsa.h"
#include "shell/Global.h"

#include <QSet>

namespace {

// Control characters would break the message's lines: they are shown as "?".
QString NomeLeggibile(const QString& nome)
{
    QString n = nome;
    for (QChar& c : n)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            c = QLatin1Char('?');
    return n.isEmpty() ? QStringLiteral("(senza nome)") : n;
}

QString Elenco(const QStringList& nomi, bool conMotivo = false)
{
    QStringList righe;
    for (const QString& n : nomi)
        righe.append(QStringLiteral("    ") + NomeLeggibile(n) +
                     (conMotivo
                          ? QStringLiteral("  (") + MotivoNomeNonSemplice(n) + QLatin1Char(')')
                          : QString()));
    return righe.join(QLatin1Char('\n'));
}

} // namespace

RichiestaFtp RichiestaInvio(const QStringList& nomi, const QString& cartella)
{
    RichiestaFtp r;
    r.cartella = cartella;
    r.host = ParametriEdi.HostFtp;
    r.utente = ParametriEdi.UtenteFtp;
    r.password = ParametriEdi.PasswordFtp;
    for (const QString& n : nomi)
        r.righe.append(QStringLiteral("put ") + n);
    r.prefissoComando = QStringLiteral("ftp -v -n -i -s:");
    r.messaggioAvvio = QString::fromLatin1(ErroreInvioBolle);
    r.operazione = QStringLiteral("invio");
    r.avvisaInterruzione = false;
    return r;
}

ConfermeInvio LeggiConferme(const QString& trascrizione, const QStringList& nomi)
{
    ConfermeInvio conferme;
    conferme.accettati = CaricamentiAccettati(trascrizione, nomi);
    const QSet<QString> accettati(conferme.accettati.cbegin(), conferme.accettati.cend());
    for (const QString& n : nomi)
        if (!accettati.contains(n))
            conferme.nonInviati.append(n);
    return conferme;
}

EsitoInvio InviaBolle(QStringList elencoInvio, QString cartella, bool* occupato,
                      std::function<void(const AvanzamentoFtp&)> avanzamento)
{
    EsitoInvio esito;
    // Held over the archiving too: another copy must not send what this one
    // has sent and not yet moved.
    const BloccoTrasferimenti blocco(CartellaBloccoTrasferimenti());
    if (!blocco.Preso()) {
        RichiestaFtp richiesta = RichiestaInvio({}, cartella);
        for (const QString& n : std::as_const(elencoInvio))
            richiesta.esclusi.append({n, QStringLiteral("un'altra copia del programma stava "
                                                        "trasferendo file")});
        RegistraCorsaSenzaFile(richiesta);
        BloccoPresoOAvvisa(blocco);
        esito.bloccato = true;
        return esito;
    }
    QStringList nomi;
    for (const QString& n : elencoInvio) {
        if (NomeFileSemplice(n))
            nomi.append(n);
        else
            esito.scartati.append(n);
    }
    if (!esito.scartati.isEmpty())
        Messaggio(QStringLiteral("I SEGUENTI FILE HANNO UN NOME NON TRASFERIBILE E NON "
                                 "VERRANNO INVIATI:\n") +
                      Elenco(esito.scartati, true) +
                      QStringLiteral("\nRINOMINARLI PRIMA DI INVIARLI."),
                  Pulsanti::Ok, Icona::Avviso);
    RichiestaFtp richiesta = RichiestaInvio(nomi, cartella);
    for (const QString& n : std::as_const(esito.scartati))
        richiesta.esclusi.append({n, MotivoNomeNonSemplice(n)});
    if (nomi.isEmpty()) {
        if (!esito.scartati.isEmpty())
            RegistraCorsaSenzaFile(richiesta);
        return esito;
    }

    richiesta.avanzamento = std::move(avanzamento);
    const EsitoFtp ftp = EseguiScriptFtp(richiesta, occupato);
    esito.eseguito = ftp.eseguito;
    esito.stato = ftp.stato;
    if (ftp.stato == StatoFtp::NonAvviato)
        return esito;

    // Whatever the end of the run, an upload the server confirmed is sent: left
    // in the folder it would go out a second time.
    ConfermeInvio conferme = LeggiConferme(ftp.trascrizione, nomi);
    esito.accettati = std::move(conferme.accettati);
    esito.nonInviati = std::move(conferme.nonInviati);
    for (const QString& n : std::as_const(esito.accettati))
        if (ArchiviaFile(n, cartella) && !InCartellaInviati(cartella))
            esito.archiviati.append(n);
    if (!esito.nonInviati.isEmpty()) {
        const QString interruzione =
            ftp.stato == StatoFtp::Interrotto
                ? QStringLiteral("IL TRASFERIMENTO FTP SI E' INTERROTTO PRIMA DELLA FINE.\n")
                : QString();
        Messaggio(interruzione +
                      QStringLiteral("ATTENZIONE! I SEGUENTI FILE NON SONO STATI INVIATI:\n") +
                      Elenco(esito.nonInviati) + QStringLiteral("\nSONO RIMASTI IN ") + cartella,
                  Pulsanti::Ok, Icona::Critico);
    }
    return esito;
}
