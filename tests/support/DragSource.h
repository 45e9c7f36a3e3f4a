#pragma once

// A window that starts a drag of files as soon as the pointer presses it,
// so that a test can carry the files with the pointer (xdotool) onto another
// window and let go there. The drag runs in the press's own event loop.

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

namespace mirto::testing {

class DragSource : public QWidget {
 public:
  // Titled and placed at geometry; files are local paths.
  DragSource(const QStringList& files, const QString& title, const QRect& geometry);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QList<QUrl> urls_;
};

}  // namespace mirto::testing
