// The scrambled passwords through the settings file, and the file itself:
// its mode and a write that fails.
#include "support/CartellaProgrammaTest.h"
#include "support/Risponditore.h"

#include "piattaforma/FileProfilo.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>

#include <iostream>

using namespace Qt::StringLiterals;

namespace {

class ParoleIniTest : public CartellaProgrammaTest
{
protected:
    // Saves p as the parameters window does and reads it back as a new start
    // of the program does.
    QString AndataERitorno(const QString& p, QLatin1StringView sezione, QLatin1StringView chiave)
    {
        ScriviIni(FileIni, sezione, chiave, CodificaParola(p));
        if (chiave == Ini::PasswFtp) {
            CaricaParametriEdi();
            return ParametriEdi.PasswordFtp;
        }
        CaricaParametriUnix();
        return ParametriUnix.Password;
    }
    // The same through the file, reading only the one key.
    QString Rapida(const QString& p)
    {
        ScriviIni(FileIni, u"EDI"_s, u"PASSWFTP"_s, CodificaParola(p));
        return DecodificaParola(LeggiIniParola(FileIni, u"EDI"_s, u"PASSWFTP"_s));
    }
};

QString Stampabile(int codice)
{
    return QString(QChar(char16_t(codice)));
}

} // namespace

TEST_F(ParoleIniTest, OgniParolaStampabileSopravviveAlRiavvio)
{
    // The two that lost their last character: a stored blank, a stored "|".
    for (const QString& p :
         {u"Segreta2024!"_s, u"AbcdefghijklMnz"_s, u"a|b"_s, u"~~~~~~~~~~~~~~~~~~~~"_s}) {
        EXPECT_EQ(AndataERitorno(p, Ini::SezEdi, Ini::PasswFtp), p);
        EXPECT_EQ(AndataERitorno(p, Ini::SezRemoto, Ini::Passwd), p);
    }

    // Every printable password of one to three characters, and 10,000 random
    // ones of four to twenty, in files of many keys written as the writer
    // writes them ("key=value", unchanged) and read back key by key. Blanks at
    // the ends are trimmed on saving, as the parameters window always did.
    QElapsedTimer orologio;
    orologio.start();
    QStringList parole;
    for (int a = 33; a < 127; ++a) {
        parole << Stampabile(a);
        for (int b = 32; b < 127; ++b) {
            if (b != ' ')
                parole << Stampabile(a) + Stampabile(b);
            for (int c = 33; c < 127; ++c)
                parole << Stampabile(a) + Stampabile(b) + Stampabile(c);
        }
    }
    auto* gen = QRandomGenerator::global();
    for (int n = 0; n < 10000; ++n) {
        QString p;
        const int lunghezza = gen->bounded(4, 21);
        for (int i = 0; i < lunghezza; ++i)
            p += Stampabile(gen->bounded(32, 127));
        parole << p.trimmed();
    }
    constexpr int PerFile = 25;
    for (qsizetype inizio = 0; inizio < parole.size(); inizio += PerFile) {
        QString testo = QStringLiteral("[EDI]\n");
        const qsizetype fine = qMin(inizio + PerFile, parole.size());
        for (qsizetype i = inizio; i < fine; ++i)
            testo += QStringLiteral("P%1=").arg(i - inizio) + CodificaParola(parole[i]) + u'\n';
        QFile f(FileIni);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(testo.toUtf8());
        f.close();
        for (qsizetype i = inizio; i < fine; ++i)
            ASSERT_EQ(DecodificaParola(
                          LeggiIniParola(FileIni, u"EDI"_s, QStringLiteral("P%1").arg(i - inizio))),
                      parole[i])
                << parole[i].toStdString();
    }
    std::cout << parole.size() << " passwords in " << orologio.elapsed() << " ms\n";
}

// A stored text written by an office's existing installation: the Windows
// code page, any of the twelve markers, characters above 127 included.
TEST_F(ParoleIniTest, TestiDiUnaInstallazioneEsistenteSiLeggonoAncora)
{
    QStringEncoder windows("windows-1252");
    const QString chiaro = QStringLiteral("Zz~ Segreta|2024!~~~~~");
    for (int marcatore = 36; marcatore <= 47; ++marcatore) {
        QByteArray memorizzato(1, char(marcatore));
        for (int i = 1; i <= chiaro.size(); ++i)
            memorizzato.append(char(QByteArray(windows(chiaro.mid(i - 1, 1))).at(0) - 13 + i));
        QFile f(FileIni);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[PC]\r\nPATH=C:\\FirmaVerifica\r\n[EDI]\r\nDITTA=Caff\xe8 S.p.A.\r\nPASSWFTP=" +
                memorizzato + "\r\n[REMOTO]\r\nPASSWD=" + memorizzato + "\r\n");
        f.close();
        CaricaParametriEdi();
        CaricaParametriUnix();
        EXPECT_EQ(ParametriEdi.PasswordFtp, chiaro) << marcatore;
        EXPECT_EQ(ParametriUnix.Password, chiaro) << marcatore;
    }
    // Saved again here, the file stays in its code page and still reads right.
    EXPECT_EQ(AndataERitorno(chiaro, Ini::SezEdi, Ini::PasswFtp), chiaro);
    EXPECT_TRUE(LeggiFile(FileIni).contains("Caff\xe8"));
    // A clear password typed by hand is read as it stands.
    ScriviFile(FileIni, "[EDI]\nPASSWFTP= Segreto1 \n");
    CaricaParametriEdi();
    EXPECT_EQ(ParametriEdi.PasswordFtp, u"Segreto1"_s);
}

TEST_F(ParoleIniTest, FileNuovoSoloPerIlProprietarioEScritturaFallitaDetta)
{
    ASSERT_TRUE(ScriviIni(FileIni, u"EDI"_s, u"PASSWFTP"_s, CodificaParola(u"x"_s)));
    const auto altri = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther |
                       QFile::ExeGroup | QFile::ExeOther;
    EXPECT_EQ(QFile::permissions(FileIni) & altri, QFile::Permissions());

    // An existing file readable by others becomes its owner's at the next write.
    QFile::setPermissions(FileIni, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    ASSERT_TRUE(ScriviIni(FileIni, u"EDI"_s, u"DITTA"_s, u"Acme"_s));
    EXPECT_EQ(QFile::permissions(FileIni) & altri, QFile::Permissions());

    // A folder that cannot hold the file (even for root): one message for the
    // whole confirm, naming the file; a value with a line break is never written.
    const QString impossibile = ScriviFile(u"file"_s, "") + u"/norvel.ini"_s;
    RisponditoreTest().Rispondi(Risposta::Ok, impossibile);
    EXPECT_FALSE(ScriviIni(impossibile, u"EDI"_s, u"HOSTFTP"_s, u"a"_s));
    EXPECT_FALSE(ScriviIni(impossibile, u"EDI"_s, u"AUTORFTP"_s, u"b"_s));
    EXPECT_EQ(RisponditoreTest().Ricevuti().size(), 1);
    EXPECT_TRUE(RisponditoreTest().Testi()[0].startsWith(
        u"IMPOSSIBILE SCRIVERE IL FILE DELLE IMPOSTAZIONI:\n"_s));
    EXPECT_FALSE(ScriviProfilo(FileIni, u"EDI"_s, u"HOSTFTP"_s, u"h\n[EDI]\nPASSWFTP=x"_s));
    EXPECT_EQ(LeggiProfilo(FileIni, u"EDI"_s, u"HOSTFTP"_s), u""_s);
}
