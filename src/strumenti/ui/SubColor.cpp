#include "strumenti/ui/SubColor.h"

#include "shell/ChiaviIni.h"
#include "shell/Conversioni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <algorithm>

namespace {

constexpr int ColoriPersonali = 16;

int Byte(const QString& testo)
{
    return std::clamp(static_cast<int>(ValoreNumerico(testo)), 0, 255);
}

} // namespace

QColor ColoreDaTesto(const QString& testo)
{
    const auto valore = static_cast<quint32>(static_cast<qint64>(ValoreNumerico(testo)));
    return QColor(int(valore & 0xFF), int((valore >> 8) & 0xFF), int((valore >> 16) & 0xFF));
}

QString TestoDaColore(const QColor& colore)
{
    const qint64 valore = colore.red() | (colore.green() << 8) | (colore.blue() << 16);
    return QString::number(valore);
}

QList<QColor> LeggiColoriPersonali()
{
    const QString sezione = Ini::SezColoriMiei;
    QList<QColor> colori;
    for (int c = 0; c < ColoriPersonali; ++c) {
        int b[3];
        for (int i = 0; i < 3; ++i)
            b[i] = Byte(LeggiIni(FileIni, sezione, QString::number(4 * c + i)));
        colori.append(QColor(b[0], b[1], b[2]));
    }
    return colori;
}

void ScriviColoriPersonali(const QList<QColor>& colori)
{
    const QString sezione = Ini::SezColoriMiei;
    for (int c = 0; c < ColoriPersonali; ++c) {
        const QColor colore = c < colori.size() ? colori[c] : QColor(0, 0, 0);
        const int b[4] = {colore.red(), colore.green(), colore.blue(), 0};
        for (int i = 0; i < 4; ++i) {
            // Every write replaces the file: only the bytes that changed.
            const QString chiave = QString::number(4 * c + i);
            const QString valore = QString::number(b[i]);
            if (LeggiIni(FileIni, sezione, chiave) != valore)
                ScriviIni(FileIni, sezione, chiave, valore);
        }
    }
}

void ScriviColori()
{
    for (int k = 0; k < GruppiColore; ++k)
        ScriviIni(FileIni, Ini::SezColori, QString::number(k), Colori[k]);
}
