#include "piattaforma/ui/Dialoghi.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

#include <cstdio>

namespace {

struct Stato
{
    DialoghiTest risposte;
    bool attivi = false;
};

Stato& Seam()
{
    static Stato s;
    return s;
}

// A test that forgot to script a dialog must not hang on an invisible one.
void Mancante(const char* quale)
{
    std::fprintf(stderr, "dialogo %s senza risposta di prova\n", quale);
}

} // namespace

void ImpostaDialoghi(const DialoghiTest& risposte, bool attivi)
{
    Seam().risposte = risposte;
    Seam().attivi = attivi;
}

QString ScegliCartella(QWidget* padre, const QString& titolo, const QString& iniziale)
{
    if (Seam().attivi) {
        if (Seam().risposte.cartella)
            return Seam().risposte.cartella(titolo, iniziale);
        Mancante("cartella");
        return {};
    }
    return QFileDialog::getExistingDirectory(padre, titolo, iniziale);
}

QString ScegliFile(QWidget* padre, const QString& titolo, const QString& cartellaIniziale,
                   const QString& filtro)
{
    if (Seam().attivi) {
        if (Seam().risposte.file)
            return Seam().risposte.file(titolo, cartellaIniziale, filtro);
        Mancante("file");
        return {};
    }
    return QFileDialog::getOpenFileName(padre, titolo, cartellaIniziale, filtro);
}

QString ScegliEseguibile(QWidget* padre, const QString& titolo, const QString& cartellaIniziale,
                         const QString& fileIniziale)
{
#ifdef Q_OS_WIN
    const QString filtro = QStringLiteral("File eseguibile (*.EXE *.exe)");
#else
    const QString filtro = QStringLiteral("File eseguibile (*)");
#endif
    if (Seam().attivi) {
        if (Seam().risposte.file)
            return Seam().risposte.file(titolo, cartellaIniziale, filtro);
        Mancante("file");
        return {};
    }
    QFileDialog dialogo(padre, titolo, cartellaIniziale, filtro);
    dialogo.setFileMode(QFileDialog::ExistingFile);
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
#ifndef Q_OS_WIN
    // Folders to walk through, and of the files only those that can be run.
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDotAndDotDot);
#endif
    if (!fileIniziale.isEmpty())
        dialogo.selectFile(fileIniziale);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return {};
    return dialogo.selectedFiles().constFirst();
}

std::optional<QColor> ScegliColore(QWidget* padre, const QColor& iniziale,
                                   QList<QColor>& personalizzati)
{
    if (Seam().attivi) {
        if (Seam().risposte.colore)
            return Seam().risposte.colore(iniziale, personalizzati);
        Mancante("colore");
        return std::nullopt;
    }
    for (int i = 0; i < QColorDialog::customCount() && i < personalizzati.size(); ++i)
        QColorDialog::setCustomColor(i, personalizzati[i]);
    QColorDialog dialogo(iniziale, padre);
    const bool scelto = dialogo.exec() == QDialog::Accepted;
    personalizzati.clear();
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        personalizzati.append(QColorDialog::customColor(i));
    if (!scelto)
        return std::nullopt;
    return dialogo.selectedColor();
}

bool ScegliStampante(QWidget* padre, QPrinter& stampante)
{
    if (Seam().attivi) {
        if (Seam().risposte.stampante)
            return Seam().risposte.stampante(stampante);
        Mancante("stampante");
        return false;
    }
    QPrintDialog dialogo(&stampante, padre);
    return dialogo.exec() == QDialog::Accepted;
}
