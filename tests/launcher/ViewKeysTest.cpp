#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <vector>

#include "catalog/MirtoApps.h"
#include "launcher/ViewKeys.h"
#include "platform/toolkit/ShortCut.h"

namespace mirto {
namespace {

// Two buttons side by side: a category button and a program button.
std::vector<TViewButton> Row(int focused) {
  return {{Bounds(0, 0, 100, 30), focused == 0, false},
          {Bounds(110, 0, 100, 30), focused == 1, true}};
}

struct Expected {
  TViewKeyAction action;
  bool taken;
  int button = -1;
};

void ExpectAnswer(const TViewKeyAnswer& answer, const Expected& expected, const char* what) {
  EXPECT_EQ(answer.Action, expected.action) << what;
  EXPECT_EQ(answer.Taken, expected.taken) << what;
  EXPECT_EQ(answer.Button, expected.button) << what;
}

TEST(ViewKeys, ArrowsMoveTheFocusAndThePopupKeysOpenTheFocusedProgramsPopup) {
  TViewKeys keys;
  struct Case {
    const char* what;
    std::uint16_t key;
    TShiftState shift;
    int focused;
    Expected expected;
  };
  const Case cases[] = {
      {"right from nowhere: the first button", VK_RIGHT, {}, -1, {vkaFocus, true, 0}},
      {"right steps on", VK_RIGHT, {}, 0, {vkaFocus, true, 1}},
      {"left at the start stays, and takes the key", VK_LEFT, {}, 0, {vkaFocus, true, 0}},
      {"shift+arrow does nothing", VK_RIGHT, {ssShift}, 0, {vkaNone, false}},
      {"ctrl+arrow does nothing", VK_DOWN, {ssCtrl}, 0, {vkaNone, false}},
      {"menu key on a program button", VK_APPS, {}, 1, {vkaOpenPopup, true, 1}},
      {"shift+F10 on a program button", VK_F10, {ssShift}, 1, {vkaOpenPopup, true, 1}},
      {"F10 alone opens nothing", VK_F10, {}, 1, {vkaNone, false}},
      {"alt+menu key opens nothing", VK_APPS, {ssAlt}, 1, {vkaNone, false}},
      {"menu key on a category button", VK_APPS, {}, 0, {vkaNone, false}},
      {"menu key with nothing focused", VK_APPS, {}, -1, {vkaNone, false}},
      {"Backspace without a find", VK_BACK, {}, 0, {vkaNone, false}},
      {"Enter without a find", VK_RETURN, {}, 0, {vkaNone, false}},
  };
  for (const Case& c : cases) {
    const std::vector<TViewButton> buttons = Row(c.focused);
    ExpectAnswer(keys.KeyDown(c.key, c.shift, buttons), c.expected, c.what);
  }
  ExpectAnswer(keys.KeyDown(VK_RIGHT, {}, {}), {vkaNone, false}, "no buttons");
}

TEST(ViewKeys, ALetterOrDigitStartsAFindThatTakesEveryCharacterAndEndsWhenEmptied) {
  QTemporaryDir folder;
  InitCatalog(folder.filePath(QStringLiteral("mirto")));
  TViewKeys keys;
  for (const QChar c : {QChar(u' '), QChar(u'-'), QChar(u'&')}) EXPECT_FALSE(keys.CharTyped(c));
  EXPECT_FALSE(keys.Finding());
  for (const QChar c : QStringLiteral("mkv mp44")) EXPECT_TRUE(keys.CharTyped(c));
  EXPECT_EQ(keys.FindText(), "mkv mp44");
  ExpectAnswer(keys.KeyDown(VK_BACK, {ssShift}, Row(0)), {vkaFindChanged, true}, "backspace");
  EXPECT_EQ(keys.FindText(), "mkv mp4");
  ExpectAnswer(keys.KeyDown(VK_BACK, {ssCtrl}, Row(0)), {vkaNone, false}, "ctrl+backspace");
  ExpectAnswer(keys.KeyDown(VK_SPACE, {}, Row(0)), {vkaNone, false}, "a typed key is KeyPress's");
  const TViewKeyAnswer run = keys.KeyDown(VK_RETURN, {}, Row(0));
  ExpectAnswer(run, {vkaRunProgram, true}, "enter");
  EXPECT_EQ(run.ProgramID, 36);
  EXPECT_EQ(keys.FindText(), "mkv mp4") << "Enter keeps the find";

  keys.ViewShown(30);
  EXPECT_FALSE(keys.Finding()) << "another view ends the find";
  for (const QChar c : QStringLiteral("qq")) keys.CharTyped(c);
  ExpectAnswer(keys.KeyDown(VK_RETURN, {}, Row(0)), {vkaNone, true}, "enter, no match");
  ExpectAnswer(keys.KeyDown(VK_BACK, {}, Row(0)), {vkaFindChanged, true}, "back to q");
  ExpectAnswer(keys.KeyDown(VK_BACK, {}, Row(0)), {vkaEndFind, true}, "emptied");
  EXPECT_EQ(keys.EndFind(), 30) << "back to the view before the find";
  EXPECT_FALSE(keys.Finding());
  FinalizeCatalog();
}

}  // namespace
}  // namespace mirto
