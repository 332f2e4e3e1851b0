// Another copy of the program on the same program folder, for the tests that
// need two processes: one transfer run, then the exit status says how it went
// (0 done, 1 refused or failed).
//   norvel_seconda_copia PROGRAM_FOLDER WORK_FOLDER HOST USER PASSWORD LINE...
// Or one web request, from wherever the copy was put: the page's text on
// standard output, else the failure's description, and the status likewise.
//   norvel_seconda_copia --http URL
#include "piattaforma/Percorsi.h"
#include "piattaforma/RichiestaHttp.h"
#include "scambio/EseguiScriptFtp.h"
#include "shell/Global.h"

#include <QCoreApplication>
#include <QStringList>
#include <QUrl>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() == 3 && a[1] == QLatin1String("--http")) {
        const RispostaHttp r = HttpGetSincrono(QUrl(a[2]));
        std::fputs(qPrintable(r.riuscita ? r.testo : r.descrizione), stdout);
        return r.riuscita ? 0 : 1;
    }
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
