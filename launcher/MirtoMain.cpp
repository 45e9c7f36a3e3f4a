#include "launcher/MirtoMain.h"

#include <QTimer>

#include "catalog/InstallationData.h"
#include "catalog/MirtoProcs.h"
#include "components/ButtonEx.h"
#include "components/KvoLinkLabel.h"
#include "components/KvoPanel.h"
#include "components/KvoPngButton.h"
#include "components/KvoStyledMenu.h"
#include "components/KvoTitleLabel.h"
#include "graphics/ColorHelpers.h"
#include "graphics/PngImageList.h"
#include "launcher/ButtonGlyph.h"
#include "launcher/FocusGrid.h"
#include "launcher/LauncherArtwork.h"
#include "launcher/MainActions.h"
#include "launcher/MainViews.h"
#include "launcher/MirtoAbout.h"
#include "launcher/ProgramFinder.h"
#include "launcher/ProgramLauncher.h"
#include "launcher/WindowLooks.h"
#include "platform/drawing/Icon.h"
#include "platform/system/FileSystem.h"
#include "platform/toolkit/Action.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/FirstFrame.h"
#include "platform/toolkit/KeyboardUse.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/Timer.h"
#include "platform/toolkit/TrayIcon.h"
#include "platform/toolkit/WindowServices.h"

namespace mirto {

namespace {

constexpr int kViewTimerInterval = 150;

const QString kSegoeUI = QStringLiteral("Segoe UI");

int LowTag(const TComponent& component) { return static_cast<std::int32_t>(component.Tag()); }

// A panel of the window on pnBg, in its look; the pointer moves the window
// by it.
TKvoPanel* NewWindowPanel(TFormMain& form, const QString& name, void (*look)(TKvoPanel&)) {
  auto* panel = new TKvoPanel(&form);
  panel->SetName(name);
  panel->SetParent(form.pnBg);
  look(*panel);
  panel->OnMouseMove = [&form](TObject* s, TShiftState sh, int x, int y) {
    form.DragWindow(s, sh, x, y);
  };
  return panel;
}

using TWindowHandler = void (TFormMain::*)(TObject*);

// The member function each action row names.
TWindowHandler HandlerOf(TMainActionHandler handler) {
  switch (handler) {
    case mahDisplayGroup:
      return &TFormMain::actDisplayGroupExecute;
    case mahRunProgram:
      return &TFormMain::actRunProgramExecute;
    case mahButtonRunProgram:
      return &TFormMain::actButton_RunProgramExecute;
    case mahButtonOpenProgramFolder:
      return &TFormMain::actButton_OpenProgramFolderExecute;
    case mahButtonHomePage:
      return &TFormMain::actButton_HomePageExecute;
    case mahDisplayAllCategories:
      return &TFormMain::actDisplayAllCategoriesExecute;
    case mahEsc:
      return &TFormMain::actEscExecute;
  }
  return &TFormMain::actEscExecute;  // not reached: every handler is named above
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

// --- layout -----------------------------------------------------------------

void TFormMain::BuildLayout() {
  SetName(QStringLiteral("FormMain"));
  SetBorderStyle(bsNone);
  SetBorderIcons({biSystemMenu, biMinimize});
  SetPosition(poScreenCenter);
  SetColor(kMainWindowColor);
  Font().SetName(kSegoeUI);
  Font().SetHeight(-11);
  SetBounds(0, 0, 615, 336);
  OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { DragWindow(s, sh, x, y); };

  pilMain = new TPngImageList(this);
  pilMain->SetName(QStringLiteral("pilMain"));
  pilMain->SetPngOptions({pngBlendOnDisabled, pngGrayscaleOnDisabled});

  pnBg = new TKvoPanel(this);
  pnBg->SetName(QStringLiteral("pnBg"));
  pnBg->SetParent(this);
  pnBg->SetBounds(0, 0, 615, 336);
  ApplyBackgroundPanelLook(*pnBg);

  BuildTitleBar();
  BuildBottomBar();
  BuildMainArea();
  BuildActions();
  BuildMenus();
  BuildKeys();

  tmCat = new TTimer(this);
  tmCat->SetName(QStringLiteral("tmCat"));
  tmCat->SetEnabled(false);
  tmCat->SetInterval(kViewTimerInterval);
  tmCat->OnTimer = [this](TObject* s) { tmCatTimer(s); };
  tm2 = new TTimer(this);
  tm2->SetName(QStringLiteral("tm2"));
  tm2->SetEnabled(false);
  tm2->SetInterval(kViewTimerInterval);
  tm2->OnTimer = [this](TObject* s) { tm2Timer(s); };
  tmFind = new TTimer(this);
  tmFind->SetName(QStringLiteral("tmFind"));
  tmFind->SetEnabled(false);
  tmFind->SetInterval(kViewTimerInterval);
  tmFind->OnTimer = [this](TObject* s) { tmFindTimer(s); };
  // Typing to find comes before the focused control: a blank or Enter typed
  // into a find must not press the button that holds the focus.
  SetKeyPreview(true);
  OnKeyPress = [this](TObject* s, QChar& key) { FormKeyPress(s, key); };
  OnKeyDown = [this](TObject* s, std::uint16_t& key, TShiftState shift) {
    FormKeyDown(s, key, shift);
  };

  ti = new TTrayIcon(this);
  ti->SetName(QStringLiteral("ti"));
  ti->SetVisible(false);
  ti->SetPopupMenu(popMenuVideo);
  ti->OnClick = [this](TObject* s) { tiClick(s); };
  ti->AreaAvailable = [this] { return TrayAvailable && TrayAvailable(); };
  ti->OnAreaGone = [this](TObject* s) { tiAreaGone(s); };
}

void TFormMain::BuildTitleBar() {
  pnAppTitle = NewWindowPanel(*this, QStringLiteral("pnAppTitle"), &ApplyTitleBarLook);
  pnAppTitle->SetHeight(41);
  pnAppTitle->SetAlign(alTop);

  struct TitleButton {
    TKvoPngButton** member;
    const char* name;
    int left;
    int size;
    const char* hint;
    const char* glyph;
    int hotGamma;
    void (TFormMain::*click)(TObject*);
  };
  const TitleButton buttons[] = {
      {&btnMenuVideo, "btnMenuVideo", 6, 22, "Video converters", kGlyphMenuVideo, 230,
       &TFormMain::btnMenuVideoClick},
      {&btnMenuAudio, "btnMenuAudio", 41, 22, "Audio converters", kGlyphMenuAudio, 230,
       &TFormMain::btnMenuAudioClick},
      {&btnAbout, "btnAbout", 490, 22, "About", kGlyphAbout, 230, &TFormMain::btnAboutClick},
      {&btnMinimize, "btnMinimize", 520, 22, "Minimize", kGlyphMinimize, 230,
       &TFormMain::btnMinimizeClick},
      {&btnMinimizeToTray, "btnMinimizeToTray", 550, 22, "Minimize to tray", kGlyphMinimizeToTray,
       230, &TFormMain::btnMinimizeToTrayClick},
      {&btnClose, "btnClose", 582, 24, "Exit", kGlyphExit, 140, &TFormMain::btnCloseClick},
  };
  for (const TitleButton& b : buttons) {
    auto* button = new TKvoPngButton(this);
    button->SetName(QString::fromLatin1(b.name));
    button->SetParent(pnAppTitle);
    button->SetBounds(b.left, 12, b.size, b.size);
    button->SetHint(QString::fromUtf8(b.hint));
    button->SetShowHint(true);
    button->SetTabStop(false);
    button->SetCaption(QString());
    ApplyTitleButtonLook(*button, b.hotGamma);
    LoadGlyph(*button, b.glyph);
    const auto click = b.click;
    button->OnClick = [this, click](TObject* s) { (this->*click)(s); };
    *b.member = button;
  }

  lblAppTitle = new TKvoTitleLabel(this);
  lblAppTitle->SetName(QStringLiteral("lblAppTitle"));
  lblAppTitle->SetParent(pnAppTitle);
  lblAppTitle->SetTop(11);
  ApplyTitleCaptionLook(*lblAppTitle);
  lblAppTitle->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) {
    DragWindow(s, sh, x, y);
  };
}

void TFormMain::BuildBottomBar() {
  pnBottom = NewWindowPanel(*this, QStringLiteral("pnBottom"), &ApplyBottomBarLook);
  pnBottom->SetHeight(25);
  pnBottom->SetAlign(alBottom);

  lblHomePage = new TKvoLinkLabel(this);
  lblHomePage->SetName(QStringLiteral("lblHomePage"));
  lblHomePage->SetParent(pnBottom);
  lblHomePage->SetBounds(498, 2, 107, 13);
  lblHomePage->SetTransparent(true);
  // The fonts FormCreate gives it, already in the layout: the label is then
  // measured once, in the font it shows, when loading ends.
  lblHomePage->SetFontsNameAndSize(kSegoeUI, 8);
  lblHomePage->SetURL(PublisherHomePageUrl.toString());
  lblHomePage->SetCaption(PublisherHomePageCaption.toString());
  ApplyHomePageLinkLook(*lblHomePage);
}

void TFormMain::BuildMainArea() {
  pnMain = NewWindowPanel(*this, QStringLiteral("pnMain"), &ApplyMainAreaLook);
  pnMain->Margins().SetBounds(6, 6, 6, 6);
  pnMain->SetAlignWithMargins(true);
  pnMain->SetBounds(6, 47, 603, 258);
  pnMain->Font().SetName(kSegoeUI);
  pnMain->Font().SetHeight(-13);

  btnHome = new TKvoPngButton(this);
  btnHome->SetName(QStringLiteral("btnHome"));
  btnHome->SetParent(pnMain);
  btnHome->SetBounds(3, 3, 90, 22);
  btnHome->SetSpacing(5);
  btnHome->SetShowHint(true);
  ApplyCategoriesButtonLook(*btnHome);
  LoadGlyph(*btnHome, kGlyphCategories);
}

void TFormMain::BuildActions() {
  Actions = new TActionList(this);
  Actions->SetName(QStringLiteral("Actions"));
  Actions->SetImages(pilMain);
  for (const TMainActionRow& row : MainActionRows()) {
    auto* action = new TAction(this);
    action->SetName(QString::fromLatin1(row.Name));
    action->SetCategory(QString::fromLatin1(row.Category));
    action->SetTag(row.Tag);
    action->SetImageIndex(row.ImageIndex);
    action->SetShortCut(row.ShortCut);
    if (row.Kind == makOther) action->SetCaption(QString::fromUtf8(row.FixedCaption));
    if (row.Hint != nullptr) action->SetHint(QString::fromUtf8(row.Hint));
    action->SetActionList(Actions);
    const auto handler = HandlerOf(row.Handler);
    action->OnExecute = [this, handler](TObject* s) { (this->*handler)(s); };
  }
  btnHome->SetAction(ActionByName(QStringLiteral("actDisplayAllCategories")));
}

void TFormMain::BuildMenus() {
  amsDark = DarkMenuStyle();
  amsLight = LightMenuStyle();
  popMenuVideo = new TPopupMenu(this);
  popMenuVideo->SetName(QStringLiteral("popMenuVideo"));
  FillMenu(*popMenuVideo, VideoMenuEntries());
  AttachMenuStyle(*popMenuVideo, amsDark);
  popMenuAudio = new TPopupMenu(this);
  popMenuAudio->SetName(QStringLiteral("popMenuAudio"));
  FillMenu(*popMenuAudio, AudioMenuEntries());
  AttachMenuStyle(*popMenuAudio, amsDark);
  popButton = new TPopupMenu(this);
  popButton->SetName(QStringLiteral("popButton"));
  FillMenu(*popButton, ButtonMenuEntries());
  AttachMenuStyle(*popButton, amsLight);
}

// Keys for what the title bar and the bottom bar offer, in the desktop's
// usual places and clear of the menus' shortcuts; each press is a click on
// its control, and the control's tooltip names its key.
void TFormMain::BuildKeys() {
  KeyActions = new TActionList(this);
  KeyActions->SetName(QStringLiteral("KeyActions"));
  struct Key {
    const char* name;
    TControl* control;
    TShortCut shortCut;
  };
  const Key keys[] = {
      {"actKeyMenuVideo", btnMenuVideo, ShortCut('V', {ssAlt})},
      {"actKeyMenuAudio", btnMenuAudio, ShortCut('A', {ssAlt})},
      {"actKeyAbout", btnAbout, ShortCut(VK_F1, {})},
      {"actKeyMinimize", btnMinimize, ShortCut('M', {ssCtrl})},
      {"actKeyMinimizeToTray", btnMinimizeToTray, ShortCut('M', {ssCtrl, ssShift})},
      {"actKeyExit", btnClose, ShortCut('Q', {ssCtrl})},
      {"actKeyHomePage", lblHomePage, ShortCut('L', {ssCtrl})},
  };
  for (const Key& key : keys) {
    auto* action = new TAction(this);
    action->SetName(QString::fromLatin1(key.name));
    action->SetShortCut(key.shortCut);
    action->SetActionList(KeyActions);
    TControl* control = key.control;
    action->OnExecute = [control](TObject*) { PressByKey(*control); };
    control->SetHintKey(ShortCutToText(key.shortCut));
  }
}

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

void TFormMain::FillMenu(TPopupMenu& menu, std::span<const char* const> entries) {
  menu.SetImages(pilMain);
  menu.OnPopup = [this](TObject*) { LoadDeferredArtwork(); };
  for (const char* entry : entries) {
    auto* item = new TMenuItem(&menu);
    if (QLatin1String(entry) == QLatin1String(cLineCaption))
      item->SetCaption(QString::fromLatin1(cLineCaption));
    else
      item->SetAction(ActionByName(QString::fromLatin1(entry)));
    menu.Items()->Add(item);
  }
}

TAction* TFormMain::ActionByName(const QString& name) const {
  TAction* action = Actions != nullptr ? Actions->FindAction(name) : nullptr;
  Q_ASSERT_X(action != nullptr, "TFormMain::ActionByName",
             qPrintable(QStringLiteral("no action named ") + name));
  return action;
}

// --- start ------------------------------------------------------------------

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
  SetPngButtonFonts(*btnHome, kSegoeUI, 9);
  Constraints().SetMaxWidth(Width());
  Constraints().SetMinWidth(Width());
  if (Application() != nullptr) ti->SetIcon(Application()->Icon());
  ti->SetHint(title);
  InitMenus();
  DisplayCategories();
  // No button holds the focus at start, where it would show no cue: the
  // first Tab or arrow key goes to the first button of the view.
  SetFocus();
}

void TFormMain::InitMenus() {
  for (const TMainActionRow& row : MainActionRows()) {
    if (row.Kind == makOther) continue;
    if (TAction* action = ActionByName(QString::fromLatin1(row.Name)))
      action->SetCaption(InitialCaption(row));
  }
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
  if (!findText_.isEmpty()) EndFind();
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
  // A letter or digit starts a find; once finding, every typed character
  // (a blank between words, "&", "-") belongs to the text.
  if (findText_.isEmpty() && !Key.isLetterOrNumber()) return;
  findText_ += Key;
  Key = QChar();
  tmFind->SetEnabled(true);
}

void TFormMain::FormKeyDown(TObject*, std::uint16_t& Key, TShiftState Shift) {
  const bool plain = !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
  if (plain && !Shift.Contains(ssShift) &&
      (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN)) {
    if (MoveFocus(Key)) Key = 0;
    return;
  }
  // The popup key, or Shift+F10: the focused program button's popup.
  if ((Key == VK_APPS && plain) || (Key == VK_F10 && plain && Shift.Contains(ssShift))) {
    for (TButtonEx* button : views_->ViewButtons()) {
      if (!button->Focused() || !button->OnMouseDown) continue;
      Key = 0;
      OpenProgramPopup(*button, 0, 0);
      return;
    }
    return;
  }
  if (findText_.isEmpty()) return;
  if (Key == VK_BACK && plain) {
    Key = 0;
    findText_.chop(1);
    if (findText_.trimmed().isEmpty())
      EndFind();
    else
      tmFind->SetEnabled(true);
  } else if (Key == VK_RETURN && plain) {
    Key = 0;
    const std::vector<int> found = FindPrograms(findText_);
    if (!found.empty()) RunProgram(found.front());
  }
}

void TFormMain::tmFindTimer(TObject*) {
  tmFind->SetEnabled(false);
  if (findText_.isEmpty()) return;
  views_->DisplayFind(findText_, FindPrograms(findText_));
}

void TFormMain::EndFind() {
  findText_.clear();
  tmFind->SetEnabled(false);
  // Back through the timers, like every other change of view.
  if (shownGroup_ != 0) {
    SelectedGroupID = shownGroup_;
    tmCat->SetEnabled(true);
  } else {
    tm2->SetEnabled(true);
  }
}

// --- launching --------------------------------------------------------------

void TFormMain::RunProgram(int ProgID) { mirto::RunProgram(WindowHandle(*this), ProgID); }

void TFormMain::actButton_RunProgramExecute(TObject*) {
  RunProgram(LowTag(*ActionByName(QStringLiteral("actButton_OpenProgramFolder"))));
}

void TFormMain::actButton_OpenProgramFolderExecute(TObject*) {
  OpenProgramFolder(WindowHandle(*this),
                    LowTag(*ActionByName(QStringLiteral("actButton_OpenProgramFolder"))));
}

void TFormMain::actButton_HomePageExecute(TObject*) {
  OpenProgramHomePage(WindowHandle(*this),
                      LowTag(*ActionByName(QStringLiteral("actButton_OpenProgramFolder"))));
}

// --- views ------------------------------------------------------------------

void TFormMain::ClearGroup() { views_->ClearGroup(); }
void TFormMain::DisplayCategories() {
  findText_.clear();
  shownGroup_ = 0;
  views_->DisplayCategories();
}

void TFormMain::DisplayGroup(int GroupID) {
  findText_.clear();
  shownGroup_ = GroupID;
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

bool TFormMain::MoveFocus(std::uint16_t arrowKey) {
  const std::vector<TButtonEx*> buttons = views_->ViewButtons();
  std::vector<TRect> places;
  int current = -1;
  for (TButtonEx* button : buttons) {
    if (button->Focused()) current = static_cast<int>(places.size());
    places.push_back(button->BoundsRect());
  }
  const TGridMove move = arrowKey == VK_LEFT    ? gmLeft
                         : arrowKey == VK_RIGHT ? gmRight
                         : arrowKey == VK_UP    ? gmUp
                                                : gmDown;
  const int next = NextInGrid(places, current, move);
  if (next < 0) return false;
  buttons[static_cast<std::size_t>(next)]->SetFocus();
  return true;
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
  ActionByName(QStringLiteral("actButton_HomePage"))->SetCaption(GetProgramUrl(id));
  ActionByName(QStringLiteral("actButton_OpenProgramFolder"))->SetTag(id);
  const TPoint p = ProgramPopupPoint(*button, X, Y);
  // A timer may rebuild the view while the menu is open: the button stays
  // until this handler is done with it.
  TMainViews::TBusyButton busy(*views_, button);
  popButton->Popup(p.X, p.Y);
}

}  // namespace mirto
