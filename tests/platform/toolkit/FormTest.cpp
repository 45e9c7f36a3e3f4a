#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/toolkit/Action.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/BitBtn.h"
#include "platform/toolkit/CustomPanel.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/Memo.h"
#include "platform/toolkit/WindowServices.h"
#include "tests/platform/toolkit/ControlTestSupport.h"
#include "tests/support/Placing.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ToolkitSeam.h"

namespace mirto {
namespace {

using namespace testing_support;

// An owner-drawn button that fills itself red (green while pressed) and
// keeps the flags of every record it is handed.
class RecordingButton : public TBitBtn {
 public:
  using TBitBtn::TBitBtn;
  std::vector<TOwnerDrawState> states;
  TRect lastRect;

 protected:
  void DrawItem(const TDrawItemStruct& item) override {
    states.push_back(item.ItemState);
    lastRect = item.ItemRect;
    item.Canvas->Brush().SetColor(item.ItemState.Contains(odSelected) ? clLime : clRed);
    item.Canvas->FillRect(item.ItemRect);
  }
};

class FormFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm();
    form->SetBorderStyle(bsNone);
    form->SetColor(clWhite);
    form->SetBounds(40, 30, 200, 120);
  }
  void TearDown() override {
    delete form;
    QCoreApplication::processEvents();
  }
  // A 40 x 20 recording button, owned by the form.
  RecordingButton* AddButton(TWinControl* parent, int left, int top = 10) {
    auto* button = testing::Place<RecordingButton>(form, parent, left, top, 40, 20);
    return button;
  }
  TForm* form = nullptr;
};

TEST_F(FormFixture, PanelLabelAndOwnerDrawnButtonRenderPixelExact) {
  auto* panel = new TCustomPanel(form);
  panel->SetParent(form);
  panel->SetBevelOuter(bvNone);
  panel->SetParentBackground(false);
  panel->SetColor(clYellow);
  panel->Margins().SetBounds(6, 6, 6, 6);
  panel->SetAlignWithMargins(true);
  panel->SetAlign(alClient);
  auto* label = new TLabel(form);
  label->SetParent(panel);
  label->SetLeft(10);
  label->SetTop(10);
  label->SetTransparent(true);
  label->Font().SetColor(clBlack);
  label->Font().SetHeight(-20);
  label->SetCaption("MM");
  auto* button = AddButton(panel, 100, 60);
  form->Show();

  EXPECT_EQ(panel->BoundsRect(), Rect(6, 6, 194, 114));
  EXPECT_GT(label->Width(), 20);  // sized to its text
  const QImage image = Grab(*form);
  EXPECT_EQ(PixelAt(image, 0, 0), clWhite);
  EXPECT_EQ(PixelAt(image, 5, 60), clWhite);
  EXPECT_EQ(PixelAt(image, 6, 60), clYellow);
  EXPECT_EQ(PixelAt(image, 193, 113), clYellow);
  EXPECT_EQ(PixelAt(image, 194, 113), clWhite);
  // The button: its whole rectangle and nothing more.
  EXPECT_EQ(PixelAt(image, 106, 66), clRed);
  EXPECT_EQ(PixelAt(image, 145, 85), clRed);
  EXPECT_EQ(PixelAt(image, 146, 85), clYellow);
  EXPECT_EQ(PixelAt(image, 105, 66), clYellow);
  EXPECT_EQ(button->lastRect, Rect(0, 0, 40, 20));
  // The label: black letters on the panel's yellow, nothing else.
  int black = 0;
  int other = 0;
  for (int y = 16; y < 16 + label->Height(); ++y)
    for (int x = 16; x < 16 + label->Width(); ++x) {
      const TColor c = PixelAt(image, x, y);
      if (c == clBlack)
        ++black;
      else if (c != clYellow && GetBValue(c) != 0)
        ++other;  // antialiased edges stay yellowish
    }
  EXPECT_GT(black, 20);
  EXPECT_EQ(other, 0);
}

TEST_F(FormFixture, DrawItemFlagsFollowPressDisableAndFocus) {
  auto* button = AddButton(form, 10);
  auto* other = AddButton(form, 60);
  form->Show();
  QCoreApplication::processEvents();

  SendMouse(*button, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
  EXPECT_TRUE(button->states.back().Contains(odSelected));
  EXPECT_EQ(PixelAt(Grab(*form), 15, 15), clLime);
  // Off the button with the button held: no longer pressed; back on: pressed.
  SendMouse(*button, QEvent::MouseMove, QPoint(60, 5), Qt::NoButton, Qt::LeftButton);
  EXPECT_FALSE(button->states.back().Contains(odSelected));
  SendMouse(*button, QEvent::MouseMove, QPoint(6, 5), Qt::NoButton, Qt::LeftButton);
  EXPECT_TRUE(button->states.back().Contains(odSelected));
  SendMouse(*button, QEvent::MouseButtonRelease, QPoint(6, 5), Qt::LeftButton);
  EXPECT_FALSE(button->states.back().Contains(odSelected));

  other->SetFocus();
  QCoreApplication::processEvents();
  ASSERT_TRUE(other->Focused());
  button->states.clear();
  other->states.clear();
  button->SetFocus();
  QCoreApplication::processEvents();
  ASSERT_FALSE(button->states.empty());
  EXPECT_TRUE(button->states.back().Contains(odFocus));
  EXPECT_FALSE(other->states.back().Contains(odFocus));

  button->SetEnabled(false);
  button->Repaint();
  EXPECT_TRUE(button->states.back().Contains(odDisabled));
  EXPECT_FALSE(button->states.back().Contains(odSelected));
}

TEST_F(FormFixture, ButtonClicksByMouseSpaceAndEnterAndTheWindowsDefaultButton) {
  std::vector<std::string> log;
  auto* button = AddButton(form, 10);
  button->OnClick = [&](TObject*) { log.push_back("button"); };
  auto* ok = AddButton(form, 60);
  ok->SetDefault(true);
  ok->OnClick = [&](TObject*) { log.push_back("ok"); };
  auto* panel = testing::Place<TCustomPanel>(form, form, 0, 50, 100, 50);
  form->Show();

  ClickAt(*button, QPoint(3, 3));
  SendKey(*button, Qt::Key_Space);
  EXPECT_TRUE(button->Down());
  SendKey(*button, Qt::Key_Space, QEvent::KeyRelease);
  SendKey(*button, Qt::Key_Return);  // the focused button takes Enter itself
  SendKey(*panel, Qt::Key_Return);   // elsewhere Enter reaches the default button
  ok->SetEnabled(false);
  SendKey(*panel, Qt::Key_Return);  // ... unless it is disabled
  EXPECT_EQ(log, (std::vector<std::string>{"button", "button", "button", "ok"}));
}

// A key goes to the focused control, then to its parents up to the window,
// each seeing the key and then its character, until one takes it; with
// KeyPreview the window has its turn first, and only then.
TEST_F(FormFixture, KeysReachTheFocusedControlThenItsParentsOrTheWindowFirstWithKeyPreview) {
  struct Case {
    bool preview;
    const char* taker;  // whose OnKeyPress takes the character, or ""
    std::vector<std::string> log;
  };
  const Case cases[] = {
      {false, "", {"button v", "button a", "panel v", "panel a", "form v", "form a"}},
      {false, "panel", {"button v", "button a", "panel v", "panel a"}},
      {true, "", {"form v", "form a", "button v", "button a", "panel v", "panel a"}},
      {true, "form", {"form v", "form a"}},
  };
  for (const Case& c : cases) {
    auto* panel = testing::Place<TCustomPanel>(form, form, 0, 50, 100, 50);
    auto* button = AddButton(panel, 10, 10);
    form->SetKeyPreview(c.preview);
    std::vector<std::string> log;
    for (auto [control, name] : {std::pair<TWinControl*, std::string>{form, "form"},
                                 {panel, "panel"},
                                 {button, "button"}}) {
      control->OnKeyDown = [&log, name](TObject*, std::uint16_t& key, TShiftState) {
        if (key == 'V') log.push_back(name + " v");
      };
      control->OnKeyPress = [&log, name, &c](TObject*, QChar& key) {
        log.push_back(name + " " + QString(key).toStdString());
        if (name == c.taker) key = QChar();
      };
    }
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(testing::NativeWidgetOf(*button), &press);
    EXPECT_EQ(log, c.log) << "preview " << c.preview << ", taken by " << c.taker;
    form->OnKeyDown = nullptr;
    form->OnKeyPress = nullptr;
    delete panel;
  }

  // A handler that destroys its control ends the key there.
  form->SetKeyPreview(false);
  auto* button = AddButton(form, 10);
  bool windowSaw = false;
  form->OnKeyDown = [&](TObject*, std::uint16_t&, TShiftState) { windowSaw = true; };
  form->OnKeyPress = [&](TObject*, QChar&) { windowSaw = true; };
  button->OnKeyDown = [button](TObject*, std::uint16_t&, TShiftState) { delete button; };
  QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::NoModifier, QStringLiteral("v"));
  QApplication::sendEvent(testing::NativeWidgetOf(*button), &press);
  EXPECT_FALSE(windowSaw);
}

TEST_F(FormFixture, ShowModalReturnsTheResultThatEndedIt) {
  auto* button = AddButton(form, 10);
  button->SetModalResult(mrOk);
  int ticks = 0;
  QTimer timer;
  timer.setInterval(1);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    if (++ticks == 3) ClickAt(*button, QPoint(2, 2));
  });
  timer.start();
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_GE(ticks, 3);  // events kept flowing while the window was modal
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(form->Modal());

  QTimer::singleShot(0, [&] { form->Close(); });
  EXPECT_EQ(form->ShowModal(), mrCancel);

  form->Show();
  EXPECT_EQ(form->ShowModal(), mrNone) << "a shown window cannot become modal";
}

TEST_F(FormFixture, CloseAsksOnCloseQueryAndFollowsOnClose) {
  bool allow = false;
  TCloseAction chosen = caHide;
  form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
  form->OnClose = [&](TObject*, TCloseAction& action) { action = chosen; };
  form->Show();
  form->Close();
  EXPECT_TRUE(form->Visible());
  allow = true;
  chosen = caNone;
  form->Close();
  EXPECT_TRUE(form->Visible());
  chosen = caHide;
  form->Close();
  EXPECT_FALSE(form->Visible());
}

TEST_F(FormFixture, PositionCentresOnTheScreenTheFirstTimeOnly) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  form->SetPosition(poScreenCenter);
  form->Show();
  EXPECT_EQ(form->Left(), screen.x() + (screen.width() - 200) / 2);
  EXPECT_EQ(form->Top(), screen.y() + (screen.height() - 120) / 2);
  form->Hide();
  form->SetLeft(5);
  form->Show();
  EXPECT_EQ(form->Left(), 5);
}

TEST_F(FormFixture, DraggingMovesTheWindowWithThePointerWithoutClicking) {
  auto* panel = new TCustomPanel(form);
  panel->SetParent(form);
  panel->SetAlign(alClient);
  int clicks = 0;
  panel->OnClick = [&](TObject*) { ++clicks; };
  panel->OnMouseMove = [&](TObject*, TShiftState, int, int) {
    ReleaseCapture();
    SendSysCommand(*panel, SC_DRAGMOVE);
  };
  form->Show();
  const QPoint start = testing::NativeWidgetOf(*form)->pos();

  // Moving without a button moves nothing.
  SendMouse(*panel, QEvent::MouseMove, QPoint(20, 20), Qt::NoButton);
  SendMouse(*panel, QEvent::MouseMove, QPoint(40, 40), Qt::NoButton);
  EXPECT_EQ(testing::NativeWidgetOf(*form)->pos(), start);

  SendMouse(*panel, QEvent::MouseButtonPress, QPoint(20, 20), Qt::LeftButton);
  SendMouse(*panel, QEvent::MouseMove, QPoint(22, 21), Qt::NoButton, Qt::LeftButton);
  SendMouse(*panel, QEvent::MouseMove, QPoint(52, 61), Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(testing::NativeWidgetOf(*form)->pos(), start + QPoint(30, 40));
  EXPECT_EQ(form->Left(), start.x() + 30);
  SendMouse(*panel, QEvent::MouseButtonRelease, QPoint(22, 21), Qt::LeftButton);
  EXPECT_EQ(clicks, 0);
}

// After a move the window manager carried out, the release never reached
// the program and later moves still said the left button was held: each
// started another move, so the window stuck to the pointer.
TEST_F(FormFixture, AMoveStartsOncePerPressNotOnMovesThatFollowItsRelease) {
  auto* panel = new TCustomPanel(form);
  panel->SetParent(form);
  panel->SetAlign(alClient);
  panel->OnMouseMove = [&](TObject*, TShiftState, int, int) {
    ReleaseCapture();
    SendSysCommand(*panel, SC_DRAGMOVE);
  };
  form->Show();
  const QPoint start = testing::NativeWidgetOf(*form)->pos();
  const auto drag = [&](QPoint to) {
    SendMouse(*panel, QEvent::MouseButtonPress, QPoint(20, 20), Qt::LeftButton);
    SendMouse(*panel, QEvent::MouseMove, QPoint(20, 20), Qt::NoButton, Qt::LeftButton);
    SendMouse(*panel, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    SendMouse(*panel, QEvent::MouseButtonRelease, to, Qt::LeftButton);
  };
  drag(QPoint(30, 25));
  EXPECT_EQ(testing::NativeWidgetOf(*form)->pos(), start + QPoint(10, 5));
  SendMouse(*panel, QEvent::MouseMove, QPoint(60, 50), Qt::NoButton, Qt::LeftButton);
  SendMouse(*panel, QEvent::MouseMove, QPoint(90, 80), Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(testing::NativeWidgetOf(*form)->pos(), start + QPoint(10, 5))
      << "moved without a press";
  drag(QPoint(25, 40));  // the next press drags again
  EXPECT_EQ(testing::NativeWidgetOf(*form)->pos(), start + QPoint(15, 25));
}

// Where the release never reached the program, the next move without the
// left button ends the move: the window no longer follows the pointer.
TEST_F(FormFixture, AMoveEndsOnAPointerMoveWithoutTheLeftButtonAfterAMissedRelease) {
  auto* panel = new TCustomPanel(form);
  panel->SetParent(form);
  panel->SetAlign(alClient);
  panel->OnMouseMove = [&](TObject*, TShiftState, int, int) {
    ReleaseCapture();
    SendSysCommand(*panel, SC_DRAGMOVE);
  };
  form->Show();
  QWidget* window = testing::NativeWidgetOf(*form);
  const QPoint start = window->pos();
  SendMouse(*panel, QEvent::MouseButtonPress, QPoint(20, 20), Qt::LeftButton);
  SendMouse(*panel, QEvent::MouseMove, QPoint(20, 20), Qt::NoButton, Qt::LeftButton);
  SendMouse(*panel, QEvent::MouseMove, QPoint(30, 25), Qt::NoButton, Qt::LeftButton);
  ASSERT_EQ(window->pos(), start + QPoint(10, 5));
  // No release: the button is up on the next move.
  SendMouse(*panel, QEvent::MouseMove, QPoint(60, 50), Qt::NoButton);
  SendMouse(*panel, QEvent::MouseMove, QPoint(80, 70), Qt::NoButton);
  EXPECT_EQ(window->pos(), start + QPoint(10, 5));
}

TEST(Application, RunsUntilTheMainWindowClosesAndOwnsItsWindows) {
  int argc = 1;
  char name[] = "test";
  char* argv[] = {name, nullptr};
  {
    TApplication app(argc, argv);
    ASSERT_EQ(Application(), &app);
    app.Initialize();
    app.SetTitle("Mirto");
    TForm* main = app.CreateForm<TForm>();
    TForm* about = app.CreateForm<TForm>();
    EXPECT_EQ(app.MainForm(), main);
    EXPECT_EQ(testing::NativeWidgetOf(*about)->parentWidget(), testing::NativeWidgetOf(*main));
    main->SetBorderStyle(bsNone);
    main->SetBounds(100, 80, 300, 200);
    about->SetBorderStyle(bsNone);
    // Only a dialog is transient for its owner: a plain window got a
    // taskbar entry of its own.
    EXPECT_EQ(testing::NativeWidgetOf(*about)->windowType(), Qt::Dialog);
    about->SetBounds(0, 0, 100, 50);
    about->SetPosition(poMainFormCenter);
    int minimized = 0;
    app.OnMinimize = [&](TObject*) { ++minimized; };
    QTimer::singleShot(0, [&] {
      about->Show();
      EXPECT_EQ(about->BoundsRect(), Bounds(200, 155, 100, 50)) << "centred over the main window";
      app.Minimize();
      EXPECT_EQ(minimized, 1);
      app.Restore();
      about->Close();  // hides, the program goes on
      EXPECT_FALSE(app.Terminated());
      main->Close();
    });
    app.Run();
    EXPECT_TRUE(app.Terminated());
    EXPECT_FALSE(about->Visible());
  }
  EXPECT_EQ(Application(), nullptr);
}

TEST_F(FormFixture, ButtonShowsAndExecutesItsAction) {
  auto* action = new TAction(form);
  action->SetCaption("Categories");
  action->SetHint("Show categories");
  int executed = 0;
  action->OnExecute = [&](TObject*) { ++executed; };
  auto* button = AddButton(form, 10);
  button->SetHint("own hint");
  button->SetAction(action);
  EXPECT_EQ(button->Caption(), "Categories");
  EXPECT_EQ(button->Hint(), "own hint") << "binding keeps what the button already has";
  action->SetHint("Show all");
  EXPECT_EQ(button->Hint(), "Show all");
  action->SetEnabled(false);
  EXPECT_FALSE(button->Enabled());
  action->SetEnabled(true);
  form->Show();
  ClickAt(*button, QPoint(2, 2));
  EXPECT_EQ(executed, 1);

  delete action;  // the button lets go by itself
  EXPECT_EQ(button->Action(), nullptr);
  ClickAt(*button, QPoint(2, 2));
  EXPECT_EQ(executed, 1);
}

// Remembers what the window told it about the active button.
class StyledButton : public RecordingButton {
 public:
  using RecordingButton::RecordingButton;
  std::vector<bool> styles;
  void SetButtonStyle(bool isDefault) override { styles.push_back(isDefault); }
};

TEST_F(FormFixture, FocusMovesEnterAndExitAndTellsButtonsWhichIsActive) {
  std::vector<std::string> log;
  auto* first = testing::Place<StyledButton>(form, form, 10, 10, 40, 20);
  first->OnEnter = [&](TObject*) { log.push_back("enter first"); };
  first->OnExit = [&](TObject*) { log.push_back("exit first"); };
  auto* second = testing::Place<StyledButton>(form, form, 60, 10, 40, 20);
  second->SetDefault(true);
  second->OnEnter = [&](TObject*) { log.push_back("enter second"); };
  auto* memo = testing::Place<TMemo>(form, form, 10, 40, 100, 50);
  form->Show();
  QCoreApplication::processEvents();

  first->SetFocus();
  QCoreApplication::processEvents();
  ASSERT_TRUE(first->Focused());
  EXPECT_EQ(first->styles.back(), true);
  EXPECT_EQ(second->styles.back(), false) << "another button has the focus";

  second->SetFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(first->styles.back(), false);
  EXPECT_EQ(second->styles.back(), true);

  memo->SetFocus();
  QCoreApplication::processEvents();
  EXPECT_TRUE(memo->Focused());
  EXPECT_EQ(first->styles.back(), false);
  EXPECT_EQ(second->styles.back(), true) << "no button focused: the default one is active";
  EXPECT_EQ(log, (std::vector<std::string>{"enter first", "exit first", "enter second"}));
}

// Fault: centring over the owner kept the window on the primary screen, so
// an about window over a main window on a second monitor jumped to the first.
TEST(WindowPlacement, CentredOverTheOwnerOnTheOwnersScreen) {
  struct Case {
    TRect over;
    TRect workArea;
    TRect expected;
  };
  const TRect second = Rect(1280, 0, 2560, 1024);
  const Case cases[] = {
      {Bounds(1500, 300, 560, 400), second, Bounds(1680, 400, 200, 200)},
      {Bounds(2450, 300, 100, 100), second, Bounds(2360, 250, 200, 200)},      // right edge
      {Bounds(1200, -50, 100, 100), second, Bounds(1280, 0, 200, 200)},        // left and top edges
      {Bounds(0, 0, 100, 100), Rect(0, 0, 150, 150), Bounds(0, 0, 200, 200)},  // too large
  };
  for (const Case& c : cases) EXPECT_EQ(CenteredBounds(c.over, 200, 200, c.workArea), c.expected);
}

// Fault: Constraints never reached the window, so the window manager could
// still resize a window whose width was fixed.
TEST_F(FormFixture, ConstraintsBindTheWindowItself) {
  form->Constraints().SetMinWidth(200);
  form->Constraints().SetMaxWidth(200);
  form->Constraints().SetMinHeight(60);
  QWidget* window = testing::NativeWidgetOf(*form);
  EXPECT_EQ(window->minimumSize(), QSize(200, 60));
  EXPECT_EQ(window->maximumWidth(), 200);
  EXPECT_EQ(window->maximumHeight(), QWIDGETSIZE_MAX) << "0 is no limit";
  form->Constraints().SetMaxWidth(0);
  EXPECT_EQ(window->maximumWidth(), QWIDGETSIZE_MAX);
}

// Fault: the window manager could maximise the main window or make it full
// screen, and its layout of one size stretched with it. A window whose
// limits fix its size leaves such a state and takes its size back; a window
// free in one direction keeps the state it was given.
TEST_F(FormFixture, AWindowOfFixedSizeLeavesAStateThatChangesItsSize) {
  QWidget* window = testing::NativeWidgetOf(*form);
  const auto settle = [] {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  };
  for (const Qt::WindowState imposed : {Qt::WindowMaximized, Qt::WindowFullScreen}) {
    SCOPED_TRACE(imposed == Qt::WindowMaximized ? "maximised" : "full screen");
    form->Constraints().SetMinWidth(200);
    form->Constraints().SetMaxWidth(200);
    form->Constraints().SetMinHeight(120);
    form->Constraints().SetMaxHeight(120);
    form->Show();
    window->setWindowState(imposed);  // as the window manager would
    settle();
    EXPECT_FALSE(window->windowState() & imposed);
    EXPECT_EQ(window->size(), QSize(200, 120));
    EXPECT_EQ(form->BoundsRect().Width(), 200);
    EXPECT_EQ(form->BoundsRect().Height(), 120);

    form->Hide();
    form->Constraints().SetMinHeight(0);
    form->Constraints().SetMaxHeight(0);
    form->Show();
    window->setWindowState(imposed);
    settle();
    EXPECT_TRUE(window->windowState() & imposed) << "a window of free height keeps the state";
    window->setWindowState(Qt::WindowNoState);
    form->Hide();
    settle();
  }
}

// Fault: hiding, disabling or destroying the focused control moved the focus
// along the tab chain, so Enter could press a button the user never chose.
TEST_F(FormFixture, FocusGoesToTheWindowWhenTheFocusedControlGoes) {
  const std::vector<std::pair<const char*, std::function<void(TBitBtn*)>>> ways = {
      {"hidden", [](TBitBtn* b) { b->Hide(); }},
      {"disabled", [](TBitBtn* b) { b->SetEnabled(false); }},
      {"destroyed", [](TBitBtn* b) { delete b; }},
      {"parent hidden", [](TBitBtn* b) { b->Parent()->Hide(); }},
  };
  form->Show();
  for (const auto& [way, remove] : ways) {
    auto* panel = testing::Place<TCustomPanel>(form, form, 0, 0, 100, 60);
    auto* focused = AddButton(panel, 10);
    auto* next = AddButton(form, 120);
    focused->SetFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(focused->Focused()) << way;
    remove(focused);
    QCoreApplication::processEvents();
    EXPECT_FALSE(next->Focused()) << way;
    EXPECT_EQ(QApplication::focusWidget(), testing::NativeWidgetOf(*form)) << way;
    delete panel;
    delete next;
  }
}

TEST_F(FormFixture, DefaultButtonCarriesTheFocusFlagWhileTheFocusIsElsewhere) {
  auto* plain = AddButton(form, 10);
  auto* preferred = new StyledButton(form);  // an override that records only
  preferred->SetParent(form);
  preferred->SetBounds(60, 10, 40, 20);
  preferred->SetDefault(true);
  auto* memo = testing::Place<TMemo>(form, form, 10, 40, 100, 50);
  form->Show();
  memo->SetFocus();
  QCoreApplication::processEvents();
  ASSERT_TRUE(memo->Focused());
  preferred->Repaint();
  plain->Repaint();
  EXPECT_FALSE(preferred->Focused());
  EXPECT_TRUE(preferred->ActiveButton());
  EXPECT_TRUE(preferred->states.back().Contains(odFocus));
  EXPECT_FALSE(plain->states.back().Contains(odFocus));

  plain->SetFocus();
  QCoreApplication::processEvents();
  preferred->Repaint();
  EXPECT_FALSE(preferred->states.back().Contains(odFocus));
  EXPECT_TRUE(plain->states.back().Contains(odFocus));
}

TEST_F(FormFixture, ActiveControlGetsTheFocusWhenTheWindowShows) {
  AddButton(form, 10);  // earlier in the tab order than the active one
  auto* close = AddButton(form, 60);
  form->SetActiveControl(close);
  EXPECT_EQ(form->ActiveControl(), close);
  form->Show();
  QCoreApplication::processEvents();
  EXPECT_TRUE(close->Focused());
  delete close;
  EXPECT_EQ(form->ActiveControl(), nullptr) << "a destroyed control is forgotten";
}

// Children shown with a new window would start the accessibility bridge
// (and its wait for the session bus) before the window is asked for; they
// show right after it, each as its control says, whatever OnShow did.
TEST_F(FormFixture, AWindowNewToTheScreenShowsBeforeItsChildren) {
  struct ShowOrder : QObject {
    std::vector<QObject*> shown;
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (event->type() == QEvent::Show) shown.push_back(watched);
      return false;
    }
  } order;
  auto* kept = AddButton(form, 10);
  auto* hiddenByHandler = AddButton(form, 60);
  auto* hiddenBefore = AddButton(form, 110);
  hiddenBefore->SetVisible(false);
  QWidget* window = testing::NativeWidgetOf(*form);
  for (QWidget* widget : {window, testing::NativeWidgetOf(*kept)})
    widget->installEventFilter(&order);
  form->OnShow = [&](TObject*) { hiddenByHandler->SetVisible(false); };
  form->Show();
  ASSERT_EQ(order.shown.size(), 2u);
  EXPECT_EQ(order.shown.front(), window);
  EXPECT_TRUE(testing::NativeWidgetOf(*kept)->isVisible());
  EXPECT_FALSE(testing::NativeWidgetOf(*hiddenByHandler)->isVisible());
  EXPECT_FALSE(testing::NativeWidgetOf(*hiddenBefore)->isVisible());
  EXPECT_TRUE(hiddenByHandler->Enabled() && !hiddenByHandler->Visible());
}

TEST_F(FormFixture, BorderStyleAndIconsChooseTheWindowFrame) {
  QWidget* window = testing::NativeWidgetOf(*form);
  EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
  form->SetBorderStyle(bsSingle);
  form->SetBorderIcons({biSystemMenu, biMinimize});
  EXPECT_FALSE(window->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(form->BoundsRect(), Bounds(40, 30, 200, 120)) << "the client area keeps its place";
}

}  // namespace
}  // namespace mirto
