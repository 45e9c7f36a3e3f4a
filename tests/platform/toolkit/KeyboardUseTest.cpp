#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <vector>

#include "platform/toolkit/KeyboardUse.h"

namespace mirto {
namespace {

TEST(KeyboardUse, KeysThatMoveTheFocusShowTheCuesUntilAMousePress) {
  std::vector<bool> heard;
  const TKeyboardCuesListener listener([&](bool shown) { heard.push_back(shown); });
  QWidget target;
  struct Case {
    const char* what;
    int key;
    Qt::KeyboardModifiers modifiers;
    bool shows;
  };
  const Case cases[] = {
      {"Tab", Qt::Key_Tab, Qt::NoModifier, true},
      {"Shift+Tab", Qt::Key_Backtab, Qt::ShiftModifier, true},
      {"Left", Qt::Key_Left, Qt::NoModifier, true},
      {"Right", Qt::Key_Right, Qt::NoModifier, true},
      {"Up", Qt::Key_Up, Qt::NoModifier, true},
      {"Down", Qt::Key_Down, Qt::NoModifier, true},
      {"a letter", Qt::Key_A, Qt::NoModifier, false},
      {"Enter", Qt::Key_Return, Qt::NoModifier, false},
      {"Shift alone", Qt::Key_Shift, Qt::ShiftModifier, false},
  };
  for (const Case& c : cases) {
    SetKeyboardCuesShown(false);
    heard.clear();
    QKeyEvent key(QEvent::KeyPress, c.key, c.modifiers);
    QApplication::sendEvent(&target, &key);
    EXPECT_EQ(KeyboardCuesShown(), c.shows) << c.what;
    EXPECT_EQ(heard, c.shows ? std::vector<bool>{true} : std::vector<bool>{}) << c.what;
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &press);
    EXPECT_FALSE(KeyboardCuesShown()) << "after " << c.what;
  }
}

}  // namespace
}  // namespace mirto
