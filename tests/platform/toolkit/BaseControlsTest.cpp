#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "platform/toolkit/CustomPanel.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/Memo.h"
#include "tests/platform/toolkit/ControlTestSupport.h"
#include "tests/support/Placing.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ToolkitSeam.h"

namespace mirto {
namespace {

using namespace testing_support;

TEST(Label, AutoSizeFollowsTheTextAndARightAlignedLabelKeepsItsRightEdge) {
  TForm form;
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->Font().SetHeight(-13);
  label->SetBounds(100, 10, 65, 17);
  label->SetCaption("Version 2.21");
  const int wide = label->Width();
  label->SetCaption("2.21");
  EXPECT_LT(label->Width(), wide);
  EXPECT_EQ(label->Left(), 100);

  label->SetAlignment(taRightJustify);
  const int right = label->Left() + label->Width();
  label->SetCaption("Version 2.21");
  EXPECT_EQ(label->Left() + label->Width(), right);

  // An empty caption keeps one line's height.
  const int height = label->Height();
  label->SetCaption("");
  EXPECT_EQ(label->Height(), height);
  EXPECT_GT(label->Width(), 0);

  label->SetAutoSize(false);
  label->SetCaption("Collection of portable audio && video converters");
  EXPECT_EQ(label->Height(), height);
}

TEST(Label, AmpersandsFollowTheAcceleratorRule) {
  TForm form;
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetCaption("audio && video");
  const int shownOnce = label->Width();
  label->SetCaption("audio & video");  // "&" marks the space: one character less
  EXPECT_LT(label->Width(), shownOnce);
  label->SetShowAccelChar(false);
  label->SetCaption("audio && video");  // both shown now
  EXPECT_GT(label->Width(), shownOnce);
}

// The demo stand-in placed its labels after their captions with a size of
// 0 x 0: they stayed 0 x 0 and its window showed no text.
TEST(Label, AutoSizedLabelGivenBoundsAfterItsCaptionKeepsTheSizeOfItsText) {
  for (const TAlignment alignment : {taLeftJustify, taRightJustify}) {
    SCOPED_TRACE(static_cast<int>(alignment));
    TForm form;
    const auto newLabel = [&] {
      auto* label = new TLabel(&form);
      label->SetParent(&form);
      label->SetAlignment(alignment);
      return label;
    };
    TLabel* placedFirst = newLabel();
    placedFirst->SetBounds(100, 14, 0, 0);
    placedFirst->SetCaption("Folder: /srv/demo/apps64/AudioExtractor");
    TLabel* placedAfter = newLabel();
    placedAfter->SetCaption(placedFirst->Caption());
    placedAfter->SetBounds(100, 14, 0, 0);
    EXPECT_GT(placedAfter->Width(), 100);
    EXPECT_EQ(placedAfter->BoundsRect(), placedFirst->BoundsRect());
    EXPECT_EQ(alignment == taRightJustify ? placedAfter->BoundsRect().Right : placedAfter->Left(),
              100);
  }
}

TEST(Label, LoadingHoldsTheAutoSizeBackUntilTheEnd) {
  TForm form;
  form.BeginLoading();
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetCaption("A rather long caption");
  EXPECT_EQ(label->Width(), 65);
  form.EndLoading();
  EXPECT_GT(label->Width(), 65);
}

TEST(Label, TransparentLabelShowsItsParentAndDisabledTextIsEngraved) {
  TForm form;
  testing::Frameless(form, 120, 60, clYellow);
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 40, 20);
  label->SetParentColor(false);
  label->SetColor(clAqua);
  label->SetCaption("");
  form.Show();
  EXPECT_EQ(PixelAt(Grab(form), 20, 20), clAqua);
  label->SetTransparent(true);
  EXPECT_EQ(PixelAt(Grab(form), 20, 20), clYellow);

  label->SetCaption("W");
  label->Font().SetHeight(-16);
  label->Font().SetColor(clBlack);
  label->SetEnabled(false);
  const QImage image = Grab(form);
  bool highlight = false;
  bool shadow = false;
  for (int y = 10; y < 30; ++y)
    for (int x = 10; x < 50; ++x) {
      highlight |= PixelAt(image, x, y) == ColorToRGB(clBtnHighlight);
      shadow |= PixelAt(image, x, y) == ColorToRGB(clBtnShadow);
    }
  EXPECT_TRUE(highlight);
  EXPECT_TRUE(shadow);
}

TEST(Panel, BevelsAndBorderNarrowTheAlignmentAreaAndArePainted) {
  TForm form;
  testing::Frameless(form, 100, 60);
  auto* panel = testing::Place<TCustomPanel>(&form, &form, 0, 0, 100, 60);
  panel->SetParentBackground(false);
  panel->SetColor(clYellow);
  panel->SetBevelOuter(bvRaised);
  panel->SetBevelInner(bvLowered);
  panel->SetBevelWidth(2);
  panel->SetBorderWidth(3);
  auto* child = new TCustomPanel(&form);
  child->SetParent(panel);
  child->SetVisible(false);
  child->SetAlign(alClient);
  EXPECT_EQ(child->BoundsRect(), Rect(0, 0, 185, 41)) << "hidden controls are not aligned";
  child->SetVisible(true);
  EXPECT_EQ(child->BoundsRect(), Rect(7, 7, 93, 53));

  child->Hide();
  form.Show();
  const QImage image = Grab(form);
  EXPECT_EQ(PixelAt(image, 0, 0), ColorToRGB(clBtnHighlight));  // outer bevel, raised
  EXPECT_EQ(PixelAt(image, 99, 59), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelAt(image, 3, 30), clYellow);                 // border in the panel colour
  EXPECT_EQ(PixelAt(image, 5, 30), ColorToRGB(clBtnShadow));  // inner bevel, lowered
  EXPECT_EQ(PixelAt(image, 50, 30), clYellow);
}

TEST(Panel, ParentBackgroundLeavesTheFaceToTheParent) {
  TForm form;
  testing::Frameless(form, 100, 60, clAqua);
  auto* panel = testing::Place<TCustomPanel>(&form, &form, 10, 10, 50, 30);
  panel->SetBevelOuter(bvNone);
  panel->SetColor(clYellow);
  form.Show();
  EXPECT_TRUE(panel->ParentBackground());
  EXPECT_EQ(PixelAt(Grab(form), 30, 20), clAqua);
  panel->SetParentBackground(false);
  EXPECT_EQ(PixelAt(Grab(form), 30, 20), clYellow);
}

TEST(Memo, TextLinesAndLineBreaks) {
  TForm form;
  auto* memo = new TMemo(&form);
  memo->SetParent(&form);
  EXPECT_EQ(memo->Text(), "");
  EXPECT_EQ(memo->LineCount(), 0);
  memo->SetText("first\r\nsecond\nthird");
  EXPECT_EQ(memo->Lines(), (QStringList{"first", "second", "third"}));
  EXPECT_EQ(memo->Text(), "first\r\nsecond\r\nthird");
  memo->Append("fourth");
  EXPECT_EQ(memo->LineCount(), 4);
  int changes = 0;
  memo->OnChange = [&](TObject*) { ++changes; };
  memo->Clear();
  EXPECT_EQ(memo->LineCount(), 0);
  EXPECT_EQ(changes, 1);
  memo->SetScrollBars(ssVertical);
  memo->SetBorderStyle(bsNone);
  memo->SetAlign(alClient);
  form.SetBounds(0, 0, 200, 100);
  EXPECT_EQ(memo->BoundsRect(), Rect(0, 0, 200, 100));
}

// The text box is made when the memo first shows: what was set before must
// be in it then, and showing is no change of the text.
TEST(Memo, SettingsMadeBeforeShowingReachTheTextBoxOnceShown) {
  TForm form;
  auto* memo = testing::Place<TMemo>(&form, &form, 5, 5, 120, 60);
  memo->SetText("one\r\ntwo");
  memo->SetReadOnly(true);
  memo->Font().SetHeight(-13);
  int changes = 0;
  memo->OnChange = [&](TObject*) { ++changes; };
  form.Show();
  auto* box = testing::NativeWidgetOf(*memo)->findChild<QPlainTextEdit*>();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisible());
  EXPECT_EQ(box->toPlainText(), "one\ntwo");
  EXPECT_TRUE(box->isReadOnly());
  EXPECT_EQ(box->font().pixelSize(), 13);
  EXPECT_EQ(box->geometry(), QRect(0, 0, 120, 60));
  EXPECT_EQ(changes, 0);
  memo->Append("three");
  EXPECT_EQ(box->toPlainText(), "one\ntwo\nthree");
  EXPECT_EQ(changes, 1);
}

// A window laid out while loading, like the about window: a panel filling the
// client area inside margins, a button anchored top-right, a panel anchored
// to all edges holding a text box aligned inside margins. Switching the
// outer margins off grows the panel by 12 each way and the anchored
// controls follow.
TEST(LoadedLayout, MarginsSwitchedOffMoveAndStretchTheAnchoredControls) {
  TForm form;
  form.SetBorderStyle(bsNone);
  form.BeginLoading();
  form.SetBounds(0, 0, 566, 389);
  auto* main = testing::Place<TCustomPanel>(&form, &form, 6, 6, 554, 377);
  main->Margins().SetBounds(6, 6, 6, 6);
  main->SetAlignWithMargins(true);
  main->SetAlign(alClient);
  auto* close = testing::Place<TCustomPanel>(&form, main, 525, 6, 24, 24);
  close->SetAnchors({akTop, akRight});
  auto* box = testing::Place<TCustomPanel>(&form, main, 32, 168, 494, 190);
  box->SetAnchors({akLeft, akTop, akRight, akBottom});
  box->SetBevelOuter(bvNone);
  auto* memo = new TMemo(&form);
  memo->SetParent(box);
  memo->Margins().SetBounds(2, 2, 2, 2);
  memo->SetAlignWithMargins(true);
  memo->SetAlign(alClient);
  EXPECT_EQ(memo->BoundsRect(), Bounds(0, 0, 185, 89)) << "nothing is aligned while loading";
  form.EndLoading();
  EXPECT_EQ(main->BoundsRect(), Bounds(6, 6, 554, 377));
  EXPECT_EQ(memo->BoundsRect(), Bounds(2, 2, 490, 186));

  main->SetAlignWithMargins(false);
  EXPECT_EQ(main->BoundsRect(), Bounds(0, 0, 566, 389));
  EXPECT_EQ(close->BoundsRect(), Bounds(537, 6, 24, 24));
  EXPECT_EQ(box->BoundsRect(), Bounds(32, 168, 506, 202));
  EXPECT_EQ(memo->BoundsRect(), Bounds(2, 2, 502, 198));
}

// Rows of the label that hold text pixels (black on white).
std::pair<int, int> InkRows(const QImage& image, const TRect& r) {
  int first = -1;
  int last = -1;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (PixelAt(image, x, y) == clBlack) {
        if (first < 0) first = y;
        last = y;
        break;
      }
  return {first, last};
}

TEST(Label, LayoutPlacesTheTextVerticallyAndWordWrapGrowsTheHeight) {
  TForm form;
  testing::Frameless(form, 200, 100, clWhite);
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->Font().SetColor(clBlack);
  label->Font().SetHeight(-12);
  label->SetCaption("Mirto");
  const int lineHeight = label->Height();
  label->SetAutoSize(false);
  label->SetBounds(0, 0, 100, 60);
  form.Show();

  const TRect area = Bounds(0, 0, 100, 60);
  const auto top = InkRows(Grab(form), area);
  label->SetLayout(tlCenter);
  const auto centre = InkRows(Grab(form), area);
  label->SetLayout(tlBottom);
  const auto bottom = InkRows(Grab(form), area);
  ASSERT_GE(top.first, 0);
  EXPECT_EQ(centre.first - top.first, (60 - lineHeight) / 2);
  EXPECT_EQ(bottom.first - top.first, 60 - lineHeight);

  label->SetLayout(tlTop);
  label->SetAutoSize(true);
  label->SetWordWrap(true);
  label->SetWidth(60);
  label->SetCaption("Collection of portable audio converters");
  EXPECT_LE(label->Width(), 60) << "lines break at the label's width";
  EXPECT_GE(label->Height(), 3 * lineHeight);
}

}  // namespace
}  // namespace mirto
