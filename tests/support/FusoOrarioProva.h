#pragma once

#include <QByteArray>

// The process's time zone set to zona (a TZ value) for the life of the object,
// then put back as it was.
class FusoOrarioProva
{
public:
    explicit FusoOrarioProva(const char* zona);
    ~FusoOrarioProva();
    FusoOrarioProva(const FusoOrarioProva&) = delete;
    FusoOrarioProva& operator=(const FusoOrarioProva&) = delete;

private:
    bool cera_;
    QByteArray prima_;
};
