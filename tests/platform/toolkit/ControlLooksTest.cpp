#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <set>
#include <type_traits>
#include <vector>

#include "platform/toolkit/BitBtn.h"
#include "platform/toolkit/CustomPanel.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/PaintFactor.h"
#include "platform/toolkit/StyleServices.h"
#include "tests/platform/toolkit/ControlTestSupport.h"
#include "tests/support/Placing.h"
#include "tests/support/ToolkitSeam.h"

namespace mirto {
namespace {

// Both units used to declare a state type of their own, so no source could
// include the two together.
TEST(OwnerDrawState, ButtonsAndMenusShareOneStateType) {
  static_assert(std::is_same_v<decltype(TDrawItemStruct{}.ItemState), TOwnerDrawState>);
  TOwnerDrawState seen;
  const TMenuDrawItemEvent drawEntry = [&](TMenuItem*, TCanvas*, const TRect&,
                                           TOwnerDrawState state) { seen = state; };
  TDrawItemStruct item;
  item.ItemState.Include(odSelected).Include(odFocus);
  drawEntry(nullptr, nullptr, TRect{}, item.ItemState);
  EXPECT_TRUE(seen.Contains(odFocus));
  EXPECT_FALSE(seen.Contains(odDisabled));
}

TEST(StyleServices, PlainSystemStyleUnlessSetAndScopesRestore) {
  EXPECT_FALSE(TStyleServices::Enabled());
  EXPECT_EQ(TStyleServices::ActiveStyleName(), "Windows");
  EXPECT_FALSE(TStyleServices::IsCustomStyleActive());
  TColor color = clRed;
  EXPECT_FALSE(TStyleServices::GetElementColor(tpPanelBackground, ecFillColor, color));
  EXPECT_EQ(color, clNone);
  {
    TStyleScope skin(true, "Harbour Night");
    EXPECT_TRUE(TStyleServices::Enabled());
    EXPECT_TRUE(TStyleServices::IsCustomStyleActive());
    TStyleServices::SetElementColor(tpPanelBevel, ecEdgeShadowColor, clNavy);
    EXPECT_TRUE(TStyleServices::GetElementColor(tpPanelBevel, ecEdgeShadowColor, color));
    EXPECT_EQ(color, clNavy);
    {
      TStyleScope plain(true, "");
      EXPECT_EQ(TStyleServices::ActiveStyleName(), "Windows") << "no name is the system style";
    }
    EXPECT_EQ(TStyleServices::ActiveStyleName(), "Harbour Night");
  }
  EXPECT_FALSE(TStyleServices::Enabled());
  EXPECT_FALSE(TStyleServices::IsCustomStyleActive());
  EXPECT_FALSE(TStyleServices::GetElementColor(tpPanelBevel, ecEdgeShadowColor, color))
      << "the skin's colours leave with it";
}

TEST(StyleElements, AllThreeByDefaultAndSettable) {
  TCustomPanel panel;
  EXPECT_EQ(panel.StyleElements(), kAllStyleElements);
  panel.SetStyleElements({seFont, seBorder});
  EXPECT_FALSE(panel.StyleElements().Contains(seClient));
}

TEST(BiDiMode, RightToLeftControlsSwapAlignmentAndReadRightToLeft) {
  struct Case {
    TBiDiMode mode;
    TTextFormat given;
    TTextFormat expected;
  };
  const Case cases[] = {
      {bdLeftToRight, DT_LEFT, DT_LEFT},
      {bdLeftToRight, DT_RIGHT, DT_RIGHT},
      {bdRightToLeft, DT_LEFT, DT_RIGHT | DT_RTLREADING},
      {bdRightToLeft, DT_RIGHT | DT_VCENTER, DT_VCENTER | DT_RTLREADING},
      {bdRightToLeft, DT_CENTER, DT_CENTER | DT_RTLREADING},
      {bdRightToLeftNoAlign, DT_LEFT, DT_RTLREADING},
      {bdRightToLeftReadingOnly, DT_RIGHT, DT_RIGHT | DT_RTLREADING},
  };
  for (const Case& c : cases) {
    TLabel label;
    label.SetBiDiMode(c.mode);
    EXPECT_EQ(label.DrawTextBiDiModeFlags(c.given), c.expected)
        << "mode " << static_cast<int>(c.mode) << ", flags " << c.given;
  }
}

TEST(BiDiMode, ChildrenFollowTheirParentUntilGivenAModeOfTheirOwn) {
  TCustomPanel panel;
  auto* label = new TLabel(&panel);
  label->SetParent(&panel);
  panel.SetBiDiMode(bdRightToLeft);
  EXPECT_TRUE(label->ParentBiDiMode());
  EXPECT_EQ(label->BiDiMode(), bdRightToLeft);
  EXPECT_EQ(label->DrawTextBiDiModeFlagsReadingOnly(), DT_RTLREADING);
  label->SetBiDiMode(bdLeftToRight);
  EXPECT_FALSE(label->ParentBiDiMode());
  EXPECT_FALSE(label->IsRightToLeft());
  label->SetParentBiDiMode(true);
  EXPECT_TRUE(label->UseRightToLeftAlignment());
}

TEST(PaintFactor, ScreenRatiosRoundToWholeFactorsAndScopesRestore) {
  const std::pair<double, int> cases[] = {{1.0, 1},  {1.25, 1}, {1.49, 1}, {1.5, 2}, {2.0, 2},
                                          {2.25, 2}, {3.0, 3},  {0.5, 1},  {NAN, 1}, {1e9, 8}};
  for (const auto& [ratio, factor] : cases) EXPECT_EQ(PaintFactorForRatio(ratio), factor) << ratio;
  EXPECT_EQ(PaintFactorOverride(), 0);
  {
    TPaintFactorScope two(2);
    EXPECT_EQ(PaintFactorFor(1.0), 2);
    {
      TPaintFactorScope three(3);
      EXPECT_EQ(PaintFactorFor(2.0), 3);
    }
    EXPECT_EQ(PaintFactorFor(1.0), 2);
  }
  EXPECT_EQ(PaintFactorFor(1.5), 2);
  EXPECT_EQ(PaintFactorOverride(), 0);
}

// The form rendered onto a picture of two pixels per logical pixel, painted
// at factor: at 1 the toolkit enlarges the picture, at 2 it is crisp.
QImage RenderedTwice(TForm& form, int factor) {
  TPaintFactorScope scope(factor);
  QWidget* widget = testing::NativeWidgetOf(form);
  QImage image(widget->size() * 2, QImage::Format_RGB32);
  image.setDevicePixelRatio(2);
  image.fill(Qt::white);
  widget->render(&image);
  return image;
}

// Paints a colour of its own at every pixel, so that a picture painted at
// the wrong place shows it.
class Checkers : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  void Paint() override {
    for (int y = 0; y < Height(); ++y)
      for (int x = 0; x < Width(); ++x) {
        Canvas().Brush().SetColor(
            RGB(static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 11), 0x40));
        Canvas().FillRect(Rect(x, y, x + 1, y + 1));
      }
  }
};

// Only part of a window painted again (a control under it changed): that
// part shows what the whole picture shows there, the parent's painting
// behind a transparent label included, at factors 1 and 2.
TEST(PaintFactor, APartialRepaintShowsItsOwnPartOfThePicture) {
  TForm form;
  testing::Frameless(form, 60, 24, clYellow);
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetAutoSize(false);
  label->SetBounds(40, 4, 16, 16);
  label->SetColor(clRed);
  auto* checkers = testing::Place<Checkers>(&form, &form, 2, 2, 34, 20);
  auto* text = testing::Place<TLabel>(&form, checkers, 6, 3, 20, 14);
  text->SetTransparent(true);
  text->SetCaption("Wg");
  form.Show();
  for (const int factor : {1, 2}) {
    SCOPED_TRACE(factor);
    TPaintFactorScope scope(factor);
    QWidget* widget = testing::NativeWidgetOf(form);
    const auto render = [widget, factor](const QRegion& part) {
      QImage image(widget->size() * factor, QImage::Format_RGB32);
      image.setDevicePixelRatio(factor);
      image.fill(Qt::white);
      widget->render(&image, part.boundingRect().topLeft(), part);
      return image;
    };
    const QImage whole = render(QRegion(widget->rect()));
    ASSERT_EQ(whole.pixel(factor * 45, factor * 10), qRgb(255, 0, 0));
    for (const QRect part : {QRect(36, 2, 20, 20), QRect(5, 8, 20, 6)}) {
      const QImage repainted = render(QRegion(part));
      for (int y = factor * part.top(); y <= factor * part.bottom(); ++y)
        for (int x = factor * part.left(); x <= factor * part.right(); ++x)
          ASSERT_EQ(repainted.pixel(x, y), whole.pixel(x, y)) << x << "," << y;
    }
  }
}

int DistinctInkColumns(const QImage& image, QRgb background) {
  std::set<std::vector<QRgb>> columns;
  for (int x = 0; x < image.width(); ++x) {
    std::vector<QRgb> column;
    for (int y = 0; y < image.height(); ++y) column.push_back(image.pixel(x, y));
    if (std::any_of(column.begin(), column.end(), [&](QRgb p) { return p != background; }))
      columns.insert(column);
  }
  return static_cast<int>(columns.size());
}

TEST(PaintFactor, ControlsPaintTheirPicturesAtTheFactor) {
  TForm form;
  testing::Frameless(form, 60, 24, clYellow);
  auto* label = testing::Place<TLabel>(&form, &form, 2, 2, 56, 20);
  label->SetTransparent(true);
  label->Font().SetHeight(-13);
  label->SetCaption("Mirto");
  form.Show();
  const QImage once = RenderedTwice(form, 1), twice = RenderedTwice(form, 2);
  const QRgb yellow = qRgb(255, 255, 0);
  ASSERT_EQ(twice.size(), QSize(120, 48));
  EXPECT_EQ(twice.pixel(1, 1), yellow);
  EXPECT_GT(DistinctInkColumns(once, yellow), 0);
  EXPECT_GT(DistinctInkColumns(twice, yellow), DistinctInkColumns(once, yellow));
}

}  // namespace
}  // namespace mirto
