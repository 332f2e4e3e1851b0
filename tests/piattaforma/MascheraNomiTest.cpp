#include "piattaforma/MascheraNomi.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Each case as Qt's wildcard expression decides it, the direct path too.
TEST(MascheraNomi, ComeIJollyDiQt)
{
    const struct
    {
        const char* maschera;
        QString nome;
        bool corrisponde;
    } casi[] = {
        {"ABCD1207.???*", u"ABCD1207.T01"_s, true},
        {"ABCD1207.???*", u"abcd1207.t01.p7m"_s, true},
        {"ABCD1207.???*", u"ABCD1207.T1"_s, false},
        {"ABCD1207.???*", u"XABCD1207.T01"_s, false},
        {"ABCD1207.T??*", u"ABCD1207.I01"_s, false},
        {"*", u""_s, true},
        {"*", u"QUALSIASI.NOME"_s, true},
        {"", u""_s, true},
        {"", u"A"_s, false},
        {"A*B*C", u"AxxBxxBxxC"_s, true},
        {"A*B*C", u"AxxBxxCx"_s, false},
        {"*.P7M", u"ABCD.T01.p7m"_s, true},
        {"**?", u""_s, false},
        {"A.B", u"AxB"_s, false},
        {"A+B(1)", u"A+B(1)"_s, true},
        {"[AB]*", u"B01"_s, true},
        {"[AB]*", u"C01"_s, false},
        // Unicode's case rules: the Kelvin sign is a "k".
        {"K*", QString(QChar(0x212A)) + QStringLiteral("01"), true},
        {"ABCD*", QStringLiteral("ABCD1207.T0") + QChar(0xE8), true},
        {"ABCD????.T0?", QStringLiteral("ABCD1207.T0") + QChar(0xE8), true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(std::string(c.maschera) + " / " + c.nome.toStdString());
        const QString maschera = QString::fromLatin1(c.maschera);
        const QRegularExpression qt(QRegularExpression::wildcardToRegularExpression(maschera),
                                    QRegularExpression::CaseInsensitiveOption);
        EXPECT_EQ(MascheraNomi(maschera).Corrisponde(c.nome), c.corrisponde);
        EXPECT_EQ(qt.match(c.nome).hasMatch(), c.corrisponde);
    }
}
