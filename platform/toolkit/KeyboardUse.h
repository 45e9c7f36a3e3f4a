#pragma once

// Keyboard use across the program. Focus cues follow the desktop rule:
// nothing shows the focus to someone who only uses the mouse; once Tab or
// an arrow key moves through the controls the cues show, until a mouse
// button is pressed again. Keys that stand for a control press it.

#include <functional>

namespace mirto {

class TControl;

// Whether focus cues are shown right now.
bool KeyboardCuesShown();
// Shows or hides the cues as keyboard or mouse use would; listeners hear of
// a real change.
void SetKeyboardCuesShown(bool shown);

// Hears every change of the cues until the returned token is destroyed.
class TKeyboardCuesListener {
 public:
  explicit TKeyboardCuesListener(std::function<void(bool shown)> handler);
  ~TKeyboardCuesListener();
  TKeyboardCuesListener(const TKeyboardCuesListener&) = delete;
  TKeyboardCuesListener& operator=(const TKeyboardCuesListener&) = delete;

 private:
  friend void SetKeyboardCuesShown(bool shown);
  std::function<void(bool)> handler_;
};

// Clicks control as the key that stands for it: as one control event, so
// what its handler destroys goes once the handler has returned.
void PressByKey(TControl& control);

}  // namespace mirto
