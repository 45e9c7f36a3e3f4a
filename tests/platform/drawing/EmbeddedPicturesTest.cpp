// The pictures built into the program: found by name, drawn for their size,
// with real transparency; icons that come in several sizes.

#include <gtest/gtest.h>

#include <QImage>
#include <QRegularExpression>
#include <cstring>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/EmbeddedPictures.h"
#include "platform/drawing/Icon.h"
#include "platform/drawing/PngImage.h"
#include "tests/support/PixelDifference.h"
#include "tests/support/PixelPicture.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

// Side of each kind of picture at 1x, by the start of its name.
int ExpectedSide(const QString& name) {
  if (name == "glyph-categories" || name.startsWith("menu-")) return 16;
  if (name.startsWith("glyph-")) return 24;
  return 0;
}

struct AlphaCount {
  int clear = 0;
  int opaque = 0;
};

AlphaCount CountAlpha(const TPngImage& png) {
  AlphaCount count;
  for (int y = 0; y < png.Height(); ++y)
    for (int x = 0; x < png.Width(); ++x) {
      if (png.PixelAlpha(x, y) == 0) ++count.clear;
      if (png.PixelAlpha(x, y) == 255) ++count.opaque;
    }
  return count;
}

TEST(EmbeddedPicture, EveryPictureLoadsAtItsSizeWithRealTransparency) {
  const QStringList names = EmbeddedPictureNames();
  ASSERT_GE(names.size(), 8 + 30 + 10);  // glyphs, menu pictures, icon sizes
  const QRegularExpression iconSize(QStringLiteral("^mirto-icon-(\\d+)$"));
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    const auto match = iconSize.match(name);
    const int side = match.hasMatch() ? match.captured(1).toInt() : ExpectedSide(name);
    ASSERT_GT(side, 0) << "a picture of no known kind";
    // Icon sizes are single drawings; every other picture has its own 2x drawing.
    for (int scale : match.hasMatch() ? std::vector{1} : std::vector{1, 2}) {
      TPngImage png;
      ASSERT_TRUE(png.LoadFromResourceName(name, scale)) << "scale " << scale;
      EXPECT_EQ(png.Width(), side * scale);
      EXPECT_EQ(png.Height(), side * scale);
      ASSERT_TRUE(png.HasAlphaChannel());
      const AlphaCount alpha = CountAlpha(png);
      EXPECT_GT(alpha.clear, 0) << "no transparent pixel: a baked-in background";
      EXPECT_GT(alpha.opaque, 0) << "no opaque pixel";
    }
  }
}

TEST(EmbeddedPicture, GlyphsOfTheSmallButtonsKeepAClearRing) {
  // These 24 x 24 glyphs sit in 22 x 22 buttons: their outer ring (two pixels
  // at 2x) is cut off, so nothing may be drawn there.
  for (const char* name : {"glyph-menu-video", "glyph-menu-audio", "glyph-about", "glyph-minimize",
                           "glyph-minimize-to-tray"}) {
    for (int scale : {1, 2}) {
      SCOPED_TRACE(std::string(name) + " scale " + std::to_string(scale));
      TPngImage png;
      ASSERT_TRUE(png.LoadFromResourceName(name, scale));
      const int side = png.Width();
      int drawn = 0;
      for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
          const bool ring = x < scale || y < scale || x >= side - scale || y >= side - scale;
          if (ring && png.PixelAlpha(x, y) != 0) ++drawn;
        }
      EXPECT_EQ(drawn, 0);
    }
  }
}

TEST(EmbeddedPicture, UnknownNamesScalesAndPathsFindNothing) {
  for (const QString& name :
       {QString(), QString("no-such-picture"), QString("../artwork/glyph-about"),
        QString("glyph-about.png"), QString("/glyph-about"), QString("glyph-about@2x"),
        QString("-glyph-about"), QString("glyph about"), QString::fromUtf8("glyph-\u00E4bout")}) {
    SCOPED_TRACE(name.toStdString());
    EXPECT_TRUE(EmbeddedPicture(name).isEmpty());
  }
  EXPECT_TRUE(EmbeddedPicture("glyph-about", 0).isEmpty());
  EXPECT_TRUE(EmbeddedPicture("glyph-about", 3).isEmpty());
  EXPECT_TRUE(EmbeddedIconSizes("glyph-about").empty());
  EXPECT_TRUE(EmbeddedIconSizes("mirto").empty()) << "a prefix of the icon's name is not its name";
}

TEST(EmbeddedPicture, AFailedLoadLeavesTheImageEmpty) {
  TPngImage png;
  ASSERT_TRUE(png.LoadFromResourceName("glyph-about"));
  EXPECT_FALSE(png.LoadFromResourceName("no-such-picture"));
  EXPECT_TRUE(png.Empty());
  TIcon icon;
  ASSERT_TRUE(icon.LoadFromResourceName("mirto-icon"));
  EXPECT_FALSE(icon.LoadFromResourceName("no-such-picture"));
  EXPECT_TRUE(icon.Empty());
  EXPECT_EQ(icon.SizeCount(), 0);
}

TEST(EmbeddedPicture, TheApplicationIconHoldsEveryDesktopSize) {
  const std::vector<int> sizes = EmbeddedIconSizes("mirto-icon");
  // Each size a desktop draws a window's icon at, and twice each for
  // screens of 200 %.
  for (int side : {16, 22, 24, 32, 48, 64, 128}) {
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), side), sizes.end()) << side;
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), 2 * side), sizes.end()) << 2 * side;
  }
  EXPECT_TRUE(std::is_sorted(sizes.begin(), sizes.end()));
  // Larger sizes are for the installed icon theme alone: a 512-pixel window
  // icon is a megabyte in the program and in the window system at every start.
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back(), 256);
  TIcon icon;
  ASSERT_TRUE(icon.LoadFromResourceName("mirto-icon"));
  EXPECT_EQ(icon.SizeCount(), static_cast<int>(sizes.size()));
  EXPECT_EQ(icon.Width(), sizes.back());
  TIcon copy;
  copy.Assign(&icon);
  EXPECT_EQ(copy.SizeCount(), icon.SizeCount());
}

// The icon's pixels, colour and alpha, are the file's as any PNG reader gives
// them (here the toolkit's own).
TEST(EmbeddedPicture, EachIconSizeHoldsThePixelsOfItsFile) {
  for (int side : EmbeddedIconSizes("mirto-icon")) {
    SCOPED_TRACE(side);
    const QString name = "mirto-icon-" + QString::number(side);
    QImage expected;
    ASSERT_TRUE(expected.loadFromData(EmbeddedPicture(name), "PNG"));
    expected = expected.convertToFormat(QImage::Format_ARGB32);
    TIcon icon;
    ASSERT_TRUE(icon.LoadFromResourceName(name));
    TBitmap pixels;
    icon.GetColorBitmap(pixels);
    ASSERT_EQ(pixels.Width(), side);
    ASSERT_EQ(pixels.Height(), side);
    for (int y = 0; y < side; ++y)
      ASSERT_EQ(std::memcmp(pixels.ScanLine(y), expected.constScanLine(y), std::size_t(side) * 4),
                0)
          << "row " << y;
  }
}

// Draws graphic into a side x side white bitmap.
void DrawInto(TBitmap& target, int side, const TGraphic& graphic) {
  testing_support::Blank(target, side, side, clWhite, pf24bit);
  target.Canvas().StretchDraw(TRect{0, 0, side, side}, graphic);
}

TEST(EmbeddedPicture, AnIconOfSeveralSizesDrawsTheDrawingMadeForTheTarget) {
  TIcon icon;
  ASSERT_TRUE(icon.LoadFromResourceName("mirto-icon"));
  for (int side : {16, 24, 48}) {
    SCOPED_TRACE(side);
    TPngImage own;
    ASSERT_TRUE(own.LoadFromResourceName("mirto-icon-" + QString::number(side)));
    TBitmap fromIcon, fromOwn;
    DrawInto(fromIcon, side, icon);
    DrawInto(fromOwn, side, own);
    EXPECT_EQ(testing_support::FirstDifference(fromOwn, fromIcon), "");
  }
}

}  // namespace
}  // namespace mirto
