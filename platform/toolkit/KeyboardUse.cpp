#include "platform/toolkit/KeyboardUse.h"

#include <QApplication>
#include <QKeyEvent>
#include <QObject>
#include <algorithm>
#include <vector>

#include "platform/toolkit/Control_p.h"

namespace mirto {

namespace {

bool g_cuesShown = false;

std::vector<TKeyboardCuesListener*>& Listeners() {
  static std::vector<TKeyboardCuesListener*> listeners;
  return listeners;
}

bool MovesFocus(int key) {
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
      return true;
    default:
      return false;
  }
}

// Watches every key and mouse press of the program; lets all of them pass.
class KeyboardUseWatcher : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
        if (MovesFocus(static_cast<QKeyEvent*>(event)->key())) SetKeyboardCuesShown(true);
        break;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        SetKeyboardCuesShown(false);
        break;
      default:
        break;
    }
    return QObject::eventFilter(object, event);
  }
};

void WatchKeyboardUse() {
  auto* app = QCoreApplication::instance();
  if (app == nullptr) return;
  const char* const marker = "mirto-keyboard-use";
  if (app->property(marker).toBool()) return;
  app->setProperty(marker, true);
  app->installEventFilter(new KeyboardUseWatcher(app));
}

}  // namespace

bool KeyboardCuesShown() { return g_cuesShown; }

void SetKeyboardCuesShown(bool shown) {
  if (g_cuesShown == shown) return;
  g_cuesShown = shown;
  // A listener may go away while the others are told.
  const std::vector<TKeyboardCuesListener*> listeners = Listeners();
  for (TKeyboardCuesListener* listener : listeners) {
    const auto& all = Listeners();
    if (std::find(all.begin(), all.end(), listener) == all.end()) continue;
    CallHandler(listener->handler_, shown);
  }
}

TKeyboardCuesListener::TKeyboardCuesListener(std::function<void(bool shown)> handler)
    : handler_(std::move(handler)) {
  WatchKeyboardUse();
  Listeners().push_back(this);
}

TKeyboardCuesListener::~TKeyboardCuesListener() { std::erase(Listeners(), this); }

void PressByKey(TControl& control) { PressControl(control); }

}  // namespace mirto
