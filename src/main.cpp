#include "piattaforma/ui/MessaggiQt.h"
#include "piattaforma/ui/Traduzioni.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("norvel"));
    QApplication::setApplicationVersion(QStringLiteral(NORVEL_VERSIONE));

    InstallaTraduzioneQt();
    InstallaMessaggiQt();

    QMainWindow finestra;
    finestra.setWindowTitle(QStringLiteral(" Norvel - scambio EDI via MODEM con la DOGANA"));
    finestra.setCentralWidget(new QLabel(QStringLiteral("Norvel")));
    finestra.show();
    return QApplication::exec();
}
