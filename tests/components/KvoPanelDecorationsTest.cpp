#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/KvoPanel.h"
#include "tests/support/PixelBoard.h"

namespace mirto {
namespace {

using testing_support::PixelBoard;

// The panel of the examples: 200 x 100, four visible borders 2 wide, white
// background; the border is drawn only when asked.
class Decorated : public ::testing::Test {
 protected:
  Decorated() : board(200, 100) {
    panel.SetBounds(0, 0, 200, 100);
    panel.Appearance().SetDrawGradient(false);
    panel.Appearance().SetBackgroundColor(clWhite);
    panel.Appearance().SetDrawBorder(false);
    TKvoPanelBorders& b = panel.Appearance().Borders();
    for (TKvoPanelBorder* side : {&b.Left(), &b.Right(), &b.Top(), &b.Bottom()})
      side->Pen().SetWidth(2);
  }
  void Paint() { panel.PaintTo(board.Canvas()); }
  // Columns (or rows) 0..n-1 in which colour c appears along row y (or column x).
  std::vector<int> Columns(int y, TColor c) {
    std::vector<int> xs;
    for (int x = 0; x < board.Width(); ++x)
      if (board.At(x, y) == c) xs.push_back(x);
    return xs;
  }
  std::vector<int> Rows(int x, TColor c) {
    std::vector<int> ys;
    for (int y = 0; y < board.Height(); ++y)
      if (board.At(x, y) == c) ys.push_back(y);
    return ys;
  }
  static std::vector<int> Span(int from, int to) {
    std::vector<int> v;
    for (int i = from; i <= to; ++i) v.push_back(i);
    return v;
  }
  TKvoPanel panel;
  PixelBoard board;
};

TEST_F(Decorated, VerticalLinePositions) {
  const struct {
    TKvoVerticalLinePosition position;
    int x;
  } cases[] = {{vlpFromLeft, 12}, {vlpFromRight, 188}, {vlpCenter, 100}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    panel.VerticalLines().Clear();
    TKvoPanelVerticalLine* line = panel.VerticalLines().Add();
    line->Pen().SetColor(clRed);
    line->SetLinePosition(c.position);
    Paint();
    EXPECT_EQ(Columns(50, clRed), std::vector<int>{c.x});
    EXPECT_EQ(Rows(c.x, clRed), Span(2, 97));
    board.Canvas().Brush().SetColor(clWhite);
    board.Canvas().FillRect({0, 0, 200, 100});
  }
}

TEST_F(Decorated, HorizontalLineFromBottomKeepsItsMargins) {
  TKvoPanelHorizontalLine* line = panel.HorizontalLines().Add();
  line->Pen().SetColor(clBlue);
  line->SetLinePosition(hlpFromBottom);
  line->SetLeftMargin(3);
  line->SetRightMargin(4);
  TKvoPanelHorizontalLine* centre = panel.HorizontalLines().Add();
  centre->Pen().SetColor(clRed);
  centre->SetLinePosition(hlpCenter);
  Paint();
  EXPECT_EQ(Rows(100, clBlue), std::vector<int>{88});
  EXPECT_EQ(Columns(88, clBlue), Span(5, 193));
  EXPECT_EQ(Rows(100, clRed), std::vector<int>{50});
}

TEST_F(Decorated, LinesThatCannotShowAreSkipped) {
  const struct {
    const char* name;
    void (*spoil)(TPen&, TKvoPanelVerticalLine&);
  } cases[] = {
      {"clear pen", [](TPen& p, TKvoPanelVerticalLine&) { p.SetStyle(psClear); }},
      {"zero width", [](TPen& p, TKvoPanelVerticalLine&) { p.SetWidth(0); }},
      {"invisible", [](TPen&, TKvoPanelVerticalLine& l) { l.SetVisible(false); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    panel.VerticalLines().Clear();
    TKvoPanelVerticalLine* line = panel.VerticalLines().Add();
    line->Pen().SetColor(clRed);
    c.spoil(line->Pen(), *line);
    Paint();
    EXPECT_TRUE(Columns(50, clRed).empty());
  }
}

TEST_F(Decorated, BarPositions) {
  const TRect r{0, 0, 200, 100};
  const TKvoBorderWidths b = panel.GetBorderWidths();
  const struct {
    TKvoHorizontalBarPosition position;
    int posY;
    int top;
  } cases[] = {{hbpFromTop, 20, 22},           {hbpCenter, 99, 40},
               {hbpFromBottom, 20, 58},        {hbpPercentFromTop, 50, 50},
               {hbpPercentFromBottom, 50, 30}, {hbpPercentFromTop, 25, 26}};
  TKvoPanelHorizontalBar* bar = panel.HorizontalBars().Add();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.top);
    bar->SetBarPosition(c.position);
    bar->SetPosY(c.posY);
    EXPECT_EQ(bar->BarRect(r, b), (TRect{2, c.top, 198, c.top + 20}));
  }
}

TEST_F(Decorated, NewBarIsAFramedGradientStripBelowTheTopBorder) {
  panel.HorizontalBars().Add();
  Paint();
  // Framed in black from row 22 to 41 and column 2 to 197.
  EXPECT_EQ(Rows(100, clBlack), (std::vector<int>{22, 41}));
  EXPECT_EQ(Columns(30, clBlack), (std::vector<int>{2, 197}));
  // Inside, the default gradient runs from white at the top to button face.
  EXPECT_EQ(board.At(3, 30), board.At(196, 30));
  EXPECT_GT(GetRValue(board.At(100, 23)), GetRValue(board.At(100, 40)));
  EXPECT_GE(GetRValue(board.At(100, 23)), 250);
  EXPECT_LE(GetRValue(board.At(100, 40)), 242);
  EXPECT_EQ(board.At(100, 21), clWhite);
}

TEST_F(Decorated, BarFrameIsAsThickAsItsPenAndLaterBarsPaintOver) {
  TKvoPanelHorizontalBar* first = panel.HorizontalBars().Add();
  first->SetDrawGradient(false);
  first->SetBackgroundColor(clRed);
  first->Border().SetWidth(3);
  first->Border().SetColor(clBlue);
  Paint();
  EXPECT_EQ(Rows(100, clBlue), (std::vector<int>{22, 23, 24, 39, 40, 41}));
  EXPECT_EQ(Rows(100, clRed), Span(25, 38));

  TKvoPanelHorizontalBar* second = panel.HorizontalBars().Add();
  second->SetDrawGradient(false);
  second->SetBackgroundColor(clLime);
  second->Border().SetWidth(0);
  Paint();
  EXPECT_EQ(Rows(100, clLime), Span(22, 41));

  second->SetHeight(0);
  first->SetVisible(false);
  board.Canvas().FillRect({0, 0, 200, 100});
  Paint();
  EXPECT_TRUE(Rows(100, clLime).empty());
  EXPECT_TRUE(Rows(100, clRed).empty());
}

TEST_F(Decorated, CaptionPositionsAndBlankCaptions) {
  TKvoPanelCaption* caption = panel.Captions().Add();
  caption->Font().SetColor(clRed);
  const QString text = QStringLiteral("  Mi");
  caption->SetText(text);
  TCanvas& canvas = board.Canvas();
  canvas.Font().Assign(&caption->Font());
  const int tw = canvas.TextWidth(text);
  const int th = canvas.TextHeight(text);
  const struct {
    const char* name;
    TKvoTextHorizontalPosition h;
    TKvoTextVerticalPosition v;
    TPoint at;
  } cases[] = {
      {"from left and top", thpFromLeft, tvpFromTop, {10 + 2 + 5, 10 + 2 + 6}},
      {"centred", thpCenter, tvpCenter, {100 - tw / 2, 50 - th / 2}},
      {"from right and bottom",
       thpFromRight,
       tvpFromBottom,
       {200 - 10 - 2 - 5 - tw, 100 - 10 - 2 - 6 - th}},
  };
  caption->SetMarginX(5);
  caption->SetMarginY(6);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    caption->SetHorizontalPosition(c.h);
    caption->SetVerticalPosition(c.v);
    PixelBoard actual(200, 100);
    panel.PaintTo(actual.Canvas());
    PixelBoard expected(200, 100);
    expected.Canvas().Font().Assign(&caption->Font());
    expected.Canvas().Brush().SetStyle(bsClear);
    expected.Canvas().TextOut(c.at.X, c.at.Y, text);
    EXPECT_EQ(actual.DifferenceFrom(expected), "");
  }

  caption->SetText(QStringLiteral(" \t "));
  PixelBoard blank(200, 100);
  panel.PaintTo(blank.Canvas());
  PixelBoard empty(200, 100);
  EXPECT_EQ(blank.DifferenceFrom(empty), "");
}

TEST(KvoPanelDecorationItems, AssignRules) {
  TKvoPanel panel;
  TKvoPanelCaption* a = panel.Captions().Add();
  TKvoPanelCaption* b = panel.Captions().Add();
  a->SetText(QStringLiteral("kept"));
  a->SetVisible(false);
  b->SetText(QStringLiteral("source"));
  b->SetPosX(33);
  b->SetHorizontalPosition(thpFromRight);
  b->Font().SetColor(clRed);
  int captionChanges = 0;
  a->SetOnChange([&](TObject*) { ++captionChanges; });
  a->Assign(b);
  EXPECT_EQ(a->Text(), QStringLiteral("kept"));
  EXPECT_FALSE(a->Visible());
  EXPECT_EQ(a->PosX(), 33);
  EXPECT_EQ(a->HorizontalPosition(), thpFromRight);
  EXPECT_EQ(a->Font().Color(), clRed);
  EXPECT_EQ(captionChanges, 1);  // through the font only

  TKvoPanelVerticalLine* from = panel.VerticalLines().Add();
  TKvoPanelVerticalLine* to = panel.VerticalLines().Add();
  from->SetVisible(false);
  from->SetPosX(7);
  from->SetLinePosition(vlpCenter);
  from->SetTopMargin(4);
  from->Pen().SetWidth(3);
  int sourceHandlerCalls = 0;
  from->SetOnChange([&](TObject*) { ++sourceHandlerCalls; });
  to->Assign(from);
  EXPECT_FALSE(to->Visible());
  EXPECT_EQ(to->PosX(), 7);
  EXPECT_EQ(to->LinePosition(), vlpCenter);
  EXPECT_EQ(to->TopMargin(), 4);
  EXPECT_EQ(to->Pen().Width(), 3);
  // The handler is copied too, and the copy notifies through it.
  EXPECT_GE(sourceHandlerCalls, 1);

  TKvoPanelHorizontalBar* bar = panel.HorizontalBars().Add();
  TKvoPanelHorizontalBar* other = panel.HorizontalBars().Add();
  EXPECT_THROW(bar->Assign(other), EConvertError);
  EXPECT_THROW(to->Assign(a), EConvertError);
}

TEST(KvoPanelDecorationItems, ListsReportAddsDeletesAndChanges) {
  TKvoPanelHorizontalLines lines;
  int changes = 0;
  lines.SetOnChange([&](TObject* sender) {
    EXPECT_EQ(sender, &lines);
    ++changes;
  });
  TKvoPanelHorizontalLine* line = lines.Add();
  EXPECT_GE(changes, 1);
  changes = 0;
  line->Pen().SetColor(clRed);
  EXPECT_EQ(changes, 1);
  line->SetPosY(3);
  EXPECT_EQ(changes, 2);
  lines.Delete(0);
  EXPECT_EQ(changes, 3);
}

}  // namespace
}  // namespace mirto
