// The anchor of the window's start: an empty Qt 6 window of the main window's size
// (its client area and menu bar), with nothing of the program in it.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(601, 454);
    window.show();
    return QApplication::exec();
}
