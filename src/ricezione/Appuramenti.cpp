#include "ricezione/Appuramenti.h"

#include "piattaforma/Messaggi.h"
#include "piattaforma/Percorsi.h"
#include "ricezione/InviaUnix.h"
#include "scambio/EseguiScriptFtp.h"
#include "shell/Global.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool Scrivi(const QString& destino, const QByteArray& dati)
{
    QSaveFile uscita(destino);
    if (!uscita.open(QIODevice::WriteOnly))
        return false;
    if (uscita.write(dati) != dati.size()) {
        uscita.cancelWriting();
        return false;
    }
    return uscita.commit();
}

bool Copia(const QString& origine, const QString& destino)
{
    QFile f(origine);
    return f.open(QIODevice::ReadOnly) && Scrivi(destino, f.readAll());
}

} // namespace

QString NomeFileAppuramenti(const QString& utenteUnix)
{
    return utenteUnix + QStringLiteral("Irildes");
}

bool UnisciAppuramenti(const QStringList& file, const QString& destino)
{
    QByteArray unito;
    auto scrivi = [&unito](const QByteArray& riga) { unito += riga + "\r\n"; };
    // A file that came with CR LF line ends must not get two CRs; only the
    // line end's CR goes, never one that is the line's own.
    auto senzaCr = [](QByteArray riga) {
        if (riga.endsWith('\r'))
            riga.chop(1);
        return riga;
    };
    for (qsizetype k = 0; k < file.size(); ++k) {
        QFile f(file[k]);
        if (!f.open(QIODevice::ReadOnly))
            return false;
        QList<QByteArray> pezzi = f.readAll().split('\n');
        // What follows the last line feed: empty when the file ends with one.
        if (pezzi.size() > 1 && pezzi.last().isEmpty())
            pezzi.removeLast();
        if (k == 0) {
            QByteArray intestazione = senzaCr(pezzi.value(0));
            static const char codice[] = "L01";
            for (int i = 0; i < 3; ++i)
                if (25 + i < intestazione.size())
                    intestazione[25 + i] = codice[i];
            scrivi(intestazione);
            if (pezzi.size() > 1)
                scrivi(senzaCr(pezzi[1]));
        }
        for (qsizetype i = 2; i < pezzi.size(); ++i)
            scrivi(senzaCr(pezzi[i]));
    }
    return Scrivi(destino, unito);
}

QString NomeAppuramentiDaInviare(const QString& utenteUnix)
{
    return NomeFileAppuramenti(utenteUnix) + QStringLiteral(".DAINVIARE");
}

EsitoInvioAppuramenti InviaAppuramenti(const QStringList& uniti, bool* occupato)
{
    EsitoInvioAppuramenti esito;
    // The file owed is shared with every copy of the program on this folder.
    const BloccoTrasferimenti blocco(CartellaBloccoTrasferimenti());
    if (!BloccoPresoOAvvisa(blocco))
        return esito;
    const QString cartella = ParametriEdi.CartellaVerificati;
    const QString daInviare = NomeAppuramentiDaInviare(ParametriUnix.Utente);
    const QString percorsoDaInviare = UnisciPercorso(cartella, daInviare);
    QStringList parti = uniti;
    if (QFileInfo(percorsoDaInviare).isFile())
        parti.prepend(daInviare);
    if (parti.isEmpty())
        return esito;

    auto errore = [&](const QString& file) {
        Messaggio(QStringLiteral("ERRORE NELLA CREAZIONE DEL FILE ") + file +
                      QStringLiteral("\nGLI APPURAMENTI NON SONO STATI INVIATI"),
                  Pulsanti::Ok, Icona::Critico);
        return EsitoInvioAppuramenti{};
    };
    esito.inviato = parti.first();
    if (parti.size() > 1) {
        esito.inviato = NomeFileAppuramenti(ParametriUnix.Utente);
        QStringList percorsi;
        for (const QString& n : std::as_const(parti))
            percorsi.append(UnisciPercorso(cartella, n));
        if (!UnisciAppuramenti(percorsi, UnisciPercorso(cartella, esito.inviato)))
            return errore(UnisciPercorso(cartella, esito.inviato));
    }
    // Owed from now until the host confirms: a crash, a refusal or an
    // unreachable host leaves it for the next run, never overwritten by less.
    if (esito.inviato != daInviare &&
        !Copia(UnisciPercorso(cartella, esito.inviato), percorsoDaInviare))
        return errore(percorsoDaInviare);
    esito.accettato = InviaUnix(esito.inviato, occupato).accettato;
    if (esito.accettato)
        QFile::remove(percorsoDaInviare);
    return esito;
}
