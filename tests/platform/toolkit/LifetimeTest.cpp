// Controls destroyed or released while their own events are still being
// handled, and handlers that destroy what holds them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <string>
#include <vector>

#include "platform/toolkit/BitBtn.h"
#include "platform/toolkit/CustomPanel.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/Timer.h"
#include "tests/platform/toolkit/ControlTestSupport.h"
#include "tests/support/Placing.h"
#include "tests/support/ToolkitSeam.h"

namespace mirto {
namespace {

using namespace testing_support;

class LifetimeFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm();
    form->SetBorderStyle(bsNone);
    form->SetBounds(40, 30, 240, 120);
  }
  void TearDown() override {
    delete form;
    QCoreApplication::processEvents();
  }
  TBitBtn* NewButton(TWinControl* parent, int left) {
    auto* button = testing::Place<TBitBtn>(form, parent, left, 10, 40, 20);
    return button;
  }
  TForm* form = nullptr;
};

// Fault: a deletion inside a nested loop re-posted itself on every pass of
// the loop, and a release ran inside it while the control's frame was live.
TEST_F(LifetimeFixture, NestedLoopDeletionsWaitForTheOutermostEventWithoutSpinning) {
  auto* panel = testing::Place<TCustomPanel>(form, form, 0, 0, 240, 120);
  TBitBtn* opener = NewButton(panel, 10);
  TBitBtn* other = NewButton(form, 60);
  TPopupMenu menu(form);
  auto* entry = new TMenuItem();
  entry->SetCaption("Open program folder");
  menu.Items()->Add(entry);
  form->Show();
  QCoreApplication::processEvents();

  const QPointer<QWidget> openerWidget = testing::NativeWidgetOf(*opener);
  const QPointer<QWidget> panelWidget = testing::NativeWidgetOf(*panel);
  const QPointer<QWidget> otherWidget = testing::NativeWidgetOf(*other);
  TTimer deleter, releaser, closer;
  for (TTimer* t : {&deleter, &releaser, &closer}) t->SetEnabled(false);
  deleter.SetInterval(5);
  deleter.OnTimer = [&](TObject*) {
    deleter.SetEnabled(false);
    delete opener;  // its mouse-down is still running
    delete other;
    releaser.SetEnabled(true);
  };
  releaser.SetInterval(5);
  bool panelAliveWhileOpen = false;
  releaser.OnTimer = [&](TObject*) {
    releaser.SetEnabled(false);
    panel->Release();  // holds the widget whose event is running
    closer.SetEnabled(true);
  };
  closer.SetInterval(40);  // the loop turns many times with deletions pending
  closer.OnTimer = [&](TObject*) {
    closer.SetEnabled(false);
    panelAliveWhileOpen = form->ContainsControl(panel);
    menu.CloseMenu();
  };
  opener->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int, int) {
    if (button != mbRight) return;
    deleter.SetEnabled(true);
    menu.Popup(60, 60);
  };

  const int postsBefore = testing::DeferredFlushPostsSoFar();
  SendMouse(*opener, QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton);
  EXPECT_TRUE(panelAliveWhileOpen) << "released only after the event that opened the menu";
  ASSERT_FALSE(openerWidget.isNull()) << "the running widget waits";
  EXPECT_FALSE(openerWidget->isVisible());
  QCoreApplication::processEvents();
  EXPECT_TRUE(openerWidget.isNull());
  EXPECT_TRUE(otherWidget.isNull());
  EXPECT_TRUE(panelWidget.isNull());
  EXPECT_EQ(form->ControlCount(), 0);
  EXPECT_LE(testing::DeferredFlushPostsSoFar() - postsBefore, 2);
}

// Fault: handlers ran through the member, so one that destroyed its control
// destroyed the closure that was still running.
TEST_F(LifetimeFixture, HandlersThatDestroyTheirControlKeepTheirOwnClosure) {
  struct Case {
    const char* event;
    std::function<void(TBitBtn&, std::function<void()>)> bind;
    std::function<void(TBitBtn&)> fire;
  };
  const std::vector<Case> cases = {
      {"click", [](TBitBtn& b, std::function<void()> f) { b.OnClick = [f](TObject*) { f(); }; },
       [](TBitBtn& b) { ClickAt(b, QPoint(5, 5)); }},
      {"mouse down",
       [](TBitBtn& b, std::function<void()> f) {
         b.OnMouseDown = [f](TObject*, TMouseButton, TShiftState, int, int) { f(); };
       },
       [](TBitBtn& b) { SendMouse(b, QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton); }},
      {"key down",
       [](TBitBtn& b, std::function<void()> f) {
         b.OnKeyDown = [f](TObject*, std::uint16_t&, TShiftState) { f(); };
       },
       [](TBitBtn& b) { SendKey(b, Qt::Key_A); }},
      {"mouse enter",
       [](TBitBtn& b, std::function<void()> f) { b.OnMouseEnter = [f](TObject*) { f(); }; },
       [](TBitBtn& b) {
         QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
         QApplication::sendEvent(testing::NativeWidgetOf(b), &enter);
       }},
  };
  form->Show();
  for (const Case& c : cases) {
    TBitBtn* button = NewButton(form, 10);
    std::string seen;
    const std::string text = std::string("still here after the ") + c.event;
    // The closure owns text; the handler reads it after destroying the button.
    c.bind(*button, [button, text, &seen] {
      delete button;
      seen = text;
    });
    c.fire(*button);
    EXPECT_EQ(seen, text) << c.event;
    EXPECT_EQ(form->ControlCount(), 0) << c.event;
  }
}

// A control that destroys a sibling when it hears of a focus change.
class SiblingBreaker : public TBitBtn {
 public:
  using TBitBtn::TBitBtn;
  TControl* victim = nullptr;

 protected:
  void FocusChanged(TWinControl* focused) override {
    TBitBtn::FocusChanged(focused);
    delete victim;
    victim = nullptr;
  }
};

class FocusCounter : public TBitBtn {
 public:
  using TBitBtn::TBitBtn;
  int told = 0;

 protected:
  void FocusChanged(TWinControl* focused) override {
    ++told;
    TBitBtn::FocusChanged(focused);
  }
};

// Fault: the broadcast walked its copy of the children without checking
// that each was still alive.
TEST_F(LifetimeFixture, FocusBroadcastSkipsControlsDestroyedOnTheWay) {
  auto* breaker = new SiblingBreaker(form);
  breaker->SetParent(form);
  auto* victim = new FocusCounter(form);
  victim->SetParent(form);
  auto* survivor = new FocusCounter(form);
  survivor->SetParent(form);
  breaker->victim = victim;
  form->Show();
  survivor->SetFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(form->ControlCount(), 2);
  EXPECT_GE(survivor->told, 1);
}

class StateProbe : public TComponent {
 public:
  StateProbe(TComponent* owner, std::vector<bool>& seen) : TComponent(owner), seen_(seen) {}
  ~StateProbe() override {
    seen_.push_back(Owner() != nullptr && Owner()->ComponentState().Contains(csDestroying));
    seen_.push_back(ComponentState().Contains(csDestroying));
  }

 private:
  std::vector<bool>& seen_;
};

class SiblingWatcher : public TLabel {
 public:
  SiblingWatcher(TComponent* owner, const TControl& sibling, std::vector<bool>& seen)
      : TLabel(owner), sibling_(sibling), seen_(seen) {}
  ~SiblingWatcher() override { seen_.push_back(sibling_.ComponentState().Contains(csDestroying)); }

 private:
  const TControl& sibling_;
  std::vector<bool>& seen_;
};

// Fault: csDestroying was set after the derived destructors had run, where
// nothing could read it.
TEST(ComponentState, DestroyingIsSetBeforeOwnedComponentsGo) {
  std::vector<bool> seen;
  auto* owner = new TComponent();
  new StateProbe(owner, seen);
  new StateProbe(owner, seen);
  delete owner;
  EXPECT_EQ(seen, std::vector<bool>(4, true));

  // Children of a window learn it before the first of them goes.
  seen.clear();
  auto* form = new TForm();
  auto* sibling = new TLabel(form);
  sibling->SetParent(form);
  auto* watcher = new SiblingWatcher(form, *sibling, seen);  // destroyed first
  watcher->SetParent(form);
  delete form;
  EXPECT_EQ(seen, std::vector<bool>{true});
}

// Fault: the focus connection was made once per program behind a static
// flag, and a later application object went without it.
TEST_F(LifetimeFixture, FocusTrackingIsConnectedForEachApplicationObject) {
  // What a new application object lacks: the connection of the previous one.
  delete qApp->findChild<QObject*>("mirto-focus-tracking", Qt::FindDirectChildrenOnly);
  std::vector<std::string> log;
  TBitBtn* first = NewButton(form, 10);
  TBitBtn* second = NewButton(form, 60);
  first->OnExit = [&](TObject*) { log.push_back("exit first"); };
  second->OnEnter = [&](TObject*) { log.push_back("enter second"); };
  form->Show();
  first->SetFocus();
  QCoreApplication::processEvents();
  second->SetFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(log, (std::vector<std::string>{"exit first", "enter second"}));
}

}  // namespace
}  // namespace mirto
