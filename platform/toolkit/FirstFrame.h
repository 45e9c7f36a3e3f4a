#pragma once

// A window's first steps onto the screen, for whatever waits for them: the
// start-up's trace and its hooks, and work put off until the window shows.

#include <functional>

namespace mirto {

class TControl;

// Calls handler once, when the window that holds control is first mapped by
// the window system (its first exposure), from the event that says so.
void WhenFirstMapped(TControl& control, std::function<void()> handler);

// Calls handler once, after the window that holds control has put its first
// complete frame on the screen (from the event loop, not inside a paint).
void WhenFirstFramePainted(TControl& control, std::function<void()> handler);

}  // namespace mirto
