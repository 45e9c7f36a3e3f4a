#pragma once

// Painting of a bitmap button while a custom visual style (a skin) is
// active: the style's push-button element in the style's colours, then, for
// a PNG button, its glyph and caption laid out as the button lays them out.
// Any other bitmap button gets the element and its centred caption.

#include "platform/toolkit/BitBtn.h"
#include "platform/toolkit/StyleServices.h"

namespace mirto {

class TCanvas;

class TKvoPngButtonStyleHook {
 public:
  explicit TKvoPngButtonStyleHook(const TBitBtn& control) : control_(control) {}

  // The hook's own view of the button: pressed, and holding the focus.
  bool Pressed() const { return pressed_; }
  void SetPressed(bool value) { pressed_ = value; }
  bool Focused() const { return focused_; }
  void SetFocused(bool value) { focused_ = value; }

  // The element state a PNG button is painted in.
  TThemedElement ElementState(bool mouseInControl) const;
  void DrawButton(TCanvas& canvas, bool mouseInControl) const;

 private:
  void DrawPlainButton(TCanvas& canvas, bool mouseInControl) const;

  const TBitBtn& control_;
  bool pressed_ = false;
  bool focused_ = false;
};

// The style's push-button element of that state in rect: its fill and its
// edges, in the system colours where the style gives none.
void DrawStyledPushButton(TCanvas& canvas, const TRect& rect, TThemedElement element);

}  // namespace mirto
