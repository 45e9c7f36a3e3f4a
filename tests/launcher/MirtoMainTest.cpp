#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "catalog/InstallationData.h"
#include "catalog/MirtoApps.h"
#include "components/ButtonEx.h"
#include "components/KvoLinkLabel.h"
#include "components/KvoPanel.h"
#include "components/KvoPngButton.h"
#include "components/KvoTitleLabel.h"
#include "launcher/MainActions.h"
#include "launcher/MirtoMain.h"
#include "platform/toolkit/Action.h"
#include "platform/toolkit/Control_p.h"
#include "platform/toolkit/KeyboardUse.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/Shell.h"
#include "platform/toolkit/ShortCut.h"
#include "platform/toolkit/Timer.h"
#include "platform/toolkit/TrayIcon.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

void Wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

void PressKey(TControl& control, int key, Qt::KeyboardModifiers modifiers) {
  QWidget* widget = NativeWidget(control);
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
    QApplication::sendEvent(NativeWidget(control), &press);
  }
}

void SendButton(TControl& control, QEvent::Type type, Qt::MouseButton button, QPoint at) {
  QWidget* w = NativeWidget(control);
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
    NativeWidget(*main_)->activateWindow();
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
  Wait(400);
  EXPECT_EQ(Heading(), "Flash Video Converters");
  EXPECT_TRUE(main_->btnHome->Enabled());
  EXPECT_FALSE(main_->tmCat->Enabled());

  // Two requests within the interval: one rebuild, with the second group.
  PressKey(*main_, Qt::Key_1, Qt::ControlModifier);
  PressKey(*main_, Qt::Key_4, Qt::AltModifier);
  Wait(400);
  EXPECT_EQ(fires, 2);
  EXPECT_EQ(Heading(), "CUE Sheet Splitters");

  for (const Qt::KeyboardModifier modifier : {Qt::AltModifier, Qt::ControlModifier}) {
    main_->DisplayGroup(20);
    PressKey(*main_, Qt::Key_Home, modifier);
    EXPECT_EQ(Heading(), "Video -> MP4");
    Wait(400);
    EXPECT_EQ(Heading(), "Video Converters");
    EXPECT_FALSE(main_->btnHome->Enabled());
  }

  PressKey(*main_, Qt::Key_1, Qt::AltModifier);
  ASSERT_EQ(shell_.Requests().size(), 1u);
  EXPECT_TRUE(shell_.Requests()[0].File.endsWith(QStringLiteral("AudioExtractor64.exe")));
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
  Wait(400);
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

namespace mirto {
namespace {

TEST_F(MainWindow, TypingFindsProgramsThroughTheTimerAndEscReturnsToTheViewBefore) {
  main_->DisplayGroup(30);
  Type(*main_, QStringLiteral("Mkv mp4"));
  EXPECT_EQ(Heading(), "Flash Video Converters");  // never rebuilt inside the key handler
  EXPECT_TRUE(main_->tmFind->Enabled());
  Wait(400);
  EXPECT_EQ(Heading(), "Mkv mp4");
  EXPECT_EQ(Description(), "1 program matches");
  EXPECT_EQ(ButtonTags(), std::vector<int>({36}));
  for (int i = 0; i < 4; ++i) PressKey(*main_, Qt::Key_Backspace, Qt::NoModifier);
  Wait(400);
  EXPECT_EQ(Heading(), "Mkv");
  EXPECT_EQ(ButtonTags(), std::vector<int>({25, 36}));
  PressKey(*main_, Qt::Key_Escape, Qt::NoModifier);
  Wait(400);
  EXPECT_EQ(Heading(), "Flash Video Converters");
  EXPECT_TRUE(main_->FindText().isEmpty());
  EXPECT_TRUE(shell_.Requests().empty());
}

TEST_F(MainWindow, EnterStartsTheFirstMatchAndNoMatchSaysSo) {
  Type(*main_, QStringLiteral("qqq"));
  Wait(400);
  EXPECT_EQ(Heading(), "qqq");
  EXPECT_EQ(Description(), "No program matches");
  EXPECT_TRUE(Buttons().empty());
  PressKey(*main_, Qt::Key_Return, Qt::NoModifier);
  EXPECT_TRUE(shell_.Requests().empty());
  for (int i = 0; i < 3; ++i) PressKey(*main_, Qt::Key_Backspace, Qt::NoModifier);
  Wait(400);  // an emptied text returns to the view before
  EXPECT_EQ(Heading(), "Video Converters");
  Type(*main_, QStringLiteral("avi"));
  PressKey(*main_, Qt::Key_Return, Qt::NoModifier);  // before the view is even built
  ASSERT_EQ(shell_.Requests().size(), 1u);
  EXPECT_TRUE(shell_.Requests()[0].File.endsWith(QStringLiteral("FlvConverter64.exe")));
}

TEST_F(MainWindow, OnlyLettersAndDigitsWithoutCtrlOrAltStartAFind) {
  Type(*main_, QStringLiteral(" -"));
  QKeyEvent ctrlA(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, QStringLiteral("a"));
  QApplication::sendEvent(NativeWidget(*main_), &ctrlA);
  QKeyEvent altB(QEvent::KeyPress, Qt::Key_B, Qt::AltModifier, QStringLiteral("b"));
  QApplication::sendEvent(NativeWidget(*main_), &altB);
  EXPECT_TRUE(main_->FindText().isEmpty());
  Type(*main_, QStringLiteral("7"));
  EXPECT_EQ(main_->FindText(), "7");
}

TEST_F(MainWindow, AFindTooLongForTheAreaShowsWhatFitsAndSaysSo) {
  Type(*main_, QStringLiteral("o"));  // nearly every program
  Wait(400);
  const auto buttons = Buttons();
  ASSERT_FALSE(buttons.empty());
  for (TButtonEx* b : buttons) EXPECT_LE(b->Top() + b->Height(), main_->pnMain->Height());
  EXPECT_TRUE(Description().contains(QStringLiteral("%1 shown").arg(buttons.size())))
      << Description().toStdString();
}

}  // namespace
}  // namespace mirto

namespace mirto {
namespace {

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
    NativeWidget(*main_)->activateWindow();
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
    NativeWidget(*main_)->setFocus();
    PressKey(*main_, Qt::Key_Right, Qt::NoModifier);  // from nowhere: the first button
    for (std::size_t i = 0; i < Buttons().size(); ++i) {
      visited.push_back(FocusedTag());
      QWidget* focus = QApplication::focusWidget();
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
      QApplication::sendEvent(focus != nullptr ? focus : NativeWidget(*main_), &press);
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
    Wait(300);
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
      EXPECT_EQ(NativeWidget(*control)->toolTip(),
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
  EXPECT_TRUE(main_->FindText().isEmpty());  // none of them typed anything
}

}  // namespace
}  // namespace mirto

namespace mirto {
namespace {

TEST_F(MainWindow, FilesDroppedOnAProgramButtonStartItWithThemAndOtherDragsAreRefused) {
  main_->DisplayGroup(30);
  TButtonEx* button = ButtonWithTag(12);
  ASSERT_NE(button, nullptr);
  QWidget* widget = NativeWidget(*button);
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
  EXPECT_EQ(shell_.Requests()[0].Arguments, files);
}

}  // namespace
}  // namespace mirto
