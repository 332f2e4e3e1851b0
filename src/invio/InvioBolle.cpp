#include "invio/InvioBolle.h"

#include "invio/Archivio.h"
#include "piattaforma/Messaggi.h"
#include "shell/Global.h"

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

QString Elenco(const QStringList& nomi)
{
    QStringList righe;
    for (const QString& n : nomi)
        righe.append(QStringLiteral("    ") + NomeLeggibile(n));
    return righe.join(QLatin1Char('\n'));
}

} // namespace

bool NomeFileSemplice(const QString& nome)
{
    if (nome.isEmpty() || nome == QLatin1String(".") || nome == QLatin1String(".."))
        return false;
    if (nome.front() == QLatin1Char('-') || nome.front() == QLatin1Char('!'))
        return false;
    for (const QChar c : nome) {
        if (c.isSpace() || c.category() == QChar::Other_Control ||
            c.category() == QChar::Other_Format)
            return false;
        switch (c.unicode()) {
        case '"':
        case '\'':
        case '`':
        case '/':
        case '\\':
            return false;
        default:
            break;
        }
    }
    return true;
}

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
    return r;
}

EsitoInvio InviaBolle(const QStringList& elencoInvio, const QString& cartella, bool* occupato)
{
    EsitoInvio esito;
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
                      Elenco(esito.scartati) + QStringLiteral("\nRINOMINARLI PRIMA DI INVIARLI."),
                  Pulsanti::Ok, Icona::Avviso);
    if (nomi.isEmpty())
        return esito;

    const EsitoFtp ftp = EseguiScriptFtp(RichiestaInvio(nomi, cartella), occupato);
    esito.eseguito = ftp.eseguito;
    if (!ftp.eseguito)
        return esito;

    esito.accettati = CaricamentiAccettati(ftp.trascrizione, nomi);
    for (const QString& n : nomi) {
        if (!esito.accettati.contains(n)) {
            esito.nonInviati.append(n);
            continue;
        }
        if (ArchiviaFile(n, cartella) && !InCartellaInviati(cartella))
            esito.archiviati.append(n);
    }
    if (!esito.nonInviati.isEmpty())
        Messaggio(QStringLiteral("ATTENZIONE! I SEGUENTI FILE NON SONO STATI INVIATI:\n") +
                      Elenco(esito.nonInviati) + QStringLiteral("\nSONO RIMASTI IN ") + cartella,
                  Pulsanti::Ok, Icona::Critico);
    return esito;
}
