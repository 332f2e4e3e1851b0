#include "support/Risponditore.h"

#include <gtest/gtest.h>

Risponditore& Risponditore::Rispondi(Risposta risposta, const QString& testo)
{
    copione_.append({risposta, testo});
    return *this;
}

QStringList Risponditore::Testi() const
{
    QStringList testi;
    for (const Box& b : ricevuti_)
        testi << b.richiesta.testo;
    return testi;
}

void Risponditore::Azzera()
{
    copione_.clear();
    ricevuti_.clear();
    ImpostaGestoreMessaggi([this](const RichiestaMessaggio& r) { return Gestisci(r); });
}

Risposta Risponditore::Gestisci(const RichiestaMessaggio& richiesta)
{
    if (copione_.isEmpty()) {
        ADD_FAILURE() << "Unexpected message box: \"" << richiesta.testo.toStdString()
                      << "\" (title \"" << richiesta.titolo.toStdString() << "\")";
        ricevuti_.append({richiesta, richiesta.predefinita});
        return richiesta.predefinita;
    }
    const Voce voce = copione_.takeFirst();
    if (!voce.testo.isEmpty()) {
        EXPECT_TRUE(richiesta.testo.contains(voce.testo))
            << "box \"" << richiesta.testo.toStdString() << "\" lacks \""
            << voce.testo.toStdString() << "\"";
    }
    ricevuti_.append({richiesta, voce.risposta});
    return voce.risposta;
}

Risponditore& RisponditoreTest()
{
    static Risponditore r;
    return r;
}
