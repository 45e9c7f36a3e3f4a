// The floor of any Qt program's start on Windows: an empty frameless Qt
// Widgets window of the launcher's size that paints one colour and waits,
// linked like the launcher (the same static toolkit).
#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

class Floor : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor(98, 98, 98)); }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Floor floor;
  floor.setWindowFlags(Qt::FramelessWindowHint);
  floor.resize(615, 336);
  floor.show();
  return app.exec();
}
