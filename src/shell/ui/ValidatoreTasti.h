#pragma once

#include <QValidator>

// A field's key rule (SoloCifre, Maiuscolo) as its validator: every character
// typed or pasted goes through the rule, which keeps it, changes it, or
// refuses it; a refused character leaves the field as it was.
class ValidatoreTasti : public QValidator
{
    Q_OBJECT

public:
    // The rule takes a character code and gives the code to keep, or 0.
    using Regola = int (*)(int codice);

    explicit ValidatoreTasti(Regola regola, QObject* padre = nullptr);

    State validate(QString& testo, int& posizione) const override;

private:
    Regola regola_;
};
