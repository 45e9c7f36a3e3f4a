#pragma once

// Platform-internal: what an X11 window manager reads from a window when it
// is mapped. Only platform sources include this header.

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

}  // namespace mirto
