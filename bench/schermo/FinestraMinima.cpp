// The floors of the start-up benchmark: the least a Qt Widgets program does to
// put a window on screen; with --testo, the same window with one labelled
// button, so that the first font and glyphs any real window draws are paid.
#include <QApplication>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget finestra;
    finestra.resize(360, 260);
    if (QCoreApplication::arguments().contains(QStringLiteral("--testo")))
        (new QPushButton(QStringLiteral("&INVIA BOLLE IN DOGANA"), &finestra))->move(10, 10);
    finestra.show();
    return QApplication::exec();
}
