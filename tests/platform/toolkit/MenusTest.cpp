#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QProxyStyle>
#include <memory>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/toolkit/Action.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/ImageList.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/Timer.h"
#include "tests/platform/toolkit/ControlTestSupport.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ToolkitSeam.h"
#include "tests/support/WaitUntil.h"

namespace mirto {
namespace {

TMenuItem* NewItem(TMenuItem* parent, TAction* action) {
  auto* item = new TMenuItem();
  parent->Add(item);
  item->SetAction(action);
  return item;
}

TMenuItem* NewLine(TMenuItem* parent) {
  auto* item = new TMenuItem();
  item->SetCaption("-");
  parent->Add(item);
  return item;
}

using testing_support::WhileOpen;

void Choose(QMenu& open, TMenuItem& item) {
  QAction* shown = testing::ShownActionOf(item);
  ASSERT_NE(shown, nullptr);
  open.setActiveAction(shown);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(&open, &enter);
}

TEST(MenuItemTest, EntriesFollowTheirActions) {
  TComponent form;
  auto* action = new TAction(&form);
  action->SetCaption("Audio Converter && Extractor");
  action->SetImageIndex(8);
  action->SetShortCut(ShortCut('1', {ssAlt}));
  TPopupMenu menu(&form);
  TMenuItem* entry = NewItem(menu.Items(), action);
  EXPECT_EQ(entry->Caption(), "Audio Converter && Extractor");
  EXPECT_EQ(StripHotkey(entry->Caption()), "Audio Converter & Extractor");
  EXPECT_EQ(entry->ImageIndex(), 8);
  EXPECT_EQ(entry->ShortCut(), ShortCut('1', {ssAlt}));

  action->SetCaption("CATEGORY:   Video -> AVI / MPG");
  action->SetEnabled(false);
  action->SetVisible(false);
  EXPECT_EQ(entry->Caption(), "CATEGORY:   Video -> AVI / MPG");
  EXPECT_FALSE(entry->Enabled());
  EXPECT_FALSE(entry->Visible());

  // Clicking a disabled entry does nothing; an enabled one runs the action
  // with the action as sender.
  TObject* sender = nullptr;
  action->OnExecute = [&](TObject* s) { sender = s; };
  entry->Click();
  EXPECT_EQ(sender, nullptr);
  action->SetEnabled(true);
  entry->Click();
  EXPECT_EQ(sender, action);
  EXPECT_EQ(action->ActionComponent(), nullptr);

  // An entry's own OnClick takes precedence over its action.
  int own = 0;
  entry->OnClick = [&](TObject*) { ++own; };
  sender = nullptr;
  entry->Click();
  EXPECT_EQ(own, 1);
  EXPECT_EQ(sender, nullptr);

  delete action;
  EXPECT_EQ(entry->Action(), nullptr);
  EXPECT_EQ(entry->Caption(), "CATEGORY:   Video -> AVI / MPG") << "keeps what it showed";
}

TEST(MenuItemTest, TreeKeepsOrderAndOwnsItsItems) {
  TPopupMenu menu;
  TMenuItem* root = menu.Items();
  auto* a = new TMenuItem();
  auto* b = new TMenuItem();
  auto* c = new TMenuItem();
  a->SetCaption("&Open");
  root->Add(a);
  root->Add(c);
  root->Insert(1, b);
  EXPECT_EQ(b->MenuIndex(), 1);
  EXPECT_EQ(root->Find("open"), a);
  EXPECT_EQ(root->Find("close"), nullptr);
  EXPECT_EQ(c->GetParentMenu(), &menu);
  EXPECT_TRUE(NewLine(root)->IsLine());

  // Moving an item under another takes it out of its old place; an item
  // cannot hold itself or its ancestors.
  a->Add(c);
  EXPECT_EQ(root->Count(), 3);
  EXPECT_EQ(c->Parent(), a);
  c->Add(a);
  a->Add(a);
  EXPECT_EQ(a->Parent(), root);
  EXPECT_EQ(a->Count(), 1);

  delete b;
  EXPECT_EQ(root->Count(), 2);
  root->Delete(7);
  root->Delete(0);  // a and c with it
  EXPECT_EQ(root->Count(), 1);
  std::unique_ptr<TMenuItem> line(root->Items(0));
  root->Remove(line.get());  // handed back to the caller
  EXPECT_EQ(root->Count(), 0);
  EXPECT_EQ(line->Parent(), nullptr);
}

TEST(PopupMenuTest, ChosenEntryExecutesItsActionAfterTheMenuCloses) {
  TComponent form;
  TPopupMenu menu(&form);
  auto* run = new TAction(&form);
  run->SetCaption("Run program");
  auto* folder = new TAction(&form);
  folder->SetCaption("Open program folder");
  NewItem(menu.Items(), run);
  NewLine(menu.Items());
  TMenuItem* folderEntry = NewItem(menu.Items(), folder);
  int popups = 0;
  bool closedBeforeRun = false;
  menu.OnPopup = [&](TObject*) { ++popups; };
  folder->OnExecute = [&](TObject*) { closedBeforeRun = !menu.IsOpen(); };

  WhileOpen(menu, [&](QMenu& open) {
    EXPECT_EQ(open.actions().size(), 3);
    EXPECT_TRUE(open.actions().at(1)->isSeparator());
    EXPECT_EQ(open.actions().at(2)->text(), "Open program folder");
    Choose(open, *folderEntry);
  });
  menu.Popup(100, 100);
  EXPECT_EQ(popups, 1);
  EXPECT_TRUE(closedBeforeRun);
  EXPECT_FALSE(menu.IsOpen());
}

TEST(PopupMenuTest, TimersKeepFiringWhileOpenAndMayCloseIt) {
  TPopupMenu menu;
  auto* entry = new TMenuItem();
  entry->SetCaption("Only");
  menu.Items()->Add(entry);
  int clicks = 0;
  entry->OnClick = [&](TObject*) { ++clicks; };
  TTimer ticker;
  ticker.SetInterval(5);
  int ticks = 0;
  ticker.OnTimer = [&](TObject*) {
    if (++ticks == 5) menu.CloseMenu();
  };
  menu.Popup(10, 10);
  EXPECT_GE(ticks, 5);
  EXPECT_EQ(clicks, 0) << "closed without a choice";
}

TEST(PopupMenuTest, OpenMenuShowsChangesAndSurvivesDestroyedEntries) {
  TComponent form;
  TPopupMenu menu(&form);
  auto* action = new TAction(&form);
  action->SetCaption("Before");
  TMenuItem* followed = NewItem(menu.Items(), action);
  auto* doomed = new TMenuItem();
  doomed->SetCaption("Doomed");
  menu.Items()->Add(doomed);
  int doomedClicks = 0;
  doomed->OnClick = [&](TObject*) { ++doomedClicks; };

  QAction* doomedShown = nullptr;
  WhileOpen(menu, [&](QMenu& open) {
    action->SetCaption("After");
    action->SetEnabled(false);
    EXPECT_EQ(testing::ShownActionOf(*followed)->text(), "After");
    EXPECT_FALSE(testing::ShownActionOf(*followed)->isEnabled());
    doomedShown = testing::ShownActionOf(*doomed);
    delete doomed;
    // Choosing what is left of the destroyed entry leads nowhere.
    open.setActiveAction(doomedShown);
    doomedShown->setVisible(true);
    doomedShown->trigger();
    open.close();
  });
  menu.Popup(0, 0);
  EXPECT_EQ(doomedClicks, 0);
  EXPECT_EQ(menu.Items()->Count(), 1);
}

TEST(PopupMenuTest, MenuDestroyedWhileOpenReturnsWithoutAChoice) {
  auto* menu = new TPopupMenu();
  auto* entry = new TMenuItem();
  entry->SetCaption("x");
  menu->Items()->Add(entry);
  int clicks = 0, closes = 0, kills = 0;
  entry->OnClick = [&](TObject*) { ++clicks; };
  menu->OnClose = [&](TObject*) { ++closes; };
  QPointer<QMenu> shown;
  TTimer killer;
  killer.SetInterval(10);
  killer.OnTimer = [&](TObject*) {
    shown = testing::OpenMenuOf(*menu);
    if (shown.isNull()) return;
    // Chosen and destroyed in one turn: the choice must lead nowhere.
    shown->setActiveAction(shown->actions().at(0));
    killer.SetEnabled(false);
    ++kills;
    delete menu;
  };
  menu->Popup(0, 0);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(kills, 1);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(closes, 0) << "no handler of a destroyed menu runs";
  EXPECT_TRUE(shown.isNull()) << "the toolkit menu went with it";
}

// Opened without waiting: the call returns with the menu open; the choice
// is clicked once the menu closed, and a menu destroyed while open calls
// nothing.
TEST(PopupMenuTest, OpenedWithoutWaitingTheChoiceComesAfterTheCloseAndNotAfterTheMenu) {
  for (const bool destroyed : {false, true}) {
    auto* menu = new TPopupMenu();
    auto* entry = new TMenuItem();
    entry->SetCaption("Only");
    menu->Items()->Add(entry);
    int clicks = 0, closes = 0;
    entry->OnClick = [&](TObject*) { ++clicks; };
    menu->OnClose = [&](TObject*) { ++closes; };
    menu->PopupWithoutWaiting(40, 30);
    ASSERT_TRUE(menu->IsOpen());
    menu->PopupWithoutWaiting(90, 90);  // already open: stays where it is
    QPointer<QMenu> open = testing::OpenMenuOf(*menu);
    EXPECT_EQ(open->geometry().topLeft(), QPoint(40, 30));
    Choose(*open, *entry);
    if (destroyed) delete menu;
    testing::WaitUntil([&] { return open.isNull(); }, 1000);
    EXPECT_EQ(clicks, destroyed ? 0 : 1) << "destroyed " << destroyed;
    EXPECT_EQ(closes, destroyed ? 0 : 1) << "destroyed " << destroyed;
    EXPECT_TRUE(open.isNull());
    if (!destroyed) delete menu;
  }
}

TEST(PopupMenuTest, OwnerDrawnMenusPaintThroughTheirHandlers) {
  TComponent form;
  TPopupMenu menu(&form);
  TImageList images(&form);
  images.SetSize(16, 16);
  menu.SetImages(&images);
  auto* entry = new TMenuItem();
  entry->SetCaption("Styled");
  entry->SetShortCut(ShortCut('1', {ssAlt}));
  menu.Items()->Add(entry);
  NewLine(menu.Items());
  auto* last = new TMenuItem();
  last->SetCaption("Last");
  menu.Items()->Add(last);
  menu.SetOwnerDraw(true);
  menu.SetBorderWidth(1);
  int measured = 0, linesDrawn = 0;
  menu.OnMeasureItem = [&](TMenuItem* item, TCanvas* canvas, int& width, int& height) {
    ++measured;
    EXPECT_NE(canvas, nullptr);
    width = 120;
    height = item->IsLine() ? 3 : 22;
  };
  menu.OnDrawItem = [&](TMenuItem* item, TCanvas* canvas, const TRect& rect, TOwnerDrawState) {
    if (item->IsLine()) ++linesDrawn;
    canvas->Brush().SetColor(item->IsLine() ? clRed : RGB(0x27, 0x27, 0x27));
    canvas->FillRect(rect);
  };
  menu.OnDrawBackground = [&](TPopupMenu* m, TCanvas* canvas, const TRect& rect) {
    EXPECT_EQ(m, &menu);
    canvas->Brush().SetColor(RGB(0x45, 0x45, 0x45));
    canvas->FillRect(rect);
  };
  QImage shot;
  QRect entryRect, lineRect;
  int menuWidth = 0;
  WhileOpen(menu, [&](QMenu& open) {
    menuWidth = open.width();
    shot = open.grab().toImage();
    entryRect = open.actionGeometry(open.actions().at(0));
    lineRect = open.actionGeometry(open.actions().at(1));
    open.close();
  });
  menu.Popup(0, 0);
  ASSERT_FALSE(shot.isNull());
  EXPECT_GT(measured, 0);
  EXPECT_GT(linesDrawn, 0);
  EXPECT_EQ(entryRect.height(), 22);
  EXPECT_EQ(menuWidth, 120 + 2) << "the measured width holds the shortcut; none is added";
  EXPECT_EQ(lineRect.height(), 3);
  EXPECT_EQ(QColor(shot.pixel(entryRect.center())), QColor(0x27, 0x27, 0x27));
  EXPECT_EQ(QColor(shot.pixel(lineRect.center())), QColor(Qt::red));
  EXPECT_EQ(QColor(shot.pixel(0, 0)), QColor(0x45, 0x45, 0x45)) << "border from the background";
}

TEST(PopupMenuTest, MenuOpensAsAChildOfItsWindowAndOwnerDrawsOnAFixedStyle) {
  TForm form;
  form.SetBounds(20, 20, 120, 80);
  form.Show();
  TPopupMenu menu(&form);
  auto* entry = new TMenuItem();
  entry->SetCaption("Only");
  menu.Items()->Add(entry);
  for (const bool ownerDraw : {false, true}) {
    menu.SetOwnerDraw(ownerDraw);
    QWidget* parent = nullptr;
    QString baseStyle;
    WhileOpen(menu, [&](QMenu& open) {
      parent = open.parentWidget();
      if (auto* proxy = qobject_cast<QProxyStyle*>(open.style()))
        baseStyle = proxy->baseStyle()->name();
      open.close();
    });
    menu.Popup(30, 30);
    EXPECT_EQ(parent, testing::NativeWidgetOf(form)) << "owner-drawn " << ownerDraw;
    if (ownerDraw) {
      EXPECT_EQ(baseStyle.toLower(), "fusion");
    }
  }
}

}  // namespace
}  // namespace mirto
