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
#include "launcher/LauncherArtwork.h"
#include "launcher/MainActions.h"
#include "launcher/MainViews.h"
#include "launcher/MirtoAbout.h"
#include "launcher/ProgramLauncher.h"
#include "platform/drawing/Icon.h"
#include "platform/toolkit/Action.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/FileSystem.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/ScreenCapture.h"
#include "platform/toolkit/Timer.h"
#include "platform/toolkit/TrayIcon.h"
#include "platform/toolkit/WindowServices.h"

namespace mirto {

namespace {

constexpr TColor kWindowColor = 0x00FCFCFC;
constexpr int kViewTimerInterval = 150;

const QString kSegoeUI = QStringLiteral("Segoe UI");

int LowTag(const TComponent& component) { return static_cast<std::int32_t>(component.Tag()); }

void SetPenColors(TKvoPanel& panel, TColor color) {
  auto& borders = panel.Appearance().Borders();
  borders.Left().Pen().SetColor(color);
  borders.Top().Pen().SetColor(color);
  borders.Right().Pen().SetColor(color);
  borders.Bottom().Pen().SetColor(color);
}

// The title-bar look: nothing but the glyph, brighter while hot or pressed.
void MakeGlyphOnly(TKvoPngButton& button, int hotGamma) {
  auto& looks = button.Appearance();
  for (TKvoItemStateParams* look :
       {&looks.Normal(), &looks.Hot(), &looks.Down(), &looks.Focused()}) {
    look->SetTransparentBackground(true);
    look->SetTransparentFrame(true);
  }
  looks.SetGlyphHotGammaFactor(static_cast<std::uint8_t>(hotGamma));
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
  views_->OnProgramMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    ProgramButton_MouseDown(s, b, sh, x, y);
  };
  FormCreate(this);
}

TFormMain::~TFormMain() = default;

// --- layout -----------------------------------------------------------------

void TFormMain::BuildLayout() {
  SetName(QStringLiteral("FormMain"));
  SetBorderStyle(bsNone);
  SetBorderIcons({biSystemMenu, biMinimize});
  SetPosition(poScreenCenter);
  SetColor(kWindowColor);
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
  pnBg->Appearance().SetDrawGradient(false);
  pnBg->Appearance().SetBackgroundColor(0x00626262);
  SetPenColors(*pnBg, 0x00303030);

  BuildTitleBar();
  BuildBottomBar();
  BuildMainArea();
  BuildActions();
  BuildMenus();

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

  ti = new TTrayIcon(this);
  ti->SetName(QStringLiteral("ti"));
  ti->SetVisible(false);
  ti->SetPopupMenu(popMenuVideo);
  ti->OnClick = [this](TObject* s) { tiClick(s); };
  ti->AreaAvailable = [this] { return TrayAvailable && TrayAvailable(); };
  ti->OnAreaGone = [this](TObject* s) { tiAreaGone(s); };
}

void TFormMain::BuildTitleBar() {
  pnAppTitle = new TKvoPanel(this);
  pnAppTitle->SetName(QStringLiteral("pnAppTitle"));
  pnAppTitle->SetParent(pnBg);
  pnAppTitle->SetHeight(41);
  pnAppTitle->SetAlign(alTop);
  auto& looks = pnAppTitle->Appearance();
  looks.UpperGradient().SetColorFrom(0x00454545);
  looks.UpperGradient().SetColorTo(0x00626262);
  looks.SetUpperGradientPercent(100);
  looks.BottomGradient().SetColorFrom(0x002E2E2E);
  looks.BottomGradient().SetColorTo(0x002E2E2E);
  looks.SetBackgroundColor(0x00454545);
  looks.SetDrawBorder(false);
  pnAppTitle->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) {
    DragWindow(s, sh, x, y);
  };

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
    MakeGlyphOnly(*button, b.hotGamma);
    LoadGlyph(*button, b.glyph);
    const auto click = b.click;
    button->OnClick = [this, click](TObject* s) { (this->*click)(s); };
    *b.member = button;
  }

  lblAppTitle = new TKvoTitleLabel(this);
  lblAppTitle->SetName(QStringLiteral("lblAppTitle"));
  lblAppTitle->SetParent(pnAppTitle);
  lblAppTitle->SetTop(11);
  lblAppTitle->Font().SetName(kSegoeUI);
  lblAppTitle->Font().SetHeight(-17);
  lblAppTitle->Font().SetStyle({fsBold});
  lblAppTitle->SetGradientStart(0x00C3C3C3);
  lblAppTitle->SetGradientEnd(0x00B2B2B2);
  lblAppTitle->SetShadowColor(0x002D2D2D);
  lblAppTitle->SetShadowOpacityStart(100);
  lblAppTitle->SetShadowOpacityEnd(200);
  lblAppTitle->SetClearType(true);
  lblAppTitle->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) {
    DragWindow(s, sh, x, y);
  };
}

void TFormMain::BuildBottomBar() {
  pnBottom = new TKvoPanel(this);
  pnBottom->SetName(QStringLiteral("pnBottom"));
  pnBottom->SetParent(pnBg);
  pnBottom->SetHeight(25);
  pnBottom->SetAlign(alBottom);
  auto& looks = pnBottom->Appearance();
  looks.UpperGradient().SetColorFrom(0x00626262);
  looks.UpperGradient().SetColorTo(0x00454545);
  looks.SetUpperGradientPercent(100);
  looks.SetBackgroundColor(0x00454545);
  looks.SetDrawBorder(false);
  pnBottom->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) {
    DragWindow(s, sh, x, y);
  };

  lblHomePage = new TKvoLinkLabel(this);
  lblHomePage->SetName(QStringLiteral("lblHomePage"));
  lblHomePage->SetParent(pnBottom);
  lblHomePage->SetBounds(498, 2, 107, 13);
  lblHomePage->SetTransparent(true);
  lblHomePage->SetURL(PublisherHomePageUrl.toString());
  lblHomePage->SetCaption(PublisherHomePageCaption.toString());
  lblHomePage->FontNormal().SetColor(0x00DFDFDF);
  lblHomePage->FontVisitedNormal().SetColor(0x00DFDFDF);
  lblHomePage->FontHot().SetColor(0x00F0F0F0);
  lblHomePage->FontHot().SetStyle({fsUnderline});
  lblHomePage->FontVisitedHot().SetColor(0x00F0F0F0);
  lblHomePage->FontVisitedHot().SetStyle({fsUnderline});
  lblHomePage->FontDisabled().SetColor(clBtnShadow);
  lblHomePage->FontDisabled().SetStyle({fsUnderline});
}

void TFormMain::BuildMainArea() {
  pnMain = new TKvoPanel(this);
  pnMain->SetName(QStringLiteral("pnMain"));
  pnMain->SetParent(pnBg);
  pnMain->Margins().SetBounds(6, 6, 6, 6);
  pnMain->SetAlignWithMargins(true);
  pnMain->SetBounds(6, 47, 603, 258);
  pnMain->Font().SetName(kSegoeUI);
  pnMain->Font().SetHeight(-13);
  auto& looks = pnMain->Appearance();
  looks.UpperGradient().SetOrientation(dgdAngle);
  looks.UpperGradient().SetBalanceMode(bmMirror);
  looks.UpperGradient().SetColorFrom(0x00D1DDE0);
  looks.UpperGradient().SetColorTo(0x00E7EEEF);
  looks.SetUpperGradientPercent(100);
  looks.BottomGradient().SetColorFrom(0x00D6D6D6);
  looks.BottomGradient().SetColorTo(0x00D6D6D6);
  looks.SetBackgroundColor(0x00120D05);
  looks.SetDrawBorder(false);
  pnMain->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) {
    DragWindow(s, sh, x, y);
  };

  btnHome = new TKvoPngButton(this);
  btnHome->SetName(QStringLiteral("btnHome"));
  btnHome->SetParent(pnMain);
  btnHome->SetBounds(3, 3, 90, 22);
  btnHome->SetSpacing(5);
  btnHome->SetShowHint(true);
  auto& home = btnHome->Appearance();
  for (TKvoItemStateParams* look : {&home.Normal(), &home.Disabled(), &home.Focused()}) {
    look->SetTransparentBackground(true);
    look->SetTransparentFrame(true);
  }
  home.Hot().SetColor(RgbToColor(215, 210, 196));
  home.Hot().Border().SetColor(RgbToColor(198, 190, 170));
  home.Hot().UpperGradient().SetColorFrom(RgbToColor(215, 210, 196));
  home.Hot().UpperGradient().SetColorTo(RgbToColor(211, 206, 190));
  home.Hot().SetUpperGradientPercent(100);
  home.Hot().SetBorderToGradientMargin(0);
  home.Down().SetColor(RgbToColor(198, 190, 170));
  home.Down().Border().SetColor(RgbToColor(198, 190, 170));
  home.Down().SetGradientEnabled(false);
  home.Normal().Font().SetColor(RgbToColor(35, 35, 35));
  home.Disabled().Font().SetColor(RgbToColor(160, 160, 160));
  home.Hot().Font().SetColor(clBlack);
  home.Down().Font().SetColor(clBlack);
  home.Focused().Font().SetColor(clBlack);
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
    const QString name = action->Name();
    TNotifyEvent handler;
    switch (row.Kind) {
      case makGroup:
        handler = [this](TObject* s) { actDisplayGroupExecute(s); };
        break;
      case makProgram:
        handler = [this](TObject* s) { actRunProgramExecute(s); };
        break;
      case makOther:
        if (name == u"actButton_RunProgram")
          handler = [this](TObject* s) { actButton_RunProgramExecute(s); };
        else if (name == u"actButton_OpenProgramFolder")
          handler = [this](TObject* s) { actButton_OpenProgramFolderExecute(s); };
        else if (name == u"actButton_HomePage")
          handler = [this](TObject* s) { actButton_HomePageExecute(s); };
        else if (name == u"actEsc")
          handler = [this](TObject* s) { actEscExecute(s); };
        else
          handler = [this](TObject* s) { actDisplayAllCategoriesExecute(s); };
        break;
    }
    action->OnExecute = std::move(handler);
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
  return Actions != nullptr ? Actions->FindAction(name) : nullptr;
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

void TFormMain::btnAboutClick(TObject*) {
  if (about_ != nullptr) about_->ShowModal();
}

void TFormMain::btnCloseClick(TObject*) { Close(); }

void TFormMain::actEscExecute(TObject*) {}

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

void TFormMain::actDisplayGroupExecute(TObject* Sender) {
  auto* action = dynamic_cast<TAction*>(Sender);
  if (action == nullptr) return;
  SelectedGroupID = LowTag(*action);
  tmCat->SetEnabled(true);
}

void TFormMain::actRunProgramExecute(TObject* Sender) {
  auto* action = dynamic_cast<TAction*>(Sender);
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
void TFormMain::DisplayCategories() { views_->DisplayCategories(); }
void TFormMain::DisplayGroup(int GroupID) { views_->DisplayGroup(GroupID); }

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
