#include "shell/Impostazioni.h"

#include "piattaforma/FileProfilo.h"
#include "piattaforma/Percorsi.h"
#include "shell/ChiaviIni.h"
#include "shell/Conversioni.h"
#include "shell/Global.h"
#include "shell/ValoriFtp.h"

#include "piattaforma/Messaggi.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTimer>

QString LeggiIni(const QString& file, const QString& sezione, const QString& chiave)
{
    QString valore = LeggiProfilo(file, sezione, chiave);
    const qsizetype barra = valore.indexOf(QLatin1Char('|'));
    if (barra >= 0)
        valore.truncate(barra);
    return valore.trimmed();
}

namespace {

bool scritturaSegnalata = false;

// 8-bit code of c in the Windows code page the offices' files are written in:
// the scrambling works on those codes, so a file of an existing installation
// decodes the same here. Characters the code page lacks keep their own code.
int CodiceAnsi(QChar c)
{
    if (c.unicode() < 0x80)
        return c.unicode();
    QStringEncoder windows("windows-1252");
    const QByteArray b = windows(QString(c));
    if (!windows.hasError() && b.size() == 1)
        return static_cast<unsigned char>(b[0]);
    return c.unicode();
}

QChar CarattereAnsi(int codice)
{
    if (codice < 0x80 || codice > 0xFF)
        return QChar(char16_t(codice));
    QStringDecoder windows("windows-1252");
    const QString t = windows(QByteArray(1, static_cast<char>(codice)));
    if (windows.hasError() || t.size() != 1 || t[0] == QChar::ReplacementCharacter)
        return QChar(char16_t(codice));
    return t[0];
}

} // namespace

QString LeggiIniParola(const QString& file, const QString& sezione, const QString& chiave)
{
    QString valore = LeggiProfiloIntero(file, sezione, chiave);
    qsizetype i = 0;
    while (i < valore.size() && valore[i] == QLatin1Char(' '))
        ++i;
    valore.remove(0, i);
    // A scrambled text starts with its marker, below "0"; its last character may
    // well be a blank. A clear text typed by hand is trimmed as any value.
    if (valore.isEmpty() || valore[0].unicode() < '0')
        return valore;
    return valore.trimmed();
}

bool ScriviIni(const QString& file, const QString& sezione, const QString& chiave,
               const QString& valore)
{
    return ScriviIni(file, sezione, VociProfilo{{chiave, valore}});
}

bool ScriviIni(const QString& file, const QString& sezione, const VociProfilo& voci)
{
    if (ScriviProfilo(file, sezione, voci))
        return true;
    // A confirm writes a dozen keys: one message for all of them.
    if (!scritturaSegnalata) {
        scritturaSegnalata = true;
        Messaggio(QStringLiteral("IMPOSSIBILE SCRIVERE IL FILE DELLE IMPOSTAZIONI:\n") + file +
                      QStringLiteral("\nLE MODIFICHE NON SONO STATE SALVATE.\n"
                                     "CONTROLLARE I PERMESSI DELLA CARTELLA E LO SPAZIO SU "
                                     "DISCO."),
                  Pulsanti::Ok, Icona::Critico);
        QTimer::singleShot(0, [] { scritturaSegnalata = false; });
        if (!QCoreApplication::instance())
            scritturaSegnalata = false;
    }
    return false;
}

QString CodificaParola(const QString& chiaro)
{
    const QString p = chiaro.trimmed();
    const int r = QRandomGenerator::global()->bounded(12);
    QString risultato(QChar(36 + r));
    for (qsizetype i = 1; i <= p.size(); ++i)
        risultato += CarattereAnsi(CodiceAnsi(p[i - 1]) - 13 + static_cast<int>(i));
    return risultato;
}

QString DecodificaParola(const QString& memorizzato)
{
    if (memorizzato.isEmpty() || memorizzato[0].unicode() >= '0')
        return memorizzato;
    QString risultato;
    for (qsizetype i = 2; i <= memorizzato.size(); ++i)
        risultato += CarattereAnsi(CodiceAnsi(memorizzato[i - 1]) + 14 - static_cast<int>(i));
    return risultato;
}

int LeggiIniNumero(const QString& sezione, const QString& chiave)
{
    return static_cast<int>(ValoreNumerico(LeggiIni(FileIni, sezione, chiave)));
}

namespace {

QString LeggiEdi(QLatin1StringView chiave)
{
    return LeggiIni(FileIni, Ini::SezEdi, chiave);
}

} // namespace

void CaricaParametriEdi()
{
    QString base = LeggiIni(FileIni, Ini::SezPc, Ini::Path);
    ParametriEdi.CartellaBase = SenzaSeparatoreFinale(base);

    const QString host = LeggiEdi(Ini::HostFtp);
    ParametriEdi.HostFtp = host.isEmpty() ? QString(Ini::DefaultHostFtp) : host;
    ParametriEdi.UtenteFtp = LeggiEdi(Ini::AutorFtp);
    ParametriEdi.PasswordFtp =
        DecodificaParola(LeggiIniParola(FileIni, Ini::SezEdi, Ini::PasswFtp));
    ParametriEdi.Ditta = LeggiEdi(Ini::Ditta);
    const QString p1 = LeggiEdi(Ini::Progr1);
    const QString p2 = LeggiEdi(Ini::Progr2);
    ParametriEdi.Progr1 = p1.isEmpty() ? QString(Ini::DefaultProgr1) : p1;
    ParametriEdi.Progr2 = p2.isEmpty() ? QString(Ini::DefaultProgr2) : p2;

    OrdinaColInvio = LeggiIniNumero(Ini::SezEdi, Ini::ColSortInv);
    OrdinaModoInvio = ModoOrdineDaValore(LeggiIniNumero(Ini::SezEdi, Ini::ModSortInv));
    OrdinaColRicevi = LeggiIniNumero(Ini::SezEdi, Ini::ColSortRic);
    OrdinaModoRicevi = ModoOrdineDaValore(LeggiIniNumero(Ini::SezEdi, Ini::ModSortRic));
    ModoDebug = LeggiIniNumero(Ini::SezEdi, Ini::Debug) == 1 ? 1 : 0;
    MaxFile = 5 * LeggiIniNumero(Ini::SezEdi, Ini::NumFile);
    if (MaxFile <= 0)
        MaxFile = 5;
}

void CaricaParametriWeb()
{
    const QString sez = Ini::SezWebParam;
    for (int slot = 0; slot < SlotWeb; ++slot) {
        const QString n = QString::number(slot);
        ParametroWebT& p = ParametriWeb[slot];
        p.Vedi = LeggiIniNumero(sez, Ini::View + n);
        p.Stampa = LeggiIniNumero(sez, Ini::Print + n);
        p.ChiediStampante = LeggiIniNumero(sez, Ini::ChPrt + n);
        p.Stampante = LeggiIni(FileIni, sez, Ini::Stampante + n);
    }
}

void CaricaColori()
{
    for (int k = 0; k < GruppiColore; ++k) {
        const QString v = LeggiIni(FileIni, Ini::SezColori, QString::number(k));
        Colori[k] = QString::number(static_cast<qint64>(ValoreNumerico(v)));
    }
}

void CaricaParametriUnix()
{
    const QString sez = Ini::SezRemoto;
    ParametriUnix.Host = LeggiIni(FileIni, sez, Ini::Indirizzo);
    ParametriUnix.Utente = LeggiIni(FileIni, sez, Ini::Utente);
    ParametriUnix.Password = DecodificaParola(LeggiIniParola(FileIni, sez, Ini::Passwd));
    QString cartella = LeggiIni(FileIni, sez, Ini::Path);
    if (cartella.isEmpty()) {
        cartella = QString(Ini::DefaultPathRemoto);
        ScriviIni(FileIni, sez, Ini::Path, cartella);
    }
    ParametriUnix.Cartella = CartellaUnixInUso(cartella);
    ModoDebugUnix = LeggiIniNumero(Ini::SezDebug, Ini::Modo) == 1 ? 1 : 0;
}

bool ProgrammaDemo()
{
    return LeggiIni(FileIni, Ini::SezEdi, Ini::Demo).trimmed() == QLatin1String("1");
}
