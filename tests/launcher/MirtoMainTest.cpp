#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include "catalog/InstallationData.h"
#include "catalog/MirtoApps.h"
#include "catalog/MirtoProcs.h"
#include "components/ButtonEx.h"
#include "components/KvoLinkLabel.h"
#include "components/KvoPanel.h"
#include "components/KvoPngButton.h"
#include "components/KvoTitleLabel.h"
#include "launcher/MainActions.h"
#include "launcher/MirtoAbout.h"
#include "launcher/MirtoMain.h"
#include "platform/system/FileSystem.h"
#include "platform/system/Shell.h"
#include "platform/toolkit/Action.h"
#include "platform/toolkit/KeyboardUse.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/ShortCut.h"
#include "platform/toolkit/Timer.h"
#include "platform/toolkit/TrayIcon.h"
#include "platform/toolkit/WindowServices.h"
#include "tests/platform/toolkit/ControlTestSupport.h"
#include "tests/support/AccessibleTree.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ToolkitSeam.h"
#include "tests/support/WaitUntil.h"

namespace mirto {
namespace {

// The view timers are one-shot: their handler disables them.
void WaitForTimer(const TTimer& timer) {
  EXPECT_TRUE(testing::WaitUntil([&] { return !timer.Enabled(); })) << "the view timer never fired";
}

void PressKey(TControl& control, int key, Qt::KeyboardModifiers modifiers) {
  QWidget* widget = testing::NativeWidgetOf(control);
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers);
  QApplication::sendEvent(widget, &release);
}

// Keys as the keyboard types them: each character with its text.
void Type(TControl& control, const QString& text) {
  for (const QChar c : text) {
    const int key = c.isLetter()  ? Qt::Key_A + (c.toUpper().unicode() - u'A')
                    : c.isDigit() ? Qt::Key_0 + (c.unicode() - u'0')
                                  : (c == u' ' ? Qt::Key_Space : Qt::Key_unknown);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(testing::NativeWidgetOf(control), &press);
  }
}

// Keys posted to the window as the keyboard delivers them, press and
// release, each to whatever control holds the focus when it arrives; "\b"
// is Backspace and "\r" Enter. Nothing is handled until the events run.
void PostKeys(TControl& window, const QString& keys) {
  QWindow* target = testing::NativeWidgetOf(window)->windowHandle();
  for (const QChar c : keys) {
    const int key = c == u'\b'    ? Qt::Key_Backspace
                    : c == u'\r'  ? Qt::Key_Return
                    : c == u' '   ? Qt::Key_Space
                    : c.isDigit() ? Qt::Key_0 + (c.unicode() - u'0')
                                  : Qt::Key_A + (c.toUpper().unicode() - u'A');
    const QString text = c == u'\b' ? QString() : QString(c);
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
      QCoreApplication::postEvent(target, new QKeyEvent(type, key, Qt::NoModifier, text));
  }
}

void SendButton(TControl& control, QEvent::Type type, Qt::MouseButton button, QPoint at) {
  QWidget* w = testing::NativeWidgetOf(control);
  const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
  QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(w, &event);
}

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    InitCatalog(folder_.filePath(QStringLiteral("mirto")));
    main_ = std::make_unique<TFormMain>();
    main_->Show();
    testing::NativeWidgetOf(*main_)->activateWindow();
    QApplication::processEvents();
  }
  void TearDown() override {
    main_.reset();
    QApplication::processEvents();
    FinalizeCatalog();
  }

  std::vector<TLabel*> Labels() const {
    std::vector<TLabel*> labels;
    for (int i = 0; i < main_->pnMain->ControlCount(); ++i)
      if (auto* l = dynamic_cast<TLabel*>(main_->pnMain->Controls(i))) labels.push_back(l);
    return labels;
  }
  QString Description() const {
    const auto labels = Labels();
    return labels.size() < 2 ? QString() : labels[1]->Caption();
  }
  std::vector<int> ButtonTags() const {
    std::vector<int> tags;
    for (TButtonEx* b : Buttons()) tags.push_back(static_cast<int>(b->Tag()));
    return tags;
  }
  QString Heading() const {
    const auto labels = Labels();
    return labels.empty() ? QString() : labels.front()->Caption();
  }
  std::vector<TButtonEx*> Buttons() const {
    std::vector<TButtonEx*> buttons;
    for (int i = 0; i < main_->pnMain->ControlCount(); ++i)
      if (auto* b = dynamic_cast<TButtonEx*>(main_->pnMain->Controls(i)); b && b->Visible())
        buttons.push_back(b);
    return buttons;
  }
  TButtonEx* ButtonWithTag(int tag) const {
    for (TButtonEx* b : Buttons())
      if (b->Tag() == tag) return b;
    return nullptr;
  }
  TAction& Action(const char* name) const {
    return *main_->Actions->FindAction(QString::fromLatin1(name));
  }

  QTemporaryDir folder_;
  TShellExecuteRecorder shell_;
  std::unique_ptr<TFormMain> main_;
};

TEST_F(MainWindow, StartsInTheCategoryViewWithAFixedWidth) {
  EXPECT_EQ(main_->Caption(), "Mirto 2.21 [64-bit]");
  EXPECT_EQ(main_->Width(), 615);
  EXPECT_EQ(main_->Height(), 336);
  EXPECT_EQ(main_->Constraints().MinWidth(), 615);
  EXPECT_EQ(main_->Constraints().MaxWidth(), 615);
  EXPECT_EQ(main_->pnMain->BoundsRect(), Bounds(6, 47, 603, 258));
  EXPECT_EQ(Heading(), "Video Converters");
  EXPECT_EQ(Buttons().size(), 10u);
  EXPECT_FALSE(main_->btnHome->Enabled());
  EXPECT_EQ(main_->btnHome->Caption(), "Categories");
  EXPECT_FALSE(main_->ti->Visible());
  EXPECT_EQ(main_->ti->Hint(), "Mirto 2.21 [64-bit]");
  EXPECT_FALSE(main_->tmCat->Enabled());
  EXPECT_FALSE(main_->tm2->Enabled());
  EXPECT_EQ(main_->tmCat->Interval(), 150);
  EXPECT_EQ(main_->SelectedGroupID, 0);
}

TEST_F(MainWindow, DragsFromTheBackgroundsAndTitleOnlyAndEveryControlHasAName) {
  for (TControl* dragging : std::initializer_list<TControl*>{
           main_.get(), main_->pnMain, main_->pnAppTitle, main_->pnBottom, main_->lblAppTitle})
    EXPECT_TRUE(static_cast<bool>(dragging->OnMouseMove)) << dragging->Name().toStdString();
  EXPECT_FALSE(static_cast<bool>(main_->pnBg->OnMouseMove));
  for (TKvoPngButton* button : {main_->btnMenuVideo, main_->btnMenuAudio, main_->btnAbout,
                                main_->btnMinimize, main_->btnMinimizeToTray, main_->btnClose}) {
    EXPECT_FALSE(static_cast<bool>(button->OnMouseMove));
    EXPECT_FALSE(button->AccessibleName().isEmpty());
    EXPECT_EQ(button->AccessibleName(), button->Hint());
  }
  EXPECT_EQ(main_->btnClose->AccessibleName(), "Exit");
  EXPECT_EQ(main_->btnHome->AccessibleName(), "Categories");
  for (TButtonEx* button : Buttons()) {
    EXPECT_FALSE(static_cast<bool>(button->OnMouseMove));
    EXPECT_EQ(button->AccessibleName(), button->Caption());
  }
  for (TLabel* label : Labels()) EXPECT_FALSE(static_cast<bool>(label->OnMouseMove));
}

// DragWindow asking for no move went unnoticed: a drag over each control
// with the drag handler moves the window by the pointer's way.
TEST_F(MainWindow, ADragOverEveryDragHandlerMovesTheWindow) {
  using testing_support::SendMouse;
  const struct {
    const char* what;
    TControl* control;
    QPoint at;
  } handlers[] = {
      {"title bar", main_->pnAppTitle, {150, 20}},
      {"title", main_->lblAppTitle, {4, 4}},
      {"bottom bar", main_->pnBottom, {100, 12}},
      {"main area", main_->pnMain, {590, 250}},
      {"window", main_.get(), {1, 1}},
  };
  QWidget* window = testing::NativeWidgetOf(*main_);
  for (const auto& h : handlers) {
    const QPoint start = window->pos();
    SendMouse(*h.control, QEvent::MouseButtonPress, h.at, Qt::LeftButton);
    SendMouse(*h.control, QEvent::MouseMove, h.at, Qt::NoButton, Qt::LeftButton);
    SendMouse(*h.control, QEvent::MouseMove, h.at + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
    SendMouse(*h.control, QEvent::MouseButtonRelease, h.at, Qt::LeftButton);
    EXPECT_EQ(window->pos(), start + QPoint(30, 20)) << h.what;
  }
}

// The button a screen reader finds by its name.
QAccessibleInterface* AccessibleButton(QAccessibleInterface* root, const QString& name) {
  if (root == nullptr) return nullptr;
  if (root->role() == QAccessible::PushButton && root->text(QAccessible::Name) == name) return root;
  for (int i = 0; i < root->childCount(); ++i)
    if (QAccessibleInterface* found = AccessibleButton(root->child(i), name)) return found;
  return nullptr;
}

// Pressing these through the accessibility interface answered only once the
// menu or the about window had closed, and screen readers gave up waiting.
TEST_F(MainWindow, AccessiblePressOfTheMenuAndAboutButtonsReturnsBeforeTheyOpen) {
  TFormAbout about;
  main_->SetAboutForm(&about);
  struct Case {
    const char* name;
    std::function<bool()> open;
    std::function<void()> close;
  };
  const Case cases[] = {
      {"Video converters", [&] { return main_->popMenuVideo->IsOpen(); },
       [&] { main_->popMenuVideo->CloseMenu(); }},
      {"Audio converters", [&] { return main_->popMenuAudio->IsOpen(); },
       [&] { main_->popMenuAudio->CloseMenu(); }},
      {"About", [&] { return about.Modal(); }, [&] { about.SetModalResult(mrCancel); }},
  };
  QAccessibleInterface* window =
      QAccessible::queryAccessibleInterface(testing::NativeWidgetOf(*main_));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QAccessibleInterface* button = AccessibleButton(window, QString::fromLatin1(c.name));
    ASSERT_NE(button, nullptr);
    bool pressing = false;
    bool opened = false;
    bool openedWhilePressing = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
      if (!c.open()) return;
      opened = true;
      openedWhilePressing = pressing;
      c.close();
    });
    closer.start(10);
    pressing = true;
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    pressing = false;
    testing::WaitUntil([&] { return opened; }, 3000);
    EXPECT_TRUE(opened) << "the press runs from the event loop";
    EXPECT_FALSE(openedWhilePressing) << "the press waited for what it opened";
    testing::RunEventsFor(20);
  }
  main_->SetAboutForm(nullptr);
}

// With any of the four menus open, the accessible tree held the main window
// only: no menu, no entry.
TEST_F(MainWindow, EachOpenMenuIsInTheAccessibleTreeAndItsEntriesPressLikeAClick) {
  using testing::AccessibleChildren;
  main_->TrayAvailable = [] { return true; };
  const auto started = [this](int id) {
    return !shell_.Requests().empty() &&
           shell_.Requests().back().File.endsWith(Programs[IndexOfProgram(id)].ExeFile);
  };
  struct Case {
    const char* what;
    TPopupMenu* menu;
    std::function<void()> open;
    int entries;
    int separators;
    QString first;
    QString firstShortcut;
    QString pressed;
    std::function<bool()> clicked;  // what a click of the pressed entry does
  };
  const Case cases[] = {
      {"video", main_->popMenuVideo, [this] { main_->btnMenuVideoClick(main_->btnMenuVideo); }, 25,
       5, "CATEGORY:   Video -> AVI / MPG", "Ctrl+1", "CATEGORY:   Flash Video Converters",
       [this] { return main_->SelectedGroupID == 30 && main_->tmCat->Enabled(); }},
      {"audio", main_->popMenuAudio, [this] { main_->btnMenuAudioClick(main_->btnMenuAudio); }, 15,
       3, "Audio Converter & Extractor", "Alt+1", "FLAC CUE Splitter", [&] { return started(30); }},
      {"program button", main_->popButton,
       [this] {
         main_->DisplayGroup(30);
         TButtonEx* button = ButtonWithTag(12);
         ASSERT_NE(button, nullptr);
         SendButton(*button, QEvent::MouseButtonPress, Qt::RightButton, {17, 5});
         SendButton(*button, QEvent::MouseButtonRelease, Qt::RightButton, {17, 5});
       },
       3, 1, "Run program", "", "Run program", [&] { return started(12); }},
      {"tray", main_->popMenuVideo,
       [this] {
         main_->btnMinimizeToTrayClick(main_->btnMinimizeToTray);
         main_->ti->ContextPopup(600, 700);
       },
       25, 5, "CATEGORY:   Video -> AVI / MPG", "Ctrl+1", "Video -> FLV / SWF",
       [&] { return started(16); }},
  };
  const QString press = QAccessibleActionInterface::pressAction();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    bool seen = false;
    const auto inspectAndPress = [&] {
      QAccessibleInterface* root = testing::AccessibleRoot();
      const auto menus = AccessibleChildren(*root, QAccessible::PopupMenu);
      ASSERT_EQ(menus.size(), 1u);
      QAccessibleInterface* menu = menus.front();
      seen = true;
      EXPECT_EQ(menu->parent(), root);
      EXPECT_EQ(root->focusChild(), menu);
      EXPECT_TRUE(testing::ChildrenKnowTheirParent(*menu));
      const auto entries = AccessibleChildren(*menu, QAccessible::MenuItem);
      EXPECT_EQ(entries.size(), static_cast<std::size_t>(c.entries));
      EXPECT_EQ(AccessibleChildren(*menu, QAccessible::Separator).size(),
                static_cast<std::size_t>(c.separators));
      QAccessibleInterface* pressed = nullptr;
      for (QAccessibleInterface* entry : entries) {
        EXPECT_FALSE(entry->state().disabled) << entry->text(QAccessible::Name).toStdString();
        if (entry->text(QAccessible::Name) == c.pressed) pressed = entry;
      }
      ASSERT_FALSE(entries.empty());
      EXPECT_EQ(entries.front()->text(QAccessible::Name), c.first);
      const QStringList keys = entries.front()->actionInterface()->keyBindingsForAction(press);
      EXPECT_EQ(keys.join(u' '), c.firstShortcut);
      ASSERT_NE(pressed, nullptr) << c.pressed.toStdString();
      pressed->actionInterface()->doAction(press);
    };
    testing_support::WhileOpen(*c.menu, [&](QMenu& open) {
      inspectAndPress();
      if (open.isVisible()) c.menu->CloseMenu();  // the press did not take
    });
    c.open();
    // The tray's menu opens without waiting: the user acts once it shows.
    testing::WaitUntil([&] { return seen && testing::OpenMenuOf(*c.menu) == nullptr; }, 3000);
    EXPECT_TRUE(seen) << "the menu did not open";
    EXPECT_TRUE(c.clicked()) << "the press did not do what the click does";
    EXPECT_TRUE(AccessibleChildren(*testing::AccessibleRoot(), QAccessible::PopupMenu).empty())
        << "the closed menu is still in the tree";
  }
}

TEST_F(MainWindow, TitleIsCentredInTheTitleBar) {
  main_->lblAppTitle->SetWidth(196);
  main_->CenterTitleLabel();
  EXPECT_EQ(main_->lblAppTitle->Left(), 209);
  EXPECT_EQ(main_->lblAppTitle->Top(), 11);
}

TEST_F(MainWindow, ShortcutsShowGroupsAfterTheTimerAndRunProgramsAtOnce) {
  int fires = 0;
  auto original = main_->tmCat->OnTimer;
  main_->tmCat->OnTimer = [&](TObject* s) {
    ++fires;
    original(s);
  };
  PressKey(*main_, Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(main_->SelectedGroupID, 30);
  EXPECT_EQ(Heading(), "Video Converters");  // not inside the key's handler
  WaitForTimer(*main_->tmCat);
  EXPECT_EQ(Heading(), "Flash Video Converters");
  EXPECT_TRUE(main_->btnHome->Enabled());
  EXPECT_FALSE(main_->tmCat->Enabled());

  // Two requests within the interval: one rebuild, with the second group.
  PressKey(*main_, Qt::Key_1, Qt::ControlModifier);
  PressKey(*main_, Qt::Key_4, Qt::AltModifier);
  WaitForTimer(*main_->tmCat);
  EXPECT_EQ(fires, 2);
  EXPECT_EQ(Heading(), "CUE Sheet Splitters");

  for (const Qt::KeyboardModifier modifier : {Qt::AltModifier, Qt::ControlModifier}) {
    main_->DisplayGroup(20);
    PressKey(*main_, Qt::Key_Home, modifier);
    EXPECT_EQ(Heading(), "Video -> MP4");
    WaitForTimer(*main_->tm2);
    EXPECT_EQ(Heading(), "Video Converters");
    EXPECT_FALSE(main_->btnHome->Enabled());
  }

  PressKey(*main_, Qt::Key_1, Qt::AltModifier);
  ASSERT_EQ(shell_.Requests().size(), 1u);
  EXPECT_TRUE(shell_.Requests()[0].File.endsWith(QStringLiteral("AudioExtractor64.exe")));
}

// tm2 left running rebuilt the category view every 150 ms and replaced any
// group the user picked; tmCat left running did the same with its group.
TEST_F(MainWindow, ViewTimersStopAfterFiringOnce) {
  const std::pair<const char*, TTimer*> cases[] = {{"actShowCategory_VIDEO_FLASH", main_->tmCat},
                                                   {"actDisplayAllCategories", main_->tm2}};
  for (const auto& [action, timer] : cases) {
    int fires = 0;
    const auto original = timer->OnTimer;
    timer->OnTimer = [&fires, original](TObject* s) {
      ++fires;
      original(s);
    };
    Action(action).Execute();
    testing::RunEventsFor(500);
    timer->OnTimer = original;
    EXPECT_EQ(fires, 1) << action;
    EXPECT_FALSE(timer->Enabled()) << action;
  }
}

// A program action tagged with another program's ID made its menu entry
// start the wrong program: every group and program action, each against its
// own group or program.
TEST_F(MainWindow, EveryGroupAndProgramActionOpensOrStartsItsOwn) {
  struct Row {
    const char* action;
    int id;
  };
  const Row groups[] = {
      {"actShowCategory_VIDEO_AVI", 10},           {"actShowCategory_VIDEO_MP4", 20},
      {"actShowCategory_VIDEO_FLASH", 30},         {"actShowCategory_VIDEO_3GP", 40},
      {"actShowCategory_VIDEO_HTML5", 50},         {"actShowCategory_VIDEO_PORTABLE", 60},
      {"actShowCategory_AUDIO_AUDIO_TO_MP3", 110}, {"actShowCategory_AUDIO_VIDEO_TO_MP3", 120},
      {"actShowCategory_AUDIO_CUE", 130},
  };
  const Row programs[] = {
      {"actRunProgram_MP4_to_AVI", 14},      {"actRunProgram_MKV_TO_AVI", 25},
      {"actRunProgram_FLV_TO_AVI", 12},      {"actRunProgram_MOV_TO_AVI", 15},
      {"actRunProgram_3GP_TO_AVI", 13},      {"actRunProgram_WEBM_TO_AVI", 26},
      {"actRunProgram_VIDEO_TO_MP4", 27},    {"actRunProgram_AVI_TO_MP4", 35},
      {"actRunProgram_MKV_TO_MP4", 36},      {"actRunProgram_VIDEO_TO_FLV", 16},
      {"actRunProgram_VIDEO_TO_3GP", 17},    {"actRunProgram_VIDEO_TO_WEBM", 28},
      {"actRunProgram_VIDEO_TO_OGV", 29},    {"actRunProgram_PORTABLE_ZUNE", 19},
      {"actRunProgram_PORTABLE_IPOD", 18},   {"actRunProgram_PORTABLE_PSP", 20},
      {"actRunProgram_AUDIO_EXTRACTOR", 21}, {"actRunProgram_M4A_TO_MP3", 31},
      {"actRunProgram_FLAC_TO_MP3", 30},     {"actRunProgram_APE_TO_MP3", 37},
      {"actRunProgram_WMA_TO_MP3", 38},      {"actRunProgram_LAME_FRONTEND", 9},
      {"actRunProgram_MP4_TO_MP3", 31},      {"actRunProgram_FLV_TO_MP3", 32},
      {"actRunProgram_AVI_TO_MP3", 33},      {"actRunProgram_WEBM_TO_MP3", 34},
      {"actRunProgram_FLAC_CUE", 30},        {"actRunProgram_APE_CUE", 37},
  };
  size_t rows = 0;
  for (const TMainActionRow& row : MainActionRows()) rows += row.Kind != makOther;
  EXPECT_EQ(rows, std::size(groups) + std::size(programs));

  for (const Row& group : groups) {
    Action(group.action).Execute();
    WaitForTimer(*main_->tmCat);
    EXPECT_EQ(main_->SelectedGroupID, group.id) << group.action;
    EXPECT_EQ(Heading(), GetGroupTitle(group.id)) << group.action;
  }
  for (const Row& program : programs) {
    const TProgramInfo& info = Programs[IndexOfProgram(program.id)];
    shell_.Clear();
    Action(program.action).Execute();
    ASSERT_EQ(shell_.Requests().size(), 1u) << program.action;
    EXPECT_EQ(shell_.Requests()[0].File, info.Dir + PathDelim + info.ExeFile) << program.action;
  }
}

TEST_F(MainWindow, EscDoesNothing) {
  PressKey(*main_, Qt::Key_Escape, Qt::NoModifier);
  QApplication::processEvents();
  EXPECT_TRUE(main_->Visible());
  EXPECT_EQ(Buttons().size(), 10u);
}

TEST_F(MainWindow, MenusShowTheirCaptionsAndTheTrayOffersTheVideoMenu) {
  const TMenuItem& firstVideo = *main_->popMenuVideo->Items()->Items(0);
  EXPECT_EQ(firstVideo.Caption(), "CATEGORY:   Video -> AVI / MPG");
  const TMenuItem& firstAudio = *main_->popMenuAudio->Items()->Items(0);
  EXPECT_EQ(StripHotkey(firstAudio.Caption()), "Audio Converter & Extractor");
  EXPECT_TRUE(main_->popMenuAudio->Items()->Items(1)->IsLine());
  EXPECT_EQ(main_->popMenuVideo->Items()->Count(), 30);
  EXPECT_EQ(main_->popMenuAudio->Items()->Count(), 18);
  EXPECT_EQ(main_->popButton->Items()->Count(), 4);
  EXPECT_EQ(main_->ti->PopupMenu(), main_->popMenuVideo);
  EXPECT_EQ(main_->MenuPoint(*main_->btnMenuAudio),
            (TPoint{main_->Left() + 41, main_->Top() + 12 + 22 + 2}));
}

// Entries with Ctrl shortcuts widen the shortcut column past a separator's
// own width; the separators of the video menu used to vanish.
TEST_F(MainWindow, VideoMenuSeparatorsShowDespiteItsCtrlShortcuts) {
  int shown = -1;
  QTimer::singleShot(50, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu != nullptr) {
      shown = 0;
      for (QAction* action : menu->actions())
        if (action->isSeparator() && !menu->actionGeometry(action).isEmpty()) ++shown;
    }
    main_->popMenuVideo->CloseMenu();
  });
  main_->btnMenuVideoClick(main_->btnMenuVideo);
  EXPECT_EQ(shown, 5);
}

TEST_F(MainWindow, AGroupChosenWhileInTheTrayRebuildsWithoutShowingTheWindow) {
  main_->TrayAvailable = [] { return true; };
  main_->btnMinimizeToTrayClick(main_->btnMinimizeToTray);
  EXPECT_FALSE(main_->Visible());
  EXPECT_TRUE(main_->ti->Visible());
  Action("actShowCategory_VIDEO_MP4").Execute();  // as the tray menu's entry
  WaitForTimer(*main_->tmCat);
  EXPECT_EQ(Heading(), "Video -> MP4");
  EXPECT_FALSE(main_->Visible());
  main_->tiClick(main_->ti);
  EXPECT_TRUE(main_->Visible());
  EXPECT_FALSE(main_->ti->Visible());
}

// Hidden in the tray while minimised, the window came back minimised: off
// screen, with its tray icon gone.
TEST_F(MainWindow, TheTrayIconBringsAMinimisedWindowBackNormalAndInFront) {
  main_->TrayAvailable = [] { return true; };
  SendSysCommand(*main_, SC_MINIMIZE);
  main_->btnMinimizeToTrayClick(main_->btnMinimizeToTray);
  ASSERT_FALSE(main_->Visible());
  main_->tiClick(main_->ti);
  EXPECT_TRUE(main_->Visible());
  EXPECT_FALSE(testing::NativeWidgetOf(*main_)->isMinimized());
  EXPECT_FALSE(main_->ti->Visible());
}

// A tray host that ended took the hidden window with it: no window, no
// taskbar entry, no icon.
TEST_F(MainWindow, TheWindowHiddenInATrayThatGoesAwayComesBack) {
  auto tray = std::make_shared<bool>(true);
  main_->TrayAvailable = [tray] { return *tray; };
  main_->btnMinimizeToTrayClick(main_->btnMinimizeToTray);
  ASSERT_FALSE(main_->Visible());
  main_->ti->CheckArea();
  EXPECT_FALSE(main_->Visible()) << "the tray is still there";
  *tray = false;
  main_->ti->CheckArea();
  EXPECT_TRUE(main_->Visible());
  EXPECT_FALSE(main_->ti->Visible());
}

TEST_F(MainWindow, MinimisingToTheTrayWithoutATrayKeepsTheWindowReachable) {
  main_->TrayAvailable = [] { return false; };
  main_->btnMinimizeToTrayClick(main_->btnMinimizeToTray);
  EXPECT_FALSE(main_->ti->Visible());
  EXPECT_TRUE(main_->Visible());  // on the taskbar, not hidden
}

TEST_F(MainWindow, ComingToFrontShowsTheWindowFromTheTray) {
  main_->TrayAvailable = [] { return true; };
  main_->btnMinimizeToTrayClick(main_->btnMinimizeToTray);
  ASSERT_FALSE(main_->Visible());
  main_->ComeToFront();
  EXPECT_TRUE(main_->Visible());
  EXPECT_FALSE(main_->ti->Visible());
  main_->ComeToFront();  // already in front: stays so
  EXPECT_TRUE(main_->Visible());
}

TEST_F(MainWindow, RightAndMiddleClicksOpenTheProgramPopupAtTheButtonsBottomEdge) {
  main_->DisplayGroup(30);
  TButtonEx* button = ButtonWithTag(12);
  ASSERT_NE(button, nullptr);
  int opened = 0;
  main_->popButton->OnPopup = [&](TObject*) {
    ++opened;
    QTimer::singleShot(0, [this] { main_->popButton->CloseMenu(); });
  };
  for (const Qt::MouseButton which : {Qt::RightButton, Qt::MiddleButton}) {
    SendButton(*button, QEvent::MouseButtonPress, which, {17, 5});
    SendButton(*button, QEvent::MouseButtonRelease, which, {17, 5});
  }
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(Action("actButton_OpenProgramFolder").Tag(), 12);
  EXPECT_EQ(Action("actButton_HomePage").Caption(), FindInstallationRecord(12)->Url.toString());
  const TPoint expected{main_->Left() + button->Left() + 6 + 17,
                        main_->Top() + 47 + button->Top() + button->Height()};
  EXPECT_EQ(main_->ProgramPopupPoint(*button, 17, 5), expected);
  // A left click starts the program and opens nothing.
  SendButton(*button, QEvent::MouseButtonPress, Qt::LeftButton, {17, 5});
  SendButton(*button, QEvent::MouseButtonRelease, Qt::LeftButton, {17, 5});
  EXPECT_EQ(opened, 2);
  ASSERT_EQ(shell_.Requests().size(), 1u);
  EXPECT_TRUE(shell_.Requests()[0].File.endsWith(QStringLiteral("FlvConverter64.exe")));
}

TEST_F(MainWindow, PopupActionsAskTheShellForTheCurrentProgram) {
  Action("actButton_RunProgram").Execute();  // no program chosen yet
  EXPECT_TRUE(shell_.Requests().empty());

  const QString dir = Programs[IndexOfProgram(33)].Dir;
  ASSERT_TRUE(QDir().mkpath(dir));
  Action("actButton_OpenProgramFolder").SetTag(33);
  Action("actButton_OpenProgramFolder").Execute();
  Action("actButton_HomePage").Execute();
  Action("actButton_RunProgram").Execute();
  ASSERT_TRUE(QDir(dir).removeRecursively());
  Action("actButton_OpenProgramFolder").Execute();  // gone: no request
  ASSERT_EQ(shell_.Requests().size(), 3u);
  EXPECT_EQ(shell_.Requests()[0].File, dir);
  EXPECT_EQ(shell_.Requests()[0].Directory, dir);
  EXPECT_EQ(shell_.Requests()[1].File, FindInstallationRecord(33)->Url.toString());
  EXPECT_EQ(shell_.Requests()[1].Directory, "");
  EXPECT_EQ(shell_.Requests()[2].Directory, dir);
}

TEST_F(MainWindow, ARebuildWhileTheProgramPopupIsOpenKeepsItsButtonUntilTheHandlerEnds) {
  main_->DisplayGroup(30);
  TButtonEx* button = ButtonWithTag(16);
  ASSERT_NE(button, nullptr);
  const TLifeWatch watch = button->LifeWatch();
  bool keptInTheMenusLoop = false;
  main_->popButton->OnPopup = [&](TObject*) {
    QTimer::singleShot(0, [&] {
      main_->DisplayCategories();  // as tm2 firing inside the menu's loop
      QApplication::processEvents();
      keptInTheMenusLoop = watch.Alive();
      main_->popButton->CloseMenu();
    });
  };
  SendButton(*button, QEvent::MouseButtonPress, Qt::RightButton, {10, 10});
  EXPECT_TRUE(keptInTheMenusLoop);
  SendButton(*button, QEvent::MouseButtonRelease, Qt::RightButton, {10, 10});
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_FALSE(watch.Alive());
  EXPECT_EQ(Buttons().size(), 10u);
  EXPECT_EQ(main_->pnMain->ControlCount(), 13);
}

TEST_F(MainWindow, TenThousandRebuildsKeepTheControlCountFlat) {
  main_->Hide();  // as in the tray: the rebuilds without the paints
  for (int i = 0; i < 10000; ++i) {
    if (i % 2 == 0)
      main_->DisplayGroup(110);
    else
      main_->DisplayCategories();
    if (i % 100 == 99) QApplication::processEvents();
  }
  QApplication::processEvents();
  EXPECT_EQ(Labels().size(), 2u);
  EXPECT_EQ(Buttons().size(), 10u);
  EXPECT_EQ(main_->pnMain->ControlCount(), 13);
  EXPECT_FALSE(main_->btnHome->Enabled());
}

TEST_F(MainWindow, TypingFindsProgramsThroughTheTimerAndEscReturnsToTheViewBefore) {
  main_->DisplayGroup(30);
  Type(*main_, QStringLiteral("Mkv mp4"));
  EXPECT_EQ(Heading(), "Flash Video Converters");  // never rebuilt inside the key handler
  EXPECT_TRUE(main_->tmFind->Enabled());
  testing::RunEventsFor(400);
  EXPECT_EQ(Heading(), "Mkv mp4");
  EXPECT_EQ(Description(), "1 program matches");
  EXPECT_EQ(ButtonTags(), std::vector<int>({36}));
  for (int i = 0; i < 4; ++i) PressKey(*main_, Qt::Key_Backspace, Qt::NoModifier);
  testing::RunEventsFor(400);
  EXPECT_EQ(Heading(), "Mkv");
  EXPECT_EQ(ButtonTags(), std::vector<int>({25, 36}));
  PressKey(*main_, Qt::Key_Escape, Qt::NoModifier);
  testing::RunEventsFor(400);
  EXPECT_EQ(Heading(), "Flash Video Converters");
  PressKey(*main_, Qt::Key_Return, Qt::NoModifier);  // the find is over: Enter finds nothing
  EXPECT_TRUE(shell_.Requests().empty());
}

// A find timer left running built the find view again every 150 ms.
TEST_F(MainWindow, FindTimerStopsAfterItFires) {
  Type(*main_, QStringLiteral("mp3"));
  WaitForTimer(*main_->tmFind);
  EXPECT_EQ(Heading(), "mp3");
  PressKey(*main_, Qt::Key_Backspace, Qt::NoModifier);
  WaitForTimer(*main_->tmFind);
  EXPECT_EQ(Heading(), "mp");
}

TEST_F(MainWindow, EnterStartsTheFirstMatchAndNoMatchSaysSo) {
  Type(*main_, QStringLiteral("qqq"));
  testing::RunEventsFor(400);
  EXPECT_EQ(Heading(), "qqq");
  EXPECT_EQ(Description(), "No program matches");
  EXPECT_TRUE(Buttons().empty());
  PressKey(*main_, Qt::Key_Return, Qt::NoModifier);
  EXPECT_TRUE(shell_.Requests().empty());
  for (int i = 0; i < 3; ++i) PressKey(*main_, Qt::Key_Backspace, Qt::NoModifier);
  testing::RunEventsFor(400);  // an emptied text returns to the view before
  EXPECT_EQ(Heading(), "Video Converters");
  Type(*main_, QStringLiteral("avi"));
  PressKey(*main_, Qt::Key_Return, Qt::NoModifier);  // before the view is even built
  ASSERT_EQ(shell_.Requests().size(), 1u);
  EXPECT_TRUE(shell_.Requests()[0].File.endsWith(QStringLiteral("FlvConverter64.exe")));
}

// Typed quickly, a find's blank and Enter went to the button that held the
// focus until the find view was built: the blank pressed it, Enter opened
// its category. Once a find has begun its keys are the find's, whatever
// holds the focus; here all keys arrive before any timer runs.
TEST_F(MainWindow, AFindTakesItsKeysBeforeTheFocusedControlHowEverFastTheyCome) {
  struct Case {
    const char* holder;
    std::function<void()> focus;
    const char* keys;
  };
  const Case cases[] = {
      {"nothing", [] {}, "mkv mp4\r"},
      {"a category button", [this] { Buttons().front()->SetFocus(); }, "mkv mp4\r"},
      {"a category button", [this] { Buttons().back()->SetFocus(); }, "mkv mp44\b\r"},
      {"a program button",
       [this] {
         main_->DisplayGroup(10);
         Buttons().front()->SetFocus();
       },
       "mkv mp4\r"},
      {"the categories button",
       [this] {
         main_->DisplayGroup(10);
         main_->btnHome->SetFocus();
       },
       "mkv mp4\r"},
  };
  const TProgramInfo& wanted = Programs[IndexOfProgram(36)];
  for (const Case& c : cases) {
    main_->DisplayCategories();
    c.focus();
    const QString heading = Heading();
    shell_.Clear();
    PostKeys(*main_, QString::fromLatin1(c.keys));
    QApplication::processEvents();
    ASSERT_EQ(shell_.Requests().size(), 1u) << c.holder;
    EXPECT_EQ(shell_.Requests()[0].File, wanted.Dir + PathDelim + wanted.ExeFile) << c.holder;
    EXPECT_FALSE(main_->tmCat->Enabled()) << c.holder;
    EXPECT_FALSE(main_->tm2->Enabled()) << c.holder;
    EXPECT_EQ(Heading(), heading) << c.holder;  // the view follows through tmFind
    WaitForTimer(*main_->tmFind);
    EXPECT_EQ(Heading(), "mkv mp4") << c.holder;
    PressKey(*main_, Qt::Key_Escape, Qt::NoModifier);  // back through tm2 or tmCat
    WaitForTimer(*main_->tm2);
    WaitForTimer(*main_->tmCat);
  }
}

// Only an action names a group or program: a category or program button,
// or any other component with a tag, given to the actions' handlers does
// nothing; an action does, whatever its tag's high bits.
TEST_F(MainWindow, TheGroupAndProgramHandlersActOnActionsAlone) {
  TButtonEx* category = ButtonWithTag(30);
  ASSERT_NE(category, nullptr);
  main_->DisplayGroup(10);
  TButtonEx* program = ButtonWithTag(14);
  ASSERT_NE(program, nullptr);
  TComponent other;
  other.SetTag(20);
  for (TObject* sender : {static_cast<TObject*>(category), static_cast<TObject*>(program),
                          static_cast<TObject*>(&other), static_cast<TObject*>(nullptr)}) {
    main_->actDisplayGroupExecute(sender);
    main_->actRunProgramExecute(sender);
  }
  EXPECT_EQ(main_->SelectedGroupID, 0);
  EXPECT_FALSE(main_->tmCat->Enabled());
  EXPECT_TRUE(shell_.Requests().empty());

  const std::intptr_t high = static_cast<std::intptr_t>(0x7ABC) << 32;
  TAction group;
  group.SetTag(high | 30);
  main_->actDisplayGroupExecute(&group);
  EXPECT_EQ(main_->SelectedGroupID, 30);
  EXPECT_TRUE(main_->tmCat->Enabled());
  TAction run;
  run.SetTag(high | 36);
  main_->actRunProgramExecute(&run);
  const TProgramInfo& info = Programs[IndexOfProgram(36)];
  ASSERT_EQ(shell_.Requests().size(), 1u);
  EXPECT_EQ(shell_.Requests()[0].File, info.Dir + PathDelim + info.ExeFile);
}

TEST_F(MainWindow, OnlyLettersAndDigitsWithoutCtrlOrAltStartAFind) {
  Type(*main_, QStringLiteral(" -"));
  QKeyEvent ctrlA(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, QStringLiteral("a"));
  QApplication::sendEvent(testing::NativeWidgetOf(*main_), &ctrlA);
  QKeyEvent altB(QEvent::KeyPress, Qt::Key_B, Qt::AltModifier, QStringLiteral("b"));
  QApplication::sendEvent(testing::NativeWidgetOf(*main_), &altB);
  EXPECT_FALSE(main_->tmFind->Enabled()) << "no find began";
  Type(*main_, QStringLiteral("7"));
  WaitForTimer(*main_->tmFind);
  EXPECT_EQ(Heading(), "7");
}

TEST_F(MainWindow, AFindTooLongForTheAreaShowsWhatFitsAndSaysSo) {
  Type(*main_, QStringLiteral("o"));  // nearly every program
  testing::RunEventsFor(400);
  const auto buttons = Buttons();
  ASSERT_FALSE(buttons.empty());
  for (TButtonEx* b : buttons) EXPECT_LE(b->Top() + b->Height(), main_->pnMain->Height());
  EXPECT_TRUE(Description().contains(QStringLiteral("%1 shown").arg(buttons.size())))
      << Description().toStdString();
}

// Reading order of the view's buttons: rows by top edge, left to right.
std::vector<int> TagsInReadingOrder(std::vector<TButtonEx*> buttons) {
  std::stable_sort(buttons.begin(), buttons.end(), [](TButtonEx* a, TButtonEx* b) {
    return a->Top() != b->Top() ? a->Top() < b->Top() : a->Left() < b->Left();
  });
  std::vector<int> tags;
  for (TButtonEx* b : buttons) tags.push_back(static_cast<int>(b->Tag()));
  return tags;
}

class MainWindowKeys : public MainWindow {
 protected:
  void SetUp() override {
    MainWindow::SetUp();
    SetKeyboardCuesShown(false);
  }
  void Reactivate() {
    testing::NativeWidgetOf(*main_)->activateWindow();
    QApplication::processEvents();
  }
  int FocusedTag() const {
    for (TButtonEx* b : Buttons())
      if (b->Focused()) return static_cast<int>(b->Tag());
    return -1;
  }
  // The tags the focus visits from the first button on, key by key.
  std::vector<int> Walk(int key) {
    std::vector<int> visited;
    testing::NativeWidgetOf(*main_)->setFocus();
    PressKey(*main_, Qt::Key_Right, Qt::NoModifier);  // from nowhere: the first button
    for (std::size_t i = 0; i < Buttons().size(); ++i) {
      visited.push_back(FocusedTag());
      QWidget* focus = QApplication::focusWidget();
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
      QApplication::sendEvent(focus != nullptr ? focus : testing::NativeWidgetOf(*main_), &press);
    }
    return visited;
  }
};

TEST_F(MainWindowKeys, ArrowsAndTabVisitEveryViewsButtonsInReadingOrder) {
  std::vector<std::function<void()>> views{[this] { main_->DisplayCategories(); }};
  for (const TProgramGroup& group : Groups)
    views.push_back([this, id = group.ID] { main_->DisplayGroup(id); });
  views.push_back([this] {
    Type(*main_, QStringLiteral("mp3"));
    testing::RunEventsFor(300);
  });
  for (const auto& show : views) {
    show();
    const std::vector<int> expected = TagsInReadingOrder(Buttons());
    ASSERT_FALSE(expected.empty()) << Heading().toStdString();
    EXPECT_EQ(Walk(Qt::Key_Right), expected) << Heading().toStdString();
    EXPECT_EQ(Walk(Qt::Key_Tab), expected) << Heading().toStdString();
  }
  // Down and Up keep to the column; Left at the start stays.
  main_->DisplayGroup(10);  // 14 25 / 12 15 / 13 26
  Walk(Qt::Key_Right);
  PressKey(*main_, Qt::Key_Left, Qt::NoModifier);
  PressKey(*main_, Qt::Key_Left, Qt::NoModifier);
  PressKey(*main_, Qt::Key_Left, Qt::NoModifier);
  PressKey(*main_, Qt::Key_Left, Qt::NoModifier);
  PressKey(*main_, Qt::Key_Left, Qt::NoModifier);
  PressKey(*main_, Qt::Key_Left, Qt::NoModifier);
  EXPECT_EQ(FocusedTag(), 14);
  PressKey(*main_, Qt::Key_Left, Qt::NoModifier);
  EXPECT_EQ(FocusedTag(), 14);
  PressKey(*main_, Qt::Key_Right, Qt::NoModifier);
  PressKey(*main_, Qt::Key_Down, Qt::NoModifier);
  EXPECT_EQ(FocusedTag(), 15);
  PressKey(*main_, Qt::Key_Down, Qt::NoModifier);
  PressKey(*main_, Qt::Key_Down, Qt::NoModifier);
  EXPECT_EQ(FocusedTag(), 26);
  PressKey(*main_, Qt::Key_Up, Qt::NoModifier);
  EXPECT_EQ(FocusedTag(), 15);
}

TEST_F(MainWindowKeys, TheFocusFrameShowsOnlyAfterKeyboardUseUntilTheMouseIsUsed) {
  const auto frames = [this] {
    int shown = 0;
    for (TButtonEx* b : Buttons()) shown += b->ShowFocusRect() ? 1 : 0;
    return shown;
  };
  TButtonEx* first = Buttons().front();
  SendButton(*main_->pnMain, QEvent::MouseButtonPress, Qt::LeftButton, {2, 250});
  SendButton(*main_->pnMain, QEvent::MouseButtonRelease, Qt::LeftButton, {2, 250});
  EXPECT_EQ(frames(), 0);
  PressKey(*main_, Qt::Key_Tab, Qt::NoModifier);
  EXPECT_EQ(frames(), 10);
  EXPECT_EQ(first->ColorFocusRect(), first->Font().Color());
  main_->DisplayGroup(30);  // the next view keeps the cue
  EXPECT_EQ(frames(), 2);
  SendButton(*main_->pnMain, QEvent::MouseButtonPress, Qt::LeftButton, {2, 250});
  EXPECT_EQ(frames(), 0);
}

// At start the first category button held a focus that showed nothing, so
// the first Tab went to the second one; and the categories button, when
// focused, only darkened its caption.
TEST_F(MainWindowKeys, TheFirstTabGoesToTheFirstButtonAndTheCategoriesButtonShowsItsCue) {
  const auto tab = [] {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(focus, &press);
  };
  EXPECT_EQ(FocusedTag(), -1);
  tab();
  EXPECT_EQ(FocusedTag(), 10);

  main_->DisplayGroup(30);  // the focused button goes: the focus is nowhere again
  TKvoPngButton& home = *main_->btnHome;
  SetKeyboardCuesShown(false);
  const QImage before = testing_support::Grab(home);
  tab();
  ASSERT_TRUE(home.Focused());
  const QImage cue = testing_support::Grab(home);
  const int w = home.Width(), h = home.Height();
  for (const QPoint p :
       {QPoint(w / 2, 0), QPoint(w / 2, h - 1), QPoint(0, h / 2), QPoint(w - 1, h / 2)}) {
    EXPECT_EQ(testing_support::PixelAt(cue, p.x(), p.y()), clBlack) << p.x() << "," << p.y();
    EXPECT_NE(testing_support::PixelAt(before, p.x(), p.y()), clBlack) << p.x() << "," << p.y();
  }
  SendButton(*main_->pnMain, QEvent::MouseButtonPress, Qt::LeftButton, {2, 250});
  EXPECT_EQ(testing_support::PixelAt(testing_support::Grab(home), w / 2, 0),
            testing_support::PixelAt(before, w / 2, 0));  // the mouse hides it
}

TEST_F(MainWindowKeys, ShiftF10AndTheMenuKeyOpenTheFocusedProgramsPopupAtTheButton) {
  main_->DisplayGroup(30);
  TButtonEx* button = ButtonWithTag(12);
  ASSERT_NE(button, nullptr);
  std::vector<QPoint> opened;
  main_->popButton->OnPopup = [&](TObject*) {
    QTimer::singleShot(0, [&] {
      if (QWidget* menu = QApplication::activePopupWidget()) opened.push_back(menu->pos());
      main_->popButton->CloseMenu();
    });
  };
  PressKey(*main_, Qt::Key_F10, Qt::ShiftModifier);  // no program button focused
  EXPECT_TRUE(opened.empty());
  button->SetFocus();
  PressKey(*button, Qt::Key_F10, Qt::ShiftModifier);
  Reactivate();  // the closed popup took the activation with it
  PressKey(*button, Qt::Key_Menu, Qt::NoModifier);
  const TPoint at = main_->ProgramPopupPoint(*button, 0, 0);
  EXPECT_EQ(opened, std::vector<QPoint>(2, QPoint(at.X, at.Y)));
  EXPECT_EQ(Action("actButton_OpenProgramFolder").Tag(), 12);
}

TEST_F(MainWindowKeys, TitleBarAndLinkKeysCollideWithNoShortcutAndShowInTheTooltips) {
  std::vector<TShortCut> taken;
  for (const TMainActionRow& row : MainActionRows())
    if (row.ShortCut != scNone) taken.push_back(row.ShortCut);
  for (TControl* control : std::initializer_list<TControl*>{
           main_->btnMenuVideo, main_->btnMenuAudio, main_->btnAbout, main_->btnMinimize,
           main_->btnMinimizeToTray, main_->btnClose, main_->lblHomePage}) {
    const TShortCut key = TextToShortCut(control->HintKey());
    ASSERT_NE(key, scNone) << control->Name().toStdString();
    EXPECT_EQ(std::count(taken.begin(), taken.end(), key), 0) << control->Name().toStdString();
    taken.push_back(key);
    if (dynamic_cast<TKvoPngButton*>(control) != nullptr) {  // the link shows no tooltip
      EXPECT_EQ(testing::NativeWidgetOf(*control)->toolTip(),
                control->Hint() + " (" + control->HintKey() + ")");
    }
  }
  EXPECT_EQ(main_->btnMenuVideo->Hint(), "Video converters");  // the hint itself stays

  int videoMenus = 0;
  main_->popMenuVideo->OnPopup = [&](TObject*) {
    ++videoMenus;
    QTimer::singleShot(0, [this] { main_->popMenuVideo->CloseMenu(); });
  };
  PressKey(*main_, Qt::Key_V, Qt::AltModifier);
  EXPECT_EQ(videoMenus, 1);
  Reactivate();
  PressKey(*main_, Qt::Key_L, Qt::ControlModifier);
  ASSERT_EQ(shell_.Requests().size(), 1u);
  EXPECT_EQ(shell_.Requests()[0].File, main_->lblHomePage->URL());
  main_->TrayAvailable = [] { return true; };
  PressKey(*main_, Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_FALSE(main_->Visible());
  EXPECT_TRUE(main_->ti->Visible());
  EXPECT_FALSE(main_->tmFind->Enabled());  // none of them typed anything
  EXPECT_EQ(Heading(), "Video Converters");
}

TEST_F(MainWindow, FilesDroppedOnAProgramButtonStartItWithThemAndOtherDragsAreRefused) {
  main_->DisplayGroup(30);
  TButtonEx* button = ButtonWithTag(12);
  ASSERT_NE(button, nullptr);
  QWidget* widget = testing::NativeWidgetOf(*button);
  const auto enters = [&](const QMimeData& data) {
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    return enter.isAccepted();
  };
  QMimeData web;
  web.setUrls({QUrl(QStringLiteral("https://example.org/clip.avi"))});
  QMimeData text;
  text.setText(QStringLiteral("/tmp/clip.avi"));
  QMimeData mixed;
  mixed.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.avi")), web.urls().front()});
  for (const QMimeData* refused : {&web, &text, &mixed}) {
    EXPECT_FALSE(enters(*refused));
    EXPECT_FALSE(button->Over());
  }
  const QStringList files = {QStringLiteral("/tmp/my clip.flv"), QStringLiteral("/tmp/-x.flv")};
  QMimeData local;
  local.setUrls({QUrl::fromLocalFile(files[0]), QUrl::fromLocalFile(files[1])});
  EXPECT_TRUE(enters(local));
  EXPECT_TRUE(button->Over());  // the hot look while the drop is possible
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &local, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &drop);
  EXPECT_FALSE(button->Over());
  ASSERT_EQ(shell_.Requests().size(), 1u);
  EXPECT_TRUE(shell_.Requests()[0].File.endsWith(QStringLiteral("FlvConverter64.exe")));
  // In the system's own form, with backslashes on Windows.
  EXPECT_EQ(shell_.Requests()[0].Arguments,
            QStringList({QDir::toNativeSeparators(files[0]), QDir::toNativeSeparators(files[1])}));
}

}  // namespace
}  // namespace mirto
