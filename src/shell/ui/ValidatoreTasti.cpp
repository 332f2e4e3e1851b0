#include "shell/ui/ValidatoreTasti.h"

ValidatoreTasti::ValidatoreTasti(Regola regola, QObject* padre) : QValidator(padre), regola_(regola)
{
}

QValidator::State ValidatoreTasti::validate(QString& testo, int& posizione) const
{
    Q_UNUSED(posizione);
    for (QChar& c : testo) {
        // The rules let editing keys through; in a text they are no characters.
        if (c.unicode() < 32 || c.unicode() == 127)
            return Invalid;
        const int tenuto = regola_(c.unicode());
        if (tenuto == 0)
            return Invalid;
        c = QChar(tenuto);
    }
    return Acceptable;
}
