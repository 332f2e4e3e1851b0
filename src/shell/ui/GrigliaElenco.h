#pragma once

#include <QKeySequence>
#include <QList>
#include <QTableView>

#include <functional>

class QAction;

// The table of the file lists: whole rows, one current row, a fixed row
// height. A click on the heading sorts by that column, the left button
// ascending and the right button descending; the right button on a row asks
// for the row's menu, placed just under the row at the grid's left edge; the
// grid's keys are its own actions, run on the current row.
class GrigliaElenco : public QTableView
{
    Q_OBJECT

public:
    // nome: the object name; titolo: what a screen reader calls the grid.
    GrigliaElenco(const QString& nome, const QString& titolo, QWidget* padre);

    // An action of the grid for tasti, run with the current row (-1: none)
    // while the grid has the focus.
    QAction* AggiungiTasti(const QList<QKeySequence>& tasti, std::function<void(int riga)> esegui);

    int RigaCorrente() const;
    // Makes riga current, keeping the current column.
    void ImpostaRigaCorrente(int riga);

signals:
    void Ordina(int colonna, Qt::SortOrder verso);
    // riga has become current; globale is where its menu opens.
    void MenuRiga(int riga, const QPoint& globale);
    void DoppioClic(int riga);
    // A key the grid's actions do not take.
    void Tasto();

protected:
    void keyPressEvent(QKeyEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
};
