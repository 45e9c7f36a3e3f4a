// A window that starts a drag of the files named on its command line as
// soon as the pointer presses it, so that a test can carry the files with
// xdotool onto another program's window and let go there.
//
//   desktop_drag_source FILE...

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {

class DragSource : public QWidget {
 public:
  explicit DragSource(QList<QUrl> urls) : urls_(std::move(urls)) {}

 protected:
  void mousePressEvent(QMouseEvent*) override {
    auto* drag = new QDrag(this);
    auto* carried = new QMimeData;
    carried->setUrls(urls_);
    drag->setMimeData(carried);
    drag->exec(Qt::CopyAction);
  }

 private:
  QList<QUrl> urls_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QList<QUrl> urls;
  for (const QString& file : app.arguments().mid(1)) urls << QUrl::fromLocalFile(file);
  DragSource source(urls);
  source.setWindowTitle(QStringLiteral("Drag source"));
  source.setGeometry(10, 60, 120, 80);
  source.show();
  return app.exec();
}
