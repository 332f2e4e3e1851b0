#include "shell/Impostazioni.h"

#include "piattaforma/FileProfilo.h"
#include "piattaforma/Percorsi.h"
#include "shell/ChiaviIni.h"
#include "shell/Conversioni.h"
#include "shell/Global.h"

#include <QRandomGenerator>

QString LeggiIni(const QString& file, const QString& sezione, const QString& chiave)
{
    QString valore = LeggiProfilo(file, sezione, chiave);
    const qsizetype barra = valore.indexOf(QLatin1Char('|'));
    if (barra >= 0)
        valore.truncate(barra);
    return valore.trimmed();
}

void ScriviIni(const QString& file, const QString& sezione, const QString& chiave,
               const QString& valore)
{
    ScriviProfilo(file, sezione, chiave, valore);
}

QString CodificaParola(const QString& chiaro)
{
    const QString p = chiaro.trimmed();
    const int r = QRandomGenerator::global()->bounded(12);
    QString risultato(QChar(36 + r));
    for (qsizetype i = 1; i <= p.size(); ++i)
        risultato += QChar(char16_t(p[i - 1].unicode() - 13 + i));
    return risultato;
}

QString DecodificaParola(const QString& memorizzato)
{
    if (memorizzato.isEmpty() || memorizzato[0].unicode() >= '0')
        return memorizzato;
    QString risultato;
    for (qsizetype i = 2; i <= memorizzato.size(); ++i)
        risultato += QChar(char16_t(memorizzato[i - 1].unicode() + 14 - i));
    return risultato;
}

int LeggiIniNumero(const QString& sezione, const QString& chiave)
{
    return static_cast<int>(ValoreNumerico(LeggiIni(FileIni, sezione, chiave)));
}

namespace {

int ModoValido(int modo)
{
    return modo == Decrescente ? Decrescente : Crescente;
}

QString LeggiEdi(const char* chiave)
{
    return LeggiIni(FileIni, QLatin1String(Ini::SezEdi), QLatin1String(chiave));
}

} // namespace

void CaricaParametriEdi()
{
    QString base = LeggiIni(FileIni, QLatin1String(Ini::SezPc), QLatin1String(Ini::Path));
    ParametriEdi.CartellaBase = SenzaSeparatoreFinale(base);

    const QString host = LeggiEdi(Ini::HostFtp);
    ParametriEdi.HostFtp = host.isEmpty() ? QString::fromLatin1(Ini::DefaultHostFtp) : host;
    ParametriEdi.UtenteFtp = LeggiEdi(Ini::AutorFtp);
    ParametriEdi.PasswordFtp = DecodificaParola(LeggiEdi(Ini::PasswFtp));
    ParametriEdi.Ditta = LeggiEdi(Ini::Ditta);
    const QString p1 = LeggiEdi(Ini::Progr1);
    const QString p2 = LeggiEdi(Ini::Progr2);
    ParametriEdi.Progr1 = p1.isEmpty() ? QString::fromLatin1(Ini::DefaultProgr1) : p1;
    ParametriEdi.Progr2 = p2.isEmpty() ? QString::fromLatin1(Ini::DefaultProgr2) : p2;

    OrdinaColInvio = LeggiIniNumero(QLatin1String(Ini::SezEdi), QLatin1String(Ini::ColSortInv));
    OrdinaModoInvio =
        ModoValido(LeggiIniNumero(QLatin1String(Ini::SezEdi), QLatin1String(Ini::ModSortInv)));
    OrdinaColRicevi = LeggiIniNumero(QLatin1String(Ini::SezEdi), QLatin1String(Ini::ColSortRic));
    OrdinaModoRicevi =
        ModoValido(LeggiIniNumero(QLatin1String(Ini::SezEdi), QLatin1String(Ini::ModSortRic)));
    ModoDebug = LeggiIniNumero(QLatin1String(Ini::SezEdi), QLatin1String(Ini::Debug)) == 1 ? 1 : 0;
    MaxFile = 5 * LeggiIniNumero(QLatin1String(Ini::SezEdi), QLatin1String(Ini::NumFile));
    if (MaxFile <= 0)
        MaxFile = 5;
}

void CaricaParametriWeb()
{
    const QString sez = QLatin1String(Ini::SezWebParam);
    for (int slot = 0; slot < SlotWeb; ++slot) {
        const QString n = QString::number(slot);
        ParametroWebT& p = ParametriWeb[slot];
        p.Vedi = LeggiIniNumero(sez, QLatin1String(Ini::View) + n);
        p.Stampa = LeggiIniNumero(sez, QLatin1String(Ini::Print) + n);
        p.ChiediStampante = LeggiIniNumero(sez, QLatin1String(Ini::ChPrt) + n);
        p.Stampante = LeggiIni(FileIni, sez, QLatin1String(Ini::Stampante) + n);
    }
}

void CaricaColori()
{
    for (int k = 0; k < GruppiColore; ++k) {
        const QString v = LeggiIni(FileIni, QLatin1String(Ini::SezColori), QString::number(k));
        Colori[k] = QString::number(static_cast<qint64>(ValoreNumerico(v)));
    }
}

void CaricaParametriUnix()
{
    const QString sez = QLatin1String(Ini::SezRemoto);
    ParametriUnix.Host = LeggiIni(FileIni, sez, QLatin1String(Ini::Indirizzo));
    ParametriUnix.Utente = LeggiIni(FileIni, sez, QLatin1String(Ini::Utente));
    ParametriUnix.Password = DecodificaParola(LeggiIni(FileIni, sez, QLatin1String(Ini::Passwd)));
    QString cartella = LeggiIni(FileIni, sez, QLatin1String(Ini::Path));
    if (cartella.isEmpty()) {
        cartella = QString::fromLatin1(Ini::DefaultPathRemoto);
        ScriviIni(FileIni, sez, QLatin1String(Ini::Path), cartella);
    }
    while (cartella.size() > 1 && cartella.endsWith(QLatin1Char('/')))
        cartella.chop(1);
    ParametriUnix.Cartella = cartella;
    ModoDebugUnix =
        LeggiIniNumero(QLatin1String(Ini::SezDebug), QLatin1String(Ini::Modo)) == 1 ? 1 : 0;
}
