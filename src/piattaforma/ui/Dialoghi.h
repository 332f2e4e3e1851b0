#pragma once

#include <QColor>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;

// The dialogs a person answers, each replaceable by a test.

// The chosen folder, or "" when the person cancels.
QString ScegliCartella(QWidget* padre, const QString& titolo, const QString& iniziale);
// The chosen existing file, or "" when the person cancels.
QString ScegliFile(QWidget* padre, const QString& titolo, const QString& cartellaIniziale,
                   const QString& filtro);
// The chosen program: the dialog shows the folder's executable files only, with
// fileIniziale chosen when given; "" when the person cancels. A test answers it
// as a file dialog.
QString ScegliEseguibile(QWidget* padre, const QString& titolo, const QString& cartellaIniziale,
                         const QString& fileIniziale);
// The chosen colour; personalizzati holds the 16 custom colours in and out.
std::optional<QColor> ScegliColore(QWidget* padre, const QColor& iniziale,
                                   QList<QColor>& personalizzati);
// Lets the person choose and set up the printer; false when cancelled.
bool ScegliStampante(QWidget* padre, QPrinter& stampante);

struct DialoghiTest
{
    std::function<QString(const QString& titolo, const QString& iniziale)> cartella;
    std::function<QString(const QString& titolo, const QString& cartella, const QString& filtro)>
        file;
    std::function<std::optional<QColor>(const QColor& iniziale, QList<QColor>& personalizzati)>
        colore;
    std::function<bool(QPrinter& stampante)> stampante;
};

// A test's answers; a dialog without one fails loudly instead of blocking.
// Empty DialoghiTest{} with attivi = false restores the real dialogs.
void ImpostaDialoghi(const DialoghiTest& risposte, bool attivi = true);
