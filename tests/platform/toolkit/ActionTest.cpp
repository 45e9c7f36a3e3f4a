#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <memory>

#include "platform/toolkit/Action.h"
#include "platform/toolkit/Control.h"
#include "platform/toolkit/ImageList.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ToolkitSeam.h"

namespace mirto {
namespace {

// A client as a control or menu entry binds it: counts the notifications and
// copies what it shows.
struct Client : TComponent {
  explicit Client(TBasicAction* action) : link(this) {
    link.OnChange = [this](TObject* sender) {
      ++changes;
      lastSender = sender;
      if (auto* a = link.Action()) caption = a->Caption();
    };
    link.SetAction(action);
  }
  TActionLink link;
  int changes = 0;
  TObject* lastSender = nullptr;
  QString caption;
};

TEST(ActionTest, LinkedClientsHearOfEveryRealChange) {
  TComponent owner;
  auto* action = new TAction(&owner);
  Client client(action);
  EXPECT_EQ(client.changes, 0) << "binding alone notifies nothing";

  action->SetCaption("CATEGORY:   Flash");
  EXPECT_EQ(client.caption, "CATEGORY:   Flash");
  action->SetHint("Show categories");
  action->SetShortCut(ShortCut('3', {ssCtrl}));
  action->SetImageIndex(13);
  action->SetCategory("MENU_VIDEO");
  action->SetEnabled(false);
  action->SetVisible(false);
  action->SetChecked(true);
  EXPECT_EQ(client.changes, 8);
  EXPECT_EQ(client.lastSender, action);

  // Setting a property to its current value is no change.
  action->SetCaption("CATEGORY:   Flash");
  action->SetEnabled(false);
  action->SetImageIndex(13);
  EXPECT_EQ(client.changes, 8);

  action->SetImageIndex(-7);
  EXPECT_EQ(action->ImageIndex(), -1) << "every negative index means no image";
}

TEST(ActionTest, ExecuteRunsTheHandlerWithTheActionAsSenderUnlessDisabled) {
  TAction action;
  EXPECT_FALSE(action.Execute()) << "no handler, nothing handled";

  TObject* sender = nullptr;
  int runs = 0;
  action.OnExecute = [&](TObject* s) {
    sender = s;
    ++runs;
  };
  EXPECT_TRUE(action.Execute());
  EXPECT_EQ(sender, &action);
  EXPECT_NE(dynamic_cast<TAction*>(sender), nullptr);

  action.SetEnabled(false);
  EXPECT_FALSE(action.Execute());
  EXPECT_EQ(runs, 1);
}

TEST(ActionTest, TheActionListMayHandleAnExecutionFirst) {
  TActionList list;
  TAction action;
  action.SetActionList(&list);
  int own = 0;
  action.OnExecute = [&](TObject*) { ++own; };
  bool claim = true;
  TBasicAction* seen = nullptr;
  list.OnExecute = [&](TBasicAction* a, bool& handled) {
    seen = a;
    handled = claim;
  };
  EXPECT_TRUE(action.Execute());
  EXPECT_EQ(seen, &action);
  EXPECT_EQ(own, 0);
  claim = false;
  EXPECT_TRUE(action.Execute());
  EXPECT_EQ(own, 1);
}

TEST(ActionTest, LinkExecutionNamesTheClientOnlyWhileTheHandlerRuns) {
  TAction action;
  Client client(&action);
  TComponent* during = nullptr;
  action.OnExecute = [&](TObject*) { during = action.ActionComponent(); };
  EXPECT_TRUE(client.link.Execute(&client));
  EXPECT_EQ(during, &client);
  EXPECT_EQ(action.ActionComponent(), nullptr);
}

TEST(ActionTest, DestroyingEitherSideLeavesNoDanglingLink) {
  auto action = std::make_unique<TAction>();
  auto first = std::make_unique<Client>(action.get());
  Client second(action.get());
  EXPECT_EQ(action->LinkCount(), 2);

  first.reset();
  EXPECT_EQ(action->LinkCount(), 1);
  action->SetCaption("x");
  EXPECT_EQ(second.changes, 1);

  action.reset();
  EXPECT_EQ(second.link.Action(), nullptr);
  EXPECT_EQ(second.changes, 2);
  EXPECT_EQ(second.lastSender, nullptr);
  EXPECT_FALSE(second.link.Execute());
}

TEST(ActionTest, HandlerMayDestroyItsOwnActionAndClient) {
  auto* action = new TAction();
  auto* client = new Client(action);
  action->OnExecute = [&](TObject*) {
    delete client;
    delete action;
  };
  TActionLink outside;
  outside.SetAction(action);
  // Executed through a client link that the handler destroys with the action.
  EXPECT_TRUE(client->link.Execute(client));
  EXPECT_EQ(outside.Action(), nullptr);
}

TEST(ActionTest, ChangeHandlerMayUnbindAnotherClient) {
  TAction action;
  auto second = std::make_unique<Client>(&action);
  TActionLink first;
  first.OnChange = [&](TObject*) { second.reset(); };
  first.SetAction(&action);
  // first was registered after second, but second is destroyed by first's
  // handler before or after its own turn; neither order may touch it dead.
  action.SetCaption("a");
  action.SetCaption("b");
  EXPECT_EQ(action.LinkCount(), 1);
}

TEST(ActionListTest, KeepsItsActionsInOrderAndLetsThemGo) {
  TComponent owner;
  auto list = std::make_unique<TActionList>(&owner);
  int changes = 0;
  list->OnChange = [&](TObject*) { ++changes; };
  auto* a = new TAction(&owner);
  auto* b = new TAction(&owner);
  a->SetName("actEsc");
  a->SetActionList(list.get());
  b->SetActionList(list.get());
  EXPECT_EQ(list->ActionCount(), 2);
  EXPECT_EQ(b->Index(), 1);
  EXPECT_EQ(list->Actions(2), nullptr);
  EXPECT_EQ(list->Actions(-1), nullptr);
  EXPECT_EQ(list->FindAction("ACTESC"), a);
  EXPECT_EQ(changes, 2);

  delete a;
  EXPECT_EQ(list->ActionCount(), 1);
  EXPECT_EQ(b->Index(), 0);

  // The list's owner may destroy the list before the actions it holds.
  list.reset();
  EXPECT_EQ(b->ActionList(), nullptr);
  EXPECT_EQ(b->Index(), -1);
}

TEST(ActionListTest, ForgetsAnImageListDestroyedBeforeIt) {
  TActionList list;
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  auto images = std::make_unique<TImageList>();
  list.SetImages(images.get());
  EXPECT_EQ(list.Images(), images.get());
  images->SetWidth(24);
  EXPECT_EQ(changes, 2) << "binding and the image list's change";
  images.reset();
  EXPECT_EQ(list.Images(), nullptr);
  EXPECT_EQ(changes, 3);
}

TEST(ActionListTest, ShortcutExecutesTheFirstEnabledActionBoundToIt) {
  TActionList list;
  TAction disabled, enabled, other;
  for (TAction* a : {&disabled, &enabled, &other}) a->SetActionList(&list);
  const TShortCut ctrl3 = ShortCut('3', {ssCtrl});
  disabled.SetShortCut(ctrl3);
  disabled.SetEnabled(false);
  enabled.SetShortCut(ctrl3);
  other.SetShortCut(ShortCut('4', {ssCtrl}));
  int disabledRuns = 0, enabledRuns = 0;
  disabled.OnExecute = [&](TObject*) { ++disabledRuns; };
  enabled.OnExecute = [&](TObject*) { ++enabledRuns; };

  EXPECT_TRUE(list.IsShortCut(ctrl3));
  EXPECT_EQ(enabledRuns, 1);
  EXPECT_EQ(disabledRuns, 0);
  EXPECT_FALSE(list.IsShortCut(ShortCut('4', {ssCtrl}))) << "bound but without a handler";
  EXPECT_FALSE(list.IsShortCut(ShortCut('5', {ssCtrl})));
  EXPECT_FALSE(list.IsShortCut(scNone));
}

// A window whose close requests are counted; Esc in a dialog-like window
// would close it unless an action takes the key.
class CountingWindow : public QWidget {
 public:
  int closeRequests = 0;
  int keysSeen = 0;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    ++keysSeen;
    if (event->key() == Qt::Key_Escape) close();
  }
  void closeEvent(QCloseEvent* event) override {
    ++closeRequests;
    event->ignore();
  }
};

bool ActivateWindow(QWidget& window) {
  window.show();
  window.activateWindow();
  QApplication::setActiveWindow(&window);
  for (int i = 0; i < 50 && !window.isActiveWindow(); ++i) QApplication::processEvents();
  return window.isActiveWindow();
}

void PressKey(QWidget* receiver, int key, Qt::KeyboardModifiers modifiers) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(receiver, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers);
  QApplication::sendEvent(receiver, &release);
}

TEST(ActionShortcutTest, KeyReachesTheActionBeforeTheFocusedControl) {
  CountingWindow window;
  window.resize(200, 80);
  auto* edit = new QLineEdit(&window);
  TActionList list;
  testing::BindShortcutsTo(list, edit);  // any widget names its window
  EXPECT_EQ(testing::ShortcutWindowOf(list), &window);
  TAction group, esc;
  group.SetActionList(&list);
  esc.SetActionList(&list);
  group.SetTag(30);
  group.SetShortCut(ShortCut('3', {ssCtrl}));
  esc.SetShortCut(ShortCut(VK_ESCAPE, {}));
  std::intptr_t selected = 0;
  int escRuns = 0;
  group.OnExecute = [&](TObject* sender) {
    if (auto* a = dynamic_cast<TAction*>(sender)) selected = a->Tag();
  };
  esc.OnExecute = [&](TObject*) { ++escRuns; };
  ASSERT_TRUE(ActivateWindow(window));
  edit->setFocus();

  PressKey(edit, Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(selected, 30);
  EXPECT_EQ(edit->text(), "") << "the focused control never saw the key";

  PressKey(edit, Qt::Key_Escape, Qt::NoModifier);
  EXPECT_EQ(escRuns, 1);
  EXPECT_EQ(window.closeRequests, 0);
  EXPECT_EQ(window.keysSeen, 0);

  // A key no action is bound to goes on to the control as usual.
  PressKey(edit, Qt::Key_7, Qt::NoModifier);
  QKeyEvent typed(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, "7");
  QApplication::sendEvent(edit, &typed);
  EXPECT_EQ(edit->text(), "7");

  // Without the action, Esc reaches the window and asks it to close.
  esc.SetActionList(nullptr);
  PressKey(&window, Qt::Key_Escape, Qt::NoModifier);
  EXPECT_EQ(window.closeRequests, 1);
  window.hide();
}

TEST(ActionShortcutTest, ShortcutsActOnlyInTheirOwnActiveWindow) {
  CountingWindow mine, other;
  TActionList list;
  testing::BindShortcutsTo(list, &mine);
  TAction action;
  action.SetActionList(&list);
  action.SetShortCut(ShortCut(VK_HOME, {ssAlt}));
  int runs = 0;
  action.OnExecute = [&](TObject*) { ++runs; };

  ASSERT_TRUE(ActivateWindow(other));
  PressKey(&other, Qt::Key_Home, Qt::AltModifier);
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(other.keysSeen, 1);

  ASSERT_TRUE(ActivateWindow(mine));
  PressKey(&mine, Qt::Key_Home, Qt::AltModifier);
  EXPECT_EQ(runs, 1);
  mine.hide();
  other.hide();
}

TEST(ActionShortcutTest, ListActsInTheWindowOfTheControlThatOwnsIt) {
  TWinControl form;
  form.SetBounds(0, 0, 120, 60);
  auto* list = new TActionList(&form);
  auto* esc = new TAction(&form);
  esc->SetActionList(list);
  esc->SetShortCut(ShortCut(VK_ESCAPE, {}));
  int runs = 0;
  esc->OnExecute = [&](TObject*) { ++runs; };
  QWidget* window = testing::NativeWidgetOf(form)->window();
  EXPECT_EQ(testing::ShortcutWindowOf(*list), window);

  form.Show();
  ASSERT_TRUE(ActivateWindow(*window));
  PressKey(window, Qt::Key_Escape, Qt::NoModifier);
  EXPECT_EQ(runs, 1);
  form.Hide();
}

}  // namespace
}  // namespace mirto
