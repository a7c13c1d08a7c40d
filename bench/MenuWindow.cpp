// A second reference for the window's start: the least a main window with a menu
// bar and one line of text asks of Qt before it is mapped (the menu bar's style
// icons, fontconfig, the font database and a layout), with nothing of the
// program in it.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.setCentralWidget(new QLabel(QStringLiteral("Pelmora 38")));
    window.resize(601, 454);
    window.show();
    return QApplication::exec();
}
