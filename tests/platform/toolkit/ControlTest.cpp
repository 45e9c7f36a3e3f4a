#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/Control.h"
#include "tests/platform/toolkit/ControlTestSupport.h"
#include "tests/support/Placing.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ToolkitSeam.h"

namespace mirto {
namespace {

using namespace testing_support;

// A window-like root: shown on its own so that its children get events.
class Root : public TCustomControl {
 public:
  Root() {
    SetTopLevelWindow(true);
    SetColor(clWhite);
  }
};

// Paints its colour over a blue frame and counts its paints.
class Painted : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int paints = 0;
  std::vector<std::string> log;

 protected:
  void Paint() override {
    ++paints;
    Canvas().Brush().SetColor(clBlue);
    Canvas().FrameRect(ClientRect());
  }
  void MouseEnter() override {
    log.push_back("enter");
    TCustomControl::MouseEnter();
  }
  void MouseLeave() override {
    log.push_back("leave");
    TCustomControl::MouseLeave();
  }
};

TEST(ControlLayout, AlignedChildrenStackAlongTheEdgesWithMargins) {
  Root root;
  root.SetBounds(0, 0, 615, 336);
  auto* top = new TCustomControl(&root);
  top->SetBounds(0, 0, 100, 41);
  top->SetParent(&root);
  top->SetAlign(alTop);
  auto* bottom = new TCustomControl(&root);
  bottom->SetHeight(25);
  bottom->SetParent(&root);
  bottom->SetAlign(alBottom);
  auto* client = new TCustomControl(&root);
  client->SetParent(&root);
  client->Margins().SetBounds(6, 6, 6, 6);
  client->SetAlignWithMargins(true);
  client->SetAlign(alClient);

  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 615, 41));
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 311, 615, 336));
  EXPECT_EQ(client->BoundsRect(), Rect(6, 47, 609, 305));
  EXPECT_EQ(client->Width(), 603);
  EXPECT_EQ(client->Height(), 258);

  client->SetAlignWithMargins(false);
  EXPECT_EQ(client->BoundsRect(), Rect(0, 41, 615, 311));

  // Hidden controls give up their place.
  top->Hide();
  EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 615, 311));
  top->Show();
  root.SetBorderWidth(2);
  EXPECT_EQ(top->BoundsRect(), Rect(2, 2, 613, 43));
  EXPECT_EQ(client->BoundsRect(), Rect(2, 43, 613, 309));
}

TEST(ControlLayout, LeftAndRightColumnsAndClientRemainder) {
  Root root;
  root.SetBounds(0, 0, 200, 100);
  auto* left = new TCustomControl(&root);
  left->SetWidth(30);
  left->SetParent(&root);
  left->SetAlign(alLeft);
  auto* right = new TCustomControl(&root);
  right->SetWidth(40);
  right->SetParent(&root);
  right->Margins().SetBounds(1, 2, 3, 4);
  right->SetAlignWithMargins(true);
  right->SetAlign(alRight);
  auto* rest = new TCustomControl(&root);
  rest->SetParent(&root);
  rest->SetAlign(alClient);
  EXPECT_EQ(left->BoundsRect(), Rect(0, 0, 30, 100));
  EXPECT_EQ(right->BoundsRect(), Rect(157, 2, 197, 96));
  EXPECT_EQ(rest->BoundsRect(), Rect(30, 0, 156, 100));
}

TEST(ControlLayout, AnchoredControlsFollowTheEdgesAndComeBackExactly) {
  Root root;
  root.SetBounds(0, 0, 554, 377);
  auto* topRight = testing::Place<TCustomControl>(&root, &root, 513, 6, 24, 24);
  topRight->SetAnchors({akTop, akRight});
  auto* all = testing::Place<TCustomControl>(&root, &root, 32, 168, 494, 190);
  all->SetAnchors({akLeft, akTop, akRight, akBottom});
  auto* floating = testing::Place<TCustomControl>(&root, &root, 100, 100, 10, 10);
  floating->SetAnchors({});
  auto* fixed = testing::Place<TCustomControl>(&root, &root, 5, 5, 10, 10);

  root.SetBounds(0, 0, 566, 389);
  EXPECT_EQ(topRight->BoundsRect(), Bounds(525, 6, 24, 24));
  EXPECT_EQ(all->BoundsRect(), Bounds(32, 168, 506, 202));
  EXPECT_EQ(floating->BoundsRect(), Bounds(106, 106, 10, 10));
  EXPECT_EQ(fixed->BoundsRect(), Bounds(5, 5, 10, 10));

  // Far too small, then back: nothing is lost on the way.
  root.SetBounds(0, 0, 10, 10);
  EXPECT_EQ(all->Width(), 0);
  root.SetBounds(0, 0, 554, 377);
  EXPECT_EQ(topRight->BoundsRect(), Bounds(513, 6, 24, 24));
  EXPECT_EQ(all->BoundsRect(), Bounds(32, 168, 494, 190));
}

TEST(ControlLayout, LoadingHoldsAlignmentBackUntilTheEnd) {
  Root root;
  root.SetBounds(0, 0, 300, 200);
  root.BeginLoading();
  auto* panel = testing::Place<TCustomControl>(&root, &root, 10, 10, 50, 50);
  panel->SetAlign(alClient);
  EXPECT_EQ(panel->BoundsRect(), Bounds(10, 10, 50, 50));
  root.EndLoading();
  EXPECT_EQ(panel->BoundsRect(), Rect(0, 0, 300, 200));

  root.DisableAlign();
  panel->SetAlign(alTop);
  panel->SetHeight(20);
  EXPECT_EQ(panel->Height(), 20);
  EXPECT_EQ(panel->Width(), 300);
  root.SetBounds(0, 0, 400, 200);
  EXPECT_EQ(panel->Width(), 300);
  root.EnableAlign();
  EXPECT_EQ(panel->BoundsRect(), Rect(0, 0, 400, 20));
}

TEST(ControlLayout, ConstraintsLimitTheSize) {
  Root root;
  root.Constraints().SetMinWidth(615);
  root.Constraints().SetMaxWidth(615);
  root.SetBounds(0, 0, 300, 100);
  EXPECT_EQ(root.Width(), 615);
  root.SetWidth(900);
  EXPECT_EQ(root.Width(), 615);
  root.SetHeight(-5);
  EXPECT_EQ(root.Height(), 0);
}

TEST(ControlTree, ChildrenInCreationOrderAndDestroyedWithTheirParent) {
  Root root;
  auto* a = new TCustomControl(&root);
  auto* b = new TCustomControl(&root);
  auto* c = new TCustomControl(&root);
  b->SetParent(&root);
  a->SetParent(&root);
  c->SetParent(a);
  ASSERT_EQ(root.ControlCount(), 2);
  EXPECT_EQ(root.Controls(0), b);
  EXPECT_EQ(root.Controls(1), a);
  EXPECT_EQ(root.Controls(2), nullptr);
  EXPECT_TRUE(root.ContainsControl(c));
  // A control cannot be put inside itself.
  a->SetParent(c);
  EXPECT_EQ(a->Parent(), &root);

  delete a;  // takes c with it
  EXPECT_EQ(root.ControlCount(), 1);
  EXPECT_EQ(root.ComponentCount(), 1);
}

TEST(ControlLooks, ParentFontColorAndHintFollowTheParentUntilSetOwn) {
  Root root;
  root.Font().SetName("Segoe UI");
  root.Font().SetHeight(-11);
  root.SetShowHint(true);
  auto* child = new TCustomControl(&root);
  child->SetParentColor(true);
  child->SetParent(&root);
  child->SetHint("Exit");
  EXPECT_EQ(child->Font().Name(), "Segoe UI");
  EXPECT_EQ(child->Color(), clWhite);
  EXPECT_TRUE(child->ShowHint());
  EXPECT_EQ(testing::NativeWidgetOf(*child)->toolTip(), "Exit");

  root.Font().SetHeight(-13);
  root.SetColor(clRed);
  EXPECT_EQ(child->Font().Height(), -13);
  EXPECT_EQ(child->Color(), clRed);

  child->Font().SetColor(clBlue);  // own font from now on
  EXPECT_FALSE(child->ParentFont());
  root.Font().SetHeight(-20);
  EXPECT_EQ(child->Font().Height(), -13);

  child->SetShowHint(false);
  EXPECT_EQ(testing::NativeWidgetOf(*child)->toolTip(), "");
}

class ShownRoot : public ::testing::Test {
 protected:
  void SetUp() override {
    root.SetBounds(0, 0, 120, 80);
    root.Show();
  }
  void TearDown() override { QCoreApplication::processEvents(); }
  // A child of the root at 10, 10, 20 x 20.
  Painted* NewChild() { return testing::Place<Painted>(&root, &root, 10, 10, 20, 20); }
  Root root;
};

TEST_F(ShownRoot, PointerEnterAndLeaveReachTheNotificationsAndEvents) {
  auto* child = NewChild();
  int entered = 0;
  int left = 0;
  child->OnMouseEnter = [&](TObject* sender) {
    EXPECT_EQ(sender, child);
    ++entered;
  };
  child->OnMouseLeave = [&](TObject*) { ++left; };
  QEnterEvent enter(QPointF(1, 1), QPointF(11, 11), QPointF(11, 11));
  QApplication::sendEvent(testing::NativeWidgetOf(*child), &enter);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(testing::NativeWidgetOf(*child), &leave);
  EXPECT_EQ(child->log, (std::vector<std::string>{"enter", "leave"}));
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(left, 1);
}

TEST_F(ShownRoot, ClickNeedsPressAndReleaseInside) {
  auto* child = NewChild();
  std::vector<std::string> log;
  child->OnClick = [&](TObject*) { log.push_back("click"); };
  child->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
    log.push_back("down " + std::to_string(static_cast<int>(b)) + " " +
                  std::to_string(s.Contains(ssLeft)) + " " + std::to_string(x) + "," +
                  std::to_string(y));
  };
  child->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("up"); };
  child->OnMouseMove = [&](TObject*, TShiftState, int x, int y) {
    log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  };

  ClickAt(*child, QPoint(3, 4));
  SendMouse(*child, QEvent::MouseMove, QPoint(5, 6), Qt::NoButton);
  SendMouse(*child, QEvent::MouseButtonPress, QPoint(3, 4), Qt::LeftButton);
  SendMouse(*child, QEvent::MouseButtonRelease, QPoint(40, 4), Qt::LeftButton);  // outside
  SendMouse(*child, QEvent::MouseButtonPress, QPoint(3, 4), Qt::RightButton);
  SendMouse(*child, QEvent::MouseButtonRelease, QPoint(3, 4), Qt::RightButton);
  EXPECT_EQ(log, (std::vector<std::string>{"down 0 1 3,4", "click", "up", "move 5,6",
                                           "down 0 1 3,4", "up", "down 1 0 3,4", "up"}));
}

TEST_F(ShownRoot, ControlDeletedByItsOwnClickHandlerGoesSafely) {
  auto* child = NewChild();
  QPointer<QWidget> widget = testing::NativeWidgetOf(*child);
  int ups = 0;
  child->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
  child->OnClick = [](TObject* sender) { delete sender; };
  ClickAt(*child, QPoint(2, 2));
  EXPECT_EQ(root.ControlCount(), 0);
  EXPECT_EQ(ups, 0);
  ASSERT_FALSE(widget.isNull());  // still on the way out
  EXPECT_FALSE(widget->isVisible());
  QCoreApplication::processEvents();
  EXPECT_TRUE(widget.isNull());
}

TEST_F(ShownRoot, ReleaseDestroysTheControlAfterTheEvent) {
  auto* child = NewChild();
  bool clicked = false;
  child->OnClick = [&](TObject*) {
    child->Release();
    clicked = true;
  };
  ClickAt(*child, QPoint(2, 2));
  EXPECT_TRUE(clicked);
  EXPECT_EQ(root.ControlCount(), 1);
  QCoreApplication::processEvents();
  EXPECT_EQ(root.ControlCount(), 0);
}

TEST_F(ShownRoot, TransparentChildShowsItsParentsPainting) {
  auto* frame = testing::Place<Painted>(&root, &root, 0, 0, 120, 80);
  frame->SetColor(clYellow);
  // It overlaps the parent's left frame line.
  auto* glass = testing::Place<Painted>(frame, frame, -1, 20, 30, 30);
  glass->SetParentBackground(true);
  auto* solid = testing::Place<Painted>(frame, frame, 60, 20, 30, 30);
  solid->SetColor(clLime);

  const QImage image = Grab(root);
  EXPECT_EQ(PixelAt(image, 0, 0), clBlue);   // the parent's frame
  EXPECT_EQ(PixelAt(image, 0, 30), clBlue);  // ... seen through the glass child
  EXPECT_EQ(PixelAt(image, 10, 30), clYellow);
  EXPECT_EQ(PixelAt(image, 60, 20), clBlue);  // the solid child's own frame
  EXPECT_EQ(PixelAt(image, 70, 30), clLime);
}

TEST_F(ShownRoot, InvalidateWaitsForTheEventLoopRepaintPaintsAtOnce) {
  auto* child = NewChild();
  QCoreApplication::processEvents();
  const int before = child->paints;
  child->Invalidate();
  child->Invalidate();
  EXPECT_EQ(child->paints, before);
  QCoreApplication::processEvents();
  EXPECT_EQ(child->paints, before + 1);
  child->Repaint();
  EXPECT_EQ(child->paints, before + 2);
}

TEST_F(ShownRoot, WheelTurnsGoToTheControlAndOnToItsParentWhenUnused) {
  auto* child = NewChild();
  std::vector<std::string> log;
  bool childTakesIt = false;
  child->OnMouseWheel = [&](TObject*, TShiftState shift, int delta, TPoint pos, bool& handled) {
    log.push_back("child " + std::to_string(delta) + " " + std::to_string(shift.Contains(ssCtrl)));
    const TPoint expected = child->ClientToScreen(Point(5, 6));
    EXPECT_EQ(pos.X, expected.X);
    EXPECT_EQ(pos.Y, expected.Y);
    handled = childTakesIt;
  };
  root.OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
    log.push_back("root " + std::to_string(delta));
    handled = true;
  };
  QWidget* w = testing::NativeWidgetOf(*child);
  const auto turn = [&](int delta) {
    QWheelEvent event(QPointF(5, 6), QPointF(w->mapToGlobal(QPoint(5, 6))), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(w, &event);
  };
  turn(-120);
  childTakesIt = true;
  turn(240);
  EXPECT_EQ(log, (std::vector<std::string>{"child -120 1", "root -120", "child 240 1"}));
}

TEST_F(ShownRoot, LoadingHoldsPaintingBackAndPaintsOnceAtTheEnd) {
  auto* child = NewChild();
  QCoreApplication::processEvents();
  const int before = child->paints;
  root.BeginLoading();
  child->Invalidate();
  child->Repaint();
  QCoreApplication::processEvents();
  EXPECT_EQ(child->paints, before);
  root.EndLoading();
  QCoreApplication::processEvents();
  EXPECT_EQ(child->paints, before + 1);
}

}  // namespace
}  // namespace mirto
