#include "shell/ui/ValidatoreTasti.h"
#include "shell/Conversioni.h"

#include <gtest/gtest.h>

// The key rules of the filter fields as validators: what each keeps, changes
// and refuses, typed or pasted alike.
TEST(ValidatoreTastiTest, RegoleDeiCampi)
{
    struct Caso
    {
        const char* regola;
        const char* testo;
        QValidator::State stato;
        const char* risultato; // the text as the field takes it
    };
    const Caso casi[] = {
        {"cifre", "", QValidator::Acceptable, ""},
        {"cifre", "7", QValidator::Acceptable, "7"},
        {"cifre", "12", QValidator::Acceptable, "12"},
        {"cifre", "1x", QValidator::Invalid, nullptr},
        {"cifre", ".", QValidator::Invalid, nullptr},
        {"cifre", "?", QValidator::Invalid, nullptr},
        {"cifre", " 5", QValidator::Invalid, nullptr},
        {"cifre", "\x16", QValidator::Invalid, nullptr}, // Ctrl+V passes as a key, not as text
        {"maiuscole", "t", QValidator::Acceptable, "T"},
        {"maiuscole", "a1", QValidator::Acceptable, "A1"},
        {"maiuscole", "?", QValidator::Acceptable, "?"},
        {"maiuscole", "**", QValidator::Acceptable, "**"},
        {"maiuscole", "\xc3\xa8", QValidator::Acceptable, "\xc3\xa8"}, // only a..z change
        {"maiuscole", "b\t", QValidator::Invalid, nullptr},
    };
    const ValidatoreTasti cifre(SoloCifre);
    const ValidatoreTasti maiuscole(Maiuscolo);
    for (const Caso& c : casi) {
        const ValidatoreTasti& v = qstrcmp(c.regola, "cifre") == 0 ? cifre : maiuscole;
        QString testo = QString::fromUtf8(c.testo);
        int posizione = int(testo.size());
        EXPECT_EQ(v.validate(testo, posizione), c.stato) << c.regola << " '" << c.testo << "'";
        if (c.risultato) {
            EXPECT_EQ(testo, QString::fromUtf8(c.risultato)) << c.regola << " '" << c.testo << "'";
        }
    }
}
