// The CPU time the program spends while the system's FTP client fetches a file
// at about 64 KB/s from a ProFTPD of the benchmark's own, against the wall time
// of the run; beside it, the CPU time of the client itself, the floor: the
// program cannot wait for less than what moving the data costs.

#include "support/ServerFtp.h"

#include "piattaforma/Messaggi.h"
#include "scambio/EseguiScriptFtp.h"
#include "shell/Global.h"

#include "Misure.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <sys/resource.h>

namespace {

constexpr int VelocitaKBs = 64;
constexpr int SecondiScarico = 5;
constexpr int Giri = 3;

double SecondiCpu(int chi)
{
    rusage uso{};
    getrusage(chi, &uso);
    auto s = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return s(uso.ru_utime) + s(uso.ru_stime);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    CartellaProgramma = dir.path();
    FileComandiFtp = dir.filePath(QStringLiteral("Xcmd.txt"));
    const QString lavoro = dir.filePath(QStringLiteral("Ricevuti"));
    QDir().mkpath(lavoro);
    ImpostaGestoreMessaggi([](const RichiestaMessaggio& m) {
        std::fprintf(stderr, "box: %s\n", qPrintable(m.testo));
        return Risposta::No;
    });

    ServerFtp server;
    ServerFtp::Opzioni opzioni;
    opzioni.velocitaScaricoKBs = VelocitaKBs;
    if (!server.Avvia(opzioni)) {
        std::fprintf(stderr, "no FTP server: %s\n", qPrintable(server.Motivo()));
        return 1;
    }
    const QString nome = QStringLiteral("ACME1207.R01");
    server.MettiFile(QString(ServerFtp::UtenteDogana), nome,
                     QByteArray(VelocitaKBs * 1024 * SecondiScarico, 'x'));

    RichiestaFtp r;
    r.cartella = lavoro;
    r.host = server.Host();
    r.utente = ServerFtp::UtenteDogana;
    r.password = ServerFtp::PasswordDogana;
    r.righe = QStringList{QStringLiteral("get ") + nome};
    r.messaggioAvvio = QString::fromLatin1(ErroreRicezioneMessaggi);
    r.operazione = QStringLiteral("ricezione");
    // As the receive window does: a panel told how the fetch goes.
    qint64 ultimi = 0;
    r.avanzamento = [&](const AvanzamentoFtp& a) { ultimi = a.byte; };

    std::vector<double> programma;
    std::vector<double> cliente;
    std::vector<double> pareti;
    for (int i = 0; i < Giri; ++i) {
        QFile::remove(QDir(lavoro).filePath(nome));
        QElapsedTimer orologio;
        const double cpu = SecondiCpu(RUSAGE_SELF);
        const double figli = SecondiCpu(RUSAGE_CHILDREN);
        orologio.start();
        const EsitoFtp esito = EseguiScriptFtp(r);
        const double parete = double(orologio.nsecsElapsed()) / 1e9;
        if (!esito.eseguito || QFileInfo(QDir(lavoro).filePath(nome)).size() == 0) {
            std::fprintf(stderr, "the fetch failed:\n%s\n", qPrintable(esito.trascrizione));
            return 1;
        }
        programma.push_back(100.0 * (SecondiCpu(RUSAGE_SELF) - cpu) / parete);
        cliente.push_back(100.0 * (SecondiCpu(RUSAGE_CHILDREN) - figli) / parete);
        pareti.push_back(parete);
    }
    std::printf("fetch of %d KiB at %d KB/s: %.2f s (median of %d)\n", VelocitaKBs * SecondiScarico,
                VelocitaKBs, Mediana(pareti), Giri);
    std::printf("cpu while waiting: %.2f %%\n", Mediana(programma));
    std::printf("cpu of the ftp client (floor): %.2f %%\n", Mediana(cliente));
    std::printf("table: cpu while waiting, fetch at %d KB/s | %.2f %% | %.2f %% (ftp client) | "
                "%.2f\n",
                VelocitaKBs, Mediana(programma), Mediana(cliente),
                Mediana(cliente) > 0 ? Mediana(programma) / Mediana(cliente) : 0.0);
    return ultimi > 0 ? 0 : 1;
}
