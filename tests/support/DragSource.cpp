#include "tests/support/DragSource.h"

#include <QDrag>
#include <QMimeData>

namespace mirto::testing {

DragSource::DragSource(const QStringList& files, const QString& title, const QRect& geometry) {
  for (const QString& file : files) urls_ << QUrl::fromLocalFile(file);
  setWindowTitle(title);
  setGeometry(geometry);
}

void DragSource::mousePressEvent(QMouseEvent*) {
  auto* drag = new QDrag(this);
  auto* carried = new QMimeData;
  carried->setUrls(urls_);
  drag->setMimeData(carried);
  drag->exec(Qt::CopyAction);
}

}  // namespace mirto::testing
