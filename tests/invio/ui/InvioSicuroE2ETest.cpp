// The send run against the real client and a real ProFTPD when things go
// wrong: the run ends early, the window is clicked, values and names try to
// become commands, the history folder is on another filesystem.
#include "support/Risponditore.h"
#include "support/ServerFtp.h"

#include "invio/Archivio.h"
#include "invio/InvioBolle.h"
#include "invio/ui/Dos2Edi.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

const QStringList Nomi = {u"ACME1207.T01"_s, u"ACME1207.T02"_s, u"ACME1207.T03"_s};

QByteArray Contenuto(int i, int byte)
{
    QByteArray c;
    c.reserve(byte);
    for (int k = 0; k < byte; ++k)
        c.append(char((k * 31 + i) % 256));
    return c;
}

class InvioSicuroTest : public ProvaConServerFtp
{
protected:
    void Prepara() override
    {
        GiornoProve();
        CollegaDogana();
        CartelleInvio();
        ConnessoRemoto = true;
        for (int i = 0; i < Nomi.size(); ++i) {
            contenuti_.append(Contenuto(i, DimensioneFile()));
            ScriviFile(u"Firmati/"_s + Nomi[i], contenuti_.last());
        }
    }
    virtual int DimensioneFile() const { return 6000; }

    bool InFirmati(const QString& n) const { return QFile::exists(Percorso(u"Firmati/"_s + n)); }
    bool InInviati(const QString& n) const { return QFile::exists(Percorso(u"Inviati/"_s + n)); }
    QByteArray SulServer(const QString& n) const
    {
        return server_.LeggiFile(ServerFtp::UtenteDogana, n);
    }

    QList<QByteArray> contenuti_;
};

// Uploads slow enough to be caught in the middle.
class InvioLentoTest : public InvioSicuroTest
{
public:
    InvioLentoTest() { opzioni_.kbSecondiCaricamento = 100; }

protected:
    int DimensioneFile() const override { return 250 * 1024; }
};

} // namespace

// The client dies after the server took the first file; then a link that
// freezes in the middle of the second, with the user answering No. Either way
// the first file is in the history, the others stay and are named once.
TEST_F(InvioLentoTest, UnaCorsaInterrottaArchiviaSoloCioCheIlServerHaPreso)
{
    for (const bool congela : {false, true}) {
        SCOPED_TRACE(congela ? "link frozen, No" : "client killed");
        for (int i = 0; i < Nomi.size(); ++i)
            ScriviFile(u"Firmati/"_s + Nomi[i], contenuti_[i]);
        QDir(Percorso(u"Inviati"_s)).removeRecursively();
        QDir().mkpath(Percorso(u"Inviati"_s));
        ImpostaLimiteAttesaFtp(2000);
        RisponditoreTest().Azzera();
        if (congela)
            RisponditoreTest().Rispondi(Risposta::No, u"ATTENDERE ANCORA?"_s);
        RisponditoreTest().Rispondi(Risposta::Ok, u"NON SONO STATI INVIATI"_s);

        QElapsedTimer dalBlocco;
        bool fatto = false;
        const EsitoInvio esito =
            InviaBolle(Nomi, ParametriEdi.CartellaFirmati, nullptr, [&](const AvanzamentoFtp& a) {
                if (fatto || a.numeroFile < 2)
                    return;
                fatto = true;
                dalBlocco.start();
                if (congela)
                    server_.SospendiSessioni();
                else
                    ::kill(static_cast<pid_t>(a.pid), SIGKILL);
            });
        server_.RiprendiSessioni();

        ASSERT_TRUE(fatto);
        EXPECT_EQ(esito.stato, StatoFtp::Interrotto);
        EXPECT_EQ(esito.archiviati, QStringList{Nomi[0]});
        EXPECT_EQ(esito.nonInviati, QStringList({Nomi[1], Nomi[2]}));
        EXPECT_EQ(SulServer(Nomi[0]), contenuti_[0]);
        EXPECT_TRUE(InInviati(Nomi[0]) && !InFirmati(Nomi[0]));
        EXPECT_TRUE(InFirmati(Nomi[1]) && InFirmati(Nomi[2]));
        EXPECT_FALSE(InInviati(Nomi[1]) || InInviati(Nomi[2]));
        const QString testo = RisponditoreTest().Testi().last();
        EXPECT_TRUE(testo.contains(Nomi[1]) && testo.contains(Nomi[2]));
        EXPECT_FALSE(testo.contains(Nomi[0]));
        if (congela) {
            // The first file alone took longer than the bound: the question came
            // only once the link stopped moving.
            EXPECT_GE(dalBlocco.elapsed(), 1900);
            EXPECT_LT(dalBlocco.elapsed(), 8000);
        }
    }
}

TEST_F(InvioLentoTest, IlPannelloMostraFileEByteDuranteLInvio)
{
    Dos2Edi finestra;
    finestra.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&finestra));
    for (QPushButton* p : finestra.findChildren<QPushButton*>())
        if (p->text() == u"&Tutti"_s)
            p->click();
    ASSERT_EQ(finestra.ElencoInvio(), Nomi);

    // While the client runs: a click on "Inviati", keys, the close button.
    QStringList visti;
    QTimer sonda;
    sonda.setInterval(300);
    QObject::connect(&sonda, &QTimer::timeout, [&]() {
        auto* lb = finestra.findChild<QLabel*>(u"lbAvanzamento"_s);
        if (!lb || !lb->isVisible())
            return;
        EXPECT_EQ(lb->accessibleName(), lb->text());
        if (visti.isEmpty() || visti.last() != lb->text())
            visti << lb->text();
        for (QRadioButton* o : finestra.findChildren<QRadioButton*>())
            if (o->text() == u"Inviati"_s)
                QTest::mouseClick(o, Qt::LeftButton);
        QTest::keyClick(&finestra, Qt::Key_F2);
        finestra.close();
    });
    sonda.start();
    finestra.findChild<QPushButton*>(u"cmdInvia"_s)->click();
    sonda.stop();

    EXPECT_FALSE(finestra.isVisible());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(SulServer(Nomi[i]), contenuti_[i]);
        EXPECT_TRUE(InInviati(Nomi[i])) << "3 of 3 uploaded, 3 of 3 archived";
    }
    ASSERT_FALSE(visti.isEmpty());
    bool conByte = false;
    for (const QString& t : visti)
        conByte = conByte || (t.contains(u"FILE IN TRASFERIMENTO: ACME1207.T0"_s) &&
                              t.contains(u" DI 768.000 BYTE"_s));
    EXPECT_TRUE(conByte) << visti.join(u" | "_s).toStdString();
    EXPECT_TRUE(RisponditoreTest().Ricevuti().isEmpty());
}

// A line break in a connection value never becomes a script line: the run
// stops before the client starts and names the setting.
TEST_F(InvioSicuroTest, NessunComandoDaUnValoreDelleImpostazioni)
{
    const QString segno = Percorso(u"eseguito"_s);
    struct Caso
    {
        QLatin1StringView chiave;
        QString valore;
    };
    const QList<Caso> casi = {
        {Ini::PasswFtp, u"x\n!touch "_s + segno},
        {Ini::PasswFtp, u"x\nput /etc/hostname hostname"_s},
        {Ini::HostFtp, server_.Host() + u"\n!touch "_s + segno},
        {Ini::AutorFtp, u"ACME\r\nput /etc/hostname hostname"_s},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.valore.toStdString());
        ParametriEdi.HostFtp = server_.Host();
        ParametriEdi.UtenteFtp = ServerFtp::UtenteDogana;
        ParametriEdi.PasswordFtp = ServerFtp::PasswordDogana;
        if (c.chiave == Ini::PasswFtp) {
            // Through the file, scrambled: the line break is a control
            // character of the stored text.
            QString memorizzato = CodificaParola(c.valore);
            ASSERT_TRUE(ScriviIni(FileIni, u"EDI"_s, u"PASSWFTP"_s, memorizzato));
            CaricaParametriEdi();
            ASSERT_EQ(ParametriEdi.PasswordFtp, c.valore);
            ParametriEdi.HostFtp = server_.Host();
        } else if (c.chiave == Ini::HostFtp) {
            ParametriEdi.HostFtp = c.valore;
        } else {
            ParametriEdi.UtenteFtp = c.valore;
        }
        RisponditoreTest().Rispondi(Risposta::Ok, u"IL VALORE DI "_s + c.chiave);
        const EsitoInvio esito = InviaBolle({Nomi[0]}, ParametriEdi.CartellaFirmati);
        EXPECT_EQ(esito.stato, StatoFtp::NonAvviato);
        EXPECT_TRUE(RisponditoreTest().Testi().last().contains(FileIni));
        EXPECT_FALSE(QFile::exists(segno));
        EXPECT_TRUE(server_.File(ServerFtp::UtenteDogana).isEmpty());
        EXPECT_TRUE(InFirmati(Nomi[0]));
        EXPECT_FALSE(QFile::exists(FileComandiFtp));
    }
}

// Names the client would expand or read as a path: refused and named, and the
// declaration they would have matched does not go out in their place.
TEST_F(InvioSicuroTest, NomiConCaratteriJollyRestanoENonPortanoAltriFile)
{
    const QStringList strani = {u"ACME1207.T0[1]"_s, u"ACME1207.T0?"_s, u"ACME1207.T0*"_s,
                                u"ACME1207.T{01,02}"_s, u"~ACME1207.T01"_s};
    for (const QString& n : strani)
        ScriviFile(u"Firmati/"_s + n, "altro");
    RisponditoreTest().Rispondi(Risposta::Ok, u"NOME NON TRASFERIBILE"_s);
    const EsitoInvio esito = InviaBolle(strani, ParametriEdi.CartellaFirmati);
    EXPECT_EQ(esito.scartati, strani);
    const QString testo = RisponditoreTest().Testi().value(0);
    for (const QString& n : strani) {
        EXPECT_TRUE(testo.contains(n)) << n.toStdString();
        EXPECT_TRUE(InFirmati(n));
    }
    EXPECT_TRUE(server_.File(ServerFtp::UtenteDogana).isEmpty());
    EXPECT_TRUE(InFirmati(Nomi[0]));
}

TEST_F(InvioSicuroTest, UnCollegamentoChiamatoXchkNonVieneSeguito)
{
    const QString bersaglio = ScriviFile(u"bersaglio.txt"_s, "da non toccare");
    ASSERT_TRUE(QFile::link(bersaglio, Percorso(u"Firmati/Xchk"_s)));
    RisponditoreTest().Rispondi(Risposta::Ok, Percorso(u"Firmati/Xchk"_s));
    const EsitoInvio esito = InviaBolle(Nomi, ParametriEdi.CartellaFirmati);
    EXPECT_EQ(esito.stato, StatoFtp::NonAvviato);
    EXPECT_EQ(LeggiFile(u"bersaglio.txt"_s), "da non toccare");
    EXPECT_TRUE(server_.File(ServerFtp::UtenteDogana).isEmpty());
    for (const QString& n : Nomi)
        EXPECT_TRUE(InFirmati(n));
}

// "Inviati" on another filesystem that fills up during the copy: the older
// history copy and the file to archive both survive, and no partial file.
TEST_F(InvioSicuroTest, StoriaSuAltroFilesystemPienoNonPerdeNulla)
{
    QTemporaryDir altrove(QStringLiteral("/dev/shm/norvel-inviati-XXXXXX"));
    if (!altrove.isValid() || QFileInfo(u"/dev/shm"_s).canonicalFilePath().isEmpty())
        GTEST_SKIP() << "no /dev/shm for a second filesystem";
    ParametriEdi.CartellaInviati = altrove.path();
    const QByteArray vecchia = "copia precedente gia' inviata";
    QFile f(altrove.filePath(Nomi[0]));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(vecchia);
    f.close();

    // A file-size limit makes every write past 1 KiB fail, as a full disk does.
    struct rlimit prima;
    ::getrlimit(RLIMIT_FSIZE, &prima);
    auto* const segnale = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit piccolo = prima;
    piccolo.rlim_cur = 1024;
    RisponditoreTest()
        .Rispondi(Risposta::Ok, u"ERRORE IN FASE DI STORICIZZAZIONE!"_s)
        .Rispondi(Risposta::Ok, u"ERRORE IN FASE DI STORICIZZAZIONE!"_s)
        .Rispondi(Risposta::Ok, u"ERRORE IN FASE DI STORICIZZAZIONE!"_s);
    EsitoInvio esito;
    {
        RichiestaFtp r = RichiestaInvio(Nomi, ParametriEdi.CartellaFirmati);
        const EsitoFtp ftp = EseguiScriptFtp(r);
        ASSERT_TRUE(ftp.eseguito);
        ::setrlimit(RLIMIT_FSIZE, &piccolo);
        for (const QString& n : CaricamentiAccettati(ftp.trascrizione, Nomi))
            if (ArchiviaFile(n, ParametriEdi.CartellaFirmati))
                esito.archiviati << n;
        ::setrlimit(RLIMIT_FSIZE, &prima);
    }
    std::signal(SIGXFSZ, segnale);
    EXPECT_TRUE(esito.archiviati.isEmpty());
    QFile letta(altrove.filePath(Nomi[0]));
    ASSERT_TRUE(letta.open(QIODevice::ReadOnly));
    EXPECT_EQ(letta.readAll(), vecchia);
    EXPECT_EQ(QDir(altrove.path()).entryList(QDir::Files | QDir::Hidden), QStringList{Nomi[0]})
        << "no partial or temporary file";
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(LeggiFile(u"Firmati/"_s + Nomi[i]), contenuti_[i]);

    // With room again the same move replaces the older copy.
    RisponditoreTest().Azzera();
    EXPECT_TRUE(ArchiviaFile(Nomi[0], ParametriEdi.CartellaFirmati));
    QFile nuova(altrove.filePath(Nomi[0]));
    ASSERT_TRUE(nuova.open(QIODevice::ReadOnly));
    EXPECT_EQ(nuova.readAll(), contenuti_[0]);
    EXPECT_FALSE(InFirmati(Nomi[0]));
}

namespace {

// Twelve characters ending in "!": the stored text ends in a blank. It holds a
// "|" too, and a blank the client must get quoted.
class InvioParolaTest : public InvioSicuroTest
{
public:
    InvioParolaTest() { opzioni_.passwordDogana = u"S\"e ret\\|0'!"_s; }
};

} // namespace

TEST_F(InvioParolaTest, LaParolaSalvataAccedeDopoIlRiavvio)
{
    const QString parola = opzioni_.passwordDogana;
    const QString memorizzato = CodificaParola(parola);
    ASSERT_TRUE(memorizzato.endsWith(u' '));
    ASSERT_TRUE(ScriviIni(FileIni, u"EDI"_s, u"PASSWFTP"_s, memorizzato));
    ScriviIni(FileIni, u"EDI"_s, u"HOSTFTP"_s, server_.Host());
    ScriviIni(FileIni, u"EDI"_s, u"AUTORFTP"_s, ServerFtp::UtenteDogana);
    ParametriEdi = {};
    CaricaParametriEdi();
    ParametriEdi.CartellaFirmati = Percorso(u"Firmati"_s);
    ParametriEdi.CartellaInviati = Percorso(u"Inviati"_s);
    ASSERT_EQ(ParametriEdi.PasswordFtp, parola);

    const EsitoInvio esito = InviaBolle(Nomi, ParametriEdi.CartellaFirmati);
    EXPECT_EQ(esito.archiviati, Nomi);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(SulServer(Nomi[i]), contenuti_[i]);
}
