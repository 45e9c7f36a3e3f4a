#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>
#include <vector>

#include "catalog/InstallationData.h"
#include "catalog/MirtoApps.h"
#include "components/ButtonEx.h"
#include "components/KvoPanel.h"
#include "components/KvoPngButton.h"
#include "components/KvoTitleLabel.h"
#include "launcher/MirtoMain.h"
#include "platform/system/Shell.h"
#include "platform/toolkit/Action.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/Timer.h"
#include "platform/toolkit/TrayIcon.h"
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
    return *main_->ActionByName(QString::fromLatin1(name));
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
    EXPECT_EQ(button->AccessibleName(), StripHotkey(button->Caption()));
  }
  for (TLabel* label : Labels()) EXPECT_FALSE(static_cast<bool>(label->OnMouseMove));
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

// Every name the window looks up is in its action table; a miss is a
// programming error that debug builds stop at, not a null to run on with.
TEST_F(MainWindow, ActionByNameStopsDebugBuildsAtANameNotInTheTable) {
#ifdef QT_NO_DEBUG
  GTEST_SKIP() << "look-ups are checked in debug builds";
#else
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(main_->ActionByName(QStringLiteral("actNoSuchAction")),
               "no action named actNoSuchAction");
#endif
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

TEST_F(MainWindow, MinimisingToTheTrayWithoutATrayKeepsTheWindowReachable) {
  main_->TrayAvailable = [] { return false; };
  main_->btnMinimizeToTrayClick(main_->btnMinimizeToTray);
  EXPECT_FALSE(main_->ti->Visible());
  EXPECT_TRUE(main_->Visible());  // on the taskbar, not hidden
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
  main_->popButton->OnPopup = [this](TObject*) {
    QTimer::singleShot(0, [this] {
      main_->DisplayCategories();  // as tm2 firing inside the menu's loop
      QApplication::processEvents();
      main_->popButton->CloseMenu();
    });
  };
  SendButton(*button, QEvent::MouseButtonPress, Qt::RightButton, {10, 10});
  SendButton(*button, QEvent::MouseButtonRelease, Qt::RightButton, {10, 10});
  QApplication::processEvents();
  QApplication::processEvents();
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

}  // namespace
}  // namespace mirto
