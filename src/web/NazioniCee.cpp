#include "web/NazioniCee.h"

using namespace Qt::StringLiterals;

namespace {

// Lengths of the number part as the European Commission's VIES pages on the
// structure of VAT numbers give them (2024), and the member states' own tax
// administrations where a format has two forms (BE, CZ, IE, LT, RO).
// Greece uses "EL"; "XI" is Northern Ireland, kept in VIES after 2020.
constexpr std::array<NazioneCee, 28> NazioniCee = {{
    {"AT", 9, 9, 0, 0, 0, 0},   // "U" and 8 digits
    {"BE", 9, 10, 0, 0, 0, 0},  // 10 digits, older numbers 9
    {"BG", 9, 10, 0, 0, 0, 0},  //
    {"CY", 9, 9, 0, 0, 0, 0},   // 8 digits and a letter
    {"CZ", 8, 10, 0, 0, 0, 0},  //
    {"DE", 9, 9, 0, 0, 0, 0},   //
    {"DK", 8, 8, 0, 0, 0, 0},   //
    {"EE", 9, 9, 0, 0, 0, 0},   //
    {"EL", 9, 9, 0, 0, 0, 0},   //
    {"ES", 9, 9, 0, 0, 0, 0},   //
    {"FI", 8, 8, 0, 0, 0, 0},   //
    {"FR", 11, 11, 0, 0, 0, 0}, // 2 key characters and the 9-digit SIREN
    {"HR", 11, 11, 0, 0, 0, 0}, //
    {"HU", 8, 8, 0, 0, 0, 0},   //
    {"IE", 8, 9, 0, 0, 0, 0},   //
    {"IT", 11, 11, 0, 0, 0, 0}, //
    {"LT", 9, 9, 12, 12, 0, 0}, // legal persons 9, temporary taxpayers 12
    {"LU", 8, 8, 0, 0, 0, 0},   //
    {"LV", 11, 11, 0, 0, 0, 0}, //
    {"MT", 8, 8, 0, 0, 0, 0},   //
    {"NL", 12, 12, 0, 0, 0, 0}, // 9 digits, "B" and 2 digits
    {"PL", 10, 10, 0, 0, 0, 0}, //
    {"PT", 9, 9, 0, 0, 0, 0},   //
    {"RO", 2, 10, 0, 0, 0, 0},  //
    {"SE", 12, 12, 0, 0, 0, 0}, //
    {"SI", 8, 8, 0, 0, 0, 0},   //
    {"SK", 10, 10, 0, 0, 0, 0}, //
    {"XI", 9, 9, 12, 12, 5, 5}, // standard, branch traders, government/health authorities
}};

QString TestoIntervallo(int minimo, int massimo)
{
    QString t;
    if (minimo > 0)
        t += QString::number(minimo);
    t += u'-';
    if (massimo > 0)
        t += QString::number(massimo);
    return t;
}

} // namespace

int TrovaNazioneCee(const QString& codiceVat)
{
    const QString paese = codiceVat.left(2);
    for (int i = 0; i < int(NazioniCee.size()); ++i) {
        if (paese == QLatin1StringView(NazioniCee[i].codice))
            return i;
    }
    return -1;
}

const NazioneCee& RigaNazioneCee(int indice)
{
    return NazioniCee.at(indice);
}

QString ControllaLunghezzaVat(const NazioneCee& nazione, int n, bool& ok)
{
    const std::array<std::pair<int, int>, 3> intervalli = {{{nazione.minimo1, nazione.massimo1},
                                                            {nazione.minimo2, nazione.massimo2},
                                                            {nazione.minimo3, nazione.massimo3}}};
    QString elenco;
    for (std::size_t k = 0; k < intervalli.size(); ++k) {
        const auto [minimo, massimo] = intervalli[k];
        if (minimo == 0)
            break;
        if (n >= minimo && n <= massimo) {
            ok = true;
            return {};
        }
        if (k > 0)
            elenco += u", "_s;
        elenco += TestoIntervallo(minimo, massimo);
    }
    ok = false;
    return elenco;
}
