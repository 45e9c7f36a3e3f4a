#include "launcher/MirtoAbout.h"

#include "catalog/InstallationData.h"
#include "catalog/MirtoApps.h"
#include "components/KvoLinkLabel.h"
#include "components/KvoPanel.h"
#include "components/KvoPngButton.h"
#include "launcher/AppsInfo.h"
#include "launcher/ButtonGlyph.h"
#include "launcher/LauncherArtwork.h"
#include "launcher/MirtoVersion.h"
#include "launcher/WindowLooks.h"
#include "platform/toolkit/Action.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/Memo.h"
#include "platform/toolkit/WindowServices.h"

namespace mirto {

namespace {

const QString kSegoeUI = QStringLiteral("Segoe UI");
constexpr TColor kAppUrlColor = 0x00E86B20;
constexpr TColor kDonationColor = 0x001313E1;

void SetPanelBorders(TKvoPanel& panel, TColor color, int width) {
  auto& borders = panel.Appearance().Borders();
  for (auto* border : {&borders.Left(), &borders.Top(), &borders.Right(), &borders.Bottom()}) {
    border->Pen().SetColor(color);
    border->Pen().SetWidth(width);
  }
}

void SetLinkFonts(TKvoLinkLabel& link, TColor color) {
  ApplyLinkLook(link, color, color, clPurple, clPurple);
  link.SetTransparent(true);
  // The fonts FormCreate gives the links, already in the layout: each is then
  // measured once, in the font it shows, when loading ends.
  link.SetFontsNameAndSize(kSegoeUI, 10);
}

}  // namespace

TFormAbout::TFormAbout(TComponent* owner) : TForm(owner) {
  BeginLoading();
  BuildLayout();
  EndLoading();
  FormCreate(this);
}

TFormAbout::~TFormAbout() = default;

TLabel* TFormAbout::AddLabel(int left, int top, int fontHeight) {
  auto* label = new TLabel(this);
  label->SetParent(pnMain);
  label->SetBounds(left, top, 0, 0);
  label->Font().SetName(kSegoeUI);
  label->Font().SetHeight(fontHeight);
  label->SetTransparent(true);
  return label;
}

void TFormAbout::BuildLayout() {
  SetName(QStringLiteral("FormAbout"));
  SetBorderStyle(bsNone);
  SetPosition(poMainFormCenter);
  SetCaption(QStringLiteral("About"));
  SetColor(clBtnFace);
  Font().SetName(kSegoeUI);
  Font().SetHeight(-11);
  SetBounds(0, 0, 566, 389);
  // Of one size, as its layout is.
  Constraints().SetMinWidth(Width());
  Constraints().SetMaxWidth(Width());
  Constraints().SetMinHeight(Height());
  Constraints().SetMaxHeight(Height());

  pnMain = new TKvoPanel(this);
  pnMain->SetParent(this);
  pnMain->Margins().SetBounds(6, 6, 6, 6);
  pnMain->SetAlignWithMargins(true);
  pnMain->SetBounds(6, 6, 554, 377);  // the client area less the margins
  pnMain->SetAlign(alClient);
  auto& looks = pnMain->Appearance();
  looks.UpperGradient().SetOrientation(dgdAngle);
  looks.UpperGradient().SetBalanceMode(bmMirror);
  looks.UpperGradient().SetColorFrom(0x00D2D2D2);
  looks.UpperGradient().SetColorTo(0x00EAEAEA);
  looks.SetUpperGradientPercent(100);
  looks.BottomGradient().SetColorFrom(0x00E4E4E4);
  looks.BottomGradient().SetColorTo(0x00D8D8D8);
  looks.SetBackgroundColor(0x00C5C5C5);
  SetPanelBorders(*pnMain, 0x006E6E6E, 3);
  pnMain->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) {
    pnMainMouseMove(s, sh, x, y);
  };

  lblAppName = AddLabel(32, 14, -21);
  lblAppName->Font().SetStyle({fsBold});
  lblAppName->Font().SetColor(clWindowText);
  lblVersion = AddLabel(32, 50, -13);
  lblDate = AddLabel(32, 72, -13);
  lblFreeware = AddLabel(32, 94, -13);
  lblFreeware->SetCaption(QStringLiteral("Freeware"));

  Label1 = new TLabel(this);
  Label1->SetParent(pnMain);
  Label1->SetBounds(272, 27, 0, 0);
  Label1->SetTransparent(true);
  Label1->SetCaption(QStringLiteral("Collection of portable audio && video converters"));

  lblAppUrl = new TKvoLinkLabel(this);
  lblAppUrl->SetParent(pnMain);
  lblAppUrl->SetBounds(32, 118, 0, 0);
  lblAppUrl->SetURL(ProductPageUrl.toString());
  SetLinkFonts(*lblAppUrl, kAppUrlColor);

  lblDonation = new TKvoLinkLabel(this);
  lblDonation->SetParent(pnMain);
  lblDonation->SetBounds(32, 141, 0, 0);
  lblDonation->SetCaption(QStringLiteral("Donation"));
  lblDonation->SetShowHint(true);
  SetLinkFonts(*lblDonation, kDonationColor);

  btnClose = new TKvoPngButton(this);
  btnClose->SetName(QStringLiteral("btnClose"));
  btnClose->SetParent(pnMain);
  btnClose->SetBounds(525, 6, 24, 24);
  btnClose->SetAnchors({akTop, akRight});
  btnClose->SetHint(QStringLiteral("Close"));
  btnClose->SetShowHint(false);
  btnClose->SetTabStop(false);
  ApplyTitleButtonLook(*btnClose, 140);
  LoadGlyph(*btnClose, kGlyphClose);
  btnClose->OnClick = [this](TObject* s) { btnCloseClick(s); };

  TeskPanel1 = new TKvoPanel(this);
  TeskPanel1->SetParent(pnMain);
  TeskPanel1->SetBounds(32, 168, 494, 190);
  TeskPanel1->SetAnchors({akLeft, akTop, akRight, akBottom});
  TeskPanel1->Appearance().SetDrawGradient(false);
  SetPanelBorders(*TeskPanel1, 0x006E6E6E, 2);

  meApps = new TMemo(this);
  meApps->SetParent(TeskPanel1);
  meApps->Margins().SetBounds(2, 2, 2, 2);
  meApps->SetAlignWithMargins(true);
  meApps->SetBounds(2, 2, 490, 186);
  meApps->SetBorderStyle(bsNone);
  meApps->SetColor(clWhite);
  meApps->Font().SetName(QStringLiteral("Consolas"));
  meApps->Font().SetHeight(-13);
  meApps->SetScrollBars(ssVertical);
  // The list shows the collection the label above it names.
  meApps->SetAccessibleName(Label1->AccessibleName());

  ActionList1 = new TActionList(this);
  actEsc = new TAction(this);
  actEsc->SetName(QStringLiteral("actEsc"));
  actEsc->SetShortCut(VK_ESCAPE);
  actEsc->SetActionList(ActionList1);
  actEsc->OnExecute = [this](TObject* s) { actEscExecute(s); };
}

void TFormAbout::FormCreate(TObject*) {
  meApps->SetAlign(alClient);
  lblAppName->SetCaption(QStringLiteral("Mirto"));
  lblVersion->SetCaption(QStringLiteral("Version " MIRTO_VERSION_TEXT));
  lblDate->SetCaption(QStringLiteral(MIRTO_RELEASE_DATE_TEXT));
  lblAppUrl->SetCaption(ProductPageUrl.toString());
  pnMain->SetAlignWithMargins(false);
  lblAppUrl->SetFontsNameAndSize(kSegoeUI, 10);
  lblDonation->SetFontsNameAndSize(kSegoeUI, 10);
  lblDonation->SetURL(DonationPageUrl.toString());
  lblDonation->SetHint(DonationPageUrl.toString());
  const TColor donation = lblDonation->FontNormal().Color();
  lblDonation->FontHot().SetColor(donation);
  lblDonation->FontVisitedNormal().SetColor(donation);
  lblDonation->FontVisitedHot().SetColor(donation);
  meApps->Clear();
  GetAppsInfo();
  SetActiveControl(btnClose);
}

void TFormAbout::GetAppsInfo() { meApps->SetText(AppsInfoText(AboutProgramOrder)); }

void TFormAbout::btnCloseClick(TObject*) { Close(); }

void TFormAbout::actEscExecute(TObject*) { Close(); }

void TFormAbout::pnMainMouseMove(TObject*, TShiftState, int, int) {
  ReleaseCapture();
  SendSysCommand(*this, SC_DRAGMOVE);
}

}  // namespace mirto
