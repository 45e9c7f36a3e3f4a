#include "platform/toolkit/ScreenCapture.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "platform/toolkit/Control_p.h"

namespace mirto {

namespace {

// Waits for the first paint of any widget of one window. The paint pass
// that follows puts the whole window on screen in one go, so the handler is
// queued behind it.
class FirstFrameWatcher : public QObject {
 public:
  FirstFrameWatcher(QWidget* window, std::function<void()> handler)
      : window_(window), handler_(std::move(handler)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint || !watched->isWidgetType() || fired_) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (window_.isNull() || widget->window() != window_.data()) return false;
    fired_ = true;
    qApp->removeEventFilter(this);
    QMetaObject::invokeMethod(
        qApp,
        [this] {
          auto handler = std::move(handler_);
          deleteLater();
          if (handler) handler();
        },
        Qt::QueuedConnection);
    return false;
  }

 private:
  QPointer<QWidget> window_;
  std::function<void()> handler_;
  bool fired_ = false;
};

// Waits for the window system to show one window: its first exposure, which
// comes once the window is mapped.
class FirstExposeWatcher : public QObject {
 public:
  FirstExposeWatcher(QWidget* window, std::function<void()> handler)
      : window_(window), handler_(std::move(handler)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Expose || !watched->isWindowType() || window_.isNull() ||
        watched != window_->windowHandle() || !static_cast<QWindow*>(watched)->isExposed())
      return false;
    qApp->removeEventFilter(this);
    auto handler = std::move(handler_);
    deleteLater();
    if (handler) handler();
    return false;
  }

 private:
  QPointer<QWidget> window_;
  std::function<void()> handler_;
};

bool SavePixmap(const QPixmap& picture, const QString& fileName) {
  return !picture.isNull() && picture.toImage().save(fileName, "PNG");
}

}  // namespace

TWindowHandle WindowHandle(const TControl& control) {
  QWidget* widget = NativeWidget(control);
  return widget != nullptr ? static_cast<TWindowHandle>(widget->window()->winId()) : 0;
}

void WhenFirstFramePainted(TControl& control, std::function<void()> handler) {
  QWidget* window = NativeWidget(control)->window();
  auto* watcher = new FirstFrameWatcher(window, std::move(handler));
  watcher->setParent(qApp);
  qApp->installEventFilter(watcher);
}

void WhenFirstMapped(TControl& control, std::function<void()> handler) {
  QWidget* window = NativeWidget(control)->window();
  auto* watcher = new FirstExposeWatcher(window, std::move(handler));
  watcher->setParent(qApp);
  qApp->installEventFilter(watcher);
}

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
