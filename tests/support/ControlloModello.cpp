#include "support/ControlloModello.h"

#include <QAbstractItemModelTester>
#include <QMutex>

namespace {

QMutex guardia;
QStringList violazioni;
int attivi = 0;
QtMessageHandler precedente = nullptr;

void Raccogli(QtMsgType tipo, const QMessageLogContext& contesto, const QString& testo)
{
    if (tipo != QtDebugMsg && contesto.category &&
        qstrcmp(contesto.category, "qt.modeltest") == 0) {
        QMutexLocker l(&guardia);
        violazioni.append(testo);
        return;
    }
    if (precedente)
        precedente(tipo, contesto, testo);
}

} // namespace

ControlloModello::ControlloModello(QAbstractItemModel* modello)
{
    {
        QMutexLocker l(&guardia);
        if (attivi++ == 0) {
            violazioni.clear();
            precedente = qInstallMessageHandler(Raccogli);
        }
    }
    tester_ = std::make_unique<QAbstractItemModelTester>(
        modello, QAbstractItemModelTester::FailureReportingMode::Warning);
}

ControlloModello::~ControlloModello()
{
    tester_.reset();
    QMutexLocker l(&guardia);
    if (--attivi == 0)
        qInstallMessageHandler(precedente);
}

QStringList ControlloModello::Violazioni() const
{
    QMutexLocker l(&guardia);
    return violazioni;
}
