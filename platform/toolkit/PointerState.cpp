// The pointer as the controls saw it last: where it was and which buttons
// were held, whether the left press may still start a window move, and
// which control takes the left button's release as a click.

#include <QMouseEvent>
#include <QPointer>

#include "platform/toolkit/ControlAccess_p.h"

namespace mirto {

namespace {

PointerState g_lastPointer;
QPointer<ControlWidget> g_pressedWidget;
// Whether the left press last seen may still start a window move.
bool g_leftPressUnused = false;

}  // namespace

void NotePointer(const QMouseEvent& e) {
  g_lastPointer.global = e.globalPosition().toPoint();
  g_lastPointer.buttons = e.buttons();
  const bool press =
      e.type() == QEvent::MouseButtonPress || e.type() == QEvent::MouseButtonDblClick;
  if (press && e.button() == Qt::LeftButton) g_leftPressUnused = true;
  if (!(e.buttons() & Qt::LeftButton)) g_leftPressUnused = false;
}

void NoteLeftPress(ControlWidget& widget) {
  ControlAccess::LeftPressed(*widget.Control()) = true;
  g_pressedWidget = &widget;
}

const PointerState& LastPointer() { return g_lastPointer; }

bool TakeLeftPressForMove() {
  if (!(g_lastPointer.buttons & Qt::LeftButton) || !g_leftPressUnused) return false;
  g_leftPressUnused = false;
  return true;
}

void ForgetLeftButton() {
  g_lastPointer.buttons &= ~Qt::MouseButtons(Qt::LeftButton);
  g_leftPressUnused = false;
}

void CancelPendingClick() {
  if (g_pressedWidget.isNull() || g_pressedWidget->Control() == nullptr) return;
  ControlAccess::LeftPressed(*g_pressedWidget->Control()) = false;
}

}  // namespace mirto
