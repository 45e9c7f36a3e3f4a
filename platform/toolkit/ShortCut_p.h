#pragma once

// Platform-internal: translation between the toolkit's key events and the
// program's shortcut values. Only platform sources include this header.

#include <QKeySequence>
#include <Qt>

#include "platform/toolkit/ShortCut.h"

namespace mirto {

// Virtual-key code of a Qt key, keypad digits included (0 for keys without
// one). Controls receive their key events in these codes.
std::uint16_t VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers);

// The shortcut a key press forms, or scNone for a key the program cannot bind
// (modifier keys alone, keys without a virtual-key code).
TShortCut ShortCutFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);

// The same shortcut as the toolkit shows it next to a menu entry.
QKeySequence ShortCutToKeySequence(TShortCut shortCut);

}  // namespace mirto
