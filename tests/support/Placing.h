#pragma once

// Putting controls on a form in tests the way a form's loading code does:
// made with their owner, put on their parent, then placed.

#include "platform/toolkit/Control.h"
#include "platform/toolkit/Form.h"

namespace mirto::testing {

// A new control of type T owned by owner, on parent at left, top, width x
// height.
template <class T>
T* Place(TComponent* owner, TWinControl* parent, int left, int top, int width, int height) {
  auto* control = new T(owner);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

// Takes the window manager's frame off form and puts it at the screen's
// corner, width x height.
inline void Frameless(TForm& form, int width, int height) {
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, width, height);
}
// The same, the form in color.
inline void Frameless(TForm& form, int width, int height, TColor color) {
  Frameless(form, width, height);
  form.SetColor(color);
}

}  // namespace mirto::testing
