#include "support/CartellaProgrammaTest.h"

#include "piattaforma/ClienteFtp.h"

#include <QFile>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

// tnftp wherever it stands on PATH, else ftp.
TEST_F(CartellaProgrammaTest, ClienteTnftpSePresenteAltrimentiFtp)
{
    const struct
    {
        QStringList clienti; // "cartella/nome", folders a then b on PATH
        QString atteso;
    } casi[] = {
        {{u"a/ftp"_s, u"b/tnftp"_s}, u"sono tnftp"_s},
        {{u"b/ftp"_s}, u"sono ftp"_s},
    };
    const QByteArray path = qgetenv("PATH");
    int n = 0;
    for (const auto& caso : casi) {
        const QString radice = u"caso%1/"_s.arg(++n);
        ScriviFile(radice + u"a/.x"_s, "");
        ScriviFile(radice + u"b/.x"_s, "");
        for (const QString& c : caso.clienti)
            QFile::setPermissions(ScriviFile(radice + c, "#!/bin/sh\necho \"sono ${0##*/}\"\n"),
                                  QFile::ReadOwner | QFile::ExeOwner);
        qputenv("PATH", (Percorso(radice + u'a') + u':' + Percorso(radice + u'b')).toLocal8Bit());
        ClienteFtp cliente;
        QSignalSpy fine(&cliente, &ClienteFtp::Terminato);
        const bool avviato = cliente.Avvia(Cartella(), "quit\r\n");
        qputenv("PATH", path);
        ASSERT_TRUE(avviato) << n;
        ASSERT_TRUE(fine.wait(30000)) << n;
        EXPECT_EQ(cliente.Trascrizione().trimmed(), caso.atteso) << n;
    }
}
