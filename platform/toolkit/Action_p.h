#pragma once

// Platform-internal: the window whose key presses reach an action list's
// shortcuts. Only platform sources include this header.

class QWidget;

namespace mirto {

class TActionList;

// Binds list's shortcuts to window (the top-level widget is used). Without
// an explicit binding the list acts in the window of the nearest control
// among its owners.
void SetShortcutWindow(TActionList& list, QWidget* window);

// The window the list's shortcuts currently act in, or null.
QWidget* ShortcutWindow(const TActionList& list);

}  // namespace mirto
