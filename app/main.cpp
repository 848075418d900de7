// The program's entry: creates the application object and calls Main.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget w;
  w.setWindowTitle("スライドショー");
  w.resize(640, 480);
  w.show();
  return app.exec();
}
