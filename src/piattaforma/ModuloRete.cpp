#include "piattaforma/ModuloRete.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QMutex>

using namespace Qt::StringLiterals;

namespace {

struct Stato
{
    QMutex blocco;
    QString imposto;
    bool provato = false;
    const InterfacciaRete* interfaccia = nullptr;
    QString errore;
};

Stato& Modulo()
{
    static Stato s;
    return s;
}

QStringList Candidati()
{
    const QDir eseguibile(QCoreApplication::applicationDirPath());
    const QString nome = QLatin1String(NomeModuloRete);
    // Beside it (the build), then from bin/ and from libexec/norvel/.
    return {eseguibile.filePath(nome), eseguibile.filePath(u"../lib/norvel/"_s + nome),
            eseguibile.filePath(u"../../lib/norvel/"_s + nome)};
}

void Carica(Stato& s)
{
    QString percorso = s.imposto;
    if (percorso.isEmpty()) {
        for (const QString& c : Candidati()) {
            if (QFileInfo(c).isFile()) {
                percorso = QDir::cleanPath(QFileInfo(c).absoluteFilePath());
                break;
            }
        }
    }
    const QString nome = QLatin1String(NomeModuloRete);
    if (percorso.isEmpty() || !QFileInfo(percorso).isFile()) {
        s.errore = u"Il modulo di rete "_s + nome +
                   u" non è installato: le richieste alle pagine web non sono possibili."_s;
        return;
    }
    // Never unloaded: its code runs for the rest of the process.
    QLibrary libreria(percorso);
    auto funzione = reinterpret_cast<FunzioneInterfacciaRete>(libreria.resolve(NomeFunzioneRete));
    const InterfacciaRete* i = funzione ? funzione() : nullptr;
    if (!i) {
        s.errore =
            u"Il modulo di rete "_s + percorso + u" non si carica: "_s + libreria.errorString();
        return;
    }
    if (i->versione != VersioneInterfacciaRete) {
        s.errore = u"Il modulo di rete "_s + percorso +
                   u" è di un'altra versione del programma: reinstallare il programma."_s;
        return;
    }
    s.interfaccia = i;
}

} // namespace

const InterfacciaRete* ModuloRete(QString* errore)
{
    Stato& s = Modulo();
    QMutexLocker blocco(&s.blocco);
    if (!s.provato) {
        s.provato = true;
        Carica(s);
    }
    if (!s.interfaccia && errore)
        *errore = s.errore;
    return s.interfaccia;
}

void ImpostaModuloRete(const QString& percorso)
{
    Stato& s = Modulo();
    QMutexLocker blocco(&s.blocco);
    if (percorso == s.imposto && s.provato)
        return;
    s.imposto = percorso;
    s.provato = false;
    s.interfaccia = nullptr;
    s.errore.clear();
}
