#include "launcher/ViewKeys.h"

#include <vector>

#include "launcher/FocusGrid.h"
#include "launcher/ProgramFinder.h"
#include "platform/toolkit/ShortCut.h"

namespace mirto {

namespace {

bool IsArrow(std::uint16_t key) {
  return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

TGridMove MoveOf(std::uint16_t arrow) {
  return arrow == VK_LEFT ? gmLeft : arrow == VK_RIGHT ? gmRight : arrow == VK_UP ? gmUp : gmDown;
}

TViewKeyAnswer MoveFocus(std::uint16_t arrow, std::span<const TViewButton> buttons) {
  std::vector<TRect> places;
  int current = -1;
  for (const TViewButton& button : buttons) {
    if (button.Focused) current = static_cast<int>(places.size());
    places.push_back(button.Bounds);
  }
  const int next = NextInGrid(places, current, MoveOf(arrow));
  if (next < 0) return {};
  return {vkaFocus, true, next};
}

}  // namespace

bool TViewKeys::CharTyped(QChar key) {
  // A letter or digit starts a find; once finding, every typed character
  // (a blank between words, "&", "-") belongs to the text.
  if (findText_.isEmpty() && !key.isLetterOrNumber()) return false;
  findText_ += key;
  return true;
}

TViewKeyAnswer TViewKeys::KeyDown(std::uint16_t key, TShiftState shift,
                                  std::span<const TViewButton> buttons) {
  const bool plain = !shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
  if (IsArrow(key))
    return plain && !shift.Contains(ssShift) ? MoveFocus(key, buttons) : TViewKeyAnswer{};
  // The popup key, or Shift+F10: the focused program button's popup.
  if ((key == VK_APPS && plain) || (key == VK_F10 && plain && shift.Contains(ssShift))) {
    for (std::size_t i = 0; i < buttons.size(); ++i)
      if (buttons[i].Focused && buttons[i].HasPopup)
        return {vkaOpenPopup, true, static_cast<int>(i)};
    return {};
  }
  if (findText_.isEmpty() || !plain) return {};
  if (key == VK_BACK) {
    findText_.chop(1);
    return {findText_.trimmed().isEmpty() ? vkaEndFind : vkaFindChanged, true};
  }
  if (key == VK_RETURN) {
    const std::vector<int> found = FindPrograms(findText_);
    if (found.empty()) return {vkaNone, true};
    return {vkaRunProgram, true, -1, found.front()};
  }
  return {};
}

void TViewKeys::ViewShown(int groupID) {
  findText_.clear();
  shownGroup_ = groupID;
}

int TViewKeys::EndFind() {
  findText_.clear();
  return shownGroup_;
}

}  // namespace mirto
