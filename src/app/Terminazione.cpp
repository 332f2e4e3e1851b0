#include "app/Terminazione.h"

#include "piattaforma/SegnaliTermine.h"
#include "shell/Routine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

constexpr int PassoMs = 20;
// Past this the nested waits are ended; past the last, the process.
constexpr int AttesaCicliMs = 400;
constexpr int AttesaUltimaMs = 900;

} // namespace

void InstallaTerminazioneOrdinata(QWidget* principale)
{
    QPointer<QWidget> finestra(principale);
    InstallaSegnaliTermine([finestra]() {
        static QTimer* passo = nullptr;
        if (passo)
            return;
        passo = new QTimer(QCoreApplication::instance());
        passo->setInterval(PassoMs);
        auto inizio = std::make_shared<QElapsedTimer>();
        inizio->start();
        auto cicliChiusi = std::make_shared<bool>(false);
        auto chiudi = [finestra, inizio, cicliChiusi]() {
            const qint64 trascorsi = inizio->elapsed();
            if (trascorsi >= AttesaUltimaMs) {
                TerminaSubito(0);
                return;
            }
            if (trascorsi >= AttesaCicliMs && !*cicliChiusi) {
                *cicliChiusi = true;
                QCoreApplication::exit(0);
            }
            if (QWidget* menu = QApplication::activePopupWidget()) {
                menu->close();
                return;
            }
            if (QWidget* modale = QApplication::activeModalWidget()) {
                modale->close();
                return;
            }
            if (finestra && finestra->isVisible())
                finestra->close();
        };
        QObject::connect(passo, &QTimer::timeout, passo, chiudi);
        passo->start();
        chiudi();
    });
}
