// The receive window fetching 50 new replies from a ProFTPD of the benchmark's
// own: from the press of "&RICEVI" to the table showing them, and the runner
// alone doing the same two runs (listing, fetch), against the system's `ftp`
// client running the same two sessions by itself (the floor).

#include "support/ServerFtp.h"

#include "piattaforma/Messaggi.h"
#include "piattaforma/Orologio.h"
#include "ricezione/RiceviMessaggi.h"
#include "ricezione/ui/Edi2Dos.h"
#include "ricezione/ui/GrigliaRicevuti.h"
#include "shell/CartelleLavoro.h"
#include "shell/Global.h"

#include "../Misure.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Risposte = 50;
constexpr int Giri = 5;

QString Nome(int i)
{
    return QStringLiteral("ACME1207.N%1").arg(i, 2, 10, QLatin1Char('0'));
}

// Every reply fetched before, wherever a run or the window left it: the next
// round finds them all new again.
void Dimentica(const QString& base)
{
    QDirIterator it(base, {QStringLiteral("ACME*")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        QFile::remove(it.next());
}

double Secondi(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e9;
}

// The two sessions the program runs, typed to the client directly.
bool ClienteNudo(const ServerFtp& server, const QString& cartella)
{
    const QByteArray accesso = "open " + server.Host().toUtf8() + "\nuser " +
                               QString(ServerFtp::UtenteDogana).toUtf8() + ' ' +
                               QString(ServerFtp::PasswordDogana).toUtf8() + '\n';
    QByteArray scarico = accesso + "binary\n";
    for (int i = 1; i <= Risposte; ++i)
        scarico += "size " + Nome(i).toUtf8() + "\nget " + Nome(i).toUtf8() + ' ' +
                   Nome(i).toUtf8() + ".tmp\n";
    const QByteArrayList copioni = {accesso + "ascii\nls ACME1207.* Xchk\nbye\n",
                                    scarico + "bye\n"};
    for (const QByteArray& copione : copioni) {
        QProcess ftp;
        ftp.setWorkingDirectory(cartella);
        ftp.start(QStringLiteral("ftp"),
                  {QStringLiteral("-n"), QStringLiteral("-i"), QStringLiteral("-v")});
        ftp.write(copione);
        ftp.closeWriteChannel();
        if (!ftp.waitForFinished(120000) || ftp.exitCode() != 0)
            return false;
    }
    return QDir(cartella).entryList({QStringLiteral("*.tmp")}, QDir::Files).size() == Risposte;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    CartellaProgramma = dir.path();
    FileComandiFtp = dir.filePath(QStringLiteral("Xcmd.txt"));
    ImpostaOrologio([] { return QDateTime(QDate(2024, 12, 7), QTime(9, 0)); });
    ParametriEdi.CartellaBase = dir.filePath(QStringLiteral("base"));
    CreaCartelle();
    // "CI SONO 50 FILES NUOVI ...": answered as a person would, at once.
    ImpostaGestoreMessaggi([](const RichiestaMessaggio&) { return Risposta::Ok; });

    ServerFtp server;
    if (!server.Avvia()) {
        std::fprintf(stderr, "no FTP server: %s\n", qPrintable(server.Motivo()));
        return 1;
    }
    for (int i = 1; i <= Risposte; ++i)
        server.MettiFile(QString(ServerFtp::UtenteDogana), Nome(i), QByteArray(4096, 'r'));
    ParametriEdi.HostFtp = server.Host();
    ParametriEdi.UtenteFtp = ServerFtp::UtenteDogana;
    ParametriEdi.PasswordFtp = ServerFtp::PasswordDogana;
    MaxFile = Risposte;
    ConnessoRemoto = true;
    const QString nudo = dir.filePath(QStringLiteral("nudo"));

    std::vector<double> finestra;
    std::vector<double> corse;
    std::vector<double> cliente;
    for (int giro = 0; giro < Giri; ++giro) {
        QDir(nudo).removeRecursively();
        QDir().mkpath(nudo);
        QElapsedTimer t;
        t.start();
        if (!ClienteNudo(server, nudo)) {
            std::fprintf(stderr, "the raw client did not fetch the %d replies\n", Risposte);
            return 1;
        }
        cliente.push_back(Secondi(t));

        Dimentica(ParametriEdi.CartellaBase);
        {
            Edi2Dos w;
            w.show();
            if (!QTest::qWaitForWindowExposed(&w))
                return 1;
            auto* ricevi = w.findChild<QPushButton*>(QStringLiteral("cmdRicevi"));
            t.start();
            ricevi->click();
            QApplication::processEvents();
            finestra.push_back(Secondi(t));
            if (w.Griglia()->Elenco().Conta() != Risposte) {
                std::fprintf(stderr, "the window shows %d replies\n",
                             int(w.Griglia()->Elenco().Conta()));
                return 1;
            }
        }

        Dimentica(ParametriEdi.CartellaBase);
        const RichiestaRicezione richiesta =
            RichiestaDaGlobali({QStringLiteral("12"), QStringLiteral("07"), QStringLiteral("??"),
                                QStringLiteral("??")});
        t.start();
        const EsitoRicezione esito = RiceviNuovi(richiesta, AvvisiRicezione());
        corse.push_back(Secondi(t));
        if (esito.ricevuti.size() != Risposte) {
            std::fprintf(stderr, "the runner fetched %d replies\n", int(esito.ricevuti.size()));
            return 1;
        }
    }
    const double f = Mediana(finestra);
    const double c = Mediana(corse);
    const double n = Mediana(cliente);
    std::printf("receive %d replies: window %.3f s, runner %.3f s, raw client %.3f s "
                "(medians of %d)\n",
                Risposte, f, c, n, Giri);
    std::printf("ratio receive/raw-client: %.2f\n", f / n);
    std::printf("ratio runner/raw-client: %.2f\n", c / n);
    std::printf("table: receive %d replies, key press to table | %.3f s | %.3f s (ftp client) | "
                "%.2f\n",
                Risposte, f, n, f / n);
    std::printf("table: the runner alone, the same two runs | %.3f s | %.3f s (ftp client) | "
                "%.2f\n",
                c, n, c / n);
    return 0;
}
