#include "launcher/MirtoMain.h"

#include <QTimer>

#include "catalog/MirtoProcs.h"
#include "components/ButtonEx.h"
#include "components/KvoLinkLabel.h"
#include "components/KvoPanel.h"
#include "components/KvoPngButton.h"
#include "components/KvoTitleLabel.h"
#include "graphics/PngImageList.h"
#include "launcher/LauncherArtwork.h"
#include "launcher/MainActions.h"
#include "launcher/MainViews.h"
#include "launcher/MirtoAbout.h"
#include "launcher/ProgramFinder.h"
#include "launcher/ProgramLauncher.h"
#include "launcher/WindowLooks.h"
#include "platform/drawing/Icon.h"
#include "platform/toolkit/Action.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/FirstFrame.h"
#include "platform/toolkit/KeyboardUse.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/Timer.h"
#include "platform/toolkit/TrayIcon.h"
#include "platform/toolkit/WindowServices.h"

namespace mirto {

namespace {

int LowTag(const TComponent& component) { return static_cast<std::int32_t>(component.Tag()); }

// What the keys need to know of the view's buttons; a program button opens
// a popup.
std::vector<TViewButton> KeyViewOf(const std::vector<TButtonEx*>& buttons) {
  std::vector<TViewButton> view;
  view.reserve(buttons.size());
  for (const TButtonEx* button : buttons)
    view.push_back(
        {button->BoundsRect(), button->Focused(), static_cast<bool>(button->OnMouseDown)});
  return view;
}

}  // namespace

TFormMain::TFormMain(TComponent* owner) : TForm(owner) {
  TrayAvailable = [] { return TTrayIcon::IsSystemTrayAvailable(); };
  BeginLoading();
  BuildLayout();
  EndLoading();
  // The menu pictures and the application icon are first needed after the
  // window is on screen; loading them then shortens the start-up.
  WhenFirstFramePainted(*this, [this, watch = LifeWatch()] {
    // Behind whatever else waited for the first frame.
    QTimer::singleShot(0, [this, watch] {
      if (watch.Alive()) LoadDeferredArtwork();
    });
  });
  views_ = std::make_unique<TMainViews>(*this, *pnMain, *btnHome);
  views_->OnCategoryClick = [this](TObject* s) { CategoryButtonClick(s); };
  views_->OnProgramClick = [this](TObject* s) { ProgButtonClick(s); };
  views_->OnProgramFilesDropped = [this](TObject* s, const QStringList& files) {
    ProgButtonFilesDropped(s, files);
  };
  views_->OnProgramMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    ProgramButton_MouseDown(s, b, sh, x, y);
  };
  views_->ShowFocusCues(KeyboardCuesShown());
  ShowCategoriesFocusCue(*btnHome, KeyboardCuesShown());
  cues_ = std::make_unique<TKeyboardCuesListener>([this](bool shown) {
    views_->ShowFocusCues(shown);
    ShowCategoriesFocusCue(*btnHome, shown);
  });
  FormCreate(this);
}

TFormMain::~TFormMain() = default;

// --- start ------------------------------------------------------------------

void TFormMain::LoadDeferredArtwork() {
  if (artworkLoaded_) return;
  artworkLoaded_ = true;
  LoadMainImageList(*pilMain);
  TApplication* application = Application();
  if (application == nullptr || !application->Icon().Empty()) return;
  TIcon icon;
  if (!LoadApplicationIcon(icon)) return;
  application->SetIcon(icon);
  ti->SetIcon(application->Icon());
}

void TFormMain::FormCreate(TObject*) {
  const QString title = QString::fromLatin1(kMainWindowTitle);
  SetCaption(title);
  if (Application() != nullptr) Application()->SetTitle(QStringLiteral("Mirto"));
  lblAppTitle->SetCaption(title);
  lblAppTitle->SetShadowText(title);
  pnBg->SetAlign(alClient);
  pnMain->SetAlign(alClient);
  btnMinimize->Appearance().Assign(&btnAbout->Appearance());
  btnMinimizeToTray->Appearance().Assign(&btnAbout->Appearance());
  CenterTitleLabel();
  lblHomePage->SetFontsNameAndSize(Font().Name(), 8);
  SetPngButtonFonts(*btnHome, kWindowFontName, 9);
  // The layout is made for this one size: the window is neither wider,
  // narrower, taller nor shorter on any desktop.
  Constraints().SetMaxWidth(Width());
  Constraints().SetMinWidth(Width());
  Constraints().SetMaxHeight(Height());
  Constraints().SetMinHeight(Height());
  if (Application() != nullptr) ti->SetIcon(Application()->Icon());
  ti->SetHint(title);
  InitMenus();
  DisplayCategories();
  // No button holds the focus at start, where it would show no cue: the
  // first Tab or arrow key goes to the first button of the view.
  SetFocus();
}

void TFormMain::InitMenus() {
  const std::span<const TMainActionRow> rows = MainActionRows();
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].Kind != makOther) rowActions_[i]->SetCaption(InitialCaption(rows[i]));
}

void TFormMain::CenterTitleLabel() {
  lblAppTitle->SetLeft(pnAppTitle->Width() / 2 - lblAppTitle->Width() / 2);
}

// --- chrome -----------------------------------------------------------------

void TFormMain::DragWindow(TObject*, TShiftState, int, int) {
  ReleaseCapture();
  SendSysCommand(*this, SC_DRAGMOVE);
}

void TFormMain::btnMinimizeClick(TObject*) {
  if (Application() != nullptr) Application()->Minimize();
}

void TFormMain::btnMinimizeToTrayClick(TObject*) {
  // Without a notification area the hidden window could never come back:
  // it goes to the taskbar instead.
  if (!TrayAvailable || !TrayAvailable()) {
    btnMinimizeClick(this);
    return;
  }
  ti->SetVisible(!ti->Visible());
  if (ti->Visible()) Hide();
}

void TFormMain::tiClick(TObject*) {
  Show();
  // Hidden while minimised (minimised to the taskbar and restored before,
  // the toolkit may still hold that state), the window would come back
  // minimised, off screen while its tray icon is gone.
  SendSysCommand(*this, SC_RESTORE);
  BringWindowToTop(*this);
  ti->SetVisible(false);
}

void TFormMain::tiAreaGone(TObject* Sender) {
  // Hidden in a notification area that is gone, the window could never be
  // reached again: it comes back as from a click on the icon.
  if (!Visible()) tiClick(Sender);
}

void TFormMain::ComeToFront() {
  if (ti->Visible()) tiClick(ti);  // hidden in the tray: as a click on its icon
  if (Application() != nullptr && Application()->MainForm() == this)
    Application()->Restore();  // back from the taskbar
  else
    Show();
  BringWindowToTop(*this);
}

void TFormMain::btnAboutClick(TObject*) {
  if (about_ != nullptr) about_->ShowModal();
}

void TFormMain::btnCloseClick(TObject*) { Close(); }

void TFormMain::actEscExecute(TObject*) {
  if (keys_.Finding()) EndFind();
}

TPoint TFormMain::MenuPoint(const TKvoPngButton& button) const {
  return {Left() + button.Left(), Top() + button.Top() + button.Height() + 2};
}

void TFormMain::btnMenuVideoClick(TObject*) {
  const TPoint p = MenuPoint(*btnMenuVideo);
  popMenuVideo->Popup(p.X, p.Y);
}

void TFormMain::btnMenuAudioClick(TObject*) {
  const TPoint p = MenuPoint(*btnMenuAudio);
  popMenuAudio->Popup(p.X, p.Y);
}

// --- actions and timers -----------------------------------------------------

// A group or program action names its group or program in its tag; a
// sender that is no action (a button, any other component) does nothing.
void TFormMain::actDisplayGroupExecute(TObject* Sender) {
  const auto* action = dynamic_cast<const TAction*>(Sender);
  if (action == nullptr) return;
  SelectedGroupID = LowTag(*action);
  tmCat->SetEnabled(true);
}

void TFormMain::actRunProgramExecute(TObject* Sender) {
  const auto* action = dynamic_cast<const TAction*>(Sender);
  if (action == nullptr) return;
  RunProgram(LowTag(*action));
}

void TFormMain::actDisplayAllCategoriesExecute(TObject*) { tm2->SetEnabled(true); }

void TFormMain::tmCatTimer(TObject*) {
  DisplayGroup(SelectedGroupID);
  tmCat->SetEnabled(false);
}

void TFormMain::tm2Timer(TObject*) {
  DisplayCategories();
  tm2->SetEnabled(false);
}

// --- type to find -----------------------------------------------------------

void TFormMain::FormKeyPress(TObject*, QChar& Key) {
  if (!keys_.CharTyped(Key)) return;
  Key = QChar();
  tmFind->SetEnabled(true);
}

void TFormMain::FormKeyDown(TObject*, std::uint16_t& Key, TShiftState Shift) {
  const std::vector<TButtonEx*> buttons = views_->ViewButtons();
  const TViewKeyAnswer answer = keys_.KeyDown(Key, Shift, KeyViewOf(buttons));
  if (answer.Taken) Key = 0;
  CarryOut(answer, buttons);
}

bool TFormMain::MoveFocus(std::uint16_t arrowKey) {
  const std::vector<TButtonEx*> buttons = views_->ViewButtons();
  const TViewKeyAnswer answer = keys_.KeyDown(arrowKey, {}, KeyViewOf(buttons));
  CarryOut(answer, buttons);
  return answer.Action == vkaFocus;
}

void TFormMain::CarryOut(const TViewKeyAnswer& answer, const std::vector<TButtonEx*>& buttons) {
  switch (answer.Action) {
    case vkaFocus:
      buttons[static_cast<std::size_t>(answer.Button)]->SetFocus();
      break;
    case vkaOpenPopup:
      OpenProgramPopup(*buttons[static_cast<std::size_t>(answer.Button)], 0, 0);
      break;
    case vkaFindChanged:
      tmFind->SetEnabled(true);
      break;
    case vkaEndFind:
      EndFind();
      break;
    case vkaRunProgram:
      RunProgram(answer.ProgramID);
      break;
    case vkaNone:
      break;
  }
}

void TFormMain::tmFindTimer(TObject*) {
  tmFind->SetEnabled(false);
  if (!keys_.Finding()) return;
  views_->DisplayFind(keys_.FindText(), FindPrograms(keys_.FindText()));
}

void TFormMain::EndFind() {
  const int groupBefore = keys_.EndFind();
  tmFind->SetEnabled(false);
  // Back through the timers, like every other change of view.
  if (groupBefore != 0) {
    SelectedGroupID = groupBefore;
    tmCat->SetEnabled(true);
  } else {
    tm2->SetEnabled(true);
  }
}

// --- launching --------------------------------------------------------------

void TFormMain::RunProgram(int ProgID) { mirto::RunProgram(WindowHandle(*this), ProgID); }

// The popup names its program in the tag of actButton_OpenProgramFolder.
void TFormMain::actButton_RunProgramExecute(TObject*) {
  RunProgram(LowTag(*actButton_OpenProgramFolder));
}

void TFormMain::actButton_OpenProgramFolderExecute(TObject*) {
  OpenProgramFolder(WindowHandle(*this), LowTag(*actButton_OpenProgramFolder));
}

void TFormMain::actButton_HomePageExecute(TObject*) {
  OpenProgramHomePage(WindowHandle(*this), LowTag(*actButton_OpenProgramFolder));
}

// --- views ------------------------------------------------------------------

void TFormMain::DisplayCategories() {
  keys_.ViewShown(0);
  views_->DisplayCategories();
}

void TFormMain::DisplayGroup(int GroupID) {
  keys_.ViewShown(GroupID);
  views_->DisplayGroup(GroupID);
}

void TFormMain::CategoryButtonClick(TObject* Sender) {
  auto* button = dynamic_cast<TComponent*>(Sender);
  if (button == nullptr) return;
  SelectedGroupID = LowTag(*button);
  tmCat->SetEnabled(true);
}

void TFormMain::ProgButtonClick(TObject* Sender) {
  auto* button = dynamic_cast<TComponent*>(Sender);
  if (button == nullptr) return;
  RunProgram(LowTag(*button));
}

void TFormMain::ProgButtonFilesDropped(TObject* Sender, const QStringList& Files) {
  auto* button = dynamic_cast<TComponent*>(Sender);
  if (button == nullptr || Files.isEmpty()) return;
  RunProgramWithFiles(WindowHandle(*this), LowTag(*button), Files);
}

TPoint TFormMain::ProgramPopupPoint(const TButtonEx& button, int X, int Y) const {
  (void)Y;
  return {Left() + button.Left() + pnMain->Left() + X,
          Top() + pnMain->Top() + button.Top() + button.Height()};
}

void TFormMain::ProgramButton_MouseDown(TObject* Sender, TMouseButton Button, TShiftState, int X,
                                        int Y) {
  if (Button == mbLeft) return;
  auto* button = dynamic_cast<TButtonEx*>(Sender);
  if (button == nullptr) return;
  OpenProgramPopup(*button, X, Y);
}

void TFormMain::OpenProgramPopup(TButtonEx& target, int X, int Y) {
  TButtonEx* button = &target;
  const int id = LowTag(*button);
  actButton_HomePage->SetCaption(GetProgramUrl(id));
  actButton_OpenProgramFolder->SetTag(id);
  const TPoint p = ProgramPopupPoint(*button, X, Y);
  // A timer may rebuild the view while the menu is open: the button, released
  // then, stays until this event is over.
  popButton->Popup(p.X, p.Y);
}

}  // namespace mirto
