#include <gtest/gtest.h>

#include <QMouseEvent>
#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "components/KvoTitleLabel.h"
#include "launcher/WindowLooks.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/toolkit/CustomPanel.h"
#include "tests/platform/toolkit/ControlTestSupport.h"
#include "tests/support/PixelBoard.h"
#include "tests/support/ScaledBoard.h"

namespace mirto {
namespace {

// The launcher's caption over its title bar's lower colour.
TKvoTitleLook CaptionLook() {
  TKvoTitleLook look;
  ApplyTitleCaptionLook(look);
  return look;
}
constexpr TColor kBack = kTitleBarBottom;
const TColor kStart = CaptionLook().GradientStart;
const TColor kEnd = CaptionLook().GradientEnd;
const TColor kShadow = CaptionLook().ShadowColor;
const QString kTitle = QStringLiteral("Mirto 2.21 [64-bit]");

void SetTitleFont(TFont& font) {
  font.SetName("Segoe UI");
  font.SetHeight(-17);
  font.SetStyle({fsBold});
}

// The green channel of the brightest or darkest pixel of a row.
int RowExtreme(TBitmap& bitmap, int y, bool brightest) {
  int best = brightest ? -1 : 256;
  for (int x = 0; x < bitmap.Width(); ++x) {
    const int g = GetGValue(bitmap.Canvas().Pixels(x, y));
    best = brightest ? std::max(best, g) : std::min(best, g);
  }
  return best;
}

// The title over a flat background; the letters and the shadow can be
// switched off one by one.
class TitlePicture {
 public:
  TitlePicture(bool letters, bool shadow) {
    look.Text = letters ? kTitle : QString();
    look.ShadowText = shadow ? kTitle : QString();
    SetTitleFont(font);
    look.Font = &font;
    look.GradientStart = kStart;
    look.GradientEnd = kEnd;
    look.ShadowColor = kShadow;
    look.ShadowOpacityStart = 100;
    look.ShadowOpacityEnd = 200;
    DrawTitle(board.Canvas(), {kX, kY}, look);
  }
  int Extreme(int y, bool brightest) { return RowExtreme(board.Bitmap(), y, brightest); }

  static constexpr int kX = 10, kY = 5;
  TFont font;
  TKvoTitleLook look;
  testing_support::PixelBoard board{260, 40, kBack};
};

TEST(TitleText, LettersRunFromTheStartColourAtTheTopToTheEndColourAtTheBottom) {
  TitlePicture letters(true, false);
  const TRect ink = letters.board.Ink();
  ASSERT_GT(ink.Height(), 8);
  const int top = letters.Extreme(ink.Top + 1, true);
  const int bottom = letters.Extreme(ink.Bottom - 2, true);
  EXPECT_LT(std::abs(top - GetGValue(kStart)), std::abs(top - GetGValue(kEnd))) << top;
  EXPECT_LT(std::abs(bottom - GetGValue(kEnd)), std::abs(bottom - GetGValue(kStart))) << bottom;
  EXPECT_LE(letters.Extreme(ink.Top + 1, true), GetGValue(kStart));
}

TEST(TitleText, UnsmoothedLettersAreNeverBlendedWithTheBackground) {
  TitlePicture letters(true, false);
  letters.font.SetQuality(fqNonAntialiased);
  letters.look.ClearType = false;
  letters.board.Clear();
  DrawTitle(letters.board.Canvas(), {TitlePicture::kX, TitlePicture::kY}, letters.look);
  int previousRow = 255, inked = 0;
  for (int y = 0; y < letters.board.Height(); ++y) {
    for (int x = 0; x < letters.board.Width(); ++x) {
      const TColor c = letters.board.At(x, y);
      if (c == kBack) continue;
      ++inked;
      ASSERT_GE(GetGValue(c), GetGValue(kEnd)) << x << "," << y;
      ASSERT_LE(GetGValue(c), previousRow) << "rows grow darker downward";
      previousRow = std::min(previousRow, static_cast<int>(GetGValue(c)));
    }
  }
  EXPECT_GT(inked, 50);
}

TEST(TitleText, ShadowSitsOneRightAndBelowAtOpacitiesRunningFromStartToEnd) {
  TitlePicture letters(true, false);
  TitlePicture shadow(false, true);
  TRect moved = letters.board.Ink();
  OffsetRect(moved, kTitleShadowOffset, kTitleShadowOffset);
  EXPECT_EQ(shadow.board.Ink(), moved);

  // The darkest pixel of a row is fully covered: background moved toward
  // the shadow colour by the row's opacity, 100 at the cell's top row
  // growing to 200 at its bottom.
  const TSize size = MeasureTitle(shadow.look);
  const int lastRow = size.cy - 1 - kTitleShadowOffset;
  const int back = GetGValue(kBack), dark = GetGValue(kShadow);
  std::optional<int> previous;
  for (int y = moved.Top + 1; y < moved.Bottom - 1; y += 3) {
    const int row = y - TitlePicture::kY - kTitleShadowOffset;
    const int opacity = 100 + (100 * row + lastRow / 2) / lastRow;
    const int seen = shadow.Extreme(y, false);
    EXPECT_NEAR(seen, back + (dark - back) * opacity / 255, 1) << "row " << row;
    if (previous) {
      EXPECT_LT(seen, *previous);
    }
    previous = seen;
  }

  // Together: the letters on top, the shadow showing right of and below them.
  TitlePicture both(true, true);
  EXPECT_EQ(both.board.Ink().Right, moved.Right);
  EXPECT_EQ(both.board.Ink().Bottom, moved.Bottom);
  EXPECT_LT(both.Extreme(moved.Bottom - 1, false), back - 20);
  EXPECT_GE(both.Extreme(moved.Top + 2, true), GetGValue(kEnd));
}

// On a screen of 200 % or 300 % the letters and the shadow are rasterised
// with every pixel of the screen, yet sit where the 1x picture has them.
TEST(TitleText, AtFactorsTwoAndThreeIsFinerThanThe1xPictureEnlargedAndSitsWhereItDoes) {
  using testing_support::ScaledBoard;
  struct Case {
    const char* name;
    bool letters, shadow;
  };
  const Case cases[] = {{"letters", true, false}, {"shadow", false, true}, {"both", true, true}};
  for (int factor : {2, 3}) {
    std::optional<TRect> letterInk;
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + " at factor " + std::to_string(factor));
      TitlePicture once(c.letters, c.shadow);
      ScaledBoard scaled(once.board.Width(), once.board.Height(), factor, kBack);
      DrawTitle(scaled.Canvas(), {TitlePicture::kX, TitlePicture::kY}, once.look);
      TBitmap enlarged;
      testing_support::Enlarge(once.board.Bitmap(), factor, enlarged);
      EXPECT_GT(testing_support::DistinctInkColumns(scaled.Pixels(), kBack),
                testing_support::DistinctInkColumns(enlarged, kBack));
      // Glyphs rasterised at another size may gain or lose an edge pixel:
      // each side within one logical pixel of the enlarged 1x ink.
      const TRect ink = testing_support::InkBounds(scaled.Pixels(), kBack);
      const TRect want = testing_support::InkBounds(enlarged, kBack);
      for (auto [seen, expected] :
           {std::pair(ink.Left, want.Left), std::pair(ink.Top, want.Top),
            std::pair(ink.Right, want.Right), std::pair(ink.Bottom, want.Bottom)})
        EXPECT_NEAR(seen, expected, factor)
            << "ink " << ink.Left << "," << ink.Top << "," << ink.Right << "," << ink.Bottom;
      // The shadow is the letters' mask one logical pixel right and below.
      if (c.letters && !c.shadow) letterInk = ink;
      if (c.shadow && !c.letters && letterInk) {
        TRect moved = *letterInk;
        OffsetRect(moved, kTitleShadowOffset * factor, kTitleShadowOffset * factor);
        EXPECT_EQ(ink, moved);
      }
    }
  }
}

// At factor 2 the text cell has twice as many rows: the letters' colour and
// the shadow's opacity run from start to end over all of them.
TEST(TitleText, AtFactorTwoTheGradientAndTheShadowRunOverEveryDeviceRow) {
  constexpr int kFactor = 2;
  for (const bool letters : {true, false}) {
    SCOPED_TRACE(letters ? "letters" : "shadow");
    TitlePicture once(letters, !letters);
    testing_support::ScaledBoard scaled(once.board.Width(), once.board.Height(), kFactor, kBack);
    DrawTitle(scaled.Canvas(), {TitlePicture::kX, TitlePicture::kY}, once.look);
    TBitmap& pixels = scaled.Pixels();
    const TRect ink = testing_support::InkBounds(pixels, kBack);
    ASSERT_GT(ink.Height(), 16);
    const int cellTop = (TitlePicture::kY + (letters ? 0 : kTitleShadowOffset)) * kFactor;
    const int lastRow = (MeasureTitle(once.look).cy - kTitleShadowOffset) * kFactor - 1;
    const int back = GetGValue(kBack);
    for (int y = ink.Top + 2; y < ink.Bottom - 2; y += 3) {
      const int row = y - cellTop;
      // The fully covered pixels of a row: the letters' colour, or the
      // background moved toward the shadow by the row's opacity.
      const int expected =
          letters ? GetGValue(kStart) + (GetGValue(kEnd) - GetGValue(kStart)) * row / lastRow
                  : back + (GetGValue(kShadow) - back) * (100 + 100 * row / lastRow) / 255;
      EXPECT_NEAR(RowExtreme(pixels, y, letters), expected, 2) << "row " << row;
    }
  }
}

TEST(TitleText, EmptyTextsPaintNothing) {
  TitlePicture nothing(false, false);
  EXPECT_TRUE(nothing.board.Ink().IsEmpty());
}

TEST(TitleLabel, SizesItselfToItsTextPaintsOverItsParentAndReportsMouseMoves) {
  TCustomPanel panel;
  panel.SetBounds(0, 0, 300, 41);
  panel.SetColor(kBack);
  auto* label = new TKvoTitleLabel(&panel);
  label->SetParent(&panel);
  SetTitleFont(label->Font());
  label->SetText(kTitle);
  label->SetShadowText(kTitle);
  label->SetGradientStart(kStart);
  label->SetGradientEnd(kEnd);
  label->SetShadowColor(kShadow);
  label->SetShadowOpacityStart(100);
  label->SetShadowOpacityEnd(200);
  label->SetTop(11);

  TCanvas measure;
  measure.Font().Assign(&label->Font());
  EXPECT_EQ(label->Width(), measure.TextWidth(kTitle) + kTitleShadowOffset);
  EXPECT_EQ(label->Height(), measure.TextHeight(kTitle) + kTitleShadowOffset);
  label->SetLeft(panel.Width() / 2 - label->Width() / 2);

  // Transparent: the panel's colour shows at the label's corners; the
  // letters show inside.
  const QImage shown = testing_support::Grab(panel);
  EXPECT_EQ(testing_support::PixelAt(shown, label->Left(), label->Top()), kBack);
  EXPECT_EQ(testing_support::PixelAt(shown, label->Left() + label->Width() - 1,
                                     label->Top() + label->Height() - 1),
            kBack);
  bool letters = false;
  for (int y = label->Top(); y < label->Top() + label->Height(); ++y)
    for (int x = label->Left(); x < label->Left() + label->Width(); ++x)
      letters |= GetGValue(testing_support::PixelAt(shown, x, y)) >= GetGValue(kEnd);
  EXPECT_TRUE(letters);

  int moves = 0;
  label->OnMouseMove = [&](TObject* sender, TShiftState, int, int) {
    if (sender == label) ++moves;
  };
  testing_support::SendMouse(*label, QEvent::MouseMove, {3, 3}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(moves, 1);

  label->SetText("");
  label->SetShadowText("");
  EXPECT_EQ(label->Width(), kTitleShadowOffset);
  const QImage empty = testing_support::Grab(panel);
  for (int x = 5; x < panel.Width() - 5; ++x)  // inside the panel's bevel
    ASSERT_EQ(testing_support::PixelAt(empty, x, 20), kBack) << x;
}

}  // namespace
}  // namespace mirto
