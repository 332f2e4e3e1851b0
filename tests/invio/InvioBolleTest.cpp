#include "support/CartellaProgrammaTest.h"

#include "invio/InvioBolle.h"
#include "shell/Global.h"

using namespace Qt::StringLiterals;

using InvioBolleTest = CartellaProgrammaTest;

TEST_F(InvioBolleTest, SoloNomiSempliciNelCopione)
{
    for (const QString& buono : {u"ABCD1207.T01"_s, u"ABCD1207.T01.P7M"_s, u"abcd-1207_x.t01"_s,
                                 u"A!B"_s, u"A~B"_s, u"Caff\u00e8.T01"_s})
        EXPECT_TRUE(NomeFileSemplice(buono)) << buono.toStdString();
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
    EXPECT_EQ(MotivoNomeNonSemplice(u"ACME1208.T0[1]"_s), u"contiene il carattere jolly '['"_s);
}

TEST_F(InvioBolleTest, MessaggiDeiValoriNonAmmessi)
{
    EXPECT_EQ(ControllaCredenzialiDogana(u"ftp.dogane.it"_s, u"ACME"_s, u"a b|c"_s), u""_s);
    EXPECT_EQ(ControllaCredenzialiUnix(u"10.0.0.1"_s, u"irildes"_s, u"x"_s), u""_s);
    const QString uno = ControllaCredenzialiDogana(u"h\n!sh"_s, u"ACME"_s, u"p"_s);
    EXPECT_TRUE(uno.startsWith(u"IL CAMPO 'Ambiente FTP' CONTIENE CARATTERI NON AMMESSI\n"_s));
    const QString due = ControllaCredenzialiUnix(u"h"_s, u"ir\tildes"_s, u"p\x7f"_s);
    EXPECT_TRUE(due.startsWith(u"I CAMPI 'Utente per ftp', 'PassWord' CONTENGONO"_s))
        << due.toStdString();
}

TEST_F(InvioBolleTest, RichiestaConUnPutPerNomeInOrdine)
{
    ParametriEdi.HostFtp = u"127.0.0.1"_s;
    ParametriEdi.UtenteFtp = u"ABCD"_s;
    ParametriEdi.PasswordFtp = u"segreta"_s;
    const RichiestaFtp r =
        RichiestaInvio({u"ABCD1207.T02"_s, u"ABCD1207.T01"_s}, u"/dati/Firmati"_s);
    EXPECT_EQ(r.righe, QStringList({u"put ABCD1207.T02"_s, u"put ABCD1207.T01"_s}));
    EXPECT_EQ(r.cartella, u"/dati/Firmati"_s);
    EXPECT_EQ(r.host, u"127.0.0.1"_s);
    EXPECT_EQ(r.utente, u"ABCD"_s);
    EXPECT_EQ(r.password, u"segreta"_s);
    EXPECT_EQ(r.prefissoComando, u"ftp -v -n -i -s:"_s);
    EXPECT_EQ(r.messaggioAvvio, u"ERRORE NELL'INVIO DELLE BOLLE"_s);
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
    const ConfermeInvio c = LeggiConferme(trascrizione, {u"A"_s, u"B"_s, u"C"_s, u"D"_s, u"A"_s});
    EXPECT_EQ(c.accettati, QStringList({u"A"_s, u"C"_s, u"A"_s}));
    EXPECT_EQ(c.nonInviati, QStringList({u"B"_s, u"D"_s}));
}
