#pragma once

// The launcher's main window: a borderless window with a title bar of its
// own (menu buttons, title, window buttons), the main area that shows the
// category view or one group's program buttons, and a bottom bar with the
// publisher's link. Everything else it offers goes through its actions:
// the title-bar menus, the tray icon's menu, the program buttons' popup and
// the keyboard shortcuts.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "catalog/MirtoApps.h"
#include "components/KvoMenuStyle.h"
#include "launcher/MirtoVersion.h"
#include "launcher/ViewKeys.h"
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
class TKeyboardCuesListener;
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

  // Shows the window again, from the tray or the taskbar, and raises it:
  // what a second start of the launcher asks of the running one.
  void ComeToFront();

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
  // The keys of the title bar's buttons and the bottom bar's link.
  TActionList* KeyActions = nullptr;
  TPopupMenu* popMenuVideo = nullptr;
  TPopupMenu* popMenuAudio = nullptr;
  TPopupMenu* popButton = nullptr;
  // The program buttons' popup: its three actions, set once while the
  // actions are built. The popup names its program in the tag of
  // actButton_OpenProgramFolder.
  TAction* actButton_RunProgram = nullptr;
  TAction* actButton_OpenProgramFolder = nullptr;
  TAction* actButton_HomePage = nullptr;
  TKvoMenuStyle amsDark;
  TKvoMenuStyle amsLight;
  TTimer* tmCat = nullptr;
  TTimer* tm2 = nullptr;
  TTimer* tmFind = nullptr;
  TTrayIcon* ti = nullptr;

  // The group the timer tmCat shows when it fires.
  int SelectedGroupID = 0;

  // --- views ---------------------------------------------------------------
  void DisplayCategories();
  void DisplayGroup(int GroupID);

  // --- handlers ------------------------------------------------------------
  void FormCreate(TObject* Sender);
  void DragWindow(TObject* Sender, TShiftState Shift, int X, int Y);
  void CenterTitleLabel();
  void CategoryButtonClick(TObject* Sender);
  void ProgButtonClick(TObject* Sender);
  // Starts the button's program with the files dropped on it.
  void ProgButtonFilesDropped(TObject* Sender, const QStringList& Files);
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
  void tmFindTimer(TObject* Sender);
  void FormKeyPress(TObject* Sender, QChar& Key);
  void FormKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void InitMenus();
  void RunProgram(int ProgID);

  // Where btnMenuVideoClick and btnMenuAudioClick open their menus, and
  // where a program button's popup opens for a press at (X, Y) inside it.
  TPoint MenuPoint(const TKvoPngButton& button) const;
  TPoint ProgramPopupPoint(const TButtonEx& button, int X, int Y) const;

  // The program button's popup for its program, at (X, Y) inside it.
  void OpenProgramPopup(TButtonEx& button, int X, int Y);
  // Moves the focus through the current view's buttons; false when there is
  // no button to move to.
  bool MoveFocus(std::uint16_t arrowKey);

 private:
  // The layout in code (MirtoMainLayout.cpp).
  void BuildLayout();
  void BuildTitleBar();
  void BuildMainArea();
  void BuildBottomBar();
  void BuildActions();
  void BuildMenus();
  void BuildKeys();
  void FillMenu(TPopupMenu& menu, std::span<const char* const> entries);
  // The action made for the table's row with that name. The tables name
  // only their own rows: a miss is a programming error, which stops debug
  // builds (other builds get null).
  TAction* TableAction(const char* name) const;
  // Does what a key asked of the view.
  void CarryOut(const TViewKeyAnswer& answer, const std::vector<TButtonEx*>& buttons);
  // The image list's pictures and the application icon, once.
  void LoadDeferredArtwork();
  // Leaves the find view for the view shown before it.
  void EndFind();

  TFormAbout* about_ = nullptr;
  std::unique_ptr<TMainViews> views_;
  std::unique_ptr<TKeyboardCuesListener> cues_;
  bool artworkLoaded_ = false;
  TViewKeys keys_;
  // One per row of the action table, in its order.
  std::vector<TAction*> rowActions_;
};

}  // namespace mirto
