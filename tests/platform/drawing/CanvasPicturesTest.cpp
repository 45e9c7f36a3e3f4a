// Bitmaps, icons and the blits that put pictures on a canvas.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <climits>
#include <string>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Icon.h"
#include "tests/support/DrawingSeam.h"
#include "tests/support/PixelPicture.h"

namespace mirto {
namespace {

using testing_support::Blank;
using testing_support::Picture;
using testing_support::Rows;

// A bitmap whose pixel (x, y) has the colour RGB(10 * x, 10 * y, 99).
void Numbered(TBitmap& bitmap, int width, int height, TPixelFormat format = pf24bit) {
  bitmap.SetPixelFormat(format);
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      bitmap.Canvas().SetPixels(
          x, y, RGB(static_cast<std::uint8_t>(10 * x), static_cast<std::uint8_t>(10 * y), 99));
}

// Which source pixel each pixel shows: "xy" digits, ".." for `background`.
std::string Origins(TBitmap& bitmap, TColor background = clWhite) {
  std::string rows;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const TColor c = bitmap.Canvas().Pixels(x, y);
      if (x > 0) rows += ' ';
      if (c == background) {
        rows += "..";
      } else if (GetBValue(c) == 99 && GetRValue(c) % 10 == 0 && GetGValue(c) % 10 == 0) {
        rows += static_cast<char>('0' + GetRValue(c) / 10);
        rows += static_cast<char>('0' + GetGValue(c) / 10);
      } else {
        rows += "??";
      }
    }
    rows += '\n';
  }
  return rows;
}

TEST(Bitmap, RowsHoldBlueGreenRedAndAlpha) {
  TBitmap bitmap;
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.ScanLine(0), nullptr);
  bitmap.SetSize(3, 2);
  bitmap.Canvas().SetPixels(1, 1, RGB(1, 2, 3));
  const std::uint8_t* row = bitmap.ScanLine(1);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row[3], 3);
  EXPECT_EQ(row[4], 2);
  EXPECT_EQ(row[5], 1);
  EXPECT_EQ(bitmap.ScanLine(2), nullptr);
  EXPECT_EQ(bitmap.ScanLine(-1), nullptr);

  bitmap.SetPixelFormat(pf32bit);
  row = bitmap.ScanLine(1);
  EXPECT_EQ(row[4], 3);
  EXPECT_EQ(row[5], 2);
  EXPECT_EQ(row[6], 1);
  EXPECT_EQ(row[7], 255);
  bitmap.ScanLine(0)[0] = 7;  // blue of pixel (0, 0)
  EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), RGB(255, 255, 7));

  // Back to 24 bits the colours stay, whatever the alpha bytes held.
  bitmap.ScanLine(1)[7] = 0;
  bitmap.SetPixelFormat(pf24bit);
  EXPECT_EQ(bitmap.Canvas().Pixels(1, 1), RGB(1, 2, 3));
  EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), RGB(255, 255, 7));
}

TEST(Bitmap, ResizingKeepsTheTopLeftAndAddsWhite) {
  TBitmap bitmap;
  Numbered(bitmap, 2, 2);
  bitmap.SetSize(3, 1);
  EXPECT_EQ(Origins(bitmap), "00 10 ..\n");
  bitmap.SetSize(-5, 4);
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.Width(), 0);
}

TEST(Bitmap, AbsurdSizeLeavesTheBitmapEmptyWithoutAllocating) {
  TBitmap bitmap;
  bitmap.SetSize(4, 4);
  bitmap.SetSize(100000, 100000);
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.ScanLine(0), nullptr);
  bitmap.Canvas().Brush().SetColor(clRed);
  bitmap.Canvas().FillRect({0, 0, 10, 10});
  EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), clNone);
  bitmap.SetSize(2, 2);
  EXPECT_EQ(bitmap.Canvas().Pixels(1, 1), clWhite);
}

TEST(Bitmap, AssignCopiesPixelsAndTransparency) {
  TBitmap source;
  Numbered(source, 2, 2, pf32bit);
  source.SetTransparent(true);
  source.SetTransparentMode(tmFixed);
  source.SetTransparentColor(clFuchsia);
  TBitmap copy;
  int changes = 0;
  copy.OnChange = [&changes](TObject*) { ++changes; };
  copy.Assign(&source);
  EXPECT_GT(changes, 0);
  EXPECT_EQ(copy.PixelFormat(), pf32bit);
  EXPECT_TRUE(copy.Transparent());
  EXPECT_EQ(copy.TransparentMode(), tmFixed);
  EXPECT_EQ(copy.TransparentColor(), clFuchsia);
  EXPECT_EQ(Origins(copy), Origins(source));
  source.Canvas().SetPixels(0, 0, clBlack);
  EXPECT_EQ(copy.Canvas().Pixels(0, 0), RGB(0, 0, 99));  // a copy, not shared

  TCanvas canvas;
  EXPECT_THROW(copy.Assign(&canvas), EConvertError);
}

TEST(Bitmap, TransparentDrawLeavesTheTransparentColourOut) {
  struct Case {
    const char* name;
    TTransparentMode mode;
    TColor fixed;
    Rows picture;
  };
  // The source: left column fuchsia, the rest green, bottom-left fuchsia.
  const Case cases[] = {
      {"auto takes the bottom-left pixel", tmAuto, clDefault, {".##", ".##"}},
      {"fixed colour", tmFixed, clLime, {"o..", "o.."}},
  };
  for (const Case& c : cases) {
    TBitmap glyph;
    Blank(glyph, 3, 2, clLime);
    glyph.Canvas().Brush().SetColor(clFuchsia);
    glyph.Canvas().FillRect({0, 0, 1, 2});
    glyph.SetTransparent(true);
    glyph.SetTransparentMode(c.mode);
    glyph.SetTransparentColor(c.fixed);

    TBitmap target;
    Blank(target, 3, 2);
    target.Canvas().Draw(0, 0, glyph);
    EXPECT_EQ(Picture(target, {{clLime, '#'}, {clFuchsia, 'o'}}), c.picture) << c.name;
  }
}

TEST(Bitmap, DrawHonoursOriginClipAndStretch) {
  TBitmap source;
  Numbered(source, 2, 2);
  TBitmap target;
  Blank(target, 4, 4);
  TCanvas& canvas = target.Canvas();
  canvas.SetWindowOrg({1, 0});
  canvas.Draw(2, 1, source);  // device (1, 1)
  canvas.SetWindowOrg({0, 0});
  EXPECT_EQ(Origins(target),
            ".. .. .. ..\n"
            ".. 00 10 ..\n"
            ".. 01 11 ..\n"
            ".. .. .. ..\n");

  Blank(target, 4, 4);
  canvas.SelectClipRegion(CreateRectRgn({0, 0, 3, 4}));
  canvas.StretchDraw({0, 0, 4, 4}, source);
  canvas.ClearClipRegion();
  EXPECT_EQ(Origins(target),
            "00 00 10 ..\n"
            "00 00 10 ..\n"
            "01 01 11 ..\n"
            "01 01 11 ..\n");

  // Drawing a bitmap onto itself reads the pixels as they were.
  Numbered(source, 3, 1);
  source.Canvas().Draw(1, 0, source);
  EXPECT_EQ(Origins(source), "00 00 10\n");

  Blank(target, 2, 1);
  target.Canvas().CopyRect({0, 0, 2, 1}, source.Canvas(), {1, 0, 3, 1});
  EXPECT_EQ(Origins(target), "00 10\n");
}

TEST(Bitmap, ScaledDrawSamplesPixelCentresNotTruncatedOffsets) {
  // Truncating offsets showed 0, 0, 1, 1, 2 for 3 -> 5; every other scaled
  // path samples the source under each target pixel's centre.
  struct Case {
    int sourceWidth, targetWidth;
    const char* shown;
  };
  for (const Case& c : {Case{3, 5, "00 00 10 20 20\n"}, Case{5, 3, "00 20 40\n"},
                        Case{3, 7, "00 00 10 10 10 20 20\n"}, Case{7, 3, "10 30 50\n"}}) {
    TBitmap source;
    Numbered(source, c.sourceWidth, 1);
    TBitmap target;
    Blank(target, c.targetWidth, 1);
    target.Canvas().StretchDraw({0, 0, c.targetWidth, 1}, source);
    EXPECT_EQ(Origins(target), c.shown) << c.sourceWidth << " -> " << c.targetWidth;
  }
  // Rows follow the same rule as columns.
  TBitmap source;
  Numbered(source, 1, 3);
  TBitmap target;
  Blank(target, 1, 5);
  target.Canvas().StretchDraw({0, 0, 1, 5}, source);
  EXPECT_EQ(Origins(target), "00\n00\n01\n02\n02\n");
}

TEST(Bitmap, PictureEndingBeyondIntIsCutByTheTargetNotLost) {
  // With the origin near the end of int, a picture drawn there lands on the
  // target although its right and bottom edges lie beyond int.
  TBitmap source;
  Numbered(source, 3, 2);
  struct Case {
    TPoint origin, at;
    const char* shown;
  };
  for (const Case& c : {Case{{INT_MAX - 4, 0}, {INT_MAX - 3, 0}, ".. 00 10 20\n.. 01 11 21\n"},
                        Case{{0, INT_MAX - 1}, {2, INT_MAX - 1}, ".. .. 00 10\n.. .. 01 11\n"},
                        Case{{INT_MIN, 0}, {INT_MAX - 1, 0}, ".. .. .. ..\n.. .. .. ..\n"}}) {
    TBitmap target;
    Blank(target, 4, 2);
    target.Canvas().SetWindowOrg(c.origin);
    target.Canvas().Draw(c.at.X, c.at.Y, source);
    target.Canvas().SetWindowOrg({});
    EXPECT_EQ(Origins(target), c.shown) << c.at.X << "," << c.at.Y;
  }
}

TEST(Bitmap, ScaledCopyBetweenRectanglesOfTwoToTheThirtyTwoRowsMapsRowsExactly) {
  // Both rectangles are 2^32 - 1 rows high: row y maps to row y, and the
  // product of offset and height needs more than 64 bits.
  TBitmap source;
  Numbered(source, 2, 2);
  TBitmap target;
  Blank(target, 4, 2);
  target.Canvas().CopyRect({0, INT_MIN, 4, INT_MAX}, source.Canvas(), {0, INT_MIN, 2, INT_MAX});
  EXPECT_EQ(Origins(target),
            "00 00 10 10\n"
            "01 01 11 11\n");
}

TEST(CanvasPlgBlt, QuarterTurnClockwise) {
  // The corners a clockwise quarter turn of a 3 x 3 picture gives.
  const std::array<TPoint, 3> quarter{TPoint{3, 0}, TPoint{3, 3}, TPoint{0, 0}};
  TBitmap source;
  Numbered(source, 3, 3);
  TBitmap target;
  Blank(target, 3, 3);
  EXPECT_TRUE(target.Canvas().PlgBlt(quarter, source, {0, 0, 3, 3}));
  const char* turned =
      "02 01 00\n"
      "12 11 10\n"
      "22 21 20\n";
  EXPECT_EQ(Origins(target), turned);

  // In place: the bitmap is both source and destination.
  EXPECT_TRUE(source.Canvas().PlgBlt(quarter, source, {0, 0, 3, 3}));
  EXPECT_EQ(Origins(source), turned);
}

TEST(CanvasPlgBlt, TurningALargeBitmapInPlaceKeepsNoSnapshotBehind) {
  struct Case {
    int side;
    bool kept;
  };
  for (const Case& c : {Case{64, true}, Case{1400, false}}) {
    TBitmap bitmap;
    Numbered(bitmap, 2, 2);
    bitmap.SetSize(c.side, c.side);
    bitmap.Canvas().PlgBlt({TPoint{c.side, 0}, TPoint{c.side, c.side}, TPoint{0, 0}}, bitmap,
                           {0, 0, c.side, c.side});
    EXPECT_EQ(bitmap.Canvas().Pixels(c.side - 1, 0), RGB(0, 0, 99)) << c.side;
    EXPECT_EQ(testing::KeptTurnSnapshotBytes() > 0, c.kept) << c.side;
  }
}

TEST(CanvasPlgBlt, PixelsOutsideTheParallelogramKeepTheirValues) {
  TBitmap source;
  Numbered(source, 2, 2);
  TBitmap target;
  Blank(target, 5, 4);
  // Sheared: each row moves one pixel right.
  EXPECT_TRUE(
      target.Canvas().PlgBlt({TPoint{1, 1}, TPoint{3, 1}, TPoint{2, 3}}, source, {0, 0, 2, 2}));
  EXPECT_EQ(Origins(target),
            ".. .. .. .. ..\n"
            ".. 00 10 .. ..\n"
            ".. .. 01 11 ..\n"
            ".. .. .. .. ..\n");

  Blank(target, 2, 2);
  const std::string blank = Origins(target);
  EXPECT_FALSE(
      target.Canvas().PlgBlt({TPoint{0, 0}, TPoint{2, 2}, TPoint{1, 1}}, source, {0, 0, 2, 2}));
  EXPECT_FALSE(
      target.Canvas().PlgBlt({TPoint{0, 0}, TPoint{2, 0}, TPoint{0, 2}}, source, {0, 0, 0, 2}));
  EXPECT_EQ(Origins(target), blank);
}

TEST(Icon, DrawBlendsByAlpha) {
  QImage image(3, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(0, 0, 255, 255));
  image.setPixel(1, 0, qRgba(0, 0, 255, 0));
  image.setPixel(2, 0, qRgba(0, 0, 0, 128));
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(image.save(&buffer, "PNG"));

  TIcon icon;
  ASSERT_TRUE(icon.LoadFromData(data));
  EXPECT_EQ(icon.Width(), 3);
  TBitmap target;
  Blank(target, 3, 1);
  target.Canvas().Draw(0, 0, icon);
  EXPECT_EQ(target.Canvas().Pixels(0, 0), clBlue);
  EXPECT_EQ(target.Canvas().Pixels(1, 0), clWhite);
  const TColor half = target.Canvas().Pixels(2, 0);
  EXPECT_NEAR(GetRValue(half), 127, 1);
  EXPECT_EQ(GetRValue(half), GetBValue(half));

  TBitmap mask;
  icon.GetMaskBitmap(mask);
  EXPECT_EQ(mask.Canvas().Pixels(0, 0), clBlack);
  EXPECT_EQ(mask.Canvas().Pixels(1, 0), clWhite);
  TBitmap color;
  icon.GetColorBitmap(color);
  EXPECT_EQ(color.PixelFormat(), pf32bit);
  EXPECT_EQ(color.ScanLine(0)[11], 128);

  EXPECT_FALSE(icon.LoadFromData(QByteArray("not an image")));
  EXPECT_TRUE(icon.Empty());
}

TEST(Icon, FromATransparentBitmap) {
  TBitmap bitmap;
  Blank(bitmap, 2, 1, clFuchsia);
  bitmap.Canvas().SetPixels(1, 0, clRed);
  bitmap.SetTransparent(true);
  TIcon icon;
  icon.Assign(&bitmap);
  TBitmap target;
  Blank(target, 2, 1);
  target.Canvas().Draw(0, 0, icon);
  EXPECT_EQ(target.Canvas().Pixels(0, 0), clWhite);
  EXPECT_EQ(target.Canvas().Pixels(1, 0), clRed);
}

}  // namespace
}  // namespace mirto
