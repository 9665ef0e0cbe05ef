// The start-up floor: a Qt Widgets program that shows one empty window of the
// main window's size.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(523, 316);
  window.show();
  return app.exec();
}
