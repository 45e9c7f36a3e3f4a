#pragma once

// The state flags an owner-drawn item is painted with: one set for buttons
// (pressed, disabled, the window's active button) and menu entries
// (selected, greyed, checked, the default entry).

#include "platform/drawing/Types.h"

namespace mirto {

enum class TOwnerDrawStateItem {
  odSelected,  // a pressed button; the highlighted menu entry
  odGrayed,
  odDisabled,
  odChecked,
  odFocus,  // the window's active button, whether or not it holds the keyboard focus
  odDefault,
  odHotLight,
  odInactive,
  odNoAccel,
  odNoFocusRect
};
using enum TOwnerDrawStateItem;
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;

}  // namespace mirto
