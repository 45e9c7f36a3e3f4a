#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>
#include <memory>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Icon.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/Timer.h"
#include "platform/toolkit/TrayIcon.h"
#include "tests/support/PixelPicture.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ToolkitSeam.h"
#include "tests/support/WaitUntil.h"

namespace mirto {
namespace {

TEST(TrayIconTest, AvailabilityIsTheDesktopsAnswer) {
  EXPECT_EQ(TTrayIcon::IsSystemTrayAvailable(), QSystemTrayIcon::isSystemTrayAvailable());
}

TEST(TrayIconTest, KeepsItsSettingsWhetherOrNotATrayExists) {
  TTrayIcon tray;
  EXPECT_FALSE(tray.Visible());
  TBitmap picture;
  testing_support::Blank(picture, 16, 16, clRed);
  TIcon icon;
  icon.Assign(&picture);
  tray.SetIcon(icon);
  tray.SetHint("Mirto 2.21 [64-bit]");
  tray.SetVisible(true);
  EXPECT_TRUE(tray.Visible());
  EXPECT_EQ(tray.Icon().Width(), 16);
  EXPECT_EQ(tray.Hint(), "Mirto 2.21 [64-bit]");
  tray.SetVisible(false);
  EXPECT_FALSE(tray.Visible());
}

// A window hidden in a tray whose host ended was out of reach: the icon
// tells once each time the area goes away while it shows.
TEST(TrayIconTest, TheAreaGoingAwayWhileTheIconShowsIsReportedOnce) {
  TTrayIcon tray;
  bool area = true;
  int gone = 0;
  tray.AreaAvailable = [&] { return area; };
  tray.OnAreaGone = [&](TObject* sender) {
    EXPECT_EQ(sender, &tray);
    ++gone;
  };
  const struct {
    bool visible;
    bool area;
    int gone;
  } looks[] = {
      {false, false, 0},                                      // hidden: nothing is watched
      {true, true, 0},   {true, false, 1}, {true, false, 1},  // once, not at every look
      {true, true, 1},   {true, false, 2},                    // a new host that ends too
      {false, true, 2},  {true, false, 3},                    // shown again without an area
  };
  for (const auto& look : looks) {
    tray.SetVisible(look.visible);
    area = look.area;
    tray.CheckArea();
    EXPECT_EQ(gone, look.gone) << "visible " << look.visible << ", area " << look.area;
  }
}

TEST(TrayIconTest, AnIconOfSeveralSizesReachesTheDesktopWithAllOfThem) {
  TIcon icon;
  ASSERT_TRUE(icon.LoadFromResourceName("mirto-icon"));
  ASSERT_GT(icon.SizeCount(), 1);
  TTrayIcon tray;
  tray.SetIcon(icon);
  tray.SetVisible(true);
  const QSystemTrayIcon* native = testing::NativeTrayIconOf(tray);
  ASSERT_NE(native, nullptr);
  EXPECT_EQ(native->icon().availableSizes().size(), icon.SizeCount());
  tray.SetVisible(false);
}

TEST(TrayIconTest, ClicksReachTheHandlersAndTheRightClickOpensTheMenu) {
  TComponent form;
  auto* tray = new TTrayIcon(&form);
  int clicks = 0, doubleClicks = 0;
  tray->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, tray);
    ++clicks;
  };
  tray->OnDblClick = [&](TObject*) { ++doubleClicks; };
  tray->Click();
  tray->DblClick();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(doubleClicks, 1);

  auto menu = std::make_unique<TPopupMenu>();
  auto* entry = new TMenuItem();
  entry->SetCaption("Video");
  menu->Items()->Add(entry);
  tray->SetPopupMenu(menu.get());
  int opened = 0;
  menu->OnPopup = [&](TObject*) { ++opened; };
  tray->ContextPopup(20, 20);
  EXPECT_EQ(opened, 1);
  menu->CloseMenu();

  // A destroyed menu is forgotten rather than opened.
  menu.reset();
  EXPECT_EQ(tray->PopupMenu(), nullptr);
  tray->ContextPopup(20, 20);
}

// The desktop's right click returns at once, the menu open at the pointer
// (the right click happens there); waiting for the menu to close kept the
// tray host's event from ending.
TEST(TrayIconTest, TheDesktopsRightClickReturnsAtOnceWithTheMenuOpenAtThePointer) {
  TComponent form;
  TTrayIcon tray(&form);
  TPopupMenu menu(&form);
  auto* entry = new TMenuItem();
  entry->SetCaption("Video");
  int chosen = 0;
  entry->OnClick = [&](TObject*) { ++chosen; };
  menu.Items()->Add(entry);
  tray.SetPopupMenu(&menu);
  tray.SetVisible(true);
  QSystemTrayIcon* native = testing::NativeTrayIconOf(tray);
  ASSERT_NE(native, nullptr);
  // Should the right click wait for the menu, the menu closes after a while.
  TTimer closer;
  closer.SetInterval(2000);
  closer.OnTimer = [&](TObject*) { menu.CloseMenu(); };
  QCursor::setPos(250, 150);
  emit native->activated(QSystemTrayIcon::Context);
  ASSERT_TRUE(menu.IsOpen()) << "the right click returned only once the menu had closed";
  EXPECT_EQ(testing::OpenMenuOf(menu)->geometry().topLeft(), QCursor::pos());
  testing::ShownActionOf(*entry)->trigger();
  menu.CloseMenu();
  EXPECT_TRUE(testing::WaitUntil([&] { return !menu.IsOpen(); }));
  EXPECT_EQ(chosen, 0) << "closed without a choice";
  tray.SetVisible(false);
}

TEST(TrayIconTest, DesktopClicksReachTheHandlerWhichMayDestroyTheTrayIcon) {
  auto* tray = new TTrayIcon();
  tray->SetVisible(true);
  QSystemTrayIcon* native = testing::NativeTrayIconOf(*tray);
  ASSERT_NE(native, nullptr);
  int clicks = 0;
  tray->OnClick = [&](TObject* sender) {
    ++clicks;
    delete static_cast<TTrayIcon*>(sender);
  };
  emit native->activated(QSystemTrayIcon::Trigger);
  EXPECT_EQ(clicks, 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace mirto
