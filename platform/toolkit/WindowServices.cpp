#include "platform/toolkit/WindowServices.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include "platform/toolkit/Control_p.h"

namespace mirto {

namespace {

// Moves a window with the pointer until the left button is released, for
// window systems that do not move windows on request.
class PointerFollower : public QObject {
 public:
  PointerFollower(QWidget* window, QPoint pointer)
      : window_(window), offset_(pointer - window->pos()) {}

  static void Start(QWidget* window, QPoint pointer) {
    static QPointer<PointerFollower> active;
    if (!active.isNull()) active->deleteLater();
    active = new PointerFollower(window, pointer);
    active->setParent(qApp);
    qApp->installEventFilter(active);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!watched->isWidgetType()) return false;
    if (window_.isNull()) {
      Stop();
      return false;
    }
    if (event->type() == QEvent::MouseMove) {
      const auto* e = static_cast<QMouseEvent*>(event);
      if (!(e->buttons() & Qt::LeftButton)) {
        Stop();
        return false;
      }
      window_->move(e->globalPosition().toPoint() - offset_);
    } else if (event->type() == QEvent::MouseButtonRelease) {
      Stop();
    }
    return false;
  }

 private:
  void Stop() {
    qApp->removeEventFilter(this);
    deleteLater();
  }

  QPointer<QWidget> window_;
  QPoint offset_;
};

void StartMove(QWidget* window) {
  // Every mouse move over a dragging control asks again; one press starts
  // one move.
  if (!TakeLeftPressForMove()) return;
  if (QWindow* handle = window->windowHandle(); handle != nullptr && handle->startSystemMove()) {
    // The window manager now holds the pointer and keeps the release.
    ForgetLeftButton();
    return;
  }
  PointerFollower::Start(window, LastPointer().global);
}

}  // namespace

void ReleaseCapture() {
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  CancelPendingClick();
}

void SendSysCommand(TControl& control, unsigned command) {
  QWidget* window = NativeWidget(control)->window();
  if (window == nullptr || !window->isVisible()) return;
  switch (command & 0xFFF0u) {
    case SC_MOVE:
      StartMove(window);
      break;
    case SC_MINIMIZE:
      window->showMinimized();
      break;
    case SC_MAXIMIZE:
      window->showMaximized();
      break;
    case SC_RESTORE:
      window->showNormal();
      break;
    case SC_CLOSE:
      window->close();
      break;
    default:
      break;
  }
}

bool BringWindowToTop(TControl& control) {
  QWidget* window = NativeWidget(control)->window();
  if (window == nullptr) return false;
  window->raise();
  window->activateWindow();
  return true;
}

TWindowHandle WindowHandle(const TControl& control) {
  QWidget* widget = NativeWidget(control);
  return widget != nullptr ? static_cast<TWindowHandle>(widget->window()->winId()) : 0;
}

}  // namespace mirto
