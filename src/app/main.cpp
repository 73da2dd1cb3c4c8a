// quarlo: the desktop viewer.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget w;
  w.setWindowTitle("Quarlo");
  w.show();
  return app.exec();
}
