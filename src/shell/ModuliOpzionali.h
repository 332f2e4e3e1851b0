#pragma once

#include <QString>

// Starts one of the office's applications configured in section APPLICATIVI.
// The caller sets ArgomentoProgramma (" " + a full path) and StileFinestra
// first; both are reset by every launch, whether it starts or not.
class ModuliOpzionali
{
public:
    void nomeProceduraChiamata(const QString& chiave) { procedura_ = chiave; }
    // Reads the command of the key and starts it, or says that it is missing.
    void attivaProcedura();
    // Starts comando + ArgomentoProgramma, or says that it was not found.
    void lanciaProcedura(const QString& comando);
    qint64 idTask() const { return idTask_; }

private:
    // Entry 1 left at its default: the desktop's text editor, on the file if
    // one is given.
    void lanciaEditorDelDesktop();

    QString procedura_;
    qint64 idTask_ = 0;
};

// The launch of key ("Varie" + n).
void LanciaApplicazione(const QString& chiave);
