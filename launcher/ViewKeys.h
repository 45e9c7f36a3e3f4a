#pragma once

// What the keys do in the main window's view, apart from any window: a
// letter or digit starts a find and then every typed character belongs to
// it; the arrows move the focus among the view's buttons (launcher/FocusGrid);
// the menu key and Shift+F10 open the focused program button's popup;
// Backspace and Enter edit a find and start its first match. The window
// hands each key to a TViewKeys with its buttons and carries out the answer.

#include <QChar>
#include <QString>
#include <cstdint>
#include <span>

#include "platform/drawing/Types.h"

namespace mirto {

// What the keys need to know of a view button.
struct TViewButton {
  TRect Bounds;
  bool Focused = false;
  bool HasPopup = false;  // a program button
};

enum class TViewKeyAction {
  vkaNone,
  vkaFocus,        // focus buttons[Button]
  vkaOpenPopup,    // open the popup of buttons[Button]
  vkaFindChanged,  // show the find again, for the changed text
  vkaEndFind,      // the text is empty again: back to the view before
  vkaRunProgram,   // start ProgramID
};
using enum TViewKeyAction;

struct TViewKeyAnswer {
  TViewKeyAction Action = vkaNone;
  bool Taken = false;  // the key goes no further
  int Button = -1;
  int ProgramID = 0;
};

class TViewKeys {
 public:
  // A typed character; true when the find takes it.
  bool CharTyped(QChar key);
  // A key pressed while the view shows buttons (the visible ones, in the
  // order they were made).
  TViewKeyAnswer KeyDown(std::uint16_t key, TShiftState shift,
                         std::span<const TViewButton> buttons);

  // What the user has typed to find a program; empty while not finding.
  const QString& FindText() const { return findText_; }
  bool Finding() const { return !findText_.isEmpty(); }

  // A view other than the find view is shown (groupID 0: the categories):
  // any find is over, and the next one returns to that view.
  void ViewShown(int groupID);
  // Ends the find; the group of the view before it, 0 for the categories.
  int EndFind();

 private:
  QString findText_;
  int shownGroup_ = 0;
};

}  // namespace mirto
