#pragma once

// Pictures of what is on screen, and the pointer moves and presses that put
// a window into the state to be pictured. For the documentation's
// screenshots and the checks that picture a window, on a real (or virtual)
// display.

#include <QString>

#include "platform/drawing/Types.h"

namespace mirto {

class TControl;

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
