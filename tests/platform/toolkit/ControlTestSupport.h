#pragma once

// Helpers for the control tests: synthetic input and pixel reads of what a
// control shows.

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWidget>
#include <functional>
#include <ostream>

#include "platform/toolkit/Control.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/Timer.h"
#include "tests/support/PixelDifference.h"
#include "tests/support/ToolkitSeam.h"

namespace mirto {

inline void PrintTo(const TRect& r, std::ostream* os) {
  *os << "{" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << "}";
}

namespace testing_support {

inline void SendMouse(TControl& control, QEvent::Type type, QPoint local, Qt::MouseButton button,
                      Qt::MouseButtons held = Qt::NoButton) {
  QWidget* w = testing::NativeWidgetOf(control);
  Qt::MouseButtons buttons = held;
  if (type == QEvent::MouseButtonPress) buttons |= button;
  QMouseEvent event(type, QPointF(local), QPointF(w->mapToGlobal(local)), button, buttons,
                    Qt::NoModifier);
  QApplication::sendEvent(w, &event);
}

inline void ClickAt(TControl& control, QPoint local) {
  SendMouse(control, QEvent::MouseButtonPress, local, Qt::LeftButton);
  SendMouse(control, QEvent::MouseButtonRelease, local, Qt::LeftButton);
}

inline void SendKey(TControl& control, int qtKey, QEvent::Type type = QEvent::KeyPress) {
  QKeyEvent event(type, qtKey, Qt::NoModifier);
  QApplication::sendEvent(testing::NativeWidgetOf(control), &event);
}

// What the control shows, its children included.
inline QImage Grab(TControl& control) {
  return testing::NativeWidgetOf(control)->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline TColor PixelAt(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return RGB(static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
             static_cast<std::uint8_t>(qBlue(p)));
}

// The pixels of area of a grabbed picture, to compare with a reference
// drawn on a board (FirstDifference).
inline PixelGrid GridOf(const QImage& image, const TRect& area) {
  PixelGrid grid{area.Width(), area.Height(), {}};
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) grid.colors.push_back(PixelAt(image, x, y));
  return grid;
}

// Runs body once the popup menu is open, from a timer, as a user would act
// while the menu's own event loop runs.
inline void WhileOpen(TPopupMenu& menu, const std::function<void(QMenu&)>& body) {
  auto* timer = new TTimer(&menu);
  timer->SetInterval(10);
  timer->OnTimer = [&menu, timer, body](TObject*) {
    QMenu* open = testing::OpenMenuOf(menu);
    if (open == nullptr || !open->isVisible()) return;
    timer->SetEnabled(false);
    body(*open);
  };
}

}  // namespace testing_support
}  // namespace mirto
