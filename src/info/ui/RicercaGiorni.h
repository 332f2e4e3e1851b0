#pragma once

#include "shell/RicercaRegistro.h"

#include <QList>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QThread;

// Under the log window's day: a search over every day kept ("Cerca in tutti
// i giorni", newest first, each record with its day) and a file's story
// (every record that names it: its send, its fetch, its unwrap). Both read
// off the window's thread; a newer request makes the older one's answer
// count for nothing.
class RicercaGiorni : public QWidget
{
    Q_OBJECT

public:
    explicit RicercaGiorni(QWidget* padre = nullptr);
    ~RicercaGiorni() override;

    void Cerca(const QString& testo);
    void MostraStoria(const QString& nome);
    // Whether a reading is still going.
    bool InCorso() const { return inCorso_ > 0; }

signals:
    void Letto();

private:
    using Lavoro = std::function<RisultatoRegistro(const std::function<bool()>&)>;
    using Fine = std::function<void(const RisultatoRegistro&)>;
    // Shared with the readings, which may end after the widget.
    struct Stato
    {
        std::atomic<bool> chiusura = false;
        std::atomic<int> ricerca = 0;
        std::atomic<int> storia = 0;
    };
    void Avvia(std::atomic<int> Stato::*generazione, Lavoro lavoro, Fine fine);

    QLineEdit* txtCercaTutti_ = nullptr;
    QPushButton* cmdCercaTutti_ = nullptr;
    QListWidget* lstRisultati_ = nullptr;
    QLabel* lblStoria_ = nullptr;
    QListWidget* lstStoria_ = nullptr;
    int inCorso_ = 0;
    std::shared_ptr<Stato> stato_;
    QList<QThread*> fili_;
};
