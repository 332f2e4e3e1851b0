#include "shell/ModuliOpzionali.h"

#include "piattaforma/Associazioni.h"
#include "piattaforma/Messaggi.h"
#include "piattaforma/Processi.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QFileInfo>

void ModuliOpzionali::attivaProcedura()
{
    const QString comando = LeggiIni(FileIni, Ini::SezApplicativi, procedura_);
    if (!comando.isEmpty()) {
        lanciaProcedura(comando);
        return;
    }
    Messaggio(procedura_ + QStringLiteral(" non presente su ") + FileIni);
    ArgomentoProgramma.clear();
    StileFinestra = 1;
}

void ModuliOpzionali::lanciaProcedura(const QString& comando)
{
    if (procedura_ == Ini::Varie + QLatin1Char('1') &&
        comando.trimmed() == Ini::EditorDelDesktop) {
        lanciaEditorDelDesktop();
        return;
    }
    // A path with blanks is one argument, not several.
    const QString argomento = ArgomentoProgramma.trimmed();
    QString riga = comando;
    if (QFileInfo::exists(argomento) && !argomento.contains(QLatin1Char('"')))
        riga += QStringLiteral(" \"") + argomento + QLatin1Char('"');
    else
        riga += ArgomentoProgramma;
    idTask_ = AvviaApplicazione(riga, StileFinestra);
    if (idTask_ == 0)
        Messaggio(comando + QStringLiteral(" non trovato"));
    ArgomentoProgramma.clear();
    StileFinestra = 1;
}

void ModuliOpzionali::lanciaEditorDelDesktop()
{
    const QStringList editor = ComandoEditorTesti(ArgomentoProgramma.trimmed());
    idTask_ = AvviaProgramma(editor);
    if (idTask_ == 0)
        Messaggio(Ini::DefaultNomeVarie1 + QStringLiteral(" non trovato"));
    ArgomentoProgramma.clear();
    StileFinestra = 1;
}

void LanciaApplicazione(const QString& chiave)
{
    ModuliOpzionali modulo;
    modulo.nomeProceduraChiamata(chiave);
    modulo.attivaProcedura();
}
