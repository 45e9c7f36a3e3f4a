#pragma once

// Pictures of what is on screen, and the pointer moves and presses that put
// a window into the state to be pictured. For the documentation's
// screenshots and the start-up benchmark, on a real (or virtual) display.

#include <QString>
#include <functional>

#include "platform/drawing/Types.h"
#include "platform/system/Shell.h"

namespace mirto {

class TControl;

// The native handle of the window that holds control, as the shell takes it.
TWindowHandle WindowHandle(const TControl& control);

// Calls handler once, after the window that holds control has put its first
// complete frame on the screen (from the event loop, not inside a paint).
void WhenFirstFramePainted(TControl& control, std::function<void()> handler);

// Calls handler once, when the window that holds control is first mapped by
// the window system (its first exposure), from the event that says so.
void WhenFirstMapped(TControl& control, std::function<void()> handler);

// Saves the window that holds control as it shows now, as a PNG file.
bool SaveWindowPicture(const TControl& control, const QString& fileName);
// The primary screen's whole area, in screen coordinates.
TRect PrimaryScreenArea();
// Saves an area of the screen (screen coordinates) with everything on it,
// open menus included, as a PNG file.
bool SaveScreenArea(const TRect& area, const QString& fileName);

// Moves the pointer to a screen point, as the user would.
void MovePointerTo(TPoint screenPoint);
// The left button goes down or up at (x, y) inside control, as the window
// system delivers it.
void SendLeftButton(TControl& control, int x, int y, bool down);

}  // namespace mirto
