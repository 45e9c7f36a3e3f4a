#include <gtest/gtest.h>

#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>
#include <memory>

#include "components/ButtonEx.h"
#include "platform/toolkit/FileDrop.h"
#include "tests/platform/toolkit/ControlTestSupport.h"
#include "tests/support/PixelBoard.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

using testing_support::PixelBoard;

class TestButton : public TButtonEx {
 public:
  using TButtonEx::MouseEnter;
  using TButtonEx::MouseLeave;
  TestButton() { SetBounds(0, 0, 100, 30); }
};

constexpr TColor kGray = RGB(128, 128, 128);

TEST(ButtonExLook, LaterStateRulesWin) {
  TestButton b;
  b.SetColorBg(RGB(1, 0, 0));
  b.SetColorOver(RGB(2, 0, 0));
  b.SetColorDown(RGB(3, 0, 0));
  b.SetColorInactive(RGB(4, 0, 0));
  b.SetColorBgGradientStart(RGB(0, 1, 0));
  b.SetColorOverGradientStart(RGB(0, 2, 0));
  b.SetColorDownGradientStart(RGB(0, 3, 0));
  b.SetColorInactiveGradientStart(RGB(0, 4, 0));
  b.SetColorBorder(RGB(0, 0, 1));
  b.SetColorBorderOver(RGB(0, 0, 2));
  b.SetColorBorderDown(RGB(0, 0, 3));
  b.SetColorBorderInactive(RGB(0, 0, 4));
  b.SetShowFocusRect(true);
  const TFont* own = &b.Font();
  const TFont* over = &b.FontOver();
  const TFont* down = &b.FontDown();
  const TFont* focus = &b.FontFocus();
  struct Case {
    const char* name;
    TButtonExState state;
    int rule;  // 1 normal, 2 over, 3 down, 4 disabled
    const TFont* font;
    TColor focusColor;
  };
  const Case cases[] = {
      {"normal", {}, 1, own, kGray},
      {"over", {.Over = true}, 2, over, RGB(80, 80, 80)},
      {"down wins over over", {.Down = true, .Over = true}, 3, down, RGB(120, 120, 120)},
      {"focused alone uses the focus font", {.Focused = true}, 1, focus, kGray},
      {"focused and over uses the over font", {.Over = true, .Focused = true}, 2, over, 0},
      {"focused and down uses the down font", {.Down = true, .Focused = true}, 3, down, 0},
      {"disabled wins over down and over",
       {.Down = true, .Over = true, .Enabled = false},
       4,
       down,
       0},
      {"disabled alone", {.Enabled = false}, 4, own, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TButtonExLook look = b.LookFor(c.state);
    EXPECT_EQ(look.Background, RGB(static_cast<std::uint8_t>(c.rule), 0, 0));
    EXPECT_EQ(look.GradientStart, RGB(0, static_cast<std::uint8_t>(c.rule), 0));
    EXPECT_EQ(look.Border, RGB(0, 0, static_cast<std::uint8_t>(c.rule)));
    EXPECT_EQ(look.Font, c.font);
    EXPECT_EQ(look.GrayText, !c.state.Enabled);
    EXPECT_EQ(look.FocusFrame, c.state.Focused);
    if (c.focusColor != 0) {
      EXPECT_EQ(look.FocusFrameColor, c.focusColor);
    }
  }
}

TEST(ButtonExPaint, FocusFrameIsInsetByFiveAndOnlyShownWhenAsked) {
  for (bool show : {false, true}) {
    SCOPED_TRACE(show);
    TestButton b;
    b.SetColorBg(clWhite);
    b.SetShowFocusRect(show);
    b.SetColorFocusRect(clRed);
    PixelBoard board(100, 30);
    b.PaintState(board.Canvas(), {.Focused = true});
    const auto picture = board.Picture({{clRed, 'F'}, {clBlack, '#'}});
    if (!show) {
      for (const auto& row : picture) EXPECT_EQ(row.find('F'), std::string::npos);
      continue;
    }
    // Frame 5, 5, 95, 25: columns 5..94, rows 5..24.
    EXPECT_EQ(picture[5].substr(4, 92), "." + std::string(90, 'F') + ".");
    EXPECT_EQ(picture[24].substr(4, 92), "." + std::string(90, 'F') + ".");
    EXPECT_EQ(picture[4][50], '.');
    EXPECT_EQ(picture[25][50], '.');
    EXPECT_EQ(picture[15][5], 'F');
    EXPECT_EQ(picture[15][94], 'F');
    EXPECT_EQ(picture[15][95], '.');
    // The one-pixel outline of the button itself.
    EXPECT_EQ(picture[0], std::string(100, '#'));
    EXPECT_EQ(picture[15][99], '#');
  }
}

TEST(ButtonExPaint, DefaultButtonGetsAFrameAsWideAsPenWidthDefault) {
  TestButton b;
  b.SetColorBg(clWhite);
  b.SetColorBorder(clBlue);
  b.SetDefault(true);
  PixelBoard board(100, 30);
  b.PaintState(board.Canvas(), {.Default = true});
  const auto picture = board.Picture({{clBlue, '#'}});
  // A 3-pixel pen centred on the edge: two rows inside the button.
  EXPECT_EQ(picture[15].substr(0, 3), "##.");
  EXPECT_EQ(picture[1][50], '#');
  EXPECT_EQ(picture[2][50], '.');
}

// The caption and glyph drawn where the button puts them equal a picture of
// the same button without them, with the text and glyph drawn by hand.
struct PlacementCase {
  const char* name;
  TAlignment alignment;
  bool glyph;
  TButtonLayout layout;
  // Expected positions from text width/height, glyph size, w, h, spacing.
  TPoint (*text)(int tw, int th, int w, int h);
  TPoint (*glyphAt)(TPoint text, int tw, int th, int w, int h);
};

constexpr int kGlyph = 10;
constexpr int kSpacing = 4;
constexpr int kMargin = 4;

TEST(ButtonExPaint, CaptionAndGlyphPlacement) {
  const PlacementCase cases[] = {
      {"centre", taCenter, false, blGlyphLeft,
       [](int tw, int th, int w, int h) { return Point(kMargin + w / 2 - tw / 2, h / 2 - th / 2); },
       nullptr},
      {"left", taLeftJustify, false, blGlyphLeft,
       [](int, int th, int, int h) { return Point(kMargin, h / 2 - th / 2); }, nullptr},
      {"right", taRightJustify, false, blGlyphLeft,
       [](int tw, int th, int w, int h) { return Point(w - tw - kMargin, h / 2 - th / 2); },
       nullptr},
      {"glyph left", taRightJustify, true, blGlyphLeft,
       [](int tw, int th, int w, int h) {
         return Point((w - tw + kGlyph + kSpacing) / 2, h / 2 - th / 2);
       },
       [](TPoint t, int, int, int, int h) {
         return Point(t.X - kSpacing - kGlyph, h / 2 - kGlyph / 2);
       }},
      {"glyph right", taLeftJustify, true, blGlyphRight,
       [](int tw, int th, int w, int h) {
         return Point(w / 2 - (kGlyph + kSpacing + tw) / 2, h / 2 - th / 2);
       },
       [](TPoint t, int tw, int, int, int h) {
         return Point(t.X + tw + kSpacing, h / 2 - kGlyph / 2);
       }},
      {"glyph top", taCenter, true, blGlyphTop,
       [](int tw, int th, int w, int h) {
         return Point(w / 2 - tw / 2, h / 2 + kGlyph / 2 + kSpacing / 2 - th / 2);
       },
       [](TPoint t, int, int, int w, int) {
         return Point(w / 2 - kGlyph / 2, t.Y - kSpacing - kGlyph);
       }},
      {"glyph bottom", taCenter, true, blGlyphBottom,
       [](int tw, int th, int w, int h) {
         return Point(w / 2 - tw / 2, h / 2 - kGlyph / 2 - kSpacing / 2 - th / 2);
       },
       [](TPoint t, int, int th, int w, int) {
         return Point(w / 2 - kGlyph / 2, t.Y + th + kSpacing);
       }},
  };
  TBitmap glyph;
  testing_support::Blank(glyph, kGlyph, kGlyph, clFuchsia);
  glyph.Canvas().Brush().SetColor(clBlue);
  glyph.Canvas().FillRect({2, 2, 8, 8});

  for (const PlacementCase& c : cases) {
    SCOPED_TRACE(c.name);
    TestButton b;
    b.SetBounds(0, 0, 120, 60);
    b.SetColorBg(clWhite);
    b.SetTextAlignment(c.alignment);
    b.SetTextMargin(kMargin);
    b.SetLayout(c.layout);
    b.SetSpacing(kSpacing);
    b.Font().SetColor(clRed);

    PixelBoard expected(120, 60);
    b.PaintState(expected.Canvas(), {});
    b.SetCaption(QStringLiteral("Go & see"));
    if (c.glyph) b.SetGlyph(glyph);
    PixelBoard actual(120, 60);
    b.PaintState(actual.Canvas(), {});

    TCanvas& canvas = expected.Canvas();
    canvas.Font().Assign(&b.Font());
    canvas.Brush().SetStyle(bsClear);
    const QString shown = QStringLiteral("Go & see");
    const int tw = canvas.TextWidth(shown);
    const int th = canvas.TextHeight(shown);
    const TPoint t = c.text(tw, th, 120, 60);
    canvas.TextOut(t.X + 1, t.Y + 1, shown);
    if (c.glyph) {
      const TPoint g = c.glyphAt(t, tw, th, 120, 60);
      canvas.Brush().SetColor(clBlue);
      canvas.FillRect({g.X + 2, g.Y + 2, g.X + 8, g.Y + 8});
    }
    EXPECT_EQ(actual.DifferenceFrom(expected), "");
  }
}

// A single "&" of a program's name vanished from its button and from the
// button's accessible name: the caption is shown as it stands.
TEST(ButtonExPaint, AmpersandOfTheCaptionIsDrawnAndNamedAsItStands) {
  for (const QString& caption :
       {QStringLiteral("Audio Extractor & Converter"),
        QStringLiteral("FLAC -> MP3 / WAV & CUE Splitter"), QStringLiteral("Go && see")}) {
    SCOPED_TRACE(caption.toStdString());
    TestButton b;
    b.SetBounds(0, 0, 260, 33);
    b.SetColorBg(clWhite);
    PixelBoard expected(260, 33);
    b.PaintState(expected.Canvas(), {});
    b.SetCaption(caption);
    PixelBoard actual(260, 33);
    b.PaintState(actual.Canvas(), {});

    TCanvas& canvas = expected.Canvas();
    canvas.Font().Assign(&b.Font());
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(130 - canvas.TextWidth(caption) / 2 + 1, 16 - canvas.TextHeight(caption) / 2 + 1,
                   caption);
    EXPECT_EQ(actual.DifferenceFrom(expected), "");
    EXPECT_EQ(b.AccessibleName(), caption);
  }
}

TEST(ButtonExPaint, DisabledCaptionIsGrayWhateverTheFont) {
  TestButton b;
  b.SetColorInactive(clWhite);
  b.FontDown().SetColor(clRed);
  b.SetCaption(QStringLiteral("MMMM"));
  PixelBoard board(100, 30);
  b.PaintState(board.Canvas(), {.Down = true, .Over = true, .Enabled = false});
  bool gray = false;
  bool red = false;
  for (int y = 1; y < 29; ++y)
    for (int x = 1; x < 99; ++x) {
      gray |= board.At(x, y) == ColorToRGB(clGrayText);
      red |= board.At(x, y) == clRed;
    }
  EXPECT_TRUE(gray);
  EXPECT_FALSE(red);
  EXPECT_EQ(board.At(50, 2), clWhite);
}

TEST(ButtonExPaint, HoveredGradientRunsFromBlackAtTheTopToColorOverAtTheBottom) {
  TestButton b;
  b.SetUseGradient(true);
  b.SetColorOver(RGB(200, 100, 250));
  PixelBoard board(100, 30);
  b.PaintState(board.Canvas(), {.Over = true});
  int previous = -1;
  for (int y = 1; y < 29; ++y) {
    const int red = GetRValue(board.At(50, y));
    EXPECT_GE(red, previous) << "row " << y;
    previous = red;
  }
  EXPECT_LT(GetRValue(board.At(50, 1)), 20);
  EXPECT_GT(GetRValue(board.At(50, 28)), 185);
  EXPECT_GT(GetBValue(board.At(50, 28)), 230);
  // The border is drawn over the gradient.
  EXPECT_EQ(board.At(50, 0), RGB(80, 80, 80));
}

TEST(ButtonExPaint, GlyphDrawsWithoutItsTransparentColourEnabledOrDisabled) {
  TBitmap glyph;
  testing_support::Blank(glyph, 10, 10, clFuchsia);
  glyph.Canvas().Brush().SetColor(clBlue);
  glyph.Canvas().FillRect({3, 3, 7, 7});
  for (bool enabled : {true, false}) {
    SCOPED_TRACE(enabled);
    TestButton b;
    b.SetColorBg(clWhite);
    b.SetColorInactive(clWhite);
    b.SetGlyph(glyph);
    PixelBoard board(100, 30);
    b.PaintState(board.Canvas(), {.Enabled = enabled});
    int blue = 0;
    int fuchsia = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 100; ++x) {
        blue += board.At(x, y) == clBlue;
        fuchsia += board.At(x, y) == clFuchsia;
      }
    EXPECT_EQ(blue, 16);
    EXPECT_EQ(fuchsia, 0);
    // The settings stay on the glyph; the disabled copy leaves it 24-bit.
    EXPECT_TRUE(b.Glyph().Transparent());
    EXPECT_EQ(b.Glyph().TransparentMode(), tmFixed);
    EXPECT_EQ(b.Glyph().TransparentColor(), clFuchsia);
    EXPECT_EQ(b.Glyph().PixelFormat(), pf24bit);
  }
}

TEST(ButtonExPointer, EnterAndLeaveSetOverAndFireOnceExceptWhileDesigning) {
  for (bool designing : {false, true}) {
    SCOPED_TRACE(designing);
    TestButton b;
    b.SetDesigning(designing);
    int enters = 0;
    int leaves = 0;
    b.OnMouseEnter = [&](TObject* sender) {
      EXPECT_EQ(sender, &b);
      EXPECT_TRUE(b.Over());
      ++enters;
    };
    b.OnMouseLeave = [&](TObject*) { ++leaves; };
    b.MouseEnter();
    EXPECT_TRUE(b.Over());
    b.MouseLeave();
    EXPECT_FALSE(b.Over());
    EXPECT_EQ(enters, designing ? 0 : 1);
    EXPECT_EQ(leaves, designing ? 0 : 1);
  }
}

// Files dragged over a program button and away again left it looking hot.
TEST(ButtonExPointer, ADragThatLeavesTakesThePointerOverLookAway) {
  TestButton b;
  b.SetColorBg(clWhite);
  b.SetColorOver(clYellow);
  AcceptFileDrops(b, [](TControl&, const QStringList&) {});
  QWidget* widget = testing::NativeWidgetOf(b);
  QMimeData files;
  files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/clip.avi"))});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &files, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &enter);
  ASSERT_TRUE(b.Over());
  EXPECT_EQ(testing_support::PixelAt(testing_support::Grab(b), 50, 15), clYellow);
  QDragLeaveEvent leave;
  QApplication::sendEvent(widget, &leave);
  EXPECT_FALSE(b.Over());
  EXPECT_EQ(testing_support::PixelAt(testing_support::Grab(b), 50, 15), clWhite);
}

TEST(ButtonExPointer, HandlerThatDestroysTheButtonDoesNotCrash) {
  auto* b = new TestButton();
  b->OnMouseEnter = [b](TObject*) { delete b; };
  b->MouseEnter();
  SUCCEED();
}

}  // namespace
}  // namespace mirto
