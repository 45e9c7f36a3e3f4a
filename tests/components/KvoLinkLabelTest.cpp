#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "components/KvoLinkLabel.h"
#include "platform/system/Shell.h"
#include "platform/toolkit/Action.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

class TestLabel : public TKvoLinkLabel {
 public:
  using TKvoLinkLabel::Click;
  using TKvoLinkLabel::MouseEnter;
  using TKvoLinkLabel::MouseLeave;
};

// Which state font the label draws with: N normal, H hot, D disabled,
// n visited normal, h visited hot.
char DrawnFont(TestLabel& label) {
  const TFont& f = label.Font();
  const std::pair<const TFont*, char> fonts[] = {{&label.FontNormal(), 'N'},
                                                 {&label.FontHot(), 'H'},
                                                 {&label.FontDisabled(), 'D'},
                                                 {&label.FontVisitedNormal(), 'n'},
                                                 {&label.FontVisitedHot(), 'h'}};
  for (const auto& [font, id] : fonts)
    if (font->Color() == f.Color() && font->Style() == f.Style() && font->Name() == f.Name() &&
        font->Height() == f.Height())
      return id;
  return '?';
}

enum class Step {
  Enter,
  Leave,
  Click,
  Enable,
  Disable,
  VisitOn,
  VisitOff,
  NormalFont,
  VisitedFont
};

struct StateCase {
  const char* name;
  QString url;
  std::vector<Step> steps;
  std::string fonts;    // after each step
  std::string cursors;  // after each step: '+' hot, '-' disabled
  bool visited;
  int shellCalls;
};

TEST(KvoLinkLabel, StateTable) {
  using enum Step;
  const QString url = QStringLiteral("https://www.example.com/converters");
  const StateCase cases[] = {
      {"hover, click, leave", url, {Enter, Click, Leave}, "Hhn", "+++", true, 1},
      {"click without URL does nothing more",
       QString(),
       {Enter, Click, Leave},
       "HHN",
       "+++",
       false,
       0},
      {"disabled: click ignored, pointer shows disabled",
       url,
       {Disable, Enter, Click, Leave},
       "DDDD",
       "----",
       false,
       0},
      {"visited while over draws the resting font",
       url,
       {Enter, VisitOn, Leave, Enter},
       "Hnnh",
       "++++",
       true,
       0},
      {"enable after a visit", url, {VisitOn, Disable, Enable, VisitOff}, "nDnN", "+-++", false, 0},
      {"font changes follow only when enabled",
       url,
       {NormalFont, VisitedFont, Disable, NormalFont, VisitOn, VisitedFont},
       "NNDDDD",
       "++----",
       true,
       0},
  };
  for (const StateCase& c : cases) {
    SCOPED_TRACE(c.name);
    TShellExecuteRecorder shell;
    TestLabel label;
    label.SetCursorDisabled(crNo);
    label.SetURL(c.url);
    int clicks = 0;
    label.OnClick = [&](TObject*) { ++clicks; };
    EXPECT_EQ(DrawnFont(label), 'N');
    EXPECT_EQ(label.Cursor(), crHandPoint);
    std::string fonts;
    std::string cursors;
    for (Step step : c.steps) {
      switch (step) {
        case Enter:
          label.MouseEnter();
          break;
        case Leave:
          label.MouseLeave();
          break;
        case Click:
          label.Click();
          break;
        case Enable:
          label.SetEnabled(true);
          break;
        case Disable:
          label.SetEnabled(false);
          break;
        case VisitOn:
          label.SetVisited(true);
          break;
        case VisitOff:
          label.SetVisited(false);
          break;
        case NormalFont:
          label.FontNormal().SetSize(12);
          break;
        case VisitedFont:
          label.FontVisitedNormal().SetSize(14);
          break;
      }
      fonts += DrawnFont(label);
      cursors += label.Cursor() == crHandPoint ? '+' : label.Cursor() == crNo ? '-' : '?';
    }
    EXPECT_EQ(fonts, c.fonts);
    EXPECT_EQ(cursors, c.cursors);
    EXPECT_EQ(label.Visited(), c.visited);
    ASSERT_EQ(static_cast<int>(shell.Requests().size()), c.shellCalls);
    if (c.shellCalls > 0) {
      const TShellExecuteRequest expected{0, QStringLiteral("open"), url, "", "", SW_SHOW};
      EXPECT_EQ(shell.Requests()[0], expected);
    }
    const bool clicked = std::find(c.steps.begin(), c.steps.end(), Click) != c.steps.end();
    EXPECT_EQ(clicks, clicked ? 1 : 0);
    // The toolkit control itself is never disabled.
    EXPECT_TRUE(static_cast<TControl&>(label).Enabled());
  }
}

TEST(KvoLinkLabel, NewLabelLooksLikeALink) {
  TestLabel label;
  EXPECT_EQ(label.Font().Color(), clBlue);
  EXPECT_TRUE(label.Font().Style().Empty());
  EXPECT_EQ(label.FontHot().Style(), (TFontStyles{fsUnderline}));
  EXPECT_EQ(label.FontDisabled().Color(), clBtnShadow);
  EXPECT_EQ(label.FontVisitedNormal().Color(), clPurple);
  EXPECT_EQ(label.FontVisitedHot().Color(), clPurple);
  EXPECT_EQ(label.FontVisitedHot().Style(), (TFontStyles{fsUnderline}));
  EXPECT_EQ(label.Font().Name(), QStringLiteral("Tahoma"));
  EXPECT_EQ(label.Font().Size(), 8);
  EXPECT_EQ(label.AccessibleRole(), arLink);
}

TEST(KvoLinkLabel, ShowAndHideStillReachTheControl) {
  TestLabel label;
  label.Hide();
  EXPECT_FALSE(label.Visible());
  label.Show();
  EXPECT_TRUE(label.Visible());
}

TEST(KvoLinkLabel, FontsNameAndSizeFollowAtOnceOnlyWhenEnabled) {
  for (bool enabled : {true, false}) {
    SCOPED_TRACE(enabled);
    TestLabel label;
    label.SetEnabled(enabled);
    label.SetFontsNameAndSize(QStringLiteral("Segoe UI"), 10);
    for (const TFont* f : {&label.FontNormal(), &label.FontHot(), &label.FontDisabled(),
                           &label.FontVisitedNormal(), &label.FontVisitedHot()}) {
      EXPECT_EQ(f->Name(), QStringLiteral("Segoe UI"));
      EXPECT_EQ(f->Size(), 10);
    }
    EXPECT_EQ(label.Font().Size(), enabled ? 10 : 8);
  }
}

TEST(KvoLinkLabel, NewCursorShowsAtTheNextEntry) {
  TestLabel label;
  label.MouseEnter();
  label.SetCursorHot(crHelp);
  EXPECT_EQ(label.Cursor(), crHandPoint);
  label.MouseLeave();
  EXPECT_EQ(label.Cursor(), crHelp);
}

TEST(KvoLinkLabel, ClickExecutesTheActionAndPointerEventsFireOnce) {
  TShellExecuteRecorder shell;
  TestLabel label;
  label.SetURL(QStringLiteral("https://www.example.org/"));
  label.SetClickActionType(catExecuteAction);
  int enters = 0;
  int leaves = 0;
  label.OnMouseEnter = [&](TObject*) { ++enters; };
  label.OnMouseLeave = [&](TObject*) { ++leaves; };
  label.Click();
  EXPECT_FALSE(label.Visited());  // no action yet

  int executed = 0;
  {
    TAction action;
    action.OnExecute = [&](TObject*) { ++executed; };
    label.SetAction(&action);
    label.MouseEnter();
    label.Click();
    EXPECT_EQ(executed, 1);
    EXPECT_TRUE(label.Visited());
    EXPECT_EQ(DrawnFont(label), 'h');
  }
  // The destroyed action is forgotten, not called.
  EXPECT_EQ(label.Action(), nullptr);
  label.Click();
  label.MouseLeave();
  EXPECT_EQ(executed, 1);
  EXPECT_TRUE(shell.Requests().empty());
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(leaves, 1);
}

TEST(KvoLinkLabel, ClickHandlerThatDestroysTheLabelEndsTheClick) {
  TShellExecuteRecorder shell;
  auto* label = new TestLabel();
  label->SetURL(QStringLiteral("https://www.example.net/"));
  label->OnClick = [label](TObject*) { delete label; };
  label->Click();
  EXPECT_TRUE(shell.Requests().empty());
}

}  // namespace
}  // namespace mirto
