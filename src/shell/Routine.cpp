#include "shell/Routine.h"

#include "piattaforma/Messaggi.h"
#include "piattaforma/SondaConnessione.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

bool ConnessioneRemotaAttiva()
{
    QString modello =
        LeggiIni(FileIni, Ini::SezEdi, Ini::Connessione);
    if (modello.isEmpty())
        modello = QString(Ini::DefaultConnessione);
    switch (SondaConnessione(modello)) {
    case StatoConnessione::Attiva:
        return true;
    case StatoConnessione::NonAttiva:
        return false;
    case StatoConnessione::Errore:
        Messaggio(QStringLiteral("ERROR"));
        return false;
    }
    return false;
}

QString NomeEseguibile()
{
    const QFileInfo eseguibile(QCoreApplication::applicationFilePath());
#ifdef Q_OS_WIN
    const QString nome = eseguibile.completeBaseName();
#else
    // No extensions here: "norvel-2.1" is the whole name.
    const QString nome = eseguibile.fileName();
#endif
    return nome.isEmpty() ? QStringLiteral("norvel") : nome;
}

namespace {

std::function<void(int)>& Terminazione()
{
    static std::function<void(int)> t;
    return t;
}

} // namespace

void TerminaSubito(int codice)
{
    if (Terminazione()) {
        Terminazione()(codice);
        return;
    }
    std::fflush(nullptr);
    std::_Exit(codice);
}

void ImpostaTerminazione(std::function<void(int)> termina)
{
    Terminazione() = std::move(termina);
}
