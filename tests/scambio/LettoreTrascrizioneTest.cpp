// The transcript read as the client prints it, in pieces, against the same
// transcript read whole at the end of the run: the files the live reading
// calls final, the transfer log's records and the progress must agree.
#include "support/CartellaProgrammaTest.h"
#include "support/StampaQt.h"
#include "support/TrascrizioneCampione.h"

#include "piattaforma/Orologio.h"
#include "scambio/OsservatoreFtp.h"
#include "scambio/RegistroCorsa.h"
#include "scambio/TrascrizioneFtp.h"
#include "shell/RegistroTrasferimenti.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace {

struct Caso
{
    const char* nome;
    QStringList righe;
    QByteArray trascrizione;
};

const QStringList Invii = RigheCampione;
const QByteArray Misto = TrascrizioneCampione;

QList<Caso> Casi()
{
    const QByteArray ucciso = Misto.left(Misto.indexOf("550")) + "150 Opening BINARY mode\n";
    const QByteArray fermo = Misto.left(Misto.indexOf("226-")) + "226-Transf";
    return {
        {"accettati e rifiutati", Invii, Misto},
        {"accesso rifiutato", Invii,
         "Connected to 127.0.0.1.\n"
         "331 Password required for ACME\n"
         "530 Login incorrect.\n"
         "Login failed.\n"
         "local: ACME0101.T01 remote: ACME0101.T01\n"
         "530 Please login with USER and PASS\n"
         "ftp: Can't bind for data connection: Address already in use\n"
         "local: ACME0101.T02 remote: ACME0101.T02\n"
         "530 Please login with USER and PASS\n"
         "221 Goodbye.\n"},
        {"ucciso a meta' file", Invii, ucciso},
        {"fermo su una riga a meta'", Invii, fermo},
        {"ripiego e risposte altrui",
         {u"put A"_s, u"put B"_s, u"put C"_s, u"put /v/D.TXT x.txt"_s},
         "local: A remote: A\r\n"
         "500 EPSV not understood\r\n"
         "227 Entering Passive Mode (127,0,0,1,4,1)\r\n"
         "150 Opening BINARY mode data connection for A\r\n"
         "226-Transfer complete\r\n226 Quota ok\r\n"
         "local: B remote: B\r\n"
         "150 Opening BINARY mode data connection for B\r\n"
         "426 Transfer aborted. Data connection closed\r\n"
         "local: C remote: C\r\n"
         "553 C: Permission denied\r\n"
         "250 DELE command successful\r\n"
         "local: /v/D.TXT remote: x.txt\r\n"
         "150 Opening BINARY mode data connection\r\n"
         "226 Transfer complete\r\n"},
        {"ricezione sotto altro nome e modelli", RigheRicezione, TrascrizioneRicezione},
        // Found by fuzzing: a file already final turned incomplete.
        {"errore locale dopo il trasferimento seguente",
         {u"put A"_s, u"put B"_s},
         "local: A remote: A\n226 Transfer complete\nlocal: B remote: B\n"
         "ftp: Can't open `A': No such file or directory\n226 Transfer complete\n"},
        // A name in UTF-8, and bytes that are no text right before a line end.
        {"lettere accentate e byte non validi",
         {u"put PERCHÈ.T01"_s, u"put B"_s},
         "local: PERCH\xc3\x88.T01 remote: PERCH\xc3\x88.T01\n"
         "150 Opening \xe2\x82\n"
         "226 Transfer complete \xff\r\n"
         "local: B remote: B\n"
         "ftp: \xc3\n"
         "550 B: Forbidden \xe2\x82\xac\n"},
    };
}

// Every field, in one line a failure can show.
QString Descrivi(const FileFtp& f)
{
    return QStringList{f.file,
                       f.destinazione,
                       f.direzione,
                       QString::number(f.byte),
                       QString::number(int(f.esito)),
                       f.risposta,
                       f.motivo,
                       f.concluso ? u"concluso"_s : u"aperto"_s}
        .join(u" | "_s);
}

QStringList Descrivi(const QList<FileFtp>& file, qsizetype quanti = -1)
{
    QStringList d;
    for (qsizetype i = 0; i < (quanti < 0 ? file.size() : qMin(quanti, file.size())); ++i)
        d << Descrivi(file[i]);
    return d;
}

QStringList Descrivi(const LettoreTrascrizione& l, qsizetype quanti)
{
    QStringList d;
    for (qsizetype i = 0; i < quanti; ++i)
        d << Descrivi(l.File(i));
    return d;
}

QStringList Descrivi(const QList<TrasferimentoFtp>& trasferimenti)
{
    QStringList d;
    for (const TrasferimentoFtp& t : trasferimenti)
        d << QStringList{t.locale,
                         t.remoto,
                         QString::number(t.codice),
                         t.risposta,
                         QString::number(t.avviato),
                         QString::number(t.byte),
                         t.messaggio}
                 .join(u" | "_s);
    return d;
}

// The whole reading of the complete lines among byte.
QList<FileFtp> LetturaDelleRigheIntere(const QStringList& righe, const QByteArray& byte)
{
    return FileDellaTrascrizione(righe,
                                 QString::fromLocal8Bit(byte.left(byte.lastIndexOf('\n') + 1)));
}

qsizetype Conclusi(const QList<FileFtp>& file)
{
    qsizetype n = 0;
    while (n < file.size() && file[n].concluso)
        ++n;
    return n;
}

QList<QByteArray> Righe(const QByteArray& byte)
{
    QList<QByteArray> righe;
    for (qsizetype inizio = 0; inizio < byte.size();) {
        const qsizetype fine = byte.indexOf('\n', inizio);
        const qsizetype dopo = fine < 0 ? byte.size() : fine + 1;
        righe << byte.mid(inizio, dopo - inizio);
        inizio = dopo;
    }
    return righe;
}

} // namespace

// Line by line, as a slow run prints: what is called final at each line is
// what the end of the run says of it, and exactly what the whole reading of
// the lines so far calls final.
TEST(LettoreTrascrizione, RigaPerRigaComeLaLetturaIntera)
{
    for (const Caso& c : Casi()) {
        SCOPED_TRACE(c.nome);
        const QList<FileFtp> intera =
            FileDellaTrascrizione(c.righe, QString::fromLocal8Bit(c.trascrizione));
        LettoreTrascrizione lettore(c.righe);
        QByteArray letti;
        for (const QByteArray& riga : Righe(c.trascrizione)) {
            const qsizetype prima = lettore.Conclusi();
            lettore.Aggiungi(riga);
            letti += riga;
            SCOPED_TRACE(letti.constData());
            ASSERT_GE(lettore.Conclusi(), prima) << "a final file stays final";
            EXPECT_EQ(lettore.Conclusi(), Conclusi(LetturaDelleRigheIntere(c.righe, letti)));
            EXPECT_EQ(Descrivi(lettore, lettore.Conclusi()), Descrivi(intera, lettore.Conclusi()));
            EXPECT_EQ(
                lettore.Trasferimenti().size(),
                TrasferimentiFtp(QString::fromLocal8Bit(letti.left(letti.lastIndexOf('\n') + 1)))
                    .size());
        }
        lettore.Concludi();
        EXPECT_EQ(Descrivi(lettore, lettore.NumeroFile()), Descrivi(intera));
        EXPECT_EQ(Descrivi(lettore.Trasferimenti()),
                  Descrivi(TrasferimentiFtp(QString::fromLocal8Bit(c.trascrizione))));
    }
}

// Two reads that split the transcript at every byte: a line cut in two waits
// for its end, a character cut in two is read whole.
TEST(LettoreTrascrizione, DueLettureSpezzateInOgniPunto)
{
    for (const Caso& c : Casi()) {
        SCOPED_TRACE(c.nome);
        const QList<FileFtp> intera =
            FileDellaTrascrizione(c.righe, QString::fromLocal8Bit(c.trascrizione));
        for (qsizetype taglio = 0; taglio <= c.trascrizione.size(); ++taglio) {
            SCOPED_TRACE(taglio);
            LettoreTrascrizione lettore(c.righe);
            const QByteArray prima = c.trascrizione.left(taglio);
            lettore.Aggiungi(prima);
            ASSERT_EQ(lettore.Conclusi(), Conclusi(LetturaDelleRigheIntere(c.righe, prima)));
            ASSERT_EQ(Descrivi(lettore, lettore.Conclusi()), Descrivi(intera, lettore.Conclusi()));
            lettore.Aggiungi(QByteArrayView(c.trascrizione).sliced(taglio));
            lettore.Concludi();
            ASSERT_EQ(Descrivi(lettore, lettore.NumeroFile()), Descrivi(intera));
        }
    }
}

// The same run printed with CR LF or LF line ends reads the same.
TEST(LettoreTrascrizione, FineRigaCrLfOLf)
{
    for (const Caso& c : Casi()) {
        SCOPED_TRACE(c.nome);
        QByteArray lf = c.trascrizione;
        lf.replace("\r\n", "\n");
        QByteArray crlf = lf;
        crlf.replace("\n", "\r\n");
        LettoreTrascrizione aPezzi(c.righe);
        for (const QByteArray& riga : Righe(crlf))
            aPezzi.Aggiungi(riga);
        aPezzi.Concludi();
        const QStringList attesi =
            Descrivi(FileDellaTrascrizione(c.righe, QString::fromLocal8Bit(lf)));
        EXPECT_EQ(Descrivi(FileDellaTrascrizione(c.righe, QString::fromLocal8Bit(crlf))), attesi);
        EXPECT_EQ(Descrivi(aPezzi, aPezzi.NumeroFile()), attesi);
    }
}

namespace {

const QDate Giorno(2024, 12, 7);

class LettoreRegistroTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        ImpostaOrologio([] { return QDateTime(Giorno, QTime(10, 0)); });
    }

    // The records of files in the log, without the moment and the run's key.
    QStringList FileScritti() const
    {
        QStringList file;
        for (QJsonObject r : LeggiRegistro(Giorno).record) {
            if (r.value(u"tipo"_s).toString() != u"file"_s)
                continue;
            r.remove(u"ora"_s);
            r.remove(u"corsa"_s);
            QStringList campi;
            for (auto it = r.constBegin(); it != r.constEnd(); ++it)
                campi << it.key() + u'=' + it.value().toVariant().toString();
            file << campi.join(u' ');
        }
        return file;
    }
};

} // namespace

// However the client's output comes in, line by line up to any byte and the
// rest at once, the log holds the records of the whole transcript read at
// once, and the files gone past are on disk before the run ends.
TEST_F(LettoreRegistroTest, IRecordDelRegistroNonCambiano)
{
    RichiestaFtp r;
    r.utente = u"ACME"_s;
    for (const Caso& c : Casi()) {
        SCOPED_TRACE(c.nome);
        r.righe = c.righe;
        EsitoFtp esito;
        esito.trascrizione = QString::fromLocal8Bit(c.trascrizione);
        esito.stato =
            c.trascrizione.contains("221 Goodbye") ? StatoFtp::Completato : StatoFtp::Interrotto;
        auto corsa = [&](qsizetype taglio) {
            QFile::remove(FileRegistro(Giorno));
            RegistroCorsa registro(r, Adesso());
            LettoreTrascrizione lettore(c.righe);
            for (const QByteArray& riga : Righe(c.trascrizione.left(taglio))) {
                lettore.Aggiungi(riga);
                registro.Aggiorna(lettore);
            }
            lettore.Aggiungi(QByteArrayView(c.trascrizione).sliced(taglio));
            registro.Aggiorna(lettore);
            EXPECT_EQ(FileScritti().size(), lettore.Conclusi());
            registro.Chiudi(esito);
            return FileScritti();
        };
        const QStringList intera = corsa(0);
        EXPECT_EQ(intera.size(), FileDellaTrascrizione(c.righe, esito.trascrizione).size());
        for (qsizetype taglio = 1; taglio <= c.trascrizione.size(); ++taglio)
            ASSERT_EQ(corsa(taglio), intera) << "lines one by one up to byte " << taglio;
    }
}

// The progress counts the announced files as their lines end, and adds up
// the sizes of the uploads before the current one.
TEST_F(LettoreRegistroTest, AvanzamentoRigaPerRiga)
{
    const QString cartella = Percorso(u"Firmati"_s);
    QDir().mkpath(cartella);
    ScriviFile(u"Firmati/ACME0101.T01"_s, QByteArray(4, 'x'));
    ScriviFile(u"Firmati/ACME0101.T02"_s, QByteArray(30, 'x'));
    ScriviFile(u"Firmati/ACME0101.T03"_s, QByteArray(12, 'x'));
    RichiestaFtp r;
    r.cartella = cartella;
    r.righe = Invii;
    OsservatoreFtp osservatore(r);
    LettoreTrascrizione lettore(r.righe);
    struct Atteso
    {
        const char* riga;
        int numero;
        QString file;
        qint64 byte;
    };
    const QList<Atteso> passi = {
        {"230 User ACME logged in\n", 0, {}, 0},
        {"local: ACME0101.T01 remote: ACME0101.T01\n", 1, u"ACME0101.T01"_s, 0},
        {"226 Transfer complete\n", 1, u"ACME0101.T01"_s, 0},
        {"local: ACME0101.T02 remo", 1, u"ACME0101.T01"_s, 0},
        {"te: ACME0101.T02\r\n", 2, u"ACME0101.T02"_s, 4},
        {"local: ACME0101.T03 remote: ACME0101.T03\n", 3, u"ACME0101.T03"_s, 34},
        {"local: MANCA remote: MANCA\n", 4, u"MANCA"_s, 46},
    };
    for (const Atteso& p : passi) {
        SCOPED_TRACE(p.riga);
        lettore.Aggiungi(p.riga);
        const AvanzamentoFtp a = osservatore.Calcola(lettore, IoProcesso{}, 7);
        EXPECT_EQ(a.numeroFile, p.numero);
        EXPECT_EQ(a.file, p.file);
        EXPECT_EQ(a.byte, p.byte);
        EXPECT_EQ(a.byteTotali, 46);
        EXPECT_EQ(a.totaleFile, 4);
        EXPECT_EQ(a.pid, 7);
    }
}
