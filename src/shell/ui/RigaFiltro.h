#pragma once

#include "shell/NomiFile.h"

#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;

// The filter row of the send and receive windows: the user code (lbUtente)
// and the four fields txt 1..4, month, day, type and progressive, opened on
// today's values. The fields take only what their key rule lets through (a
// validator each), move among themselves with Up, Down and Enter, pass the
// focus on once full, select their text on entry and are checked and
// normalised (ControllaFiltro) when left.
class RigaFiltro : public QWidget
{
    Q_OBJECT

public:
    enum class Forma
    {
        Colonne, // captions over the fields: "Utente", "Mese", "Giorno", "Tipo", "Progr."
        Riga     // one line: "File", the user code, month, day, ".", type, progressive
    };

    RigaFiltro(LatoFiltro lato, Forma forma, QWidget* padre);

    // Month, day, type, progressive.
    std::array<QString, 4> Campi() const;
    // The field 1..4.
    QLineEdit* Campo(int indice) const { return txt_[size_t(indice)]; }
    // Sets a field as the program does: no change handling.
    void ImpostaCampo(int indice, const QString& testo);
    // Asked, with the reason, each time a field loses the focus: true when
    // the window does not want the field checked now.
    void SospendiControllo(std::function<bool(Qt::FocusReason)> sospeso);

signals:
    // The person changed the field's text (not the program).
    void Modificato(int indice);
    // The field left passed its check; cambiato: its text is not the one it
    // had when it got the focus.
    void Controllato(int indice, bool cambiato);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void Controlla(int indice);
    void Vai(int indice, int passo);

    LatoFiltro lato_;
    std::array<QLineEdit*, 5> txt_{}; // 1..4
    QLabel* lbUtente_ = nullptr;
    std::function<bool(Qt::FocusReason)> sospeso_;
    bool caricamento_ = false; // the program sets a field
    bool inControllo_ = false; // a failed check hands the focus back
};
