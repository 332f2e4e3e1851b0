#include "piattaforma/Orologio.h"

namespace {

std::function<QDateTime()>& Orologio()
{
    static std::function<QDateTime()> o;
    return o;
}

} // namespace

QDateTime Adesso()
{
    return Orologio() ? Orologio()() : QDateTime::currentDateTime();
}

QDate Oggi()
{
    return Adesso().date();
}

void ImpostaOrologio(std::function<QDateTime()> orologio)
{
    Orologio() = std::move(orologio);
}
