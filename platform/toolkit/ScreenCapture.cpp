#include "platform/toolkit/ScreenCapture.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include "platform/toolkit/Control_p.h"

namespace mirto {

namespace {

bool SavePixmap(const QPixmap& picture, const QString& fileName) {
  return !picture.isNull() && picture.toImage().save(fileName, "PNG");
}

}  // namespace

bool SaveWindowPicture(const TControl& control, const QString& fileName) {
  QWidget* window = NativeWidget(control)->window();
  QScreen* screen = window->screen();
  if (screen == nullptr) return false;
  QPixmap picture = screen->grabWindow(window->winId());
  // Window systems without a readable screen (offscreen) give nothing:
  // the window's own rendering stands in.
  if (picture.isNull()) picture = window->grab();
  return SavePixmap(picture, fileName);
}

TRect PrimaryScreenArea() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const QRect r = screen->geometry();
  return Bounds(r.x(), r.y(), r.width(), r.height());
}

bool SaveScreenArea(const TRect& area, const QString& fileName) {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return false;
  return SavePixmap(screen->grabWindow(0, area.Left, area.Top, area.Width(), area.Height()),
                    fileName);
}

void MovePointerTo(TPoint screenPoint) { QCursor::setPos(screenPoint.X, screenPoint.Y); }

void SendLeftButton(TControl& control, int x, int y, bool down) {
  QWidget* widget = NativeWidget(control);
  const QPointF local(x, y);
  const QPointF global = widget->mapToGlobal(local);
  QMouseEvent event(down ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, local, global,
                    Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

}  // namespace mirto
