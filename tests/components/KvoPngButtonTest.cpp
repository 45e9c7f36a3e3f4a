#include <gtest/gtest.h>

#include <QCoreApplication>
#include <functional>
#include <string>
#include <vector>

#include "components/KvoPngButton.h"
#include "graphics/PngImageList.h"
#include "platform/toolkit/Action.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/StyleServices.h"
#include "tests/components/PngButtonTestSupport.h"
#include "tests/support/Placing.h"
#include "tests/support/PngSamples.h"

namespace mirto {
namespace {

using testing::SolidGlyph;

// A PNG button that counts its paints, shown on a window.
class CountingButton : public TKvoPngButton {
 public:
  using TKvoPngButton::ActionChange;
  using TKvoPngButton::MouseEnter;
  using TKvoPngButton::MouseLeave;
  using TKvoPngButton::TKvoPngButton;
  int paints = 0;

 protected:
  void DrawItem(const TDrawItemStruct& item) override {
    ++paints;
    TKvoPngButton::DrawItem(item);
  }
};

class ShownButton : public ::testing::Test {
 protected:
  ShownButton() {
    testing::Frameless(form, 120, 40);
    button = new CountingButton(&form);
    button->SetParent(&form);
    button->SetBounds(10, 10, 90, 22);
    form.Show();
    Settle();
    button->paints = 0;
  }
  // Lets scheduled paints happen; returns how many paints happened meanwhile.
  int Settle() {
    const int before = button->paints;
    QCoreApplication::processEvents();
    return button->paints - before;
  }
  TForm form;
  CountingButton* button = nullptr;
};

TEST(ButtonAppearance, NewAppearanceCarriesTheStandardLooks) {
  const TKvoButtonAppearance a;
  struct Row {
    const char* name;
    const TKvoItemStateParams& look;
    TColor color, upperFrom, upperTo, bottomFrom, bottomTo, border, font;
    int percent;
  };
  const std::vector<Row> rows = {
      {"Normal", a.Normal(), RGB(243, 243, 243), RGB(241, 241, 241), RGB(235, 235, 235),
       RGB(221, 221, 221), RGB(207, 207, 207), RGB(112, 112, 112), clBlack, 46},
      {"Hot", a.Hot(), RGB(232, 245, 252), RGB(234, 246, 253), RGB(217, 240, 252),
       RGB(190, 230, 253), RGB(167, 217, 245), RGB(60, 127, 177), clBlack, 46},
      {"Focused", a.Focused(), RGB(243, 243, 243), RGB(241, 241, 241), RGB(235, 235, 235),
       RGB(221, 221, 221), RGB(207, 207, 207), RGB(36, 170, 208), clBlack, 46},
      {"Down", a.Down(), RGB(197, 226, 241), RGB(229, 244, 252), RGB(196, 229, 246),
       RGB(152, 209, 239), RGB(114, 185, 223), RGB(30, 64, 89), clBlack, 52},
      {"Disabled", a.Disabled(), RGB(244, 244, 244), RGB(244, 244, 244), RGB(244, 244, 244),
       RGB(244, 244, 244), RGB(244, 244, 244), RGB(173, 178, 181), RGB(160, 160, 160), 46},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(r.look.Color(), r.color);
    EXPECT_EQ(r.look.UpperGradient().ColorFrom(), r.upperFrom);
    EXPECT_EQ(r.look.UpperGradient().ColorTo(), r.upperTo);
    EXPECT_EQ(r.look.BottomGradient().ColorFrom(), r.bottomFrom);
    EXPECT_EQ(r.look.BottomGradient().ColorTo(), r.bottomTo);
    EXPECT_EQ(r.look.Border().Color(), r.border);
    EXPECT_EQ(r.look.Font().Color(), r.font);
    EXPECT_EQ(r.look.UpperGradientPercent(), r.percent);
    EXPECT_EQ(r.look.BorderToGradientMargin(), 2);
    EXPECT_TRUE(r.look.GradientEnabled());
    EXPECT_FALSE(r.look.TransparentBackground() || r.look.TransparentFrame());
  }
  EXPECT_EQ(a.FocusRect().Pen().Color(), RGB(36, 170, 208));
  EXPECT_EQ(a.FocusRect().FocusType(), frtNone);
  EXPECT_EQ(a.BorderWhenDefault().Color(), RGB(36, 170, 208));
  EXPECT_EQ(a.GlyphDisabledGrayscaleFactor(), 255);
  EXPECT_EQ(a.GlyphDisabledBlendFactor(), 127);
  EXPECT_EQ(a.GlyphHotGammaFactor(), 130);
  EXPECT_TRUE(a.ShowCaption());
  EXPECT_FALSE(a.DefaultDrawing() || a.MoveWhenDown());
}

TEST(ButtonAppearance, EveryAssignmentNotifiesOnceEvenWithTheCurrentValue) {
  TKvoButtonAppearance a;
  std::vector<TObject*> senders;
  a.SetOnChange([&](TObject* sender) { senders.push_back(sender); });
  ASSERT_EQ(senders.size(), 1u) << "a new handler runs once at once";
  TKvoItemStateParams& hot = a.Hot();
  const std::vector<std::pair<const char*, std::function<void()>>> assignments = {
      {"Color", [&] { hot.SetColor(hot.Color()); }},
      {"GradientEnabled", [&] { hot.SetGradientEnabled(true); }},
      {"UpperGradientPercent", [&] { hot.SetUpperGradientPercent(46); }},
      {"BorderToGradientMargin", [&] { hot.SetBorderToGradientMargin(2); }},
      {"TransparentFrame", [&] { hot.SetTransparentFrame(false); }},
      {"Font", [&] { hot.SetFont(hot.Font()); }},
      {"font colour", [&] { hot.Font().SetColor(clRed); }},
      {"border width", [&] { hot.Border().SetWidth(3); }},
      {"gradient colour", [&] { hot.BottomGradient().SetColorTo(clRed); }},
      {"focus spacing", [&] { a.FocusRect().SetSpacing(2); }},
      {"glyph factor", [&] { a.SetGlyphHotGammaFactor(130); }},
      {"ShowCaption", [&] { a.SetShowCaption(true); }},
  };
  for (const auto& [name, assign] : assignments) {
    senders.clear();
    assign();
    EXPECT_EQ(senders.size(), 1u) << name;
    if (!senders.empty()) {
      EXPECT_EQ(senders[0], &a) << name;
    }
  }
  senders.clear();
  a.BorderWhenDefault().SetColor(clRed);
  a.Hot().BottomGradient().SetColorTo(clRed);  // unchanged: the gradient ignores it
  EXPECT_TRUE(senders.empty());
}

TEST(ButtonAppearance, AssignCopiesLooksAndKeepsTheTargetsHandler) {
  TKvoButtonAppearance source;
  source.Down().SetColor(clRed);
  source.Down().UpperGradient().SetOrientation(dgdRadial);
  source.Focused().Font().SetName("Serif");
  source.FocusRect().SetFocusType(frtCustom);
  source.FocusRect().Pen().SetWidth(2);
  source.BorderWhenDefault().SetColor(clLime);
  source.SetGlyphHotGammaFactor(230);
  TKvoButtonAppearance target;
  int notifications = 0;
  target.SetOnChange([&](TObject*) { ++notifications; });
  notifications = 0;
  target.Assign(&source);
  EXPECT_GT(notifications, 1) << "each copied value notifies";
  EXPECT_TRUE(target.OnChange());
  EXPECT_EQ(target.Down().Color(), clRed);
  EXPECT_EQ(target.Down().UpperGradient().Orientation(), dgdRadial);
  EXPECT_EQ(target.Focused().Font().Name(), "Serif");
  EXPECT_EQ(target.FocusRect().FocusType(), frtCustom);
  EXPECT_EQ(target.FocusRect().Pen().Width(), 2);
  EXPECT_EQ(target.BorderWhenDefault().Color(), clLime);
  EXPECT_EQ(target.GlyphHotGammaFactor(), 230);
}

TEST_F(ShownButton, LookChangesInvalidateButPngOptionsRepaintOnlyOnAChange) {
  button->Appearance().Normal().SetColor(button->Appearance().Normal().Color());
  EXPECT_EQ(button->paints, 0) << "invalidated, not painted at once";
  EXPECT_GE(Settle(), 1);

  button->SetPngOptions(button->PngOptions());
  EXPECT_EQ(button->paints, 1);
  EXPECT_EQ(Settle(), 0);
  button->SetPngOptions({pngGrayscaleOnDisabled});
  EXPECT_EQ(button->paints, 2) << "repainted at once";
}

TEST_F(ShownButton, SetButtonStyleRepaintsOnlyWhenTheValueChanges) {
  const bool initial = button->IsFocused();
  button->SetButtonStyle(initial);
  Settle();
  EXPECT_EQ(button->paints, 0);
  button->SetButtonStyle(!initial);
  EXPECT_EQ(button->paints, 1) << "repainted at once";
  EXPECT_EQ(button->IsFocused(), !initial);
}

TEST_F(ShownButton, PointerHandlersRunOnlyWithoutVisualStylesAndEveryCrossingRepaints) {
  for (const bool styles : {false, true}) {
    SCOPED_TRACE(styles ? "visual styles" : "classic");
    const TStyleScope scope(styles, kSystemStyleName);
    std::vector<std::string> calls;
    button->OnMouseEnter = [&](TObject* sender) {
      EXPECT_EQ(sender, button);
      calls.push_back("enter");
    };
    button->OnMouseLeave = [&](TObject*) { calls.push_back("leave"); };
    for (int i = 0; i < 2; ++i) {
      const int before = button->paints;
      button->MouseEnter();
      EXPECT_TRUE(button->MouseOver());
      EXPECT_EQ(button->MouseInControl(), styles);
      button->MouseLeave();
      EXPECT_FALSE(button->MouseOver());
      EXPECT_FALSE(button->MouseInControl());
      EXPECT_EQ(button->paints - before, 2) << "every enter and leave repaints";
    }
    const std::vector<std::string> expected =
        styles ? std::vector<std::string>{}
               : std::vector<std::string>{"enter", "leave", "enter", "leave"};
    EXPECT_EQ(calls, expected);
  }
}

TEST_F(ShownButton, MouseInControlClearedByALeaveAfterStylesWereSwitchedOff) {
  {
    const TStyleScope scope(true, kSystemStyleName);
    button->MouseEnter();
  }
  button->MouseLeave();
  EXPECT_FALSE(button->MouseInControl());
}

TEST(PngButtonGlyph, GammaChunkIsDroppedForColourTypesTwoThreeAndSix) {
  for (const int colorType : {0, 2, 3, 4, 6}) {
    testing::RawPng raw;
    raw.width = 2;
    raw.height = 1;
    raw.colorType = colorType;
    raw.samples.assign(2 * testing::ChannelCount(colorType), 0);
    if (colorType == 3) raw.palette = {{1, 2, 3}};
    raw.extraChunks = {{"gAMA", {0, 0, 0xB1, 0x8F}}};
    TPngImage png;
    png.LoadFromBytes(testing::EncodeRawPng(raw));
    ASSERT_TRUE(png.HasChunk("gAMA"));
    TKvoPngButton button;
    button.SetPngImage(&png);
    const bool keeps = colorType == 0 || colorType == 4;
    EXPECT_EQ(button.PngImage().HasChunk("gAMA"), keeps) << "colour type " << colorType;
    EXPECT_TRUE(png.HasChunk("gAMA")) << "the source keeps its chunk";
  }
  TKvoPngButton button;
  const auto glyph = SolidGlyph(4, 4, clRed);
  button.SetPngImage(glyph.get());
  button.SetPngImage(nullptr);
  EXPECT_TRUE(button.PngImage().Empty());
}

TEST(PngButtonGlyph, TakenFromTheActionOnlyWhileEmptyOrItselfFromAnAction) {
  TPngImageList images;
  for (const TColor color : {clRed, clLime, clBlue, clYellow}) {
    const auto glyph = SolidGlyph(16, 16, color);
    images.AddPng(glyph.get());
  }
  TActionList list;
  list.SetImages(&images);
  TAction action;
  action.SetActionList(&list);

  CountingButton button;
  action.SetImageIndex(4);
  button.SetAction(&action);
  EXPECT_TRUE(button.PngImage().Empty()) << "index beyond the list";
  action.SetImageIndex(3);
  EXPECT_EQ(button.PngImage().Pixel(0, 0), clYellow);
  EXPECT_TRUE(button.ImageFromAction());
  action.SetImageIndex(1);
  EXPECT_EQ(button.PngImage().Pixel(0, 0), clLime) << "follows the action while taken from it";
  action.SetImageIndex(-1);
  EXPECT_EQ(button.PngImage().Pixel(0, 0), clLime);

  const auto own = SolidGlyph(24, 24, clFuchsia);
  button.SetPngImage(own.get());
  EXPECT_FALSE(button.ImageFromAction());
  action.SetImageIndex(2);
  EXPECT_EQ(button.PngImage().Pixel(0, 0), clFuchsia) << "a layout glyph stays";
}

TEST(PngButtonFonts, SetPngButtonFontsChangesNameAndSizeOnly) {
  TKvoPngButton button;
  button.Appearance().Normal().Font().SetColor(RGB(35, 35, 35));
  button.Appearance().Hot().Font().SetStyle({fsBold});
  SetPngButtonFonts(button, "Segoe UI", 9);
  TKvoButtonAppearance& a = button.Appearance();
  for (const TFont* font : {&button.Font(), &a.Normal().Font(), &a.Hot().Font(), &a.Down().Font(),
                            &a.Focused().Font(), &a.Disabled().Font()}) {
    EXPECT_EQ(font->Name(), "Segoe UI");
    EXPECT_EQ(font->Size(), 9);
  }
  EXPECT_EQ(a.Normal().Font().Color(), RGB(35, 35, 35));
  EXPECT_EQ(a.Hot().Font().Style(), TFontStyles{fsBold});
  EXPECT_EQ(a.Disabled().Font().Color(), RGB(160, 160, 160));
}

}  // namespace
}  // namespace mirto
