#include "support/CartellaProgrammaTest.h"

#include "piattaforma/ClienteFtp.h"

#include <QFile>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {

class ClienteFtpTest : public CartellaProgrammaTest
{
protected:
    void TearDown() override
    {
        qputenv("PATH", path_);
        CartellaProgrammaTest::TearDown();
    }
    // A client that only says its own name.
    void Cliente(const QString& cartella, const QString& nome)
    {
        const QString p =
            ScriviFile(cartella + u'/' + nome, "#!/bin/sh\necho \"sono ${0##*/}\"\n");
        QFile::setPermissions(p, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QByteArray path_ = qgetenv("PATH");
};

} // namespace

// tnftp wherever it stands on PATH, else ftp.
TEST_F(ClienteFtpTest, TnftpSePresenteAltrimentiFtp)
{
    const struct
    {
        QStringList prima, dopo; // clients in the first and in the second folder of PATH
        QString atteso;          // "" when none can start
    } casi[] = {
        {{u"ftp"_s}, {u"tnftp"_s}, u"sono tnftp"_s},
        {{u"ftp"_s, u"tnftp"_s}, {}, u"sono tnftp"_s},
        {{}, {u"ftp"_s}, u"sono ftp"_s},
        {{}, {}, u""_s},
    };
    int n = 0;
    for (const auto& caso : casi) {
        const QString a = u"caso%1/a"_s.arg(n), b = u"caso%1/b"_s.arg(n);
        ++n;
        ScriviFile(a + u"/.tiene"_s, "");
        ScriviFile(b + u"/.tiene"_s, "");
        for (const QString& c : caso.prima)
            Cliente(a, c);
        for (const QString& c : caso.dopo)
            Cliente(b, c);
        qputenv("PATH", (Percorso(a) + u':' + Percorso(b)).toLocal8Bit());
        ClienteFtp cliente;
        QSignalSpy fine(&cliente, &ClienteFtp::Terminato);
        const bool avviato = cliente.Avvia(Cartella(), "quit\r\n");
        ASSERT_EQ(avviato, !caso.atteso.isEmpty()) << n;
        if (!avviato) {
            EXPECT_EQ(cliente.ErroreAvvio(), u"né tnftp né ftp trovati nel PATH"_s);
            continue;
        }
        ASSERT_TRUE(fine.wait(30000)) << n;
        EXPECT_EQ(cliente.Trascrizione().trimmed(), caso.atteso) << n;
    }
}
