// The main window's layout, built in code: the panels, the title bar's
// buttons and caption, the main area with its permanent button, the bottom
// bar's link, the actions and menus made from their tables (the one place
// that finds an action by its name), the keys of the title bar and the
// link, the view timers and the tray icon.

#include "catalog/InstallationData.h"
#include "components/KvoLinkLabel.h"
#include "components/KvoPanel.h"
#include "components/KvoPngButton.h"
#include "components/KvoStyledMenu.h"
#include "components/KvoTitleLabel.h"
#include "graphics/PngImageList.h"
#include "launcher/ButtonGlyph.h"
#include "launcher/LauncherArtwork.h"
#include "launcher/MainActions.h"
#include "launcher/MirtoMain.h"
#include "launcher/WindowLooks.h"
#include "platform/toolkit/Action.h"
#include "platform/toolkit/KeyboardUse.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/Timer.h"
#include "platform/toolkit/TrayIcon.h"

namespace mirto {

namespace {

constexpr int kViewTimerInterval = 150;

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

void TFormMain::BuildLayout() {
  SetName(QStringLiteral("FormMain"));
  SetBorderStyle(bsNone);
  SetBorderIcons({biSystemMenu, biMinimize});
  SetPosition(poScreenCenter);
  SetColor(kMainWindowColor);
  Font().SetName(kWindowFontName);
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
  lblHomePage->SetFontsNameAndSize(kWindowFontName, 8);
  lblHomePage->SetURL(PublisherHomePageUrl.toString());
  lblHomePage->SetCaption(PublisherHomePageCaption.toString());
  ApplyHomePageLinkLook(*lblHomePage);
}

void TFormMain::BuildMainArea() {
  pnMain = NewWindowPanel(*this, QStringLiteral("pnMain"), &ApplyMainAreaLook);
  pnMain->Margins().SetBounds(6, 6, 6, 6);
  pnMain->SetAlignWithMargins(true);
  pnMain->SetBounds(6, 47, 603, 258);
  pnMain->Font().SetName(kWindowFontName);
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
    rowActions_.push_back(action);
  }
  actButton_RunProgram = TableAction("actButton_RunProgram");
  actButton_OpenProgramFolder = TableAction("actButton_OpenProgramFolder");
  actButton_HomePage = TableAction("actButton_HomePage");
  btnHome->SetAction(TableAction("actDisplayAllCategories"));
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

void TFormMain::FillMenu(TPopupMenu& menu, std::span<const char* const> entries) {
  menu.SetImages(pilMain);
  menu.OnPopup = [this](TObject*) { LoadDeferredArtwork(); };
  for (const char* entry : entries) {
    auto* item = new TMenuItem(&menu);
    if (QLatin1String(entry) == QLatin1String(cLineCaption))
      item->SetCaption(QString::fromLatin1(cLineCaption));
    else
      item->SetAction(TableAction(entry));
    menu.Items()->Add(item);
  }
}

TAction* TFormMain::TableAction(const char* name) const {
  const TMainActionRow* row = FindMainActionRow(name);
  Q_ASSERT_X(row != nullptr, "TFormMain::TableAction",
             qPrintable(QStringLiteral("no action named ") + QLatin1String(name)));
  if (row == nullptr) return nullptr;
  return rowActions_[static_cast<std::size_t>(row - MainActionRows().data())];
}

}  // namespace mirto
