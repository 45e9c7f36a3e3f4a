#include <gtest/gtest.h>

#include <QString>
#include <array>
#include <climits>
#include <cstdint>

#include "graphics/KvoGradient.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/PngImage.h"
#include "platform/drawing/StylePainting.h"
#include "tests/support/PixelPicture.h"
#include "tests/support/PngMutator.h"

namespace mirto {
namespace {

// 200,000 random canvas and gradient operations with coordinates, sizes and origins
// taken mostly from the ends of int. Whatever they are asked, they must stay
// defined (the sanitizer build checks that) and paint nothing outside the
// selected clip region.
class ExtremeOperations {
 public:
  explicit ExtremeOperations(std::uint64_t seed) : rng_(seed) {
    sprite_.SetSize(5, 4);
    sprite_.Canvas().Brush().SetColor(clLime);
    sprite_.Canvas().FillRect({1, 1, 4, 3});
    sprite_.SetTransparent(true);
    glyph_.CreateBlank(COLOR_RGBALPHA, 3, 3);
    glyph_.AlphaScanline(1)[1] = 200;
    glyph_.ScanLine(1)[4] = 255;
    angleCache_.SetSize(4, 4);
  }

  int Coordinate() {
    static constexpr std::array<int, 16> kExtremes = {
        INT_MIN, INT_MIN + 1,   -(1 << 30), -(1 << 29) - 1, -70000,      -1,      0,  1,
        16,      (1 << 29) + 1, 1 << 30,    70000,          INT_MAX - 1, INT_MAX, 23, 7};
    if (rng_.Below(3) == 0) return static_cast<int>(rng_.Below(64)) - 20;
    return kExtremes[rng_.Below(kExtremes.size())];
  }
  TRect Rect() { return {Coordinate(), Coordinate(), Coordinate(), Coordinate()}; }
  TPoint Point() { return {Coordinate(), Coordinate()}; }
  TColor Color() { return rng_.Below(8) == 0 ? clBtnFace : TColor(rng_.Next() & 0xFFFFFF); }

  void Run(TCanvas& canvas) {
    canvas.Pen().SetColor(Color());
    canvas.Brush().SetColor(Color());
    const QString text = QStringLiteral("Ab &cd ef&&g hij");
    switch (rng_.Below(22)) {
      case 0:
        canvas.FillRect(Rect());
        break;
      case 1:
        canvas.FrameRect(Rect());
        break;
      case 2:
        canvas.Pen().SetWidth(std::array<int, 5>{0, 1, 2, 7, 40}[rng_.Below(5)]);
        canvas.Pen().SetMode(static_cast<TPenMode>(rng_.Below(16)));
        canvas.Pen().SetStyle(rng_.Below(4) == 0 ? psClear : psSolid);
        canvas.Brush().SetStyle(rng_.Below(4) == 0 ? bsClear : bsSolid);
        canvas.Rectangle(Rect());
        break;
      case 3:
        canvas.RoundRect(Rect(), Coordinate(), Coordinate());
        break;
      case 4:
        canvas.Ellipse(Rect());
        break;
      case 5: {
        const TPoint from = Point(), to = Point();
        canvas.MoveTo(from.X, from.Y);
        canvas.LineTo(to.X, to.Y);
        break;
      }
      case 7:
        canvas.TextOut(Coordinate(), Coordinate(), text);
        break;
      case 9: {
        static constexpr std::array<TTextFormat, 8> kFlags = {
            DT_NOCLIP,  DT_WORDBREAK, DT_CALCRECT, DT_SINGLELINE,
            DT_VCENTER, DT_BOTTOM,    DT_CENTER,   DT_RIGHT};
        TTextFormat flags = 0;
        for (TTextFormat f : kFlags)
          if (rng_.Below(3) == 0) flags |= f;
        TRect r = Rect();
        canvas.DrawText(text, r, flags);
        break;
      }
      case 10:
        canvas.DrawFocusRect(Rect());
        break;
      case 11:
        if (rng_.Below(2) == 0)
          canvas.Draw(Coordinate(), Coordinate(), sprite_);
        else
          canvas.Draw(Coordinate(), Coordinate(), glyph_);
        break;
      case 12:
        if (rng_.Below(2) == 0)
          canvas.StretchDraw(Rect(), sprite_);
        else
          canvas.StretchDraw(Rect(), glyph_);
        break;
      case 13:
        canvas.CopyRect(Rect(), sprite_.Canvas(), Rect());
        break;
      case 14:
        canvas.PlgBlt({Point(), Point(), Point()}, sprite_, Rect());
        break;
      case 15:
        canvas.SetPixels(Coordinate(), Coordinate(), Color());
        (void)canvas.Pixels(Coordinate(), Coordinate());
        break;
      case 16:
        canvas.SetWindowOrg(rng_.Below(2) == 0 ? TPoint{} : Point());
        break;
      case 17:
        GradientFillCanvas(canvas, Color(), Color(), Rect(),
                           rng_.Below(2) == 0 ? gdHorizontal : gdVertical);
        break;
      case 18: {
        TRect r = Rect();
        Frame3D(canvas, r, Color(), Color(), Coordinate());
        break;
      }
      case 19: {
        TRect r = Rect();
        DrawPushButtonFace(canvas, r);
        break;
      }
      case 20:
        if (rng_.Below(2) == 0)
          FillStepsConcentric(canvas, Rect(), Color(), Color(), std::uint8_t(rng_.Next()), Rect(),
                              rng_.Below(2) == 0 ? cshEllipse : cshRectangle);
        else
          FillStepsHorizontal(canvas, Rect(), Color(), Color(), std::uint8_t(rng_.Next()));
        break;
      default:
        GradientFillEx(canvas, Rect(), Color(), Color(), TDgradOrientation(rng_.Below(6)),
                       std::uint16_t(rng_.Below(2) == 0 ? 50 : rng_.Next()),
                       std::uint16_t(rng_.Below(360)), TDgradBalanceMode(rng_.Below(7)),
                       std::uint8_t(rng_.Next()), Coordinate(), rng_.Below(2) == 0,
                       rng_.Below(2) == 0 ? &angleCache_ : nullptr);
        break;
    }
  }

 private:
  testing::TMutationRng rng_;
  TBitmap sprite_;
  TPngImage glyph_;
  TBitmap angleCache_;
};

TEST(ExtremeCoordinates, RandomOperationsStayDefinedAndInsideTheClipRegion) {
  constexpr TRect kClip{4, 3, 20, 13};
  constexpr TColor kOutside = RGB(9, 8, 7);
  ExtremeOperations operations(424242);
  for (TPixelFormat format : {pf24bit, pf32bit}) {
    for (int batch = 0; batch < 400; ++batch) {
      TBitmap board;
      testing_support::Blank(board, 24, 16, kOutside, format);
      TCanvas& canvas = board.Canvas();
      canvas.SelectClipRegion(CreateRectRgn(kClip));
      for (int op = 0; op < 250; ++op) operations.Run(canvas);
      canvas.ClearClipRegion();
      canvas.SetWindowOrg({});
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 24; ++x) {
          if (!kClip.Contains({x, y})) {
            ASSERT_EQ(canvas.Pixels(x, y), kOutside) << x << "," << y << " batch " << batch;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace mirto
