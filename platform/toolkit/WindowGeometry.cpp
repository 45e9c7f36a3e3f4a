// What the window system does to a window's geometry behind its control's
// back: moves and resizes reach the control's bounds, a move to a screen of
// another scale keeps the window's logical size, and a size the window's
// limits forbid is undone.

#include <QTimer>
#include <cmath>
#include <utility>

#include "platform/toolkit/ControlAccess_p.h"
#include "platform/toolkit/WindowManagerHints.h"

namespace mirto {

void ControlWidget::resizeEvent(QResizeEvent*) {
  // Only the window manager resizes windows behind the control's back.
  if (control_ == nullptr || !isWindow() || !isVisible()) return;
  // A window moved to a screen of another scale keeps its size in the
  // screen's pixels, so its logical size would shrink or grow by the ratio
  // of the two scales; it keeps its logical size instead (once the move has
  // settled), since every layout is in logical pixels.
  const double before = std::exchange(ratio_, devicePixelRatioF());
  if (before > 0 && ratio_ != before) {
    const QSize kept(control_->Width(), control_->Height());
    const auto near = [](int seen, double wanted) { return std::abs(seen - wanted) <= 1.0; };
    if (near(width(), kept.width() * before / ratio_) &&
        near(height(), kept.height() * before / ratio_)) {
      QTimer::singleShot(0, this, [this, kept] { resize(kept); });
      return;
    }
  }
  {
    DispatchScope scope(dispatching_);
    ControlAccess::WindowResized(*control_, size());
  }
  // A size the window's limits forbid (a window manager that maximises a
  // window of fixed size, say) is undone: the window asks for the size its
  // control kept, once out of a maximised state (which many window managers
  // keep up against any request).
  if (control_ != nullptr && size() != QSize(control_->Width(), control_->Height()))
    QTimer::singleShot(0, this, [this] {
      if (control_ == nullptr) return;
      LeaveMaximisedStates(*this);
      resize(control_->Width(), control_->Height());
    });
}

void ControlWidget::moveEvent(QMoveEvent*) {
  if (control_ == nullptr || !isWindow() || !isVisible()) return;
  ControlAccess::WindowMoved(*control_, pos());
}

}  // namespace mirto
