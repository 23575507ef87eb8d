// A second reference for the client's start: the least a Qt widgets program
// does before anything is on screen (the libraries loaded, the platform
// opened, one window shown and painted), then it ends.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(800, 600);
    window.show();
    window.repaint();
    return 0;
}
