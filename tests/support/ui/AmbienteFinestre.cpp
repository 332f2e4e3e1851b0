#include "support/ui/AmbienteFinestre.h"

#include "support/AmbienteTest.h"

#include "piattaforma/ui/Dialoghi.h"
#include "piattaforma/ui/Schermo.h"
#include "piattaforma/ui/Shell.h"
#include "shell/ui/Finestre.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

QStringList& AperturaShell()
{
    static QStringList aperti;
    return aperti;
}

void RegistraAmbienteFinestre()
{
    RegistraAzzeramento([]() {
        ImpostaSchermo({}, {});
        ImpostaFinestraPrincipale(nullptr);
        // A dialog nobody scripted fails the test instead of waiting for a person.
        DialoghiTest nessuno;
        nessuno.cartella = [](const QString& titolo, const QString&) {
            ADD_FAILURE() << "unexpected folder dialog " << titolo.toStdString();
            return QString();
        };
        nessuno.file = [](const QString& titolo, const QString&, const QString&) {
            ADD_FAILURE() << "unexpected file dialog " << titolo.toStdString();
            return QString();
        };
        nessuno.colore = [](const QColor&, QList<QColor>&) {
            ADD_FAILURE() << "unexpected colour dialog";
            return std::optional<QColor>();
        };
        nessuno.stampante = [](QPrinter&) {
            ADD_FAILURE() << "unexpected printer dialog";
            return false;
        };
        ImpostaDialoghi(nessuno);
        AperturaShell().clear();
        ImpostaShell([](const QString& cosa) {
            AperturaShell().append(cosa);
            return true;
        });
    });
    RegistraFineProva([]() {
        // A window the test left open would leak into the next test.
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible())
                w->close();
        }
    });
}

void QuandoModale(std::function<void(QWidget*)> fn, int entroMs)
{
    auto* timer = new QTimer;
    auto scadenza = std::make_shared<QDeadlineTimer>(entroMs);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, fn, scadenza]() {
        if (QWidget* w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            fn(w);
        } else if (scadenza->hasExpired()) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal window appeared";
        }
    });
    timer->start();
}
