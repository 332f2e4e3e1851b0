#include "piattaforma/ModuloRete.h"
#include "piattaforma/ProvaTcp.h"
#include "support/ServerHttp.h"

#include "PercorsiTest.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// Without its module a request fails with the reason, and writes nothing.
TEST(ModuloRete, SenzaModuloUnErroreChiaroENienteScritto)
{
    QTemporaryDir cartella;
    const QString destinazione = cartella.filePath(u"scaricato"_s);
    const struct
    {
        QString modulo;
        QString motivo;
    } casi[] = {
        {cartella.filePath(u"norvel-rete.so"_s), u"non è installato"_s},
        {QStringLiteral(NORVEL_SORGENTI "/README.md"), u"non si carica"_s},
    };
    for (const auto& c : casi) {
        ImpostaModuloRete(c.modulo);
        for (const RispostaHttp& r : {HttpGetSincrono(QUrl(u"http://127.0.0.1:9/"_s)),
                                      ScaricaHttp(QUrl(u"http://127.0.0.1:9/x"_s), destinazione)}) {
            EXPECT_FALSE(r.riuscita);
            EXPECT_EQ(r.errore, -1);
            EXPECT_TRUE(r.descrizione.contains(c.motivo)) << r.descrizione.toStdString();
        }
        EXPECT_FALSE(QFile::exists(destinazione));
    }
}

// Installed, a program finds the module from its own folder: bin/ or
// libexec/norvel/ beside lib/norvel/.
TEST(ModuloRete, InstallatoSiTrovaDallaCartellaDelProgramma)
{
    ServerHttp server;
    ASSERT_TRUE(server.Avvia());
    server.Metti(u"/pagina"_s, "pagina trovata");
    for (const QString& cartella : {u"usr/bin"_s, u"usr/libexec/norvel"_s}) {
        QTemporaryDir radice;
        const QDir r(radice.path());
        ASSERT_TRUE(r.mkpath(cartella) && r.mkpath(u"usr/lib/norvel"_s));
        const QString programma = r.filePath(cartella + u"/norvel_seconda_copia"_s);
        ASSERT_TRUE(QFile::copy(QStringLiteral(NORVEL_SECONDA_COPIA), programma));
        ASSERT_TRUE(QFile::copy(QStringLiteral(NORVEL_MODULO_RETE),
                                r.filePath(u"usr/lib/norvel/norvel-rete.so"_s)));
        QProcess p;
        p.start(programma, {u"--http"_s, server.Indirizzo(u"/pagina"_s)});
        ASSERT_TRUE(p.waitForStarted(10000));
        ASSERT_TRUE(QTest::qWaitFor([&p] { return p.state() == QProcess::NotRunning; }, 60000));
        EXPECT_EQ(p.readAllStandardOutput(), "pagina trovata") << cartella.toStdString();
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    }
}

// The probe: an open port (by address, name and IPv6 address), a closed one,
// and one whose server never answers (its queue full), which ends at the bound.
TEST(ProvaConnessioneTcp, ApertaChiusaMuta)
{
    QTcpServer aperto, aperto6;
    ASSERT_TRUE(aperto.listen(QHostAddress::LocalHost));
    const quint16 porta = aperto.serverPort();
    EXPECT_EQ(ProvaConnessioneTcp(u"127.0.0.1"_s, porta, 5000), QString());
    EXPECT_EQ(ProvaConnessioneTcp(u"localhost"_s, porta, 5000), QString());
    if (aperto6.listen(QHostAddress::LocalHostIPv6)) {
        EXPECT_EQ(ProvaConnessioneTcp(u"::1"_s, aperto6.serverPort(), 5000), QString());
    }
    aperto.close();
    EXPECT_FALSE(ProvaConnessioneTcp(u"127.0.0.1"_s, porta, 5000).isEmpty());

    // Backlog 0 holds one connection; the kernel drops the next handshakes.
    const int ascolto = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in indirizzo{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    socklen_t lunghezza = sizeof indirizzo;
    auto* a = reinterpret_cast<sockaddr*>(&indirizzo);
    ASSERT_TRUE(bind(ascolto, a, lunghezza) == 0 && listen(ascolto, 0) == 0);
    getsockname(ascolto, a, &lunghezza);
    const int riempitivi[] = {socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0),
                              socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0)};
    for (int r : riempitivi)
        connect(r, a, lunghezza);
    QElapsedTimer tempo;
    tempo.start();
    EXPECT_FALSE(ProvaConnessioneTcp(u"127.0.0.1"_s, ntohs(indirizzo.sin_port), 300).isEmpty());
    EXPECT_GE(tempo.elapsed(), 250);
    EXPECT_LT(tempo.elapsed(), 10000);
    for (int r : {ascolto, riempitivi[0], riempitivi[1]})
        close(r);
}
