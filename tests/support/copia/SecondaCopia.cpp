// Another copy of the program on the same program folder, for the tests that
// need two processes: one transfer run, then the exit status says how it went
// (0 done, 1 refused or failed).
//   norvel_seconda_copia PROGRAM_FOLDER WORK_FOLDER HOST USER PASSWORD LINE...
#include "piattaforma/Percorsi.h"
#include "scambio/EseguiScriptFtp.h"
#include "shell/Global.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 7)
        return 2;
    CartellaProgramma = a[1];
    FileComandiFtp = UnisciPercorso(a[1], QStringLiteral("Xcmd.txt"));
    RichiestaFtp r;
    r.cartella = a[2];
    r.host = a[3];
    r.utente = a[4];
    r.password = a[5];
    r.righe = a.mid(6);
    r.operazione = QStringLiteral("seconda copia");
    return EseguiScriptFtp(r).eseguito ? 0 : 1;
}
