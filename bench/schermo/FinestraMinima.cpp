// The floor of the start-up benchmark: the least a Qt Widgets program does to
// put a window on screen.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget finestra;
    finestra.resize(360, 260);
    finestra.show();
    return QApplication::exec();
}
