#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEnterEvent>
#include <string>
#include <vector>

#include "components/KvoPanel.h"
#include "platform/toolkit/Form.h"
#include "tests/support/PixelBoard.h"
#include "tests/support/ToolkitSeam.h"

namespace mirto {
namespace {

using testing_support::PixelBoard;

void SolidGradients(TKvoPanel& panel, TColor upper, TColor lower) {
  panel.Appearance().UpperGradient().SetColorFrom(upper);
  panel.Appearance().UpperGradient().SetColorTo(upper);
  panel.Appearance().BottomGradient().SetColorFrom(lower);
  panel.Appearance().BottomGradient().SetColorTo(lower);
}

// The colour of each row of column x.
std::string Column(PixelBoard& board, int x, const std::map<TColor, char>& legend) {
  std::string column;
  for (const std::string& row : board.Picture(legend, {x, 0, x + 1, board.Height()})) column += row;
  return column;
}

TEST(KvoPanelBackground, UpperGradientTakesItsRoundedShareOfTheHeight) {
  struct Case {
    int height;
    int percent;
    int upperRows;
  };
  const Case cases[] = {
      {41, 50, 20}, {27, 50, 14}, {25, 50, 12}, {41, 100, 41}, {41, 0, 0}, {10, 33, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.height << " rows at " << c.percent << " %");
    TKvoPanel panel;
    panel.SetBounds(0, 0, 6, c.height);
    panel.Appearance().SetDrawBorder(false);
    panel.Appearance().SetUpperGradientPercent(static_cast<std::uint8_t>(c.percent));
    SolidGradients(panel, clRed, clBlue);
    PixelBoard board(6, c.height);
    panel.PaintTo(board.Canvas());
    EXPECT_EQ(Column(board, 3, {{clRed, 'U'}, {clBlue, 'L'}}),
              std::string(c.upperRows, 'U') + std::string(c.height - c.upperRows, 'L'));
  }
}

TEST(KvoPanelBackground, GradientAreaAndBorders) {
  struct Case {
    const char* name;
    bool drawGradient;
    int margin;
    bool leftVisible;
    bool drawBorder;
    bool parentBackground;
    std::vector<std::string> expected;
  };
  // Borders 3 wide, flat (not mitred), drawn left, right, top, bottom, so a
  // later side covers an earlier one: L left, R right, T top, B bottom;
  // g gradient, s solid background colour.
  const Case cases[] = {
      {"solid background",
       false,
       0,
       true,
       false,
       false,
       {"ssssssssssss", "ssssssssssss", "ssssssssssss", "ssssssssssss", "ssssssssssss",
        "ssssssssssss", "ssssssssssss", "ssssssssssss", "ssssssssssss", "ssssssssssss",
        "ssssssssssss", "ssssssssssss"}},
      {"no margin: gradient everywhere, borders over it",
       true,
       0,
       true,
       true,
       false,
       {"TTTTTTTTTTTT", "TTTTTTTTTTTT", "TTTTTTTTTTTT", "LLLggggggRRR", "LLLggggggRRR",
        "LLLggggggRRR", "LLLggggggRRR", "LLLggggggRRR", "LLLggggggRRR", "BBBBBBBBBBBB",
        "BBBBBBBBBBBB", "BBBBBBBBBBBB"}},
      {"margin 1 under hidden borders still insets by width plus margin",
       true,
       1,
       true,
       false,
       false,
       {"............", "............", "............", "............", "....gggg....",
        "....gggg....", "....gggg....", "....gggg....", "............", "............",
        "............", "............"}},
      {"invisible left border insets by the margin only",
       true,
       1,
       false,
       false,
       false,
       {"............", "............", "............", "............", ".ggggggg....",
        ".ggggggg....", ".ggggggg....", ".ggggggg....", "............", "............",
        "............", "............"}},
      {"parent background: no background, borders still drawn",
       true,
       0,
       true,
       true,
       true,
       {"TTTTTTTTTTTT", "TTTTTTTTTTTT", "TTTTTTTTTTTT", "LLL......RRR", "LLL......RRR",
        "LLL......RRR", "LLL......RRR", "LLL......RRR", "LLL......RRR", "BBBBBBBBBBBB",
        "BBBBBBBBBBBB", "BBBBBBBBBBBB"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TKvoPanel panel;
    panel.SetBounds(0, 0, 12, 12);
    TKvoPanelAppearance& a = panel.Appearance();
    SolidGradients(panel, clLime, clLime);
    a.SetBackgroundColor(clAqua);
    a.SetDrawGradient(c.drawGradient);
    a.SetBorderToGradientMargin(c.margin);
    a.SetDrawBorder(c.drawBorder);
    const TColor colours[] = {clRed, clBlue, clYellow, clBlack};
    TKvoPanelBorder* sides[] = {&a.Borders().Left(), &a.Borders().Right(), &a.Borders().Top(),
                                &a.Borders().Bottom()};
    for (int i = 0; i < 4; ++i) {
      sides[i]->Pen().SetWidth(3);
      sides[i]->Pen().SetColor(colours[i]);
      sides[i]->SetBorder3D(false);
    }
    a.Borders().Left().SetVisible(c.leftVisible);
    panel.SetParentBackground(c.parentBackground);
    PixelBoard board(12, 12);
    panel.PaintTo(board.Canvas());
    EXPECT_EQ(board.Picture({{clRed, 'L'},
                             {clBlue, 'R'},
                             {clYellow, 'T'},
                             {clBlack, 'B'},
                             {clLime, 'g'},
                             {clAqua, 's'}}),
              c.expected);
    int left, right, top, bottom;
    panel.GetBorderWidths(left, right, top, bottom);
    EXPECT_EQ(left, c.leftVisible ? 3 : 0);
    EXPECT_EQ(right + top + bottom, 9);
  }
}

TEST(KvoPanelBackground, CustomStylePaintsTheStandardPanelFaceInItsColours) {
  struct Case {
    const char* name;
    const char* style;
    bool enabled;
    bool client;
    TBevelCut outer;
    std::vector<std::string> expected;
  };
  // a appearance (solid aqua), f style fill, p panel colour, h/s bevel
  // highlight and shadow.
  const Case cases[] = {
      {"plain system style", "Windows", true, true, bvNone, {"aaaa", "aaaa", "aaaa", "aaaa"}},
      {"custom style without seClient",
       "Slate Dusk",
       true,
       false,
       bvNone,
       {"aaaa", "aaaa", "aaaa", "aaaa"}},
      {"custom style", "Slate Dusk", true, true, bvNone, {"ffff", "ffff", "ffff", "ffff"}},
      {"custom style, raised bevel",
       "Slate Dusk",
       true,
       true,
       bvRaised,
       {"hhhs", "hffs", "hffs", "ssss"}},
      {"custom style, lowered bevel",
       "Slate Dusk",
       true,
       true,
       bvLowered,
       {"sssh", "sffh", "sffh", "hhhh"}},
      {"style services off: panel colour and system bevel",
       "Slate Dusk",
       false,
       true,
       bvRaised,
       {"HHHS", "HppS", "HppS", "SSSS"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TStyleScope scope(c.enabled, QString::fromUtf8(c.style));
    TStyleServices::SetElementColor(tpPanelBackground, ecFillColor, clLime);
    TStyleServices::SetElementColor(tpPanelBevel, ecEdgeHighLightColor, clYellow);
    TStyleServices::SetElementColor(tpPanelBevel, ecEdgeShadowColor, clNavy);
    TKvoPanel panel;
    panel.SetBounds(0, 0, 4, 4);
    panel.SetColor(clRed);
    panel.SetBevelOuter(c.outer);
    panel.Appearance().SetDrawGradient(false);
    panel.Appearance().SetDrawBorder(false);
    panel.Appearance().SetBackgroundColor(clAqua);
    if (!c.client) panel.SetStyleElements({seFont, seBorder});
    PixelBoard board(4, 4);
    panel.PaintTo(board.Canvas());
    EXPECT_EQ(board.Picture({{clAqua, 'a'},
                             {clLime, 'f'},
                             {clRed, 'p'},
                             {clYellow, 'h'},
                             {clNavy, 's'},
                             {clBtnHighlight, 'H'},
                             {clBtnShadow, 'S'}}),
              c.expected);
    TStyleServices::ClearElementColors();
  }
}

TEST(KvoPanelBackground, BorderWidthsCountOnlyVisiblePositivePens) {
  TKvoPanel panel;
  TKvoPanelBorders& b = panel.Appearance().Borders();
  b.Left().Pen().SetWidth(0);
  b.Right().Pen().SetWidth(4);
  b.Top().Pen().SetWidth(2);
  b.Top().SetVisible(false);
  const TKvoBorderWidths w = panel.GetBorderWidths();
  EXPECT_EQ(w.Left, 0);
  EXPECT_EQ(w.Right, 4);
  EXPECT_EQ(w.Top, 0);
  EXPECT_EQ(w.Bottom, 1);
}

TEST(KvoPanelAppearance, NewGradientColoursDeriveFromButtonFace) {
  ASSERT_EQ(ColorToRGB(clBtnFace), RGB(240, 240, 240));
  TKvoPanelAppearance a;
  EXPECT_EQ(a.UpperGradient().ColorFrom(), RGB(252, 252, 252));
  EXPECT_EQ(a.UpperGradient().ColorTo(), RGB(228, 228, 228));
  EXPECT_EQ(a.BottomGradient().ColorFrom(), RGB(228, 228, 228));
  EXPECT_EQ(a.BottomGradient().ColorTo(), RGB(216, 216, 216));
  EXPECT_EQ(a.Borders().Left().Pen().Color(), clBtnHighlight);
  EXPECT_EQ(a.Borders().Bottom().Pen().Color(), clBtnShadow);
  EXPECT_EQ(a.UpperGradientPercent(), 50);
}

TEST(KvoPanelAppearance, UpperGradientPercentNotifiesBottomUpperThenAppearance) {
  TKvoPanelAppearance a;
  std::vector<std::string> calls;
  a.BottomGradient().SetOnChange([&](TObject* sender) {
    EXPECT_EQ(sender, &a);
    calls.push_back("bottom");
  });
  a.UpperGradient().SetOnChange([&](TObject*) { calls.push_back("upper"); });
  a.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &a);
    calls.push_back("appearance");
  };
  a.SetUpperGradientPercent(30);
  EXPECT_EQ(calls, (std::vector<std::string>{"bottom", "upper", "appearance"}));
}

TEST(KvoPanelAppearance, BorderChangesTravelUpTheChain) {
  TKvoPanelAppearance a;
  int changes = 0;
  a.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &a);
    ++changes;
  };
  a.Borders().Left().Pen().SetWidth(5);
  EXPECT_EQ(changes, 1);
  a.Borders().Top().SetVisible(false);
  EXPECT_EQ(changes, 2);
  TKvoPanelBorder copy;
  copy.Pen().SetColor(clRed);
  copy.SetBorder3D(false);
  changes = 0;
  a.Borders().SetRight(copy);
  EXPECT_EQ(a.Borders().Right().Pen().Color(), clRed);
  EXPECT_FALSE(a.Borders().Right().Border3D());
  EXPECT_EQ(changes, 2);  // the copied border, then the borders
}

class ShownPanel : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetBounds(0, 0, 100, 60);
    panel = new TKvoPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 100, 60);
    panel->OnPaint = [this](TObject*) { ++paints; };
    form.Show();
    QCoreApplication::processEvents();
    paints = 0;
  }
  void TearDown() override { QCoreApplication::processEvents(); }
  TForm form;
  TKvoPanel* panel = nullptr;
  int paints = 0;
  // Outlive the test body: the handlers may still run in TearDown.
  std::vector<std::string> order;
  int enters = 0;
  int leaves = 0;
  int visibility = 0;
};

TEST_F(ShownPanel, BorderPenChangeRepaintsAfterLoadingNotWhileLoading) {
  panel->Appearance().Borders().Left().Pen().SetWidth(4);
  QCoreApplication::processEvents();
  EXPECT_EQ(paints, 1);

  form.BeginLoading();
  panel->Appearance().Borders().Left().Pen().SetWidth(2);
  panel->Appearance().SetUpperGradientPercent(20);
  QCoreApplication::processEvents();
  EXPECT_EQ(paints, 1);
  form.EndLoading();
  QCoreApplication::processEvents();
  EXPECT_EQ(paints, 2);
}

TEST_F(ShownPanel, PaintEventsComeInOrderAndTheCaptionIsNeverDrawn) {
  panel->OnAfterDrawBackground = [&](TObject*) { order.push_back("after background"); };
  panel->OnPaint = [&](TObject*) { order.push_back("paint"); };
  panel->SetCaption(QStringLiteral("WWWW"));
  panel->Appearance().SetDrawGradient(false);
  panel->Appearance().SetDrawBorder(false);
  panel->Appearance().SetBackgroundColor(clWhite);
  panel->Font().SetColor(clRed);
  PixelBoard board(100, 60, clBlue);
  panel->PaintTo(board.Canvas());
  EXPECT_EQ(order, (std::vector<std::string>{"after background", "paint"}));
  for (const std::string& row : board.Picture({{clWhite, '.'}}))
    EXPECT_EQ(row, std::string(100, '.'));
}

TEST_F(ShownPanel, PointerAndVisibilityEventsFireOnce) {
  panel->OnMouseEnter = [&](TObject*) { ++enters; };
  panel->OnMouseLeave = [&](TObject*) { ++leaves; };
  panel->OnVisibleChanging = [&](TObject* sender) {
    EXPECT_EQ(sender, panel);
    EXPECT_TRUE(panel->Visible());
    ++visibility;
  };
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QCoreApplication::sendEvent(testing::NativeWidgetOf(*panel), &enter);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(testing::NativeWidgetOf(*panel), &leave);
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(leaves, 1);
  panel->SetVisible(false);
  EXPECT_EQ(visibility, 1);
}

TEST(KvoPanel, GradientChangeWhileDesigningShowsTheGradient) {
  for (bool designing : {false, true}) {
    SCOPED_TRACE(designing);
    TKvoPanel panel;
    panel.SetDesigning(designing);
    panel.SetParentBackground(true);
    panel.Appearance().UpperGradient().SetColorFrom(clRed);
    EXPECT_EQ(panel.ParentBackground(), !designing);
  }
}

TEST(KvoPanel, ConstructedWithoutOuterBevelAndOwnBackground) {
  TKvoPanel panel;
  EXPECT_EQ(panel.BevelOuter(), bvNone);
  EXPECT_EQ(panel.BevelInner(), bvNone);
  EXPECT_FALSE(panel.ParentBackground());
  EXPECT_EQ(panel.Layout(), tlCenter);
  EXPECT_EQ(panel.Color(), clBtnFace);
  int dropped = 0;
  panel.OnDragDropFiles = [&](TObject*, TWMDropFiles&) { ++dropped; };
  TWMDropFiles message;
  panel.DropFiles(message);
  EXPECT_EQ(dropped, 1);
}

}  // namespace
}  // namespace mirto
