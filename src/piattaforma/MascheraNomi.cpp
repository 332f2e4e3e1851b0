#include "piattaforma/MascheraNomi.h"

namespace {

bool Ascii(QStringView testo)
{
    for (QChar c : testo)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

char16_t Minuscola(QChar c)
{
    const char16_t u = c.unicode();
    return u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u;
}

// "*" takes as little as it can and gives one more character back on each
// mismatch: linear for a mask with one "*", as the office's are.
bool Confronta(QStringView maschera, QStringView nome)
{
    qsizetype m = 0;
    qsizetype n = 0;
    qsizetype stella = -1;
    qsizetype ripresa = 0;
    while (n < nome.size()) {
        if (m < maschera.size() && maschera[m] == u'*') {
            stella = m++;
            ripresa = n;
        } else if (m < maschera.size() &&
                   (maschera[m] == u'?' || Minuscola(maschera[m]) == Minuscola(nome[n]))) {
            ++m;
            ++n;
        } else if (stella >= 0) {
            m = stella + 1;
            n = ++ripresa;
        } else {
            return false;
        }
    }
    while (m < maschera.size() && maschera[m] == u'*')
        ++m;
    return m == maschera.size();
}

} // namespace

MascheraNomi::MascheraNomi(const QString& maschera)
    : maschera_(maschera), regola_(QRegularExpression::wildcardToRegularExpression(maschera),
                                   QRegularExpression::CaseInsensitiveOption)
{
    // Brackets and backslashes have their own meaning in Qt's wildcards.
    diretta_ = Ascii(maschera) && !maschera.contains(u'[') && !maschera.contains(u']') &&
               !maschera.contains(u'\\');
}

bool MascheraNomi::Corrisponde(const QString& nome) const
{
    // Outside ASCII the case rules are Unicode's ("K" is also the Kelvin sign).
    if (diretta_ && Ascii(nome))
        return Confronta(maschera_, nome);
    return regola_.match(nome).hasMatch();
}
