#include "shell/ui/CasellaParola.h"

#include <QLineEdit>
#include <QProxyStyle>

namespace {

class StileMaschera : public QProxyStyle
{
public:
    explicit StileMaschera(QChar carattere) : carattere_(carattere) {}

    int styleHint(StyleHint hint, const QStyleOption* opzione, const QWidget* widget,
                  QStyleHintReturn* ritorno) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return carattere_.unicode();
        if (hint == SH_LineEdit_PasswordMaskDelay)
            return 0;
        return QProxyStyle::styleHint(hint, opzione, widget, ritorno);
    }

private:
    QChar carattere_;
};

} // namespace

void MascheraParola(QLineEdit* casella, QChar carattere)
{
    auto* stile = new StileMaschera(carattere);
    stile->setParent(casella);
    casella->setStyle(stile);
    casella->setEchoMode(QLineEdit::Password);
}
