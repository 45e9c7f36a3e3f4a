#pragma once

// Services of the window manager that the windows ask for directly: moving
// a window with the pointer as if by its caption bar, bringing it to the
// top, minimising and restoring it; and the window's handle for the shell.

#include "platform/system/Shell.h"

namespace mirto {

class TControl;

constexpr unsigned WM_SYSCOMMAND = 0x0112;
constexpr unsigned SC_MOVE = 0xF010;
constexpr unsigned SC_MINIMIZE = 0xF020;
constexpr unsigned SC_MAXIMIZE = 0xF030;
constexpr unsigned SC_CLOSE = 0xF060;
constexpr unsigned SC_RESTORE = 0xF120;
constexpr unsigned HTCAPTION = 2;
// Move by the caption: the window follows the pointer while the left button
// is held.
constexpr unsigned SC_DRAGMOVE = SC_MOVE | HTCAPTION;

// The control that was pressed no longer takes the button's release as a
// click (the pointer is about to belong to the window manager).
void ReleaseCapture();

// Carries out a system command on the window that holds control: the
// command's low four bits are ignored (SC_DRAGMOVE is a move). A move starts
// only while the left button is held, at most once per press; it ends with
// the release. Unknown commands do nothing.
void SendSysCommand(TControl& control, unsigned command);

// Raises the window that holds control above the others and activates it.
bool BringWindowToTop(TControl& control);

// The native handle of the window that holds control, as the shell takes it.
TWindowHandle WindowHandle(const TControl& control);

}  // namespace mirto
