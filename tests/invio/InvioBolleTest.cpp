#include "support/CartellaProgrammaTest.h"

#include "invio/InvioBolle.h"
#include "shell/Global.h"

using InvioBolleTest = CartellaProgrammaTest;

TEST_F(InvioBolleTest, SoloNomiSempliciNelCopione)
{
    for (const char* buono :
         {"ABCD1207.T01", "ABCD1207.T01.P7M", "abcd-1207_x.t01", "A!B", "A~B", "Caff\u00e8.T01"})
        EXPECT_TRUE(NomeFileSemplice(buono)) << buono;
    for (const QString& cattivo :
         QStringList{QString(),
                     QStringLiteral("."),
                     QStringLiteral(".."),
                     QStringLiteral("ABCD 1207.T01"),
                     QStringLiteral("ABCD1207.T01\r\nquit"),
                     QStringLiteral("-dABCD1207.T01"),
                     QStringLiteral("!rm ABCD"),
                     QStringLiteral("AB\"CD"),
                     QStringLiteral("AB'CD"),
                     QStringLiteral("../ABCD1207.T01"),
                     QStringLiteral("AB\\CD"),
                     QStringLiteral("AB\tCD"),
                     QStringLiteral("AB") + QString(QChar(0x00A0)) + QStringLiteral("CD"),
                     QStringLiteral("AB") + QString(QChar(0x200B)) + QStringLiteral("CD"),
                     QStringLiteral("ACME1208.T0[1]"),
                     QStringLiteral("ACME1208.T0?"),
                     QStringLiteral("ACME*"),
                     QStringLiteral("A{B,C}"),
                     QStringLiteral("AB]"),
                     QStringLiteral("~ACME"),
                     QStringLiteral("ACME1208.T0") + QChar::ReplacementCharacter})
        EXPECT_FALSE(NomeFileSemplice(cattivo)) << cattivo.toStdString();
    EXPECT_EQ(MotivoNomeNonSemplice("ACME1208.T0[1]"), "contiene il carattere jolly '['");
}

TEST_F(InvioBolleTest, MessaggiDeiValoriNonAmmessi)
{
    EXPECT_EQ(ControllaCredenzialiDogana("ftp.dogane.it", "ACME", "a b|c"), "");
    EXPECT_EQ(ControllaCredenzialiUnix("10.0.0.1", "irildes", "x"), "");
    const QString uno = ControllaCredenzialiDogana("h\n!sh", "ACME", "p");
    EXPECT_TRUE(uno.startsWith("IL CAMPO 'Ambiente FTP' CONTIENE CARATTERI NON AMMESSI\n"));
    const QString due = ControllaCredenzialiUnix("h", "ir\tildes", "p\x7f");
    EXPECT_TRUE(due.startsWith("I CAMPI 'Utente per ftp', 'PassWord' CONTENGONO"))
        << due.toStdString();
}

TEST_F(InvioBolleTest, RichiestaConUnPutPerNomeInOrdine)
{
    ParametriEdi.HostFtp = "127.0.0.1";
    ParametriEdi.UtenteFtp = "ABCD";
    ParametriEdi.PasswordFtp = "segreta";
    const RichiestaFtp r = RichiestaInvio({"ABCD1207.T02", "ABCD1207.T01"}, "/dati/Firmati");
    EXPECT_EQ(r.righe, QStringList({"put ABCD1207.T02", "put ABCD1207.T01"}));
    EXPECT_EQ(r.cartella, "/dati/Firmati");
    EXPECT_EQ(r.host, "127.0.0.1");
    EXPECT_EQ(r.utente, "ABCD");
    EXPECT_EQ(r.password, "segreta");
    EXPECT_EQ(r.prefissoComando, "ftp -v -n -i -s:");
    EXPECT_EQ(r.messaggioAvvio, "ERRORE NELL'INVIO DELLE BOLLE");
}

// Both lists in the order of the names, a name given twice counted twice.
TEST_F(InvioBolleTest, ConfermeNellOrdineDeiNomi)
{
    const QString trascrizione = QStringLiteral("local: C remote: C\n"
                                                "226 Transfer complete\n"
                                                "local: B remote: B\n"
                                                "553 B: Permission denied\n"
                                                "local: A remote: A\n"
                                                "150 Opening\n"
                                                "226 Transfer complete\n");
    const ConfermeInvio c = LeggiConferme(trascrizione, {"A", "B", "C", "D", "A"});
    EXPECT_EQ(c.accettati, QStringList({"A", "C", "A"}));
    EXPECT_EQ(c.nonInviati, QStringList({"B", "D"}));
}
