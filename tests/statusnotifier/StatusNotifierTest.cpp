// The tray icon on a desktop whose panel speaks the StatusNotifier protocol:
// the panel (here a stand-in of the tests' own) draws the icon and the menu
// the icon exports, sends clicks and asks for the program's own menu at a
// point. Run on a private session bus: MIRTO_TEST_SESSION_BUS=1
// dbus-run-session -- statusnotifier_check.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <memory>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Icon.h"
#include "platform/toolkit/Action.h"
#include "platform/toolkit/ImageList.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/TrayIcon.h"
#include "tests/statusnotifier/StandInHost.h"
#include "tests/support/PixelPicture.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ToolkitSeam.h"
#include "tests/support/WaitUntil.h"

namespace mirto {
namespace {

using testing::HostEntry;
using testing::StandInHost;

const QString kMenuPath = QStringLiteral("/MenuBar");
const QString kMenu = QStringLiteral("com.canonical.dbusmenu");

TMenuItem* AddEntry(TMenuItem& parent, const char* caption) {
  auto* item = new TMenuItem();
  item->SetCaption(QString::fromUtf8(caption));
  parent.Add(item);
  return item;
}

// Reads a(iiay), ARGB32 pixmaps, and gives their number.
int ReadPixmaps(const QDBusArgument& pixmaps) {
  int count = 0;
  pixmaps.beginArray();
  while (!pixmaps.atEnd()) {
    int w = 0, h = 0;
    QByteArray argb;
    pixmaps.beginStructure();
    pixmaps >> w >> h >> argb;
    pixmaps.endStructure();
    EXPECT_EQ(argb.size(), w * h * 4);
    ++count;
  }
  pixmaps.endArray();
  return count;
}

// A tray icon with a menu of two entries, shown on the stand-in host.
class TrayOnAHost : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(icon_.LoadFromResourceName("mirto-icon"));
    tray_.SetIcon(icon_);
    tray_.SetHint("Mirto 2.21 [64-bit]");
    first_ = AddEntry(*menu_.Items(), "&First");
    second_ = AddEntry(*menu_.Items(), "Second");
    first_->OnClick = [this](TObject*) { ++firstClicks_; };
    tray_.SetPopupMenu(&menu_);
    tray_.SetVisible(true);
    item_ = host_.WaitForRegistration();
    ASSERT_FALSE(item_.isEmpty()) << "the tray icon never registered with the host";
  }

  HostEntry Layout(uint* revision = nullptr) { return host_.Layout(item_, kMenuPath, revision); }

  StandInHost host_;
  TIcon icon_;
  TPopupMenu menu_;
  TMenuItem* first_ = nullptr;
  TMenuItem* second_ = nullptr;
  int firstClicks_ = 0;
  TTrayIcon tray_;
  QString item_;
};

TEST_F(TrayOnAHost, TheHostShowsTheItemWithItsMenuInsteadOfTheToolkitsIconUntilItHides) {
  EXPECT_TRUE(TTrayIcon::IsSystemTrayAvailable());
  EXPECT_EQ(testing::NativeTrayIconOf(tray_), nullptr) << "the toolkit's own icon showed as well";
  EXPECT_EQ(host_.ItemProperty(item_, "Menu").value<QDBusObjectPath>().path(), kMenuPath);
  EXPECT_FALSE(host_.ItemProperty(item_, "ItemIsMenu").toBool());

  // (sa(iiay)ss): the tooltip's title is the hint.
  const auto tip = host_.ItemProperty(item_, "ToolTip").value<QDBusArgument>();
  QString iconName, title, text;
  tip.beginStructure();
  tip >> iconName;
  ReadPixmaps(tip);
  tip >> title >> text;
  tip.endStructure();
  EXPECT_EQ(title, "Mirto 2.21 [64-bit]");
  // Every size of the icon.
  EXPECT_EQ(ReadPixmaps(host_.ItemProperty(item_, "IconPixmap").value<QDBusArgument>()),
            icon_.SizeCount());

  tray_.SetVisible(false);
  EXPECT_TRUE(testing::WaitUntil([&] { return !host_.OnTheBus(item_); }))
      << "the hidden icon stayed on the panel";
}

TEST(TrayMenuOnAHost, EntriesGoOutWithTheirLabelsPicturesShortcutsAndStates) {
  StandInHost host;
  TComponent form;
  TImageList images(&form);
  images.SetSize(16, 16);
  TBitmap picture;
  testing_support::Blank(picture, 16, 16, clRed);
  images.Add(&picture, nullptr);
  TPopupMenu menu(&form);
  menu.SetImages(&images);
  TMenuItem& root = *menu.Items();
  AddEntry(root, "&Open")->SetShortCut(ShortCut('3', {ssCtrl}));
  AddEntry(root, "A && B")->SetImageIndex(0);
  AddEntry(root, "-");
  AddEntry(root, "snake_case")->SetEnabled(false);
  AddEntry(root, "Hidden")->SetVisible(false);
  AddEntry(root, "Ticked")->SetChecked(true);
  AddEntry(*AddEntry(root, "More"), "In&ner");
  TTrayIcon tray(&form);
  tray.SetPopupMenu(&menu);
  tray.SetVisible(true);
  const QString item = host.WaitForRegistration();
  ASSERT_FALSE(item.isEmpty());

  const HostEntry layout = host.Layout(item, kMenuPath);
  EXPECT_EQ(layout.properties.value("children-display").toString(), "submenu");
  const struct {
    const char* label;
    bool separator, enabled, visible;
    int toggleState;  // -1: no toggle
  } rows[] = {
      {"_Open", false, true, true, -1},   {"A & B", false, true, true, -1},
      {"", true, true, true, -1},         {"snake__case", false, false, true, -1},
      {"Hidden", false, true, false, -1}, {"Ticked", false, true, true, 1},
      {"More", false, true, true, -1},
  };
  ASSERT_EQ(layout.children.size(), std::size(rows));
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const HostEntry& entry = layout.children[i];
    SCOPED_TRACE(rows[i].label);
    EXPECT_EQ(entry.Label(), rows[i].label);
    EXPECT_EQ(entry.Separator(), rows[i].separator);
    EXPECT_EQ(entry.Enabled(), rows[i].enabled);
    EXPECT_EQ(entry.properties.value("visible", true).toBool(), rows[i].visible);
    EXPECT_EQ(entry.properties.value("toggle-state", -1).toInt(), rows[i].toggleState);
    EXPECT_EQ(entry.properties.contains("icon-data"), i == 1);
  }
  const auto shortcut = qdbus_cast<QList<QStringList>>(layout.children[0].properties["shortcut"]);
  EXPECT_EQ(shortcut, (QList<QStringList>{{"Control", "3"}}));
  const QImage shown =
      QImage::fromData(layout.children[1].properties["icon-data"].toByteArray(), "PNG");
  EXPECT_EQ(shown.size(), QSize(16, 16));
  EXPECT_EQ(shown.pixel(8, 8), qRgb(255, 0, 0));
  const HostEntry& more = layout.children.back();
  EXPECT_EQ(more.properties.value("children-display").toString(), "submenu");
  ASSERT_EQ(more.children.size(), 1u);
  EXPECT_EQ(more.children[0].Label(), "In_ner");
}

TEST_F(TrayOnAHost, TheHostsClicksAndOpeningsReachTheMenuAfterTheAnswer) {
  int popups = 0, closes = 0;
  menu_.OnPopup = [&](TObject*) {
    ++popups;
    second_->SetCaption("Second, renamed");  // what the menu shows may change as it opens
  };
  menu_.OnClose = [&](TObject*) { ++closes; };
  testing::SignalCounter updates;
  host_.WatchLayoutUpdates(item_, kMenuPath, updates);
  uint before = 0, after = 0;
  const HostEntry layout = Layout(&before);
  ASSERT_EQ(layout.children.size(), 2u);
  const int first = layout.children[0].id, second = layout.children[1].id;

  EXPECT_EQ(host_.MenuEvent(item_, kMenuPath, first, "clicked").type(), QDBusMessage::ReplyMessage);
  EXPECT_TRUE(testing::WaitUntil([&] { return firstClicks_ == 1; }));
  first_->SetEnabled(false);
  host_.MenuEvent(item_, kMenuPath, first, "clicked");
  testing::RunEventsFor(50);
  EXPECT_EQ(firstClicks_, 1) << "a disabled entry was clicked";
  EXPECT_EQ(host_.MenuEvent(item_, kMenuPath, 999, "clicked").type(), QDBusMessage::ErrorMessage);

  const QDBusMessage shown = host_.Call(item_, kMenuPath, kMenu, "AboutToShow", {0});
  ASSERT_EQ(shown.type(), QDBusMessage::ReplyMessage);
  EXPECT_TRUE(shown.arguments().value(0).toBool()) << "the disabled entry is a change";
  EXPECT_TRUE(testing::WaitUntil([&] { return popups == 1 && updates.count > 0; }))
      << "OnPopup ran " << popups << " times, " << updates.count << " layout updates";
  EXPECT_EQ(Layout(&after).children[1].Label(), "Second, renamed");
  EXPECT_GT(after, before);
  EXPECT_FALSE(Layout().children[0].Enabled());

  delete second_;  // an entry gone after the host read the menu
  EXPECT_EQ(host_.MenuEvent(item_, kMenuPath, second, "clicked").type(),
            QDBusMessage::ErrorMessage);
  host_.MenuEvent(item_, kMenuPath, 0, "closed");
  EXPECT_TRUE(testing::WaitUntil([&] { return closes == 1; }));
  // A request of the wrong shape is refused, not guessed at.
  EXPECT_EQ(host_.Call(item_, kMenuPath, kMenu, "GetLayout", {QStringLiteral("0")}).type(),
            QDBusMessage::ErrorMessage);
}

// The host asks the program to draw its menu: the answer comes at once and
// the menu opens at the point given, not wherever the pointer is. The host
// counts in the screen's pixels, the program in its own coordinates, which
// on a screen of a larger scale are that much smaller.
TEST_F(TrayOnAHost, ContextMenuIsAnsweredAtOnceAndOpensTheMenuAtThePoint) {
  const qreal scale = QGuiApplication::primaryScreen()->devicePixelRatio();
  // Should the answer wait for the menu, the menu closes after a while.
  QTimer closer;
  closer.setInterval(3000);
  QObject::connect(&closer, &QTimer::timeout, [&] { menu_.CloseMenu(); });
  closer.start();
  QElapsedTimer clock;
  clock.start();
  const QDBusMessage answer = host_.Call(item_, "/StatusNotifierItem", "org.kde.StatusNotifierItem",
                                         "ContextMenu", {600, 400});
  const qint64 answeredMs = clock.elapsed();
  ASSERT_EQ(answer.type(), QDBusMessage::ReplyMessage) << answer.errorMessage().toStdString();
  ASSERT_TRUE(testing::WaitUntil([&] { return menu_.IsOpen(); })) << "no menu opened";
  EXPECT_LT(clock.elapsed(), 3000) << "the answer came after " << answeredMs << " ms";
  const QMenu* open = testing::OpenMenuOf(menu_);
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->geometry().topLeft(), (QPointF(600, 400) / scale).toPoint())
      << "on a screen of scale " << scale;

  // The entry chosen in the open menu is clicked after the menu closed.
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  const_cast<QMenu*>(open)->setActiveAction(testing::ShownActionOf(*first_));
  QApplication::sendEvent(const_cast<QMenu*>(open), &enter);
  EXPECT_TRUE(testing::WaitUntil([&] { return firstClicks_ == 1 && !menu_.IsOpen(); }));

  int clicks = 0;
  tray_.OnClick = [&](TObject*) { ++clicks; };
  host_.Call(item_, "/StatusNotifierItem", "org.kde.StatusNotifierItem", "Activate", {0, 0});
  EXPECT_TRUE(testing::WaitUntil([&] { return clicks == 1; }));
}

// A panel that ends is a notification area gone; a panel that starts again
// gets the item again.
TEST(TrayOnAHostThatRestarts, TheAreaGoesWithTheHostAndTheItemComesBackToTheNextOne) {
  TTrayIcon tray;
  int gone = 0;
  tray.OnAreaGone = [&](TObject*) { ++gone; };
  auto host = std::make_unique<StandInHost>();
  tray.SetVisible(true);
  ASSERT_FALSE(host->WaitForRegistration().isEmpty());
  tray.CheckArea();
  EXPECT_EQ(gone, 0);
  host.reset();
  tray.CheckArea();
  EXPECT_EQ(gone, 1);
  host = std::make_unique<StandInHost>();
  EXPECT_FALSE(host->WaitForRegistration().isEmpty()) << "the item did not come to the new host";
}

}  // namespace
}  // namespace mirto
