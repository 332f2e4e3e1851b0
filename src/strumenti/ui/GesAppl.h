#pragma once

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

// The editor of the applications menu: eleven entries, each a name shown in
// the menu and the command it starts. "&CONFERMA" checks every command and
// stores the entries; the main window's menu follows through VoceMenu.
class GesAppl : public QDialog
{
    Q_OBJECT

public:
    explicit GesAppl(QWidget* padre = nullptr);

    // The entries as the settings file holds them; done when the window is
    // first shown, so that VoceMenu can be connected before.
    void CaricaVoci();

signals:
    // Menu entry n (1..11) takes nome as caption and is shown, or is hidden.
    void VoceMenu(int n, const QString& nome, bool visibile);

protected:
    void showEvent(QShowEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    int Campo(const QObject* oggetto) const; // 1..22, 0 for another control
    void Lasciato(int k);
    void Sfoglia(int n);
    void Conferma();

    std::array<QLineEdit*, 23> txt_{};        // 1..11 names, 12..22 commands
    std::array<QPushButton*, 12> cmdTrova_{}; // 1..11
    std::array<QPushButton*, 3> Command1_{};  // CONFERMA, RIPRISTINA, USCITA
    bool premendoPulsante_ = false;
    bool dopoErrore_ = false;
    bool caricato_ = false;
};
