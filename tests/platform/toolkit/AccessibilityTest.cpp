#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QElapsedTimer>
#include <QMenu>

#include "platform/toolkit/BitBtn.h"
#include "platform/toolkit/CustomPanel.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/ShortCut.h"
#include "platform/toolkit/Timer.h"
#include "tests/platform/toolkit/ControlTestSupport.h"
#include "tests/support/Placing.h"
#include "tests/support/ToolkitSeam.h"

namespace mirto {
namespace {

using namespace testing_support;

class PaintedButton : public TBitBtn {
 public:
  using TBitBtn::TBitBtn;

 protected:
  void DrawItem(const TDrawItemStruct& item) override {
    item.Canvas->Brush().SetColor(clRed);
    item.Canvas->FillRect(item.ItemRect);
  }
};

class LinkLabel : public TLabel {
 public:
  explicit LinkLabel(TComponent* owner) : TLabel(owner) { SetAccessibleRole(arLink); }
};

QAccessibleInterface* Accessible(const TControl& control) {
  return QAccessible::queryAccessibleInterface(testing::NativeWidgetOf(control));
}

TEST(Accessibility, ControlsReportRoleNameDescriptionAndState) {
  TForm form;
  form.SetCaption("About");
  form.SetBounds(10, 10, 220, 120);
  auto* panel = testing::Place<TCustomPanel>(&form, &form, 0, 0, 220, 120);
  panel->SetHint("Main area");
  auto* start = testing::Place<PaintedButton>(&form, panel, 10, 10, 60, 22);
  start->SetCaption("&Start && go");
  auto* close = testing::Place<PaintedButton>(&form, panel, 80, 10, 22, 22);
  close->SetHint("Close");
  auto* label = testing::Place<TLabel>(&form, panel, 10, 40, 80, 17);
  label->SetCaption("Version 1.0");
  auto* link = testing::Place<LinkLabel>(&form, panel, 10, 60, 80, 17);
  link->SetCaption("www.example.com");
  form.Show();

  struct Expected {
    const TControl* control;
    QAccessible::Role role;
    QString name;
  };
  const Expected controls[] = {
      {&form, QAccessible::Window, "About"},           {panel, QAccessible::Pane, "Main area"},
      {start, QAccessible::PushButton, "Start & go"},  {close, QAccessible::PushButton, "Close"},
      {label, QAccessible::StaticText, "Version 1.0"}, {link, QAccessible::Link, "www.example.com"},
  };
  for (const Expected& e : controls) {
    QAccessibleInterface* a = Accessible(*e.control);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), e.role) << e.name.toStdString();
    EXPECT_EQ(a->text(QAccessible::Name), e.name);
  }
  EXPECT_EQ(Accessible(*close)->text(QAccessible::Description), "Close");
  EXPECT_TRUE(Accessible(*start)->text(QAccessible::Description).isEmpty());

  QAccessibleInterface* button = Accessible(*start);
  EXPECT_FALSE(button->state().pressed);
  SendMouse(*start, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
  EXPECT_TRUE(button->state().pressed);
  SendMouse(*start, QEvent::MouseButtonRelease, QPoint(80, 5), Qt::LeftButton);
  start->SetEnabled(false);
  EXPECT_TRUE(button->state().disabled);
  close->SetFocus();
  QCoreApplication::processEvents();
  EXPECT_TRUE(Accessible(*close)->state().focused);
  label->Hide();
  EXPECT_TRUE(Accessible(*label)->state().invisible);
  EXPECT_FALSE(Accessible(*link)->state().invisible);
}

TEST(Accessibility, ButtonsOfferThePressAction) {
  TForm form;
  form.SetBounds(10, 10, 100, 60);
  auto* button = new PaintedButton(&form);
  button->SetParent(&form);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  form.Show();

  QAccessibleActionInterface* actions = Accessible(*button)->actionInterface();
  ASSERT_NE(actions, nullptr);
  EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
  actions->doAction(QAccessibleActionInterface::pressAction());
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks, 1);
  button->SetEnabled(false);
  actions->doAction(QAccessibleActionInterface::pressAction());
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks, 1) << "a disabled button cannot be pressed";
  button->SetEnabled(true);
  actions->doAction(QAccessibleActionInterface::pressAction());
  delete button;
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks, 1) << "a button destroyed before its press came up is not clicked";
  QAccessibleActionInterface* text = Accessible(*label)->actionInterface();
  EXPECT_TRUE(text == nullptr ||
              !text->actionNames().contains(QAccessibleActionInterface::pressAction()));
}

// A press of a button that opens a popup menu answered only once the menu
// had closed, and screen readers gave up waiting.
TEST(Accessibility, PressReturnsAtOnceAndTheClickRunsFromTheEventLoop) {
  TForm form;
  form.SetBounds(10, 10, 100, 60);
  auto* button = new PaintedButton(&form);
  button->SetParent(&form);
  TPopupMenu menu;
  menu.Items()->Add(new TMenuItem());
  menu.Items()->Items(0)->SetCaption("Entry");
  button->OnClick = [&](TObject*) { menu.Popup(0, 0); };
  form.Show();

  bool pressing = false;
  bool opened = false;
  bool openedWhilePressing = false;
  auto* closer = new TTimer(&menu);
  closer->SetInterval(10);
  closer->OnTimer = [&](TObject*) {
    QMenu* open = testing::OpenMenuOf(menu);
    if (open == nullptr || !open->isVisible()) return;
    opened = true;
    openedWhilePressing = pressing;
    open->close();
  };
  pressing = true;
  Accessible(*button)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  pressing = false;
  QElapsedTimer clock;
  clock.start();
  while (!opened && clock.elapsed() < 3000)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  EXPECT_TRUE(opened) << "the click runs from the event loop";
  EXPECT_FALSE(openedWhilePressing) << "the press waited for the menu";
}

TEST(Accessibility, MenuEntriesAreNamedByTheirCaptions) {
  TPopupMenu menu;
  auto* entry = new TMenuItem();
  entry->SetCaption("&Audio Converter && Extractor");
  entry->SetShortCut(ShortCut('3', {ssCtrl}));
  menu.Items()->Add(entry);
  QStringList names;
  auto* timer = new TTimer(&menu);
  timer->SetInterval(10);
  timer->OnTimer = [&](TObject*) {
    QMenu* open = testing::OpenMenuOf(menu);
    if (open == nullptr || !open->isVisible()) return;
    timer->SetEnabled(false);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(open);
    for (int i = 0; a != nullptr && i < a->childCount(); ++i)
      names << a->child(i)->text(QAccessible::Name);
    open->close();
  };
  menu.Popup(0, 0);
  EXPECT_EQ(names, QStringList{"Audio Converter & Extractor"});
}

}  // namespace
}  // namespace mirto
