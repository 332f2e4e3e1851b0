#include "web/ui/PresentazioneWeb.h"

#include "piattaforma/ui/Shell.h"
#include "shell/ui/Finestre.h"
#include "web/XCkMrnVat.h"
#include "web/ui/FrmWeb.h"

#include <QApplication>

void InstallaPresentazioneWeb()
{
    PresentazionePagine p;
    p.finestra = [](const QString& indirizzo, const QString& codice, const QString& tipo) {
        QWidget* padre = QApplication::activeModalWidget();
        FrmWeb pagina(padre ? padre : FinestraPrincipale());
        pagina.plUrl(indirizzo);
        pagina.plObject(codice);
        pagina.plTipo(tipo);
        pagina.exec();
    };
    p.apriFile = [](const QString& file) { ApriConShell(file); };
    ImpostaPresentazionePagine(p);
}
