#pragma once

// Platform-internal: what an X11 window manager reads from a window when it
// is mapped, and when the requests to map it go out. Only platform sources
// include this header.

class QWidget;

namespace mirto {

// Makes sure the window manager starts window, about to be shown and not
// minimised, in the normal state. A window minimised once keeps "start
// iconic" in its hints after the window manager restored it, so hidden and
// shown again it came back minimised. Does nothing on other window systems
// or for a window that never had a native window.
void ClearIconicStartState(const QWidget& window);

// Asks the X11 window manager to take window out of the maximised (in
// either direction) and full-screen states it put it in, so that it takes
// its own size again. Does nothing on other window systems, for a window
// that has no native window or that is in none of these states.
void LeaveMaximisedStates(const QWidget& window);

// Sends what the program has asked of the X11 window system so far (a window
// to be mapped, say) now, rather than when the event loop next waits, so the
// server works on it while the program goes on. Nothing on other window
// systems.
void SendWindowSystemRequests();

}  // namespace mirto
