#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "components/KvoMenuPainter.h"
#include "components/KvoMenuStyle.h"
#include "graphics/PngImageList.h"
#include "launcher/WindowLooks.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/ShortCut.h"
#include "tests/support/PixelBoard.h"

namespace mirto {
namespace {

constexpr TColor kRed = 0x000000FF;
constexpr TColor kGreen = 0x0000FF00;

void AddSolidImage(TPngImageList& list, TColor color) {
  TPngImage png;
  png.CreateBlank(COLOR_RGBALPHA, 16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      png.ScanLine(y)[x * 3] = GetBValue(color);
      png.ScanLine(y)[x * 3 + 1] = GetGValue(color);
      png.ScanLine(y)[x * 3 + 2] = GetRValue(color);
      png.AlphaScanline(y)[x] = 255;
    }
  list.AddPng(&png, clWindow);
}

TMenuItem* AddEntry(TPopupMenu& menu, const QString& caption, int image, bool enabled = true) {
  auto* item = new TMenuItem();
  item->SetCaption(caption);
  item->SetImageIndex(image);
  item->SetEnabled(enabled);
  menu.Items()->Add(item);
  return item;
}

int Spread(TColor c) {
  const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  return std::max({r, g, b}) - std::min({r, g, b});
}

bool Near(TColor a, TColor b, int tolerance = 1) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// A menu like the launcher's: a selected entry with an image and a
// shortcut, a separator, a disabled entry with an image, one without.
class MenuPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    images.SetPngOptions({pngBlendOnDisabled, pngGrayscaleOnDisabled});
    AddSolidImage(images, kRed);
    AddSolidImage(images, kGreen);
    menu.SetImages(&images);
    AddEntry(menu, "Audio Converter && Extractor", 0)->SetShortCut(ShortCut('1', {ssAlt}));
    AddEntry(menu, "-", -1);
    AddEntry(menu, "FLAC -> MP3 / WAV", 1, false);
    AddEntry(menu, "APE CUE Splitter", -1);
  }

  // Paints the menu in style with entry 0 selected; returns the item rows'
  // tops (menu coordinates) in tops.
  TSize Paint(const TKvoMenuStyle& style, std::vector<int>& tops) {
    const TKvoMenuPainter painter(style);
    board.Clear();
    tops.clear();
    int y = TKvoMenuPainter::kBorderWidth;
    for (int i = 0; i < menu.Items()->Count(); ++i) {
      tops.push_back(y);
      y += painter.MeasureItem(board.Canvas(), *menu.Items()->Items(i)).cy;
    }
    return painter.PaintPreview(board.Canvas(), {0, 0}, menu, 0);
  }

  TPngImageList images;
  TPopupMenu menu;
  testing_support::PixelBoard board{400, 200};
};

struct StyleCase {
  const char* name;
  TKvoMenuStyle style;
};

TEST_F(MenuPicture, BackgroundIconBarSelectionSeparatorAndBorderInEachStyle) {
  for (const StyleCase& c :
       {StyleCase{"dark", DarkMenuStyle()}, StyleCase{"light", LightMenuStyle()}}) {
    SCOPED_TRACE(c.name);
    const TKvoMenuStyle& s = c.style;
    std::vector<int> tops;
    const TSize size = Paint(s, tops);
    const int right = size.cx - 1, bottom = size.cy - 1;
    const int bar = s.IconBarWidth;  // the bar covers columns 1 .. bar
    const int sepTop = tops[1], disabledTop = tops[2], plainTop = tops[3];

    // The border all round, nothing drawn beyond it.
    for (TPoint p : {TPoint{0, 0}, TPoint{right, 0}, TPoint{0, bottom}, TPoint{right, bottom},
                     TPoint{right / 2, bottom}})
      EXPECT_EQ(board.At(p.X, p.Y), s.BorderColor) << p.X << "," << p.Y;
    EXPECT_EQ(board.At(size.cx, 5), clWhite);
    EXPECT_EQ(board.At(5, size.cy), clWhite);

    // Icon bar: its gradient starts in the first inner column, its last
    // column carries the line (dark) or the gradient's end (light); right of
    // it the menu's background.
    EXPECT_EQ(board.At(1, plainTop + 1), s.IconBarFrom);
    EXPECT_TRUE(
        Near(board.At(bar, plainTop + 1), s.IconBarLine != clNone ? s.IconBarLine : s.IconBarTo))
        << std::hex << board.At(bar, plainTop + 1);
    EXPECT_TRUE(Near(board.At(bar + 1, plainTop + 1), s.BackgroundFrom))
        << std::hex << board.At(bar + 1, plainTop + 1);
    EXPECT_TRUE(Near(board.At(right - 1, plainTop + 1), s.BackgroundTo));

    // Selected entry: framed, its gradient running from left to right, the
    // image on top.
    const int selectedMiddle = (tops[0] + tops[1]) / 2;
    EXPECT_EQ(board.At(1, tops[0]), s.SelectedBorder);
    EXPECT_EQ(board.At(right - 1, selectedMiddle), s.SelectedBorder);
    EXPECT_EQ(board.At(1, selectedMiddle), s.SelectedBorder);
    EXPECT_TRUE(Near(board.At(2, selectedMiddle), s.SelectedFrom))
        << std::hex << board.At(2, selectedMiddle);
    EXPECT_TRUE(Near(board.At(right - 2, selectedMiddle), s.SelectedTo));
    // The image centred in the icon bar, across and up and down.
    int first = -1, last = -1, top = -1, low = -1;
    for (int x = 0; x < right; ++x)
      if (board.At(x, selectedMiddle) == kRed) {
        if (first < 0) first = x;
        last = x;
      }
    for (int y = tops[0]; y < tops[1]; ++y)
      if (board.At(1 + bar / 2, y) == kRed) {
        if (top < 0) top = y;
        low = y;
      }
    EXPECT_EQ(last - first + 1, 16);
    EXPECT_EQ(first - 1, bar - last);
    EXPECT_EQ(low - top + 1, 16);
    EXPECT_LE(std::abs((top - tops[0]) - (tops[1] - 1 - low)), 1);

    // Separator: one line in its colour, starting right of the icon bar.
    const int lineStart = 1 + bar + TKvoMenuPainter::kSeparatorIndent;
    int lineRow = -1;
    for (int y = sepTop; y < disabledTop; ++y)
      if (board.At(lineStart + 5, y) == s.SeparatorColor) lineRow = y;
    ASSERT_NE(lineRow, -1);
    EXPECT_EQ(board.At(lineStart, lineRow), s.SeparatorColor);
    EXPECT_EQ(board.At(right - 1, lineRow), s.SeparatorColor);
    EXPECT_NE(board.At(lineStart - 1, lineRow), s.SeparatorColor);
    EXPECT_NE(board.At(lineStart + 5, lineRow - 1), s.SeparatorColor);
    EXPECT_NE(board.At(lineStart + 5, lineRow + 1), s.SeparatorColor);

    // Captions smoothed (dark) or not at all (light): without smoothing the
    // plain entry's caption is in the font colour and the background only.
    int blends = 0;
    for (int y = plainTop + 1; y < bottom - 1; ++y)
      for (int x = bar + 1 + TKvoMenuPainter::kCaptionIndent; x < right - 1; ++x) {
        const TColor pixel = board.At(x, y);
        blends += !Near(pixel, s.ItemFont.Color, 0) && !Near(pixel, s.BackgroundFrom, 1);
      }
    if (s.TextQuality == fqNonAntialiased) {
      EXPECT_EQ(blends, 0);
    } else {
      EXPECT_GT(blends, 0);
    }

    // The disabled entry's image is greyed and faded into the bar.
    const TColor greyed = board.At(1 + bar / 2, (disabledTop + plainTop) / 2);
    EXPECT_NE(greyed, kGreen);
    EXPECT_LT(Spread(greyed), 16) << std::hex << greyed;
  }
}

// The caption's ink ends where one "&" ends, well before where "&&" would.
TEST_F(MenuPicture, DoubleAmpersandShowsOneAmpersand) {
  const TKvoMenuStyle style = DarkMenuStyle();
  const TKvoMenuPainter painter(style);
  TMenuItem* entry = menu.Items()->Items(0);
  entry->SetShortCut(scNone);
  const TSize size = painter.MeasureItem(board.Canvas(), *entry);
  board.Bitmap().SetSize(size.cx + 40, size.cy);
  const TRect rect{0, 0, size.cx + 40, size.cy};
  painter.DrawBackground(board.Canvas(), rect);
  const TColor probe = board.At(size.cx + 20, size.cy / 2);
  painter.DrawItem(board.Canvas(), *entry, rect, {});
  int inkRight = -1;
  for (int y = 1; y < size.cy - 1; ++y)
    for (int x = style.IconBarWidth + 1; x < rect.Right - 1; ++x)
      if (!Near(board.At(x, y), probe, 8) && x > inkRight) inkRight = x;

  TCanvas measure;
  measure.Font().SetName(style.ItemFont.Name);
  measure.Font().SetHeight(-style.ItemFont.Height);
  const int textLeft = style.IconBarWidth + TKvoMenuPainter::kCaptionIndent;
  const int one = measure.TextWidth("Audio Converter & Extractor");
  const int two = measure.TextWidth("Audio Converter && Extractor");
  ASSERT_GT(two - one, 4);
  EXPECT_NEAR(inkRight, textLeft + one, 3);
  EXPECT_LT(inkRight, size.cx - TKvoMenuPainter::kRightMargin / 2) << "the caption fits";
}

}  // namespace
}  // namespace mirto
