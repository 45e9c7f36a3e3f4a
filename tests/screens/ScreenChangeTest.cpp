// Windows and menus on two screens side by side, "left" at 100 % and
// "right" at 200 % (the offscreen platform given tests/screens/two-screens.json):
// a window moved from one to the other paints at the factor of the screen it
// is on, its title label included, and nothing painted for one screen is
// kept for the other; menu entries show the picture drawn for their screen.
// (That the window keeps its logical size is seen on a real display only:
// tests/desktop/window-moved-between-scales.sh.)

#include <gtest/gtest.h>

#include <QAction>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <string>

#include "components/KvoTitleLabel.h"
#include "graphics/PngImageList.h"
#include "launcher/WindowLooks.h"
#include "platform/drawing/PngImage.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/Menus.h"
#include "tests/platform/toolkit/ControlTestSupport.h"
#include "tests/support/PixelPicture.h"
#include "tests/support/Placing.h"
#include "tests/support/ScaledBoard.h"
#include "tests/support/ToolkitSeam.h"
#include "tests/support/WaitUntil.h"

namespace mirto {
namespace {

QScreen* Screen(const char* name) {
  for (QScreen* screen : QGuiApplication::screens())
    if (screen->name() == QLatin1String(name)) return screen;
  return nullptr;
}

class TwoScreens : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* const hint =
        "run with QT_QPA_PLATFORM=offscreen:configfile=tests/screens/two-screens.json";
    ASSERT_TRUE(Screen("left") && Screen("right")) << hint;
    ASSERT_EQ(Screen("left")->devicePixelRatio(), 1.0) << hint;
    ASSERT_EQ(Screen("right")->devicePixelRatio(), 2.0) << hint;
  }
};

// What the window paints now, in the screen's own pixels.
QImage Painted(TForm& form) {
  return testing::NativeWidgetOf(form)->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Moves the form to left, top (logical, on whichever screen that is) and
// waits until it is on a screen of that ratio.
QImage MovedTo(TForm& form, int left, int top, double ratio) {
  QWidget* widget = testing::NativeWidgetOf(form);
  form.SetBounds(left, top, form.Width(), form.Height());
  EXPECT_TRUE(testing::WaitUntil([&] { return widget->devicePixelRatioF() == ratio; }))
      << "ratio " << widget->devicePixelRatioF();
  return Painted(form);
}

TEST_F(TwoScreens, WindowMovedToAScreenOfAnotherScalePaintsItsTitleAtThatScreensFactor) {
  TForm form;
  testing::Frameless(form, 300, 41, kTitleBarTop);
  form.SetBounds(100, 100, 300, 41);
  auto* title = testing::Place<TKvoTitleLabel>(&form, &form, 0, 0, 0, 0);
  ApplyTitleCaptionLook(*title);
  title->SetText("Mirto 2.21 [64-bit]");
  title->SetShadowText("Mirto 2.21 [64-bit]");
  title->SetBounds(20, 8, title->Width(), title->Height());
  form.Show();
  const QImage plain = MovedTo(form, 100, 100, 1.0);  // on the left screen
  ASSERT_EQ(plain.size(), QSize(300, 41));

  const QImage fine = MovedTo(form, 1280 + 100, 100, 2.0);  // on the right one
  ASSERT_EQ(fine.size(), QSize(600, 82));
  TBitmap once, enlarged, twice;
  testing_support::BitmapOf(plain, once);
  testing_support::Enlarge(once, 2, enlarged);
  testing_support::BitmapOf(fine, twice);
  const TColor back = kTitleBarTop;
  EXPECT_GT(testing_support::DistinctInkColumns(twice, back),
            testing_support::DistinctInkColumns(enlarged, back));
  // The letters sit where they did, within a logical pixel.
  const TRect was = testing_support::InkBounds(enlarged, back);
  const TRect is = testing_support::InkBounds(twice, back);
  EXPECT_NEAR(is.Left, was.Left, 2);
  EXPECT_NEAR(is.Top, was.Top, 2);
  EXPECT_NEAR(is.Right, was.Right, 2);
  EXPECT_NEAR(is.Bottom, was.Bottom, 2);

  // Back on the 100 % screen, exactly the first picture: nothing drawn for
  // the 200 % one is kept for it.
  EXPECT_EQ(MovedTo(form, 100, 100, 1.0), plain);
}

TEST_F(TwoScreens, MenuEntriesShowThePictureDrawnForTheirScreen) {
  TPngImage glyph;
  ASSERT_TRUE(glyph.LoadFromResourceName("glyph-about"));
  ASSERT_NE(glyph.DetailImage(), nullptr);
  TPngImageList images;
  images.SetSize(glyph.Width(), glyph.Height());
  images.AddPng(&glyph);
  TForm form;
  TPopupMenu menu(&form);
  menu.SetImages(&images);
  auto* entry = new TMenuItem();
  entry->SetCaption("About");
  entry->SetImageIndex(0);
  menu.Items()->Add(entry);

  QIcon shown;
  testing_support::WhileOpen(menu, [&](QMenu& open) {
    shown = testing::ShownActionOf(*entry)->icon();
    open.close();
  });
  menu.Popup(100, 100);
  ASSERT_FALSE(shown.isNull());
  const QSize size(glyph.Width(), glyph.Height());
  // Over one colour: the entry's picture for a screen of factor, and the
  // list's own drawing at that factor.
  const auto pictures = [&](int factor, TBitmap& shownPixels, TBitmap& drawnPixels) {
    const QImage picture = shown.pixmap(size, factor).toImage();
    QImage over(size * factor, QImage::Format_RGB32);
    over.fill(qRgb(255, 0, 255));
    QPainter(&over).drawImage(QRect(QPoint(), over.size()), picture);
    testing_support::BitmapOf(over, shownPixels);
    testing_support::ScaledBoard drawn(size.width(), size.height(), factor, clFuchsia);
    images.Draw(&drawn.Canvas(), 0, 0, 0, true);
    drawnPixels.Assign(&drawn.Pixels());
  };
  TBitmap shownOnce, drawnOnce, shownTwice, drawnTwice, enlarged;
  pictures(1, shownOnce, drawnOnce);
  EXPECT_EQ(testing_support::FirstDifference(drawnOnce, shownOnce), "");
  // On the 200 % screen, from the 2x drawing (alpha blended twice, so
  // compared by its detail).
  pictures(2, shownTwice, drawnTwice);
  testing_support::Enlarge(drawnOnce, 2, enlarged);
  EXPECT_GT(testing_support::DistinctInkColumns(shownTwice, clFuchsia),
            testing_support::DistinctInkColumns(enlarged, clFuchsia));
}

}  // namespace
}  // namespace mirto
