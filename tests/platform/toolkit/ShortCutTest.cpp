#include <gtest/gtest.h>

#include <Qt>

#include "platform/toolkit/ShortCut.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ToolkitSeam.h"

namespace mirto {
namespace {

struct ShortCutText {
  TShortCut shortCut;
  const char* text;
};

void PrintTo(const ShortCutText& c, std::ostream* os) { *os << c.text; }

class ShortCutTextTest : public ::testing::TestWithParam<ShortCutText> {};

TEST_P(ShortCutTextTest, WritesAndReadsTheSameNotation) {
  const ShortCutText& c = GetParam();
  EXPECT_EQ(ShortCutToText(c.shortCut), QString::fromLatin1(c.text));
  EXPECT_EQ(TextToShortCut(QString::fromLatin1(c.text)), c.shortCut);
}

INSTANTIATE_TEST_SUITE_P(
    KeysAndModifiers, ShortCutTextTest,
    ::testing::Values(ShortCutText{ShortCut('1', {ssCtrl}), "Ctrl+1"},
                      ShortCutText{ShortCut('6', {ssCtrl}), "Ctrl+6"},
                      ShortCutText{ShortCut('2', {ssAlt}), "Alt+2"},
                      ShortCutText{ShortCut(VK_HOME, {ssAlt}), "Alt+Home"},
                      ShortCutText{ShortCut(VK_HOME, {ssCtrl}), "Ctrl+Home"},
                      ShortCutText{ShortCut(VK_ESCAPE, {}), "Esc"},
                      ShortCutText{ShortCut('A', {ssShift, ssCtrl, ssAlt}), "Shift+Ctrl+Alt+A"},
                      ShortCutText{ShortCut(VK_F1 + 4, {ssShift}), "Shift+F5"},
                      ShortCutText{ShortCut(VK_F12, {}), "F12"},
                      ShortCutText{ShortCut(VK_NUMPAD0 + 7, {ssCtrl}), "Ctrl+Num 7"},
                      ShortCutText{ShortCut(VK_DELETE, {ssCtrl}), "Ctrl+Del"},
                      ShortCutText{ShortCut(VK_RETURN, {}), "Enter"}));

TEST(ShortCutTest, ModifierBitsSitAboveTheKeyByte) {
  EXPECT_EQ(ShortCut('3', {ssCtrl}), 0x4033);
  EXPECT_EQ(ShortCut(VK_HOME, {ssAlt}), 0x8024);
  EXPECT_EQ(ShortCut(VK_ESCAPE, {ssShift}), 0x201B);
  // Mouse and other non-keyboard members of the shift state are not kept.
  EXPECT_EQ(ShortCut('X', {ssLeft, ssDouble}), 'X');
  EXPECT_EQ(ShortCut(0x100, {ssCtrl}), scNone);
  EXPECT_EQ(ShortCut(0, {ssCtrl}), scNone);

  std::uint16_t key = 0;
  TShiftState shift;
  ShortCutToKey(ShortCut(VK_HOME, {ssAlt, ssShift}), key, shift);
  EXPECT_EQ(key, VK_HOME);
  EXPECT_EQ(shift, (TShiftState{ssAlt, ssShift}));
}

TEST(ShortCutTest, ReadingIsLenientAboutCaseAndBlanksButRejectsUnknownKeys) {
  EXPECT_EQ(TextToShortCut(" ctrl+ HOME "), ShortCut(VK_HOME, {ssCtrl}));
  EXPECT_EQ(TextToShortCut("alt+x"), ShortCut('X', {ssAlt}));
  EXPECT_EQ(TextToShortCut("Alt+Ctrl+3"), ShortCut('3', {ssCtrl, ssAlt}));
  for (const char* bad : {"", "Ctrl+", "Ctrl++", "Ctrl+Banana", "Hyper+A", "F13", "AB", "+"})
    EXPECT_EQ(TextToShortCut(QString::fromLatin1(bad)), scNone) << bad;
  EXPECT_EQ(ShortCutToText(scNone), "");
  EXPECT_EQ(ShortCutToText(scCtrl | 0xFF), "") << "a key without a name has no text";
}

TEST(ShortCutTest, KeyPressesFormTheShortcutsTheActionsStore) {
  struct Case {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    TShortCut expected;
  };
  const Case cases[] = {
      {Qt::Key_3, Qt::ControlModifier, ShortCut('3', {ssCtrl})},
      {Qt::Key_Home, Qt::AltModifier, ShortCut(VK_HOME, {ssAlt})},
      {Qt::Key_Escape, Qt::NoModifier, ShortCut(VK_ESCAPE, {})},
      {Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier, ShortCut('A', {ssShift, ssCtrl})},
      {Qt::Key_1, Qt::ControlModifier | Qt::KeypadModifier, ShortCut(VK_NUMPAD0 + 1, {ssCtrl})},
      {Qt::Key_Enter, Qt::KeypadModifier, ShortCut(VK_RETURN, {})},
      {Qt::Key_Backtab, Qt::ShiftModifier, ShortCut(VK_TAB, {ssShift})},
      {Qt::Key_F5, Qt::NoModifier, ShortCut(VK_F1 + 4, {})},
      {Qt::Key_Control, Qt::ControlModifier, scNone},
      {Qt::Key_Alt, Qt::AltModifier, scNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(testing::ShortCutOfQtKey(c.qtKey, c.modifiers), c.expected) << c.qtKey;
    if (c.expected != scNone) {
      EXPECT_FALSE(testing::KeySequenceOf(c.expected).isEmpty()) << c.qtKey;
    }
  }
  EXPECT_EQ(testing::KeySequenceOf(ShortCut('3', {ssCtrl})), QKeySequence(Qt::CTRL | Qt::Key_3));
  EXPECT_EQ(testing::KeySequenceOf(ShortCut(VK_HOME, {ssAlt})),
            QKeySequence(Qt::ALT | Qt::Key_Home));
}

TEST(ShortCutTest, ControlsReceiveTheSameKeyCodesAsShortcutsIncludingModifierKeys) {
  struct Case {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    std::uint16_t expected;
  };
  const Case cases[] = {
      {Qt::Key_A, Qt::NoModifier, 'A'},
      {Qt::Key_7, Qt::KeypadModifier, VK_NUMPAD0 + 7},
      {Qt::Key_7, Qt::NoModifier, '7'},
      {Qt::Key_Shift, Qt::ShiftModifier, VK_SHIFT},
      {Qt::Key_Control, Qt::ControlModifier, VK_CONTROL},
      {Qt::Key_Alt, Qt::AltModifier, VK_MENU},
      {Qt::Key_F24, Qt::NoModifier, VK_F1 + 23},
      {Qt::Key_Space, Qt::NoModifier, VK_SPACE},
      {Qt::Key_Launch0, Qt::NoModifier, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(testing::VirtualKeyOfQtKey(c.qtKey, c.modifiers), c.expected) << c.qtKey;
  // Keys beyond F12 reach controls but form no shortcut.
  EXPECT_EQ(testing::ShortCutOfQtKey(Qt::Key_F13, Qt::NoModifier), scNone);
}

}  // namespace
}  // namespace mirto
