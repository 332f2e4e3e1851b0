#include "ricezione/InviaUnix.h"

#include "piattaforma/Messaggi.h"
#include "ricezione/NomiRicezione.h"
#include "scambio/EseguiScriptFtp.h"
#include "scambio/RegistroCorsa.h"
#include "shell/Global.h"

namespace {

// What goes into a script line as one word: no blank, no control character,
// no quote.
bool ValoreSemplice(const QString& valore)
{
    if (valore.isEmpty())
        return false;
    for (const QChar c : valore)
        if (c.isSpace() || c.category() == QChar::Other_Control ||
            c.category() == QChar::Other_Format || c == QLatin1Char('"') ||
            c == QLatin1Char('\'') || c == QLatin1Char('`'))
            return false;
    return true;
}

// A host name, with a port after one blank as the settings allow.
bool HostSemplice(const QString& host)
{
    const QStringList parti = host.split(QLatin1Char(' '));
    if (parti.size() == 2) {
        bool numero = false;
        parti[1].toUShort(&numero);
        return numero && ValoreSemplice(parti[0]);
    }
    return parti.size() == 1 && ValoreSemplice(host);
}

} // namespace

QString FileRemotoUnix()
{
    return ParametriUnix.Cartella + QStringLiteral("/irisp") + ParametriUnix.Utente;
}

EsitoUnix InviaUnix(const QString& file, bool* occupato)
{
    EsitoUnix esito;
    const QString remoto = FileRemotoUnix();
    RichiestaFtp r;
    // The client runs beside the file, so that no path with blanks goes into
    // the script.
    r.cartella = ParametriEdi.CartellaVerificati;
    r.host = ParametriUnix.Host;
    r.utente = ParametriUnix.Utente;
    r.password = ParametriUnix.Password;
    r.righe = {QStringLiteral("delete ") + remoto,
               QStringLiteral("put ") + file + QLatin1Char(' ') + remoto};
    r.prefissoComando = QStringLiteral("ftp -n -i -s:");
    r.messaggioAvvio = QString::fromLatin1(ErroreTrasferimentoUnix);
    r.operazione = QStringLiteral("unix");
    r.segnaleDopoScript = true;
    r.conservaScript = ModoDebugUnix != 0;
    if (!NomeRicevibile(file) || !ValoreSemplice(remoto) || !HostSemplice(ParametriUnix.Host) ||
        !ValoreSemplice(ParametriUnix.Utente) || !ValoreSemplice(ParametriUnix.Password)) {
        const QString motivo = MotivoNomeNonRicevibile(file);
        r.esclusi = {{file, motivo.isEmpty()
                                ? QStringLiteral("parametri del trasferimento su UNIX non validi")
                                : motivo}};
        RegistraCorsaSenzaFile(r);
        Messaggio(QStringLiteral("PARAMETRI DEL TRASFERIMENTO SU UNIX NON VALIDI:\n"
                                 "host, utente, password e cartella non possono contenere spazi "
                                 "o virgolette.\nIL FILE ") +
                      file + QStringLiteral(" E' RIMASTO IN ") + ParametriEdi.CartellaVerificati,
                  Pulsanti::Ok, Icona::Critico);
        return esito;
    }
    const EsitoFtp ftp = EseguiScriptFtp(r, occupato);
    esito.eseguito = ftp.eseguito;
    if (!ftp.eseguito)
        return esito;
    esito.accettato = !CaricamentiAccettati(ftp.trascrizione, {file}).isEmpty();
    if (!esito.accettato)
        Messaggio(QStringLiteral("ATTENZIONE! IL SERVER UNIX ") + ParametriUnix.Host +
                      QStringLiteral(" NON HA ACCETTATO IL FILE DEGLI APPURAMENTI:\n    ") + file +
                      QStringLiteral("\nIL FILE E' RIMASTO IN ") + ParametriEdi.CartellaVerificati +
                      QStringLiteral("\nGLI APPURAMENTI NON CONSEGNATI SARANNO INVIATI AL "
                                     "PROSSIMO \"SPOSTA\"."),
                  Pulsanti::Ok, Icona::Critico);
    return esito;
}
