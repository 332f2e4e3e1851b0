#include "ricezione/SpostaRicevuti.h"

#include "piattaforma/Messaggi.h"
#include "piattaforma/Percorsi.h"
#include "piattaforma/SpostaFile.h"
#include "ricezione/Appuramenti.h"
#include "ricezione/InviaUnix.h"
#include "ricezione/NomiRicezione.h"
#include "scambio/RegistroCorsa.h"
#include "scambio/VerificaFirma.h"
#include "shell/CartelleLavoro.h"
#include "shell/Global.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// As the office's program named them, from the base folder.
QString Relativo(const char* cartella, const QString& nome)
{
    return QLatin1String(cartella) + QLatin1Char('\\') + nome;
}

// A name with no local name would make the folder itself the destination.
bool RifiutaSenzaNomeLocale(const QString& nome, const QString& locale)
{
    if (!locale.isEmpty())
        return false;
    const QString motivo = u"IL NOME CONTIENE \".PDF\": NESSUN NOME PER LA COPIA VERIFICATA, IL "
                           "FILE RESTA IN "_s +
                           QLatin1String(NomeRicevuti);
    RegistraVerifica(nome, {}, false, motivo);
    Messaggio(MessaggioSbusta(NomeFirmato(nome) ? SbustaVerificaFallita : SbustaCopiaFallita, nome,
                              locale, motivo));
    return true;
}

} // namespace

QString MessaggioSbusta(int esito, const QString& nome, const QString& locale,
                        const QString& errore)
{
    return (esito == 1 ? QStringLiteral("ERRORE IN FASE DI COPIA!")
                       : QStringLiteral("ERRORE IN FASE DI VERIFICA!")) +
           QLatin1Char('\n') + nome + QStringLiteral("\n    in\n") + locale + QLatin1Char('\n') +
           errore;
}

void AvvisaSenzaFirmatario(int quanti)
{
    if (quanti <= 0)
        return;
    const QString cartella = ParametriEdi.CartellaBase.isEmpty()
                                 ? QFileInfo(ComandoSbusta()).absolutePath()
                                 : ParametriEdi.CartellaBase;
    Messaggio(u"ATTENZIONE: FIRMATARIO NON VERIFICATO\n"_s + QString::number(quanti) +
                  u" file sbustati senza verificare chi li ha firmati (nessun elenco delle CA "
                  "configurato): e' stata controllata solo l'integrita' del contenuto.\n"
                  "Per verificare il firmatario copiare l'elenco delle CA in\n"_s +
                  UnisciPercorso(cartella, QLatin1String(NomeCertificatiCa)),
              Pulsanti::Ok, Icona::Avviso);
}

bool VerificaESposta(const QString& nome, const FunzioneSbusta& sbusta, int* senzaFirmatario)
{
    const QString locale = NomeLocale(nome);
    if (RifiutaSenzaNomeLocale(nome, locale))
        return false;
    QString errore;
    const int esito =
        sbusta(Relativo(NomeRicevuti, nome), Relativo(NomeVerificati, locale), &errore);
    if (esito == 0 && senzaFirmatario && SenzaVerificaFirmatario(errore))
        ++*senzaFirmatario;
    if (esito == 0) {
        const QString origine = UnisciPercorso(ParametriEdi.CartellaRicevuti, nome);
        const QString destino = UnisciPercorso(ParametriEdi.CartellaDaVerificare, nome);
        // An unsigned file has already gone with its unwrap. One rename
        // replaces an older copy: a failure leaves both where they were.
        if (QFileInfo::exists(origine))
            SpostaFile(origine, destino);
    } else {
        Messaggio(MessaggioSbusta(esito, nome, locale, errore));
    }
    EsitoOperazione = 0;
    return esito == 0;
}

EsitoSpostaAppuramenti SpostaAppuramenti(const QStringList& nomi, const FunzioneSbusta& sbusta,
                                         bool* occupato)
{
    EsitoSpostaAppuramenti esito;
    int senzaFirmatario = 0;
    for (const QString& nome : nomi) {
        if (nome.trimmed().isEmpty())
            continue;
        const QString locale = NomeLocale(nome);
        if (RifiutaSenzaNomeLocale(nome, locale)) {
            esito.falliti.append(nome);
            continue;
        }
        QString errore;
        const int r =
            sbusta(Relativo(NomeRicevuti, nome), Relativo(NomeVerificati, locale), &errore);
        EsitoOperazione = 0;
        if (r == 0 && SenzaVerificaFirmatario(errore))
            ++senzaFirmatario;
        if (r == 0) {
            QFile::remove(UnisciPercorso(ParametriEdi.CartellaRicevuti, nome));
            esito.sbustati.append(nome);
        } else {
            Messaggio(MessaggioSbusta(r, nome, locale, errore));
            esito.falliti.append(nome);
        }
    }
    AvvisaSenzaFirmatario(senzaFirmatario);

    for (const QString& nome : nomi) {
        if (nome.trimmed().isEmpty() || esito.uniti.size() >= MaxAppuramenti)
            continue;
        const QString locale = NomeLocale(nome);
        if (!locale.isEmpty() &&
            QFileInfo(UnisciPercorso(ParametriEdi.CartellaVerificati, locale)).isFile() &&
            !esito.uniti.contains(locale))
            esito.uniti.append(locale);
    }
    const EsitoInvioAppuramenti invio = InviaAppuramenti(esito.uniti, occupato);
    esito.inviato = invio.inviato;
    esito.accettato = invio.accettato;
    return esito;
}
