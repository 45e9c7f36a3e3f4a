// Control events and what waits for their end: every event a control
// handles is counted (DispatchScope), and the widgets of destroyed controls
// and the controls given to Release() wait until the outermost event is
// done, since one of them may still be on the call stack.

#include <QCoreApplication>
#include <QPointer>
#include <utility>
#include <vector>

#include "platform/toolkit/ControlAccess_p.h"

namespace mirto {

namespace {

int g_eventsInProgress = 0;

// What waits for the end of the outermost control event: the widgets of
// destroyed controls (one of them may still be on the call stack) and the
// controls to release. Nothing is re-posted while a nested loop runs: the
// end of the outermost event posts one flush.
struct DeferredDeletions {
  std::vector<QPointer<ControlWidget>> widgets;
  std::vector<QPointer<ControlWidget>> released;  // by their controls' widgets
  bool flushPosted = false;
  int posts = 0;
};

DeferredDeletions& Deferred() {
  static DeferredDeletions deferred;
  return deferred;
}

void PostDeferredFlush() {
  DeferredDeletions& deferred = Deferred();
  if (deferred.flushPosted || QCoreApplication::instance() == nullptr) return;
  if (deferred.widgets.empty() && deferred.released.empty()) return;
  deferred.flushPosted = true;
  ++deferred.posts;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [] {
        Deferred().flushPosted = false;
        FlushDeferredDeletions();
      },
      Qt::QueuedConnection);
}

}  // namespace

DispatchScope::DispatchScope(int& widgetCounter) : counter_(widgetCounter) {
  ++counter_;
  ++g_eventsInProgress;
}

DispatchScope::~DispatchScope() {
  --counter_;
  if (--g_eventsInProgress == 0) PostDeferredFlush();
}

bool ControlEventInProgress() { return g_eventsInProgress > 0; }

// Destroys the widget of a control that is going away. While any control
// event is being handled the widget may still be on the call stack, so it is
// only hidden now and destroyed after the outermost event.
void DisposeWidget(ControlWidget* widget) {
  // Windows that belong to this one (owned forms) live on by themselves.
  const auto children = widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (QWidget* child : children)
    if (child->isWindow()) child->setParent(nullptr, child->windowFlags());
  if (ControlEventInProgress() && QCoreApplication::instance() != nullptr) {
    widget->hide();
    Deferred().widgets.emplace_back(widget);
    return;
  }
  delete widget;
}

void ReleaseLater(ControlWidget& widget) {
  Deferred().released.emplace_back(&widget);
  // Outside an event the next turn of the event loop destroys it; inside one,
  // the end of the outermost event does.
  if (!ControlEventInProgress()) PostDeferredFlush();
}

void FlushDeferredDeletions() {
  // Inside a nested loop of an event: the end of that event flushes.
  if (ControlEventInProgress()) return;
  DeferredDeletions& deferred = Deferred();
  while (!deferred.released.empty() || !deferred.widgets.empty()) {
    const auto released = std::move(deferred.released);
    deferred.released.clear();
    for (const QPointer<ControlWidget>& widget : released)
      if (!widget.isNull() && widget->Control() != nullptr) delete widget->Control();
    const auto widgets = std::move(deferred.widgets);
    deferred.widgets.clear();
    for (const QPointer<ControlWidget>& widget : widgets) delete widget.data();
  }
}

int DeferredFlushPosts() { return Deferred().posts; }

void DispatchFor(TControl& control, const std::function<void()>& work) {
  ControlWidget* widget = ControlAccess::Widget(control);
  DispatchScope scope(ControlAccess::Dispatching(*widget));
  work();
}

void EnterControl(TControl& control) {
  DispatchFor(control, [&control] { ControlAccess::MouseEnter(control); });
}

void LeaveControl(TControl& control) {
  DispatchFor(control, [&control] { ControlAccess::MouseLeave(control); });
}

void PressControl(TControl& control) {
  ControlWidget* widget = ControlAccess::Widget(control);
  DispatchScope scope(ControlAccess::Dispatching(*widget));
  ControlAccess::Click(control);
}

}  // namespace mirto
