#include "shell/ValoriFtp.h"

#include <QFile>
#include <QStringList>

namespace {

QString Messaggio(const QStringList& campi)
{
    if (campi.isEmpty())
        return {};
    return QStringLiteral("I CAMPI ") + campi.join(QStringLiteral(", ")) +
           QStringLiteral(" CONTENGONO CARATTERI NON AMMESSI\n"
                          "(A CAPO, TABULAZIONI O ALTRI CARATTERI DI CONTROLLO).\n"
                          "CORREGGERLI: NULLA E' STATO SALVATO.");
}

QString Controlla(const QString& host, const QString& utente, const QString& password,
                  const QString& nomeHost, const QString& nomeUtente)
{
    QStringList campi;
    if (ContieneControllo(host))
        campi << nomeHost;
    if (ContieneControllo(utente))
        campi << nomeUtente;
    if (ContieneControllo(password))
        campi << QStringLiteral("'PassWord'");
    QString m = Messaggio(campi);
    if (campi.size() == 1)
        m.replace(QStringLiteral("I CAMPI "), QStringLiteral("IL CAMPO "))
            .replace(QStringLiteral("CONTENGONO"), QStringLiteral("CONTIENE"))
            .replace(QStringLiteral("CORREGGERLI"), QStringLiteral("CORREGGERLO"));
    return m;
}

} // namespace

bool ContieneControllo(const QString& testo)
{
    for (const QChar c : testo)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    return false;
}

QString MotivoNomeNonSemplice(const QString& nome)
{
    if (nome.isEmpty() || nome == QLatin1String(".") || nome == QLatin1String(".."))
        return QStringLiteral("nome vuoto");
    // The name the folder gave back must be the name the client will open.
    if (nome.contains(QChar::ReplacementCharacter) ||
        QFile::decodeName(QFile::encodeName(nome)) != nome)
        return QStringLiteral("nome non leggibile nella codifica del sistema");
    const QChar primo = nome.front();
    if (primo == QLatin1Char('-') || primo == QLatin1Char('!') || primo == QLatin1Char('~'))
        return QStringLiteral("inizia con '") + primo + QLatin1Char('\'');
    for (const QChar c : nome) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control ||
            c.category() == QChar::Other_Format)
            return QStringLiteral("contiene caratteri di controllo");
        if (c.isSpace())
            return QStringLiteral("contiene spazi");
        switch (c.unicode()) {
        case '"':
        case '\'':
        case '`':
            return QStringLiteral("contiene virgolette");
        case '/':
        case '\\':
            return QStringLiteral("contiene separatori di cartella");
        case '*':
        case '?':
        case '[':
        case ']':
        case '{':
        case '}':
            return QStringLiteral("contiene il carattere jolly '") + c + QLatin1Char('\'');
        default:
            break;
        }
    }
    return {};
}

QString ControllaCredenzialiDogana(const QString& host, const QString& utente,
                                   const QString& password)
{
    return Controlla(host, utente, password, QStringLiteral("'Ambiente FTP'"),
                     QStringLiteral("'Codice Utente'"));
}

QString ControllaCredenzialiUnix(const QString& host, const QString& utente,
                                 const QString& password)
{
    return Controlla(host, utente, password, QStringLiteral("'Host UNIX'"),
                     QStringLiteral("'Utente per ftp'"));
}

bool ValoreFtpSemplice(const QString& valore)
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

bool HostFtpSemplice(const QString& host)
{
    const QStringList parti = host.split(QLatin1Char(' '));
    if (parti.size() == 2) {
        bool numero = false;
        parti[1].toUShort(&numero);
        return numero && ValoreFtpSemplice(parti[0]);
    }
    return parti.size() == 1 && ValoreFtpSemplice(host);
}

QString ControllaValoriUnix(const QString& host, const QString& utente, const QString& password,
                            const QString& cartella)
{
    QStringList campi;
    if (!HostFtpSemplice(host))
        campi << QStringLiteral("'Host UNIX'");
    if (!ValoreFtpSemplice(utente))
        campi << QStringLiteral("'Utente per ftp'");
    if (!ValoreFtpSemplice(password))
        campi << QStringLiteral("'PassWord'");
    if (!ValoreFtpSemplice(cartella))
        campi << QStringLiteral("'Cartella UNIX'");
    if (campi.isEmpty())
        return {};
    const bool uno = campi.size() == 1;
    return (uno ? QStringLiteral("IL CAMPO ") : QStringLiteral("I CAMPI ")) +
           campi.join(QStringLiteral(", ")) +
           (uno ? QStringLiteral(" CONTIENE") : QStringLiteral(" CONTENGONO")) +
           QStringLiteral(" SPAZI O VIRGOLETTE,\n"
                          "CHE IL TRASFERIMENTO SU UNIX NON AMMETTE.\n") +
           (uno ? QStringLiteral("CORREGGERLO") : QStringLiteral("CORREGGERLI")) +
           QStringLiteral(": NULLA E' STATO SALVATO.");
}

QString CartellaUnixInUso(const QString& memorizzata)
{
    QString cartella = memorizzata;
    if (cartella.endsWith(QLatin1Char('/')))
        cartella.chop(1);
    return cartella;
}
