#pragma once

// The about window: the launcher's name, version and date, links to its
// product page and to the donation page, and the list of the collection's
// programs with their versions and dates. Created once at start and shown
// modally by the main window.

#include "platform/toolkit/Form.h"

namespace mirto {

class TAction;
class TActionList;
class TKvoLinkLabel;
class TKvoPanel;
class TKvoPngButton;
class TLabel;
class TMemo;

class TFormAbout : public TForm {
 public:
  // Builds the window from its layout, then runs FormCreate.
  explicit TFormAbout(TComponent* owner = nullptr);
  ~TFormAbout() override;

  TKvoPanel* pnMain = nullptr;
  TLabel* lblAppName = nullptr;
  TLabel* lblVersion = nullptr;
  TLabel* lblDate = nullptr;
  TLabel* lblFreeware = nullptr;
  TLabel* Label1 = nullptr;
  TKvoLinkLabel* lblAppUrl = nullptr;
  TKvoLinkLabel* lblDonation = nullptr;
  TKvoPngButton* btnClose = nullptr;
  TKvoPanel* TeskPanel1 = nullptr;
  TMemo* meApps = nullptr;
  TActionList* ActionList1 = nullptr;
  TAction* actEsc = nullptr;

  void FormCreate(TObject* Sender);
  void GetAppsInfo();
  void btnCloseClick(TObject* Sender);
  void actEscExecute(TObject* Sender);
  void pnMainMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);

 private:
  void BuildLayout();
  TLabel* AddLabel(int left, int top, int fontHeight);
};

}  // namespace mirto
