#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/KvoPngButtonPainting.h"
#include "components/KvoPngButtonStyleHook.h"
#include "graphics/ColorHelpers.h"
#include "platform/toolkit/StyleServices.h"
#include "tests/components/PngButtonTestSupport.h"

namespace mirto {
namespace {

using testing::ColorsIn;
using testing::PaintInto;
using testing::SolidGlyph;

struct PlaceCase {
  const char* name;
  TSize glyph;
  TSize text;
  TSize client;
  TButtonLayout layout;
  int margin;
  int spacing;
  bool pressed;
  TTextFormat biDi;
  TPoint glyphPos;
  TPoint textPos;
};

TEST(PngButtonLayout, PlacesGlyphAndCaptionForEveryLayout) {
  // clang-format off
  // name, glyph, caption, client, layout, margin, spacing, pressed, bidi -> glyph at, caption at
  const std::vector<PlaceCase> cases = {
      {"title-bar glyph overhangs a smaller button",
       {24, 24}, {0, 0}, {22, 22}, blGlyphLeft, -1, 4, false, 0, {-1, 0}, {23, 11}},
      {"categories button",
       {16, 16}, {60, 15}, {90, 22}, blGlyphLeft, -1, 5, false, 0, {4, 3}, {25, 3}},
      {"pressed moves both by one pixel",
       {16, 16}, {60, 15}, {90, 22}, blGlyphLeft, -1, 5, true, 0, {5, 4}, {26, 4}},
      {"right-to-left mirrors the left layout",
       {16, 16}, {60, 15}, {90, 22}, blGlyphLeft, -1, 5, false, DT_RIGHT, {70, 3}, {5, 3}},
      {"right-to-left mirrors the right layout",
       {16, 16}, {60, 15}, {90, 22}, blGlyphRight, 2, 5, false, DT_RIGHT, {2, 3}, {23, 3}},
      {"glyph right with a fixed margin",
       {16, 16}, {60, 15}, {90, 22}, blGlyphRight, 2, 5, false, 0, {72, 3}, {7, 3}},
      {"empty glyph drops the spacing",
       {0, 0}, {60, 15}, {90, 22}, blGlyphLeft, -1, 5, false, 0, {15, 11}, {15, 3}},
      {"glyph on top",
       {16, 16}, {30, 14}, {40, 40}, blGlyphTop, -1, 2, false, 0, {12, 4}, {5, 22}},
      {"glyph at the bottom",
       {16, 16}, {30, 14}, {40, 40}, blGlyphBottom, 3, 2, false, 0, {12, 21}, {5, 5}},
      {"automatic spacing splits the free length in thirds",
       {16, 16}, {60, 15}, {90, 22}, blGlyphLeft, -1, -1, false, 0, {4, 3}, {24, 3}},
      {"automatic spacing with a fixed margin centres the caption",
       {16, 16}, {40, 15}, {90, 22}, blGlyphLeft, 2, -1, false, 0, {2, 3}, {33, 3}},
  };
  // clang-format on
  for (const PlaceCase& c : cases) {
    SCOPED_TRACE(c.name);
    TPoint glyphPos{-99, -99};
    TPoint textPos{-99, -99};
    PlaceGlyphAndCaption(c.glyph, c.text, Rect(0, 0, c.client.cx, c.client.cy), c.pressed, false,
                         c.layout, c.margin, c.spacing, glyphPos, textPos, c.biDi);
    EXPECT_EQ(glyphPos, c.glyphPos) << glyphPos.X << "," << glyphPos.Y;
    EXPECT_EQ(textPos, c.textPos) << textPos.X << "," << textPos.Y;
  }
}

TEST(PngButtonLayout, MeasuresTheCaptionWithTheCanvasFontAndHonoursTheClientOrigin) {
  TBitmap bitmap;
  bitmap.SetSize(8, 8);
  TCanvas& canvas = bitmap.Canvas();
  const TSize extent{canvas.TextWidth("Categories"), canvas.TextHeight("Categories")};
  const auto glyph = SolidGlyph(16, 16, clRed);
  TPoint glyphPos;
  TPoint textPos;
  LayoutGlyphAndCaption(canvas, glyph.get(), Rect(10, 20, 100, 42), false, true, "Categories",
                        blGlyphLeft, -1, 5, glyphPos, textPos, 0);
  const int margin = (90 - (16 + 5 + extent.cx)) / 2;
  EXPECT_EQ(glyphPos, Point(10 + margin + 1, 20 + 3 + 1)) << "down shifts by one pixel";
  EXPECT_EQ(textPos, Point(10 + margin + 16 + 5 + 1, 20 + (22 - extent.cy) / 2 + 1));
}

TEST(PngButtonLook, FirstMatchingStateChoosesTheLook) {
  // disabled, over, pressed, holds focus -> look
  struct Case {
    bool disabled, over, pressed, focused;
    TKvoLookKind look;
  };
  const std::vector<Case> cases = {
      {false, false, false, false, lkNormal}, {false, false, false, true, lkFocused},
      {false, false, true, false, lkDown},    {false, false, true, true, lkDown},
      {false, true, false, false, lkHot},     {false, true, false, true, lkHot},
      {false, true, true, false, lkDown},     {false, true, true, true, lkDown},
  };
  for (const Case& c : cases) {
    for (bool disabled : {false, true}) {
      TKvoPngButtonState state;
      state.Enabled = !disabled;
      state.Over = c.over;
      state.Pressed = c.pressed;
      state.HoldsFocus = c.focused;
      EXPECT_EQ(ChooseLook(state), disabled ? lkDisabled : c.look)
          << disabled << c.over << c.pressed << c.focused;
    }
  }
}

TEST(PngButtonLook, GradientBandsMeetAtTheRoundedBoundary) {
  struct Case {
    int percent;
    int margin;
    TRect upper;
    TRect lower;
  };
  const std::vector<Case> cases = {
      {46, 2, {2, 2, 20, 10}, {2, 10, 20, 20}},  // 22 x 0.46 = 10.12
      {100, 0, {0, 0, 22, 22}, {0, 22, 22, 22}},
      {250, 0, {0, 0, 22, 22}, {0, 22, 22, 22}},  // capped at 100 %
      {0, -3, {0, 0, 22, 0}, {0, 0, 22, 22}},     // negative margin counts as 0
      {25, 1, {1, 1, 21, 6}, {1, 6, 21, 21}},     // 5.5 rounds to the even 6
  };
  for (const Case& c : cases) {
    TKvoItemStateParams look;
    look.SetUpperGradientPercent(static_cast<std::uint8_t>(std::min(c.percent, 255)));
    look.SetBorderToGradientMargin(c.margin);
    const TKvoGradientBands bands = GradientBandsOf(look, Rect(0, 0, 22, 22));
    EXPECT_EQ(bands.Upper, c.upper) << c.percent;
    EXPECT_EQ(bands.Lower, c.lower) << c.percent;
  }
}

// A 22 x 22 button whose normal look is plain: white face, no gradients,
// a 2-pixel blue border.
class PlainButton : public ::testing::Test {
 protected:
  PlainButton() {
    button.SetBounds(0, 0, 22, 22);
    for (TKvoItemStateParams* look :
         {&button.Appearance().Normal(), &button.Appearance().Focused()}) {
      look->SetColor(clWhite);
      look->SetGradientEnabled(false);
      look->Border().SetColor(clBlue);
      look->Border().SetWidth(2);
    }
  }
  TKvoPngButton button;
  TBitmap bitmap;
};

TEST_F(PlainButton, TransparentSwitchesLeaveBackgroundAndFrameUnpainted) {
  PaintInto(bitmap, button, {});
  EXPECT_EQ(bitmap.Canvas().Pixels(1, 1), clBlue);
  EXPECT_EQ(bitmap.Canvas().Pixels(2, 2), clWhite);

  button.Appearance().Normal().SetTransparentFrame(true);
  PaintInto(bitmap, button, {});
  EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), clWhite);

  button.Appearance().Normal().SetTransparentBackground(true);
  button.Appearance().Normal().SetGradientEnabled(true);
  PaintInto(bitmap, button, {});
  EXPECT_EQ(ColorsIn(bitmap, Rect(0, 0, 22, 22)), std::set<TColor>{clFuchsia});
}

TEST_F(PlainButton, CustomFocusFrameSitsInsideBorderAndSpacing) {
  TKvoFocusRectParams& focus = button.Appearance().FocusRect();
  focus.SetFocusType(frtCustom);
  focus.Pen().SetColor(clRed);
  TKvoPngButtonState state;
  state.HoldsFocus = true;
  PaintInto(bitmap, button, state);
  EXPECT_EQ(bitmap.Canvas().Pixels(3, 3), clWhite);
  EXPECT_EQ(bitmap.Canvas().Pixels(4, 4), clRed);
  EXPECT_EQ(bitmap.Canvas().Pixels(17, 17), clRed);
  EXPECT_EQ(bitmap.Canvas().Pixels(5, 5), clWhite);

  state.HoldsFocus = false;
  PaintInto(bitmap, button, state);
  EXPECT_EQ(bitmap.Canvas().Pixels(4, 4), clWhite) << "no focus, no frame";

  state.HoldsFocus = true;
  button.Appearance().Focused().SetTransparentFrame(true);
  PaintInto(bitmap, button, state);
  EXPECT_EQ(bitmap.Canvas().Pixels(2, 2), clWhite) << "a transparent frame hides the focus too";
}

TEST_F(PlainButton, DefaultButtonBorderOnlyWithoutFocusAndPress) {
  button.Appearance().BorderWhenDefault().SetColor(clLime);
  struct Case {
    bool focusFlag, holdsFocus, pressed, enabled;
    bool defaultBorder;
  };
  for (const Case& c : std::vector<Case>{{true, false, false, true, true},
                                         {true, true, false, true, false},
                                         {true, false, true, true, false},
                                         {true, false, false, false, false},
                                         {false, false, false, true, false}}) {
    TKvoPngButtonState state;
    state.FocusFlag = c.focusFlag;
    state.HoldsFocus = c.holdsFocus;
    state.Pressed = c.pressed;
    state.Enabled = c.enabled;
    PaintInto(bitmap, button, state);
    EXPECT_EQ(bitmap.Canvas().Pixels(0, 0) == clLime, c.defaultBorder)
        << c.focusFlag << c.holdsFocus << c.pressed << c.enabled;
  }
}

TEST_F(PlainButton, GlyphEffectsFollowTheState) {
  const TColor grey = RGB(100, 100, 100);
  const auto glyph = SolidGlyph(8, 8, grey);
  button.SetPngImage(glyph.get());
  const auto glyphColor = [&](bool enabled, bool over, bool pressed) {
    TKvoPngButtonState state;
    state.Enabled = enabled;
    state.Over = over;
    state.Pressed = pressed;
    PaintInto(bitmap, button, state);
    return bitmap.Canvas().Pixels(11, 11);
  };
  EXPECT_EQ(glyphColor(true, false, false), grey);
  const TColor bright = glyphColor(true, true, false);
  EXPECT_GT(GetRValue(bright), 100) << "hot glyph goes through the gamma copy";
  EXPECT_EQ(glyphColor(true, false, true), bright) << "pressed after the pointer left, too";
  EXPECT_EQ(glyphColor(true, true, true), bright);
  const TColor disabled = glyphColor(false, false, false);
  EXPECT_NE(disabled, grey);
  EXPECT_NE(disabled, bitmap.Canvas().Pixels(1, 11)) << "half-blended over the face";
  EXPECT_EQ(button.PngImage().Pixel(0, 0), grey) << "the glyph itself never changes";
}

TEST(PngButtonCaption, DisabledCaptionDrawnOnceCustomAndTwicePlatformStyle) {
  TKvoPngButton button;
  button.SetBounds(0, 0, 90, 22);
  button.SetCaption("Categories");
  // Bold and large, so that stems are fully inked whatever the smoothing.
  for (TFont* font : {&button.Font(), &button.Appearance().Disabled().Font()}) {
    font->SetHeight(-16);
    font->SetStyle({fsBold});
  }
  const TColor disabledInk = clMaroon;  // apart from the platform's shadow grey
  button.Appearance().Disabled().Font().SetColor(disabledInk);
  TBitmap bitmap;
  TKvoPngButtonState state;
  state.Enabled = false;
  PaintInto(bitmap, button, state);
  std::set<TColor> colors = ColorsIn(bitmap, Rect(3, 3, 87, 19));
  EXPECT_TRUE(colors.contains(disabledInk));
  EXPECT_FALSE(colors.contains(ColorToRGB(clBtnHighlight)));

  button.Appearance().SetDefaultDrawing(true);
  PaintInto(bitmap, button, state);
  colors = ColorsIn(bitmap, Rect(3, 3, 87, 19));
  EXPECT_TRUE(colors.contains(ColorToRGB(clBtnShadow)));
  EXPECT_TRUE(colors.contains(ColorToRGB(clBtnHighlight)));
  EXPECT_FALSE(colors.contains(disabledInk));
}

TEST(PngButtonPlatformStyle, ClassicFrameMarksTheActiveButtonAndThePress) {
  TKvoPngButton button;
  button.SetBounds(0, 0, 40, 22);
  button.Appearance().SetDefaultDrawing(true);
  TBitmap bitmap;
  PaintInto(bitmap, button, {});
  const TColor raisedCorner = bitmap.Canvas().Pixels(0, 0);
  EXPECT_NE(raisedCorner, ColorToRGB(clWindowFrame));

  TKvoPngButtonState state;
  state.FocusFlag = true;
  PaintInto(bitmap, button, state);
  EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), ColorToRGB(clWindowFrame));
  EXPECT_EQ(bitmap.Canvas().Pixels(1, 1), raisedCorner) << "raised face one pixel in";

  state.Pressed = true;
  PaintInto(bitmap, button, state);
  EXPECT_EQ(bitmap.Canvas().Pixels(1, 1), ColorToRGB(clBtnShadow));
  EXPECT_EQ(bitmap.Canvas().Pixels(2, 2), ColorToRGB(clBtnFace));
}

TEST(PngButtonPlatformStyle, ThemedElementFollowsTheTrackedPointer) {
  const TStyleScope scope(true, kSystemStyleName);
  TKvoPngButton button;
  button.SetBounds(0, 0, 40, 22);
  button.Appearance().SetDefaultDrawing(true);
  TBitmap bitmap;
  PaintInto(bitmap, button, {});
  EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), clFuchsia) << "the element's corner shows the parent";
  const TColor normalEdge = bitmap.Canvas().Pixels(5, 0);
  TKvoPngButtonState state;
  state.Over = true;
  PaintInto(bitmap, button, state);
  EXPECT_EQ(bitmap.Canvas().Pixels(5, 0), normalEdge) << "bOver alone is not the themed hot";
  state.MouseInControl = true;
  PaintInto(bitmap, button, state);
  EXPECT_NE(bitmap.Canvas().Pixels(5, 0), normalEdge);
}

TEST(PngButtonLayout, RightToLeftButtonPutsTheGlyphOnTheRight) {
  TKvoPngButton button;
  button.SetBounds(0, 0, 90, 22);
  button.SetCaption("Categories");
  const auto glyph = SolidGlyph(16, 16, clRed);
  button.SetPngImage(glyph.get());
  button.SetBiDiMode(bdRightToLeft);
  TBitmap bitmap;
  PaintInto(bitmap, button, {});
  EXPECT_FALSE(ColorsIn(bitmap, Rect(0, 0, 45, 22)).contains(clRed));
  EXPECT_TRUE(ColorsIn(bitmap, Rect(45, 0, 90, 22)).contains(clRed));
}

// Under a custom style the hook paints the style's element and takes the
// style's text colour where the button lets the style colour its font.
TEST(PngButtonStyleHook, PaintsTheStylesElementAndColours) {
  const TStyleScope scope(true, "Carbon");
  TStyleServices::SetElementColor(tbPushButtonNormal, ecFillColor, RGB(10, 20, 30));
  TStyleServices::SetElementColor(tbPushButtonHot, ecFillColor, RGB(40, 50, 60));
  TStyleServices::SetElementColor(tbPushButtonNormal, ecTextColor, clYellow);
  TStyleServices::SetElementColor(tbPushButtonDisabled, ecTextColor, clAqua);
  TKvoPngButton button;
  button.SetBounds(0, 0, 90, 22);
  button.SetCaption("Categories");
  button.Appearance().SetShowCaption(false);  // the hook shows the caption all the same
  button.Font().SetHeight(-16);
  button.Font().SetStyle({fsBold});
  button.Font().SetColor(clLime);
  TBitmap bitmap;
  PaintInto(bitmap, button, {});
  EXPECT_EQ(bitmap.Canvas().Pixels(3, 3), RGB(10, 20, 30));
  EXPECT_TRUE(ColorsIn(bitmap, Rect(2, 2, 88, 20)).contains(clYellow));
  TKvoPngButtonState over;
  over.Over = true;
  PaintInto(bitmap, button, over);
  EXPECT_EQ(bitmap.Canvas().Pixels(3, 3), RGB(40, 50, 60));

  button.SetStyleElements({seClient, seBorder});
  PaintInto(bitmap, button, {});
  EXPECT_TRUE(ColorsIn(bitmap, Rect(2, 2, 88, 20)).contains(clLime)) << "the button's own font";
  button.SetEnabled(false);
  PaintInto(bitmap, button, {});
  EXPECT_TRUE(ColorsIn(bitmap, Rect(2, 2, 88, 20)).contains(clAqua)) << "disabled: the style's";

  TKvoPngButtonStyleHook hook(button);
  EXPECT_EQ(hook.ElementState(false), tbPushButtonDisabled);
  hook.SetFocused(true);
  EXPECT_EQ(hook.ElementState(false), tbPushButtonDefaulted);
  EXPECT_EQ(hook.ElementState(true), tbPushButtonHot);
  hook.SetPressed(true);
  EXPECT_EQ(hook.ElementState(true), tbPushButtonPressed);
}

TEST(PngButtonStyleHook, OtherButtonsGetTheElementAndACentredCaption) {
  const TStyleScope scope(true, "Carbon");
  TStyleServices::SetElementColor(tbPushButtonNormal, ecFillColor, RGB(10, 20, 30));
  TBitBtn plain;
  plain.SetBounds(0, 0, 60, 22);
  TBitmap bitmap;
  bitmap.SetSize(60, 22);
  TKvoPngButtonStyleHook(plain).DrawButton(bitmap.Canvas(), false);
  EXPECT_EQ(bitmap.Canvas().Pixels(30, 11), RGB(10, 20, 30));
  EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), ColorToRGB(clBtnHighlight));
}

}  // namespace
}  // namespace mirto
