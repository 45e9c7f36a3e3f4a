#include <gtest/gtest.h>

#include <type_traits>

#include "platform/toolkit/BitBtn.h"
#include "platform/toolkit/CustomPanel.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/StyleServices.h"

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

}  // namespace
}  // namespace mirto
