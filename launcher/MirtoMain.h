#pragma once

// The launcher's main window: a borderless window with a title bar of its
// own (menu buttons, title, window buttons), the main area that shows the
// category view or one group's program buttons, and a bottom bar with the
// publisher's link. Everything else it offers goes through its actions:
// the title-bar menus, the tray icon's menu, the program buttons' popup and
// the keyboard shortcuts.

#include <QString>
#include <functional>
#include <memory>
#include <span>

#include "catalog/MirtoApps.h"
#include "components/KvoMenuStyle.h"
#include "launcher/MirtoVersion.h"
#include "platform/toolkit/Form.h"

namespace mirto {

class TAction;
class TActionList;
class TButtonEx;
class TFormAbout;
class TKvoLinkLabel;
class TMainViews;
class TKvoPanel;
class TKvoPngButton;
class TKvoTitleLabel;
class TPngImageList;
class TPopupMenu;
class TTimer;
class TTrayIcon;

inline constexpr const char* kMainWindowTitle = "Mirto " MIRTO_VERSION_TEXT " [64-bit]";

class TFormMain : public TForm {
 public:
  // Builds the window from its layout, then runs FormCreate.
  explicit TFormMain(TComponent* owner = nullptr);
  ~TFormMain() override;

  // The about window shown by the About button; not owned.
  void SetAboutForm(TFormAbout* about) { about_ = about; }

  // Whether the desktop has a notification area (asked before hiding in it,
  // and by the tray icon while it shows); the platform's answer unless a
  // test replaces it.
  std::function<bool()> TrayAvailable;

  // --- the layout's members ------------------------------------------------
  TKvoPanel* pnBg = nullptr;
  TKvoPanel* pnAppTitle = nullptr;
  TKvoPanel* pnMain = nullptr;
  TKvoPanel* pnBottom = nullptr;
  TKvoPngButton* btnMenuVideo = nullptr;
  TKvoPngButton* btnMenuAudio = nullptr;
  TKvoTitleLabel* lblAppTitle = nullptr;
  TKvoPngButton* btnAbout = nullptr;
  TKvoPngButton* btnMinimize = nullptr;
  TKvoPngButton* btnMinimizeToTray = nullptr;
  TKvoPngButton* btnClose = nullptr;
  TKvoPngButton* btnHome = nullptr;
  TKvoLinkLabel* lblHomePage = nullptr;
  TPngImageList* pilMain = nullptr;
  TActionList* Actions = nullptr;
  TPopupMenu* popMenuVideo = nullptr;
  TPopupMenu* popMenuAudio = nullptr;
  TPopupMenu* popButton = nullptr;
  TKvoMenuStyle amsDark;
  TKvoMenuStyle amsLight;
  TTimer* tmCat = nullptr;
  TTimer* tm2 = nullptr;
  TTrayIcon* ti = nullptr;

  // The group the timer tmCat shows when it fires.
  int SelectedGroupID = 0;

  // The action of the table with that name.
  TAction* ActionByName(const QString& name) const;

  // --- views ---------------------------------------------------------------
  void ClearGroup();
  void DisplayCategories();
  void DisplayGroup(int GroupID);

  // --- handlers ------------------------------------------------------------
  void FormCreate(TObject* Sender);
  void DragWindow(TObject* Sender, TShiftState Shift, int X, int Y);
  void CenterTitleLabel();
  void CategoryButtonClick(TObject* Sender);
  void ProgButtonClick(TObject* Sender);
  void ProgramButton_MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                               int Y);
  void actDisplayGroupExecute(TObject* Sender);
  void actRunProgramExecute(TObject* Sender);
  void actDisplayAllCategoriesExecute(TObject* Sender);
  void actButton_RunProgramExecute(TObject* Sender);
  void actButton_OpenProgramFolderExecute(TObject* Sender);
  void actButton_HomePageExecute(TObject* Sender);
  void actEscExecute(TObject* Sender);
  void btnMenuVideoClick(TObject* Sender);
  void btnMenuAudioClick(TObject* Sender);
  void btnMinimizeClick(TObject* Sender);
  void btnMinimizeToTrayClick(TObject* Sender);
  void btnAboutClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);
  void tiClick(TObject* Sender);
  // The notification area went away while the tray icon was shown.
  void tiAreaGone(TObject* Sender);
  void tmCatTimer(TObject* Sender);
  void tm2Timer(TObject* Sender);
  void InitMenus();
  void RunProgram(int ProgID);

  // Where btnMenuVideoClick and btnMenuAudioClick open their menus, and
  // where a program button's popup opens for a press at (X, Y) inside it.
  TPoint MenuPoint(const TKvoPngButton& button) const;
  TPoint ProgramPopupPoint(const TButtonEx& button, int X, int Y) const;

 private:
  void BuildLayout();
  void BuildTitleBar();
  void BuildMainArea();
  void BuildBottomBar();
  void BuildActions();
  void BuildMenus();
  void FillMenu(TPopupMenu& menu, std::span<const char* const> entries);
  // The image list's pictures and the application icon, once.
  void LoadDeferredArtwork();

  TFormAbout* about_ = nullptr;
  std::unique_ptr<TMainViews> views_;
  bool artworkLoaded_ = false;
};

}  // namespace mirto
