#include "support/TrascrizioneCampione.h"

#include "scambio/TrascrizioneFtp.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString Completa = QString::fromUtf8(TrascrizioneCampione);

struct Atteso
{
    QString file;
    EsitoFileFtp esito;
    qint64 byte;
    QString risposta;
    QString motivo;
    bool concluso;
};

void Confronta(const QList<FileFtp>& file, const QList<Atteso>& attesi)
{
    ASSERT_EQ(file.size(), attesi.size());
    for (qsizetype i = 0; i < file.size(); ++i) {
        SCOPED_TRACE(attesi[i].file.toStdString());
        EXPECT_EQ(file[i].file, attesi[i].file);
        EXPECT_EQ(file[i].esito, attesi[i].esito);
        EXPECT_EQ(file[i].byte, attesi[i].byte);
        EXPECT_EQ(file[i].risposta, attesi[i].risposta);
        EXPECT_EQ(file[i].motivo, attesi[i].motivo);
        EXPECT_EQ(file[i].concluso, attesi[i].concluso);
    }
}

} // namespace

TEST(TrascrizioneFtp, OgniFileConEsitoRispostaEByte)
{
    const QList<FileFtp> file = FileDellaTrascrizione(RigheCampione, Completa);
    Confronta(
        file,
        {{u"ACME0101.T01"_s, EsitoFileFtp::Accettato, 4, u"226 Transfer complete"_s, u""_s, true},
         {u"ACME0101.T02"_s, EsitoFileFtp::Rifiutato, -1, u"550 ACME0101.T02: Forbidden filename"_s,
          u""_s, true},
         {u"ACME0101.T03"_s, EsitoFileFtp::Accettato, 12, u"226-Transfer complete"_s, u""_s, true},
         {u"MANCA"_s, EsitoFileFtp::NonTentato, -1, u""_s,
          u"ftp: Can't open `MANCA': No such file or directory"_s, false}});
    for (const FileFtp& f : file)
        EXPECT_EQ(f.direzione, u"put"_s);
}

// The client was killed while the server took the second file: the first is
// final, the second was begun and never confirmed, the third never began.
TEST(TrascrizioneFtp, UnaCorsaInterrottaAMeta)
{
    const QString interrotta =
        Completa.left(Completa.indexOf(u"550"_s)) + u"150 Opening BINARY mode data connection\n"_s;
    const QList<FileFtp> file = FileDellaTrascrizione(RigheCampione.mid(0, 3), interrotta);
    Confronta(file, {{u"ACME0101.T01"_s, EsitoFileFtp::Accettato, 4, u"226 Transfer complete"_s,
                      u""_s, true},
                     {u"ACME0101.T02"_s, EsitoFileFtp::Rifiutato, -1, u""_s,
                      u"il server non ha confermato il trasferimento"_s, false},
                     {u"ACME0101.T03"_s, EsitoFileFtp::NonTentato, -1, u""_s, u""_s, false}});
    // Announced and nothing more: not attempted yet.
    const QString annunciato = Completa.left(Completa.indexOf(u"229 Entering Extended Passive "
                                                              "Mode (|||35013|)"_s));
    EXPECT_EQ(FileDellaTrascrizione(RigheCampione, annunciato)[1].esito, EsitoFileFtp::NonTentato);
    // A good-bye is the session's, never a transfer's reply.
    EXPECT_EQ(
        FileDellaTrascrizione({u"put ACME0101.T01"_s},
                              u"local: ACME0101.T01 remote: ACME0101.T01\n221 Goodbye.\n"_s)[0]
            .esito,
        EsitoFileFtp::NonTentato);
}

TEST(TrascrizioneFtp, RiceveSottoAltroNomeEModelli)
{
    const QString trascrizione = QString::fromUtf8(TrascrizioneRicezione);
    const QList<FileFtp> file = FileDellaTrascrizione(RigheRicezione, trascrizione);
    Confronta(
        file,
        {{u"ACME1207.L01"_s, EsitoFileFtp::Accettato, 300, u"226 Transfer complete"_s, u""_s, true},
         {u"ACME1207.L02"_s, EsitoFileFtp::NonTentato, -1, u""_s, u""_s, true},
         {u"irisp.txt"_s, EsitoFileFtp::Accettato, -1, u"226 Transfer complete"_s, u""_s, true},
         {u"ACME1207.W01"_s, EsitoFileFtp::Accettato, -1, u"226 Transfer complete"_s, u""_s, true},
         {u"ACME1207.W02"_s, EsitoFileFtp::Rifiutato, -1, u"451 Transfer aborted"_s, u""_s, false},
         {u"NIENTE*"_s, EsitoFileFtp::NonTentato, -1, u""_s, u""_s, false}});
    EXPECT_EQ(file[0].destinazione, u"ACME1207.L01.tmp"_s);
    EXPECT_EQ(file[0].direzione, u"get"_s);
    EXPECT_EQ(file[2].destinazione, u"/tmp/edi/irispACME"_s);
    EXPECT_EQ(file[2].direzione, u"put"_s);
    EXPECT_EQ(CaricamentiAccettati(trascrizione,
                                   {u"ACME1207.L01.tmp"_s, u"irisp.txt"_s, u"ACME1207.W02"_s}),
              QStringList({u"ACME1207.L01.tmp"_s, u"irisp.txt"_s}));
    EXPECT_TRUE(
        FileDellaTrascrizione({u"ls ACME*.* LSACME"_s, u"ascii "_s}, trascrizione).isEmpty());
}

TEST(TrascrizioneFtpTest, ConfermatoMaNonIntero)
{
    const QString inizio = u"230 User ACME logged in\n"_s;
    const QString annuncio = u"local: .r.N01 remote: ACME1207.N01\n"_s;
    const QString centocinquanta =
        u"150 Opening BINARY mode data connection for ACME1207.N01 (3000000 bytes)\n"_s;
    // As the client signs it when started by its own name.
    const QString disco = u"tnftp: Writing `.r.N01': No space left on device\n"_s;
    struct Caso
    {
        const char* nome;
        QString trascrizione;
        EsitoFileFtp esito;
        QString motivo;
    };
    const QList<Caso> casi = {
        {"intero",
         inizio + annuncio + centocinquanta +
             u"226 Transfer complete\n"
             "3000000 bytes received in 00:00\n"_s,
         EsitoFileFtp::Accettato,
         {}},
        {"disco pieno, errore dopo",
         inizio + annuncio + centocinquanta + u"226 Transfer complete\n"_s +
             u"1179648 bytes received in 00:00\n"_s + disco,
         EsitoFileFtp::Incompleto, u"Writing `.r.N01': No space left on device"_s},
        {"disco pieno, errore prima dell'annuncio",
         inizio + disco + annuncio + centocinquanta + u"226 Transfer complete\n"_s +
             u"1179648 bytes received in 00:00\n"_s,
         EsitoFileFtp::Incompleto, u"Writing `.r.N01': No space left on device"_s},
        // The client gives up on its full disk and the server answers 426: the
        // two reach the pipe in either order.
        {"disco pieno e 426, errore dopo",
         inizio + annuncio + centocinquanta + u"426 Transfer aborted\n"_s + disco,
         EsitoFileFtp::Incompleto, u"Writing `.r.N01': No space left on device"_s},
        {"disco pieno e 426, errore prima",
         inizio + annuncio + centocinquanta + disco + u"426 Transfer aborted\n"_s,
         EsitoFileFtp::Incompleto, u"Writing `.r.N01': No space left on device"_s},
        {"meno byte del 150",
         inizio + annuncio + centocinquanta +
             u"226 Transfer complete\n"
             "2000 bytes received in 00:00\n"_s,
         EsitoFileFtp::Incompleto, u"trasferiti 2000 byte su 3000000"_s},
        {"meno byte della dimensione chiesta",
         inizio + u"ACME1207.N01\t5000\n"_s + annuncio +
             u"150 Accepted data connection\n226 File successfully transferred\n"
             "4000 bytes received in 00:00\n"_s,
         EsitoFileFtp::Incompleto, u"trasferiti 4000 byte su 5000"_s},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        const QList<FileFtp> file =
            FileDellaTrascrizione({u"get ACME1207.N01 .r.N01"_s}, c.trascrizione);
        ASSERT_EQ(file.size(), 1);
        EXPECT_EQ(file[0].esito, c.esito);
        EXPECT_EQ(file[0].motivo, c.motivo);
        EXPECT_EQ(CaricamentiAccettati(c.trascrizione, {u".r.N01"_s}).size(),
                  c.esito == EsitoFileFtp::Accettato ? 1 : 0);
    }
}

TEST(TrascrizioneFtpTest, AccessoRifiutato)
{
    const QList<std::pair<QString, QString>> casi = {
        {u"220 ok\n331 Password required\n530 Login incorrect.\nLogin failed.\n"
         "530 Please login with USER and PASS\n"_s,
         u"530 Login incorrect."_s},
        {u"220 ok\n331 Password required\n230 User ACME logged in\n550 x: Forbidden\n"_s, u""_s},
        {u"220 ok\n421 Too many users\n"_s, u"421 Too many users"_s},
        {u"ftp: Can't connect to `127.0.0.1:1': Connection refused\nNot connected.\n"_s, u""_s},
    };
    for (const auto& [trascrizione, atteso] : casi)
        EXPECT_EQ(AccessoRifiutato(trascrizione), atteso) << trascrizione.toStdString();
}

TEST(TrascrizioneFtp, CaricamentiAccettati)
{
    const QStringList nomi = {u"ACME0101.T01"_s, u"ACME0101.T02"_s, u"ACME0101.T03"_s, u"MANCA"_s,
                              u"ALTRO"_s};
    EXPECT_EQ(CaricamentiAccettati(Completa, nomi),
              (QStringList{u"ACME0101.T01"_s, u"ACME0101.T03"_s}));

    const QString rifiutato = "Connected to 127.0.0.1.\n"
                              "220 ProFTPD Server (prova) [127.0.0.1]\n"
                              "331 Password required for ACME\n"
                              "530 Login incorrect.\n"
                              "Login failed.\n"
                              "local: ACME0101.T01 remote: ACME0101.T01\n"
                              "530 Please login with USER and PASS\n"
                              "530 Please login with USER and PASS\n"
                              "ftp: Can't bind for data connection: Address already in use\n"
                              u"221 Goodbye.\n"_s;
    EXPECT_TRUE(CaricamentiAccettati(rifiutato, nomi).isEmpty());

    const QString spento = "ftp: Can't connect to `127.0.0.1:2199': Connection refused\n"
                           "ftp: Can't connect to `127.0.0.1:2199'\n"
                           u"Not connected.\nNot connected.\n"_s;
    EXPECT_TRUE(CaricamentiAccettati(spento, nomi).isEmpty());

    // A server without extended passive mode, with CR LF line ends; then a
    // transfer cut off after the data connection opened; then the 250 of a
    // delete that follows a refused upload belongs to no upload.
    const QString ripiego = "local: A remote: A\r\n"
                            "500 EPSV not understood\r\n"
                            "227 Entering Passive Mode (127,0,0,1,4,1)\r\n"
                            "150 Opening BINARY mode data connection for A\r\n"
                            "226-Transfer complete\r\n226 Quota ok\r\n"
                            "local: B remote: B\r\n"
                            "229 Entering Extended Passive Mode (|||1|)\r\n"
                            "150 Opening BINARY mode data connection for B\r\n"
                            "426 Transfer aborted. Data connection closed\r\n"
                            "local: C remote: C\r\n"
                            "553 C: Permission denied\r\n"
                            "250 DELE command successful\r\n"
                            "local: /home/ufficio/Verificati/D.TXT remote: irildes.txt\r\n"
                            "150 Opening BINARY mode data connection\r\n"
                            u"226 Transfer complete\r\n"_s;
    EXPECT_EQ(CaricamentiAccettati(ripiego, {u"A"_s, u"B"_s, u"C"_s, u"D.TXT"_s, u"irildes.txt"_s}),
              (QStringList{u"A"_s, u"D.TXT"_s, u"irildes.txt"_s}));
}
