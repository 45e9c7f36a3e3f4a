#include "platform/toolkit/FirstFrame.h"

#include <QApplication>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include "platform/toolkit/Control_p.h"

namespace mirto {

namespace {

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

}  // namespace

void WhenFirstMapped(TControl& control, std::function<void()> handler) {
  QWidget* window = NativeWidget(control)->window();
  auto* watcher = new FirstExposeWatcher(window, std::move(handler));
  watcher->setParent(qApp);
  qApp->installEventFilter(watcher);
}

void WhenFirstFramePainted(TControl& control, std::function<void()> handler) {
  QWidget* window = NativeWidget(control)->window();
  auto* watcher = new FirstFrameWatcher(window, std::move(handler));
  watcher->setParent(qApp);
  qApp->installEventFilter(watcher);
}

}  // namespace mirto
