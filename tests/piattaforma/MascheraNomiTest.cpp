#include "piattaforma/MascheraNomi.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

// Each case as Qt's wildcard expression decides it, the direct path too.
TEST(MascheraNomi, ComeIJollyDiQt)
{
    const struct
    {
        const char* maschera;
        QString nome;
        bool corrisponde;
    } casi[] = {
        {"ABCD1207.???*", "ABCD1207.T01", true},
        {"ABCD1207.???*", "abcd1207.t01.p7m", true},
        {"ABCD1207.???*", "ABCD1207.T1", false},
        {"ABCD1207.???*", "XABCD1207.T01", false},
        {"ABCD1207.T??*", "ABCD1207.I01", false},
        {"*", "", true},
        {"*", "QUALSIASI.NOME", true},
        {"", "", true},
        {"", "A", false},
        {"A*B*C", "AxxBxxBxxC", true},
        {"A*B*C", "AxxBxxCx", false},
        {"*.P7M", "ABCD.T01.p7m", true},
        {"**?", "", false},
        {"A.B", "AxB", false},
        {"A+B(1)", "A+B(1)", true},
        {"[AB]*", "B01", true},
        {"[AB]*", "C01", false},
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
