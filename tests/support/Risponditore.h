#pragma once

#include "piattaforma/Messaggi.h"

#include <QList>
#include <QString>

// Answers the program's message boxes in a test. Every box is recorded; a box
// with no scripted answer fails the test. Each test starts with an empty one.
class Risponditore
{
public:
    struct Box
    {
        RichiestaMessaggio richiesta;
        Risposta risposta;
    };

    // The next box gets this answer; when testo is given, the box's text must
    // contain it.
    Risponditore& Rispondi(Risposta risposta, const QString& testo = {});

    const QList<Box>& Ricevuti() const { return ricevuti_; }
    // Texts of the boxes received so far.
    QStringList Testi() const;
    qsizetype RisposteInAttesa() const { return copione_.size(); }

    // Forgets boxes and answers, and makes itself the program's box handler.
    void Azzera();
    Risposta Gestisci(const RichiestaMessaggio& richiesta);

private:
    struct Voce
    {
        Risposta risposta;
        QString testo;
    };
    QList<Voce> copione_;
    QList<Box> ricevuti_;
};

// The current test's responder.
Risponditore& RisponditoreTest();
