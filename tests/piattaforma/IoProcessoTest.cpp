#include "piattaforma/IoProcesso.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryFile>
#include <QTest>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// The two halves of a process's signs of life, read apart: its byte counts
// (cheap, every line) and its sockets' queues (the system's socket table).
TEST(IoProcesso, ByteECodeLettiAParte)
{
#ifndef Q_OS_LINUX
    GTEST_SKIP() << "only Linux tells these";
#endif
    const qint64 io = QCoreApplication::applicationPid();
    const IoProcesso prima = LeggiByteProcesso(io);
    ASSERT_TRUE(prima.Noto());
    EXPECT_EQ(prima.inCoda, -1) << "the queues are not read with the bytes";
    QTemporaryFile f;
    ASSERT_TRUE(f.open());
    ASSERT_EQ(f.write(QByteArray(100000, 'x')), 100000);
    ASSERT_TRUE(f.flush());
    EXPECT_GE(LeggiByteProcesso(io).scritti, prima.scritti + 100000);

    // Data sent to this process and not yet read waits in its socket's queue.
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    // A plain socket at this end: the event loop must not read the data away.
    const int cliente = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(cliente, 0);
    sockaddr_in indirizzo{};
    indirizzo.sin_family = AF_INET;
    indirizzo.sin_port = htons(server.serverPort());
    indirizzo.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(cliente, reinterpret_cast<sockaddr*>(&indirizzo), sizeof indirizzo), 0);
    ASSERT_TRUE(server.waitForNewConnection(10000));
    QTcpSocket* accolto = server.nextPendingConnection();
    const qint64 senzaDati = LeggiCodeProcesso(io);
    EXPECT_GE(senzaDati, 0);
    accolto->write("12345678");
    ASSERT_TRUE(accolto->waitForBytesWritten(10000));
    EXPECT_TRUE(QTest::qWaitFor([&]() { return LeggiCodeProcesso(io) >= senzaDati + 8; }, 10000));
    EXPECT_EQ(LeggiIoProcesso(io).inCoda, LeggiCodeProcesso(io));
    ::close(cliente);

    EXPECT_EQ(LeggiCodeProcesso(0), -1);
    EXPECT_FALSE(LeggiByteProcesso(0).Noto());
}
