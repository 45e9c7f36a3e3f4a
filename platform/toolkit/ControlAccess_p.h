#pragma once

// Platform-internal: the door to the private parts of controls for the
// sources that bridge them to their widgets (ControlWidget.cpp and the units
// split from it: painting, focus, dispatch, the window's geometry). Nothing
// else includes it.

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <cstdint>

#include "platform/toolkit/Control.h"
#include "platform/toolkit/Control_p.h"

namespace mirto {

class ControlAccess {
 public:
  // Paints control into buffer, whose pixel (0, 0) lies at origin in the
  // control's coordinates; area is the part of the buffer that counts
  // (ControlPainting.cpp).
  static void PaintLayer(TControl& control, QImage& buffer, TPoint origin, const TRect& area,
                         int depth);
  // Paints rect of control onto widget (ControlPainting.cpp).
  static void Paint(TControl& control, QWidget& widget, const QRect& rect);

  static void WindowMoved(TControl& control, QPoint position) {
    control.left_ = position.x();
    control.top_ = position.y();
  }

  static void WindowResized(TControl& control, QSize size) {
    if (size.width() == control.width_ && size.height() == control.height_) return;
    control.PlaceBounds(control.left_, control.top_, size.width(), size.height());
  }

  static ControlWidget* Widget(const TControl& control) { return control.widget_; }
  static QPointer<ControlWidget>& Entered(ControlWidget& window) { return window.entered_; }
  static int& Dispatching(ControlWidget& widget) { return widget.dispatching_; }
  static bool& LeftPressed(TControl& control) { return control.leftPressed_; }
  static bool ClicksOnRelease(const TControl& control) { return control.ClicksOnRelease(); }

  static void MouseDown(TControl& c, TMouseButton b, TShiftState s, int x, int y) {
    c.MouseDown(b, s, x, y);
  }
  static void MouseMove(TControl& c, TShiftState s, int x, int y) { c.MouseMove(s, x, y); }
  static void MouseUp(TControl& c, TMouseButton b, TShiftState s, int x, int y) {
    c.MouseUp(b, s, x, y);
  }
  static void Click(TControl& c) { c.Click(); }
  static void DblClick(TControl& c) { c.DblClick(); }
  static void MouseEnter(TControl& c) { c.MouseEnter(); }
  static bool MouseWheel(TControl& c, TShiftState s, int delta, TPoint p) {
    return c.DoMouseWheel(s, delta, p);
  }
  static void MouseLeave(TControl& c) { c.MouseLeave(); }
  static void DoEnter(TWinControl& c) { c.DoEnter(); }
  static void DoExit(TWinControl& c) { c.DoExit(); }
  static void KeyDown(TWinControl& c, std::uint16_t& key, TShiftState s) { c.KeyDown(key, s); }
  static void KeyUp(TWinControl& c, std::uint16_t& key, TShiftState s) { c.KeyUp(key, s); }
  static void KeyPress(TWinControl& c, QChar& key) { c.KeyPress(key); }
  static bool WindowEvent(TControl& c, QEvent& e) { return c.WindowEvent(e); }
  static void BroadcastFocusChange(TWinControl& root, TWinControl* focused) {
    root.BroadcastFocusChange(focused);
  }
};

}  // namespace mirto
